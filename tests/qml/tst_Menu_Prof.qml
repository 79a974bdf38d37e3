// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The profile menu: switching profiles and the context menu's LOAD, SAVE, RESET and CANCEL.
SceneTestCase {
    name: "Menu_Prof"

    // Entry p of the menu, in the menu's coordinates.
    function entryPoint(profile) { return Qt.point(23 + 20, 97 + profile * 26 + 13) }

    function clickEntry(menu, profile, button) {
        var point = entryPoint(profile)
        mouseClick(menu, point.x, point.y, button)
    }

    function createMenu(speed) {
        var scene = createStartedScene(speed)
        return findNamed(scene, "menu_Prof")
    }

    // Left clicks on entries, and the profiles that were sent to the keyboard.
    function test_switch_data() {
        return [
            { tag: "another profile", clicks: [3], sent: [[3]], current: 3 },
            { tag: "the current profile", clicks: [0], sent: [], current: 0 },
            { tag: "the same one twice", clicks: [3, 3], sent: [[3]], current: 3 },
            { tag: "two others", clicks: [3, 9], sent: [[3], [9]], current: 9 },
            { tag: "and back", clicks: [3, 0], sent: [[3], [0]], current: 0 }
        ]
    }

    function test_switch(data) {
        var menu = createMenu(10)
        for (var profile of data.clicks)
            clickEntry(menu, profile)
        compare(callLog.argumentsOf("ui_View.ui_02H_SetCurrentProfile"), data.sent)
        compare(menu.currentIndex, data.current)
    }

    function test_contextMenuPlace() {
        var menu = createMenu(10)
        var context = findNamed(menu, "profileContext")
        verify(!context.visible)
        mouseClick(menu, 23 + 30, 97 + 4 * 26 + 10, Qt.RightButton)
        verify(context.visible)
        compare([context.x, context.y], [30 - 45, 4 * 26 + 10 + 85])
        tryCompare(context, "opacity", 1)
        compare(callLog.names(), [])
    }

    // A profile chosen first with a left click (-1: none), the entry whose context menu is
    // used, the action (0 LOAD, 1 SAVE, 2 RESET, 3 CANCEL), and the calls that follow.
    function test_contextAction_data() {
        return [
            { tag: "LOAD into another profile", current: -1, profile: 4, action: 0,
              calls: [["ui_View.loadProfile", 4]] },
            { tag: "LOAD into the current profile", current: 2, profile: 2, action: 0,
              calls: [["ui_View.loadProfile", 2], ["ui_View.ui_02H_SetCurrentProfile", 2]] },
            { tag: "SAVE the current profile", current: -1, profile: 0, action: 1,
              calls: [["ui_View.saveProfile", 0]] },
            { tag: "RESET another profile", current: -1, profile: 6, action: 2,
              calls: [["ui_View.resetProfile", 6]] },
            { tag: "RESET the current profile", current: 7, profile: 7, action: 2,
              calls: [["ui_View.resetProfile", 7], ["ui_View.ui_02H_SetCurrentProfile", 7]] },
            { tag: "CANCEL", current: -1, profile: 0, action: 3, calls: [] }
        ]
    }

    function test_contextAction(data) {
        var menu = createMenu(200)
        if (data.current >= 0)
            clickEntry(menu, data.current)
        callLog.clear()
        var context = findNamed(menu, "profileContext")
        clickEntry(menu, data.profile, Qt.RightButton)
        mouseClick(context, 22, data.action * 20 + 10)
        // The action runs when the menu has faded out.
        compare(callLog.names(), [])
        tryVerify(function () { return !context.visible })
        // The key definition and lighting pages re-read the profile after a switch; those
        // reads are their own.
        var pageReads = ["ui_View.getMacroIniNames", "ui_View.getKeydefine",
                         "ui_View.ui_92H_GetUserPicture", "ui_View.ui_88H_GetLEDType"]
        var calls = callLog.names().filter(function (name) { return pageReads.indexOf(name) < 0 })
                                   .map(function (name, i) { return [name].concat(callLog.argumentsOf(name)[0]) })
        compare(calls, data.calls)
    }

    // With a page shown, the context menu reaches into the page area and is clicked there,
    // through the scene: the page below it must not take the click. The page gets a mouse area
    // over all of it, as pages with controls have.
    function test_contextAboveThePage_data() {
        var rows = []
        var pages = [{ name: "KEY", entry: 0, page: "page_Keydefine" },
                     { name: "COLOR", entry: 2, page: "page_Color" }]
        var actions = [{ name: "LOAD", call: "ui_View.loadProfile" },
                       { name: "SAVE", call: "ui_View.saveProfile" },
                       { name: "RESET", call: "ui_View.resetProfile" },
                       { name: "CANCEL", call: "" }]
        for (var p of pages)
            for (var a = 0; a < actions.length; ++a)
                rows.push({ tag: actions[a].name + " over the " + p.name + " page", entry: p.entry,
                            page: p.page, action: a, call: actions[a].call })
        return rows
    }

    function test_contextAboveThePage(data) {
        var menu = createMenu(10)
        var scene = menu.parent.parent
        var pageArea = findNamed(scene, "pageArea")
        mouseClick(scene, 80, 180 + data.entry * 50 + 18)
        tryCompare(findNamed(scene, "pages"), "x", 0)
        var page = findNamed(scene, data.page)
        verify(page.visible)
        var cover = Qt.createQmlObject("import QtQuick 2.15; MouseArea {}", page)
        cover.width = pageArea.width
        cover.height = pageArea.height
        callLog.clear()

        var context = findNamed(menu, "profileContext")
        clickEntry(menu, 4, Qt.RightButton)
        var point = context.mapToItem(scene, 22, data.action * 20 + 10)
        verify(point.x > pageArea.x && point.x < pageArea.x + pageArea.width, "inside the page area")
        mouseClick(scene, point.x, point.y)
        tryVerify(function () { return !context.visible })
        compare(callLog.names(), data.call === "" ? [] : [data.call])
        if (data.call !== "")
            compare(callLog.argumentsOf(data.call), [[4]])
    }

    function test_disabled_data() {
        return [
            { tag: "settings panel open" },
            { tag: "macro page shown" }
        ]
    }

    function test_disabled(data) {
        var menu = createMenu(10)
        var scene = menu.parent.parent
        if (data.tag === "settings panel open")
            mouseClick(scene, 19, 13)
        else
            mouseClick(scene, 80, 180 + 50 + 18)
        tryCompare(menu, "opacity", 0.2)
        callLog.clear()
        clickEntry(menu, 5)
        clickEntry(menu, 6, Qt.RightButton)
        verify(!findNamed(menu, "profileContext").visible)
        compare(callLog.names(), [])
        compare(menu.currentIndex, 0)
        // Closing the panel or leaving the macro page enables the menu again.
        if (data.tag === "settings panel open")
            mouseClick(scene, 19, 13)
        else
            mouseClick(scene, 80, 180 + 2 * 50 + 18)
        tryCompare(menu, "opacity", 1)
        clickEntry(menu, 5)
        compare(menu.currentIndex, 5)
    }
}
