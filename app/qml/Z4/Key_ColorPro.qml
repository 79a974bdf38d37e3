// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// One key of the lighting model: its light level and whether a painting selection holds it.
// Its centre and column place it for the lighting preview.
Key_Base {
    property int level: 0          // 0..255
    property bool selected: false

    readonly property int centerX: Math.floor(x + width / 2)
    readonly property int centerY: Math.floor(y + height / 2)
    readonly property int column: Math.floor(matrix / 6)
}
