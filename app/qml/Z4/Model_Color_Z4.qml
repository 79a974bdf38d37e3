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

    // Every position's rectangle {x, y, width, height} in the model; a hidden position's is
    // zero-size at the model's origin.
    function keyRects() {
        var rects = []
        for (var position = 0; position < getKey.length; ++position) {
            var key = getKey[position]
            rects.push({ x: key.x, y: key.y, width: key.width, height: key.height })
        }
        return rects
    }

    // Shows `levels` (index = position), solid (a user picture) or as light. Only the keys
    // whose level changed are touched: a running preview calls this on every step.
    function showLevels(levels, solid) {
        var shown = _shown
        var force = shown.length !== getKey.length || _solid !== solid
        for (var position = 0; position < getKey.length; ++position) {
            if (force)
                getKey[position].solid = solid
            if (force || shown[position] !== levels[position]) {
                shown[position] = levels[position]
                getKey[position].level = levels[position]
            }
        }
        _solid = solid
    }

    // What showLevels() last gave the keys.
    property var _shown: []
    property bool _solid: false

    // Sets one flag ("selected" or "highlighted") of the keys at `positions` and clears it on
    // the others. The highlighted keys show their highlight frame.
    function markKeys(flag, positions) {
        if (flag === "highlighted")
            highlightedKeys = positions.filter(function (position) { return getKey[position].keyType > 0 })
        var marked = {}
        for (var i = 0; i < positions.length; ++i)
            marked[positions[i]] = true
        for (var position = 0; position < getKey.length; ++position) {
            var on = marked[position] === true
            if (getKey[position][flag] !== on)
                getKey[position][flag] = on
        }
    }

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

    // The keys under the painting band, and their frames: made only while painting, so that
    // the model has no frame items the rest of the time.
    property var highlightedKeys: []

    Repeater {
        model: colorModel.highlightedKeys

        Image {
            readonly property Item key: colorModel.getKey[modelData]
            x: key.x
            y: key.y
            source: root.skinDir + "/model_kb/k" + key.keyType + "-1.png"
        }
    }

    Component.onCompleted: {
        var list = []
        for (var position = 0; position < keys.count; ++position)
            list.push(keys.itemAt(position))
        getKey = list
    }
}
