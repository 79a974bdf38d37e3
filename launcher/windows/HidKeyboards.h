// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <optional>

// The Norvane keyboard among the HID interfaces, told by its vendor and product ID; the
// answer is its release number (the HID attributes' version number).
namespace HidKeyboards {

// The HID device interface class (GUID_DEVINTERFACE_HID).
GUID interfaceClass();

// The first present HID interface that is the keyboard's (SetupAPI enumeration).
std::optional<unsigned short> scan();

// The keyboard's release number when a WM_DEVICECHANGE arrival broadcast (its lParam) is a
// device-interface broadcast naming one of the keyboard's interfaces. Broadcasts of other
// types (a new disk volume, a port) carry no path and give nothing, as do malformed ones.
std::optional<unsigned short> arrival(LPARAM broadcast);

} // namespace HidKeyboards
