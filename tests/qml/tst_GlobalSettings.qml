// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2
import "qrc:/modules/qml/basic/GlobalSettings.js" as GlobalSettings

// The settings page's rules on plain values: the stored list and the state it stands for, the
// colour bar, the brightness opacity, the colour fields, the background picture's address.
TestCase {
    name: "GlobalSettings"

    function test_colorBar_data() {
        // The bar of the page, 96 pixels: t = x / 95 / 0.125.
        return [
            { tag: "left end", x: 0, rgb: [0, 0, 0] },
            { tag: "12.5 %", x: 0.125 * 95, rgb: [255, 0, 0] },
            { tag: "middle", x: 0.5 * 95, rgb: [0, 255, 255] },
            { tag: "half a segment rounds up", x: 1.5 * 0.125 * 95, rgb: [255, 128, 0] },
            { tag: "magenta to white", x: 6.25 * 0.125 * 95, rgb: [255, 64, 255] },
            { tag: "white to black", x: 7.5 * 0.125 * 95, rgb: [127, 127, 127] },
            { tag: "right end", x: 95, rgb: [0, 0, 0] },
            { tag: "beyond the right end", x: 120, rgb: [0, 0, 0] },
            { tag: "left of the bar", x: -3, rgb: [0, 0, 0] }
        ]
    }

    function test_colorBar(data) {
        compare(GlobalSettings.colorBarColor(data.x, 96), data.rgb)
    }

    function test_highlightColor_data() {
        return [
            { tag: "level 0", rgb: [255, 180, 0], level: 0, opacity: 45, color: "#2dffb400" },
            { tag: "level 3", rgb: [160, 190, 160], level: 3, opacity: 135, color: "#87a0bea0" },
            { tag: "level 7", rgb: [0, 255, 255], level: 7, opacity: 255, color: "#ff00ffff" }
        ]
    }

    function test_highlightColor(data) {
        compare(GlobalSettings.opacity(data.level), data.opacity)
        compare(GlobalSettings.highlightColor(data.rgb, data.level), data.color)
    }

    function test_colorField_data() {
        return [
            { tag: "0", text: "0", accepted: true, value: 0 },
            { tag: "255", text: "255", accepted: true, value: 255 },
            { tag: "199", text: "199", accepted: true, value: 199 },
            { tag: "256", text: "256", accepted: false, value: 0 },
            { tag: "300", text: "300", accepted: false, value: 0 },
            { tag: "four digits", text: "1000", accepted: false, value: 0 },
            { tag: "leading zero", text: "07", accepted: false, value: 0 },
            { tag: "sign", text: "-1", accepted: false, value: 0 },
            { tag: "letters", text: "ff", accepted: false, value: 0 },
            { tag: "emptied", text: "", accepted: false, value: 0 }
        ]
    }

    function test_colorField(data) {
        compare(GlobalSettings.colorFieldPattern.test(data.text), data.accepted)
        compare(GlobalSettings.colorFieldValue(data.text), data.value)
    }

    function test_storedListRoundTrip() {
        var state = {
            skin: 2, sound: 0, animations: 1, language: 16, background: true,
            picture: "file:/home/user/Pictures/sky.png", size: 1,
            swatches: [[1, 2, 3], [4, 5, 6], [7, 8, 9], [10, 11, 12], [13, 14, 15], [16, 17, 18], [19, 20, 255]],
            currentSwatch: 6, brightness: 0
        }
        var list = GlobalSettings.toList(state)
        compare(list.length, 31)
        compare(list.slice(0, 8), [1, 2, 0, 1, 16, true, "file:/home/user/Pictures/sky.png", 1])
        compare(list.slice(29), [6, 0])
        // As the settings file gives it back: text.
        compare(GlobalSettings.fromList(list.map(String)), state)
        compare(GlobalSettings.toList(GlobalSettings.fromList(GlobalSettings.resetList())), GlobalSettings.resetList())
    }

    function test_storedValuesOutOfRange_data() {
        var shipped = GlobalSettings.resetList()
        function changed(index, value) {
            var list = shipped.slice()
            list[index] = value
            return list
        }
        return [
            { tag: "language beyond the list", list: changed(4, "17"), key: "language", value: 0 },
            { tag: "negative language", list: changed(4, "-1"), key: "language", value: 0 },
            { tag: "language not a number", list: changed(4, "Deutsch"), key: "language", value: 0 },
            { tag: "skin 3", list: changed(1, "3"), key: "skin", value: 1 },
            { tag: "sound neither on nor off", list: changed(2, "5"), key: "sound", value: 1 },
            { tag: "background without a picture", list: changed(5, "true"), key: "background", value: false },
            { tag: "current swatch beyond the seven", list: changed(29, "9"), key: "currentSwatch", value: 6 },
            { tag: "brightness beyond 7", list: changed(30, "12"), key: "brightness", value: 7 },
            { tag: "brightness missing", list: shipped.slice(0, 30), key: "brightness", value: 7 },
            { tag: "colour value beyond 255", list: changed(8, "300"), key: "swatches",
              value: [[255, 158, 158]].concat(GlobalSettings.fromList(shipped).swatches.slice(1)) }
        ]
    }

    function test_storedValuesOutOfRange(data) {
        compare(GlobalSettings.fromList(data.list)[data.key], data.value)
    }

    function test_pictureUrl_data() {
        return [
            { tag: "plain path", stored: "file:/home/user/sky.png", url: "file:/home/user/sky.png" },
            { tag: "blank and hash", stored: "file:/home/user/my sky #2.png", url: "file:/home/user/my%20sky%20%232.png" },
            { tag: "percent and question mark", stored: "file:/tmp/100%?.png", url: "file:/tmp/100%25%3F.png" },
            { tag: "no picture", stored: "", url: "" }
        ]
    }

    function test_pictureUrl(data) {
        compare(GlobalSettings.pictureUrl(data.stored), data.url)
    }
}
