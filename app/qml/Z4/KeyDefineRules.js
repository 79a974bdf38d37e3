// SPDX-License-Identifier: GPL-3.0-or-later
.pragma library

// What the key definition page decides, on plain values: which menus show a key code, the
// codes that the mouse and media lists write, how a combination box changes a code, and which
// macro slot a macro gets. A key code is an array [kind, byte 1, byte 2, byte 3].

// The kind menu's entries, in menu order.
var kindKeyboard = 0
var kindMouse = 1
var kindMedia = 2
var kindCombo = 3
var kindMacro = 4
var noKind = -1

// Interface string of each kind menu entry.
var kindStrings = [46, 47, 48, 49, 50]

// Byte 0 of a key code.
var codeKey = 0x00
var codeFn = 0x02
var codeMedia = 0x03
var codeMacro = 0x04
var codeMouse = 0x0B

// The mouse list: interface string and button bit, in list order.
var mouseButtons = [
    { string: 51, bit: 0x01 },  // LEFT
    { string: 52, bit: 0x02 },  // RIGHT
    { string: 53, bit: 0x04 },  // MIDDLE
    { string: 54, bit: 0x08 },  // B4
    { string: 55, bit: 0x10 }   // B5
]

// The media list: interface string and consumer-page usage, in list order.
var mediaFunctions = [
    { string: 56, usage: 0x00B5 },  // NEXT TRACK
    { string: 57, usage: 0x00B6 },  // PREVIOUS TRACK
    { string: 58, usage: 0x00B7 },  // STOP
    { string: 59, usage: 0x00CD },  // PLAY / PAUSE
    { string: 60, usage: 0x00E2 },  // MUTE
    { string: 61, usage: 0x00E9 },  // VOLUME UP
    { string: 62, usage: 0x00EA },  // VOLUME DOWN
    { string: 63, usage: 0x0183 },  // MEDIA SELECT
    { string: 64, usage: 0x018A },  // MAIL
    { string: 65, usage: 0x0192 },  // CALCULATOR
    { string: 66, usage: 0x0194 },  // MY COMPUTER
    { string: 67, usage: 0x0221 },  // WWW SEARCH
    { string: 68, usage: 0x0223 },  // WWW HOME
    { string: 69, usage: 0x0224 },  // WWW BACK
    { string: 70, usage: 0x0225 },  // WWW FORWARD
    { string: 71, usage: 0x0226 },  // WWW STOP
    { string: 72, usage: 0x0227 },  // WWW REFRESH
    { string: 73, usage: 0x022A }   // WWW FAVORITES
]

// The keyboard's macro slots.
var macroSlotCount = 35

var noFunction = [0, 0, 0, 0]

function mouseCode(index) {
    return [codeMouse, 0x00, mouseButtons[index].bit, 0x00]
}

function mediaCode(index) {
    var usage = mediaFunctions[index].usage
    return [codeMedia, 0x00, usage & 0xFF, usage >> 8]
}

// Bytes of a code stay bytes, whatever a macro file holds.
function macroCode(repeat, slot) {
    return [codeMacro, repeat & 0xFF, slot & 0xFF, 0x00]
}

function isMacro(code) {
    return code[0] === codeMacro
}

// A stored key definition as a code, or undefined when the reply is not four integers 0..255
// (an empty reply: nothing is stored).
function storedCode(reply) {
    if (!reply || reply.length !== 4)
        return undefined
    var code = []
    for (var i = 0; i < 4; ++i) {
        var text = String(reply[i]).trim()
        if (!/^[0-9]{1,3}$/.test(text) || parseInt(text, 10) > 0xFF)
            return undefined
        code.push(parseInt(text, 10))
    }
    return code
}

function indexWhere(list, matches) {
    for (var i = 0; i < list.length; ++i) {
        if (matches(list[i]))
            return i
    }
    return -1
}

// How the menus show a code: { kind } with, by kind, usage (keyboard), usages (combination,
// three), index (mouse or media entry, -1 for none) or slot (macro). Undefined when the code is
// of a kind whose bytes do not fit it: the menus then stay as they are. Any other kind (the Fn
// function among them) gives noKind.
function menusFor(code) {
    var b1 = code[1], b2 = code[2], b3 = code[3]
    switch (code[0]) {
    case codeKey:
        if (b1 === 0 && b2 !== 0 && b3 === 0)
            return { kind: kindKeyboard, usage: b2 }
        return { kind: kindCombo, usages: [b1, b2, b3] }
    case codeMouse:
        if (b1 !== 0 || b2 === 0 || b3 !== 0)
            return undefined
        return { kind: kindMouse, index: indexWhere(mouseButtons, function (button) { return button.bit === b2 }) }
    case codeMedia:
        if (b1 !== 0 || b2 === 0)
            return undefined
        var usage = b3 * 256 + b2
        return { kind: kindMedia, index: indexWhere(mediaFunctions, function (media) { return media.usage === usage }) }
    case codeMacro:
        if (b3 !== 0)
            return undefined
        return { kind: kindMacro, slot: b2 }
    default:
        return { kind: noKind }
    }
}

// The code after combination box k (1..3) was given `usage` (0 clears it). A code of another
// kind than keyboard keys is cleared first, so no byte of it is left in the combination.
function withComboUsage(code, k, usage) {
    var result = code[0] === codeKey ? code.slice() : noFunction.slice()
    result[k] = usage
    return result
}

// The macro file in `configs` ([slot, repeat] per file, list order; empty for a file that
// could not be read) that the menus show for `slot`: the last one bound to it, or -1.
function macroIndexForSlot(configs, slot) {
    var found = -1
    for (var i = 0; i < configs.length; ++i) {
        if (configs[i].length > 0 && Number(configs[i][0]) === slot)
            found = i
    }
    return found
}

// The lowest of the keyboard's macro slots that no code of `matrix` (four values per
// position) uses, or -1 when all are used.
function lowestFreeSlot(matrix) {
    var used = []
    for (var i = 0; i + 3 < matrix.length; i += 4) {
        if (matrix[i] === codeMacro && matrix[i + 3] === 0)
            used[matrix[i + 2]] = true
    }
    for (var slot = 0; slot < macroSlotCount; ++slot) {
        if (!used[slot])
            return slot
    }
    return -1
}

// Giving the macro whose config is `config` ([slot, repeat], empty when unreadable) to a key,
// with the codes of `matrix` around it (the key itself already cleared): { code, bind }, bind
// being the slot the macro must first be stored in and sent to, or -1 when nothing is sent.
function macroChoice(config, matrix) {
    if (!config || config.length < 2)
        return { code: noFunction.slice(), bind: -1 }
    var slot = Number(config[0])
    if (slot >= 0)
        return { code: macroCode(Number(config[1]), slot), bind: -1 }
    var free = lowestFreeSlot(matrix)
    if (free < 0)
        return { code: noFunction.slice(), bind: -1 }
    return { code: macroCode(1, free), bind: free }
}
