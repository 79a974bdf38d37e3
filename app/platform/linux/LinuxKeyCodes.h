// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

// What the Linux input layer knows of keys and buttons, in the terms of a Windows low-level hook.
namespace LinuxKeyCodes {

// An X server's key code is the Linux input key code plus this offset.
constexpr int kXKeycodeOffset = 8;

struct ScanCode {
    quint32 scan;
    bool extended;
};

// The set-1 scan code and extended flag that a Windows low-level keyboard hook reports for the
// key with this Linux input key code; nothing for a key the key-code tables do not know (the
// right Windows key, media keys and the like). Pause and Num Lock share scan code 0x45 and
// differ in the flag, as they do in such a hook.
std::optional<ScanCode> scanCodeOf(int linuxKeyCode);

// An X pointer button (1 left, 2 middle, 3 right, then wheel and extra buttons) as the hook's
// button number (1 left, 2 right, 3 middle); 0 for every other button.
uint hookButtonOf(int xButton);

} // namespace LinuxKeyCodes
