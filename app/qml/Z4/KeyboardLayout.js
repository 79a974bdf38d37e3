// SPDX-License-Identifier: GPL-3.0-or-later
.pragma library

// The keyboard's 126 key positions in scene order: position = column * 6 + row, row 0 being the
// bottom row (Ctrl, Space) and row 5 the function-key row.
//
// One row per position: [default label, x, key type, USB usage]. Hidden positions carry only
// their label (type 0, no picture, no usage). The usage column is the one the US and UK
// keyboards share; the two usages that differ (App and backslash) are null here and come from
// the build's layout (see usageAt()).

var positionCount = 126

// Top edge of each row, indexed by row.
var rowY = [163, 132, 101, 70, 39, 0]

// Keys drawn outside their own row: backslash and Enter swap rows, the tall keypad keys start
// one row higher than their own.
var drawnY = { 80: 70, 81: 101, 120: 132, 122: 70 }

var appPosition = 66
var backslashPosition = 80
var fnPosition = 60
// The hidden position under the backslash key: it mirrors position 80's key code, and the
// lighting model draws it exactly where position 80 is.
var backslashShadowPosition = 79

var keys = [
    ["Ctrl", 0, 5, 0xE0],           // 0
    ["Shift", 0, 4, 0xE1],
    ["Caps", 0, 3, 0x39],
    ["Tab", 0, 2, 0x2B],
    ["`", 0, 1, 0x35],
    ["Esc", 0, 1, 0x29],
    ["Win", 38, 5, 0xE3],           // 6
    ["Z", 66, 1, 0x1D],
    ["A", 50, 1, 0x04],
    ["Q", 41, 1, 0x14],
    ["1", 31, 1, 0x1E],
    ["K45"],
    ["Alt", 76, 5, 0xE2],           // 12
    ["X", 97, 1, 0x1B],
    ["S", 81, 1, 0x16],
    ["W", 72, 1, 0x1A],
    ["2", 62, 1, 0x1F],
    ["F1", 53, 1, 0x3A],
    ["K150"],                       // 18
    ["C", 128, 1, 0x06],
    ["D", 112, 1, 0x07],
    ["E", 103, 1, 0x08],
    ["3", 93, 1, 0x20],
    ["F2", 84, 1, 0x3B],
    ["K131"],                       // 24
    ["V", 159, 1, 0x19],
    ["F", 143, 1, 0x09],
    ["R", 134, 1, 0x15],
    ["4", 124, 1, 0x21],
    ["F3", 115, 1, 0x3C],
    ["Space", 114, 6, 0x2C],        // 30
    ["B", 190, 1, 0x05],
    ["G", 174, 1, 0x0A],
    ["T", 165, 1, 0x17],
    ["5", 155, 1, 0x22],
    ["F4", 146, 1, 0x3D],
    ["LED_RGB"],                    // 36
    ["N", 221, 1, 0x11],
    ["H", 205, 1, 0x0B],
    ["Y", 196, 1, 0x1C],
    ["6", 186, 1, 0x23],
    ["F5", 198, 1, 0x3E],
    ["K132"],                       // 42
    ["M", 252, 1, 0x10],
    ["J", 236, 1, 0x0D],
    ["U", 227, 1, 0x18],
    ["7", 217, 1, 0x24],
    ["F6", 229, 1, 0x3F],
    ["K151"],                       // 48
    [",", 283, 1, 0x36],
    ["K", 267, 1, 0x0E],
    ["I", 258, 1, 0x0C],
    ["8", 248, 1, 0x25],
    ["F7", 260, 1, 0x40],
    ["Alt", 308, 5, 0xE6],          // 54
    [".", 314, 1, 0x37],
    ["L", 298, 1, 0x0F],
    ["O", 289, 1, 0x12],
    ["9", 279, 1, 0x26],
    ["F8", 291, 1, 0x41],
    ["Fn", 346, 5, 0x72],           // 60: F23 in the name tables, the Fn function as a key code
    ["/", 345, 1, 0x38],
    [";", 329, 1, 0x33],
    ["P", 320, 1, 0x13],
    ["0", 310, 1, 0x27],
    ["F9", 336, 1, 0x42],
    ["App", 384, 5, null],          // 66
    ["K56"],
    ["'", 360, 1, 0x34],
    ["[", 351, 1, 0x2F],
    ["-", 341, 1, 0x2D],
    ["F10", 367, 1, 0x43],
    ["K133"],                       // 72
    ["Shift", 376, 7, 0xE5],
    ["K42"],
    ["]", 382, 1, 0x30],
    ["=", 372, 1, 0x2E],
    ["F11", 398, 1, 0x44],
    ["Ctrl", 422, 5, 0xE4],         // 78
    ["K14"],
    ["\\", 413, 12, null],
    ["Enter", 391, 81, 0x28],
    ["Back", 403, 9, 0x2A],
    ["F12", 429, 1, 0x45],
    ["\u25C4", 469, 1, 0x50],       // 84
    ["M1"],
    ["G4"],
    ["Del", 469, 1, 0x4C],
    ["Ins", 469, 1, 0x49],
    ["Prt", 469, 1, 0x46],
    ["\u25BC", 500, 1, 0x51],       // 90
    ["\u25B2", 500, 1, 0x52],
    ["G5"],
    ["End", 500, 1, 0x4D],
    ["Hom", 500, 1, 0x4A],
    ["Scr", 500, 1, 0x47],
    ["\u25BA", 531, 1, 0x4F],       // 96
    ["LED OFF/ON"],
    ["G6"],
    ["Pgd", 531, 1, 0x4E],
    ["Pgu", 531, 1, 0x4B],
    ["Pau", 531, 1, 0x48],
    ["0", 571, 10, 0x62],           // 102
    ["1", 571, 1, 0x59],
    ["4", 571, 1, 0x5C],
    ["7", 571, 1, 0x5F],
    ["Num", 571, 1, 0x53],
    ["PC/G"],
    ["M2"],                         // 108
    ["2", 602, 1, 0x5A],
    ["5", 602, 1, 0x5D],
    ["8", 602, 1, 0x60],
    ["/", 602, 1, 0x54],
    ["G1"],
    [".", 633, 1, 0x63],            // 114
    ["3", 633, 1, 0x5B],
    ["6", 633, 1, 0x5E],
    ["9", 633, 1, 0x61],
    ["*", 633, 1, 0x55],
    ["G2"],
    ["Ent", 664, 11, 0x58],         // 120
    ["K107"],
    ["+", 664, 11, 0x57],
    ["M3"],
    ["-", 664, 1, 0x56],
    ["G3"]
]

function isVisible(position) {
    return keys[position].length > 1
}

// The key's place and picture in a model: { matrix, name, x, y, keyType, visible }.
// Hidden positions sit at the model's origin with no picture.
function geometry(position) {
    var key = keys[position]
    if (!isVisible(position))
        return { matrix: position, name: key[0], x: 0, y: 0, keyType: 0, visible: false }
    var y = drawnY.hasOwnProperty(position) ? drawnY[position] : rowY[position % 6]
    return { matrix: position, name: key[0], x: key[1], y: y, keyType: key[2], visible: true }
}

// The lighting model also gives the backslash key's hidden shadow the backslash key's picture
// and place, so that painting position 80 paints 79 too; it stays invisible.
function colorGeometry(position) {
    if (position !== backslashShadowPosition)
        return geometry(position)
    var g = geometry(backslashPosition)
    g.matrix = position
    g.name = keys[position][0]
    g.visible = false
    return g
}

// The USB usage of a visible position on a keyboard whose App and backslash keys send the given
// usages; undefined for a hidden position.
function usageAt(position, appUsage, backslashUsage) {
    if (position === appPosition)
        return appUsage
    if (position === backslashPosition)
        return backslashUsage
    return isVisible(position) ? keys[position][3] : undefined
}
