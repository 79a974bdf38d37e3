// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

SceneTestCase {
    name: "FileListButton"

    SignalSpy { id: chosen; signalName: "listElementClicked" }
    SignalSpy { id: updates; signalName: "requestToUpdateList" }
    SignalSpy { id: opened; signalName: "listOpened" }
    SignalSpy { id: closed; signalName: "listClosed" }

    readonly property int headHeight: 23

    function createButton(speed) {
        var button = createInScene(createScene(speed), "common/FileListButton.qml")
        button.x = 100
        button.y = 100
        button.z = 1
        for (var name of ["alpha", "beta", "gamma"])
            button.mdItems.append({ textX: name, textR: "" })
        for (var spy of [chosen, updates, opened, closed]) {
            spy.target = button
            spy.clear()
        }
        return button
    }

    function openFully(button) {
        mouseClick(button, 40, headHeight / 2)
        tryCompare(button, "isSelect", true)
    }

    // Row `row` of the open list: the FileList starts one pixel into the picture.
    function clickRow(button, row) {
        mouseClick(button, 40, headHeight + 1 + row * 19 + 10)
    }

    function test_headAsksForAFreshListOnlyWhenOpening() {
        var button = createButton(10)
        mouseClick(button, 40, headHeight / 2)
        compare(updates.count, 1)
        compare(opened.count, 1)
        tryCompare(button, "isSelect", true)
        mouseClick(button, 40, headHeight / 2)
        compare(updates.count, 1)
        tryCompare(closed, "count", 1)
    }

    function test_chooseAndClear() {
        var button = createButton(10)
        compare(button.headText, "\u3010 OPTIONS \u3011")
        openFully(button)
        clickRow(button, 1)
        compare(chosen.signalArguments[0][0], 1)
        compare(button.headText, "beta")
        tryCompare(closed, "count", 1)
        openFully(button)
        clickRow(button, 1)
        compare(chosen.signalArguments[1][0], -1)
        compare(button.getCurIndex(), -1)
        compare(button.headText, "\u3010 OPTIONS \u3011")
        tryCompare(closed, "count", 2)
        verify(!button.isSelect)
    }

    function test_slideTakesHalfTheAnimationSpeed() {
        var button = createButton(800)
        mouseClick(button, 40, headHeight / 2)
        compare(button.dropDuration, 400)
        wait(250)
        verify(!button.isSelect)
        tryCompare(button, "isSelect", true, 1000)
    }

    function test_setCurIndexDoesNotReport() {
        var button = createButton(10)
        button.setCurIndex(2)
        compare(button.headText, "gamma")
        compare(chosen.count, 0)
    }
}
