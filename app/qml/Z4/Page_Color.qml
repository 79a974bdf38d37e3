// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import "qrc:/modules/qml/common"
import "ColorEffects.js" as ColorEffects
import "ColorPainting.js" as ColorPainting

// The lighting page: a lighting mode (one of five user pictures, or one of nine effects) with
// its speed, brightness and direction; the red palette and painting by rubber band on the
// on-screen keyboard, which previews the mode live; Reset (the page only) and Apply (the
// picture, then the mode, to the keyboard). The rules and tables live in ColorEffects.js and
// ColorPainting.js; the pictures and the preview in the effect controller.
Item {
    id: page

    // The lists' choice: group (-1 none, PAINTING, EFFECTS) and the entry of each second list.
    property int groupIndex: -1
    property int userDefineIndex: 0
    property int effectIndex: -1
    readonly property int effectId: ColorEffects.effectIdOf(groupIndex, userDefineIndex, effectIndex)
    readonly property bool isPicture: ColorEffects.isPicture(effectId)

    // The controls' values: sliders 0..7, direction 0..4, palette red level and swatch.
    property int speedValue: 4
    property int brightnessValue: 7
    property int directionValue: 1
    property int paletteValue: 255
    property int swatchIndex: 0

    // Reads the current profile's user pictures and lighting mode, then restarts the preview.
    function initUI() {
        for (var i = 0; i < ColorEffects.pictureCount; ++i) {
            var stored = ui_View.ui_92H_GetUserPicture(i)
            if (stored.length === ColorEffects.pictureSize)
                effects.setPicture(i, stored.map(_level))
        }
        var mode = ui_View.ui_88H_GetLEDType()
        if (mode.length === 5) {
            var lists = ColorEffects.listsOf(_integer(mode[0]))
            groupIndex = lists.group
            userDefineIndex = lists.userDefine
            effectIndex = lists.effect
            speedValue = ColorEffects.speedSlider(_integer(mode[1]))
            var light = ColorEffects.lightSlider(_integer(mode[2]))
            if (light >= 0)
                brightnessValue = light
            paletteValue = ColorPainting.swatchLevels[swatchIndex]
            var direction = _integer(mode[4])
            if (direction >= 0 && direction <= 4)
                directionValue = direction
        }
        _restartPreview()
    }

    function translateStrings() {
        main_Z4.labelKeys(model.getKey)
        _label(groupModel, ColorEffects.groupStrings)
        _label(userDefineModel, ColorEffects.userDefineStrings)
        _label(effectModel, ColorEffects.effectList.map(function (entry) { return entry[1] }))
    }

    // Every key going down or up, whichever page is shown; the reactive effects take key-downs
    // of keys the model has.
    function detectKeyboard(isDown, usbCode) {
        if (!isDown)
            return
        var position = keyCodeString.keycodeTomatrix(usbCode)
        if (position !== undefined)
            effects.keyDown(position)
    }

    // --- what the controls do ---------------------------------------------------------------

    // A group leaves the first user define and no effect chosen.
    function chooseGroup(index) {
        groupIndex = index
        userDefineIndex = 0
        effectIndex = -1
        _restartPreview()
    }

    function chooseEntry(index) {
        if (groupIndex === ColorEffects.PAINTING)
            userDefineIndex = index
        else
            effectIndex = index
        _restartPreview()
    }

    function chooseSpeed(level) { speedValue = level }
    function chooseBrightness(level) { brightnessValue = level }

    function chooseDirection(index) {
        directionValue = index
        _restartPreview()
    }

    function chooseSwatch(index) {
        swatchIndex = index
        paletteValue = ColorPainting.swatchLevels[index]
    }

    function pressBar(x, width) {
        paletteValue = ColorPainting.barLevel(x, width)
    }

    // The "R " field's text becomes the palette value when it is a level; else it shows the
    // palette value again.
    function takeField() {
        var value = parseInt(paletteField.text, 10)
        if (value >= 0 && value <= 255)
            paletteValue = value
        paletteField.text = String(paletteValue)
    }

    // Leaves the field being edited; its value is taken.
    function leaveField() {
        if (paletteField.activeFocus) {
            paletteField.focus = false
            takeField()
        }
    }

    // Painting: a press clears the selection; while held, the keys the band covers show their
    // frame; on release they are selected and, with a user picture current, painted.
    function paintPress(x, y) {
        band.from = Qt.point(x, y)
        band.rect = ColorPainting.band(x, y, x, y)
        band.visible = true
        model.markKeys("selected", [])
        model.markKeys("highlighted", _coveredKeys())
    }

    function paintMove(x, y) {
        band.rect = ColorPainting.band(band.from.x, band.from.y, x, y)
        model.markKeys("highlighted", _coveredKeys())
    }

    function paintRelease(x, y) {
        paintMove(x, y)
        band.visible = false
        var covered = _coveredKeys()
        model.markKeys("highlighted", [])
        model.markKeys("selected", covered)
        if (isPicture)
            _paintPicture(ColorPainting.levelsAt(covered, paletteValue))
    }

    // The user picks a PNG or JPEG picture; every key takes the mean brightness of the picture
    // under it as its red level in the current user picture.
    function importPicture() {
        var rects = model.keyRects().map(function (r) { return [r.x, r.y, r.width, r.height] })
        var levels = ui_View.importPictureLevels(model.width, model.height, rects)
        if (levels.length === rects.length)
            _paintPicture(levels)
    }

    function reset() {
        leaveField()
        effects.resetPictures()
        groupIndex = ColorEffects.EFFECTS
        userDefineIndex = 0
        effectIndex = 0
        speedValue = 4
        brightnessValue = 7
        swatchIndex = 0
        paletteValue = ColorPainting.swatchLevels[0]
        directionValue = 1
        _restartPreview()
    }

    // The picture first (a user picture only), then the mode.
    function apply() {
        leaveField()
        var id = effectId
        if (isPicture) {
            var index = id - ColorEffects.firstPictureId
            ui_View.ui_12H_SetUserPicture(index, 0, effects.pictures[index])
        }
        ui_View.ui_08H_SetLEDType(0, id, ColorEffects.speedByte(speedValue), ColorEffects.lightByte(brightnessValue),
                                  0, directionValue)
        _restartPreview()
    }

    // --- helpers ------------------------------------------------------------------------------

    function _restartPreview() {
        effects.restart(effectId)
    }

    function _paintPicture(levels) {
        var index = effectId - ColorEffects.firstPictureId
        effects.setPicture(index, ColorPainting.painted(effects.pictures[index], levels))
    }

    // The band is in the model area's coordinates, the keys in the model's.
    function _coveredKeys() {
        var r = band.rect
        return ColorPainting.coveredPositions(model.keyRects(), {
            x: r.x - model.x, y: r.y - model.y, width: r.width, height: r.height
        })
    }

    // Stored values come back as text; anything that is not a number reads as -1.
    function _integer(value) {
        var n = parseInt(value, 10)
        return isNaN(n) ? -1 : n
    }

    // A stored picture entry; anything that is not a number reads as 0.
    function _level(value) {
        return Math.max(0, _integer(value))
    }

    function _label(list, strings) {
        for (var i = 0; i < list.count; ++i)
            list.setProperty(i, "textX", root.globalSetting_stringList[strings[i]])
    }

    function _fillList(list, count) {
        for (var i = 0; i < count; ++i)
            list.append({ textX: "" })
    }

    function _showLists() {
        groupList.setCurIndex(groupIndex)
        entryList.setCurIndex(groupIndex === ColorEffects.PAINTING ? userDefineIndex : effectIndex)
    }

    onGroupIndexChanged: _showLists()
    onUserDefineIndexChanged: _showLists()
    onEffectIndexChanged: _showLists()
    onSpeedValueChanged: speedSlider.setCurIndex(speedValue)
    onBrightnessValueChanged: brightnessSlider.setCurIndex(brightnessValue)
    onDirectionValueChanged: wheel.setCurIndex(directionValue)
    onPaletteValueChanged: paletteField.text = String(paletteValue)

    Component.onCompleted: {
        _fillList(groupModel, ColorEffects.groupStrings.length)
        _fillList(userDefineModel, ColorEffects.userDefineStrings.length)
        _fillList(effectModel, ColorEffects.effectList.length)
        translateStrings()
        speedSlider.setCurIndex(speedValue)
        brightnessSlider.setCurIndex(brightnessValue)
        wheel.setCurIndex(directionValue)
    }

    width: 759
    height: 442

    Effect_Controler_Z4 {
        id: effects
        objectName: "colorEffects"
        model: model
        brightness: page.brightnessValue
        speedLevel: ColorEffects.speedLevel(page.speedValue)
        direction: page.directionValue
    }

    ListModel { id: groupModel }
    ListModel { id: userDefineModel }
    ListModel { id: effectModel }
    ListModel { id: noEntries }

    // Decoded when the page shows (1.2 MB or more): the hidden pages hold none at start.
    Image {
        source: visible ? root.skinDir + "/list_center/fnColorBackground.png" : ""
    }

    // The model area: painting by rubber band over the on-screen keyboard.
    Item {
        id: modelArea
        objectName: "colorModelArea"
        x: 1
        y: 68
        width: 738
        height: 250

        Model_Color_Z4 {
            id: model
            objectName: "colorModel"
            x: 22
            y: 29
            labelSize: main_Z4._ProductLayoutStringSize
        }

        Rectangle {
            id: band
            property point from
            property var rect: ({ x: 0, y: 0, width: 0, height: 0 })
            readonly property string hex: ColorPainting.hexDigits(page.paletteValue)
            objectName: "paintBand"
            visible: false
            x: rect.x
            y: rect.y
            width: rect.width
            height: rect.height
            color: "#80" + hex
            border.width: 1
            border.color: "#" + hex
        }

        MouseArea {
            id: paintArea
            anchors.fill: parent
            enabled: page.isPicture
            function clampX(x) { return Math.max(0, Math.min(width, x)) }
            function clampY(y) { return Math.max(0, Math.min(height, y)) }
            onPressed: function (mouse) { page.paintPress(clampX(mouse.x), clampY(mouse.y)) }
            onPositionChanged: function (mouse) { page.paintMove(clampX(mouse.x), clampY(mouse.y)) }
            onReleased: function (mouse) { page.paintRelease(clampX(mouse.x), clampY(mouse.y)) }
        }
    }

    // The red palette: swatches, the bar, the "R " field and the preview strip.
    Item {
        id: palette
        objectName: "colorPalette"
        enabled: page.isPicture
        opacity: enabled ? 1 : 0.2

        Row {
            x: 140
            y: 340
            spacing: 2

            Repeater {
                model: ColorPainting.swatchLevels.length

                Image {
                    objectName: "swatch" + index
                    source: root.skinDir + "/common/draw_paletteIndex.png"

                    Rectangle {
                        x: 2
                        y: 8
                        width: 15
                        height: 15
                        color: Qt.rgba(ColorPainting.swatchLevels[index] / 255, 0, 0, 1)
                    }

                    Rectangle {
                        width: parent.width
                        height: 3
                        visible: index === page.swatchIndex
                        color: root.globalSetting_color
                    }

                    MouseArea {
                        anchors.fill: parent
                        onClicked: page.chooseSwatch(index)
                    }
                }
            }
        }

        Image {
            x: 140
            y: 385
            source: root.skinDir + "/common/draw_palette.png"

            // Black at both ends, pure red in the middle.
            Rectangle {
                objectName: "redBar"
                x: 3
                y: 3
                width: 96
                height: parent.height - 6
                gradient: Gradient {
                    orientation: Gradient.Horizontal
                    GradientStop { position: 0; color: "#000000" }
                    GradientStop { position: 0.5; color: "#FF0000" }
                    GradientStop { position: 1; color: "#000000" }
                }

                MouseArea {
                    anchors.fill: parent
                    onPressed: function (mouse) { page.pressBar(mouse.x, parent.width) }
                }
            }
        }

        Text {
            x: 140
            y: 408
            height: 19
            verticalAlignment: Text.AlignVCenter
            text: "R "
            font.family: root.globalSetting_fontFamily
            font.pixelSize: root.globalSetting_size
            font.bold: true
            color: root.globalSetting_color_enable
        }

        Image {
            id: fieldPicture
            x: 160
            y: 408
            source: root.skinDir + "/common/draw_inputValue.png"

            TextInput {
                id: paletteField
                objectName: "paletteField"
                anchors.fill: parent
                horizontalAlignment: TextInput.AlignHCenter
                verticalAlignment: TextInput.AlignVCenter
                maximumLength: 3
                validator: IntValidator { bottom: 0; top: 255 }
                text: "255"
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                font.bold: true
                color: root.globalSetting_color_enable
                selectByMouse: true
                onEditingFinished: page.takeField()
                onActiveFocusChanged: if (!activeFocus) page.takeField()
            }
        }

        Rectangle {
            objectName: "paletteStrip"
            x: fieldPicture.x + fieldPicture.width + 12
            y: fieldPicture.y + Math.round((fieldPicture.height - height) / 2)
            width: 39
            height: 6
            color: Qt.rgba(page.paletteValue / 255, 0, 0, 1)
        }
    }

    // Beside the palette while a user picture is current.
    Rectangle {
        objectName: "importPicture"
        x: 20
        y: 385
        width: 112
        height: 18
        visible: page.isPicture
        color: "#FF000000"

        Text {
            anchors.centerIn: parent
            text: "Import picture"
            font.family: root.globalSetting_fontFamily
            font.pixelSize: root.globalSetting_size
            font.bold: true
            color: importMouse.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
        }

        MouseArea {
            id: importMouse
            anchors.fill: parent
            hoverEnabled: true
            onClicked: page.importPicture()
        }
    }

    Column {
        objectName: "speedControl"
        x: 360
        y: 340
        spacing: 1
        enabled: ColorEffects.hasSpeed(page.effectId)
        opacity: enabled ? 1 : 0.2

        Text {
            text: root.globalSetting_stringList[3]
            font.family: root.globalSetting_fontFamily
            font.pixelSize: root.globalSetting_size
            font.bold: true
            color: root.globalSetting_color
        }

        Slider {
            id: speedSlider
            objectName: "speedSlider"
            onSliderClicked: function (index) { page.chooseSpeed(index) }
        }
    }

    Column {
        objectName: "brightnessControl"
        x: 360
        y: 385
        spacing: 1
        enabled: ColorEffects.hasBrightness(page.effectId)
        opacity: enabled ? 1 : 0.2

        Text {
            text: root.globalSetting_stringList[4]
            font.family: root.globalSetting_fontFamily
            font.pixelSize: root.globalSetting_size
            font.bold: true
            color: root.globalSetting_color
        }

        Slider {
            id: brightnessSlider
            objectName: "brightnessSlider"
            onSliderClicked: function (index) { page.chooseBrightness(index) }
        }
    }

    Item {
        objectName: "directionControl"
        x: 535
        y: 340
        width: wheel.width
        height: wheel.y + wheel.height
        enabled: ColorEffects.hasDirection(page.effectId)
        opacity: enabled ? 1 : 0.2

        Text {
            id: directionTitle
            x: Math.round((wheel.width - width) / 2)
            text: root.globalSetting_stringList[5]
            font.family: root.globalSetting_fontFamily
            font.pixelSize: root.globalSetting_size
            font.bold: true
            color: root.globalSetting_color
        }

        SteeringWheel {
            id: wheel
            objectName: "directionWheel"
            y: directionTitle.height + 11
            onWheelClicked: function (index) { page.chooseDirection(index) }
        }
    }

    Image {
        x: 295
        y: 400
        source: root.skinDir + "/common/fram_2btn.png"

        Button_2state {
            objectName: "resetButton"
            x: 3
            y: 3
            source0: root.skinDir + "/common/reset_0.png"
            source1: root.skinDir + "/common/reset_1.png"
            enabled: ColorEffects.isMode(page.effectId)
            onClicked: page.reset()
        }

        Button_2state {
            objectName: "applyButton"
            x: 32
            y: 3
            source0: root.skinDir + "/common/apply_0.png"
            source1: root.skinDir + "/common/apply_1.png"
            enabled: ColorEffects.isMode(page.effectId)
            onClicked: page.apply()
        }
    }

    // Above the model area, so that an open list hangs over it.
    DropdownList {
        id: groupList
        objectName: "groupList"
        x: 140
        y: 15
        z: 1
        mdItems: groupModel
        onListElementClicked: function (index) { page.chooseGroup(index) }
    }

    DropdownList {
        id: entryList
        objectName: "entryList"
        x: groupList.x + groupList.width + 20
        y: 15
        z: 1
        // Nothing to choose without a group.
        mdItems: page.groupIndex === ColorEffects.PAINTING ? userDefineModel
                 : page.groupIndex === ColorEffects.EFFECTS ? effectModel : noEntries
        onListElementClicked: function (index) { page.chooseEntry(index) }
    }
}
