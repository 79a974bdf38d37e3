// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// A drop-down whose list is a FileList on the skin's "filelist_BASE.png". Clicking the closed
// head asks for a fresh list (requestToUpdateList) and opens; clicking the open head closes.
// Clicking a row closes the list and reports the FileList's new index (-1 when the row was
// already chosen). setCurIndex() never reports.
DropdownFrame {
    id: button

    property alias mdItems: list.mdItems

    signal listElementClicked(int index)
    signal requestToUpdateList

    function setCurIndex(index) { list.lvItems.currentIndex = index }
    function getCurIndex() { return list.lvItems.currentIndex }

    headText: list.lvItems.currentIndex >= 0 && list.lvItems.currentIndex < mdItems.count
              ? mdItems.get(list.lvItems.currentIndex).textX
              : "\u3010 " + root.globalSetting_stringList[1] + " \u3011"
    dropWidth: base.width
    dropHeight: base.height
    dropDuration: 0.5 * root.animation_speed

    onHeadClicked: {
        if (!_open)
            requestToUpdateList()
        toggle()
    }

    Image {
        id: base
        source: root.skinDir + "/common/filelist_BASE.png"

        FileList {
            id: list
            anchors.fill: parent
            anchors.margins: 1
            color: "transparent"
            onListElementClicked: function (index) {
                button.close()
                button.listElementClicked(index)
            }
        }
    }
}
