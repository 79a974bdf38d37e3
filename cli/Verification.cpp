// SPDX-License-Identifier: GPL-3.0-or-later
#include "Verification.h"

#include <algorithm>

namespace Verification {

int firstDifference(const QByteArray &written, const QByteArray &readBack)
{
    const int common = std::min(written.size(), readBack.size());
    for (int i = 0; i < common; ++i) {
        if (written.at(i) != readBack.at(i))
            return i;
    }
    return written.size() == readBack.size() ? -1 : common;
}

QString mismatch(const QString &what, const QByteArray &written, const QByteArray &readBack)
{
    const int at = firstDifference(written, readBack);
    if (at < 0)
        return QString();
    auto byteText = [](const QByteArray &bytes, int i) {
        return i < bytes.size() ? QStringLiteral("0x%1").arg(uchar(bytes.at(i)), 2, 16, QLatin1Char('0'))
                                : QStringLiteral("nothing");
    };
    return QStringLiteral("%1: byte %2 reads %3 instead of %4")
        .arg(what)
        .arg(at)
        .arg(byteText(readBack, at), byteText(written, at));
}

} // namespace Verification
