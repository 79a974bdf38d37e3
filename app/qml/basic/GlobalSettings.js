// SPDX-License-Identifier: GPL-3.0-or-later
.pragma library

// The application's own settings as plain values: the stored list of 31 values and the page
// state it stands for, the offered languages, and the colour rules of the settings page.
//
// A state is an object {skin: 1|2, sound: 0 on|1 off, animations: 0 on|1 off, language:
// 0..16, background: bool, picture: "file:" + path or "", size: 0 normal|1 larger, swatches:
// seven [red, green, blue], currentSwatch: 0..6, brightness: 0..7}.

// The offered languages in list order: [code of the string file, name in that language]. The
// stored list keeps the index.
var languages = [
    ["031225", "English"], ["025044", "\u7B80\u4F53\u4E2D\u6587"], ["025208", "\u7E41\u9AD4\u4E2D\u6587"],
    ["042082", "Deutsch"], ["111197", "Espa\u00F1ol"], ["037074", "Fran\u00E7ais"],
    ["058106", "Italiano"], ["059108", "\u65E5\u672C\u8A9E"], ["066114", "\uD55C\uAD6D\uC5B4"],
    ["091173", "Portugu\u00EAs"], ["091030", "Portugu\u00EAs (Brasil)"], ["096178", "Pycck\u0438\u0439"],
    ["111246", "Espa\u00F1ol Latin"], ["029058", "Dansk"], ["036073", "Suomi"],
    ["085161", "Norsk"], ["114205", "Svenska"]
]

var swatchCount = 7
var levelCount = 8

// The swatches before any configuration is applied; swatch 0 is the scene's default highlight.
function initialSwatches() {
    return [[0, 255, 255], [255, 200, 150], [255, 180, 0], [200, 200, 100],
            [200, 170, 255], [255, 180, 180], [160, 190, 160]]
}

// What Reset stores: version 1, skin 1, sound off, animations off, the first language, no
// background, normal size, the factory swatches, swatch 0 at full brightness.
function resetList() {
    return [1, 1, 1, 1, 0, false, "", 0,
            158, 158, 158, 255, 200, 150, 255, 180, 0, 200, 200, 100,
            200, 170, 255, 255, 180, 180, 160, 190, 160, 0, 7]
}

// The state a stored list stands for. Values read back from the file are text; anything that
// is not a number in range takes the value named beside it below.
function fromList(c) {
    var swatches = []
    for (var i = 0; i < swatchCount; ++i) {
        var rgb = []
        for (var k = 0; k < 3; ++k)
            rgb.push(clamp(number(c[8 + i * 3 + k], 0), 0, 255))
        swatches.push(rgb)
    }
    var language = number(c[4], 0)
    var picture = c[6] === undefined || c[6] === null ? "" : String(c[6])
    return {
        skin: number(c[1], 1) === 2 ? 2 : 1,
        sound: number(c[2], 1) === 0 ? 0 : 1,
        animations: number(c[3], 1) === 0 ? 0 : 1,
        language: language >= 0 && language < languages.length ? language : 0,
        // A background without a picture would leave the window's background empty.
        background: String(c[5]) === "true" && picture !== "",
        picture: picture,
        size: number(c[7], 0) === 1 ? 1 : 0,
        swatches: swatches,
        currentSwatch: clamp(number(c[29], 0), 0, swatchCount - 1),
        brightness: clamp(number(c[30], levelCount - 1), 0, levelCount - 1)
    }
}

// The 31 values that store `state`.
function toList(state) {
    var list = [1, state.skin, state.sound, state.animations, state.language, state.background,
                state.picture, state.size]
    for (var i = 0; i < swatchCount; ++i)
        list = list.concat(state.swatches[i])
    return list.concat([state.currentSwatch, state.brightness])
}

// The highlight text's opacity at brightness `level` 0..7, in 255ths: 45, 75, ... 255.
function opacity(level) {
    return 45 + level * 210 / 7
}

// The highlight colour: `rgb` at the opacity of brightness `level`, as "#aarrggbb".
function highlightColor(rgb, level) {
    return "#" + [opacity(level), rgb[0], rgb[1], rgb[2]].map(function (byte) {
        return (byte < 16 ? "0" : "") + byte.toString(16)
    }).join("")
}

// The colour at distance `x` from the left end of the colour bar `length` pixels long: eight
// segments, black, red, yellow, green, cyan, blue, magenta, white, and black at the right end.
function colorBarColor(x, length) {
    var t = clamp(x, 0, length - 1) / (length - 1) / 0.125
    var segment = Math.floor(t)
    var n = Math.round((t - segment) * 255)
    switch (segment) {
    case 0: return [n, 0, 0]
    case 1: return [255, n, 0]
    case 2: return [255 - n, 255, 0]
    case 3: return [0, 255, n]
    case 4: return [0, 255 - n, 255]
    case 5: return [n, 0, 255]
    case 6: return [255, n, 255]
    case 7: return [255 - n, 255 - n, 255 - n]
    default: return [0, 0, 0]
    }
}

// What a colour field accepts: a number 0..255 of at most three digits, without leading zeros.
// Each prefix of an accepted text is accepted too, so a validator built on it refuses a key
// that would leave the range ("300").
var colorFieldPattern = /^(?:25[0-5]|2[0-4][0-9]|1[0-9]{2}|[1-9]?[0-9])$/

// The value of a colour field's text; an emptied field counts as 0.
function colorFieldValue(text) {
    return colorFieldPattern.test(text) ? parseInt(text, 10) : 0
}

// The address of the background picture stored as "file:" + path. The path's characters that
// mean something in an address ("#", "?", "%", blanks) are escaped, so that every file name
// shows.
function pictureUrl(stored) {
    if (stored.indexOf("file:") !== 0)
        return stored
    return "file:" + stored.slice(5).split("/").map(encodeURIComponent).join("/")
}

// A stored value as an integer: stored values come back as text.
function number(value, fallback) {
    var n = parseInt(value, 10)
    return isNaN(n) ? fallback : n
}

function clamp(value, low, high) {
    return Math.max(low, Math.min(high, value))
}
