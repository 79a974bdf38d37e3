// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

SceneTestCase {
    name: "KeyInput"

    SignalSpy { id: cleared; signalName: "clearKey" }

    // A box in a scene whose language has been loaded, with the captions "C0" .. "C125".
    function createBox() {
        var scene = createScene()
        callLog.setReply("ui_View.getProductLayoutStrings", captions(12))
        scene.translateStrings("031225")
        var box = createInScene(scene, "common/KeyInput.qml")
        box.x = 100
        box.y = 100
        cleared.target = box
        cleared.clear()
        return box
    }

    function shownText(box) {
        return box.children[0].text
    }

    function test_setKeycodeUSB_data() {
        return [
            { tag: "A", usage: 0x04, name: "C8" },
            { tag: "Fn as F23", usage: 0x72, name: "C60" },
            { tag: "backslash", usage: isUK ? 0x32 : 0x31, name: "C80" },
            { tag: "other layout's backslash", usage: isUK ? 0x31 : 0x32, name: undefined },
            { tag: "no key", usage: 0, name: undefined },
            { tag: "a key without a position", usage: 0x68, name: undefined }
        ]
    }

    function test_setKeycodeUSB(data) {
        var box = createBox()
        box.setKeycodeUSB(0x05)
        box.setKeycodeUSB(data.usage)
        if (data.name === undefined) {
            compare(box.keycodeUSB, -1)
            compare(shownText(box), "\u3010 KEYS \u3011")
        } else {
            compare(box.keycodeUSB, data.usage)
            compare(box.keyname, data.name)
            compare(shownText(box), data.name)
        }
    }

    function test_noCaptionsNoName() {
        var box = createInScene(createScene(), "common/KeyInput.qml")
        box.setKeycodeUSB(0x04)
        compare(box.keycodeUSB, -1)
    }

    function test_clickEmpties() {
        var box = createBox()
        box.setKeycodeUSB(0x04)
        mouseMove(box, 30, 10)
        compare(shownText(box), "\u2573")
        mouseClick(box, 30, 10)
        compare(cleared.count, 1)
        compare(box.keycodeUSB, -1)
        mouseMove(box, 200, 10)
        compare(shownText(box), "\u3010 KEYS \u3011")
    }
}
