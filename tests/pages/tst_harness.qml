// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The page tests' harness itself: a command from the scene's bridge reaches the simulated
// keyboard and the profile file; the keyboard's own events reach the scene; a start begins on
// the shipped data and a fresh keyboard, a restart keeps both.
PageTestCase {
    name: "PageHarness"

    // What the scene's detectVendor() calls reach, instead of a page.
    QtObject {
        id: vendorScene
        property var codes: []
        function detectVendor(code) { codes = codes.concat([code]) }
    }

    function test_commandReachesKeyboardAndProfile() {
        var scene = startApplication()
        ui_View.ui_08H_SetLEDType(0, 6, 3, 4, 0, 1)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.featureReports(), ["00 08 00 06 03 04 00 01 e9"])
        compare(simKeyboard.commands(), [0x08])
        compare(simKeyboard.profile().ledType, [0, 6, 3, 4, 0, 1])
        compare(dataTree.value("modules/setting/p1.bin", "color/ledType"), ["6", "3", "4", "0", "1"])
        verify(dataTree.readFile("modules/setting/p1.bin").indexOf("ledType=6, 3, 4, 0, 1") >= 0)
        compare(simKeyboard.violations(), [])
    }

    // As in the application: until the scene has loaded its language, nothing is sent.
    function test_gateClosedUntilTheSceneLoadsItsLanguage() {
        harness.reset()
        ui_View.ui_08H_SetLEDType(0, 6, 3, 4, 0, 1)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [])
        var scene = startScene()
        ui_View.ui_08H_SetLEDType(0, 6, 3, 4, 0, 1)
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [0x08])
    }

    function test_startIsFreshAndRestartKeepsData() {
        var scene = startApplication()
        var shipped = dataTree.value("modules/setting/p4.bin", "userPicture/1")
        ui_View.ui_02H_SetCurrentProfile(3)
        ui_View.ui_12H_SetUserPicture(1, 0, new Array(512).fill(200))
        verify(simKeyboard.waitIdle())
        compare(simKeyboard.commands(), [0x02, 0x12])
        compare(simKeyboard.outputReports().length, 8)
        compare(simKeyboard.state().currentProfile, 3)
        // Every key's level, in the firmware's order.
        var stored = simKeyboard.profile(3).pictures[1]
        verify(stored.indexOf(200) >= 0)

        scene = restartApplication(scene)
        compare(simKeyboard.state().currentProfile, 3)
        compare(simKeyboard.profile(3).pictures[1], stored)
        compare(dataTree.value("modules/setting/p4.bin", "userPicture/1"), new Array(512).fill("200"))

        scene = startApplication()
        compare(simKeyboard.state().currentProfile, 0)
        verify(simKeyboard.profile(3).pictures[1].every(function (level) { return level === 0 }))
        compare(dataTree.value("modules/setting/p4.bin", "userPicture/1"), shipped)
    }

    function test_keyboardEventsReachTheScene() {
        var scene = startApplication()
        harness.setScene(vendorScene)
        vendorScene.codes = []
        simKeyboard.switchKeyboardMode(1)
        tryCompare(vendorScene, "codes", [0x04050100])
        kernel.syncFW()
        tryCompare(vendorScene, "codes", [0x04050100, 0x04050100])
        simKeyboard.sendEvent(0x04050000)
        tryCompare(vendorScene, "codes", [0x04050100, 0x04050100, 0x04050000])
    }

    function test_pagesOpenByClicking() {
        var scene = startApplication()
        var pageArea = findNamed(scene, "pageArea")
        var names = ["KEY", "MACRO", "COLOR"]
        for (var i = 0; i < names.length; ++i) {
            openPage(scene, names[i])
            compare(pageArea.pageId, i, names[i])
        }
        openPage(scene, "SETTINGS")
        verify(scene.isSettingsOpen)
    }

    function test_dialogsAreScripted() {
        var scene = startApplication()
        dialogs.answerNext("")
        ui_View.loadProfile(0)
        compare(dialogs.asked().length, 1)
        verify(dialogs.asked()[0].indexOf("open|") === 0)
        compare(simKeyboard.commands(), [])
    }
}
