// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// One key of the lighting model. It shows the level the effect controller gave it: its label
// red at that opacity, or, for a user picture (solid), opaque with that red component (red at
// that opacity over the label in black); a white copy of the label at 10 % keeps an unlit key
// readable. While the painting band covers it, it shows its highlight frame. Its centre and
// column place it for the lighting preview.
//
// The level only ever changes an opacity: the software renderer then redraws the glyphs
// without laying the text out again, which keeps a running preview cheap.
Key_Base {
    id: key

    property real level: 0          // 0..255
    property bool solid: false
    property bool selected: false
    property bool highlighted: false

    readonly property int centerX: Math.floor(x + width / 2)
    readonly property int centerY: Math.floor(y + height / 2)
    readonly property int column: Math.floor(matrix / 6)

    labelColor: "#000000"
    labelVisible: solid

    Text {
        anchors.centerIn: parent
        opacity: key.level / 255
        text: key.name
        font.family: root.globalSetting_fontFamily
        font.pixelSize: key.labelSize
        font.bold: true
        color: "#FF0000"
    }

    Text {
        anchors.centerIn: parent
        text: key.name
        font.family: root.globalSetting_fontFamily
        font.pixelSize: key.labelSize
        font.bold: true
        color: "#FFFFFF"
        opacity: 0.1
    }

    Image {
        visible: key.highlighted && key.keyType > 0
        source: visible ? root.skinDir + "/model_kb/k" + key.keyType + "-1.png" : ""
    }
}
