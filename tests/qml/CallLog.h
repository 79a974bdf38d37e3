// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// The one log of the stand-ins for the scene's context objects (ui_View, ui_Ctl, kernel), so
// that a test sees calls to all three in their order. Each call is recorded as
// "object.slot" with its arguments. A slot that answers returns the reply set for
// "object.slot(first argument)" if there is one, else the reply set for "object.slot", else an
// empty value. GUI thread only.
class CallLog : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Called by the stand-ins.
    QVariant record(const QString &call, const QVariantList &arguments = {});

    // "object.slot" of every call so far, in order.
    Q_INVOKABLE QStringList names() const { return m_names; }
    // The arguments of every call to `call`, in order: one list per call.
    Q_INVOKABLE QVariantList argumentsOf(const QString &call) const;
    Q_INVOKABLE int count(const QString &call) const { return int(m_names.count(call)); }
    // Forgets the calls; the replies stay.
    Q_INVOKABLE void clear();
    // `call` is "object.slot" or "object.slot(first argument)".
    Q_INVOKABLE void setReply(const QString &call, const QVariant &reply) { m_replies.insert(call, reply); }
    Q_INVOKABLE void clearReplies() { m_replies.clear(); }

private:
    QStringList m_names;
    QList<QVariantList> m_arguments;
    QHash<QString, QVariant> m_replies;
};
