// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2
import "qrc:/modules/qml/Z4/MacroEditing.js" as MacroEditing

// The macro page's rules on plain values, without a window.
TestCase {
    name: "MacroEditing"

    function press(label) { return MacroEditing.step(label, MacroEditing.pressCommand) }
    function release(label) { return MacroEditing.step(label, MacroEditing.releaseCommand) }
    function texts(out) { return out.map(function (o) { return MacroEditing.stepText(o.step) }) }

    function test_stepText_data() {
        return [
            { tag: "press", text: "A    [Down]", value: "A", command: "    [Down]" },
            { tag: "release of a label with blanks", text: "L Ctrl      [Up]", value: "L Ctrl", command: "      [Up]" },
            { tag: "label ending in a blank", text: "KP 7     [Down]", value: "KP 7 ", command: "    [Down]" },
            { tag: "delay", text: "300   [Delay]", value: "300", command: "   [Delay]" },
            { tag: "shorter than a command", text: "[Up]", value: "", command: "[Up]" }
        ]
    }

    function test_stepText(data) {
        var s = MacroEditing.parseStep(data.text)
        compare(s.value, data.value)
        compare(s.command, data.command)
        compare(MacroEditing.stepText(s), data.text)
    }

    function test_displayValue_data() {
        return [
            { tag: "key with a name", text: "A    [Down]", shown: "NAME(A)" },
            { tag: "key without one shows its label", text: "Power    [Down]", shown: "Power" },
            { tag: "delay shows its milliseconds", text: "65535   [Delay]", shown: "65535" }
        ]
    }

    function test_displayValue(data) {
        var names = function (label) { return label === "A" ? "NAME(A)" : undefined }
        compare(MacroEditing.displayValue(MacroEditing.parseStep(data.text), names), data.shown)
    }

    function test_macroNamesDropTheExtensionInOrder() {
        compare(MacroEditing.macroNames(["macro. 010.bin", "Hello.bin", "Macro. 002.bin"]),
                ["macro. 010", "Hello", "Macro. 002"])
        compare(MacroEditing.macroNames([]), [])
    }

    // Steps go before the selected one and the selection moves with it: a key added while
    // step 3 of 6 is selected lands at 3 and 4, the selected step at 5.
    function test_insertion_data() {
        return [
            { tag: "before the selection", count: 6, selected: 3, added: 2, at: 3, after: 5 },
            { tag: "before the first", count: 6, selected: 0, added: 1, at: 0, after: 1 },
            { tag: "no selection: at the end", count: 6, selected: -1, added: 2, at: 6, after: -1 },
            { tag: "empty list", count: 0, selected: -1, added: 2, at: 0, after: -1 }
        ]
    }

    function test_insertion(data) {
        var at = MacroEditing.insertionIndex(data.count, data.selected)
        compare(at, data.at)
        compare(MacroEditing.selectionAfterInsert(data.selected, at, data.added), data.after)
    }

    function test_keyStepsArePressThenRelease() {
        compare(MacroEditing.keySteps("KP Enter").map(MacroEditing.stepText),
                ["KP Enter    [Down]", "KP Enter      [Up]"])
        compare(MacroEditing.stepText(MacroEditing.delayStep(1000)), "1000   [Delay]")
    }

    function test_parseDelay_data() {
        return [
            { tag: "0", text: "0", value: 0 },
            { tag: "the largest", text: "65535", value: 65535 },
            { tag: "leading zeros", text: "00070", value: 70 },
            { tag: "above 65535", text: "65536", value: undefined },
            { tag: "six digits", text: "000001", value: undefined },
            { tag: "empty", text: "", value: undefined },
            { tag: "not a number", text: "12a", value: undefined },
            { tag: "negative", text: "-5", value: undefined },
            { tag: "blank", text: " 5", value: undefined },
            { tag: "fraction", text: "1.5", value: undefined }
        ]
    }

    function test_parseDelay(data) {
        compare(MacroEditing.parseDelay(data.text), data.value)
    }

    function test_clampDelay_data() {
        return [
            { tag: "no pause", ms: 0, delay: 1 },
            { tag: "a clock that went back", ms: -40, delay: 1 },
            { tag: "inside", ms: 250, delay: 250 },
            { tag: "rounded", ms: 12.6, delay: 13 },
            { tag: "the largest", ms: 65535, delay: 65535 },
            { tag: "longer", ms: 70000, delay: 65535 }
        ]
    }

    function test_clampDelay(data) {
        compare(MacroEditing.clampDelay(data.ms), data.delay)
    }

    // A copy pastes as often as asked; a cut once.
    function test_clipboard_data() {
        return [
            { tag: "copy", take: MacroEditing.copyClipboard, pastes: [true, true, true] },
            { tag: "cut", take: MacroEditing.cutClipboard, pastes: [true, false, false] }
        ]
    }

    function test_clipboard(data) {
        var clipboard = MacroEditing.emptyClipboard()
        verify(MacroEditing.isClipboardEmpty(clipboard))
        clipboard = data.take(MacroEditing.delayStep(300))
        for (var i = 0; i < data.pastes.length; ++i) {
            compare(!MacroEditing.isClipboardEmpty(clipboard), data.pastes[i], "paste " + i)
            if (!MacroEditing.isClipboardEmpty(clipboard)) {
                compare(clipboard.text, "300   [Delay]")
                clipboard = MacroEditing.clipboardAfterPaste(clipboard)
            }
        }
    }

    // 100 events: the 95th asks for the save, nothing after it does, and Stop saves nothing.
    function test_recordingSavesOnceAtTheCap() {
        var recording = new MacroEditing.Recording(false, function () { return 0 })
        var saves = []
        for (var i = 0; i < 100; ++i) {
            var out = recording.record(i % 2 ? release("A") : press("A"))
            compare(out.length, 1)
            if (out[0].save)
                saves.push(i + 1)
        }
        compare(saves, [95])
        verify(!recording.stop())
        // A new start counts from 0 again.
        for (i = 0; i < 3; ++i)
            verify(!recording.record(press("B"))[0].save)
        verify(recording.stop())
    }

    function test_recordingWithoutEventsSaves() {
        verify(new MacroEditing.Recording(true, function () { return 0 }).stop())
    }

    // The pauses on a fake clock: none before the first event, then the milliseconds since
    // the previous one, clamped to 1..65535.
    function test_recordingWithDelays() {
        var now = 5000
        var recording = new MacroEditing.Recording(true, function () { return now })
        var steps = []
        var events = [[0, press("A")], [250, release("A")], [0, press("B")], [70000, release("B")]]
        for (var i = 0; i < events.length; ++i) {
            now += events[i][0]
            steps = steps.concat(texts(recording.record(events[i][1])))
        }
        compare(steps, ["A    [Down]", "250   [Delay]", "A      [Up]", "1   [Delay]", "B    [Down]",
                        "65535   [Delay]", "B      [Up]"])
    }

    // Delay steps count towards the cap: 48 events with their 47 pauses fill it.
    function test_recordingDelaysCountTowardsTheCap() {
        var now = 0
        var recording = new MacroEditing.Recording(true, function () { return now += 10 })
        var count = 0
        var savedAt = []
        for (var event = 1; event <= 50; ++event) {
            var out = recording.record(press("A"))
            for (var i = 0; i < out.length; ++i) {
                ++count
                if (out[i].save)
                    savedAt.push([event, count, MacroEditing.stepText(out[i].step)])
            }
        }
        compare(savedAt, [[48, 95, "A    [Down]"]])
        verify(!recording.stop())
    }
}
