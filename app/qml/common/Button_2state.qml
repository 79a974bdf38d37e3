// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// A picture button: source1 while hovered and enabled, else source0; dimmed while disabled or
// pressed. A click plays sound 4, then emits clicked.
Image {
    id: button

    property url source0
    property url source1
    property alias mouse: mouseArea

    signal clicked

    source: mouseArea.containsMouse && enabled ? source1 : source0
    opacity: !enabled || mouseArea.pressed ? 0.2 : 1

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            ui_View.playMedia_Index(4)
            button.clicked()
        }
    }
}
