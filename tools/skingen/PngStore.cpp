// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngStore.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

struct Colour {
    QRgb value;
    int count;
};

int channel(QRgb rgb, int index)
{
    switch (index) {
    case 0:
        return qRed(rgb);
    case 1:
        return qGreen(rgb);
    case 2:
        return qBlue(rgb);
    default:
        return qAlpha(rgb);
    }
}

// A box of the median cut: a run of the colour list, with the channel along which it spreads
// most and that spread (count-weighted sum of squared deviations).
struct Box {
    int first;
    int last; // exclusive
    int widest = 0;
    double spread = 0;
};

void measure(const std::vector<Colour> &colours, Box &box)
{
    box.spread = 0;
    for (int index = 0; index < 4; ++index) {
        double sum = 0, squares = 0, count = 0;
        for (int i = box.first; i < box.last; ++i) {
            const double v = channel(colours[i].value, index);
            sum += v * colours[i].count;
            squares += v * v * colours[i].count;
            count += colours[i].count;
        }
        const double deviation = squares - sum * sum / count;
        if (deviation > box.spread) {
            box.spread = deviation;
            box.widest = index;
        }
    }
}

// The count-weighted median cut of a sorted, distinct colour list into at most 256 boxes.
std::vector<Box> medianCut(std::vector<Colour> &colours)
{
    std::vector<Box> boxes{{0, int(colours.size())}};
    measure(colours, boxes.front());
    while (boxes.size() < 256) {
        const auto widest = std::max_element(boxes.begin(), boxes.end(),
                                             [](const Box &a, const Box &b) { return a.spread < b.spread; });
        if (widest->spread <= 0)
            break;
        Box &box = *widest;
        const int index = box.widest;
        std::sort(colours.begin() + box.first, colours.begin() + box.last, [index](const Colour &a, const Colour &b) {
            const int ca = channel(a.value, index), cb = channel(b.value, index);
            return ca != cb ? ca < cb : a.value < b.value;
        });
        long total = 0;
        for (int i = box.first; i < box.last; ++i)
            total += colours[i].count;
        long seen = 0;
        int cut = box.first;
        while (cut < box.last - 2 && (seen + colours[cut].count) * 2 < total)
            seen += colours[cut++].count;
        Box upper{cut + 1, box.last};
        box.last = cut + 1;
        measure(colours, box);
        measure(colours, upper);
        boxes.push_back(upper);
    }
    return boxes;
}

QRgb mean(const std::vector<Colour> &colours, const Box &box)
{
    std::array<double, 4> sum{};
    double count = 0;
    for (int i = box.first; i < box.last; ++i) {
        for (int index = 0; index < 4; ++index)
            sum[index] += channel(colours[i].value, index) * double(colours[i].count);
        count += colours[i].count;
    }
    const auto level = [&](int index) { return int(sum[index] / count + 0.5); };
    return qRgba(level(0), level(1), level(2), level(3));
}

struct PaletteError {
    int worst;  // largest change of any channel of any colour, levels
    double rms; // root mean square change per channel over all pixels, levels
};

PaletteError paletteError(const std::vector<Colour> &colours, const std::vector<Box> &boxes, const QVector<QRgb> &table)
{
    int worst = 0;
    double squares = 0, pixels = 0;
    for (int b = 0; b < int(boxes.size()); ++b) {
        for (int i = boxes[b].first; i < boxes[b].last; ++i) {
            for (int index = 0; index < 4; ++index) {
                const int change = std::abs(channel(colours[i].value, index) - channel(table[b], index));
                worst = std::max(worst, change);
                squares += double(change) * change * colours[i].count;
            }
            pixels += colours[i].count;
        }
    }
    return {worst, std::sqrt(squares / (4 * pixels))};
}

} // namespace

QImage PngStore::leanest(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<QRgb> pixels;
    pixels.reserve(size_t(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        pixels.insert(pixels.end(), line, line + argb.width());
    }
    std::sort(pixels.begin(), pixels.end());
    std::vector<Colour> colours;
    for (const QRgb pixel : pixels) {
        if (colours.empty() || colours.back().value != pixel)
            colours.push_back({pixel, 0});
        ++colours.back().count;
    }
    const bool opaque = std::all_of(colours.begin(), colours.end(), [](const Colour &c) { return qAlpha(c.value) == 255; });

    // Any picture of at most 256 colours keeps them exactly. A larger one takes a palette where
    // that moves its pixels by about a level on average and no colour far: smooth dark grounds,
    // which compress several times better that way, but not glows that would band.
    std::vector<Box> boxes = medianCut(colours);
    QVector<QRgb> table;
    for (const Box &box : boxes)
        table.append(mean(colours, box));
    if (colours.size() > 256) {
        const PaletteError error = paletteError(colours, boxes, table);
        if (error.rms > 0.65 || error.worst > 24)
            return opaque ? argb.convertToFormat(QImage::Format_RGB32) : argb;
    }

    // Order the palette by value, so the file does not depend on how the cut went.
    std::vector<int> order(boxes.size());
    for (int i = 0; i < int(order.size()); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&table](int a, int b) { return table[a] != table[b] ? table[a] < table[b] : a < b; });
    QVector<QRgb> sortedTable;
    std::vector<uchar> entryOfBox(boxes.size());
    for (int i = 0; i < int(order.size()); ++i) {
        sortedTable.append(table[order[i]]);
        entryOfBox[order[i]] = uchar(i);
    }
    std::vector<std::pair<QRgb, uchar>> lookup;
    for (int b = 0; b < int(boxes.size()); ++b)
        for (int i = boxes[b].first; i < boxes[b].last; ++i)
            lookup.emplace_back(colours[i].value, entryOfBox[b]);
    std::sort(lookup.begin(), lookup.end());

    QImage indexed(argb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(sortedTable);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            const auto found = std::lower_bound(lookup.begin(), lookup.end(), std::pair<QRgb, uchar>(line[x], 0));
            out[x] = found->second;
        }
    }
    return indexed;
}

bool PngStore::write(const QImage &image, const QString &path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QImageWriter writer(path, "png");
    // For PNG the writer reads quality 0 as the strongest deflate level.
    writer.setQuality(0);
    return writer.write(leanest(image));
}
