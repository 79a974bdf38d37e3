// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallLog.h"

QVariant CallLog::record(const QString &call, const QVariantList &arguments)
{
    m_names.append(call);
    m_arguments.append(arguments);
    if (!arguments.isEmpty()) {
        const QString withArgument = call + QLatin1Char('(') + arguments.first().toString() + QLatin1Char(')');
        const auto it = m_replies.constFind(withArgument);
        if (it != m_replies.constEnd())
            return *it;
    }
    return m_replies.value(call);
}

QVariantList CallLog::argumentsOf(const QString &call) const
{
    QVariantList calls;
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i) == call)
            calls.append(QVariant(m_arguments.at(i)));
    }
    return calls;
}

void CallLog::clear()
{
    m_names.clear();
    m_arguments.clear();
}
