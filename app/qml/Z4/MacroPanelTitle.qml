// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The title bar of a macro page panel: its name on the left, in the highlight colour. Children
// sit on the bar.
Rectangle {
    property alias text: title.text

    height: 21
    color: "#80000000"

    Text {
        id: title
        x: 5
        anchors.verticalCenter: parent.verticalCenter
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        font.bold: true
        color: root.globalSetting_color
    }
}
