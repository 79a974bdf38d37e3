// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The lighting page against the real bridge on the simulated keyboard: what Apply sends, what
// the page reads from the profile, Reset, painting, importing a picture and the live preview.
PageTestCase {
    name: "Page_Color"

    // Page coordinates of the controls a user clicks.
    readonly property var lists: [{ x: 200 }, { x: 371 }]
    readonly property point applyAt: Qt.point(340, 414)
    readonly property point resetAt: Qt.point(311, 414)
    readonly property point importAt: Qt.point(76, 394)
    // The keyboard model's top-left corner on the page.
    readonly property point modelAt: Qt.point(23, 97)

    // A picture for the import: left half white, right half black, the model's size.
    Item {
        id: halves
        property int half: 0
        Rectangle { width: halves.half; height: halves.height; color: "#FFFFFF" }
        Rectangle { x: halves.half; width: halves.width - halves.half; height: halves.height; color: "#000000" }
    }

    function openColor() {
        var scene = startApplication()
        openPage(scene, "COLOR")
        return scene
    }

    // Chooses entry `index` of the group list (0) or the second list (1) by clicking.
    function choose(scene, list, index) {
        var dropdown = findNamed(scene, list === 0 ? "groupList" : "entryList")
        clickPage(scene, lists[list].x, 26)
        tryCompare(dropdown, "isSelect", true)
        clickPage(scene, lists[list].x, 49 + 22 * index)
        tryCompare(dropdown, "isSelect", false)
    }

    function chooseMode(scene, group, entry) {
        choose(scene, 0, group)
        choose(scene, 1, entry)
    }

    // A slider's level set by clicking it where that level lies.
    function clickLevel(slider, level) {
        mouseClick(slider, 5 + Math.max(0, level * 20 - 10), 11)
        compare(slider.currentIndex, level)
    }

    function typeText(text) {
        for (var i = 0; i < text.length; ++i)
            keyClick(text[i])
    }

    function bytesOf(report) {
        return report.split(" ").map(function (hex) { return parseInt(hex, 16) })
    }

    // The lighting mode frame the keyboard received last: [effect, speed, light, colour, direction].
    function lastMode() {
        var frames = simKeyboard.featureReports().filter(function (r) { return r.indexOf("00 08 ") === 0 })
        verify(frames.length > 0, "no lighting mode sent")
        return bytesOf(frames[frames.length - 1]).slice(3, 8)
    }

    function dragPage(scene, from, to) {
        mousePress(scene, pageOrigin.x + from.x, pageOrigin.y + from.y)
        mouseMove(scene, pageOrigin.x + (from.x + to.x) / 2, pageOrigin.y + (from.y + to.y) / 2, -1, Qt.LeftButton)
        mouseMove(scene, pageOrigin.x + to.x, pageOrigin.y + to.y, -1, Qt.LeftButton)
        mouseRelease(scene, pageOrigin.x + to.x, pageOrigin.y + to.y)
    }

    // A key's rectangle on the page.
    function keyOnPage(scene, position) {
        var key = findNamed(scene, "colorModel").getKey[position]
        return { x: modelAt.x + key.x, y: modelAt.y + key.y, width: key.width, height: key.height }
    }

    function redLevels(picture) {
        var levels = []
        for (var p = 0; p < 126; ++p)
            levels.push(picture[p * 4 + 1])
        return levels
    }

    // The picture in the firmware's order, as the keyboard stores it.
    function firmwareOrder(picture) {
        var stored = new Array(512).fill(0)
        for (var i = 0; i < 126; ++i) {
            var from = parseInt(dataTree.value("modules/setting/keymap.bin", "fw_sw/" + i), 10)
            for (var k = 0; k < 4; ++k)
                stored[i * 4 + k] = picture[from * 4 + k]
        }
        return stored
    }

    function test_apply_data() {
        return [
            { tag: "USER DEFINE 3: the picture with index 2, then the mode", group: 0, entry: 2,
              commands: [0x12, 0x08], picture: 2, mode: [0x35, 0x06, 0x31, 0, 1] },
            { tag: "STATIC: only the mode", group: 1, entry: 0, commands: [0x08], mode: [0x01, 0x06, 0x31, 0, 1] },
            { tag: "ROTATION", group: 1, entry: 8, commands: [0x08], mode: [0x0D, 0x06, 0x31, 0, 1] },
        ]
    }

    function test_apply(data) {
        var scene = openColor()
        chooseMode(scene, data.group, data.entry)
        clickPage(scene, applyAt.x, applyAt.y)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), data.commands)
        if (data.picture !== undefined)
            compare(bytesOf(simKeyboard.featureReports()[0]).slice(1, 6), [0x12, 0, data.picture, 0x08, 0])
        compare(lastMode(), data.mode)
        compare(dataTree.value("modules/setting/p1.bin", "color/ledType"), data.mode.map(String))
        compare(simKeyboard.violations(), [])
    }

    // Each row: the stored speed and light bytes and the sliders they show; the sliders then
    // clicked and the bytes Apply sends.
    function test_speedAndLightBytes_data() {
        return [
            { tag: "0x0B reads as 2; slider 0 sends 0x0B", speed: 0x0B, light: 49, shown: [2, 7], click: [0, 7], sent: [0x0B, 0x31] },
            { tag: "0x0A", speed: 0x0A, light: 48, shown: [1, 6], click: [1, 6], sent: [0x0A, 0x2A] },
            { tag: "0x09", speed: 0x09, light: 42, shown: [2, 6], click: [2, 5], sent: [0x09, 0x23] },
            { tag: "0x08", speed: 0x08, light: 28, shown: [3, 4], click: [3, 4], sent: [0x07, 0x1C] },
            { tag: "0x07", speed: 0x07, light: 21, shown: [3, 3], click: [4, 3], sent: [0x06, 0x15] },
            { tag: "0x05", speed: 0x05, light: 14, shown: [5, 2], click: [5, 2], sent: [0x04, 0x0E] },
            { tag: "0x03", speed: 0x03, light: 7, shown: [6, 1], click: [6, 1], sent: [0x03, 0x07] },
            { tag: "0x02, light 6", speed: 0x02, light: 6, shown: [7, 0], click: [7, 0], sent: [0x01, 0x00] },
            { tag: "0x00, light 50 keeps the slider", speed: 0x00, light: 50, shown: [0, 7], click: [7, 7], sent: [0x01, 0x31] },
        ]
    }

    function test_speedAndLightBytes(data) {
        var scene = openColor()
        ui_View.ui_08H_SetLEDType(0, 0x02, data.speed, data.light, 0, 1)
        verify(simKeyboard.waitIdle())
        findNamed(scene, "page_Color").initUI()
        var speed = findNamed(scene, "speedSlider")
        var brightness = findNamed(scene, "brightnessSlider")
        compare([speed.currentIndex, brightness.currentIndex], data.shown)
        clickLevel(speed, data.click[0])
        clickLevel(brightness, data.click[1])
        simKeyboard.clearRecords()
        clickPage(scene, applyAt.x, applyAt.y)
        verify(simKeyboard.waitIdle())
        compare(lastMode(), [0x02].concat(data.sent, [0, 1]))
    }

    function test_unofferedEffectDisablesEverything_data() {
        return [{ tag: "0x03", id: 0x03 }, { tag: "0x08", id: 0x08 }, { tag: "0x09", id: 0x09 }, { tag: "0x0B", id: 0x0B }]
    }

    function test_unofferedEffectDisablesEverything(data) {
        var scene = openColor()
        ui_View.ui_08H_SetLEDType(0, data.id, 0x06, 49, 0, 3)
        verify(simKeyboard.waitIdle())
        var page = findNamed(scene, "page_Color")
        page.initUI()
        compare(page.groupIndex, 1)
        compare(page.effectIndex, -1)
        compare(page.effectId, -1)
        compare(findNamed(scene, "entryList").headText, "\u3010 OPTIONS \u3011")
        var controls = ["speedControl", "brightnessControl", "directionControl", "colorPalette", "resetButton", "applyButton"]
        for (var i = 0; i < controls.length; ++i) {
            var control = findNamed(scene, controls[i])
            verify(!control.enabled, controls[i])
            compare(control.opacity, 0.2, controls[i])
        }
        var keys = findNamed(scene, "colorModel").getKey
        verify(keys.every(function (key) { return key.level === 0 }), "the preview is dark")
        verify(!findNamed(scene, "colorEffects").running)
        simKeyboard.clearRecords()
        clickPage(scene, applyAt.x, applyAt.y)
        clickPage(scene, resetAt.x, resetAt.y)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [])
    }

    // Pictures of any length but 512, or none, leave the page's picture as it was.
    function test_storedPicturesOfTheWrongLength() {
        var scene = startApplication()
        var text = dataTree.readFile("modules/setting/p1.bin").split("\n")
        var filled = function (count) { return new Array(count).fill(7).join(", ") }
        text = text.filter(function (line) { return line.indexOf("2=") !== 0 || text.indexOf("[userPicture]") < 0 })
        var start = text.indexOf("[userPicture]")
        var section = ["[userPicture]", "0=" + filled(511), "1=" + filled(513), "3=" + filled(512)]
        text = text.slice(0, start).concat(section, text.slice(start + 1).filter(function (line) {
            return !/^[0-3]=/.test(line)
        }))
        verify(dataTree.writeFile("modules/setting/p1.bin", text.join("\n")))
        scene = restartApplication(scene)
        var pictures = findNamed(scene, "colorEffects").pictures
        compare(pictures[0], new Array(512).fill(0))
        compare(pictures[1], new Array(512).fill(0))
        compare(pictures[2], new Array(512).fill(0))
        compare(pictures[3], new Array(512).fill(7))
        compare(pictures[4].length, 512)
        verify(pictures[4].some(function (v) { return v !== 0 }), "the shipped picture 5")
    }

    function test_resetSendsNothing() {
        var scene = openColor()
        var page = findNamed(scene, "page_Color")
        chooseMode(scene, 1, 8)
        clickLevel(findNamed(scene, "speedSlider"), 1)
        clickLevel(findNamed(scene, "brightnessSlider"), 2)
        mouseClick(findNamed(scene, "directionWheel"), 30, 5)
        compare(page.directionValue, 3)
        simKeyboard.clearRecords()
        clickPage(scene, resetAt.x, resetAt.y)
        compare([page.groupIndex, page.effectIndex, page.effectId], [1, 0, 0x01])
        compare([page.speedValue, page.brightnessValue, page.directionValue], [4, 7, 1])
        compare([page.swatchIndex, page.paletteValue], [0, 255])
        var pictures = findNamed(scene, "colorEffects").pictures
        for (var i = 0; i < 5; ++i)
            compare(pictures[i], new Array(512).fill(0), "picture " + (i + 1))
        openPage(scene, "KEY")
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [])
    }

    // The red palette: swatches, the bar and the "R " field, whose typed value is taken by Apply.
    function test_palette() {
        var scene = openColor()
        var page = findNamed(scene, "page_Color")
        chooseMode(scene, 0, 0)
        mouseClick(findNamed(scene, "swatch4"), 9, 15)
        compare([page.swatchIndex, page.paletteValue], [4, 85])
        var bar = findNamed(scene, "redBar")
        mousePress(bar, 0, 5)
        mouseRelease(bar, 0, 5)
        compare(page.paletteValue, 0)
        mousePress(bar, 19, 5)
        mouseRelease(bar, 19, 5)
        compare(page.paletteValue, 102)
        compare(page.swatchIndex, 4)
        var field = findNamed(scene, "paletteField")
        compare(field.text, "102")
        mouseClick(field, 20, 9)
        field.forceActiveFocus()
        field.selectAll()
        typeText("300")
        clickPage(scene, applyAt.x, applyAt.y)
        compare(page.paletteValue, 102, "300 is no level")
        mouseClick(field, 20, 9)
        field.forceActiveFocus()
        field.selectAll()
        typeText("42")
        clickPage(scene, applyAt.x, applyAt.y)
        compare(page.paletteValue, 42)
        verify(!field.activeFocus)
        compare(findNamed(scene, "paletteStrip").color, Qt.rgba(42 / 255, 0, 0, 1))
    }

    // Touching edges count; position 79 lies on 80; the painted picture is what Apply sends.
    function test_painting() {
        var scene = openColor()
        var page = findNamed(scene, "page_Color")
        var effects = findNamed(scene, "colorEffects")
        var model = findNamed(scene, "colorModel")
        chooseMode(scene, 0, 1)
        mouseClick(findNamed(scene, "swatch3"), 9, 15)
        var before = redLevels(effects.pictures[1])
        var q = keyOnPage(scene, 9)
        // While the button is held, the band shows and the keys under it their frames.
        mousePress(scene, pageOrigin.x + q.x + 5, pageOrigin.y + q.y + 5)
        mouseMove(scene, pageOrigin.x + q.x + 40, pageOrigin.y + q.y + 6, -1, Qt.LeftButton)
        verify(findNamed(scene, "paintBand").visible)
        compare(model.highlightedKeys, [9, 15])
        mouseRelease(scene, pageOrigin.x + q.x + 5, pageOrigin.y + q.y + 5)
        compare(model.highlightedKeys, [])
        verify(!findNamed(scene, "paintBand").visible)
        // From inside Tab up to Q's left edge, inside their row.
        dragPage(scene, Qt.point(q.x - 10, q.y + 5), Qt.point(q.x, q.y + 10))
        var backslash = keyOnPage(scene, 80)
        dragPage(scene, Qt.point(backslash.x + 5, backslash.y + 5), Qt.point(backslash.x + 10, backslash.y + 10))
        var selected = model.getKey.filter(function (key) { return key.selected }).map(function (key) { return key.matrix })
        compare(selected, [79, 80])
        var picture = effects.pictures[1]
        var levels = redLevels(picture)
        compare([levels[3], levels[9], levels[79], levels[80]], [128, 128, 128, 128])
        compare(levels[15], before[15], "W is beyond the band")
        compare(picture.slice(9 * 4 + 1, 9 * 4 + 4), [128, 0, 0])
        compare([model.getKey[9].level, model.getKey[9].solid], [128, true])

        clickPage(scene, applyAt.x, applyAt.y)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [0x12, 0x08])
        compare(simKeyboard.profile().pictures[1], firmwareOrder(picture))
        compare(simKeyboard.violations(), [])
    }

    function test_paintingNeedsAUserPicture() {
        var scene = openColor()
        var effects = findNamed(scene, "colorEffects")
        chooseMode(scene, 1, 0)
        var before = JSON.stringify(effects.pictures)
        dragPage(scene, Qt.point(20, 90), Qt.point(700, 300))
        compare(JSON.stringify(effects.pictures), before)
        var model = findNamed(scene, "colorModel")
        verify(model.getKey.every(function (key) { return !key.selected && !key.highlighted }))
        verify(!findNamed(scene, "importPicture").visible)
    }

    function test_importPicture() {
        var scene = openColor()
        var page = findNamed(scene, "page_Color")
        var effects = findNamed(scene, "colorEffects")
        var model = findNamed(scene, "colorModel")
        chooseMode(scene, 0, 0)
        verify(findNamed(scene, "importPicture").visible)
        // Every position at 128 first, the hidden ones at the model's origin too.
        mouseClick(findNamed(scene, "swatch3"), 9, 15)
        dragPage(scene, Qt.point(2, 69), Qt.point(738, 317))
        compare(redLevels(effects.pictures[0]), new Array(126).fill(128))

        halves.width = model.width
        halves.height = model.height
        halves.half = Math.floor(model.width / 2)
        var saved = false
        var path = dataTree.path("halves.png")
        verify(halves.grabToImage(function (result) { saved = result.saveToFile(path) }))
        tryVerify(function () { return saved }, 5000, "the picture was saved")

        var unreadable = dataTree.path("not-a-picture.png")
        verify(dataTree.writeFile("not-a-picture.png", "no picture here"))
        var cases = [["", "cancelled"], [unreadable, "unreadable"]]
        for (var i = 0; i < cases.length; ++i) {
            dialogs.answerNext(cases[i][0])
            clickPage(scene, importAt.x, importAt.y)
            compare(redLevels(effects.pictures[0]), new Array(126).fill(128), cases[i][1])
        }

        dialogs.answerNext(path)
        clickPage(scene, importAt.x, importAt.y)
        var levels = redLevels(effects.pictures[0])
        for (var p = 0; p < 126; ++p) {
            var key = model.getKey[p]
            if (key.width === 0)
                compare(levels[p], 128, "hidden position " + p)
            else if (key.x + key.width <= halves.half)
                compare(levels[p], 255, "position " + p)
            else if (key.x >= halves.half)
                compare(levels[p], 0, "position " + p)
        }
        compare(model.getKey[5].level, 255, "shown at once")
        verify(dialogs.asked()[0].indexOf("Image Files(*.png *.jpg *.jpeg)") > 0)

        clickPage(scene, applyAt.x, applyAt.y)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [0x12, 0x08])
        compare(simKeyboard.profile().pictures[0], firmwareOrder(effects.pictures[0]))
    }

    // Key-downs of keys the model has reach the preview, also while another page is shown;
    // speed and brightness act at once.
    function test_preview() {
        var scene = openColor()
        var effects = findNamed(scene, "colorEffects")
        var keys = findNamed(scene, "colorModel").getKey
        chooseMode(scene, 1, 2)   // INDUCTION DARKEN
        verify(effects.running)
        compare(effects.interval, 132)
        scene.detectKeyboard(false, 0x04)   // A, position 8, going up
        scene.detectKeyboard(true, 0x01)    // no key of the model
        verify(keys.every(function (key) { return key.level === 0 }))
        openPage(scene, "KEY")
        scene.detectKeyboard(true, 0x04)
        verify(keys[8].level > 200)
        tryCompare(keys[8], "level", 0, 5000)
        verify(effects.running, "runs on while another page is shown")
        openPage(scene, "COLOR")
        clickLevel(findNamed(scene, "speedSlider"), 7)
        compare(effects.interval, 22)
        clickLevel(findNamed(scene, "speedSlider"), 0)
        compare(effects.interval, 16)

        chooseMode(scene, 1, 0)   // STATIC
        verify(!effects.running)
        clickLevel(findNamed(scene, "brightnessSlider"), 3)
        verify(keys.every(function (key) { return key.level === 135 }))
    }
}
