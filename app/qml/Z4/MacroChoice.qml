// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// A choice shown as its text: the normal colour, the highlight colour while hovered.
Text {
    id: choice

    signal clicked

    font.family: root.globalSetting_fontFamily
    font.pixelSize: root.globalSetting_size
    font.bold: true
    color: choiceMouse.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable

    MouseArea {
        id: choiceMouse
        anchors.fill: parent
        anchors.margins: -4
        hoverEnabled: true
        onClicked: choice.clicked()
    }
}
