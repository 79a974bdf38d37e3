// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyCodes.h"

#include <array>
#include <iterator>

namespace KeyCodes {
namespace {

struct ScanToVkRow {
    uchar scan;
    bool extended;
    uchar vk;
};

// One row per key. The keypad digits give their VK_NUMPAD codes whatever the Num Lock state.
// There is deliberately no row for the right Windows key, for 0x36 without the extended flag
// and for 0x54 (see virtualKey).
constexpr ScanToVkRow kScanToVkRows[] = {
    {0x01, false, Vk::Escape},
    {0x02, false, '1'}, {0x03, false, '2'}, {0x04, false, '3'}, {0x05, false, '4'},
    {0x06, false, '5'}, {0x07, false, '6'}, {0x08, false, '7'}, {0x09, false, '8'},
    {0x0A, false, '9'}, {0x0B, false, '0'},
    {0x0C, false, Vk::OemMinus}, {0x0D, false, Vk::OemPlus}, {0x0E, false, Vk::Back},
    {0x0F, false, Vk::Tab},
    {0x10, false, 'Q'}, {0x11, false, 'W'}, {0x12, false, 'E'}, {0x13, false, 'R'},
    {0x14, false, 'T'}, {0x15, false, 'Y'}, {0x16, false, 'U'}, {0x17, false, 'I'},
    {0x18, false, 'O'}, {0x19, false, 'P'},
    {0x1A, false, Vk::Oem4}, {0x1B, false, Vk::Oem6}, {0x1C, false, Vk::Return},
    {0x1D, false, Vk::LControl},
    {0x1E, false, 'A'}, {0x1F, false, 'S'}, {0x20, false, 'D'}, {0x21, false, 'F'},
    {0x22, false, 'G'}, {0x23, false, 'H'}, {0x24, false, 'J'}, {0x25, false, 'K'},
    {0x26, false, 'L'},
    {0x27, false, Vk::Oem1}, {0x28, false, Vk::Oem7}, {0x29, false, Vk::Oem3},
    {0x2A, false, Vk::LShift}, {0x2B, false, Vk::Oem5},
    {0x2C, false, 'Z'}, {0x2D, false, 'X'}, {0x2E, false, 'C'}, {0x2F, false, 'V'},
    {0x30, false, 'B'}, {0x31, false, 'N'}, {0x32, false, 'M'},
    {0x33, false, Vk::OemComma}, {0x34, false, Vk::OemPeriod}, {0x35, false, Vk::Oem2},
    {0x37, false, Vk::Multiply}, {0x38, false, Vk::LMenu}, {0x39, false, Vk::Space},
    {0x3A, false, Vk::Capital},
    {0x3B, false, Vk::F1}, {0x3C, false, Vk::F2}, {0x3D, false, Vk::F3}, {0x3E, false, Vk::F4},
    {0x3F, false, Vk::F5}, {0x40, false, Vk::F6}, {0x41, false, Vk::F7}, {0x42, false, Vk::F8},
    {0x43, false, Vk::F9}, {0x44, false, Vk::F10},
    {0x57, false, Vk::F11}, {0x58, false, Vk::F12}, {0x6E, false, Vk::F23},
    {0x45, false, Vk::Pause}, {0x46, false, Vk::Scroll},
    {0x47, false, Vk::Numpad7}, {0x48, false, Vk::Numpad8}, {0x49, false, Vk::Numpad9},
    {0x4A, false, Vk::Subtract},
    {0x4B, false, Vk::Numpad4}, {0x4C, false, Vk::Numpad5}, {0x4D, false, Vk::Numpad6},
    {0x4E, false, Vk::Add},
    {0x4F, false, Vk::Numpad1}, {0x50, false, Vk::Numpad2}, {0x51, false, Vk::Numpad3},
    {0x52, false, Vk::Numpad0}, {0x53, false, Vk::Decimal},
    {0x56, false, Vk::Oem102},

    {0x1C, true, VK_KEYPAD_ENTER}, {0x1D, true, Vk::RControl}, {0x35, true, Vk::Divide},
    {0x36, true, Vk::RShift}, {0x37, true, Vk::Snapshot}, {0x38, true, Vk::RMenu},
    {0x45, true, Vk::NumLock},
    {0x47, true, Vk::Home}, {0x48, true, Vk::Up}, {0x49, true, Vk::Prior},
    {0x4B, true, Vk::Left}, {0x4D, true, Vk::Right},
    {0x4F, true, Vk::End}, {0x50, true, Vk::Down}, {0x51, true, Vk::Next},
    {0x52, true, Vk::Insert}, {0x53, true, Vk::Delete},
    {0x5B, true, Vk::LWin}, {0x5D, true, Vk::Apps},
};
static_assert(std::size(kScanToVkRows) == 105, "scanToVk holds 105 keys");

struct VkToUsageRow {
    uchar vk;
    uchar usage;
};

// The usual correspondence between Windows virtual keys and the HID Keyboard/Keypad page, with
// the private code for keypad Enter. The backslash key (VK_OEM_5) is in kLayoutRows. Some rows
// name virtual keys that scanToVk never produces; they complete the correspondence.
constexpr VkToUsageRow kVkToUsageRows[] = {
    {'A', 0x04}, {'B', 0x05}, {'C', 0x06}, {'D', 0x07}, {'E', 0x08}, {'F', 0x09}, {'G', 0x0A},
    {'H', 0x0B}, {'I', 0x0C}, {'J', 0x0D}, {'K', 0x0E}, {'L', 0x0F}, {'M', 0x10}, {'N', 0x11},
    {'O', 0x12}, {'P', 0x13}, {'Q', 0x14}, {'R', 0x15}, {'S', 0x16}, {'T', 0x17}, {'U', 0x18},
    {'V', 0x19}, {'W', 0x1A}, {'X', 0x1B}, {'Y', 0x1C}, {'Z', 0x1D},
    {'1', 0x1E}, {'2', 0x1F}, {'3', 0x20}, {'4', 0x21}, {'5', 0x22}, {'6', 0x23}, {'7', 0x24},
    {'8', 0x25}, {'9', 0x26}, {'0', 0x27},
    {Vk::Return, 0x28}, {VK_KEYPAD_ENTER, 0x58}, {Vk::Escape, 0x29}, {Vk::Back, 0x2A},
    {Vk::Tab, 0x2B}, {Vk::Space, 0x2C},
    {Vk::OemMinus, 0x2D}, {Vk::OemPlus, 0x2E}, {Vk::Oem4, 0x2F}, {Vk::Oem6, 0x30},
    {Vk::Oem1, 0x33}, {Vk::Oem7, 0x34}, {Vk::Oem3, 0x35}, {Vk::OemComma, 0x36},
    {Vk::OemPeriod, 0x37}, {Vk::Oem2, 0x38},
    {Vk::Capital, 0x39},
    {Vk::F1, 0x3A}, {Vk::F2, 0x3B}, {Vk::F3, 0x3C}, {Vk::F4, 0x3D}, {Vk::F5, 0x3E},
    {Vk::F6, 0x3F}, {Vk::F7, 0x40}, {Vk::F8, 0x41}, {Vk::F9, 0x42}, {Vk::F10, 0x43},
    {Vk::F11, 0x44}, {Vk::F12, 0x45},
    {Vk::Snapshot, 0x46}, {Vk::Scroll, 0x47}, {Vk::Pause, 0x48}, {Vk::Insert, 0x49},
    {Vk::Home, 0x4A}, {Vk::Prior, 0x4B}, {Vk::Delete, 0x4C}, {Vk::End, 0x4D}, {Vk::Next, 0x4E},
    {Vk::Right, 0x4F}, {Vk::Left, 0x50}, {Vk::Down, 0x51}, {Vk::Up, 0x52},
    {Vk::NumLock, 0x53}, {Vk::Divide, 0x54}, {Vk::Multiply, 0x55}, {Vk::Subtract, 0x56},
    {Vk::Add, 0x57},
    {Vk::Numpad1, 0x59}, {Vk::Numpad2, 0x5A}, {Vk::Numpad3, 0x5B}, {Vk::Numpad4, 0x5C},
    {Vk::Numpad5, 0x5D}, {Vk::Numpad6, 0x5E}, {Vk::Numpad7, 0x5F}, {Vk::Numpad8, 0x60},
    {Vk::Numpad9, 0x61}, {Vk::Numpad0, 0x62}, {Vk::Decimal, 0x63},
    {Vk::Oem102, 0x64}, {Vk::Apps, 0x65}, {Vk::NoMapping, 0x66},
    {Vk::F13, 0x68}, {Vk::F14, 0x69}, {Vk::F15, 0x6A}, {Vk::F16, 0x6B}, {Vk::F17, 0x6C},
    {Vk::F18, 0x6D}, {Vk::F19, 0x6E}, {Vk::F20, 0x6F}, {Vk::F21, 0x70}, {Vk::F22, 0x71},
    {Vk::F23, 0x72}, {Vk::F24, 0x73},
    {Vk::AbntC2, 0x85}, {Vk::AbntC1, 0x87}, {Vk::OemEB, 0x8B},
    {Vk::LControl, 0xE0}, {Vk::LShift, 0xE1}, {Vk::LMenu, 0xE2}, {Vk::LWin, 0xE3},
    {Vk::RControl, 0xE4}, {Vk::RShift, 0xE5}, {Vk::RMenu, 0xE6}, {Vk::RWin, 0xE7},
};

struct LayoutRow {
    KeyMap::Layout layout;
    VkToUsageRow row;
};

// The one row in which the two builds differ: the key beside Enter is Keyboard \ and | on the US
// keyboard and Keyboard Non-US # and ~ on the UK keyboard.
constexpr LayoutRow kLayoutRows[] = {
    {KeyMap::Layout::US, {Vk::Oem5, 0x31}},
    {KeyMap::Layout::UK, {Vk::Oem5, 0x32}},
};
static_assert(std::size(kVkToUsageRows) + 1 == 121, "vkToUsage holds 121 keys in each build");

// Rows name each key once: a second row for a key would silently override the first.
constexpr bool scanKeysUnique()
{
    for (std::size_t i = 0; i < std::size(kScanToVkRows); ++i)
        for (std::size_t j = i + 1; j < std::size(kScanToVkRows); ++j)
            if (kScanToVkRows[i].scan == kScanToVkRows[j].scan
                && kScanToVkRows[i].extended == kScanToVkRows[j].extended)
                return false;
    return true;
}
static_assert(scanKeysUnique(), "a scan code appears twice in scanToVk");

constexpr bool virtualKeysUnique()
{
    for (std::size_t i = 0; i < std::size(kVkToUsageRows); ++i) {
        for (std::size_t j = i + 1; j < std::size(kVkToUsageRows); ++j)
            if (kVkToUsageRows[i].vk == kVkToUsageRows[j].vk)
                return false;
        for (const LayoutRow &patch : kLayoutRows)
            if (patch.row.vk == kVkToUsageRows[i].vk)
                return false;
    }
    return true;
}
static_assert(virtualKeysUnique(), "a virtual key appears twice in vkToUsage");

// Dense lookups, built at compile time: index scan * 2 + extended.
constexpr std::array<uchar, 512> buildScanToVk()
{
    std::array<uchar, 512> table{};
    for (const ScanToVkRow &row : kScanToVkRows)
        table[row.scan * 2 + (row.extended ? 1 : 0)] = row.vk;
    return table;
}

constexpr std::array<uchar, 256> buildVkToUsage(KeyMap::Layout layout)
{
    std::array<uchar, 256> table{};
    for (const VkToUsageRow &row : kVkToUsageRows)
        table[row.vk] = row.usage;
    for (const LayoutRow &patch : kLayoutRows)
        if (patch.layout == layout)
            table[patch.row.vk] = patch.row.usage;
    return table;
}

constexpr std::array<uchar, 512> kScanToVk = buildScanToVk();
constexpr std::array<uchar, 256> kVkToUsageUs = buildVkToUsage(KeyMap::Layout::US);
constexpr std::array<uchar, 256> kVkToUsageUk = buildVkToUsage(KeyMap::Layout::UK);

struct Combination {
    quint32 scan;
    bool needsExtended;
    bool needsAlt;
    uchar vk;
};

constexpr Combination kCombinations[] = {
    {0x46, true, false, Vk::Pause},      // Ctrl+Pause: Break
    {0x54, false, true, Vk::Snapshot},   // Alt+Print Screen: SysRq
};

// The usages some key event can give: what a source that reports usages itself may report.
constexpr std::array<bool, 256> buildHeardUsages(const std::array<uchar, 256> &vkToUsage)
{
    std::array<bool, 256> heard{};
    for (const ScanToVkRow &row : kScanToVkRows)
        heard[vkToUsage[row.vk]] = true;
    for (const Combination &combination : kCombinations)
        heard[vkToUsage[combination.vk]] = true;
    heard[0] = false;
    return heard;
}

constexpr std::array<bool, 256> kHeardUsagesUs = buildHeardUsages(kVkToUsageUs);
constexpr std::array<bool, 256> kHeardUsagesUk = buildHeardUsages(kVkToUsageUk);

} // namespace

quint16 scanKey(quint32 scanCode, bool extended)
{
    const quint16 flag = extended ? 1 : 0;
    return scanCode > 0xFF ? flag : quint16((scanCode << 8) | flag);
}

uchar scanToVk(quint16 key)
{
    const int flag = key & 0xFF;
    if (flag > 1)
        return 0;
    return kScanToVk[(key >> 8) * 2 + flag];
}

uchar vkToUsage(uchar vk, KeyMap::Layout layout)
{
    return layout == KeyMap::Layout::UK ? kVkToUsageUk[vk] : kVkToUsageUs[vk];
}

bool isHeardUsage(uchar usage, KeyMap::Layout layout)
{
    return layout == KeyMap::Layout::UK ? kHeardUsagesUk[usage] : kHeardUsagesUs[usage];
}

uchar virtualKey(quint32 scanCode, bool extended, bool altDown)
{
    for (const Combination &combination : kCombinations) {
        if (scanCode == combination.scan && (extended || !combination.needsExtended)
            && (altDown || !combination.needsAlt))
            return combination.vk;
    }
    return scanToVk(scanKey(scanCode, extended));
}

} // namespace KeyCodes
