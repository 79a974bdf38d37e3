// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyMap.h"

#include "ServicesLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

#include <algorithm>

namespace {

struct NamedUsage {
    const char *name;
    uchar usage;
};

// Keys whose names follow no sequence, in usage order. The letters, digits, function keys and
// keypad digits are generated below; the backslash key depends on the layout.
constexpr NamedUsage kNamedKeys[] = {
    {"0", 0x27},
    {"Enter", 0x28}, {"Esc", 0x29}, {"Back", 0x2A}, {"Tab", 0x2B}, {"Space", 0x2C},
    {"- _", 0x2D}, {"= +", 0x2E}, {"[ {", 0x2F}, {"] }", 0x30},
    {"; :", 0x33}, {"' \"", 0x34}, {"` ~", 0x35}, {", <", 0x36}, {". >", 0x37}, {"/ ?", 0x38},
    {"Caps", 0x39},
    {"Prt", 0x46}, {"Scr", 0x47}, {"Pau", 0x48}, {"Ins", 0x49}, {"Hom", 0x4A}, {"PgU", 0x4B},
    {"Del", 0x4C}, {"End", 0x4D}, {"PgD", 0x4E},
    {"Num", 0x53}, {"KP /", 0x54}, {"KP *", 0x55}, {"KP -", 0x56}, {"KP +", 0x57}, {"KP Enter", 0x58},
    {"KP 7 ", 0x5F}, // with a trailing blank; "KP 7" names no key
    {"KP 0", 0x62}, {"KP .", 0x63},
    {"Eur 2", 0x64}, {"App", 0x65}, {"Power", 0x66}, {"KP =", 0x67},
    {"Keypad", 0x85},
    // Both spellings are the key names the scene stores: "Intl'2" is 0x88, "Int'l 2" is 0x89.
    {"Int'l 1", 0x87}, {"Intl'2", 0x88}, {"Int'l 2", 0x89}, {"Int'l 4", 0x8A}, {"Int'l 5", 0x8B},
    {"Lang 1", 0x90}, {"Lang 2", 0x91},
    {"L Ctrl", 0xE0}, {"L Shift", 0xE1}, {"L Alt", 0xE2}, {"L GUI", 0xE3},
    {"R Ctrl", 0xE4}, {"R Shift", 0xE5}, {"R Alt", 0xE6}, {"R GUI", 0xE7},
};

// The arrows are single characters that a translation may replace.
constexpr NamedUsage kArrowKeys[] = {
    {u8"\u25BA", 0x4F}, {u8"\u25C4", 0x50}, {u8"\u25BC", 0x51}, {u8"\u25B2", 0x52},
};

constexpr const char *kBackslashName = "\\ |";
constexpr uchar kBackslashUs = 0x31;
constexpr uchar kBackslashUk = 0x32;

struct NumberedRun {
    const char *format; // %1 = the number
    int first;
    int last;
    uchar firstUsage;
};

constexpr NumberedRun kNumberedKeys[] = {
    {"%1", 1, 9, 0x1E},
    {"F%1", 1, 12, 0x3A},
    {"F%1", 13, 24, 0x68},
    {"KP %1", 1, 6, 0x59},
    {"KP %1", 8, 9, 0x60},
};

constexpr int kLastPosition = KeyMap::KeyCount - 1;

QString outOfRange(const char *section, int index, int value)
{
    return QStringLiteral("key map %1/%2 = %3 is outside 0..%4")
        .arg(QLatin1String(section)).arg(index).arg(value).arg(kLastPosition);
}

// The first entry beyond the last key position, as a reason; empty when there is none.
QString badEntry(const char *section, const KeyMap::PositionMap &map)
{
    const auto it = std::find_if(map.begin(), map.end(), [](uchar p) { return p > kLastPosition; });
    return it == map.end() ? QString() : outOfRange(section, int(it - map.begin()), *it);
}

const char *tableName(KeyMap::Table table)
{
    return table == KeyMap::Table::KeyMatrix ? "key matrix" : "user picture";
}

KeyMap::PositionMap readSection(QSettings &file, const QString &section)
{
    KeyMap::PositionMap map{};
    for (int i = 0; i < KeyMap::KeyCount; ++i)
        map[i] = uchar(file.value(section + QLatin1Char('/') + QString::number(i), 0).toUInt());
    return map;
}

} // namespace

KeyMap::KeyMap(Layout layout, const QString &baseDir)
    : m_keyNames(buildKeyNameMap(layout))
{
    QSettings file(QDir(baseDir).filePath(QStringLiteral("modules/setting/keymap.bin")), QSettings::IniFormat);
    m_fwToSw = readSection(file, QStringLiteral("fw_sw"));
    m_swToFw = readSection(file, QStringLiteral("sw_fw"));
}

