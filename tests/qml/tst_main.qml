// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The main scene: start-up, the start-up animation, the page area, the settings panel, window
// dragging and closing, language and skin switching.
SceneTestCase {
    name: "main"

    // Points of the design, in scene coordinates, once the start-up animation has run.
    function functionEntry(entry) { return Qt.point(80, 180 + entry * 50 + 18) }
    readonly property point settingsButton: Qt.point(19, 13)
    readonly property point closeButton: Qt.point(1000 - 8 - 11, 13)

    function click(scene, point) {
        mouseClick(scene, point.x, point.y)
    }

    // The texts that a part of the scene shows.
    function texts(item) {
        var found = []
        if (item.text !== undefined && typeof item.text === "string")
            found.push(item.text)
        for (var i = 0; i < item.children.length; ++i)
            found = found.concat(texts(item.children[i]))
        return found
    }

    // The picture files that a part of the scene shows.
    function pictures(item) {
        var found = []
        if (item.source !== undefined && String(item.source) !== "")
            found.push(String(item.source))
        for (var i = 0; i < item.children.length; ++i)
            found = found.concat(pictures(item.children[i]))
        return found
    }

    function configuration(languageIndex) {
        return [1, 1, 1, 0, languageIndex, false, "", 0,
                158, 158, 158, 255, 200, 150, 255, 180, 0, 200, 200, 100,
                200, 170, 255, 255, 180, 180, 160, 190, 160, 0, 7]
    }

    function test_startUpOrder_data() {
        return [
            { tag: "stored configuration", config: configuration(7), language: "059108" },
            { tag: "no configuration", config: [], language: undefined }
        ]
    }

    // The settings come first (they load the strings the pages need), the keyboard mode last.
    function test_startUpOrder(data) {
        var scene = createScene()
        callLog.setReply("ui_View.loadApConfig", data.config)
        scene.initUI()
        var names = callLog.names()
        compare(names[0], "ui_View.loadApConfig")
        compare(names[names.length - 1], "kernel.syncFW")
        compare(callLog.count("kernel.syncFW"), 1)
        if (data.language === undefined) {
            compare(callLog.count("ui_View.getGlobalStrings"), 0)
            compare(callLog.count("ui_View.getProductLayoutStrings"), 0)
            return
        }
        compare(callLog.argumentsOf("ui_View.getGlobalStrings"), [[data.language]])
        compare(callLog.argumentsOf("ui_View.getProductLayoutStrings"), [[data.language]])
        verify(names.indexOf("ui_View.getGlobalStrings") < names.indexOf("ui_View.getProductLayoutStrings"))
    }

    function test_run() {
        var scene = createScene(10)
        scene.visible = false
        scene.run()
        compare(callLog.names()[0], "ui_View.playMedia_Index")
        compare(callLog.argumentsOf("ui_View.playMedia_Index"), [[1]])
        verify(scene.visible)
        var pageArea = findNamed(scene, "pageArea")
        tryVerify(function () { return pageArea.visible }, 1000)
        var logo = findNamed(scene, "logo")
        compare([logo.y, logo.opacity], [4, 1])
        var menuFunc = findNamed(scene, "menu_Func")
        var menuProf = findNamed(scene, "menu_Prof")
        tryCompare(menuFunc, "x", 8)
        tryCompare(menuProf, "x", 1000 - menuProf.width - 8)
        verify(menuFunc.visible && menuProf.visible)
        var menuUp = findNamed(scene, "menu_Up")
        var menuDown = findNamed(scene, "menu_Down")
        tryCompare(menuUp, "y", 0)
        tryCompare(menuDown, "y", 600 - menuDown.height)
        // No entry is chosen at start, so no page shows.
        compare(findNamed(scene, "main_Z4").pageId, -1)
        compare(menuFunc.currentIndex, -1)
    }

    // Clicks on the function menu: [entry, whether the slide may end before the next click].
    function test_pageArea_data() {
        return [
            { tag: "show", clicks: [[0, true]], page: 0 },
            { tag: "hide by clicking the shown entry", clicks: [[0, true], [0, true]], page: -1 },
            { tag: "show it again", clicks: [[0, true], [0, true], [0, true]], page: 0 },
            { tag: "switch", clicks: [[0, true], [2, true]], page: 2 },
            // A click "during" a slide must come before the slide ends, also on a loaded machine
            // that stalls between two clicks: these slides last long.
            { tag: "switch during the hiding slide", clicks: [[0, true], [2, false], [1, true]], page: 1, speed: 4000 },
            { tag: "switch during the showing slide", clicks: [[0, false], [2, true]], page: 2, speed: 4000 },
            // The showing slide ends in place, with no page to show.
            { tag: "hide during the showing slide", clicks: [[1, false], [1, true]], page: -1, x: 0, speed: 4000 }
        ]
    }

    function test_pageArea(data) {
        var speed = data.speed !== undefined ? data.speed : 800
        var scene = createStartedScene(speed)
        var main = findNamed(scene, "main_Z4")
        var pages = findNamed(scene, "pages")
        var showSlide = findNamed(scene, "showSlide")
        var hideSlide = findNamed(scene, "hideSlide")
        for (var i = 0; i < data.clicks.length; ++i) {
            click(scene, functionEntry(data.clicks[i][0]))
            if (data.clicks[i][1])
                tryVerify(function () { return !showSlide.running && !hideSlide.running }, 3 * speed)
        }
        compare(main.pageId, data.page)
        compare(findNamed(scene, "menu_Func").currentIndex, data.page)
        var names = ["page_Keydefine", "page_Macro", "page_Color"]
        for (var page = 0; page < 3; ++page)
            compare(findNamed(scene, names[page]).visible, page === data.page, names[page])
        compare(pages.x, data.x !== undefined ? data.x : data.page < 0 ? -1518 : 0)
        // Every request plays sound 2.
        compare(callLog.argumentsOf("ui_View.playMedia_Index").length, data.clicks.length)
        verify(callLog.argumentsOf("ui_View.playMedia_Index").every(function (a) { return a[0] === 2 }))
    }

    function test_aClickDuringASlideCompletesItAtOnce() {
        // Long slides, so that each click lands during one however the machine is loaded.
        var scene = createStartedScene(4000)
        var main = findNamed(scene, "main_Z4")
        var pages = findNamed(scene, "pages")
        click(scene, functionEntry(0))
        verify(pages.x < -100)
        click(scene, functionEntry(2))
        compare(pages.x, 0)
        compare(main.pageId, 2)
        click(scene, functionEntry(1))
        verify(pages.x > -1518)
        click(scene, functionEntry(0))
        // The hiding slide ended at once and the showing slide of the last choice began.
        verify(pages.x < -1000)
        compare(main.pageId, 0)
        tryCompare(pages, "x", 0, 12000)
    }

    function test_settingsPanel() {
        var scene = createStartedScene(800)
        var panel = findNamed(scene, "settingsPanel")
        var content = findNamed(scene, "settingsContent")
        click(scene, settingsButton)
        compare(callLog.argumentsOf("ui_View.playMedia_Index"), [[2]])
        verify(panel.visible)
        verify(scene.isSettingsOpen)
        tryCompare(content, "x", 0)
        for (var name of ["menu_Func", "menu_Prof", "pageArea", "menu_Down"]) {
            var part = findNamed(scene, name)
            verify(!part.enabled, name)
            compare(part.opacity, 0.2, name)
        }
        click(scene, functionEntry(0))
        compare(findNamed(scene, "main_Z4").pageId, -1)
        click(scene, settingsButton)
        verify(!scene.isSettingsOpen)
        verify(panel.visible)
        tryVerify(function () { return !panel.visible })
        for (name of ["menu_Func", "menu_Prof", "pageArea", "menu_Down"])
            compare(findNamed(scene, name).opacity, 1, name)
    }

    function test_settingsRequestDuringTheOppositeSlide() {
        var scene = createStartedScene(800)
        var panel = findNamed(scene, "settingsPanel")
        var content = findNamed(scene, "settingsContent")
        click(scene, settingsButton)
        verify(content.x > 300)
        click(scene, settingsButton)
        // The opening completed before the closing slide started.
        verify(content.x < 40)
        click(scene, settingsButton)
        // The closing completed (hiding the panel) before the panel opened again.
        verify(panel.visible)
        verify(content.x > 300)
        tryCompare(content, "x", 0)
    }

    // With animations off every transition still runs to its end action.
    function test_animationsOff() {
        var scene = createStartedScene(10)
        click(scene, functionEntry(2))
        tryCompare(findNamed(scene, "pages"), "x", 0, 300)
        click(scene, settingsButton)
        tryCompare(findNamed(scene, "settingsContent"), "x", 0, 300)
        click(scene, settingsButton)
        var panel = findNamed(scene, "settingsPanel")
        tryVerify(function () { return !panel.visible }, 300)
        click(scene, closeButton)
        tryVerify(function () { return callLog.count("ui_Ctl.onMinimize") === 1 }, 300)
    }

    function test_close() {
        var scene = createStartedScene(800)
        click(scene, closeButton)
        compare(callLog.argumentsOf("ui_View.playMedia_Index"), [[4]])
        compare(callLog.count("ui_Ctl.onMinimize"), 0)
        verify(scene.height > 500)
        tryVerify(function () { return callLog.count("ui_Ctl.onMinimize") === 1 }, 2000)
        compare(scene.height, 0)
    }

    function test_dragMovesTheWindowByTheOffset() {
        var scene = createStartedScene(10)
        mousePress(scene, 500, 300)
        mouseMove(scene, 530, 280)
        mouseMove(scene, 495, 310)
        mouseRelease(scene, 495, 310)
        compare(callLog.argumentsOf("ui_Ctl.onXChanged"), [[30], [-5]])
        compare(callLog.argumentsOf("ui_Ctl.onYChanged"), [[-20], [10]])
    }

    function test_logoPlaysSound3() {
        var scene = createStartedScene(10)
        var logo = findNamed(scene, "logo")
        mouseClick(logo, logo.width / 2, logo.height / 2)
        compare(callLog.argumentsOf("ui_View.playMedia_Index"), [[3]])
    }

    function test_bottomBarChangesNothing() {
        var scene = createStartedScene(10)
        var bar = findNamed(scene, "menu_Down")
        mouseClick(bar, 323 + 10, 13 + 10)
        compare(bar.currentIndex, 0)
        verify(findNamed(scene, "main_Z4").visible)
        compare(callLog.names(), [])
    }

    function test_translateStrings() {
        var scene = createStartedScene(10)
        var strings = scene.globalSetting_stringList.slice()
        for (var i of [74, 75, 76, 77, 78, 84, 85])
            strings[i] = "S" + i
        scene.globalSetting_stringList = strings
        callLog.setReply("ui_View.getProductLayoutStrings", captions(13))
        scene.translateStrings("042082")
        compare(callLog.argumentsOf("ui_View.getProductLayoutStrings"), [["042082"]])
        var main = findNamed(scene, "main_Z4")
        compare(main._ProductLayoutStringSize, 13)
        compare(main._ProductLayoutStringList.length, 126)
        compare(texts(findNamed(scene, "menu_Func")).filter(function (t) { return t[0] === "S" }),
                ["S74", "S75", "S76"])
        compare(texts(findNamed(scene, "profileContext")), ["S84", "S85", "S77", "S78"])
        var keyLabels = texts(findNamed(scene, "page_Keydefine"))
        verify(keyLabels.indexOf("C8") >= 0 && keyLabels.indexOf("C125") >= 0)
        verify(texts(findNamed(scene, "page_Color")).indexOf("C60") >= 0)
        compare(scene.keyDisplayName(0x04), "C8")
    }

    function test_translateStringsWithoutCaptions() {
        var scene = createStartedScene(10)
        callLog.setReply("ui_View.getProductLayoutStrings", [])
        scene.translateStrings("000000")
        var main = findNamed(scene, "main_Z4")
        compare(main._ProductLayoutStringSize, 11)
        compare(main._ProductLayoutStringList, [])
        compare(scene.keyDisplayName(0x04), undefined)
        // The keys keep their labels.
        verify(texts(findNamed(scene, "page_Keydefine")).indexOf("Esc") >= 0)
    }

    function test_setSkin() {
        var scene = createStartedScene(10)
        scene.skin_No = 2
        scene.setSkin()
        for (var name of ["menu_Func", "menu_Prof", "menu_Down", "menu_Up", "page_Keydefine"]) {
            var shown = pictures(findNamed(scene, name))
            verify(shown.length > 0, name)
            compare(shown.filter(function (p) { return p.indexOf("/skin2/") < 0 }), [], name)
        }
    }
}
