// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import "KeyboardLayout.js" as KeyboardLayout

// The on-screen keyboard of the lighting page: 126 Key_ColorPro items in getKey, index =
// position. The hidden position 79 lies, invisible, exactly on the backslash key (80) with its
// picture type, so that a painting rectangle over 80 also covers 79. The same in both layouts.
Item {
    id: colorModel

    property int labelSize: 11
    property var getKey: []

    width: childrenRect.width
    height: childrenRect.height

    Repeater {
        id: keys
        model: KeyboardLayout.positionCount
        delegate: Key_ColorPro {
            readonly property var place: KeyboardLayout.colorGeometry(index)
            matrix: index
            name: place.name
            x: place.x
            y: place.y
            keyType: place.keyType
            visible: place.visible
            labelSize: colorModel.labelSize
        }
    }

    Component.onCompleted: {
        var list = []
        for (var position = 0; position < keys.count; ++position)
            list.push(keys.itemAt(position))
        getKey = list
    }
}
