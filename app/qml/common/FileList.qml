// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// A scrolling list of rows (textX on the left, textR on the right), 20 pixels high, one pixel
// overlapping, separated by "draw_line.png". lvItems.currentIndex is the choice, -1 for none.
// A left click chooses a row, or clears the choice when the row is already chosen, and reports
// the new index; a right click only reports the row. An empty list has no choice.
Rectangle {
    id: fileList

    property ListModel mdItems: ListModel {}
    property alias lvItems: listView

    signal listElementClicked(int index)
    signal listElementRightBtnClicked(int index)

    width: 151
    height: 200
    color: "#FF000000"

    // At once, not only when the view has caught up with the model.
    Connections {
        target: fileList.mdItems
        function onCountChanged() {
            if (fileList.mdItems.count === 0)
                listView.currentIndex = -1
        }
    }

    ListView {
        id: listView
        anchors.fill: parent
        clip: true
        model: fileList.mdItems
        currentIndex: -1
        spacing: -1
        boundsBehavior: Flickable.StopAtBounds

        delegate: Item {
            id: row
            readonly property bool lit: ListView.isCurrentItem || rowMouse.containsMouse

            width: listView.width
            height: 20

            // Across the whole row, also in a list wider than the picture.
            Image {
                visible: index > 0
                width: parent.width
                source: root.skinDir + "/common/draw_line.png"
            }

            Text {
                x: 5
                anchors.verticalCenter: parent.verticalCenter
                text: textX
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                font.bold: true
                color: row.lit ? root.globalSetting_color : root.globalSetting_color_enable
            }

            Text {
                anchors.right: parent.right
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                text: textR
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                font.bold: true
                color: row.lit ? root.globalSetting_color : root.globalSetting_color_enable
            }

            MouseArea {
                id: rowMouse
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onClicked: function (mouse) {
                    if (mouse.button === Qt.RightButton) {
                        fileList.listElementRightBtnClicked(index)
                        return
                    }
                    listView.currentIndex = listView.currentIndex === index ? -1 : index
                    fileList.listElementClicked(listView.currentIndex)
                }
            }
        }
    }

    // Shows the visible part of the list; dragging it scrolls the list by the mouse's movement.
    Rectangle {
        id: scrollBar
        x: fileList.width - width
        y: listView.visibleArea.yPosition * listView.height
        width: 5
        height: listView.visibleArea.heightRatio * listView.height
        radius: width / 2
        opacity: 0.5
        color: root.globalSetting_color_enable
        visible: listView.count > 0 && listView.contentHeight > listView.height

        MouseArea {
            anchors.fill: parent
            property real pressY: 0
            property real pressContentY: 0
            onPressed: function (mouse) {
                pressY = mapToItem(fileList, mouse.x, mouse.y).y
                pressContentY = listView.contentY
            }
            onPositionChanged: function (mouse) {
                var dy = mapToItem(fileList, mouse.x, mouse.y).y - pressY
                var top = listView.originY
                var bottom = listView.originY + listView.contentHeight - listView.height
                var target = pressContentY + dy * listView.contentHeight / listView.height
                listView.contentY = Math.max(top, Math.min(bottom, target))
            }
        }
    }
}
