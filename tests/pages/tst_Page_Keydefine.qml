// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The key definition page against the real bridge on the simulated keyboard, driven with the
// mouse: what the menus show for a key's code, what each control writes, macro slots, drag and
// drop, Reset and Apply, gaming mode and the keyboard's own mode reports, re-reading on a
// profile switch.
PageTestCase {
    name: "Page_Keydefine"

    readonly property string options: "\u3010 OPTIONS \u3011"
    readonly property string emptyBox: "\u3010 KEYS \u3011"
    // Key positions.
    readonly property int esc: 5
    readonly property int keyA: 8
    readonly property int keyB: 31
    readonly property int keyFn: 60
    readonly property int backslash: 80
    // The kind menu's entries.
    readonly property var kinds: ({ KEYBOARD: 0, MOUSE: 1, MEDIA: 2, COMBO: 3, MACRO: 4 })

    // --- the user ---------------------------------------------------------------------------

    function keyDefine(scene) { return findNamed(scene, "page_Keydefine") }
    function control(scene, name) { return findChild(keyDefine(scene), name) }

    // The centre of a key, in the page's coordinates.
    function keyPoint(scene, position) {
        var model = control(scene, "keyDefineModel")
        var key = model.getKey[position]
        return Qt.point(model.x + key.x + key.width / 2, model.y + key.y + key.height / 2)
    }

    function clickKey(scene, position) {
        var at = keyPoint(scene, position)
        clickPage(scene, at.x, at.y)
    }

    // The page opened and gaming mode checked by clicking its box; the records cleared.
    function openForEditing(scene) {
        openPage(scene, "KEY")
        clickPage(scene, 62, 312)
        verify(keyDefine(scene).gamingMode)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.featureReports()[0].indexOf("00 09 01"), 0)
        simKeyboard.clearRecords()
    }

    // Opens a drop-down by its head and clicks its row `index`.
    function chooseInDropdown(list, index) {
        mouseClick(list, list.width / 2, list.height / 2)
        tryCompare(list, "isSelect", true)
        mouseClick(list, list.width / 2, list.height + index * (list.height - 1) + list.height / 2)
        tryCompare(list, "isSelect", false)
    }

    function chooseKind(scene, kind) {
        chooseInDropdown(control(scene, "kindMenu"), kinds[kind])
    }

    // Opens a list button by its head and clicks its row `index`, scrolled into view.
    function chooseInList(list, index) {
        mouseClick(list, list.width / 2, list.height / 2)
        tryCompare(list, "isSelect", true)
        var view = findChild(list, "dropBody").children[0].children[0].lvItems
        view.positionViewAtIndex(index, ListView.Contain)
        var row = view.itemAtIndex(index)
        verify(row, "row " + index)
        mouseClick(row, row.width / 2, row.height / 2)
        tryCompare(list, "isSelect", false)
    }

    // Presses key `position`, moves to page point `to` in steps and checks what shows there,
    // then releases.
    function dragKey(scene, position, to, whileOver) {
        var from = keyPoint(scene, position)
        mousePress(scene, pageOrigin.x + from.x, pageOrigin.y + from.y)
        for (var step = 1; step <= 4; ++step) {
            mouseMove(scene, pageOrigin.x + from.x + (to.x - from.x) * step / 4,
                      pageOrigin.y + from.y + (to.y - from.y) * step / 4, -1, Qt.LeftButton)
        }
        if (whileOver)
            whileOver()
        mouseRelease(scene, pageOrigin.x + to.x, pageOrigin.y + to.y)
    }

    function centreOf(scene, item) {
        var at = item.mapToItem(keyDefine(scene), item.width / 2, item.height / 2)
        return Qt.point(at.x, at.y)
    }

    // --- what the page holds and shows -------------------------------------------------------

    function code(scene, position) {
        return control(scene, "keyDefineModel").keyCode(position)
    }

    function boxText(box) {
        return box.keycodeUSB < 0 ? box.keynameDefault : box.keyname
    }

    function caption(scene, position) {
        return findNamed(scene, "main_Z4")._ProductLayoutStringList[position]
    }

    // --- fixtures ---------------------------------------------------------------------------

    // Stores key definitions (position -> code) in profile file `n` (1..10) and starts the
    // application again on it.
    function storeKeyDefinitions(scene, definitions, n) {
        var file = "modules/setting/p" + (n === undefined ? 1 : n) + ".bin"
        var lines = dataTree.readFile(file).split("\n")
        for (var position in definitions) {
            var key = position + "="
            var line = definitions[position] === null ? null : key + definitions[position].join(", ")
            var at = lines.findIndex(function (text) { return text.indexOf(key) === 0 })
            verify(at >= 0, file + " holds keydefine/" + position)
            if (line === null)
                lines.splice(at, 1)
            else
                lines[at] = line
        }
        verify(dataTree.writeFile(file, lines.join("\n")))
        return restartApplication(scene)
    }

    function writeMacro(name, index, repeat) {
        verify(dataTree.writeFile("modules/macro/" + name + ".bin",
                                  "[config]\nindex=" + index + "\nrepeat=" + repeat + "\ntotal=2\n\n"
                                  + "[macro]\n0=A    [Down]\n1=A      [Up]\n"))
    }

    // --- showing a code ---------------------------------------------------------------------

    function test_menusShowTheSelectedCode() {
        var scene = storeKeyDefinitions(startApplication(), { 9: [0x0B, 0, 0x02, 0], 15: [0x03, 0, 0x83, 0x01] })
        openPage(scene, "KEY")
        var kindMenu = control(scene, "kindMenu")
        compare(kindMenu.headText, "KEYBOARD", "Esc is selected at first")
        compare(boxText(control(scene, "keyBox")), caption(scene, esc))

        clickKey(scene, keyFn)
        compare(keyDefine(scene).selectedPosition, keyFn)
        compare(kindMenu.headText, options)
        verify(!control(scene, "keyBox").visible)

        clickKey(scene, 9)
        compare(kindMenu.headText, "MOUSE")
        compare(control(scene, "mouseList").headText, "RIGHT")
        clickKey(scene, 15)
        compare(kindMenu.headText, "MEDIA")
        compare(control(scene, "mediaList").headText, "MEDIA SELECT")
    }

    // A language switch relabels the menus' entries with its interface strings 46..73.
    function test_languageSwitchRelabelsTheLists() {
        var scene = startApplication()
        openPage(scene, "KEY")
        var strings = scene.globalSetting_stringList.slice()
        for (var i = 46; i <= 73; ++i)
            strings[i] = "~" + strings[i]
        scene.globalSetting_stringList = strings
        scene.translateStrings("031225")
        compare(control(scene, "kindMenu").headText, "~KEYBOARD")
        compare(control(scene, "kindMenu").mdItems.get(4).textX, "~MACRO")
        compare(control(scene, "mouseList").mdItems.get(4).textX, "~B5")
        compare(control(scene, "mediaList").mdItems.get(17).textX, "~WWW FAVORITES")
        compare(control(scene, "mediaList").mdItems.count, 18)
        compare(boxText(control(scene, "keyBox")), caption(scene, esc))
    }

    // A combination shows in the three boxes; a usage of 0 leaves its box empty.
    function test_comboCodeFillsTheBoxes() {
        var scene = storeKeyDefinitions(startApplication(), { 5: [0, 0, 0x04, 0x05] })
        openPage(scene, "KEY")
        compare(control(scene, "kindMenu").headText, "COMBO KEY")
        compare(boxText(control(scene, "comboBox1")), emptyBox)
        compare(boxText(control(scene, "comboBox2")), caption(scene, keyA))
        compare(boxText(control(scene, "comboBox3")), caption(scene, keyB))
        verify(control(scene, "comboBox1").visible)
        verify(!control(scene, "keyBox").visible)
    }

    // A code whose bytes do not fit its kind leaves the menus as they were.
    function test_codeThatDoesNotFitItsKindKeepsTheMenus() {
        var scene = storeKeyDefinitions(startApplication(), { 9: [0x0B, 0, 0x03, 1], 15: [0x03, 0, 0, 0x01] })
        openPage(scene, "KEY")
        clickKey(scene, 9)
        compare(control(scene, "kindMenu").headText, "KEYBOARD")
        compare(boxText(control(scene, "keyBox")), caption(scene, esc))
        clickKey(scene, 15)
        compare(control(scene, "kindMenu").headText, "KEYBOARD")
        compare(keyDefine(scene).selectedPosition, 15)
    }

    // --- writing a code ---------------------------------------------------------------------

    // Choosing a kind empties its control and changes no code.
    function test_kindAloneChangesNoCode() {
        var scene = startApplication()
        openForEditing(scene)
        clickKey(scene, keyA)
        var names = ["MOUSE", "MEDIA", "COMBO", "MACRO", "KEYBOARD"]
        for (var i = 0; i < names.length; ++i) {
            chooseKind(scene, names[i])
            compare(code(scene, keyA), [0, 0, 0x04, 0], names[i])
        }
        compare(boxText(control(scene, "keyBox")), emptyBox)
        chooseKind(scene, "MOUSE")
        compare(control(scene, "mouseList").headText, options)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [])
    }

    function test_mouseAndMediaCodes() {
        var entries = [
            { kind: "MOUSE", text: "LEFT", code: [0x0B, 0, 0x01, 0] },
            { kind: "MOUSE", text: "RIGHT", code: [0x0B, 0, 0x02, 0] },
            { kind: "MOUSE", text: "MIDDLE", code: [0x0B, 0, 0x04, 0] },
            { kind: "MOUSE", text: "B4", code: [0x0B, 0, 0x08, 0] },
            { kind: "MOUSE", text: "B5", code: [0x0B, 0, 0x10, 0] },
            { kind: "MEDIA", text: "NEXT TRACK", code: [0x03, 0, 0xB5, 0x00] },
            { kind: "MEDIA", text: "PREVIOUS TRACK", code: [0x03, 0, 0xB6, 0x00] },
            { kind: "MEDIA", text: "STOP", code: [0x03, 0, 0xB7, 0x00] },
            { kind: "MEDIA", text: "PLAY / PAUSE", code: [0x03, 0, 0xCD, 0x00] },
            { kind: "MEDIA", text: "MUTE", code: [0x03, 0, 0xE2, 0x00] },
            { kind: "MEDIA", text: "VOLUME UP", code: [0x03, 0, 0xE9, 0x00] },
            { kind: "MEDIA", text: "VOLUME DOWN", code: [0x03, 0, 0xEA, 0x00] },
            { kind: "MEDIA", text: "MEDIA SELECT", code: [0x03, 0, 0x83, 0x01] },
            { kind: "MEDIA", text: "MAIL", code: [0x03, 0, 0x8A, 0x01] },
            { kind: "MEDIA", text: "CALCULATOR", code: [0x03, 0, 0x92, 0x01] },
            { kind: "MEDIA", text: "MY COMPUTER", code: [0x03, 0, 0x94, 0x01] },
            { kind: "MEDIA", text: "WWW SEARCH", code: [0x03, 0, 0x21, 0x02] },
            { kind: "MEDIA", text: "WWW HOME", code: [0x03, 0, 0x23, 0x02] },
            { kind: "MEDIA", text: "WWW BACK", code: [0x03, 0, 0x24, 0x02] },
            { kind: "MEDIA", text: "WWW FORWARD", code: [0x03, 0, 0x25, 0x02] },
            { kind: "MEDIA", text: "WWW STOP", code: [0x03, 0, 0x26, 0x02] },
            { kind: "MEDIA", text: "WWW REFRESH", code: [0x03, 0, 0x27, 0x02] },
            { kind: "MEDIA", text: "WWW FAVORITES", code: [0x03, 0, 0x2A, 0x02] }
        ]
        var scene = startApplication()
        openForEditing(scene)
        clickKey(scene, keyA)
        var lists = { MOUSE: control(scene, "mouseList"), MEDIA: control(scene, "mediaList") }
        var row = { MOUSE: 0, MEDIA: 0 }
        for (var i = 0; i < entries.length; ++i) {
            var entry = entries[i]
            chooseKind(scene, entry.kind)
            if (entry.kind === "MOUSE")
                chooseInDropdown(lists.MOUSE, row.MOUSE++)
            else
                chooseInList(lists.MEDIA, row.MEDIA++)
            compare(lists[entry.kind].headText, entry.text)
            compare(code(scene, keyA), entry.code, entry.text)
            // Shown again from the code.
            clickKey(scene, esc)
            clickKey(scene, keyA)
            compare(lists[entry.kind].headText, entry.text, entry.text + " from its code")
        }
    }

    // --- drag and drop ----------------------------------------------------------------------

    function test_drag_data() {
        return [
            { tag: "B onto the key box", kind: "KEYBOARD", key: 31, box: "keyBox",
              code: [0, 0, 0x05, 0], shows: 31 },
            { tag: "Fn onto the key box", kind: "KEYBOARD", key: 60, box: "keyBox",
              code: [0x02, 0, 0, 0], shows: -1 },
            { tag: "B onto combination box 1", kind: "COMBO", key: 31, box: "comboBox1",
              code: [0, 0x05, 0x04, 0], shows: 31 },
            { tag: "B onto combination box 3", kind: "COMBO", key: 31, box: "comboBox3",
              code: [0, 0, 0x04, 0x05], shows: 31 },
            { tag: "B onto a combination box of a macro key", stored: [0x04, 1, 7, 0], kind: "COMBO",
              key: 31, box: "comboBox2", code: [0, 0, 0x05, 0], shows: 31 },
            { tag: "B onto a combination box of a media key", stored: [0x03, 0, 0xE9, 0], kind: "COMBO",
              key: 31, box: "comboBox1", code: [0, 0x05, 0, 0], shows: 31 },
            { tag: "B outside every box", kind: "KEYBOARD", key: 31, to: Qt.point(700, 60),
              code: [0, 0, 0x04, 0] },
            { tag: "B onto the hidden combination box", kind: "KEYBOARD", key: 31, to: Qt.point(470, 26),
              code: [0, 0, 0x04, 0] }
        ]
    }

    function test_drag(data) {
        var scene = startApplication()
        if (data.stored)
            scene = storeKeyDefinitions(scene, { 8: data.stored })
        openForEditing(scene)
        clickKey(scene, keyA)
        chooseKind(scene, data.kind)
        var box = data.box ? control(scene, data.box) : null
        var to = box ? centreOf(scene, box) : data.to
        dragKey(scene, data.key, to, function () {
            var copy = control(scene, "dragCopy")
            verify(copy.visible)
            compare(copy.opacity, box ? 0.5 : 1)
            if (box)
                verify(box.isIn)
        })
        compare(code(scene, keyA), data.code)
        compare(keyDefine(scene).selectedPosition, keyA)
        verify(!control(scene, "dragCopy").visible)
        if (box) {
            verify(!box.isIn)
            compare(boxText(box), data.shows < 0 ? emptyBox : caption(scene, data.shows))
        }
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [])
    }

    // Releasing where the key was pressed is a click: it selects the key.
    function test_releaseOnThePressedKeySelectsIt() {
        var scene = startApplication()
        openForEditing(scene)
        clickKey(scene, keyA)
        var b = keyPoint(scene, keyB)
        dragKey(scene, keyB, Qt.point(b.x + 3, b.y + 2))
        compare(keyDefine(scene).selectedPosition, keyB)
        compare(code(scene, keyA), [0, 0, 0x04, 0])
        compare(boxText(control(scene, "keyBox")), caption(scene, keyB))
    }

    // In standard mode the boxes take no drop.
    function test_noDropInStandardMode() {
        var scene = startApplication()
        openPage(scene, "KEY")
        clickKey(scene, keyA)
        dragKey(scene, keyB, centreOf(scene, control(scene, "keyBox")))
        compare(code(scene, keyA), [0, 0, 0x04, 0])
    }

    // Each case on a key of its own: its stored code, the kind chosen (none: the one its code
    // shows), the box clicked and the code after.
    function test_clickingABoxClears() {
        var cases = [
            { tag: "key box", position: 5, stored: [0, 0, 0x29, 0], box: "keyBox", code: [0, 0, 0, 0] },
            { tag: "combination box 2", position: 9, stored: [0, 0xE0, 0x04, 0x05], box: "comboBox2",
              code: [0, 0xE0, 0, 0x05] },
            { tag: "combination box of a macro key", position: 15, stored: [0x04, 1, 3, 0], kind: "COMBO",
              box: "comboBox1", code: [0, 0, 0, 0] }
        ]
        var definitions = {}
        for (var i = 0; i < cases.length; ++i)
            definitions[cases[i].position] = cases[i].stored
        var scene = storeKeyDefinitions(startApplication(), definitions)
        openForEditing(scene)
        for (i = 0; i < cases.length; ++i) {
            var c = cases[i]
            clickKey(scene, c.position)
            if (c.kind)
                chooseKind(scene, c.kind)
            var box = control(scene, c.box)
            mouseClick(box, box.width / 2, box.height / 2)
            compare(code(scene, c.position), c.code, c.tag)
            compare(boxText(box), emptyBox, c.tag)
        }
    }

    // --- macros -----------------------------------------------------------------------------

    // A macro bound to a slot keeps it; nothing is sent.
    function test_macroWithItsSlot() {
        var scene = startApplication()
        writeMacro("Seven", 7, 3)
        scene = restartApplication(scene)
        openForEditing(scene)
        clickKey(scene, keyA)
        chooseKind(scene, "MACRO")
        var list = control(scene, "macroList")
        compare(list.mdItems.count, 2)
        chooseInList(list, 1)
        compare(code(scene, keyA), [0x04, 3, 7, 0])
        compare(list.headText, "Seven")
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [])
        compare(dataTree.value("modules/macro/Seven.bin", "config/index"), "7")

        // Shown again from the code: the last file bound to the slot.
        writeMacro("Zeven", 7, 1)
        clickKey(scene, esc)
        clickKey(scene, keyA)
        compare(control(scene, "kindMenu").headText, "MACRO")
        compare(list.headText, "Zeven")
    }

    function test_newMacroGetsTheLowestFreeSlot_data() {
        var all = []
        for (var slot = 0; slot < 35; ++slot)
            all.push(slot)
        return [
            { tag: "slots 0..3 used", used: [0, 1, 2, 3], code: [0x04, 1, 4, 0], slot: 4 },
            { tag: "slot 1 used by the key itself", used: [0, 2, 3], code: [0x04, 1, 1, 0], slot: 1 },
            { tag: "every slot used", used: all, code: [0, 0, 0, 0], slot: -1 }
        ]
    }

    // Other keys use the slots in `used` (positions 9, 10, ...); the selected A key has slot 1,
    // which no longer counts once the key is cleared for the new macro.
    function test_newMacroGetsTheLowestFreeSlot(data) {
        var definitions = { 8: [0x04, 1, 1, 0] }
        for (var i = 0; i < data.used.length; ++i)
            definitions[9 + i] = [0x04, 1, data.used[i], 0]
        var scene = storeKeyDefinitions(startApplication(), definitions)
        openForEditing(scene)
        clickKey(scene, keyA)
        compare(control(scene, "kindMenu").headText, "MACRO")
        chooseInList(control(scene, "macroList"), 0)
        compare(code(scene, keyA), data.code)
        verify(simKeyboard.waitIdle())
        if (data.slot < 0) {
            compare(simKeyboard.commands(), [])
            compare(dataTree.value("modules/macro/Hello.bin", "config/index"), "-1")
            return
        }
        compare(simKeyboard.commands(), [0x11])
        compare(simKeyboard.featureReports()[0].indexOf("00 11 00 " + ("0" + data.slot.toString(16)).slice(-2)), 0)
        compare(dataTree.value("modules/macro/Hello.bin", "config/index"), String(data.slot))
        compare(dataTree.value("modules/macro/Hello.bin", "config/repeat"), "1")
        compare(simKeyboard.state().macros[String(data.slot)].slice(0, 4), [0x00, 0x01, 0x01, 0xE1])
        compare(simKeyboard.violations(), [])
    }

    function test_unreadableMacroLeavesTheKeyWithoutFunction() {
        var scene = startApplication()
        openForEditing(scene)
        clickKey(scene, keyA)
        chooseKind(scene, "MACRO")
        var list = control(scene, "macroList")
        mouseClick(list, list.width / 2, list.height / 2)
        tryCompare(list, "isSelect", true)
        // Gone after the list was read.
        verify(dataTree.removeFile("modules/macro/Hello.bin"))
        var view = findChild(list, "dropBody").children[0].children[0].lvItems
        var row = view.itemAtIndex(0)
        mouseClick(row, row.width / 2, row.height / 2)
        compare(code(scene, keyA), [0, 0, 0, 0])
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [])
        compare(dataTree.files("modules/macro"), [])
    }

    // --- Reset and Apply --------------------------------------------------------------------

    function test_resetReturnsToTheDefault() {
        var scene = storeKeyDefinitions(startApplication(), { 8: [0x04, 1, 2, 0] })
        openForEditing(scene)
        clickKey(scene, keyA)
        compare(control(scene, "kindMenu").headText, "MACRO")
        var reset = control(scene, "resetButton")
        mouseClick(reset, reset.width / 2, reset.height / 2)
        compare(code(scene, keyA), [0, 0, 0x04, 0])
        compare(control(scene, "kindMenu").headText, "KEYBOARD")
        compare(boxText(control(scene, "keyBox")), caption(scene, keyA))
    }

    // Apply sends all 126 codes in the firmware's order; the backslash key's hidden twin 79
    // carries the same code as 80.
    function test_applySendsTheWholeTable() {
        var scene = startApplication()
        openForEditing(scene)
        clickKey(scene, backslash)
        dragKey(scene, keyB, centreOf(scene, control(scene, "keyBox")))
        clickKey(scene, keyA)
        chooseKind(scene, "MOUSE")
        chooseInDropdown(control(scene, "mouseList"), 1)
        var apply = control(scene, "applyButton")
        mouseClick(apply, apply.width / 2, apply.height / 2)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [0x0D])
        compare(simKeyboard.outputReports().length, 8)
        compare(simKeyboard.violations(), [])

        var matrix = simKeyboard.profile().keyMatrix
        function firmware(position) {
            var at = 4 * Number(dataTree.value("modules/setting/keymap.bin", "sw_fw/" + position))
            return matrix.slice(at, at + 4)
        }
        compare(firmware(backslash), [0, 0, 0x05, 0])
        compare(firmware(79), [0, 0, 0x05, 0])
        compare(firmware(keyA), [0x0B, 0, 0x02, 0])
        compare(firmware(keyFn), [0x02, 0, 0, 0])
        compare(firmware(esc), [0, 0, 0x29, 0])
        compare(matrix.slice(504), [0, 0, 0, 0, 0, 0, 0, 0])
        compare(dataTree.value("modules/setting/p1.bin", "keydefine/79"), ["0", "0", "5", "0"])
        compare(dataTree.value("modules/setting/p1.bin", "keydefine/80"), ["0", "0", "5", "0"])
        compare(dataTree.value("modules/setting/p1.bin", "keydefine/8"), ["11", "0", "2", "0"])
    }

    // --- gaming mode ------------------------------------------------------------------------

    // Standard mode disables the editing but keeps the edits; a later Apply sends them.
    function test_standardModeKeepsTheEdits() {
        var scene = startApplication()
        openForEditing(scene)
        clickKey(scene, keyA)
        dragKey(scene, keyB, centreOf(scene, control(scene, "keyBox")))
        clickPage(scene, 62, 312)
        verify(!keyDefine(scene).gamingMode)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.featureReports()[0].indexOf("00 09 00"), 0)
        var names = ["kindMenu", "keyBox", "resetButton", "applyButton"]
        for (var i = 0; i < names.length; ++i)
            verify(!control(scene, names[i]).enabled, names[i])
        var apply = control(scene, "applyButton")
        mouseClick(apply, apply.width / 2, apply.height / 2)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [0x09])
        compare(code(scene, keyA), [0, 0, 0x05, 0])

        simKeyboard.clearRecords()
        clickPage(scene, 62, 312)
        mouseClick(apply, apply.width / 2, apply.height / 2)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [0x09, 0x0D])
        var at = 4 * Number(dataTree.value("modules/setting/keymap.bin", "sw_fw/" + keyA))
        compare(simKeyboard.profile().keyMatrix.slice(at, at + 4), [0, 0, 0x05, 0])
    }

    SignalSpy {
        id: modeSpy
        signalName: "gamingModeChanged"
    }

    // The keyboard's own mode changes are followed without sending anything back; other event
    // codes change nothing. Each series of events ends with a change that shows it has arrived.
    function test_followsTheKeyboardMode() {
        var scene = startApplication()
        openPage(scene, "KEY")
        var page = keyDefine(scene)
        simKeyboard.switchKeyboardMode(1)
        tryVerify(function () { return page.gamingMode })
        verify(control(scene, "kindMenu").enabled)
        modeSpy.target = page

        var series = [[0x04050300, 0x04050100, 0x04050000], [0x04050200, 0x04050000, 0x04050100]]
        for (var i = 0; i < series.length; ++i) {
            modeSpy.clear()
            for (var k = 0; k < series[i].length; ++k)
                simKeyboard.sendEvent(series[i][k])
            var on = series[i][2] === 0x04050100
            tryVerify(function () { return page.gamingMode === on }, 5000, "after series " + i)
            compare(modeSpy.count, 1, "series " + i)
            compare(control(scene, "applyButton").enabled, on)
        }
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [])
    }

    // --- re-reading the profile -------------------------------------------------------------

    // A profile switch replaces the working copy with the new profile's codes, unsent edits
    // included; a key the profile holds no readable code for shows its default. The selected
    // key stays selected.
    function test_profileSwitchReplacesTheWorkingCopy() {
        var scene = startApplication()
        scene = storeKeyDefinitions(scene, { 9: [0x0B, 0, 0x01, 0], 8: null, 15: [0, 0, 1] }, 2)
        openForEditing(scene)
        clickKey(scene, keyA)
        dragKey(scene, keyB, centreOf(scene, control(scene, "keyBox")))
        clickKey(scene, 15)
        dragKey(scene, keyB, centreOf(scene, control(scene, "keyBox")))
        clickKey(scene, 9)
        // P02 in the profile menu.
        mouseClick(scene, 963, 231)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [0x02])
        compare(code(scene, 9), [0x0B, 0, 0x01, 0])
        compare(code(scene, keyA), [0, 0, 0x04, 0])
        compare(code(scene, 15), [0, 0, 0x1A, 0])
        compare(keyDefine(scene).selectedPosition, 9)
        compare(control(scene, "kindMenu").headText, "MOUSE")
        compare(control(scene, "mouseList").headText, "LEFT")
    }
}
