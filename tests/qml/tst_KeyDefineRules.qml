// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2
import "qrc:/modules/qml/Z4/KeyDefineRules.js" as Rules

// The key definition page's rules on small fixtures, without a window: which stored replies
// become codes, which codes hold a macro slot, and which macro file shows for a slot.
TestCase {
    name: "KeyDefineRules"

    function test_storedCode_data() {
        return [
            { tag: "four texts", reply: ["0", "224", "4", "5"], code: [0, 224, 4, 5] },
            { tag: "four numbers", reply: [3, 0, 0x83, 1], code: [3, 0, 0x83, 1] },
            { tag: "nothing stored", reply: [], code: undefined },
            { tag: "three values", reply: [0, 0, 4], code: undefined },
            { tag: "five values", reply: [0, 0, 4, 0, 0], code: undefined },
            { tag: "above a byte", reply: [0, 0, 256, 0], code: undefined },
            { tag: "negative", reply: [0, 0, -1, 0], code: undefined },
            { tag: "not a number", reply: ["0", "0", "A", "0"], code: undefined },
            { tag: "empty text", reply: ["0", "", "4", "0"], code: undefined },
            { tag: "fraction", reply: [0, 0, 4.5, 0], code: undefined }
        ]
    }

    function test_storedCode(data) {
        compare(Rules.storedCode(data.reply), data.code)
    }

    function test_lowestFreeSlot_data() {
        function matrix(codes) {
            var values = []
            for (var i = 0; i < codes.length; ++i)
                values = values.concat(codes[i])
            return values.concat([0, 0, 0, 0, 0, 0, 0, 0])
        }
        var all = []
        for (var slot = 0; slot < 35; ++slot)
            all.push([4, 1, slot, 0])
        return [
            { tag: "none used", matrix: matrix([[0, 0, 4, 0]]), slot: 0 },
            { tag: "a gap", matrix: matrix([[4, 1, 0, 0], [4, 2, 2, 0]]), slot: 1 },
            { tag: "byte 3 set is no slot", matrix: matrix([[4, 1, 0, 1]]), slot: 0 },
            { tag: "another kind is no slot", matrix: matrix([[0, 0, 0, 0], [0x0B, 0, 1, 0]]), slot: 0 },
            { tag: "beyond the slots", matrix: matrix([[4, 1, 0, 0], [4, 1, 40, 0]]), slot: 1 },
            { tag: "all used", matrix: matrix(all), slot: -1 }
        ]
    }

    function test_lowestFreeSlot(data) {
        compare(Rules.lowestFreeSlot(data.matrix), data.slot)
    }

    // The last readable file bound to the slot; unreadable files are passed over.
    function test_macroIndexForSlot() {
        var configs = [[7, 1], [], [3, 1], [7, 2], [-1, 1]]
        compare(Rules.macroIndexForSlot(configs, 7), 3)
        compare(Rules.macroIndexForSlot(configs, 3), 2)
        compare(Rules.macroIndexForSlot(configs, 5), -1)
        compare(Rules.macroIndexForSlot([], 0), -1)
    }
}
