// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowsMessages.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

// Watches the messages that the platform sends to the application's top-level windows for one
// kind of system notice (WindowsMessages::systemNotice) and signals each one. The toolkit's own
// handling of every message continues.
//
// GUI thread only.
class SystemNoticeFilter : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit SystemNoticeFilter(WindowsMessages::SystemNotice notice, QObject *parent = nullptr);
    ~SystemNoticeFilter() override;

    void install();

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
#else
    bool nativeEventFilter(const QByteArray &eventType, void *message, long *result) override;
#endif

signals:
    void noticed();

private:
    const WindowsMessages::SystemNotice m_notice;
    bool m_installed = false;
};
