// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The function menu: KEY, MACRO and COLOR, one button per page. Clicking the current entry
// deselects it (-1); clicking another selects it; either way funcClicked reports the new index.
// No entry is selected at start.
Item {
    id: menu

    property int currentIndex: -1

    signal funcClicked(int index)

    function translateStrings() {
        for (var i = 0; i < entries.count; ++i)
            entries.setProperty(i, "name", root.globalSetting_stringList[entries.get(i).stringIndex])
    }

    // Re-points the icons, which are stored in the list, to the current skin.
    function setSkin() {
        root.repointIcons(entries, "/list_fn/")
    }

    width: 150
    height: column.height

    ListModel {
        id: entries
        ListElement {
            name: "KEY"
            stringIndex: 74
            iconName: "fnKeydefine"
            icon0: "file:modules/img/skin1/list_fn/fnKeydefine_0.png"
            icon1: "file:modules/img/skin1/list_fn/fnKeydefine_1.png"
        }
        ListElement {
            name: "MACRO"
            stringIndex: 75
            iconName: "fnMacro"
            icon0: "file:modules/img/skin1/list_fn/fnMacro_0.png"
            icon1: "file:modules/img/skin1/list_fn/fnMacro_1.png"
        }
        ListElement {
            name: "COLOR"
            stringIndex: 76
            iconName: "fnColor"
            icon0: "file:modules/img/skin1/list_fn/fnColor_0.png"
            icon1: "file:modules/img/skin1/list_fn/fnColor_1.png"
        }
    }

    Column {
        id: column
        spacing: 13

        Repeater {
            model: entries

            Image {
                readonly property bool isCurrent: index === menu.currentIndex

                width: 150
                height: 37
                source: root.skinDir + (buttonMouse.containsMouse ? "/list_fn/listFnBtn_1.png" : "/list_fn/listFnBtn_0.png")

                Image {
                    id: icon
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    source: parent.isCurrent ? icon1 : icon0
                }

                Text {
                    x: icon.x + icon.width + 15
                    anchors.verticalCenter: parent.verticalCenter
                    text: name
                    font.family: root.globalSetting_fontFamily
                    font.pixelSize: root.globalSetting_size
                    font.bold: true
                    color: parent.isCurrent || buttonMouse.containsMouse ? root.globalSetting_color
                                                                        : root.globalSetting_color_enable
                }

                MouseArea {
                    id: buttonMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        menu.currentIndex = parent.isCurrent ? -1 : index
                        menu.funcClicked(menu.currentIndex)
                    }
                }
            }
        }
    }
}
