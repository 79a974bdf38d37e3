// SPDX-License-Identifier: GPL-3.0-or-later
.pragma library

// The lighting modes, the bytes their controls send, and the live preview's rules: what each
// effect does to an array of key levels (0..255, index = key position) on a tick and on a key
// press, and which level each key shows. Plain values in, plain values out; the controller
// (Effect_Controler_Z4) owns the state and the timer, the keys only show the levels.

// The group list and the two second lists, as string indices of the interface strings.
var PAINTING = 0
var EFFECTS = 1
var groupStrings = [6, 7]
var userDefineStrings = [8, 9, 10, 11, 12]
// The effect list: [effect id, string index] by list index.
var effectList = [
    [0x01, 13], [0x02, 14], [0x04, 16], [0x05, 17], [0x06, 18], [0x07, 19], [0x0A, 22], [0x0C, 24], [0x0D, 25]
]

// User picture n (0..4) is lighting mode 0x33 + n.
var firstPictureId = 0x33
var pictureCount = 5
var keyCount = 126
// Four values per position 0..127; the last two positions are unused.
var pictureSize = 512

// The keyboard's speed byte for each speed slider level 0..7 (7 = fastest).
var speedBytes = [0x0B, 0x0A, 0x09, 0x07, 0x06, 0x04, 0x03, 0x01]

// The centre of the rotation, in model pixels.
var rotationCentre = { x: 346.5, y: 96 }

// Positions in the order the marquee lights them; ticks 104..109 light none.
var marqueeOrder = [
    5, 17, 23, 29, 35, 41, 47, 53, 59, 65, 71, 77, 83, 89, 95, 101, 124, 118, 112, 106, 100, 94, 88, 82,
    76, 70, 64, 58, 52, 46, 40, 34, 28, 22, 16, 10, 4, 3, 9, 15, 21, 27, 33, 39, 45, 51, 57, 63, 69, 75,
    80, 87, 93, 99, 105, 111, 117, 122, 116, 110, 104, 81, 68, 62, 56, 50, 44, 38, 32, 26, 20, 14, 8, 2,
    1, 7, 13, 19, 25, 31, 37, 43, 49, 55, 61, 73, 91, 103, 109, 115, 120, 114, 102, 96, 90, 84, 78, 66,
    60, 54, 30, 12, 6, 0
]
var marqueeCycle = 110

var rippleWidth = 15
var rippleMaxRadius = 700
var circleCount = 3

// --- the preview's tick, key press and shown levels, one function per effect -----------------
// `st` is a state from newState(); `c` the context from context(): L (the key level of the
// brightness), b (the brightness slider), direction, keys (from keyGeometry) and random.

// A lit key loses `step`, not below 0. At brightness 0 nothing may stay lit (the keyboard is
// dark), so every key goes out at once.
function fade(levels, step, L) {
    for (var p = 0; p < levels.length; ++p) {
        if (levels[p] > 0)
            levels[p] = L > 0 ? Math.max(0, levels[p] - step) : 0
    }
}

function tickBreathing(st) {
    st.counter = (st.counter + 1) % 102
}

function tickInductionDarken(st, c) {
    fade(st.levels, Math.round(c.L / 30), c.L)
}

function tickMarquee(st, c) {
    fade(st.levels, Math.round(c.L / 20), c.L)
    if (st.counter < marqueeOrder.length)
        st.levels[marqueeOrder[st.counter]] = c.L
    st.counter = (st.counter + 1) % marqueeCycle
}

function tickRipple(st, c) {
    fade(st.levels, Math.round(c.L / 10), c.L)
    for (var i = 0; i < st.circles.length; ++i) {
        var circle = st.circles[i]
        if (!circle.enabled)
            continue
        var inner = Math.max(circle.radius - rippleWidth, 0)
        for (var p = 0; p < c.keys.length; ++p) {
            var dx = c.keys[p].centerX - circle.x
            var dy = c.keys[p].centerY - circle.y
            var d = Math.sqrt(dx * dx + dy * dy)
            if (inner <= d && d <= circle.radius)
                st.levels[p] = c.L
        }
    }
    for (var k = 0; k < st.circles.length; ++k) {
        if (!st.circles[k].enabled)
            continue
        st.circles[k].radius += rippleWidth
        if (st.circles[k].radius > rippleMaxRadius)
            st.circles[k] = clearedCircle()
    }
}

function tickInductionBrighten(st, c) {
    var step = Math.round(c.L / 30)
    for (var p = 0; p < st.levels.length; ++p) {
        if (st.levels[p] >= c.L)
            st.levels[p] = 0
        else if (st.levels[p] !== 0)
            st.levels[p] = Math.min(255, st.levels[p] + step)
    }
}

function tickRaindrop(st, c) {
    fade(st.levels, Math.round(c.L / 60), c.L)
    var visible = visiblePositions(c.keys)
    st.levels[visible[Math.floor(c.random() * visible.length)]] = c.L
}

