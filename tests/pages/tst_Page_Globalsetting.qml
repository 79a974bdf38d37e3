// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The settings panel against the real bridge, used with the mouse and the keyboard at the
// places a user finds its controls: every choice shows at once, Apply stores them all and they
// come back after a restart, Reset stores and applies the factory values.
PageTestCase {
    name: "Page_Globalsetting"

    readonly property string configurationFile: "modules/setting/apConfig.bin"
    // The panel's top-left corner in the window.
    readonly property point panel: Qt.point(5, 27)
    // The heads of the lists and the toggle (panel coordinates; 151 x 23 each, at x 139).
    readonly property int soundY: 55
    readonly property int animationY: 88
    readonly property int languageY: 121
    readonly property int backgroundY: 154
    readonly property var reset: Qt.point(251, 384)
    readonly property var apply: Qt.point(280, 384)

    function clickPanel(scene, x, y) {
        mouseClick(scene, panel.x + x, panel.y + y)
    }

    // A click on the middle of a named item.
    function clickItem(scene, objectName) {
        var item = findNamed(scene, objectName)
        var centre = item.mapToItem(scene, item.width / 2, item.height / 2)
        mouseClick(scene, centre.x, centre.y)
        return item
    }

    function openSettings(scene) {
        openPage(scene, "SETTINGS")
        return findNamed(scene, "page_Globalsetting")
    }

    // Opens the drop-down whose head is at `headY` and clicks its entry `row`: 23-pixel rows
    // overlapping by one pixel under a drop-down list's head, 20-pixel rows overlapping by one
    // under the language list's.
    function choose(scene, listName, headY, row) {
        var list = findNamed(scene, listName)
        clickPanel(scene, 200, headY + 11)
        tryCompare(list, "isSelect", true)
        var rowY = listName === "languageList" ? headY + 24 + row * 19 + 10 : headY + 23 + row * 22 + 11
        clickPanel(scene, 200, rowY)
        tryCompare(list, "isSelect", false)
    }

    function storedList() {
        var values = []
        for (var i = 0; i < 31; ++i)
            values.push(dataTree.value(configurationFile, "common/" + i))
        return values
    }

    // Types `text` into the colour field `k` (0 R, 1 G, 2 B) over what it holds.
    function typeIntoField(scene, k, text) {
        var field = clickItem(scene, "colorField" + k)
        verify(field.activeFocus)
        field.selectAll()
        for (var i = 0; i < text.length; ++i)
            keyClick(text[i])
        return field
    }

    function test_firstStart() {
        var scene = startApplication()
        var page = openSettings(scene)
        compare(findNamed(scene, "soundList").getCurIndex(), 1)
        compare(findNamed(scene, "animationList").getCurIndex(), 0)
        compare(findNamed(scene, "languageList").getCurIndex(), 0)
        compare(findNamed(scene, "languageList").mdItems.count, 17)
        compare(scene.globalSetting_stringList[27], "SOUND")
        compare(String(scene.globalSetting_color), "#00ffff")
        compare(scene.globalSetting_size, 11)
        verify(!scene.isCustomBackground)
        compare(page._brightness, 7)
    }

    // Every value changed with the mouse and the keyboard; Apply stores them and closes the
    // panel; after a restart they are all back.
    function test_applyAndRestart() {
        var scene = startApplication()
        var page = openSettings(scene)
        var picture = dataTree.path("modules/img/skin2/background.png")
        choose(scene, "soundList", soundY, 0)
        choose(scene, "animationList", animationY, 1)
        compare(scene.animation_speed, 10)
        choose(scene, "languageList", languageY, 3)
        compare(scene.globalSetting_stringList[27], "TON")
        dialogs.answerNext(picture)
        clickPanel(scene, 200, backgroundY + 11)
        clickItem(scene, "sizeBox1")
        compare(scene.globalSetting_size, 12)
        // Swatch 3, then the colour bar at 12.5 % of its strip: red into swatch 3.
        clickPanel(scene, 148 + 3 * 21, 265)
        mousePress(scene, panel.x + 142 + 12, panel.y + 296)
        mouseRelease(scene, panel.x + 142 + 12, panel.y + 296)
        compare(findNamed(scene, "colorField1").text, "3")
        typeIntoField(scene, 2, "77")
        keyClick(Qt.Key_Return)
        // Brightness level 2.
        mouseClick(scene, panel.x + 144 + 35, panel.y + 348)
        compare(String(scene.globalSetting_color), String(Qt.rgba(1, 3 / 255, 77 / 255, 105 / 255)))
        clickPanel(scene, apply.x, apply.y)
        verify(!scene.isSettingsOpen)

        var expected = [1, 1, 0, 1, 3, true, "file:" + picture, 1,
                        0, 255, 255, 255, 200, 150, 255, 180, 0, 255, 3, 77,
                        200, 170, 255, 255, 180, 180, 160, 190, 160, 3, 2].map(String)
        compare(storedList(), expected)

        scene = restartApplication(scene)
        page = openSettings(scene)
        compare(findNamed(scene, "soundList").getCurIndex(), 0)
        compare(findNamed(scene, "animationList").getCurIndex(), 1)
        compare(findNamed(scene, "languageList").getCurIndex(), 3)
        compare(scene.globalSetting_stringList[27], "TON")
        verify(scene.isCustomBackground)
        compare(String(scene.sourceCustomBackground), "file://" + picture)
        compare(scene.globalSetting_size, 12)
        compare(page._currentSwatch, 3)
        compare(findNamed(scene, "colorField2").text, "77")
        compare(String(scene.globalSetting_color), String(Qt.rgba(1, 3 / 255, 77 / 255, 105 / 255)))
        // Applied again unchanged, the same values are stored.
        clickPanel(scene, apply.x, apply.y)
        compare(storedList(), expected)
    }

    function test_resetSwitchesEverythingOff() {
        var scene = startApplication()
        var page = openSettings(scene)
        choose(scene, "soundList", soundY, 0)
        choose(scene, "languageList", languageY, 7)
        compare(scene.globalSetting_stringList[27], "\u30B5\u30A6\u30F3\u30C9")
        clickItem(scene, "sizeBox1")
        choose(scene, "animationList", animationY, 0)
        compare(scene.animation_speed, 800)
        clickPanel(scene, reset.x, reset.y)

        compare(storedList(), [1, 1, 1, 1, 0, false, "", 0,
                               158, 158, 158, 255, 200, 150, 255, 180, 0, 200, 200, 100,
                               200, 170, 255, 255, 180, 180, 160, 190, 160, 0, 7].map(String))
        verify(scene.isSettingsOpen)
        compare(findNamed(scene, "soundList").getCurIndex(), 1)
        compare(findNamed(scene, "animationList").getCurIndex(), 1)
        compare(scene.animation_speed, 10)
        compare(findNamed(scene, "languageList").getCurIndex(), 0)
        compare(scene.globalSetting_stringList[27], "SOUND")
        compare(scene.globalSetting_size, 11)
        compare(String(scene.globalSetting_color), String(Qt.rgba(158 / 255, 158 / 255, 158 / 255, 1)))
        compare(findNamed(scene, "colorField0").text, "158")
    }

    function test_background() {
        var scene = startApplication()
        openSettings(scene)
        var toggle = findNamed(scene, "backgroundToggle")
        dialogs.answerNext("")
        clickPanel(scene, 200, backgroundY + 11)
        compare(dialogs.asked().length, 1)
        verify(dialogs.asked()[0].indexOf("open|") === 0)
        verify(!scene.isCustomBackground)
        compare(String(scene.sourceCustomBackground), "")
        compare(toggle.text, "\u3010 OFF \u3011")

        var picture = dataTree.path("modules/img/skin2/background.png")
        dialogs.answerNext(picture)
        clickPanel(scene, 200, backgroundY + 11)
        verify(scene.isCustomBackground)
        compare(toggle.text, "\u3010 ON \u3011")
        compare(String(scene.sourceCustomBackground), "file://" + picture)

        clickPanel(scene, 200, backgroundY + 11)
        verify(!scene.isCustomBackground)
        compare(dialogs.asked().length, 2)
        clickPanel(scene, apply.x, apply.y)
        compare(dataTree.value(configurationFile, "common/5"), "false")
        compare(dataTree.value(configurationFile, "common/6"), "")
    }

    // The field refuses a key that would leave 0..255; the values take effect when it loses
    // the focus, not before.
    function test_colorFields() {
        var scene = startApplication()
        var page = openSettings(scene)
        var field = typeIntoField(scene, 0, "300")
        compare(field.text, "30")
        compare(String(scene.globalSetting_color), "#00ffff")
        keyClick(Qt.Key_Tab)
        verify(findNamed(scene, "colorField1").activeFocus)
        compare(String(scene.globalSetting_color), String(Qt.rgba(30 / 255, 1, 1, 1)))
        // Emptied and left with Apply: 0.
        findNamed(scene, "colorField1").selectAll()
        keyClick(Qt.Key_Delete)
        clickPanel(scene, apply.x, apply.y)
        compare(storedList().slice(8, 11), ["30", "0", "255"])
        compare(String(scene.globalSetting_color), String(Qt.rgba(30 / 255, 0, 1, 1)))
    }

    // Clicking the chosen language again closes the list with none chosen; the strings in use
    // stay, and Apply stores that language.
    function test_chosenLanguageClickedAgain() {
        var scene = startApplication()
        openSettings(scene)
        choose(scene, "languageList", languageY, 3)
        choose(scene, "languageList", languageY, 3)
        var list = findNamed(scene, "languageList")
        compare(list.getCurIndex(), -1)
        compare(list.headText, "\u3010 OPTIONEN \u3011")
        compare(scene.globalSetting_stringList[27], "TON")
        clickPanel(scene, apply.x, apply.y)
        compare(dataTree.value(configurationFile, "common/4"), "3")
    }

    // An open list lies over the controls below it: its entry is clicked, not the control
    // under it.
    function test_openListIsRaised() {
        var scene = startApplication()
        openSettings(scene)
        var sound = findNamed(scene, "soundList")
        clickPanel(scene, 200, soundY + 11)
        tryCompare(sound, "isSelect", true)
        // Entry ON lies over the ANIMATED head.
        clickPanel(scene, 200, animationY + 5)
        tryCompare(sound, "isSelect", false)
        compare(sound.getCurIndex(), 0)
        verify(!findNamed(scene, "animationList").isSelect)
    }

    function test_brightnessLevelZero() {
        var scene = startApplication()
        openSettings(scene)
        mouseClick(scene, panel.x + 144, panel.y + 348)
        compare(String(scene.globalSetting_color), String(Qt.rgba(0, 1, 1, 45 / 255)))
    }
}
