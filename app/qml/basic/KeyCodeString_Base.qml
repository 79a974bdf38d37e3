// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import "../Z4/KeyboardLayout.js" as KeyboardLayout

// The key-name tables of one keyboard layout: label <-> USB keyboard usage (the language-
// independent names stored in macro files) and key position <-> usage. Each lookup answers
// undefined for an input that has no entry; callers treat that as a key that does not exist.
// The build's KeyCodeString sets the two usages in which the US and UK keyboards differ.
QtObject {
    required property int appUsage
    required property int backslashUsage

    function strTokeycode(label) { return _lookup(_str2keycode, label) }
    function keycodeTostr(usage) { return _lookup(_keycode2str, usage) }
    function matrixTokeycode(position) { return _lookup(_matrix2keycode, position) }
    function keycodeTomatrix(usage) { return _lookup(_keycode2matrix, usage) }

    readonly property var _str2keycode: _labelMap()
    readonly property var _keycode2str: _inverse(_str2keycode)
    readonly property var _matrix2keycode: _positionMap()
    readonly property var _keycode2matrix: _inverse(_matrix2keycode)

    // Labels that follow no sequence, by usage. The letters, digits, function keys and keypad
    // digits are generated in _labelMap().
    readonly property var _namedLabels: [
        ["Enter", 0x28], ["Esc", 0x29], ["Back", 0x2A], ["Tab", 0x2B], ["Space", 0x2C],
        ["- _", 0x2D], ["= +", 0x2E], ["[ {", 0x2F], ["] }", 0x30],
        ["; :", 0x33], ["' \"", 0x34], ["` ~", 0x35], [", <", 0x36], [". >", 0x37], ["/ ?", 0x38],
        ["Caps", 0x39],
        ["Prt", 0x46], ["Scr", 0x47], ["Pau", 0x48], ["Ins", 0x49], ["Hom", 0x4A], ["PgU", 0x4B],
        ["Del", 0x4C], ["End", 0x4D], ["PgD", 0x4E],
        ["\u25BA", 0x4F], ["\u25C4", 0x50], ["\u25BC", 0x51], ["\u25B2", 0x52],
        ["Num", 0x53], ["KP /", 0x54], ["KP *", 0x55], ["KP -", 0x56], ["KP +", 0x57], ["KP Enter", 0x58],
        ["KP 7 ", 0x5F],   // with a trailing blank: "KP 7" names no key
        ["KP 0", 0x62], ["KP .", 0x63],
        ["Eur 2", 0x64], ["App", 0x65], ["Power", 0x66], ["KP =", 0x67],
        ["Keypad", 0x85],
        // Two spellings, two usages: "Intl'2" is 0x88 and "Int'l 2" is 0x89.
        ["Int'l 1", 0x87], ["Intl'2", 0x88], ["Int'l 2", 0x89], ["Int'l 4", 0x8A], ["Int'l 5", 0x8B],
        ["Lang 1", 0x90], ["Lang 2", 0x91],
        ["L Ctrl", 0xE0], ["L Shift", 0xE1], ["L Alt", 0xE2], ["L GUI", 0xE3],
        ["R Ctrl", 0xE4], ["R Shift", 0xE5], ["R Alt", 0xE6], ["R GUI", 0xE7]
    ]
    readonly property string _backslashLabel: "\\ |"

    // Numbered labels: [prefix, first number, last number, usage of the first].
    readonly property var _numberedLabels: [
        ["", 1, 9, 0x1E], ["", 0, 0, 0x27],
        ["F", 1, 12, 0x3A], ["F", 13, 24, 0x68],
        ["KP ", 1, 6, 0x59], ["KP ", 8, 9, 0x60]
    ]

    function _lookup(map, key) {
        return map.has(key) ? map.get(key) : undefined
    }

    function _inverse(map) {
        var inverse = new Map()
        map.forEach(function (value, key) { inverse.set(value, key) })
        return inverse
    }

    function _labelMap() {
        var map = new Map()
        for (var letter = 0; letter < 26; ++letter)
            map.set(String.fromCharCode(0x41 + letter), 0x04 + letter)
        _numberedLabels.forEach(function (run) {
            for (var n = run[1]; n <= run[2]; ++n)
                map.set(run[0] + n, run[3] + n - run[1])
        })
        _namedLabels.forEach(function (entry) { map.set(entry[0], entry[1]) })
        map.set(_backslashLabel, backslashUsage)
        return map
    }

    function _positionMap() {
        var map = new Map()
        for (var position = 0; position < KeyboardLayout.positionCount; ++position) {
            var usage = KeyboardLayout.usageAt(position, appUsage, backslashUsage)
            if (usage !== undefined)
                map.set(position, usage)
        }
        return map
    }
}
