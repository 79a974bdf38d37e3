// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// An eight-level bar (0..7): seven fillers, the first currentIndex of them filled. While the
// button is held the fillers left of the mouse are drawn filled; on release the level follows
// the mouse (clamped to the bar) and sliderClicked reports it. setCurIndex() never reports.
Image {
    id: slider

    property int currentIndex: 7

    signal sliderClicked(int index)

    function setCurIndex(index) { currentIndex = index }
    function getCurIndex() { return currentIndex }

    source: root.skinDir + "/common/slider_BASE.png"

    Item {
        id: area
        x: 5
        y: 1
        width: 141
        height: 21

        Repeater {
            model: 7

            // 21 pixels wide, each overlapping the previous by one pixel.
            Image {
                x: index * 20
                source: root.skinDir + (filled ? "/common/slider_FILLER_1.png" : "/common/slider_FILLER_0.png")
                readonly property bool filled: press.pressed ? x < press.mouseX : index < slider.currentIndex
            }
        }

        MouseArea {
            id: press
            anchors.fill: parent
            onReleased: function (mouse) {
                var x = Math.max(0, Math.min(140, mouse.x))
                slider.currentIndex = Math.ceil(x * 7 / 140)
                slider.sliderClicked(slider.currentIndex)
            }
        }
    }
}
