// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The base of a page test (see tst_pages.cpp for the objects of the root context). It starts
// the application's main scene against the real bridge, opens pages as a user does and finds
// named items. Scenes it makes are destroyed after the test.
TestCase {
    id: pageTest

    readonly property bool isUK: keyboardLayout === "UK"
    // The page area's top-left corner in the window: a page's own coordinates plus these are
    // the scene's (and the window's).
    readonly property point pageOrigin: Qt.point(171, 96)
    readonly property var sceneComponent: Qt.createComponent("qrc:modules/qml/main.qml")
    // Where a user clicks to open a page (window coordinates: the function menu's entries and
    // the settings button), and the page area's pageId that then shows.
    readonly property var pageEntries: ({
        "KEY": {x: 83, y: 198, pageId: 0},
        "MACRO": {x: 83, y: 248, pageId: 1},
        "COLOR": {x: 83, y: 298, pageId: 2},
        "SETTINGS": {x: 19, y: 13},
    })

    // A first start: the shipped data tree, a fresh keyboard, then the scene started as the
    // main window starts it (initUI, then run), its animations lasting `speed` (the scene's
    // animation_speed, 10 unless given). Returns the scene once its entry has ended and the
    // link is idle, with the keyboard's records and the dialogs' questions cleared.
    function startApplication(speed) {
        harness.reset()
        return startScene(speed)
    }

    // The application started again on the data tree and the keyboard as they are now, as
    // after quitting and starting it again; `scene`, the old one, is destroyed first.
    function restartApplication(scene, speed) {
        if (scene) {
            scene.destroy()
            wait(0)
        }
        harness.restart()
        return startScene(speed)
    }

    // Opens "KEY", "MACRO", "COLOR" (the function menu) or "SETTINGS" (the settings panel) by
    // clicking as a user does, and returns once it is shown. A page already shown stays.
    function openPage(scene, name) {
        var entry = pageEntries[name]
        verify(entry, "no page " + name)
        if (name === "SETTINGS") {
            if (!scene.isSettingsOpen)
                mouseClick(scene, entry.x, entry.y)
            tryCompare(findNamed(scene, "settingsContent"), "x", 0)
            return
        }
        var pageArea = findNamed(scene, "pageArea")
        if (pageArea.pageId !== entry.pageId)
            mouseClick(scene, entry.x, entry.y)
        tryCompare(pageArea, "pageId", entry.pageId)
        tryCompare(findNamed(scene, "pages"), "x", 0)
    }

    // A click at a page's own coordinates.
    function clickPage(scene, x, y, button) {
        mouseClick(scene, pageOrigin.x + x, pageOrigin.y + y, button === undefined ? Qt.LeftButton : button)
    }

    function findNamed(scene, objectName) {
        var object = findChild(scene, objectName)
        verify(object, objectName)
        return object
    }

    function startScene(speed) {
        compare(sceneComponent.status, Component.Ready, sceneComponent.errorString())
        var scene = createTemporaryObject(sceneComponent, pageTest)
        verify(scene)
        harness.setScene(scene)
        // Visible at once, so that it takes the mouse.
        scene.visible = true
        scene.initUI()
        // After initUI, which applies the stored animation setting.
        scene.animation_speed = speed === undefined ? 10 : speed
        scene.run()
        tryVerify(function () { return findNamed(scene, "pageArea").visible })
        tryCompare(findNamed(scene, "menu_Func"), "x", 8)
        var profiles = findNamed(scene, "menu_Prof")
        tryCompare(profiles, "x", 1000 - profiles.width - 8)
        verify(simKeyboard.waitIdle(), "the link did not become idle")
        simKeyboard.clearRecords()
        dialogs.clear()
        return scene
    }

    // The scenes are its children and take the mouse only while it is visible.
    visible: true
    width: 1000
    height: 600
    when: windowShown
}
