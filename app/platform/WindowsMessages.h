// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

// What the Windows glue receives, decoded here so that the glue itself only moves values: the
// notifications of the low-level keyboard and mouse hooks and the window messages of the main
// window's native-message filter. Plain numbers in, plain answers out; portable and tested.
namespace WindowsMessages {

// Bits of a low-level keyboard hook's flags (LLKHF_EXTENDED, LLKHF_ALTDOWN).
constexpr quint32 kExtendedFlag = 0x01;
constexpr quint32 kAltDownFlag = 0x20;

// A keyboard hook notification is a key going down when its code is HC_ACTION and its message
// WM_KEYDOWN or WM_SYSKEYDOWN; every other notification counts as a release.
bool isKeyDown(int code, quintptr message);

struct MouseButton {
    uint button;   // 1 left, 2 right, 3 middle
    bool isDown;
};

// The button of a mouse hook message; nothing for double clicks, moves, wheels and the rest.
std::optional<MouseButton> mouseButton(quintptr message);

enum class SystemNotice { None, DeviceChange, Resume };

// WM_DEVICECHANGE, whatever its parameter, is a device change; WM_POWERBROADCAST with
// PBT_APMRESUMEAUTOMATIC is the resume from sleep. Everything else is nothing to us.
SystemNotice systemNotice(quint32 message, quintptr wParam);

} // namespace WindowsMessages
