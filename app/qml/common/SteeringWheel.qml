// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// A five-way direction picker: 0 centre, 1 right, 2 left, 3 up, 4 down, as a cross of five
// cells overlapping by one pixel. The current and the hovered cell are filled. A click makes
// a cell current and reports it with wheelClicked; setCurIndex() never reports.
Item {
    id: steeringWheel

    property int currentIndex: 1
    property int textSize: 12
    property color textColor: "#000000"

    signal wheelClicked(int index)

    function setCurIndex(index) { currentIndex = index }
    function getCurIndex() { return currentIndex }

    // [x, y, mark] by index.
    readonly property var _cells: [
        [20, 20, ""], [40, 20, "\u25BA"], [0, 20, "\u25C4"], [20, 0, "\u25B2"], [20, 40, "\u25BC"]
    ]

    width: 61
    height: 61

    Repeater {
        model: 5

        Image {
            x: steeringWheel._cells[index][0]
            y: steeringWheel._cells[index][1]
            source: root.skinDir + (index === steeringWheel.currentIndex || cellMouse.containsMouse
                                    ? "/common/slider_FILLER_1.png" : "/common/slider_FILLER_0.png")

            Text {
                anchors.centerIn: parent
                text: steeringWheel._cells[index][2]
                font.family: root.fixedFontFamily
                font.pixelSize: steeringWheel.textSize
                font.bold: true
                color: steeringWheel.textColor
            }

            MouseArea {
                id: cellMouse
                anchors.fill: parent
                hoverEnabled: true
                onClicked: {
                    steeringWheel.currentIndex = index
                    steeringWheel.wheelClicked(index)
                }
            }
        }
    }
}
