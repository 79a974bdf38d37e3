// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// US keyboard: App defaults to the Application usage, backslash to the US backslash usage.
Model_KeyDefine_Base {
    appUsage: 0x65
    backslashUsage: 0x31
}
