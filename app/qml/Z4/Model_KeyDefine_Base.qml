// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import "KeyboardLayout.js" as KeyboardLayout

// The on-screen keyboard of the key definition page: 126 Key_KeyDefine items in getKey, index =
// position, each with its current and default key code [kind, byte 1, byte 2, byte 3].
//
// Position 79 has no key of its own: its current and default codes are position 80's at all
// times, so every key matrix built from the model carries the same code at 79 and 80. Write
// codes with setKeyCode(), which sends a write to 79 to position 80.
//
// The build's Model_KeyDefine_Z4 sets the two usages in which the US and UK keyboards differ.
//
// The page says which key is selected; the model passes on what the mouse does on a key, with
// the key's position and the point in the model's coordinates.
Item {
    id: keyModel

    required property int appUsage
    required property int backslashUsage
    property int labelSize: 11
    property var getKey: []
    property int selectedPosition: -1

    signal keyPressed(int position, point at)
    signal keyMoved(int position, point at)
    signal keyReleased(int position, point at)
    signal keyClicked(int position)

    readonly property int keyMatrixLength: 512

    // Default codes of the hidden positions that have a function; the other hidden positions
    // have none.
    readonly property var _hiddenDefaults: ({
        11: [0x00, 0x00, 0x64, 0x00],   // K45
        18: [0x00, 0x00, 0x91, 0x00],   // K150
        48: [0x00, 0x00, 0x90, 0x00],   // K151
        85: [0x00, 0xE0, 0x1F, 0x00],   // M1: L Ctrl + 2
        86: [0x00, 0xE0, 0x21, 0x00],   // G4: L Ctrl + 4
        92: [0x00, 0xE0, 0x22, 0x00],   // G5: L Ctrl + 5
        108: [0x00, 0xE0, 0x1E, 0x00],  // M2: L Ctrl + 1
        123: [0x00, 0xE0, 0x20, 0x00],  // M3: L Ctrl + 3
        107: [0x03, 0x00, 0xEA, 0x00],  // PC/G: volume down
        113: [0x03, 0x00, 0x83, 0x01],  // G1: media select
        119: [0x03, 0x00, 0xCD, 0x00],  // G2: play / pause
        125: [0x03, 0x00, 0xE9, 0x00]   // G3: volume up
    })
    readonly property var _fnCode: [0x02, 0x00, 0x00, 0x00]

    function defaultCode(position) {
        if (position === KeyboardLayout.backslashShadowPosition)
            position = KeyboardLayout.backslashPosition
        if (position === KeyboardLayout.fnPosition)
            return _fnCode.slice()
        var usage = KeyboardLayout.usageAt(position, appUsage, backslashUsage)
        if (usage !== undefined)
            return [0x00, 0x00, usage, 0x00]
        return _hiddenDefaults.hasOwnProperty(position) ? _hiddenDefaults[position].slice() : [0, 0, 0, 0]
    }

    function setKeyCode(position, byte0, byte1, byte2, byte3) {
        var key = getKey[position === KeyboardLayout.backslashShadowPosition ? KeyboardLayout.backslashPosition : position]
        key.keyCode0 = byte0
        key.keyCode1 = byte1
        key.keyCode2 = byte2
        key.keyCode3 = byte3
    }

    function keyCode(position) {
        var key = getKey[position]
        return [key.keyCode0, key.keyCode1, key.keyCode2, key.keyCode3]
    }

    // Four values per position in scene order, then zeros up to the keyboard's 512 bytes.
    function keyMatrix() {
        var values = []
        for (var position = 0; position < getKey.length; ++position)
            values = values.concat(keyCode(position))
        while (values.length < keyMatrixLength)
            values.push(0)
        return values
    }

    width: childrenRect.width
    height: childrenRect.height

    Repeater {
        id: keys
        model: KeyboardLayout.positionCount
        delegate: Key_KeyDefine {
            readonly property var place: KeyboardLayout.geometry(index)
            matrix: index
            name: place.name
            x: place.x
            y: place.y
            keyType: place.keyType
            visible: place.visible
            labelSize: keyModel.labelSize
            selected: index === keyModel.selectedPosition
            onPressed: function (at) { keyModel.keyPressed(index, mapToItem(keyModel, at.x, at.y)) }
            onMoved: function (at) { keyModel.keyMoved(index, mapToItem(keyModel, at.x, at.y)) }
            onReleased: function (at) { keyModel.keyReleased(index, mapToItem(keyModel, at.x, at.y)) }
            onClicked: keyModel.keyClicked(index)
        }
    }

    Component.onCompleted: {
        var list = []
        for (var position = 0; position < keys.count; ++position) {
            var key = keys.itemAt(position)
            var code = defaultCode(position)
            key.keyCode_Default = code
            key.keyCode0 = code[0]
            key.keyCode1 = code[1]
            key.keyCode2 = code[2]
            key.keyCode3 = code[3]
            list.push(key)
        }
        var shadow = list[KeyboardLayout.backslashShadowPosition]
        var backslash = list[KeyboardLayout.backslashPosition]
        shadow.keyCode0 = Qt.binding(function () { return backslash.keyCode0 })
        shadow.keyCode1 = Qt.binding(function () { return backslash.keyCode1 })
        shadow.keyCode2 = Qt.binding(function () { return backslash.keyCode2 })
        shadow.keyCode3 = Qt.binding(function () { return backslash.keyCode3 })
        shadow.keyCode_Default = Qt.binding(function () { return backslash.keyCode_Default })
        getKey = list
    }
}
