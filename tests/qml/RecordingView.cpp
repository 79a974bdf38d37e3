// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingView.h"

QList<uchar> RecordingView::macroIncode(const QStringList &macros)
{
    QList<uchar> bytes;
    const QVariantList reply = log("macroIncode", {macros}).toList();
    for (const QVariant &value : reply)
        bytes.append(uchar(value.toInt()));
    return bytes;
}

QVariant RecordingView::log(const char *slot, const QVariantList &arguments)
{
    return m_log->record(QStringLiteral("ui_View.") + QLatin1String(slot), arguments);
}
