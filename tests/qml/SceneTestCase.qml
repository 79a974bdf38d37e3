// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// A test case that builds a fresh main scene per test, with the recording stand-ins of the
// runner (callLog, ui_View, ui_Ctl, kernel) and the current keyboard layout (keyboardLayout).
TestCase {
    id: sceneTest

    readonly property bool isUK: keyboardLayout === "UK"
    // The URL the main window loads the scene from.
    readonly property var sceneComponent: Qt.createComponent("qrc:modules/qml/main.qml")

    // A new main scene, destroyed after the test, with an empty call log and no replies. It is
    // visible at once (as after run()) so that it takes the mouse; animations last `speed`
    // (the scene's animation_speed, 800 unless given).
    function createScene(speed) {
        callLog.clear()
        callLog.clearReplies()
        compare(sceneComponent.status, Component.Ready, sceneComponent.errorString())
        var scene = createTemporaryObject(sceneComponent, sceneTest)
        verify(scene)
        if (speed !== undefined)
            scene.animation_speed = speed
        scene.visible = true
        return scene
    }

    // A scene whose start-up animation and menu entry have run, with animations of `speed`.
    function createStartedScene(speed) {
        var scene = createScene(10)
        scene.run()
        var pageArea = findNamed(scene, "pageArea")
        tryVerify(function () { return pageArea.visible })
        var menu = findNamed(scene, "menu_Func")
        tryCompare(menu, "x", 8)
        var profiles = findNamed(scene, "menu_Prof")
        tryCompare(profiles, "x", 1000 - profiles.width - 8)
        // The entry ends with the page area's showing slide (with no page yet). Still running
        // when the test's speed applies, it would last that long, and a first click would only
        // complete it.
        var showSlide = findNamed(scene, "showSlide")
        tryVerify(function () { return !showSlide.running })
        if (speed !== undefined)
            scene.animation_speed = speed
        callLog.clear()
        return scene
    }

    // An instance of the scene file `path` (below modules/qml/) inside `scene`.
    function createInScene(scene, path) {
        var object = sceneFixture.createInScene(scene, "qrc:/modules/qml/" + path)
        verify(object, path)
        return object
    }

    function findNamed(scene, objectName) {
        var object = findChild(scene, objectName)
        verify(object, objectName)
        return object
    }

    // The key captions of a language, as the native side returns them: the size, then one
    // caption per key position ("C0" .. "C125").
    function captions(size) {
        var list = [String(size)]
        for (var position = 0; position < 126; ++position)
            list.push("C" + position)
        return list
    }

    // The scenes are its children and take the mouse only while it is visible.
    visible: true
    width: 1000
    height: 600
    when: windowShown
}
