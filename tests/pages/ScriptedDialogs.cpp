// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"

void ScriptedDialogs::clear()
{
    m_answers.clear();
    m_asked.clear();
}

QString ScriptedDialogs::answer(const QStringList &question)
{
    m_asked.append(question.join(QLatin1Char('|')));
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}

QString ScriptedDialogs::openFile(const QString &caption, const QString &folder, const QString &filter)
{
    return answer({QStringLiteral("open"), caption, folder, filter});
}

QString ScriptedDialogs::saveFile(const QString &caption, const QString &folder, const QString &filter)
{
    return answer({QStringLiteral("save"), caption, folder, filter});
}

void ScriptedDialogs::warn(const QString &title, const QString &text)
{
    m_asked.append(QStringList{QStringLiteral("warn"), title, text}.join(QLatin1Char('|')));
}
