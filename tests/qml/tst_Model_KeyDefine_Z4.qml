// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The key definition page's keyboard model: layout, default codes, and position 79 following
// position 80.
SceneTestCase {
    name: "Model_KeyDefine_Z4"

    readonly property var hiddenPositions: [11, 18, 24, 36, 42, 48, 67, 72, 74, 79, 85, 86, 92, 97, 98,
                                            107, 108, 113, 119, 121, 123, 125]

    function createModel() {
        return createInScene(createScene(), "Z4/Model_KeyDefine_Z4.qml")
    }

    function test_place_data() {
        return [
            { tag: "Ctrl", position: 0, x: 0, y: 163, keyType: 5 },
            { tag: "Esc", position: 5, x: 0, y: 0, keyType: 1 },
            { tag: "Space", position: 30, x: 114, y: 163, keyType: 6 },
            { tag: "F5 at its own x", position: 41, x: 198, y: 0, keyType: 1 },
            { tag: "right Shift", position: 73, x: 376, y: 132, keyType: 7 },
            { tag: "backslash in row 3", position: 80, x: 413, y: 70, keyType: 12 },
            { tag: "Enter in row 2", position: 81, x: 391, y: 101, keyType: 81 },
            { tag: "Back", position: 82, x: 403, y: 39, keyType: 9 },
            { tag: "KP 0", position: 102, x: 571, y: 163, keyType: 10 },
            { tag: "KP Enter from row 1", position: 120, x: 664, y: 132, keyType: 11 },
            { tag: "KP + from row 3", position: 122, x: 664, y: 70, keyType: 11 }
        ]
    }

    function test_place(data) {
        var key = createModel().getKey[data.position]
        compare(key.matrix, data.position)
        compare(key.x, data.x)
        compare(key.y, data.y)
        compare(key.keyType, data.keyType)
        verify(key.visible)
        // The key-cap picture sets the size.
        var cap = key.children[0]
        verify(String(cap.source).indexOf("/model_kb/k" + data.keyType + "-0.png") > 0)
        verify(key.width > 0 && key.height > 0)
        compare([key.width, key.height], [cap.implicitWidth, cap.implicitHeight])
    }

    function test_hiddenPositions() {
        var model = createModel()
        compare(model.getKey.length, 126)
        var hidden = []
        for (var position = 0; position < 126; ++position) {
            var key = model.getKey[position]
            if (key.visible)
                continue
            hidden.push(position)
            compare(key.keyType, 0)
            compare([key.x, key.y, key.width, key.height], [0, 0, 0, 0], "position " + position)
        }
        compare(hidden, hiddenPositions)
    }

    function test_defaultCode_data() {
        return [
            { tag: "A", position: 8, code: [0x00, 0x00, 0x04, 0x00] },
            { tag: "right Alt", position: 54, code: [0x00, 0x00, 0xE6, 0x00] },
            { tag: "Fn", position: 60, code: [0x02, 0x00, 0x00, 0x00] },
            { tag: "App", position: 66, code: [0x00, 0x00, isUK ? 0x64 : 0x65, 0x00] },
            { tag: "backslash", position: 80, code: [0x00, 0x00, isUK ? 0x32 : 0x31, 0x00] },
            { tag: "K14 as backslash", position: 79, code: [0x00, 0x00, isUK ? 0x32 : 0x31, 0x00] },
            { tag: "K45", position: 11, code: [0x00, 0x00, 0x64, 0x00] },
            { tag: "K150", position: 18, code: [0x00, 0x00, 0x91, 0x00] },
            { tag: "K151", position: 48, code: [0x00, 0x00, 0x90, 0x00] },
            { tag: "M1", position: 85, code: [0x00, 0xE0, 0x1F, 0x00] },
            { tag: "G4", position: 86, code: [0x00, 0xE0, 0x21, 0x00] },
            { tag: "G5", position: 92, code: [0x00, 0xE0, 0x22, 0x00] },
            { tag: "M2", position: 108, code: [0x00, 0xE0, 0x1E, 0x00] },
            { tag: "M3", position: 123, code: [0x00, 0xE0, 0x20, 0x00] },
            { tag: "PC/G", position: 107, code: [0x03, 0x00, 0xEA, 0x00] },
            { tag: "G1", position: 113, code: [0x03, 0x00, 0x83, 0x01] },
            { tag: "G2", position: 119, code: [0x03, 0x00, 0xCD, 0x00] },
            { tag: "G3", position: 125, code: [0x03, 0x00, 0xE9, 0x00] },
            { tag: "LED_RGB", position: 36, code: [0, 0, 0, 0] },
            { tag: "K107", position: 121, code: [0, 0, 0, 0] }
        ]
    }

    function test_defaultCode(data) {
        var key = createModel().getKey[data.position]
        compare(key.keyCode_Default, data.code)
        compare([key.keyCode0, key.keyCode1, key.keyCode2, key.keyCode3], data.code)
        verify(key.isDefault)
    }

    // Every visible key but Fn defaults to the usage that the name tables give its position.
    function test_defaultsAgreeWithTheNameTables() {
        var scene = createScene()
        var model = createInScene(scene, "Z4/Model_KeyDefine_Z4.qml")
        var tables = createInScene(scene, "basic/KeyCodeString.qml")
        for (var position = 0; position < 126; ++position) {
            if (!model.getKey[position].visible || position === 60)
                continue
            compare(model.getKey[position].keyCode_Default, [0, 0, tables.matrixTokeycode(position), 0],
                    "position " + position)
        }
    }

    function test_backslashShadow_data() {
        return [
            { tag: "written at 80", position: 80 },
            { tag: "written at 79", position: 79 }
        ]
    }

    function test_backslashShadow(data) {
        var model = createModel()
        model.setKeyCode(data.position, 0x04, 0x01, 0x07, 0x00)
        compare(model.keyCode(79), [0x04, 0x01, 0x07, 0x00])
        compare(model.keyCode(80), [0x04, 0x01, 0x07, 0x00])
        verify(!model.getKey[79].isDefault)
        verify(!model.getKey[80].isDefault)
        var matrix = model.keyMatrix()
        compare(matrix.slice(79 * 4, 80 * 4), matrix.slice(80 * 4, 81 * 4))
    }

    function test_keyMatrix() {
        var model = createModel()
        model.setKeyCode(5, 0x0B, 0x00, 0x01, 0x00)
        model.setKeyCode(125, 0x00, 0x00, 0x00, 0x00)
        var matrix = model.keyMatrix()
        compare(matrix.length, 512)
        compare(matrix.slice(0, 4), [0x00, 0x00, 0xE0, 0x00])
        compare(matrix.slice(5 * 4, 6 * 4), [0x0B, 0x00, 0x01, 0x00])
        compare(matrix.slice(60 * 4, 61 * 4), [0x02, 0x00, 0x00, 0x00])
        compare(matrix.slice(125 * 4, 126 * 4), [0, 0, 0, 0])
        compare(matrix.slice(504), [0, 0, 0, 0, 0, 0, 0, 0])
    }
}
