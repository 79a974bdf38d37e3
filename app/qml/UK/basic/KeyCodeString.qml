// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// UK keyboard: App sends the non-US backslash usage (0x64), backslash the non-US hash usage.
KeyCodeString_Base {
    appUsage: 0x64
    backslashUsage: 0x32
}
