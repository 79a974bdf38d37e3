// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import "ColorEffects.js" as ColorEffects

// The live preview of the lighting page: it runs the current effect on the key levels (the
// rules are in ColorEffects.js) and shows them on the model's keys. It keeps the five user
// pictures. It runs on while other pages are shown; its timer runs only while an animated
// effect is current. Speed and brightness act on the running preview at once.
QtObject {
    id: controller

    // The Model_Color_Z4 whose keys show the preview.
    property Item model
    // The sliders: brightness 0..7, speed level 0..7 (see ColorEffects.speedLevel), direction 0..4.
    property int brightness: 7
    property int speedLevel: 4
    property int direction: 1
    // The five user pictures, 512 values each.
    property var pictures: _blankPictures()

    // The effect the preview runs, set by restart().
    readonly property int effectId: _effectId
    readonly property bool running: timer.running
    readonly property int interval: timer.interval

    property int _effectId: -1
    property var _state: ColorEffects.newState()
    property var _keys: null
    property double _shownAt: 0
    // A source of numbers in [0, 1) for the raindrop; tests replace it.
    property var random: Math.random

    // Stops the running effect and starts `id` afresh.
    function restart(id) {
        timer.stop()
        _effectId = id
        ColorEffects.restart(_state)
        show()
        if (ColorEffects.interval(id, speedLevel) > 0)
            timer.start()
    }

    // A key going down at `position` (a known position).
    function keyDown(position) {
        ColorEffects.press(_effectId, _state, _context(), position)
        show()
    }

    // One step of the running effect: first the keys, then its counter or circles. Steps
    // faster than the screen's frames (the ripple's 10 ms) are shown about every other frame:
    // under the software renderer each frame costs about as much whatever changed in it.
    function step() {
        ColorEffects.tick(_effectId, _state, _context())
        var now = Date.now()
        if (timer.interval >= ColorEffects.framePeriod || now - _shownAt >= 2 * ColorEffects.framePeriod - 4) {
            _shownAt = now
            show()
        }
    }

    // The levels of the current effect, or of its picture, on the keys.
    function show() {
        if (!model)
            return
        var shown = ColorEffects.shownLevels(_effectId, _state, _context(), _currentPicture())
        model.showLevels(shown.levels, shown.solid)
    }

    // Replaces picture `index` (0..4) and shows it when it is current.
    function setPicture(index, picture) {
        var list = pictures.slice()
        list[index] = picture
        pictures = list
        show()
    }

    function resetPictures() {
        pictures = _blankPictures()
        show()
    }

    function _currentPicture() {
        return ColorEffects.isPicture(_effectId) ? pictures[_effectId - ColorEffects.firstPictureId] : null
    }

    function _context() {
        if (!_keys && model && model.getKey.length > 0)
            _keys = ColorEffects.keyGeometry(model.getKey)
        return ColorEffects.context(brightness, direction, _keys || [], random)
    }

    function _blankPictures() {
        var list = []
        for (var i = 0; i < ColorEffects.pictureCount; ++i)
            list.push(new Array(ColorEffects.pictureSize).fill(0))
        return list
    }

    onBrightnessChanged: show()

    property Timer _timer: Timer {
        id: timer
        interval: Math.max(1, ColorEffects.interval(controller._effectId, controller.speedLevel))
        repeat: true
        onTriggered: controller.step()
    }
}
