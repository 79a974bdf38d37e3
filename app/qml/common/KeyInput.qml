// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// A box that shows one keyboard key by its display name in the current language, or
// "【 KEYS 】" when empty (keycodeUSB -1). Hovering shows "╳": a click empties the box and
// emits clearKey, and the page decides which code bytes that clears. isIn is set by the page
// while a dragged key is over the box.
Rectangle {
    id: box

    property int keycodeUSB: -1
    property string keyname: ""
    property string keynameDefault: "\u3010 KEYS \u3011"
    property string keycancel: "\u2573"
    property bool isIn: false

    signal clearKey

    // Keeps the usage only when it has a display name; otherwise the box is empty.
    function setKeycodeUSB(keycode) {
        var name = root.keyDisplayName(keycode)
        keycodeUSB = name === undefined ? -1 : keycode
        keyname = name === undefined ? "" : name
    }

    width: 65
    height: 23
    color: "#FF000000"
    border.width: 1
    border.color: boxMouse.containsMouse || isIn ? root.globalSetting_color : root.globalSetting_color_enable

    Text {
        anchors.centerIn: parent
        text: boxMouse.containsMouse ? box.keycancel : box.keycodeUSB < 0 ? box.keynameDefault : box.keyname
        font.family: root.fixedFontFamily
        font.pixelSize: 10
        font.bold: true
        color: root.globalSetting_color_enable
        opacity: boxMouse.pressed ? 0.5 : 1
    }

    MouseArea {
        id: boxMouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            box.keycodeUSB = -1
            box.keyname = ""
            box.clearKey()
        }
    }
}
