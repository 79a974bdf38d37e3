// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardReportLayout.h"

#include <QMap>

#include <algorithm>

#include <vector>

namespace {

constexpr quint32 kKeyboardPage = 0x07;

// Item types and the tags read here; every other item is skipped by its size.
enum ItemType { Main = 0, Global = 1, Local = 2 };
enum MainTag { Input = 0x8, Output = 0x9, Collection = 0xA, Feature = 0xB, EndCollection = 0xC };
enum GlobalTag {
    UsagePage = 0x0, LogicalMinimum = 0x1, LogicalMaximum = 0x2, ReportSize = 0x7, ReportId = 0x8,
    ReportCount = 0x9, Push = 0xA, Pop = 0xB,
};
enum LocalTag { Usage = 0x0, UsageMinimum = 0x1, UsageMaximum = 0x2 };

constexpr quint8 kLongItem = 0xFE;
constexpr quint32 kConstant = 0x01;       // Input flags
constexpr quint32 kVariable = 0x02;

// Beyond these the descriptor is not a keyboard's: its layout is refused as a whole.
constexpr qint64 kMaximumReportSize = 32;  // bits of one element
constexpr qint64 kMaximumReportCount = 1024;
constexpr qint64 kMaximumReportBits = 8 * 4096;
constexpr int kMaximumPushes = 16;

struct Globals
{
    quint32 usagePage = 0;
    qint64 logicalMinimum = 0;
    qint64 logicalMaximum = 0;
    qint64 reportSize = 0;
    qint64 reportCount = 0;
    int reportId = 0;
};

// Usages carry their page in the upper 16 bits.
struct Locals
{
    QVector<quint32> usages;
    bool hasMinimum = false;
    bool hasMaximum = false;
    quint32 minimum = 0;
    quint32 maximum = 0;
};

qint64 signedValue(quint32 value, int size)
{
    switch (size) {
    case 1: return qint8(value);
    case 2: return qint16(value);
    case 4: return qint32(value);
    default: return 0;
    }
}

quint32 extendedUsage(quint32 value, int size, quint32 page)
{
    return size == 4 ? value : (page << 16 | value);
}

quint32 pageOf(quint32 usage) { return usage >> 16; }
quint16 idOf(quint32 usage) { return quint16(usage & 0xFFFF); }

// The usage that the index-th element of a field names.
quint32 usageAt(const Locals &locals, int index)
{
    if (locals.hasMinimum) {
        const quint64 usage = quint64(locals.minimum) + quint64(index);
        return (locals.hasMaximum && usage > locals.maximum) ? 0 : quint32(usage);
    }
    if (locals.usages.isEmpty())
        return 0;
    return locals.usages.at(std::min(index, int(locals.usages.size()) - 1));
}

// A field of keyboard keys out of one Input item, if it is one.
bool keyField(const Globals &globals, const Locals &locals, quint32 flags, KeyboardReportLayout::Field &field)
{
    if ((flags & kConstant) || globals.reportSize == 0 || globals.reportCount == 0)
        return false;
    field.reportId = globals.reportId;
    field.bitSize = int(globals.reportSize);
    field.count = int(globals.reportCount);
    if (flags & kVariable) {
        if (globals.reportSize != 1)
            return false;
        field.bitmap = true;
        bool anyKey = false;
        field.usages.resize(field.count);
        for (int i = 0; i < field.count; ++i) {
            const quint32 usage = usageAt(locals, i);
            if (pageOf(usage) == kKeyboardPage) {
                field.usages[i] = idOf(usage);
                anyKey = anyKey || idOf(usage) != 0;
            }
        }
        return anyKey;
    }
    const quint32 first = usageAt(locals, 0);
    if (pageOf(first) != kKeyboardPage || globals.logicalMaximum < globals.logicalMinimum)
        return false;
    field.usageMinimum = idOf(first);
    field.logicalMinimum = int(globals.logicalMinimum);
    field.logicalMaximum = int(std::min<qint64>(globals.logicalMaximum, 0xFFFF));
    return true;
}

} // namespace

KeyboardReportLayout KeyboardReportLayout::fromDescriptor(const QByteArray &descriptor)
{
    KeyboardReportLayout layout;
    const auto *bytes = reinterpret_cast<const quint8 *>(descriptor.constData());
    const int length = descriptor.size();
    Globals globals;
    std::vector<Globals> pushed;
    Locals locals;
    QMap<int, qint64> inputBits;    // per report ID: where its next input field starts

    int at = 0;
    while (at < length) {
        const quint8 prefix = bytes[at];
        if (prefix == kLongItem) {
            if (at + 2 >= length)
                return {};
            at += 3 + bytes[at + 1];
            continue;
        }
        const int size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
        if (at + 1 + size > length)
            return {};
        quint32 value = 0;
        for (int i = 0; i < size; ++i)
            value |= quint32(bytes[at + 1 + i]) << (8 * i);
        at += 1 + size;
        const int type = (prefix >> 2) & 0x3;
        const int tag = prefix >> 4;

        if (type == Global) {
            switch (tag) {
            case UsagePage: globals.usagePage = value & 0xFFFF; break;
            case LogicalMinimum: globals.logicalMinimum = signedValue(value, size); break;
            case LogicalMaximum:
                // Many descriptors write an unsigned maximum (0xFF in one byte) where a signed one
                // is due; read it unsigned when signed it would fall below the minimum.
                globals.logicalMaximum = signedValue(value, size);
                if (globals.logicalMaximum < globals.logicalMinimum)
                    globals.logicalMaximum = value;
                break;
            case ReportSize: globals.reportSize = value; break;
            case ReportCount: globals.reportCount = value; break;
            case ReportId:
                if (value == 0 || value > 0xFF)
                    return {};
                globals.reportId = int(value);
                layout.m_numbersReports = true;
                break;
            case Push:
                if (int(pushed.size()) == kMaximumPushes)
                    return {};
                pushed.push_back(globals);
                break;
            case Pop:
                if (pushed.empty())
                    return {};
                globals = pushed.back();
                pushed.pop_back();
                break;
            default: break;
            }
            if (globals.reportSize > kMaximumReportSize || globals.reportCount > kMaximumReportCount)
                return {};
        } else if (type == Local) {
            switch (tag) {
            case Usage: locals.usages.append(extendedUsage(value, size, globals.usagePage)); break;
            case UsageMinimum:
                locals.hasMinimum = true;
                locals.minimum = extendedUsage(value, size, globals.usagePage);
                break;
            case UsageMaximum:
                locals.hasMaximum = true;
                locals.maximum = extendedUsage(value, size, globals.usagePage);
                break;
            default: break;
            }
        } else if (type == Main) {
            if (tag == Input) {
                qint64 &bits = inputBits[globals.reportId];
                Field field;
                if (keyField(globals, locals, value, field)) {
                    field.bitOffset = int(bits);
                    layout.m_fields.append(field);
                }
                bits += globals.reportSize * globals.reportCount;
                if (bits > kMaximumReportBits)
                    return {};
            }
            if (tag == Input || tag == Output || tag == Feature || tag == Collection || tag == EndCollection)
                locals = Locals();
        }
    }
    return layout;
}
