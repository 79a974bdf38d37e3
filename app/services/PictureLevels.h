// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

// Red levels for a user picture from a picture file: the picture is scaled to the on-screen
// keyboard's size, and each key takes the mean luminance (0..255, Rec. 601 weights, transparent
// parts counted as black) of the pixels under its rectangle. Pure functions; any thread.
class PictureLevels
{
public:
    // Pictures decoded at full size (PNG) may have at most this many pixels: 8192 x 8192.
    static constexpr qint64 MaxPixels = qint64(8192) * 8192;

    // One level per rectangle (model coordinates), -1 for an empty rectangle or one outside the
    // model. Empty when the file is not a readable PNG or JPEG picture or is too large; then one
    // line is logged under tarvenix.services.
    static QVector<int> fromFile(const QString &path, const QSize &modelSize, const QVector<QRect> &keys);

    // The same for a picture in memory; empty for a null picture or an empty model size.
    static QVector<int> fromImage(const QImage &image, const QSize &modelSize, const QVector<QRect> &keys);
};
