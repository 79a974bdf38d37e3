// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeyMap.h"

#include <QtGlobal>

// The keyboard hook's two fixed tables.
//
// A key event arrives as the hardware scan code that a Windows low-level keyboard hook reports,
// with its extended flag (the platform layers of other systems translate their own key codes to
// the same values). scanToVk turns it into a Windows virtual-key code without regard to the
// keyboard layout that the desktop has loaded; vkToUsage turns that into a usage of the HID
// Keyboard/Keypad page. A key absent from either table reads as 0: no key.
//
// The tables are constant data, safe to read from any thread.
namespace KeyCodes {

// The Windows virtual-key codes the tables use (the values of the platform's VK_ names). Letters
// and digits are their upper-case ASCII characters.
namespace Vk {
enum : uchar {
    Back = 0x08, Tab = 0x09, Return = 0x0D, Pause = 0x13, Capital = 0x14, Escape = 0x1B,
    Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24,
    Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28,
    Snapshot = 0x2C, Insert = 0x2D, Delete = 0x2E,
    LWin = 0x5B, RWin = 0x5C, Apps = 0x5D,
    Numpad0 = 0x60, Numpad1, Numpad2, Numpad3, Numpad4, Numpad5, Numpad6, Numpad7, Numpad8, Numpad9,
    Multiply = 0x6A, Add = 0x6B, Subtract = 0x6D, Decimal = 0x6E, Divide = 0x6F,
    F1 = 0x70, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    F13, F14, F15, F16, F17, F18, F19, F20, F21, F22, F23, F24,
    NumLock = 0x90, Scroll = 0x91,
    LShift = 0xA0, RShift = 0xA1, LControl = 0xA2, RControl = 0xA3, LMenu = 0xA4, RMenu = 0xA5,
    Oem1 = 0xBA, OemPlus = 0xBB, OemComma = 0xBC, OemMinus = 0xBD, OemPeriod = 0xBE, Oem2 = 0xBF,
    Oem3 = 0xC0, AbntC1 = 0xC1, AbntC2 = 0xC2,
    Oem4 = 0xDB, Oem5 = 0xDC, Oem6 = 0xDD, Oem7 = 0xDE, Oem102 = 0xE2,
    OemEB = 0xEB,          // OEM-specific, the Japanese keyboard's Kana key on some drivers
    NoMapping = 0xFF,      // what Windows reports for keys without a virtual key
};
} // namespace Vk

// A virtual-key code that Windows leaves unassigned, used inside these tables for the keypad
// Enter key, which Windows itself reports as VK_RETURN like the main Enter key.
constexpr uchar VK_KEYPAD_ENTER = 0x0E;

// The key of scanToVk: (scan code << 8) | extended flag. A scan code above 255 keeps only the
// flag, which names no key.
quint16 scanKey(quint32 scanCode, bool extended);

uchar scanToVk(quint16 key);
uchar vkToUsage(uchar vk, KeyMap::Layout layout);

// The virtual key of one key event: scanToVk, except for the two combinations that change a key's
// scan code. Ctrl+Pause arrives as Break (0x46 with the extended flag) and gives the Pause key;
// Print Screen held with Alt arrives as SysRq (0x54) and gives the Print Screen key.
uchar virtualKey(quint32 scanCode, bool extended, bool altDown);

// True when some key event gives `usage` through the two tables in this layout's build. A key
// that arrives as a usage (the keyboard's own key reports) is heard only then, so that every
// source hears the same keys: not the right Windows key, for one, and in the US build not the
// UK keyboard's key beside Enter (0x32).
bool isHeardUsage(uchar usage, KeyMap::Layout layout);

} // namespace KeyCodes
