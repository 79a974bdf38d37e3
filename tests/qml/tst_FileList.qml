// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

SceneTestCase {
    name: "FileList"

    SignalSpy { id: chosen; signalName: "listElementClicked" }
    SignalSpy { id: rightClicks; signalName: "listElementRightBtnClicked" }

    // Rows are 20 pixels high and overlap by one pixel.
    function rowY(row) {
        return row * 19 + 10
    }

    function createList(rows) {
        var list = createInScene(createScene(), "common/FileList.qml")
        list.x = 100
        list.y = 100
        for (var i = 0; i < rows; ++i)
            list.mdItems.append({ textX: "macro " + i, textR: "" })
        chosen.target = list
        chosen.clear()
        rightClicks.target = list
        rightClicks.clear()
        waitForItemPolished(list.lvItems)
        return list
    }

    function scrollBar(list) {
        return list.children[1]
    }

    function test_startsWithoutChoice() {
        compare(createList(5).lvItems.currentIndex, -1)
    }

    // Clicks in order, with the index reported and chosen after each.
    function test_leftClicks_data() {
        return [
            { tag: "choose", rows: [2], reported: [2] },
            { tag: "choose another", rows: [2, 0], reported: [2, 0] },
            { tag: "clear by clicking the chosen row", rows: [2, 2], reported: [2, -1] },
            { tag: "choose again after clearing", rows: [2, 2, 2], reported: [2, -1, 2] }
        ]
    }

    function test_leftClicks(data) {
        var list = createList(5)
        for (var i = 0; i < data.rows.length; ++i) {
            mouseClick(list, 30, rowY(data.rows[i]))
            compare(chosen.signalArguments[i][0], data.reported[i])
            compare(list.lvItems.currentIndex, data.reported[i])
        }
        compare(chosen.count, data.rows.length)
    }

    function test_rightClickOnlyReports() {
        var list = createList(5)
        mouseClick(list, 30, rowY(1))
        mouseClick(list, 30, rowY(3), Qt.RightButton)
        compare(rightClicks.count, 1)
        compare(rightClicks.signalArguments[0][0], 3)
        compare(list.lvItems.currentIndex, 1)
        compare(chosen.count, 1)
    }

    function test_emptyListHasNoChoice() {
        var list = createList(5)
        mouseClick(list, 30, rowY(4))
        list.mdItems.clear()
        compare(list.lvItems.currentIndex, -1)
        list.mdItems.append({ textX: "new", textR: "" })
        compare(list.lvItems.currentIndex, -1)
    }

    function test_scrollBarShownOnlyWhenRowsDoNotFit_data() {
        return [
            { tag: "empty", rows: 0, shown: false },
            { tag: "fits", rows: 10, shown: false },
            { tag: "does not fit", rows: 11, shown: true }
        ]
    }

    function test_scrollBarShownOnlyWhenRowsDoNotFit(data) {
        var list = createList(data.rows)
        compare(scrollBar(list).visible, data.shown)
    }

    // Drags the scroll bar by dy, in the list's coordinates (the bar moves under the mouse).
    function dragScrollBar(list, dy) {
        var y = scrollBar(list).y + 5
        mousePress(list, list.width - 2, y)
        mouseMove(list, list.width - 2, y + dy / 2)
        mouseMove(list, list.width - 2, y + dy)
        mouseRelease(list, list.width - 2, y + dy)
    }

    function test_draggingTheScrollBarStopsAtTheEnds() {
        var list = createList(40)
        var view = list.lvItems
        var bottom = view.originY + view.contentHeight - view.height
        compare(scrollBar(list).y, 0)
        // Down by a fifth of the list's height: a fifth of the content.
        dragScrollBar(list, 40)
        fuzzyCompare(view.contentY - view.originY, view.contentHeight / 5, 2)
        dragScrollBar(list, 400)
        compare(view.contentY, bottom)
        dragScrollBar(list, -400)
        compare(view.contentY, view.originY)
    }
}
