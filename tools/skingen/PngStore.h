// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// Writes pictures as small PNG files at the strongest compression: no alpha channel for an
// opaque picture, and a palette where one fits (exactly, or within two levels per channel).
// The same image always gives the same bytes.
class PngStore
{
public:
    static QImage leanest(const QImage &image);
    // Creates the file's folder; false when the folder or the file cannot be written.
    static bool write(const QImage &image, const QString &path);
};
