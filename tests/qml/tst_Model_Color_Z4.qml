// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The lighting page's keyboard model: the same layout as the key definition model, except that
// the hidden position 79 lies under the backslash key.
SceneTestCase {
    name: "Model_Color_Z4"

    function test_layoutAsTheKeyDefinitionModel() {
        var scene = createScene()
        var colorModel = createInScene(scene, "Z4/Model_Color_Z4.qml")
        var keyModel = createInScene(scene, "Z4/Model_KeyDefine_Z4.qml")
        compare(colorModel.getKey.length, 126)
        for (var position = 0; position < 126; ++position) {
            if (position === 79)
                continue
            var a = colorModel.getKey[position]
            var b = keyModel.getKey[position]
            compare([a.matrix, a.x, a.y, a.width, a.height, a.keyType, a.visible, a.name],
                    [b.matrix, b.x, b.y, b.width, b.height, b.keyType, b.visible, b.name], "position " + position)
        }
    }

    function test_backslashShadowUnderBackslash() {
        var model = createInScene(createScene(), "Z4/Model_Color_Z4.qml")
        var shadow = model.getKey[79]
        var backslash = model.getKey[80]
        verify(!shadow.visible)
        compare(shadow.keyType, 12)
        compare([shadow.x, shadow.y, shadow.width, shadow.height],
                [backslash.x, backslash.y, backslash.width, backslash.height])
        compare([shadow.column, backslash.column], [13, 13])
        compare([shadow.centerX, shadow.centerY], [backslash.centerX, backslash.centerY])
    }
}
