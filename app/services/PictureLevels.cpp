// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureLevels.h"

#include "ServicesLog.h"

#include <QImageReader>

namespace {

QVector<int> refused(const char *reason)
{
    qCInfo(lcServices, "picture not imported: %s", reason);
    return {};
}

// Luma of a premultiplied pixel, i.e. of the pixel over black, times 1000.
int luma1000(QRgb pixel)
{
    return 299 * qRed(pixel) + 587 * qGreen(pixel) + 114 * qBlue(pixel);
}

} // namespace

QVector<int> PictureLevels::fromFile(const QString &path, const QSize &modelSize, const QVector<QRect> &keys)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg")
        return refused("the file is not a PNG or JPEG picture");
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return refused("the picture has no size");
    // The JPEG decoder scales while it decodes; other pictures are decoded whole first.
    if (format == "jpeg" && modelSize.isValid() && !modelSize.isEmpty())
        reader.setScaledSize(modelSize);
    else if (qint64(size.width()) * size.height() > MaxPixels)
        return refused("the picture is too large");
    const QImage image = reader.read();
    if (image.isNull())
        return refused("the picture cannot be decoded");
    return fromImage(image, modelSize, keys);
}

QVector<int> PictureLevels::fromImage(const QImage &image, const QSize &modelSize, const QVector<QRect> &keys)
{
    if (image.isNull() || !modelSize.isValid() || modelSize.isEmpty())
        return {};
    QImage scaled = image.size() == modelSize
        ? image : image.scaled(modelSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled = scaled.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect bounds = scaled.rect();

    QVector<int> levels;
    levels.reserve(keys.size());
    for (const QRect &key : keys) {
        const QRect area = key.intersected(bounds);
        if (area.isEmpty()) {
            levels.append(-1);
            continue;
        }
        qint64 sum = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(scaled.constScanLine(y));
            for (int x = area.left(); x <= area.right(); ++x)
                sum += luma1000(line[x]);
        }
        const qint64 pixels = qint64(area.width()) * area.height();
        levels.append(int((sum + pixels * 500) / (pixels * 1000)));
    }
    return levels;
}
