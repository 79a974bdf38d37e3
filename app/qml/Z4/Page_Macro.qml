// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import "../common"
import "MacroEditing.js" as MacroEditing

// The macro page: the macro library on the left, the selected macro's steps on the right,
// recorded from the keyboard or built from a captured key and delays, and edited with delete,
// cut, copy and paste. Every change is saved to the macro's file at once; a save that fails
// empties the step list. The rules live in MacroEditing.js; this file lays out and wires.
//
// The step list keeps, per row, the stored step (value + command, as the file holds it) and
// the text shown for it (a key's display name in the current language), so the stored and
// the shown lists are in step at every index.
Item {
    id: page

    // The selected macro's name; empty when none is selected.
    property string selectedMacro: ""
    // The selected step's index, -1 for none.
    property int selectedAction: -1
    property var clipboard: MacroEditing.emptyClipboard()
    // The captured key's USB usage (0: none) and display name; listening for the next key.
    property int capturedUsage: 0
    property string capturedName: ""
    property bool listening: false
    // What the delay button adds, in milliseconds; taken from the field on Enter.
    property int delayValue: MacroEditing.initialDelay
    // Record the pauses between keys as delay steps.
    property bool recordDelays: false
    property bool confirmingDelete: false
    // Milliseconds, for the pauses a recording measures (a clock that jumps gives a pause of
    // 1 or 65535 ms, nothing worse).
    property var clock: function () { return Date.now() }

    // The running recording (MacroEditing.Recording), null while none runs.
    property var _recording: null
    readonly property bool isRecording: _recording !== null

    // Fills the file list; once, at start-up (the macro library is not per profile).
    function initUI() {
        _refreshFiles()
    }

    // The shown names of the listed keys and of the captured key follow the language.
    function translateStrings() {
        for (var i = 0; i < actionItems.count; ++i)
            actionItems.setProperty(i, "textX", MacroEditing.displayValue(_rowStep(i), _displayName))
        if (capturedUsage !== 0) {
            var name = root.keyDisplayName(capturedUsage)
            capturedName = name === undefined ? "" : name
            if (name === undefined)
                capturedUsage = 0
        }
    }

    // Every key going down or up, whichever page is shown. Keys without a display name, and
    // Fn, are neither captured nor recorded.
    function detectKeyboard(isDown, usbCode) {
        var name = root.keyDisplayName(usbCode)
        if (name === undefined || name === "FN")
            return
        if (listening) {
            capturedUsage = usbCode
            capturedName = name
            listening = false
        }
        if (!isRecording)
            return
        var label = keyCodeString.keycodeTostr(usbCode)
        if (label === undefined)
            return
        var command = isDown ? MacroEditing.pressCommand : MacroEditing.releaseCommand
        var appended = _recording.record(MacroEditing.step(label, command))
        for (var i = 0; i < appended.length; ++i) {
            actionItems.append(_row(appended[i].step))
            if (appended[i].save)
                _save()
        }
    }

    // A click on the file list: `index` is the new choice, -1 when the user cleared it.
    function selectFile(index) {
        selectedMacro = index >= 0 && index < fileItems.count ? fileItems.get(index).textX : ""
        _loadActions()
    }

    // A new, empty macro (the library names it), selected.
    function createFile() {
        var name = ui_View.createMacroIni()
        if (typeof name !== "string" || name === "")
            return
        _refreshFiles()
        var index = _fileIndex(name)
        fileList.lvItems.currentIndex = index
        if (index >= 0)
            fileList.lvItems.positionViewAtIndex(index, ListView.Contain)
        selectFile(index)
    }

    // After the user confirmed: the selected macro's file goes. A keyboard slot it was bound
    // to keeps its steps.
    function deleteSelectedFile() {
        confirmingDelete = false
        if (selectedMacro === "" || isRecording)
            return
        ui_View.deleteMacroIni(selectedMacro)
        _refreshFiles()
        selectFile(-1)
    }

    function selectAction(index) {
        _select(index)
    }

    // Keys typed while recording are the macro's, not the delay field's.
    function startRecording() {
        confirmingDelete = false
        delayInput.focus = false
        _clearActions()
        _recording = new MacroEditing.Recording(recordDelays, clock)
    }

    function stopRecording() {
        var mustSave = _recording.stop()
        _recording = null
        if (mustSave)
            _save()
    }

    function toggleListening() {
        capturedUsage = 0
        capturedName = ""
        listening = !listening
    }

    function addKey() {
        var label = keyCodeString.keycodeTostr(capturedUsage)
        if (label === undefined || root.keyDisplayName(capturedUsage) === undefined)
            return
        _insert(MacroEditing.keySteps(label))
        _save()
    }

    function addDelay() {
        _insert([MacroEditing.delayStep(delayValue)])
        _save()
    }

    // Enter in the delay field; text that is no delay leaves the value as it was.
    function takeDelay(text) {
        var value = MacroEditing.parseDelay(text)
        if (value !== undefined)
            delayValue = value
    }

    function deleteAction() {
        actionItems.remove(selectedAction)
        _select(-1)
        _save()
    }

    function cutAction() {
        clipboard = MacroEditing.cutClipboard(_rowStep(selectedAction))
        deleteAction()
    }

    function copyAction() {
        clipboard = MacroEditing.copyClipboard(_rowStep(selectedAction))
    }

    function pasteAction() {
        _insert([MacroEditing.parseStep(clipboard.text)])
        clipboard = MacroEditing.clipboardAfterPaste(clipboard)
        _save()
    }

    // The stored list, as the file keeps it.
    function storedActions() {
        var steps = []
        for (var i = 0; i < actionItems.count; ++i)
            steps.push(MacroEditing.stepText(_rowStep(i)))
        return steps
    }

    function _fileIndex(name) {
        for (var i = 0; i < fileItems.count; ++i) {
            if (fileItems.get(i).textX === name)
                return i
        }
        return -1
    }

    function _refreshFiles() {
        var names = MacroEditing.macroNames(ui_View.getMacroIniNames())
        fileItems.clear()
        for (var i = 0; i < names.length; ++i)
            fileItems.append({ textX: names[i], textR: "" })
    }

    // The selected macro's steps; none when no macro is selected.
    function _loadActions() {
        _clearActions()
        var steps = ui_View.loadMacroIni(selectedMacro)
        if (selectedMacro === "")
            return
        for (var i = 0; i < steps.length; ++i)
            actionItems.append(_row(MacroEditing.parseStep(steps[i])))
    }

    function _clearActions() {
        actionItems.clear()
        _select(-1)
    }

    // Every change ends here: the whole stored list goes to the file; a refusal empties it.
    function _save() {
        if (!ui_View.saveMacroIni(selectedMacro, storedActions()))
            _clearActions()
    }

    // Steps go before the selected one, or at the end; the selection moves along.
    function _insert(steps) {
        var at = MacroEditing.insertionIndex(actionItems.count, selectedAction)
        for (var i = 0; i < steps.length; ++i)
            actionItems.insert(at + i, _row(steps[i]))
        _select(MacroEditing.selectionAfterInsert(selectedAction, at, steps.length))
    }

    function _select(index) {
        selectedAction = index
        actionList.lvItems.currentIndex = index
    }

    function _row(step) {
        return { value: step.value, textX: MacroEditing.displayValue(step, _displayName), textR: step.command }
    }

    function _rowStep(index) {
        var row = actionItems.get(index)
        return MacroEditing.step(row.value, row.textR)
    }

    function _displayName(label) {
        return root.keyDisplayName(keyCodeString.strTokeycode(label))
    }

    width: 759
    height: 396

    ListModel { id: fileItems }
    ListModel { id: actionItems }

    // Decoded when the page shows (1.2 MB or more): the hidden pages hold none at start.
    Image {
        source: visible ? root.skinDir + "/list_center/fnMacroBackground.png" : ""
    }

    // --- the macro files -----------------------------------------------------------------

    Rectangle {
        x: 119
        y: 55
        width: 141
        height: 219
        color: "#80000000"

        MacroPanelTitle {
            width: parent.width
            text: root.globalSetting_stringList[44]
        }

        FileList {
            id: fileList
            objectName: "macroFileList"
            y: 21
            width: parent.width
            height: 198
            color: "transparent"
            mdItems: fileItems
            enabled: !page.isRecording
            opacity: enabled ? 1 : 0.2
            onListElementClicked: function (index) { page.selectFile(index) }
        }

        // Asks before a macro file goes; covers the list meanwhile.
        Rectangle {
            objectName: "deleteConfirm"
            y: 21
            width: parent.width
            height: 198
            color: "#E0000000"
            visible: page.confirmingDelete

            MouseArea {
                anchors.fill: parent
            }

            Column {
                anchors.centerIn: parent
                spacing: 12

                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: 131
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideMiddle
                    text: "\u3010 " + page.selectedMacro + " \u3011"
                    font.family: root.globalSetting_fontFamily
                    font.pixelSize: root.globalSetting_size
                    font.bold: true
                    color: root.globalSetting_color
                }

                Row {
                    anchors.horizontalCenter: parent.horizontalCenter
                    spacing: 16

                    MacroChoice {
                        objectName: "deleteConfirmYes"
                        text: root.globalSetting_stringList[80]
                        onClicked: page.deleteSelectedFile()
                    }
                    MacroChoice {
                        objectName: "deleteConfirmNo"
                        text: root.globalSetting_stringList[78]
                        onClicked: page.confirmingDelete = false
                    }
                }
            }
        }
    }

    Button_2state {
        objectName: "fileAddButton"
        x: 214
        y: 278
        source0: root.skinDir + "/common/add_0.png"
        source1: root.skinDir + "/common/add_1.png"
        enabled: !page.isRecording && !page.confirmingDelete
        onClicked: page.createFile()
    }

    Button_2state {
        objectName: "fileDeleteButton"
        x: 239
        y: 278
        source0: root.skinDir + "/common/delete_0.png"
        source1: root.skinDir + "/common/delete_1.png"
        enabled: page.selectedMacro !== "" && !page.isRecording && !page.confirmingDelete
        onClicked: page.confirmingDelete = true
    }

    // --- the editing tools -----------------------------------------------------------------

    Repeater {
        // [picture, string index of the name shown on hover]
        model: [["solid-delete", 80], ["solid-cut", 81], ["solid-paste", 82], ["solid-copy", 83]]

        Button_2state {
            id: tool
            objectName: ["deleteButton", "cutButton", "pasteButton", "copyButton"][index]
            x: 446
            y: 77 + [3, 34, 65, 96][index]
            source0: root.skinDir + "/common/" + modelData[0] + "_0.png"
            source1: root.skinDir + "/common/" + modelData[0] + "_1.png"
            enabled: index === 2 ? !MacroEditing.isClipboardEmpty(page.clipboard) && page.selectedMacro !== ""
                                 : page.selectedAction >= 0
            onClicked: [page.deleteAction, page.cutAction, page.pasteAction, page.copyAction][index]()

            Text {
                objectName: tool.objectName + "Name"
                anchors.right: parent.left
                anchors.rightMargin: 10
                anchors.verticalCenter: parent.verticalCenter
                visible: tool.mouse.containsMouse && tool.enabled
                text: root.globalSetting_stringList[modelData[1]]
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                font.bold: true
                color: root.globalSetting_color
            }
        }
    }

    // --- a captured key and a delay --------------------------------------------------------

    Rectangle {
        objectName: "captureField"
        x: 290
        y: 205
        width: 151
        height: 23
        color: "#FF000000"
        border.width: 1
        border.color: captureText.color

        Text {
            id: captureText
            objectName: "captureText"
            anchors.centerIn: parent
            width: parent.width - 8
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideMiddle
            text: page.capturedUsage === 0 ? "\u3010 PRESS ANY KEY \u3011" : "KEY \u3010 " + page.capturedName + " \u3011"
            font.family: root.globalSetting_fontFamily
            font.pixelSize: root.globalSetting_size
            font.bold: true
            color: page.listening || captureMouse.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
        }

        MouseArea {
            id: captureMouse
            anchors.fill: parent
            hoverEnabled: true
            onClicked: page.toggleListening()
        }
    }

    Button_2state {
        objectName: "keyAddButton"
        x: 446
        y: 205
        source0: root.skinDir + "/common/add_0.png"
        source1: root.skinDir + "/common/add_1.png"
        enabled: page.selectedMacro !== "" && page.capturedUsage !== 0
        onClicked: page.addKey()
    }

    Item {
        x: 290
        y: 233
        width: 151
        height: 23

        Row {
            anchors.centerIn: parent

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "DELAY\u3010 "
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                font.bold: true
                color: root.globalSetting_color_enable
            }

            Image {
                anchors.verticalCenter: parent.verticalCenter
                source: root.skinDir + "/common/draw_inputValue.png"

                TextInput {
                    id: delayInput
                    objectName: "delayInput"
                    anchors.fill: parent
                    horizontalAlignment: TextInput.AlignHCenter
                    verticalAlignment: TextInput.AlignVCenter
                    clip: true
                    text: String(page.delayValue)
                    maximumLength: 5
                    validator: IntValidator { bottom: 0; top: MacroEditing.maxDelay }
                    inputMethodHints: Qt.ImhDigitsOnly
                    selectByMouse: true
                    font.family: root.fixedFontFamily
                    font.pixelSize: root.globalSetting_size
                    font.bold: true
                    color: root.globalSetting_color
                    selectionColor: root.globalSetting_color
                    onAccepted: {
                        page.takeDelay(text)
                        text = String(page.delayValue)
                    }
                    // Typed but not taken: the field shows the value again.
                    onActiveFocusChanged: if (!activeFocus) text = String(page.delayValue)
                }
            }

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: " \u3011ms"
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                font.bold: true
                color: root.globalSetting_color_enable
            }
        }
    }

    Button_2state {
        objectName: "delayAddButton"
        x: 446
        y: 233
        source0: root.skinDir + "/common/add_0.png"
        source1: root.skinDir + "/common/add_1.png"
        enabled: page.selectedMacro !== "" && page.delayValue > 0
        onClicked: page.addDelay()
    }

    // --- the steps -------------------------------------------------------------------------

    Rectangle {
        x: 468
        y: 55
        width: 250
        height: 219
        color: "#80000000"

        MacroPanelTitle {
            width: parent.width
            text: root.globalSetting_stringList[45]

            Row {
                anchors.right: parent.right
                anchors.rightMargin: 1
                anchors.verticalCenter: parent.verticalCenter
                spacing: 2

                Item {
                    objectName: "delaysCheck"
                    width: delaysRow.width + 6
                    height: 19
                    enabled: !page.isRecording
                    opacity: enabled ? 1 : 0.2

                    Row {
                        id: delaysRow
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 4

                        Image {
                            anchors.verticalCenter: parent.verticalCenter
                            source: root.skinDir + (page.recordDelays ? "/common/checkbox_1.png" : "/common/checkbox_0.png")
                        }
                        Text {
                            anchors.verticalCenter: parent.verticalCenter
                            text: "delays"
                            font.family: root.globalSetting_fontFamily
                            font.pixelSize: root.globalSetting_size
                            font.bold: true
                            color: delaysMouse.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
                        }
                    }

                    MouseArea {
                        id: delaysMouse
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: page.recordDelays = !page.recordDelays
                    }
                }

                Button_2state {
                    objectName: "recordButton"
                    source0: root.skinDir + "/common/record_0.png"
                    source1: root.skinDir + "/common/record_1.png"
                    enabled: page.selectedMacro !== "" && !page.isRecording
                    onClicked: page.startRecording()
                }

                Button_2state {
                    objectName: "stopButton"
                    source0: root.skinDir + "/common/stop_0.png"
                    source1: root.skinDir + "/common/stop_1.png"
                    enabled: page.isRecording
                    onClicked: page.stopRecording()
                }
            }
        }

        FileList {
            id: actionList
            objectName: "actionList"
            y: 21
            width: parent.width
            height: 198
            color: "transparent"
            mdItems: actionItems
            onListElementClicked: function (index) { page.selectAction(index) }
        }
    }
}
