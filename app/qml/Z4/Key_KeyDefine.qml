// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// One key of the key definition model: its current key code (four bytes) and its default
// code. The model writes the codes; see Model_KeyDefine_Base.
Key_Base {
    property int keyCode0: 0
    property int keyCode1: 0
    property int keyCode2: 0
    property int keyCode3: 0
    property var keyCode_Default: [0, 0, 0, 0]
    readonly property bool isDefault: keyCode0 === keyCode_Default[0] && keyCode1 === keyCode_Default[1]
                                      && keyCode2 === keyCode_Default[2] && keyCode3 === keyCode_Default[3]
}