// Two beams from the outer columns that cross in the middle.
function tickSpotlight(st, c) {
    fade(st.levels, Math.round(c.L / 5), c.L)
    for (var p = 0; p < c.keys.length; ++p) {
        if (c.keys[p].column === st.counter || c.keys[p].column === 20 - st.counter)
            st.levels[p] = c.L
    }
    st.counter = (st.counter + 1) % 21
}

// A quarter turn lit, moving clockwise (directions 1 and 3), anticlockwise (2 and 4), or not
// at all (0).
function tickRotation(st, c) {
    fade(st.levels, Math.round(c.L / 10), c.L)
    var front = -1
    if (c.direction === 1 || c.direction === 3)
        front = st.counter * 18
    else if (c.direction === 2 || c.direction === 4)
        front = (20 - st.counter) * 18
    if (front >= 0) {
        for (var p = 0; p < c.keys.length; ++p) {
            if ((front + 90 + 360 - c.keys[p].angle) % 360 < 90)
                st.levels[p] = c.L
        }
    }
    st.counter = (st.counter + 1) % 20
}

function pressInductionDarken(st, c, position) {
    st.levels[position] = Math.round(255 * c.b / 7)
}

// The ring index names the oldest circle, which the next press replaces.
function pressRipple(st, c, position) {
    st.circles[st.ring] = {
        x: c.keys[position].centerX, y: c.keys[position].centerY, radius: 0, enabled: true
    }
    st.ring = (st.ring + 1) % circleCount
}

// The key then brightens step by step and goes dark.
function pressInductionBrighten(st, c, position) {
    st.levels[position] = 1
}

function staticLevels(st, c) {
    return filled(c.L)
}

function breathingLevels(st, c) {
    var a = (st.counter < 51 ? st.counter : 102 - st.counter) * 5 * c.b / 7
    return filled(a)
}

function keyLevels(st) {
    return st.levels
}

// --- the effect table -------------------------------------------------------------------------
// Per effect id: which controls it has, its timer intervals in ms by speed level s = 0..7
// (none: no animation), its tick, its reaction to a key press and the levels the keys show.
// Speed level 0 (slider 0) has no interval of the keyboard's own; the preview then advances
// once per frame.
var framePeriod = 16

function row(speed, direction, intervals, tick, press, shown) {
    return {
        speed: speed, brightness: true, direction: direction,
        intervals: intervals ? [framePeriod].concat(intervals) : null,
        tick: tick || null, press: press || null, shown: shown || keyLevels
    }
}

var effects = {}
effects[0x01] = row(false, false, null, null, null, staticLevels)
effects[0x02] = row(true, false, [16, 48, 64, 96, 112, 144, 160], tickBreathing, null, breathingLevels)
effects[0x04] = row(true, false, [22, 66, 88, 132, 154, 198, 220], tickInductionDarken, pressInductionDarken)
effects[0x05] = row(true, false, [56, 84, 98, 128, 142, 170, 184], tickMarquee)
effects[0x06] = row(true, false, [10, 20, 25, 35, 40, 50, 55], tickRipple, pressRipple)
effects[0x07] = row(true, false, [22, 66, 88, 132, 154, 198, 220], tickInductionBrighten, pressInductionBrighten)
effects[0x0A] = row(true, false, [30, 40, 50, 60, 70, 80, 90], tickRaindrop)
effects[0x0C] = row(true, false, [30, 34, 36, 40, 42, 46, 48], tickSpotlight)
effects[0x0D] = row(true, true, [24, 30, 33, 39, 42, 48, 51], tickRotation)
// The user pictures show their own levels; the controller passes them (see shownLevels).
for (var n = 0; n < pictureCount; ++n)
    effects[firstPictureId + n] = row(false, false, null, null, null, null)

function effectRow(id) {
    return effects.hasOwnProperty(id) ? effects[id] : null
}

// --- modes, controls and bytes ------------------------------------------------------------------

// The current effect id from the lists: -1 without a group or without a choice in it.
function effectIdOf(group, userDefine, effect) {
    if (group === PAINTING && userDefine >= 0 && userDefine < pictureCount)
        return firstPictureId + userDefine
    if (group === EFFECTS && effect >= 0 && effect < effectList.length)
        return effectList[effect][0]
    return -1
}

function isPicture(id) {
    return id >= firstPictureId && id < firstPictureId + pictureCount
}

// Reset and Apply need a lighting mode the keyboard has.
function isMode(id) { return effectRow(id) !== null }
function hasSpeed(id) { return isMode(id) && effects[id].speed }
function hasBrightness(id) { return isMode(id) && effects[id].brightness }
function hasDirection(id) { return isMode(id) && effects[id].direction }

