// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileContent.h"

#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace {

struct KeyCode
{
    quint8 kind, byte1, byte2, byte3;
};

constexpr KeyCode key(quint8 usage) { return {0x00, 0x00, usage, 0x00}; }
constexpr KeyCode withLeftCtrl(quint8 usage) { return {0x00, 0xE0, usage, 0x00}; }
constexpr KeyCode media(quint16 usage) { return {0x03, 0x00, quint8(usage & 0xFF), quint8(usage >> 8)}; }
constexpr KeyCode fn{0x02, 0x00, 0x00, 0x00};
constexpr KeyCode none{0x00, 0x00, 0x00, 0x00};

// US build, one line per column, rows 0 (bottom) to 5 (function keys).
constexpr std::array<KeyCode, ProfileContent::keyCount> usDefaults{{
    key(0xE0), key(0xE1), key(0x39), key(0x2B), key(0x35), key(0x29),         // L Ctrl, L Shift, Caps, Tab, `, Esc
    key(0xE3), key(0x1D), key(0x04), key(0x14), key(0x1E), key(0x64),         // L GUI, Z, A, Q, 1, K45
    key(0xE2), key(0x1B), key(0x16), key(0x1A), key(0x1F), key(0x3A),         // L Alt, X, S, W, 2, F1
    key(0x91), key(0x06), key(0x07), key(0x08), key(0x20), key(0x3B),         // K150, C, D, E, 3, F2
    none,      key(0x19), key(0x09), key(0x15), key(0x21), key(0x3C),         // K131, V, F, R, 4, F3
    key(0x2C), key(0x05), key(0x0A), key(0x17), key(0x22), key(0x3D),         // Space, B, G, T, 5, F4
    none,      key(0x11), key(0x0B), key(0x1C), key(0x23), key(0x3E),         // LED_RGB, N, H, Y, 6, F5
    none,      key(0x10), key(0x0D), key(0x18), key(0x24), key(0x3F),         // K132, M, J, U, 7, F6
    key(0x90), key(0x36), key(0x0E), key(0x0C), key(0x25), key(0x40),         // K151, ",", K, I, 8, F7
    key(0xE6), key(0x37), key(0x0F), key(0x12), key(0x26), key(0x41),         // R Alt, ".", L, O, 9, F8
    fn,        key(0x38), key(0x33), key(0x13), key(0x27), key(0x42),         // Fn, /, ;, P, 0, F9
    key(0x65), none,      key(0x34), key(0x2F), key(0x2D), key(0x43),         // App, K56, ', [, -, F10
    none,      key(0xE5), none,      key(0x30), key(0x2E), key(0x44),         // K133, R Shift, K42, ], =, F11
    key(0xE4), key(0x31), key(0x31), key(0x28), key(0x2A), key(0x45),         // R Ctrl, K14, \, Enter, Back, F12
    key(0x50), withLeftCtrl(0x1F), withLeftCtrl(0x21), key(0x4C), key(0x49), key(0x46), // left, M1, G4, Del, Ins, Prt
    key(0x51), key(0x52), withLeftCtrl(0x22), key(0x4D), key(0x4A), key(0x47), // down, up, G5, End, Hom, Scr
    key(0x4F), none,      none,      key(0x4E), key(0x4B), key(0x48),         // right, LED OFF/ON, G6, PgD, PgU, Pau
    key(0x62), key(0x59), key(0x5C), key(0x5F), key(0x53), media(0x00EA),     // KP 0, 1, 4, 7, Num, volume down
    withLeftCtrl(0x1E), key(0x5A), key(0x5D), key(0x60), key(0x54), media(0x0183), // M2, KP 2, 5, 8, /, media select
    key(0x63), key(0x5B), key(0x5E), key(0x61), key(0x55), media(0x00CD),     // KP ., 3, 6, 9, *, play/pause
    key(0x58), none,      key(0x57), withLeftCtrl(0x20), key(0x56), media(0x00E9), // KP Enter, K107, +, M3, -, volume up
}};

