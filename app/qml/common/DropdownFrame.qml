// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The head and the sliding drop of DropdownList and FileListButton. The head is black and as
// large as the skin's "slider_BASE.png", with headText on the left and "▼" on the right; it
// emits headClicked and leaves the decision to the control. The dropped part (the children)
// hangs under the head, clipped, and slides down from behind it.
//
// open() emits listOpened when the slide starts, and isSelect becomes true when it ends;
// close() sets isSelect false and emits listClosed when its slide ends. Opening during the
// closing slide first completes the closing; closing during the opening slide first completes
// the opening. The item is as large as the head: the drop hangs outside it, so pages raise an
// open control above its neighbours.
Item {
    id: frame

    property string headText
    property int dropWidth: head.width
    property int dropHeight: 0
    property int dropDuration: 0
    property bool isSelect: false
    readonly property int headHeight: head.height
    default property alias dropContent: dropBody.data

    // Open or opening, as opposed to closed or closing.
    property bool _open: false

    signal headClicked
    signal listOpened
    signal listClosed

    function open() {
        if (_open)
            return
        if (closeSlide.running)
            closeSlide.complete()
        _open = true
        listOpened()
        openSlide.start()
    }

    function close() {
        if (!_open)
            return
        if (openSlide.running)
            openSlide.complete()
        _open = false
        closeSlide.start()
    }

    function toggle() {
        if (_open)
            close()
        else
            open()
    }

    width: head.width
    height: head.height

    Image {
        id: headSize
        visible: false
        source: root.skinDir + "/common/slider_BASE.png"
    }

    Rectangle {
        id: head
        width: headSize.width
        height: headSize.height
        color: "#FF000000"

        Text {
            x: 10
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 30
            elide: Text.ElideRight
            text: frame.headText
            font.family: root.globalSetting_fontFamily
            font.pixelSize: root.globalSetting_size
            font.bold: true
            color: headMouse.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
        }

        Text {
            anchors.right: parent.right
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            text: "\u25BC"
            font.family: root.fixedFontFamily
            font.pixelSize: root.globalSetting_size
            font.bold: true
            color: headMouse.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
        }

        MouseArea {
            id: headMouse
            anchors.fill: parent
            hoverEnabled: true
            onClicked: frame.headClicked()
        }
    }

    // Always visible: closed, the drop lies wholly above the clip. (Showing it would let the
    // toolkit mark a row hovered that lies under the pointer but outside the clip, and that row
    // would stay lit.)
    Item {
        id: dropClip
        y: head.height
        width: frame.dropWidth
        height: frame.dropHeight
        clip: true

        Item {
            id: dropBody
            objectName: "dropBody"
            y: -frame.dropHeight
            width: frame.dropWidth
            height: frame.dropHeight
        }
    }

    NumberAnimation {
        id: openSlide
        target: dropBody
        property: "y"
        from: -frame.dropHeight
        to: 0
        duration: frame.dropDuration
        easing.type: Easing.OutQuad
        onStopped: frame.isSelect = true
    }

    NumberAnimation {
        id: closeSlide
        target: dropBody
        property: "y"
        from: 0
        to: -frame.dropHeight
        duration: frame.dropDuration
        easing.type: Easing.OutQuad
        onStopped: {
            frame.isSelect = false
            frame.listClosed()
        }
    }
}
