// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Comparing what was written to the keyboard with what it gives back. Pure functions.
namespace Verification {

// The first position where the two differ (a length difference counts at the shorter
// length), or -1 when they are equal.
int firstDifference(const QByteArray &written, const QByteArray &readBack);

// "<what>: byte <n> reads 0x.. instead of 0x..", or empty when they are equal.
QString mismatch(const QString &what, const QByteArray &written, const QByteArray &readBack);

} // namespace Verification
