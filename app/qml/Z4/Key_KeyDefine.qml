// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// One key of the key definition model: its current key code (four bytes) and its default
// code. The model writes the codes; see Model_KeyDefine_Base. The label takes the highlight
// colour while the code differs from the default; the highlight frame shows while hovered or
// selected, and at half opacity while the code differs from the default.
//
// The mouse: pressed(at), moved(at) while the button is held, released(at) and, when the
// release is inside the key, clicked(); points in the key's own coordinates.
Key_Base {
    id: key

    property int keyCode0: 0
    property int keyCode1: 0
    property int keyCode2: 0
    property int keyCode3: 0
    property var keyCode_Default: [0, 0, 0, 0]
    readonly property bool isDefault: keyCode0 === keyCode_Default[0] && keyCode1 === keyCode_Default[1]
                                      && keyCode2 === keyCode_Default[2] && keyCode3 === keyCode_Default[3]
    property bool selected: false
    readonly property bool hovered: keyMouse.containsMouse

    signal pressed(point at)
    signal moved(point at)
    signal released(point at)
    signal clicked

    labelColor: isDefault ? root.globalSetting_color_enable : root.globalSetting_color

    Image {
        source: key.keyType > 0 ? root.skinDir + "/model_kb/k" + key.keyType + "-1.png" : ""
        opacity: key.hovered || key.selected ? 1 : key.isDefault ? 0 : 0.5
    }

    MouseArea {
        id: keyMouse
        anchors.fill: parent
        hoverEnabled: true
        onPressed: function (mouse) { key.pressed(Qt.point(mouse.x, mouse.y)) }
        onPositionChanged: function (mouse) {
            if (pressed)
                key.moved(Qt.point(mouse.x, mouse.y))
        }
        onReleased: function (mouse) { key.released(Qt.point(mouse.x, mouse.y)) }
        onClicked: key.clicked()
    }
}
