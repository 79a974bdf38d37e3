// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// A drop-down choice list. The head shows the chosen entry's textX, or "【 OPTIONS 】" in the
// current language when nothing (or an index beyond the model) is chosen. Clicking the head
// opens or closes the list; clicking an entry chooses it, closes the list and emits
// listElementClicked. setCurIndex() never emits it.
DropdownFrame {
    id: dropdown

    property ListModel mdItems: ListModel {}
    property int _currentIndex: -1

    signal listElementClicked(int index)

    function setCurIndex(index) { _currentIndex = index }
    function getCurIndex() { return _currentIndex }

    headText: _currentIndex >= 0 && _currentIndex < mdItems.count
              ? mdItems.get(_currentIndex).textX
              : "\u3010 " + root.globalSetting_stringList[1] + " \u3011"
    // Rows overlap by one pixel.
    dropHeight: mdItems.count > 0 ? headHeight * mdItems.count - (mdItems.count - 1) : 0
    dropDuration: root.animation_speed * (0.1 + 0.05 * mdItems.count)

    onHeadClicked: toggle()

    Column {
        spacing: -1

        Repeater {
            model: dropdown.mdItems

            Image {
                source: root.skinDir + "/common/slider_BASE.png"

                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: textX
                    font.family: root.globalSetting_fontFamily
                    font.pixelSize: root.globalSetting_size
                    font.bold: true
                    color: rowMouse.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
                }

                MouseArea {
                    id: rowMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        dropdown._currentIndex = index
                        dropdown.close()
                        dropdown.listElementClicked(index)
                    }
                }
            }
        }
    }
}
