// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import "../common"

// The top bar: the settings button on the left (highlighted while the settings panel is open)
// and the close button on the right. The scene decides what the clicks do.
Image {
    id: bar

    property bool settingsOpen: false

    signal settingsClicked
    signal closeClicked

    source: root.skinDir + "/list_up/listUpContainer.png"

    Image {
        anchors.left: parent.left
        anchors.leftMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        source: root.skinDir + (settingsMouse.containsMouse || bar.settingsOpen
                                ? "/list_up/applicationSetting_1.png" : "/list_up/applicationSetting_0.png")

        MouseArea {
            id: settingsMouse
            anchors.fill: parent
            hoverEnabled: true
            onClicked: bar.settingsClicked()
        }
    }

    Button_2state {
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        source0: root.skinDir + "/list_up/applicationMinimize_0.png"
        source1: root.skinDir + "/list_up/applicationMinimize_1.png"
        onClicked: bar.closeClicked()
    }
}