// The lists' choice for a stored effect id: {group, userDefine, effect}; an effect that the
// list does not offer (0x03, 0x08, 0x09, 0x0B) leaves EFFECTS with nothing chosen, any other
// id leaves no group.
function listsOf(id) {
    if (isPicture(id))
        return { group: PAINTING, userDefine: id - firstPictureId, effect: -1 }
    if (id >= 0x01 && id <= 0x0D) {
        var effect = -1
        for (var i = 0; i < effectList.length; ++i) {
            if (effectList[i][0] === id)
                effect = i
        }
        return { group: EFFECTS, userDefine: 0, effect: effect }
    }
    return { group: -1, userDefine: 0, effect: -1 }
}

function speedByte(slider) {
    return speedBytes[slider]
}

// The slider level for a stored speed byte; 0x0B, which slider 0 sends, reads back as 2.
function speedSlider(value) {
    var atLeast = [[0x09, 2], [0x07, 3], [0x06, 4], [0x04, 5], [0x03, 6], [0x01, 7]]
    if (value === 0x0A)
        return 1
    for (var i = 0; i < atLeast.length; ++i) {
        if (value >= atLeast[i][0])
            return atLeast[i][1]
    }
    return 0
}

function lightByte(slider) {
    return 7 * slider
}

// The slider level for a stored light byte, or -1 (keep the slider) outside 0..49.
function lightSlider(value) {
    return value >= 0 && value <= 49 ? Math.floor(value / 7) : -1
}

// The key level of brightness slider b: 0 for 0, 255 for 7.
function keyLevel(b) {
    return (b > 0 ? 45 : 0) + Math.round(210 * b / 7)
}

// Slider 7 gives speed level 1 (the shortest interval), slider 0 speed level 0.
function speedLevel(slider) {
    return (8 - slider) % 8
}

// The timer interval of effect `id` at speed level s, or 0 when it does not animate.
function interval(id, s) {
    var r = effectRow(id)
    return r && r.intervals ? r.intervals[s] : 0
}

// --- the preview ---------------------------------------------------------------------------------

function filled(level) {
    var levels = []
    for (var p = 0; p < keyCount; ++p)
        levels.push(level)
    return levels
}

function clearedCircle() {
    return { x: 0, y: 0, radius: 0, enabled: false }
}

function newState() {
    var st = { counter: 0, levels: filled(0), circles: [], ring: 0 }
    for (var i = 0; i < circleCount; ++i)
        st.circles.push(clearedCircle())
    return st
}

// Restarting an effect clears its counter, its key levels and its circles. Each effect
// clears what it uses; what another effect left there is never shown.
function restart(st) {
    var fresh = newState()
    st.counter = fresh.counter
    st.levels = fresh.levels
    st.circles = fresh.circles
    st.ring = fresh.ring
}

// What the rules need of each key of the model, from items with centerX, centerY (whole
// pixels), column and visible: the same fields plus the key's angle around the rotation
// centre, 0 at twelve o'clock growing clockwise, in whole degrees.
function keyGeometry(items) {
    var keys = []
    for (var p = 0; p < items.length; ++p) {
        var k = items[p]
        var degrees = Math.atan2(k.centerY - rotationCentre.y, k.centerX - rotationCentre.x) * 180 / Math.PI
        keys.push({
            centerX: k.centerX, centerY: k.centerY, column: k.column, visible: k.visible,
            angle: Math.floor(degrees + 450) % 360
        })
    }
    return keys
}

function visiblePositions(keys) {
    if (!keys.visiblePositions) {
        var visible = []
        for (var p = 0; p < keys.length; ++p) {
            if (keys[p].visible)
                visible.push(p)
        }
        keys.visiblePositions = visible
    }
    return keys.visiblePositions
}

// The context of a tick or press: brightness slider b, direction 0..4, the key geometry and
// a source of random numbers in [0, 1).
function context(b, direction, keys, random) {
    return { L: keyLevel(b), b: b, direction: direction, keys: keys, random: random || Math.random }
}

function tick(id, st, c) {
    var r = effectRow(id)
    if (r && r.tick)
        r.tick(st, c)
}

// A key going down at `position`; only the reactive effects take it.
function press(id, st, c, position) {
    var r = effectRow(id)
    if (r && r.press && position >= 0 && position < keyCount)
        r.press(st, c, position)
}

// The level (0..255) each key shows, and whether it is solid: a user picture shows opaque keys
// whose red is the level; the effects show red at the level's opacity. Anything else is unlit.
function shownLevels(id, st, c, picture) {
    if (isPicture(id)) {
        var levels = []
        for (var p = 0; p < keyCount; ++p)
            levels.push(Math.max(0, Math.min(255, Number(picture[p * 4 + 1]) || 0)))
        return { solid: true, levels: levels }
    }
    var r = effectRow(id)
    return { solid: false, levels: r ? r.shown(st, c) : filled(0) }
}
