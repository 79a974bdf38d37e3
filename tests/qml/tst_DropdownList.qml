// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

SceneTestCase {
    name: "DropdownList"

    SignalSpy { id: chosen; signalName: "listElementClicked" }
    SignalSpy { id: opened; signalName: "listOpened" }
    SignalSpy { id: closed; signalName: "listClosed" }

    // The height of the skin's "slider_BASE.png": head and rows.
    readonly property int rowHeight: 23

    // A list of four entries in a scene whose animations last `speed`.
    function createList(speed) {
        var list = createInScene(createScene(speed), "common/DropdownList.qml")
        list.x = 100
        list.y = 100
        list.z = 1
        for (var name of ["ONE", "TWO", "THREE", "FOUR"])
            list.mdItems.append({ textX: name })
        for (var spy of [chosen, opened, closed]) {
            spy.target = list
            spy.clear()
        }
        return list
    }

    function clickHead(list) {
        mouseClick(list, 40, rowHeight / 2)
    }

    // Clicks row `row` where it is now; the open list hangs under the head, rows overlapping by
    // one pixel.
    function clickRow(list, row) {
        var body = findChild(list, "dropBody")
        mouseClick(list, 40, rowHeight + body.y + row * (rowHeight - 1) + rowHeight / 2)
    }

    function test_head_data() {
        return [
            { tag: "no choice", index: -1, text: "\u3010 OPTIONEN \u3011" },
            { tag: "first", index: 0, text: "ONE" },
            { tag: "last", index: 3, text: "FOUR" },
            { tag: "beyond the model", index: 4, text: "\u3010 OPTIONEN \u3011" }
        ]
    }

    function test_head(data) {
        var list = createList()
        var strings = list.parent.globalSetting_stringList.slice()
        strings[1] = "OPTIONEN"
        list.parent.globalSetting_stringList = strings
        list.setCurIndex(data.index)
        compare(list.headText, data.text)
        compare(list.getCurIndex(), data.index)
        compare(chosen.count, 0)
    }

    function test_openAndClose() {
        var list = createList(800)
        clickHead(list)
        compare(opened.count, 1)
        verify(!list.isSelect)
        tryCompare(list, "isSelect", true)
        compare(list.dropHeight, 4 * rowHeight - 3)
        clickHead(list)
        verify(list.isSelect)
        compare(closed.count, 0)
        tryCompare(closed, "count", 1)
        verify(!list.isSelect)
        compare(opened.count, 1)
    }

    function test_choose() {
        var list = createList(10)
        clickHead(list)
        tryCompare(list, "isSelect", true)
        clickRow(list, 2)
        compare(chosen.count, 1)
        compare(chosen.signalArguments[0][0], 2)
        compare(list.headText, "THREE")
        tryCompare(closed, "count", 1)
        verify(!list.isSelect)
    }

    function test_chooseDuringTheOpeningSlide() {
        var list = createList(2000)
        clickHead(list)
        var body = findChild(list, "dropBody")
        // The last row shows first as the list slides down.
        tryVerify(function () { return body.y > -list.dropHeight / 2 })
        verify(!list.isSelect)
        clickRow(list, 3)
        compare(chosen.count, 1)
        compare(chosen.signalArguments[0][0], 3)
        compare(list.getCurIndex(), 3)
        tryCompare(closed, "count", 1)
        verify(!list.isSelect)
        compare(opened.count, 1)
    }

    function test_openDuringTheClosingSlide() {
        var list = createList(800)
        clickHead(list)
        tryCompare(list, "isSelect", true)
        clickHead(list)
        compare(closed.count, 0)
        clickHead(list)
        // The closing completed first, then the list opened again.
        compare(closed.count, 1)
        compare(opened.count, 2)
        verify(!list.isSelect)
        tryCompare(list, "isSelect", true)
        compare(closed.count, 1)
    }
}
