// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <array>

// Key positions between the scene and the keyboard, and the names of keyboard keys.
//
// The scene numbers its 126 keys column by column (column x 6 + row); the firmware numbers the
// same keys in its own matrix order. "<base>/modules/setting/keymap.bin" holds the translation
// both ways: section fw_sw gives, for each firmware position, the scene position whose 4-byte
// group goes there; section sw_fw gives, for each scene position, the firmware position it shows.
//
// The key-name table turns the key names of macro steps into USB usages of the Keyboard/Keypad
// page. Both tables are filled by the constructor and only read afterwards; a KeyMap is safe to
// read from any thread once constructed.
//
// Lists from the scene and read-back buffers are checked before they are permuted: a list too
// short for the map, or a map entry outside 0..125, is refused with one debug line under
// tarvenix.services and an empty result, so the caller stores and sends nothing.
class KeyMap
{
public:
    // The two builds differ only in which usage the backslash key has.
    enum class Layout { US, UK };
    // What a scene list carries; a key matrix also fills the 126 stored key definitions.
    enum class Table { KeyMatrix, UserPicture };

    static constexpr int KeyCount = 126;
    static constexpr int GroupSize = 4;
    static constexpr int SceneValues = KeyCount * GroupSize;
    // The keyboard's buffer holds 128 groups; the last two are unused and stay zero.
    static constexpr int BufferSize = 512;

    using PositionMap = std::array<uchar, KeyCount>;
    using KeyNames = QHash<QString, uchar>;

    explicit KeyMap(Layout layout, const QString &baseDir = QStringLiteral("."));

    // firmware position -> scene position, and scene position -> firmware position. A missing
    // file or key reads as 0; values are kept as their low byte.
    const PositionMap &fwToSwMap() const { return m_fwToSw; }
    const PositionMap &swToFwMap() const { return m_swToFw; }
    // key name -> usage; an absent name means no key (value(name, 0)).
    const KeyNames &keyNameMap() const { return m_keyNames; }

    // The scene's list in firmware order (BufferSize bytes), or empty when refused.
    QByteArray toFirmware(const QVariantList &src, Table table) const;
    // A key matrix read from the keyboard in scene order (SceneValues integers 0..255), or
    // empty when refused.
    QVariantList toScene(const QByteArray &firmware) const;

    static KeyNames buildKeyNameMap(Layout layout);
    static PositionMap identityMap();

    // How many values a scene list needs with this map: every group the map names, and for a
    // key matrix every key's definition.
    static int requiredLength(Table table, const PositionMap &fwToSw);
    // Why the list cannot be sent with this map; empty when it can.
    static QString refusalReason(const QVariantList &src, Table table, const PositionMap &fwToSw);
    // Firmware position i receives the low bytes of the group at scene position fwToSw[i];
    // groups 126 and 127 are zero. Empty when refusalReason() is not.
    static QByteArray permuteToFirmware(const QVariantList &src, Table table, const PositionMap &fwToSw);
    // Scene position i shows the group at firmware position swToFw[i]. Empty when the buffer is
    // shorter than BufferSize or an entry lies outside 0..125.
    static QVariantList permuteToScene(const QByteArray &firmware, const PositionMap &swToFw);

    // The stored definition of one key: the scene's four values for the position, unconverted.
    // The list must hold SceneValues elements (toFirmware() accepted it as a key matrix).
    static QVariantList keyDefinition(const QVariantList &src, int position);
    // A stored key definition as the scene reads it back: four integers 0..255, or an empty list
    // for anything else (absent, not a list, wrong count, a value that is no such integer).
    static QVariantList parseKeyDefinition(const QVariant &stored);

private:
    PositionMap m_fwToSw{};
    PositionMap m_swToFw{};
    KeyNames m_keyNames;
};
