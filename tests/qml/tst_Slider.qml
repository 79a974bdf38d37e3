// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

SceneTestCase {
    id: testCase
    name: "Slider"

    SignalSpy {
        id: clicks
        signalName: "sliderClicked"
    }

    function createSlider() {
        var slider = createInScene(createScene(), "common/Slider.qml")
        slider.x = 100
        slider.y = 100
        clicks.target = slider
        clicks.clear()
        return slider
    }

    // The fillers, left to right, as drawn: true when filled.
    function fillers(slider) {
        var area = slider.children[0]
        var filled = []
        for (var i = 0; i < area.children.length; ++i) {
            var child = area.children[i]
            if (child.source !== undefined)
                filled.push(String(child.source).indexOf("slider_FILLER_1") >= 0)
        }
        return filled
    }

    // Release points measured from the left end of the filler area (5 pixels into the picture).
    function test_release_data() {
        return [
            { tag: "left of the area", x: -30, level: 0 },
            { tag: "left end", x: 0, level: 0 },
            { tag: "1 pixel", x: 1, level: 1 },
            { tag: "20 pixels", x: 20, level: 1 },
            { tag: "21 pixels", x: 21, level: 2 },
            { tag: "middle", x: 70, level: 4 },
            { tag: "120 pixels", x: 120, level: 6 },
            { tag: "121 pixels", x: 121, level: 7 },
            { tag: "right end", x: 140, level: 7 },
            { tag: "beyond the right end", x: 300, level: 7 }
        ]
    }

    function test_release(data) {
        var slider = createSlider()
        slider.setCurIndex(3)
        mousePress(slider, 5 + 60, 10)
        mouseRelease(slider, 5 + data.x, 10)
        compare(clicks.count, 1)
        compare(clicks.signalArguments[0][0], data.level)
        compare(slider.getCurIndex(), data.level)
        var expected = []
        for (var i = 0; i < 7; ++i)
            expected.push(i < data.level)
        compare(fillers(slider), expected)
    }

    function test_heldButtonFillsLeftOfTheMouse() {
        var slider = createSlider()
        compare(slider.getCurIndex(), 7)
        slider.setCurIndex(6)
        mousePress(slider, 5 + 50, 10)
        compare(fillers(slider), [true, true, true, false, false, false, false])
        mouseMove(slider, 5 + 130, 10)
        compare(fillers(slider), [true, true, true, true, true, true, true])
        mouseRelease(slider, 5 + 130, 10)
        compare(clicks.count, 1)
    }

    function test_setCurIndexDoesNotReport() {
        var slider = createSlider()
        slider.setCurIndex(2)
        compare(fillers(slider), [true, true, false, false, false, false, false])
        compare(clicks.count, 0)
    }
}
