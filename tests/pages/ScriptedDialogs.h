// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "UserDialogs.h"

#include <QObject>
#include <QStringList>

// The bridge's file dialogs and warnings, answered by the test instead of a person: published
// as `dialogs`. Every question is written down ("open|caption|folder|filter",
// "save|caption|folder|filter", "warn|title|text"); the file dialogs answer the queued paths in
// order and, when none is left, cancel (an empty text). GUI thread only.
class ScriptedDialogs : public QObject, public UserDialogs
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The next file dialog chooses `path` (an empty text: the user cancels it).
    Q_INVOKABLE void answerNext(const QString &path) { m_answers.append(path); }
    Q_INVOKABLE QStringList asked() const { return m_asked; }
    // Forgets the questions and the answers not given yet.
    Q_INVOKABLE void clear();

    QString openFile(const QString &caption, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &caption, const QString &folder, const QString &filter) override;
    void warn(const QString &title, const QString &text) override;

private:
    QString answer(const QStringList &question);

    QStringList m_answers;
    QStringList m_asked;
};