KeyMap::KeyNames KeyMap::buildKeyNameMap(Layout layout)
{
    KeyNames names;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        names.insert(QString(QLatin1Char(letter)), uchar(0x04 + (letter - 'A')));
    for (const NumberedRun &run : kNumberedKeys) {
        for (int n = run.first; n <= run.last; ++n)
            names.insert(QString::fromLatin1(run.format).arg(n), uchar(run.firstUsage + (n - run.first)));
    }
    for (const NamedUsage &key : kNamedKeys)
        names.insert(QString::fromUtf8(key.name), key.usage);
    for (const NamedUsage &key : kArrowKeys)
        names.insert(QCoreApplication::translate(nullptr, key.name), key.usage);
    names.insert(QString::fromLatin1(kBackslashName), layout == Layout::US ? kBackslashUs : kBackslashUk);
    return names;
}

KeyMap::PositionMap KeyMap::identityMap()
{
    PositionMap map{};
    for (int i = 0; i < KeyCount; ++i)
        map[i] = uchar(i);
    return map;
}

int KeyMap::requiredLength(Table table, const PositionMap &fwToSw)
{
    const int named = (*std::max_element(fwToSw.begin(), fwToSw.end()) + 1) * GroupSize;
    return table == Table::KeyMatrix ? std::max(named, SceneValues) : named;
}

QString KeyMap::refusalReason(const QVariantList &src, Table table, const PositionMap &fwToSw)
{
    const QString entry = badEntry("fw_sw", fwToSw);
    if (!entry.isEmpty())
        return entry;
    const int needed = requiredLength(table, fwToSw);
    if (src.size() < needed)
        return QStringLiteral("%1 values, %2 needed").arg(src.size()).arg(needed);
    return QString();
}

QByteArray KeyMap::permuteToFirmware(const QVariantList &src, Table table, const PositionMap &fwToSw)
{
    if (!refusalReason(src, table, fwToSw).isEmpty())
        return QByteArray();
    QByteArray buffer(BufferSize, '\0');
    for (int i = 0; i < KeyCount; ++i) {
        for (int k = 0; k < GroupSize; ++k)
            buffer[i * GroupSize + k] = char(src.at(fwToSw[i] * GroupSize + k).toInt() & 0xFF);
    }
    return buffer;
}

QVariantList KeyMap::permuteToScene(const QByteArray &firmware, const PositionMap &swToFw)
{
    if (firmware.size() < BufferSize || !badEntry("sw_fw", swToFw).isEmpty())
        return QVariantList();
    QVariantList scene;
    scene.reserve(SceneValues);
    for (int i = 0; i < KeyCount; ++i) {
        for (int k = 0; k < GroupSize; ++k)
            scene.append(int(uchar(firmware.at(swToFw[i] * GroupSize + k))));
    }
    return scene;
}

QByteArray KeyMap::toFirmware(const QVariantList &src, Table table) const
{
    const QString reason = refusalReason(src, table, m_fwToSw);
    if (!reason.isEmpty()) {
        qCDebug(lcServices).noquote() << tableName(table) << "refused:" << reason;
        return QByteArray();
    }
    return permuteToFirmware(src, table, m_fwToSw);
}

QVariantList KeyMap::toScene(const QByteArray &firmware) const
{
    QString reason = badEntry("sw_fw", m_swToFw);
    if (reason.isEmpty() && firmware.size() < BufferSize)
        reason = QStringLiteral("%1 bytes, %2 needed").arg(firmware.size()).arg(BufferSize);
    if (!reason.isEmpty()) {
        qCDebug(lcServices).noquote() << "key matrix read-back refused:" << reason;
        return QVariantList();
    }
    return permuteToScene(firmware, m_swToFw);
}

QVariantList KeyMap::keyDefinition(const QVariantList &src, int position)
{
    return src.mid(position * GroupSize, GroupSize);
}

QVariantList KeyMap::parseKeyDefinition(const QVariant &stored)
{
    // A list comes back from the profile file as texts; one written in this run may still hold
    // the scene's numbers.
    if (stored.userType() != QMetaType::QStringList && stored.userType() != QMetaType::QVariantList)
        return QVariantList();
    const QVariantList values = stored.toList();
    if (values.size() != GroupSize)
        return QVariantList();
    QVariantList definition;
    for (const QVariant &value : values) {
        bool ok = false;
        const uint byte = value.toString().trimmed().toUInt(&ok, 10);
        if (!ok || byte > 0xFF)
            return QVariantList();
        definition.append(int(byte));
    }
    return definition;
}
