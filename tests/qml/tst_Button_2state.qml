// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

SceneTestCase {
    name: "Button_2state"

    SignalSpy { id: clicks; signalName: "clicked" }

    function createButton() {
        var button = createInScene(createScene(), "common/Button_2state.qml")
        button.x = 100
        button.y = 100
        button.source0 = "file:modules/img/skin1/common/apply_0.png"
        button.source1 = "file:modules/img/skin1/common/apply_1.png"
        clicks.target = button
        clicks.clear()
        return button
    }

    function test_clickPlaysSound4ThenReports() {
        var button = createButton()
        var soundsAtClick = -1
        button.clicked.connect(function () { soundsAtClick = callLog.count("ui_View.playMedia_Index") })
        mouseClick(button, 5, 5)
        compare(clicks.count, 1)
        compare(soundsAtClick, 1)
        compare(callLog.argumentsOf("ui_View.playMedia_Index"), [[4]])
    }

    function test_pictures() {
        var button = createButton()
        compare(String(button.source), String(button.source0))
        mouseMove(button, 5, 5)
        compare(String(button.source), String(button.source1))
        button.enabled = false
        compare(String(button.source), String(button.source0))
        compare(button.opacity, 0.2)
    }

    function test_disabledDoesNothing() {
        var button = createButton()
        button.enabled = false
        mouseClick(button, 5, 5)
        compare(clicks.count, 0)
        compare(callLog.count("ui_View.playMedia_Index"), 0)
    }
}
