// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The key-name tables of the build's layout.
TestCase {
    id: testCase
    name: "KeyCodeString"

    readonly property bool isUK: keyboardLayout === "UK"
    property var tables

    function initTestCase() {
        var component = Qt.createComponent("qrc:/modules/qml/basic/KeyCodeString.qml")
        compare(component.status, Component.Ready, component.errorString())
        tables = component.createObject(testCase)
    }

    // Every usage that has a label: 0x04..0x67, 0x68..0x73, and the few international,
    // language and modifier usages, minus the one backslash usage this layout does not name.
    function labelledUsages() {
        var usages = []
        for (var usage = 0x04; usage <= 0x73; ++usage)
            usages.push(usage)
        usages = usages.concat([0x85, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x90, 0x91])
        for (usage = 0xE0; usage <= 0xE7; ++usage)
            usages.push(usage)
        var unnamed = isUK ? 0x31 : 0x32
        return usages.filter(function (u) { return u !== unnamed })
    }

    function test_labelsAreOneToOne() {
        var usages = labelledUsages()
        compare(usages.length, 127)
        var seen = {}
        for (var i = 0; i < usages.length; ++i) {
            var label = tables.keycodeTostr(usages[i])
            verify(typeof label === "string", "usage 0x" + usages[i].toString(16) + " has no label")
            verify(!seen.hasOwnProperty(label), "label \"" + label + "\" used twice")
            seen[label] = true
            compare(tables.strTokeycode(label), usages[i], label)
        }
    }

    function test_label_data() {
        return [
            { tag: "A", label: "A", usage: 0x04 },
            { tag: "Z", label: "Z", usage: 0x1D },
            { tag: "1", label: "1", usage: 0x1E },
            { tag: "0", label: "0", usage: 0x27 },
            { tag: "F1", label: "F1", usage: 0x3A },
            { tag: "F12", label: "F12", usage: 0x45 },
            { tag: "F13", label: "F13", usage: 0x68 },
            { tag: "F23", label: "F23", usage: 0x72 },
            { tag: "F24", label: "F24", usage: 0x73 },
            { tag: "KP 1", label: "KP 1", usage: 0x59 },
            { tag: "KP 6", label: "KP 6", usage: 0x5E },
            { tag: "KP 7 with its blank", label: "KP 7 ", usage: 0x5F },
            { tag: "KP 8", label: "KP 8", usage: 0x60 },
            { tag: "KP 0", label: "KP 0", usage: 0x62 },
            { tag: "apostrophe", label: "' \"", usage: 0x34 },
            { tag: "grave accent", label: "` ~", usage: 0x35 },
            { tag: "right arrow", label: "\u25BA", usage: 0x4F },
            { tag: "PgU", label: "PgU", usage: 0x4B },
            { tag: "Eur 2", label: "Eur 2", usage: 0x64 },
            { tag: "App", label: "App", usage: 0x65 },
            { tag: "KP =", label: "KP =", usage: 0x67 },
            { tag: "Intl'2", label: "Intl'2", usage: 0x88 },
            { tag: "Int'l 2", label: "Int'l 2", usage: 0x89 },
            { tag: "Lang 2", label: "Lang 2", usage: 0x91 },
            { tag: "R GUI", label: "R GUI", usage: 0xE7 },
            { tag: "backslash", label: "\\ |", usage: isUK ? 0x32 : 0x31 }
        ]
    }

    function test_label(data) {
        compare(tables.strTokeycode(data.label), data.usage)
        compare(tables.keycodeTostr(data.usage), data.label)
    }

    function test_unknown_data() {
        return [
            { tag: "KP 7 without its blank", label: "KP 7" },
            { tag: "lower case", label: "a" },
            { tag: "empty", label: "" },
            { tag: "an object's own name", label: "constructor" },
            { tag: "a position caption", label: "Ctrl" }
        ]
    }

    function test_unknown(data) {
        compare(tables.strTokeycode(data.label), undefined)
    }

    function test_unlabelledUsages_data() {
        return [
            { tag: "none", usage: 0 },
            { tag: "error roll-over", usage: 0x01 },
            { tag: "other layout's backslash", usage: isUK ? 0x31 : 0x32 },
            { tag: "between F24 and Keypad", usage: 0x74 },
            { tag: "international 3", usage: 0x86 },
            { tag: "beyond the modifiers", usage: 0xE8 },
            { tag: "a label instead", usage: "A" }
        ]
    }

    function test_unlabelledUsages(data) {
        compare(tables.keycodeTostr(data.usage), undefined)
    }

    function test_positionsAreOneToOne() {
        var count = 0
        for (var position = 0; position < 126; ++position) {
            var usage = tables.matrixTokeycode(position)
            if (usage === undefined)
                continue
            ++count
            compare(tables.keycodeTomatrix(usage), position, "position " + position)
        }
        compare(count, 104)
    }

    function test_position_data() {
        return [
            { tag: "Ctrl", position: 0, usage: 0xE0 },
            { tag: "Esc", position: 5, usage: 0x29 },
            { tag: "A", position: 8, usage: 0x04 },
            { tag: "Space", position: 30, usage: 0x2C },
            { tag: "Fn as F23", position: 60, usage: 0x72 },
            { tag: "App", position: 66, usage: isUK ? 0x64 : 0x65 },
            { tag: "backslash", position: 80, usage: isUK ? 0x32 : 0x31 },
            { tag: "Enter", position: 81, usage: 0x28 },
            { tag: "KP 7", position: 105, usage: 0x5F },
            { tag: "KP Enter", position: 120, usage: 0x58 },
            { tag: "KP -", position: 124, usage: 0x56 }
        ]
    }

    function test_position(data) {
        compare(tables.matrixTokeycode(data.position), data.usage)
        compare(tables.keycodeTomatrix(data.usage), data.position)
    }

    function test_noPosition_data() {
        return [
            { tag: "hidden K45", position: 11 },
            { tag: "hidden K14 under backslash", position: 79 },
            { tag: "hidden G3", position: 125 },
            { tag: "beyond the keys", position: 126 },
            { tag: "negative", position: -1 }
        ]
    }

    function test_noPosition(data) {
        compare(tables.matrixTokeycode(data.position), undefined)
    }

    function test_usageWithoutPosition_data() {
        return [
            { tag: "other layout's backslash", usage: isUK ? 0x31 : 0x32 },
            { tag: "other layout's App", usage: isUK ? 0x65 : 0x64 },
            { tag: "F13", usage: 0x68 },
            { tag: "Lang 1", usage: 0x90 },
            { tag: "left GUI is Win, right GUI has no key", usage: 0xE7 }
        ]
    }

    function test_usageWithoutPosition(data) {
        compare(tables.keycodeTomatrix(data.usage), undefined)
    }
}
