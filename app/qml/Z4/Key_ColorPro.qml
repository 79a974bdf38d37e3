// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// One key of the lighting model. It shows the level the effect controller gave it: its label
// red at that opacity, or, for a user picture (solid), opaque with that red component; a white
// copy of the label at 10 % keeps an unlit key readable. Its centre and column place it for
// the lighting preview; `highlighted` and `selected` are the painting band's (the model draws
// the highlight frames).
//
// A running effect changes only the label's opacity: the software renderer then redraws the
// glyphs without laying the text out again, which keeps the preview cheap.
Key_Base {
    id: key

    property real level: 0          // 0..255
    property bool solid: false
    property bool selected: false
    property bool highlighted: false

    readonly property int centerX: Math.floor(x + width / 2)
    readonly property int centerY: Math.floor(y + height / 2)
    readonly property int column: Math.floor(matrix / 6)

    labelColor: solid ? Qt.rgba(level / 255, 0, 0, 1) : "#FF0000"
    labelOpacity: solid ? 1 : level / 255

    Text {
        anchors.centerIn: parent
        text: key.name
        font.family: root.globalSetting_fontFamily
        font.pixelSize: key.labelSize
        font.bold: true
        color: "#FFFFFF"
        opacity: 0.1
    }
}