struct LayoutPatch
{
    int position;
    KeyCode code;
};

// The UK build's differences; position 79 shares position 80's code in both builds.
constexpr LayoutPatch ukPatches[] = {
    {66, key(0x64)},
    {79, key(0x32)},
    {80, key(0x32)},
};

constexpr int backslashShadow = 79;
constexpr int backslash = 80;

constexpr std::array<int, 22> hiddenPositions{
    11, 18, 24, 36, 42, 48, 67, 72, 74, 79, 85, 86, 92, 97, 98, 107, 108, 113, 119, 121, 123, 125};

bool isHidden(int position)
{
    return std::find(hiddenPositions.begin(), hiddenPositions.end(), position) != hiddenPositions.end();
}

// Red level 0..255 of a visible key at grid column 0..20 and row 0..5 (0 at the bottom).
using Painter = int (*)(int column, int row);

int gradient(int column, int)
{
    return qRound(40 + 215.0 * column / 20);
}

int wasd(int column, int row)
{
    const int position = column * 6 + row;
    constexpr int bright[] = {15, 8, 14, 20, 84, 90, 91, 96};             // W A S D and the arrows
    constexpr int around[] = {9, 21, 27, 26, 3, 2, 1, 0, 30, 10, 16, 22, 28, 7, 13, 19}; // Q E R F Tab Caps Shift Ctrl Space 1-4 Z X C
    if (std::find(std::begin(bright), std::end(bright), position) != std::end(bright))
        return 255;
    if (std::find(std::begin(around), std::end(around), position) != std::end(around))
        return 110;
    return 20;
}

int rings(int column, int row)
{
    constexpr int levels[] = {255, 90, 20};
    return levels[qRound(std::hypot(column - 10.0, row - 2.5)) % 3];
}

int wave(int column, int row)
{
    return qBound(0, qRound(127.5 + 127.5 * std::sin(2 * M_PI * (column / 8.0 + row / 12.0))), 255);
}

int cross(int column, int row)
{
    if (column == 10 || row == 2 || row == 3)
        return 255;
    if (column == 9 || column == 11 || row == 1 || row == 4)
        return 70;
    return 10;
}

constexpr Painter painters[ProfileContent::pictureCount] = {gradient, wasd, rings, wave, cross};

QVariantList codeList(const KeyCode &code)
{
    return {int(code.kind), int(code.byte1), int(code.byte2), int(code.byte3)};
}

} // namespace

QString ProfileContent::layoutName(Layout layout)
{
    return layout == Layout::US ? QStringLiteral("US") : QStringLiteral("UK");
}

QVariantList ProfileContent::defaultKeyCode(Layout layout, int position)
{
    if (layout == Layout::UK) {
        for (const LayoutPatch &patch : ukPatches) {
            if (patch.position == position)
                return codeList(patch.code);
        }
    }
    return codeList(usDefaults.at(std::size_t(position)));
}

QVariantList ProfileContent::userPicture(int index)
{
    const Painter paint = painters[index];
    QVariantList picture;
    for (int position = 0; position < 128; ++position) {
        int level = 0;
        if (position == backslashShadow)
            level = paint(backslash / 6, backslash % 6);
        else if (position < keyCount && !isHidden(position))
            level = paint(position / 6, position % 6);
        picture << 0 << level << 0 << 0;
    }
    return picture;
}

QVariantList ProfileContent::ledType()
{
    return {0x01, 0x06, 0x31, 0, 1};
}

QVariantList ProfileContent::firstStartConfiguration()
{
    return {1, 1, 1, 0, 0, false, QString(), 0,
            0, 255, 255, 255, 200, 150, 255, 180, 0, 200, 200, 100,
            200, 170, 255, 255, 180, 180, 160, 190, 160,
            0, 7};
}
