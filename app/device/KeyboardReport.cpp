// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardReport.h"

namespace KeyboardReport {
namespace {

constexpr int kFirstModifier = 0xE0;
constexpr int kLastModifier = 0xE7;
constexpr int kLastErrorUsage = 0x03;     // ErrorRollOver, POSTFail, ErrorUndefined

bool isModifier(int usage) { return usage >= kFirstModifier && usage <= kLastModifier; }

// `size` bits from bit `at` of the data, least significant bit first, as HID packs them.
quint32 bitsAt(const QByteArray &data, qint64 at, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i) {
        const qint64 bit = at + i;
        if ((quint8(data[int(bit / 8)]) >> (bit % 8)) & 1)
            value |= quint32(1) << i;
    }
    return value;
}

} // namespace

std::optional<Keys> keysDown(const KeyboardReportLayout &layout, const QByteArray &report)
{
    int id = 0;
    qint64 start = 0;
    if (layout.numbersReports()) {
        if (report.isEmpty())
            return std::nullopt;
        id = quint8(report[0]);
        start = 8;
    }
    Keys keys;
    bool described = false;
    for (const KeyboardReportLayout::Field &field : layout.fields()) {
        if (field.reportId != id)
            continue;
        described = true;
        const qint64 first = start + field.bitOffset;
        if (first + qint64(field.bitSize) * field.count > qint64(report.size()) * 8)
            return std::nullopt;
        for (int i = 0; i < field.count; ++i) {
            const quint32 value = bitsAt(report, first + qint64(i) * field.bitSize, field.bitSize);
            if (field.bitmap) {
                if (value && field.usages.at(i) != 0 && field.usages.at(i) < keys.size())
                    keys.set(field.usages.at(i));
                continue;
            }
            if (qint64(value) < field.logicalMinimum || qint64(value) > field.logicalMaximum)
                continue;
            const qint64 usage = field.usageMinimum + (qint64(value) - field.logicalMinimum);
            if (usage == 0)
                continue;
            if (usage <= kLastErrorUsage)
                return std::nullopt;
            if (usage < qint64(keys.size()))
                keys.set(size_t(usage));
        }
    }
    if (!described)
        return std::nullopt;
    return keys;
}

QVector<Change> changes(const Keys &before, const Keys &after)
{
    QVector<Change> result;
    const Keys released = before & ~after;
    const Keys pressed = after & ~before;
    const auto add = [&result](const Keys &keys, bool isDown, bool modifiers) {
        for (size_t usage = 1; usage < keys.size(); ++usage) {
            if (keys.test(usage) && isModifier(int(usage)) == modifiers)
                result.append({isDown, quint8(usage)});
        }
    };
    add(released, false, false);
    add(released, false, true);
    add(pressed, true, true);
    add(pressed, true, false);
    return result;
}

} // namespace KeyboardReport
