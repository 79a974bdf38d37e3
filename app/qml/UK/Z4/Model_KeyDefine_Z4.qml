// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// UK keyboard: App defaults to the non-US backslash usage (0x64), backslash to the non-US hash
// usage (0x32).
Model_KeyDefine_Base {
    appUsage: 0x64
    backslashUsage: 0x32
}
