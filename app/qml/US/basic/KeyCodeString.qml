// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// US keyboard: App sends the Application usage, backslash the US backslash usage.
KeyCodeString_Base {
    appUsage: 0x65
    backslashUsage: 0x31
}
