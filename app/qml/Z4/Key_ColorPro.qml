// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// One key of the lighting model. It shows the level the effect controller gave it: red at that
// opacity, or, for a user picture (solid), opaque with that red component; a white copy of the
// label at 10 % keeps an unlit key readable. While the painting band covers it, it shows its
// highlight frame. Its centre and column place it for the lighting preview.
Key_Base {
    id: key

    property real level: 0          // 0..255
    property bool solid: false
    property bool selected: false
    property bool highlighted: false

    readonly property int centerX: Math.floor(x + width / 2)
    readonly property int centerY: Math.floor(y + height / 2)
    readonly property int column: Math.floor(matrix / 6)

    labelColor: solid ? Qt.rgba(level / 255, 0, 0, 1) : Qt.rgba(1, 0, 0, level / 255)

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
