// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// What every key of a keyboard model has: its position, its picture type, its label, and the
// key-cap picture "k" + type + "-0.png", whose size is the key's size. A hidden position
// (type 0) has no picture and is 0 x 0.
Item {
    id: key

    property int matrix: 0
    property int keyType: 0
    property string name: ""
    property int labelSize: 11
    property color labelColor: root.globalSetting_color_enable
    property alias labelOpacity: label.opacity

    width: cap.width
    height: cap.height

    Image {
        id: cap
        source: key.keyType > 0 ? root.skinDir + "/model_kb/k" + key.keyType + "-0.png" : ""
    }

    Text {
        id: label
        anchors.centerIn: cap
        text: key.name
        font.family: root.globalSetting_fontFamily
        font.pixelSize: key.labelSize
        font.bold: true
        color: key.labelColor
    }
}
