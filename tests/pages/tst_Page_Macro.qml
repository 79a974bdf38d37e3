// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The macro page against the real bridge and macro library: what a user clicks and types ends
// up in the macro's file, and what the list shows stays in step with it.
PageTestCase {
    name: "Page_Macro"

    // The page's own coordinates: it sits 46 pixels below the page area's top.
    readonly property int pageTop: 46
    // The shipped example: Shift+H, e, l, l, o with 30 ms pauses, 16 steps.
    readonly property string example: "Hello"
    readonly property string exampleFile: "modules/macro/Hello.bin"

    function clickMacroPage(scene, x, y) {
        clickPage(scene, x, pageTop + y)
    }

    // Rows are 20 pixels high and overlap by one.
    function clickFile(scene, row) {
        waitForItemPolished(findNamed(scene, "macroFileList").lvItems)
        clickMacroPage(scene, 190, 86 + 19 * row)
    }
    // The list lays its rows out on the next frame after they changed.
    function clickAction(scene, row) {
        waitForItemPolished(findNamed(scene, "actionList").lvItems)
        clickMacroPage(scene, 593, 86 + 19 * row)
    }
    function clickTool(scene, name) {
        clickMacroPage(scene, 456, 91 + {DELETE: 3, CUT: 34, PASTE: 65, COPY: 96}[name])
    }
    function clickRecord(scene) { clickMacroPage(scene, 687, 65) }
    function clickStop(scene) { clickMacroPage(scene, 708, 65) }
    function clickCapture(scene) { clickMacroPage(scene, 365, 216) }
    function clickKeyAdd(scene) { clickMacroPage(scene, 456, 216) }
    function clickDelayAdd(scene) { clickMacroPage(scene, 456, 244) }

    function openMacroPage() {
        var scene = startApplication()
        openPage(scene, "MACRO")
        return scene
    }

    function page(scene) { return findNamed(scene, "page_Macro") }

    // What the rows show: value and command field of each.
    function shown(scene) {
        var rows = findNamed(scene, "actionList").mdItems
        var out = []
        for (var i = 0; i < rows.count; ++i)
            out.push(rows.get(i).textX + rows.get(i).textR)
        return out
    }

    function fileNamesShown(scene) {
        var rows = findNamed(scene, "macroFileList").mdItems
        var out = []
        for (var i = 0; i < rows.count; ++i)
            out.push(rows.get(i).textX)
        return out
    }

    // The steps the macro's file holds, in order.
    function saved(name) {
        var file = "modules/macro/" + name + ".bin"
        var total = Number(dataTree.value(file, "config/total"))
        var steps = []
        for (var i = 0; i < total; ++i)
            steps.push(dataTree.value(file, "macro/" + i))
        return steps
    }

    function keyEvent(scene, isDown, usage) {
        scene.detectKeyboard(isDown, usage)
    }

    function test_filesAreListedAndLoaded() {
        var scene = startApplication()
        dataTree.writeFile("modules/macro/b.bin", "[config]\nindex=-1\ntotal=1\nrepeat=1\n[macro]\n0=B      [Up]\n")
        dataTree.writeFile("modules/macro/A.bin", "[config]\nindex=-1\ntotal=0\nrepeat=1\n")
        scene = restartApplication(scene)
        openPage(scene, "MACRO")
        compare(fileNamesShown(scene), ["A", "b", "Hello"])
        compare(shown(scene), [])

        clickFile(scene, 2)
        compare(page(scene).selectedMacro, example)
        var steps = saved(example)
        compare(steps.length, 16)
        compare(page(scene).storedActions(), steps)
        // Keys by their display names, delays as they are.
        var rows = shown(scene)
        compare(rows[0], scene.keyDisplayName(0xE1) + "    [Down]")
        compare(rows[2], scene.keyDisplayName(0x0B) + "      [Up]")
        compare(rows[4], "30   [Delay]")
        // Another language renames the keys shown, not the steps stored.
        scene.translateStrings("111246")
        compare(shown(scene)[0], scene.keyDisplayName(0xE1) + "    [Down]")
        verify(shown(scene)[0] !== rows[0])
        compare(page(scene).storedActions(), steps)

        clickFile(scene, 1)
        compare(page(scene).selectedMacro, "b")
        compare(shown(scene), [scene.keyDisplayName(0x05) + "      [Up]"])
        clickFile(scene, 1)
        compare(page(scene).selectedMacro, "")
        compare(shown(scene), [])
        verify(!findNamed(scene, "recordButton").enabled)
    }

    // 100 events save the first 95 at the 95th; Stop saves nothing more. Meanwhile the file
    // list cannot be used.
    function test_recordingSavesTheFirst95() {
        var scene = openMacroPage()
        clickFile(scene, 0)
        clickRecord(scene)
        verify(page(scene).isRecording)
        compare(shown(scene), [])
        for (var i = 0; i < 100; ++i) {
            keyEvent(scene, i % 2 === 0, 0x04 + (i >> 1) % 26)
            if (i === 93)
                compare(saved(example).length, 16, "saved before the cap")
            if (i === 94)
                compare(saved(example).length, 95, "saved at the cap")
        }
        compare(shown(scene).length, 100)
        compare(saved(example)[94], "V    [Down]")

        clickFile(scene, 0)
        compare(page(scene).selectedMacro, example)
        clickStop(scene)
        verify(!page(scene).isRecording)
        compare(saved(example).length, 95)

        clickFile(scene, 0)
        clickFile(scene, 0)
        compare(shown(scene).length, 95)
    }

    // Fn and keys without a display name are not recorded; recording runs on while another
    // page is shown.
    function test_recordingSkipsFnAndRunsOnOtherPages() {
        var scene = openMacroPage()
        clickFile(scene, 0)
        clickRecord(scene)
        var otherBackslash = isUK ? 0x31 : 0x32
        keyEvent(scene, true, 0x72)
        keyEvent(scene, false, 0x72)
        keyEvent(scene, true, otherBackslash)
        compare(shown(scene), [])
        openPage(scene, "COLOR")
        keyEvent(scene, true, 0xE0)
        keyEvent(scene, false, 0xE0)
        openPage(scene, "MACRO")
        verify(page(scene).isRecording)
        clickStop(scene)
        compare(saved(example), ["L Ctrl    [Down]", "L Ctrl      [Up]"])
    }

    // Recording replaces the macro's content, also with nothing.
    function test_recordThenStopSavesAnEmptyMacro() {
        var scene = openMacroPage()
        clickFile(scene, 0)
        clickRecord(scene)
        clickStop(scene)
        compare(saved(example), [])
        compare(dataTree.value(exampleFile, "config/total"), "0")
    }

    function test_recordingWithDelays() {
        var scene = openMacroPage()
        var now = 1000
        page(scene).clock = function () { return now }
        clickFile(scene, 0)
        mouseClick(findNamed(scene, "delaysCheck"))
        verify(page(scene).recordDelays)
        clickRecord(scene)
        verify(!findNamed(scene, "delaysCheck").enabled)
        keyEvent(scene, true, 0x04)
        now += 120
        keyEvent(scene, false, 0x04)
        clickStop(scene)
        compare(saved(example), ["A    [Down]", "120   [Delay]", "A      [Up]"])
    }

    function test_captureFieldAndKeyBeforeSelection() {
        var scene = openMacroPage()
        var text = findNamed(scene, "captureText")
        compare(text.text, "\u3010 PRESS ANY KEY \u3011")
        clickFile(scene, 0)
        verify(!findNamed(scene, "keyAddButton").enabled)

        clickCapture(scene)
        verify(page(scene).listening)
        keyEvent(scene, true, 0x72)
        verify(page(scene).listening, "Fn is not captured")
        keyEvent(scene, false, 0x04)
        verify(!page(scene).listening)
        compare(text.text, "KEY \u3010 " + scene.keyDisplayName(0x04) + " \u3011")

        var before = saved(example)
        clickAction(scene, 3)
        clickKeyAdd(scene)
        var expected = before.slice(0, 3).concat(["A    [Down]", "A      [Up]"], before.slice(3))
        compare(saved(example), expected)
        compare(page(scene).storedActions(), expected)
        compare(page(scene).selectedAction, 5)
        compare(shown(scene)[3], scene.keyDisplayName(0x04) + "    [Down]")

        // With nothing selected the key goes to the end.
        clickAction(scene, 5)
        compare(page(scene).selectedAction, -1)
        clickKeyAdd(scene)
        compare(saved(example).slice(-2), ["A    [Down]", "A      [Up]"])

        // A click empties the field and listens; another stops listening.
        clickCapture(scene)
        compare(text.text, "\u3010 PRESS ANY KEY \u3011")
        verify(!findNamed(scene, "keyAddButton").enabled)
        clickCapture(scene)
        verify(!page(scene).listening)
    }

    function test_copyPastesTwiceCutOnce() {
        var scene = openMacroPage()
        clickFile(scene, 0)
        var before = saved(example)
        var paste = findNamed(scene, "pasteButton")
        verify(!paste.enabled)

        clickAction(scene, 1)
        clickTool(scene, "COPY")
        compare(saved(example), before, "a copy saves nothing")
        clickTool(scene, "PASTE")
        clickTool(scene, "PASTE")
        compare(saved(example), [before[0], before[1], before[1]].concat(before.slice(1)))
        verify(paste.enabled, "a copy stays on the clipboard")

        // The pasted copies went in before the selected step, which moved along to 3.
        compare(page(scene).selectedAction, 3)
        clickAction(scene, 4)
        clickTool(scene, "CUT")
        compare(page(scene).selectedAction, -1)
        var copied = [before[0], before[1], before[1], before[1]]
        compare(saved(example), copied.concat(before.slice(3)))
        clickTool(scene, "PASTE")
        verify(!paste.enabled)
        clickTool(scene, "PASTE")
        var after = copied.concat(before.slice(3), [before[2]])
        compare(saved(example), after)
        compare(page(scene).storedActions(), after)

        clickAction(scene, 0)
        clickTool(scene, "DELETE")
        compare(saved(example), after.slice(1))
        compare(shown(scene).length, after.length - 1)
    }

    function test_cutAndPasteMovesADelay() {
        var scene = openMacroPage()
        clickFile(scene, 0)
        var before = saved(example)
        compare(before[4], "30   [Delay]")
        clickAction(scene, 4)
        clickTool(scene, "CUT")
        clickAction(scene, 0)
        clickTool(scene, "PASTE")
        compare(saved(example), [before[4]].concat(before.slice(0, 4), before.slice(5)))
        compare(shown(scene)[0], "30   [Delay]")
        compare(page(scene).selectedAction, 1)
    }

    // The file went away under the page: the save is refused, both lists are emptied, and the
    // save does not bring the file back.
    function test_failedSaveEmptiesTheList() {
        var scene = openMacroPage()
        clickFile(scene, 0)
        verify(dataTree.removeFile(exampleFile))
        clickDelayAdd(scene)
        compare(shown(scene), [])
        compare(page(scene).storedActions(), [])
        verify(dataTree.files("modules/macro").indexOf("Hello.bin") < 0)
    }

    // Enter takes the typed number; typing alone keeps the value; 0 disables the button.
    function test_delayField() {
        var scene = openMacroPage()
        clickFile(scene, 0)
        var input = findNamed(scene, "delayInput")
        var add = findNamed(scene, "delayAddButton")
        compare(input.text, "1000")

        mouseClick(input)
        input.selectAll()
        keyClick(Qt.Key_2)
        keyClick(Qt.Key_5)
        compare(page(scene).delayValue, 1000)
        clickDelayAdd(scene)
        compare(saved(example).slice(-1), ["1000   [Delay]"])

        mouseClick(input)
        input.selectAll()
        keyClick(Qt.Key_2)
        keyClick(Qt.Key_5)
        keyClick(Qt.Key_0)
        keyClick(Qt.Key_Return)
        compare(page(scene).delayValue, 250)
        clickDelayAdd(scene)
        compare(saved(example).slice(-1), ["250   [Delay]"])

        input.selectAll()
        "700000".split("").forEach(function (digit) { keyClick(digit) })
        keyClick(Qt.Key_Return)
        compare(page(scene).delayValue, 250, "more than 65535 cannot be typed")

        input.selectAll()
        keyClick(Qt.Key_0)
        keyClick(Qt.Key_Return)
        compare(page(scene).delayValue, 0)
        verify(!add.enabled)
        var count = saved(example).length
        clickDelayAdd(scene)
        compare(saved(example).length, count)
    }

    // The tools say their names while hovered, and only while they can be used.
    function test_toolNamesOnHover() {
        var scene = openMacroPage()
        clickFile(scene, 0)
        var names = ["deleteButton", "cutButton", "pasteButton", "copyButton"]
        var strings = ["DELETE", "CUT", "PASTE", "COPY"]
        function label(i) { return findNamed(scene, names[i] + "Name") }
        function hover(i) {
            var tool = findNamed(scene, names[i])
            mouseMove(tool, tool.width / 2, tool.height / 2)
        }
        for (var i = 0; i < 4; ++i) {
            hover(i)
            verify(!label(i).visible, strings[i] + " disabled")
        }
        clickAction(scene, 0)
        clickTool(scene, "COPY")
        for (i = 0; i < 4; ++i) {
            hover(i)
            verify(label(i).visible, strings[i])
            compare(label(i).text, strings[i])
        }
    }

    // New macros are named by the library and selected; deleting asks first, and a macro bound
    // to a keyboard slot leaves the slot as it was.
    function test_createAndDeleteMacros() {
        var scene = openMacroPage()
        var files = findNamed(scene, "macroFileList")
        clickMacroPage(scene, 224, 289)
        clickMacroPage(scene, 224, 289)
        compare(fileNamesShown(scene), ["Hello", "Macro. 001", "Macro. 002"])
        compare(page(scene).selectedMacro, "Macro. 002")
        compare(files.lvItems.currentIndex, 2)
        compare(saved("Macro. 002"), [])

        clickFile(scene, 1)
        clickRecord(scene)
        keyEvent(scene, true, 0x04)
        keyEvent(scene, false, 0x04)
        clickStop(scene)
        ui_View.setMacroIniConfig("Macro. 001", [2, 1])
        ui_View.ui_11H_SetMacroKey(2, "Macro. 001")
        verify(simKeyboard.waitIdle())
        var slot = simKeyboard.state().macros["2"]
        compare(slot.slice(0, 8), [0x00, 0x01, 0x01, 0x04, 0x81, 0x04, 0x00, 0x00])
        simKeyboard.clearRecords()

        var confirm = findNamed(scene, "deleteConfirm")
        clickMacroPage(scene, 249, 289)
        verify(confirm.visible)
        mouseClick(findNamed(scene, "deleteConfirmNo"))
        verify(!confirm.visible)
        compare(fileNamesShown(scene).length, 3)

        clickMacroPage(scene, 249, 289)
        mouseClick(findNamed(scene, "deleteConfirmYes"))
        verify(!confirm.visible)
        compare(fileNamesShown(scene), ["Hello", "Macro. 002"])
        compare(dataTree.files("modules/macro"), ["Hello.bin", "Macro. 002.bin"])
        compare(page(scene).selectedMacro, "")
        compare(files.lvItems.currentIndex, -1)
        compare(shown(scene), [])
        verify(!findNamed(scene, "fileDeleteButton").enabled)

        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [])
        compare(simKeyboard.state().macros["2"], slot)

        // The freed name is the next one made, empty.
        clickMacroPage(scene, 224, 289)
        compare(page(scene).selectedMacro, "Macro. 001")
        compare(saved("Macro. 001"), [])
        compare(shown(scene), [])
    }
}
