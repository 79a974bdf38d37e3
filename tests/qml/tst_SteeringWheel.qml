// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

SceneTestCase {
    name: "SteeringWheel"

    SignalSpy {
        id: clicks
        signalName: "wheelClicked"
    }

    function createWheel() {
        var wheel = createInScene(createScene(), "common/SteeringWheel.qml")
        wheel.x = 100
        wheel.y = 100
        clicks.target = wheel
        clicks.clear()
        return wheel
    }

    // Cell centres in the 61 x 61 cross.
    function test_click_data() {
        return [
            { tag: "centre", x: 30, y: 30, index: 0 },
            { tag: "right", x: 50, y: 30, index: 1 },
            { tag: "left", x: 10, y: 30, index: 2 },
            { tag: "up", x: 30, y: 10, index: 3 },
            { tag: "down", x: 30, y: 50, index: 4 }
        ]
    }

    function test_click(data) {
        var wheel = createWheel()
        wheel.setCurIndex(data.index === 2 ? 3 : 2)
        mouseClick(wheel, data.x, data.y)
        compare(clicks.count, 1)
        compare(clicks.signalArguments[0][0], data.index)
        compare(wheel.getCurIndex(), data.index)
    }

    function test_cornersAreNoCells() {
        var wheel = createWheel()
        mouseClick(wheel, 5, 5)
        mouseClick(wheel, 55, 55)
        compare(clicks.count, 0)
        compare(wheel.getCurIndex(), 1)
    }

    function test_setCurIndexDoesNotReport() {
        var wheel = createWheel()
        wheel.setCurIndex(4)
        compare(wheel.currentIndex, 4)
        compare(clicks.count, 0)
    }
}
