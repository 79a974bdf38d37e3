// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The busy view's scene, a separate view centred over the main scene: a turning picture and
// "LOADING ..." while busy, nothing otherwise. Its size is fixed, because the main window
// centres it once, when it is created.
Item {
    id: busy

    function setBusy(isBusy) {
        busy.visible = isBusy
    }

    width: picture.width + 5 + label.width
    height: Math.max(picture.height, label.height)
    visible: false

    Image {
        id: picture
        width: 24
        height: 24
        anchors.verticalCenter: parent.verticalCenter
        source: "qrc:/modules/img/common/loading.png"

        RotationAnimation on rotation {
            running: busy.visible
            from: 0
            to: 360
            duration: 3600
            loops: Animation.Infinite
        }
    }

    Text {
        id: label
        x: picture.width + 5
        anchors.verticalCenter: picture.verticalCenter
        text: "LOADING ..."
        // Liberation Sans is the metric-compatible stand-in for Arial.
        font.family: "Liberation Sans"
        font.pixelSize: 10
        font.bold: true
        color: "#AAAAAA"
    }
}
