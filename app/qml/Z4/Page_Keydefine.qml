// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import "../common"
import "KeyDefineRules.js" as Rules
import "KeyboardLayout.js" as KeyboardLayout

// The key definition page: the on-screen keyboard, whose selected key gets a keyboard key
// (dragged onto the key box), a mouse button, a media function, a combination of up to three
// keys (dragged onto the combination boxes) or a macro; Reset, Apply and the gaming-mode box.
//
// The keys' codes are a working copy of the current profile's: edits change only the copy
// until Apply sends all of them; initUI() replaces the copy with what the profile holds. The
// kind menu, its controls, Reset and Apply work only in gaming mode.
Item {
    id: page

    // The key whose code the menus show and edit; Esc at first, kept across initUI().
    property int selectedPosition: 5
    property bool gamingMode: false
    // The kind menu's choice (Rules.noKind: none); it says which second control shows.
    property int _kind: Rules.noKind
    // The macro files' names, in list order.
    property var _macroNames: []
    // The key being dragged: its position, and the grab point inside it; -1 when none.
    property int _dragPosition: -1
    property point _grabOffset

    // Reads the current profile's key definitions into the working copy and shows the
    // selected key's code.
    function initUI() {
        _refreshMacroNames()
        for (var position = 0; position < KeyboardLayout.positionCount; ++position) {
            // Position 79 follows position 80 by itself.
            if (position === KeyboardLayout.backslashShadowPosition)
                continue
            var code = Rules.storedCode(ui_View.getKeydefine(position))
            _setCode(position, code !== undefined ? code : model.defaultCode(position))
        }
        _showSelected()
    }

    function translateStrings() {
        main_Z4.labelKeys(model.getKey)
        _labelLists()
        var boxes = [keyBox, comboBox1, comboBox2, comboBox3]
        for (var i = 0; i < boxes.length; ++i) {
            if (boxes[i].keycodeUSB >= 0)
                boxes[i].setKeycodeUSB(boxes[i].keycodeUSB)
        }
    }

    // The keyboard's mode reports: 0x04050000 gaming mode off, 0x04050100 on. Nothing is sent.
    function detectVendor(vendorCode) {
        if (vendorCode === 0x04050000)
            gamingMode = false
        else if (vendorCode === 0x04050100)
            gamingMode = true
    }

    // Shows a code in the menus (see Rules.menusFor); a code whose bytes do not fit its kind
    // leaves them as they are.
    function keyCodeToUI(byte0, byte1, byte2, byte3) {
        var menus = Rules.menusFor([byte0, byte1, byte2, byte3])
        if (menus === undefined)
            return
        _chooseKind(menus.kind)
        switch (menus.kind) {
        case Rules.kindKeyboard:
            keyBox.setKeycodeUSB(menus.usage)
            break
        case Rules.kindCombo:
            comboBox1.setKeycodeUSB(menus.usages[0])
            comboBox2.setKeycodeUSB(menus.usages[1])
            comboBox3.setKeycodeUSB(menus.usages[2])
            break
        case Rules.kindMouse:
            mouseList.setCurIndex(menus.index)
            break
        case Rules.kindMedia:
            mediaList.setCurIndex(menus.index)
            break
        case Rules.kindMacro:
            _refreshMacroNames()
            var configs = _macroNames.map(function (name) { return ui_View.loadMacroIniConfig(name) })
            macroList.setCurIndex(Rules.macroIndexForSlot(configs, menus.slot))
            break
        }
    }

    function selectKey(position) {
        selectedPosition = position
        _showSelected()
    }

    // Gaming mode from the box: the keyboard is told at once.
    function setGamingMode(on) {
        gamingMode = on
        ui_View.ui_09H_SetKeyboardMode(on ? 1 : 0)
    }

    function reset() {
        _setCode(selectedPosition, model.defaultCode(selectedPosition))
        _showSelected()
    }

    // All 126 codes to the keyboard, which the profile also keeps.
    function apply() {
        ui_View.ui_0DH_SetKeyMatrix(model.keyMatrix())
    }

    // A kind chosen in the kind menu: every second control starts empty; no code changes.
    function _chooseKind(kind) {
        _kind = kind
        kindMenu.setCurIndex(kind)
        keyBox.setKeycodeUSB(-1)
        comboBox1.setKeycodeUSB(-1)
        comboBox2.setKeycodeUSB(-1)
        comboBox3.setKeycodeUSB(-1)
        mouseList.setCurIndex(-1)
        mediaList.setCurIndex(-1)
        macroList.setCurIndex(-1)
    }

    // The macro file `index` of the list for the selected key: bound to its slot, or to the
    // lowest free one, to which it is then sent. Without a readable file or a free slot the key
    // is left without function.
    function _chooseMacro(index) {
        if (index < 0)
            return
        var name = _macroNames[index]
        _setCode(selectedPosition, Rules.noFunction)
        var choice = Rules.macroChoice(ui_View.loadMacroIniConfig(name), model.keyMatrix())
        if (choice.bind >= 0) {
            ui_View.setMacroIniConfig(name, [choice.bind, 1])
            ui_View.ui_11H_SetMacroKey(choice.bind, name)
        }
        _setCode(selectedPosition, choice.code)
    }

    function _showSelected() {
        var code = model.keyCode(selectedPosition)
        keyCodeToUI(code[0], code[1], code[2], code[3])
    }

    function _setCode(position, code) {
        model.setKeyCode(position, code[0], code[1], code[2], code[3])
    }

    function _setComboUsage(k, usage) {
        _setCode(selectedPosition, Rules.withComboUsage(model.keyCode(selectedPosition), k, usage))
    }

    // Re-reads the macro files; the list keeps the chosen file when it is still there.
    function _refreshMacroNames() {
        var chosen = _macroNames[macroList.getCurIndex()]
        var names = ui_View.getMacroIniNames().map(function (file) { return file.slice(0, -4) })
        macroItems.clear()
        for (var i = 0; i < names.length; ++i)
            macroItems.append({ textX: names[i], textR: "" })
        _macroNames = names
        macroList.setCurIndex(names.indexOf(chosen))
    }

    function _labelLists() {
        _label(kindItems, Rules.kindStrings)
        _label(mouseItems, Rules.mouseButtons.map(function (button) { return button.string }))
        _label(mediaItems, Rules.mediaFunctions.map(function (media) { return media.string }))
    }

    // Fills or relabels a list model with the interface strings of `strings`.
    function _label(items, strings) {
        for (var i = 0; i < strings.length; ++i) {
            var text = root.globalSetting_stringList[strings[i]]
            if (i < items.count)
                items.setProperty(i, "textX", text)
            else
                items.append({ textX: text, textR: "" })
        }
    }

    // The boxes a dragged key can be dropped on, with the code each drop writes.
    function _dropBoxes() {
        return [
            { box: keyBox, drop: function (usageCode) { _setCode(selectedPosition, usageCode) } },
            { box: comboBox1, drop: function (usageCode) { _setComboUsage(1, usageCode[2]) } },
            { box: comboBox2, drop: function (usageCode) { _setComboUsage(2, usageCode[2]) } },
            { box: comboBox3, drop: function (usageCode) { _setComboUsage(3, usageCode[2]) } }
        ]
    }

    // The shown, usable box under a point of the page, or undefined.
    function _dropBoxAt(at) {
        var boxes = _dropBoxes()
        for (var i = 0; i < boxes.length; ++i) {
            var box = boxes[i].box
            var local = box.mapFromItem(page, at.x, at.y)
            if (box.visible && box.enabled && box.contains(local))
                return boxes[i]
        }
        return undefined
    }

    // The drag: a copy of the pressed key follows the mouse, at half opacity while over a box,
    // whose border then lights up.
    function _pickUp(position, at) {
        var key = model.getKey[position]
        _dragPosition = position
        _grabOffset = Qt.point(at.x - key.x, at.y - key.y)
        dragCopy.keyType = key.keyType
        dragCopy.name = key.name
        _moveCopy(model.mapToItem(page, at.x, at.y))
    }

    function _moveCopy(at) {
        dragCopy.x = at.x - _grabOffset.x
        dragCopy.y = at.y - _grabOffset.y
        var over = _dropBoxAt(at)
        var boxes = _dropBoxes()
        for (var i = 0; i < boxes.length; ++i)
            boxes[i].box.isIn = over !== undefined && boxes[i].box === over.box
        dragCopy.opacity = over !== undefined ? 0.5 : 1
    }

    // A release on a box gives the selected key the dragged key's default code (the key box)
    // or its usage (a combination box); anywhere else nothing changes.
    function _drop(at) {
        var target = _dropBoxAt(at)
        var boxes = _dropBoxes()
        for (var i = 0; i < boxes.length; ++i)
            boxes[i].box.isIn = false
        var position = _dragPosition
        _dragPosition = -1
        if (target === undefined)
            return
        var code = model.defaultCode(position)
        target.drop(code)
        target.box.setKeycodeUSB(code[2])
    }

    width: 759
    height: 442

    // Decoded when the page shows (1.2 MB or more): the hidden pages hold none at start.
    Image {
        source: visible ? root.skinDir + "/list_center/fnKeydefineBackground.png" : ""
    }

    Model_KeyDefine_Z4 {
        id: model
        objectName: "keyDefineModel"
        x: 23
        y: 97
        labelSize: main_Z4._ProductLayoutStringSize
        selectedPosition: page.selectedPosition
        onKeyPressed: function (position, at) { page._pickUp(position, at) }
        onKeyMoved: function (position, at) { page._moveCopy(mapToItem(page, at.x, at.y)) }
        onKeyReleased: function (position, at) { page._drop(mapToItem(page, at.x, at.y)) }
        onKeyClicked: function (position) { page.selectKey(position) }
    }

    Item {
        id: gamingBox
        objectName: "gamingModeBox"
        x: 55
        y: 305
        width: gamingText.x + gamingText.width
        height: checkbox.height

        Image {
            id: checkbox
            source: root.skinDir + (page.gamingMode || gamingMouse.containsMouse ? "/common/checkbox_1.png"
                                                                                   : "/common/checkbox_0.png")
        }

        Text {
            id: gamingText
            x: checkbox.width + 8
            anchors.verticalCenter: checkbox.verticalCenter
            text: root.globalSetting_stringList[79]
            font.family: root.globalSetting_fontFamily
            font.pixelSize: root.globalSetting_size
            font.bold: true
            color: gamingMouse.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
        }

        MouseArea {
            id: gamingMouse
            anchors.fill: parent
            hoverEnabled: true
            onClicked: page.setGamingMode(!page.gamingMode)
        }
    }

    Image {
        x: 560
        y: 15
        source: root.skinDir + "/common/fram_2btn.png"

        Button_2state {
            id: resetButton
            objectName: "resetButton"
            x: 3
            anchors.verticalCenter: parent.verticalCenter
            enabled: page.gamingMode
            source0: root.skinDir + "/common/reset_0.png"
            source1: root.skinDir + "/common/reset_1.png"
            onClicked: page.reset()
        }

        Button_2state {
            id: applyButton
            objectName: "applyButton"
            x: 32
            anchors.verticalCenter: parent.verticalCenter
            enabled: page.gamingMode
            source0: root.skinDir + "/common/apply_0.png"
            source1: root.skinDir + "/common/apply_1.png"
            onClicked: page.apply()
        }
    }

    // The kind menu and its second controls, above the keyboard, over which their lists open.
    // Only one second control shows at a time, and none lies under the kind menu's list.
    Item {
        id: editor
        enabled: page.gamingMode
        opacity: enabled ? 1 : 0.2
        onEnabledChanged: {
            if (!enabled) {
                kindMenu.close()
                mouseList.close()
                mediaList.close()
                macroList.close()
            }
        }

        ListModel { id: kindItems }
        ListModel { id: mouseItems }
        ListModel { id: mediaItems }
        ListModel { id: macroItems }

        KeyInput {
            id: keyBox
            objectName: "keyBox"
            x: 311
            y: 15
            visible: page._kind === Rules.kindKeyboard
            onClearKey: page._setCode(page.selectedPosition, Rules.noFunction)
        }

        Row {
            x: 311
            y: 15
            spacing: 10
            visible: page._kind === Rules.kindCombo

            KeyInput {
                id: comboBox1
                objectName: "comboBox1"
                onClearKey: page._setComboUsage(1, 0)
            }
            KeyInput {
                id: comboBox2
                objectName: "comboBox2"
                onClearKey: page._setComboUsage(2, 0)
            }
            KeyInput {
                id: comboBox3
                objectName: "comboBox3"
                onClearKey: page._setComboUsage(3, 0)
            }
        }

        DropdownList {
            id: mouseList
            objectName: "mouseList"
            x: 311
            y: 15
            visible: page._kind === Rules.kindMouse
            mdItems: mouseItems
            onListElementClicked: function (index) { page._setCode(page.selectedPosition, Rules.mouseCode(index)) }
        }

        FileListButton {
            id: mediaList
            objectName: "mediaList"
            x: 311
            y: 15
            visible: page._kind === Rules.kindMedia
            mdItems: mediaItems
            onListElementClicked: function (index) {
                if (index >= 0)
                    page._setCode(page.selectedPosition, Rules.mediaCode(index))
            }
        }

        FileListButton {
            id: macroList
            objectName: "macroList"
            x: 311
            y: 15
            visible: page._kind === Rules.kindMacro
            mdItems: macroItems
            onRequestToUpdateList: page._refreshMacroNames()
            onListElementClicked: function (index) { page._chooseMacro(index) }
        }

        DropdownList {
            id: kindMenu
            objectName: "kindMenu"
            x: 140
            y: 15
            mdItems: kindItems
            onListElementClicked: function (index) { page._chooseKind(index) }
        }
    }

    // The copy of the key being dragged.
    Key_Base {
        id: dragCopy
        objectName: "dragCopy"
        visible: page._dragPosition >= 0
        labelSize: main_Z4._ProductLayoutStringSize
    }

    Component.onCompleted: _labelLists()
}
