// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The bottom bar: a row of device icons on the bar's picture, with the keyboard (entry 0)
// selected from the start. Only the first entry can be clicked; a click reports the old and
// the new index and changes nothing else. The keyboard is the only device.
Image {
    id: bar

    property int currentIndex: 0

    signal deviceClicked(int oldIndex, int newIndex)

    // Re-points the icons, which are stored in the list, to the current skin.
    function setSkin() {
        root.repointIcons(devices, "/list_dn/")
    }

    source: root.skinDir + "/list_dn/listDnContainer.png"

    ListModel {
        id: devices
        ListElement {
            iconName: "iconKB"
            icon0: "file:modules/img/skin1/list_dn/iconKB_0.png"
            icon1: "file:modules/img/skin1/list_dn/iconKB_1.png"
        }
    }

    Row {
        x: 323
        y: 13
        spacing: 4

        Repeater {
            model: devices

            Image {
                width: 21
                height: 21
                source: index === bar.currentIndex || iconMouse.containsMouse ? icon1 : icon0

                MouseArea {
                    id: iconMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    enabled: index === 0
                    onClicked: bar.deviceClicked(bar.currentIndex, index)
                }
            }
        }
    }
}
