// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2
import "qrc:/modules/qml/Z4/ColorEffects.js" as ColorEffects
import "qrc:/modules/qml/Z4/ColorPainting.js" as ColorPainting

// The lighting page's rules on small fixtures, without a window: the preview's ticks and key
// presses, the key geometry of the rotation, and painting.
TestCase {
    name: "ColorEffects"

    // A state whose levels are `levels` (one per fixture key).
    function stateWith(levels, counter) {
        var st = ColorEffects.newState()
        st.levels = levels.slice()
        st.counter = counter || 0
        return st
    }

    function keysAt(points) {
        return points.map(function (p) {
            return { centerX: p[0], centerY: p[1], column: p[2] || 0, visible: p[3] !== false, angle: p[4] || 0 }
        })
    }

    // Each case: effect, brightness b, direction, fixture keys, levels and counter before,
    // circles before (optional), key presses (positions) before the ticks, the number of
    // ticks, and what follows: levels, counter, circles (optional).
    function test_ticks_data() {
        var line = keysAt([[0, 0], [10, 0], [30, 0], [100, 0]])
        var columns = keysAt([[0, 0, 0], [0, 0, 1], [0, 0, 10], [0, 0, 19], [0, 0, 20]])
        var angles = keysAt([[0, 0, 0, true, 0], [0, 0, 0, true, 45], [0, 0, 0, true, 90],
                             [0, 0, 0, true, 180], [0, 0, 0, true, 270]])
        var circle = function (x, y, radius, enabled) { return { x: x, y: y, radius: radius, enabled: enabled } }
        var off = circle(0, 0, 0, false)
        return [
            { tag: "breathing counts up to 101, then from 0", id: 0x02, b: 7, keys: line, levels: [0, 0, 0, 0],
              counter: 101, ticks: 1, after: [0, 0, 0, 0], counterAfter: 0 },
            // L 255: a lit key loses round(8.5) = 9, not below 0.
            { tag: "induction darken fades lit keys", id: 0x04, b: 7, keys: line, levels: [0, 5, 100, 255],
              ticks: 1, after: [0, 0, 91, 246] },
            { tag: "induction darken lights a pressed key at round(255 b / 7)", id: 0x04, b: 3, keys: line,
              levels: [0, 0, 0, 0], presses: [2], ticks: 0, after: [0, 0, 109, 0] },
            { tag: "induction brighten: up by round(L / 30), dark at L", id: 0x07, b: 7, keys: line,
              levels: [0, 1, 250, 255], ticks: 1, after: [0, 10, 255, 0] },
            { tag: "induction brighten starts a pressed key at 1", id: 0x07, b: 7, keys: line,
              levels: [0, 0, 0, 0], presses: [3], ticks: 2, after: [0, 0, 0, 19] },
            // Ticks 104..109 light no key; the lit key loses round(12.75) = 13 on each.
            { tag: "marquee gap ticks 104..109", id: 0x05, b: 7, keys: line, levels: [255, 0, 0, 0],
              counter: 104, ticks: 6, after: [177, 0, 0, 0], counterAfter: 0 },
            { tag: "marquee lights entry 103 (position 0) at L", id: 0x05, b: 4, keys: line, levels: [0, 0, 0, 0],
              counter: 103, ticks: 1, after: [165, 0, 0, 0], counterAfter: 104 },
            // A press at key 0: radius 0 lights key 0; then the ring 0..15 lights keys 0 and 1.
            { tag: "ripple from a pressed key", id: 0x06, b: 7, keys: line, levels: [0, 0, 0, 0],
              presses: [0], ticks: 2, after: [255, 255, 0, 0],
              circlesAfter: [circle(0, 0, 30, true), off, off] },
            { tag: "ripple ring 15..30 lights key 2, key 1 fades", id: 0x06, b: 7, keys: line,
              levels: [0, 0, 0, 0], presses: [0], ticks: 3, after: [229, 229, 255, 0] },
            { tag: "a fourth press replaces the oldest circle", id: 0x06, b: 7, keys: line, levels: [0, 0, 0, 0],
              presses: [0, 1, 2, 3], ticks: 0, after: [0, 0, 0, 0],
              circlesAfter: [circle(100, 0, 0, true), circle(10, 0, 0, true), circle(30, 0, 0, true)] },
            { tag: "ripple past radius 700 is disabled and cleared", id: 0x06, b: 7, keys: line,
              levels: [0, 0, 0, 0], circles: [circle(0, 0, 690, true), circle(0, 0, 685, true), off], ticks: 1,
              after: [0, 0, 0, 0], circlesAfter: [off, circle(0, 0, 700, true), off] },
            // Columns 0 and 20, then 1 and 19; round(L / 5) = 51 off a lit key.
            { tag: "spotlight's two beams from the outer columns", id: 0x0C, b: 7, keys: columns,
              levels: [0, 0, 0, 0, 0], ticks: 2, after: [204, 255, 0, 255, 204], counterAfter: 2 },
            { tag: "spotlight's beams meet in column 10", id: 0x0C, b: 7, keys: columns,
              levels: [0, 0, 0, 0, 0], counter: 10, ticks: 1, after: [0, 0, 255, 0, 0], counterAfter: 11 },
            { tag: "rotation clockwise, counter 0: the quarter after twelve", id: 0x0D, b: 7, direction: 1,
              keys: angles, levels: [0, 0, 0, 0, 0], ticks: 1, after: [0, 255, 255, 0, 0], counterAfter: 1 },
            { tag: "rotation clockwise, counter 5", id: 0x0D, b: 7, direction: 3, keys: angles,
              levels: [0, 0, 0, 0, 0], counter: 5, ticks: 1, after: [0, 0, 0, 255, 0], counterAfter: 6 },
            { tag: "rotation anticlockwise, counter 1", id: 0x0D, b: 7, direction: 2, keys: angles,
              levels: [0, 0, 0, 0, 0], counter: 1, ticks: 1, after: [255, 255, 0, 0, 0], counterAfter: 2 },
            { tag: "rotation down is anticlockwise too", id: 0x0D, b: 7, direction: 4, keys: angles,
              levels: [0, 0, 0, 0, 0], counter: 1, ticks: 1, after: [255, 255, 0, 0, 0], counterAfter: 2 },
            { tag: "rotation with direction 0 lights nothing", id: 0x0D, b: 7, direction: 0, keys: angles,
              levels: [0, 100, 0, 0, 0], counter: 19, ticks: 1, after: [0, 74, 0, 0, 0], counterAfter: 0 },
            // The keyboard is dark at brightness 0: every animated preview stays dark, and keys lit
            // before go out.
            { tag: "brightness 0: induction darken", id: 0x04, b: 0, keys: line, levels: [0, 200, 0, 0],
              presses: [3], ticks: 1, after: [0, 0, 0, 0] },
            { tag: "brightness 0: induction brighten", id: 0x07, b: 0, keys: line, levels: [0, 9, 0, 0],
              presses: [2], ticks: 1, after: [0, 0, 0, 0] },
            { tag: "brightness 0: marquee", id: 0x05, b: 0, keys: line, levels: [0, 200, 0, 0], counter: 103,
              ticks: 1, after: [0, 0, 0, 0] },
            { tag: "brightness 0: ripple", id: 0x06, b: 0, keys: line, levels: [0, 200, 0, 0], presses: [0],
              ticks: 2, after: [0, 0, 0, 0] },
            { tag: "brightness 0: spotlight", id: 0x0C, b: 0, keys: columns, levels: [0, 0, 200, 0, 0],
              ticks: 1, after: [0, 0, 0, 0, 0] },
            { tag: "brightness 0: rotation", id: 0x0D, b: 0, direction: 0, keys: angles,
              levels: [0, 200, 0, 0, 0], ticks: 1, after: [0, 0, 0, 0, 0] },
        ]
    }

    function test_ticks(data) {
        var st = stateWith(data.levels, data.counter)
        if (data.circles)
            st.circles = data.circles
        var c = ColorEffects.context(data.b, data.direction === undefined ? 1 : data.direction, data.keys)
        var presses = data.presses || []
        for (var i = 0; i < presses.length; ++i)
            ColorEffects.press(data.id, st, c, presses[i])
        for (var t = 0; t < data.ticks; ++t)
            ColorEffects.tick(data.id, st, c)
        compare(st.levels, data.after, "levels")
        if (data.counterAfter !== undefined)
            compare(st.counter, data.counterAfter, "counter")
        if (data.circlesAfter)
            compare(st.circles, data.circlesAfter, "circles")
    }

    // Raindrop: one of the visible positions at L, chosen by the random number; the rest fade
    // by round(L / 60).
    function test_raindropOnlyOnVisiblePositions_data() {
        return [
            { tag: "lowest random number: first visible", random: 0, after: [0, 255, 0, 96] },
            { tag: "highest random number: last visible", random: 0.999, after: [0, 0, 0, 255] },
        ]
    }

    function test_raindropOnlyOnVisiblePositions(data) {
        var keys = keysAt([[0, 0, 0, false], [0, 0, 0, true], [0, 0, 0, false], [0, 0, 0, true]])
        var st = stateWith([0, 0, 0, 100])
        ColorEffects.tick(0x0A, st, ColorEffects.context(7, 1, keys, function () { return data.random }))
        compare(st.levels, data.after)
    }

    // Random numbers spread evenly over [0, 1) reach every visible position and no hidden one.
    function test_raindropNeverHitsAHiddenPositionOfTheModel() {
        var keys = ColorEffects.keyGeometry(modelKeys())
        compare(ColorEffects.visiblePositions(keys).length, 104)
        var st = ColorEffects.newState()
        var drop = 0
        var c = ColorEffects.context(7, 1, keys, function () { return (drop + 0.5) / 104 })
        var lit = {}
        for (; drop < 104; ++drop) {
            ColorEffects.tick(0x0A, st, c)
            for (var p = 0; p < keys.length; ++p) {
                if (st.levels[p] === 255)
                    lit[p] = true
            }
        }
        for (p = 0; p < keys.length; ++p)
            compare(lit[p] === true, keys[p].visible, "position " + p)
    }

    // Stand-ins for the model's keys: the visible ones of the lighting layout and the hidden ones.
    function modelKeys() {
        var items = []
        var hidden = [11, 18, 24, 36, 42, 48, 67, 72, 74, 79, 85, 86, 92, 97, 98, 107, 108, 113, 119, 121, 123, 125]
        for (var p = 0; p < 126; ++p)
            items.push({ centerX: p * 3, centerY: (p % 6) * 30, column: Math.floor(p / 6), visible: hidden.indexOf(p) < 0 })
        return items
    }

    function test_rotationAngles() {
        var keys = ColorEffects.keyGeometry([
            { centerX: 347, centerY: 0 }, { centerX: 446, centerY: 96 }, { centerX: 347, centerY: 196 },
            { centerX: 246, centerY: 96 }, { centerX: 446, centerY: -4 }
        ])
        compare(keys.map(function (k) { return k.angle }), [0, 90, 179, 270, 44])
    }

    // What the keys show, by effect: static and breathing the same level everywhere, the user
    // pictures their red level (solid), an unknown id nothing.
    function test_shownLevels_data() {
        var picture = new Array(512).fill(0)
        picture[1] = 200
        picture[4 * 125 + 1] = 300
        return [
            { tag: "static at brightness 7", id: 0x01, b: 7, counter: 0, level: 255, solid: false },
            { tag: "static at brightness 1", id: 0x01, b: 1, counter: 0, level: 75, solid: false },
            { tag: "static at brightness 0", id: 0x01, b: 0, counter: 0, level: 0, solid: false },
            { tag: "breathing at its brightest", id: 0x02, b: 7, counter: 51, level: 255, solid: false },
            { tag: "breathing on the way down", id: 0x02, b: 7, counter: 60, level: 210, solid: false },
            { tag: "breathing at brightness 2", id: 0x02, b: 2, counter: 14, level: 20, solid: false },
            { tag: "no effect", id: -1, b: 7, counter: 0, level: 0, solid: false },
            { tag: "user picture", id: 0x37, b: 7, counter: 0, picture: picture, level: 200, last: 255, solid: true },
        ]
    }

    function test_shownLevels(data) {
        var st = ColorEffects.newState()
        st.counter = data.counter
        var shown = ColorEffects.shownLevels(data.id, st, ColorEffects.context(data.b, 1, []), data.picture)
        compare(shown.solid, data.solid)
        compare(shown.levels.length, 126)
        compare(shown.levels[0], data.level)
        compare(shown.levels[125], data.last === undefined ? data.level : data.last)
    }

    // Touching edges count; a zero-size rectangle at the origin is covered by a band that
    // reaches the origin.
    function test_bandCoverage_data() {
        return [
            { tag: "inside", band: ColorPainting.band(15, 25, 20, 30), covered: true },
            { tag: "drawn backwards", band: ColorPainting.band(60, 50, 35, 35), covered: true },
            { tag: "touching the left edge", band: ColorPainting.band(0, 25, 10, 30), covered: true },
            { tag: "touching the bottom edge", band: ColorPainting.band(15, 40, 20, 60), covered: true },
            { tag: "one pixel left of it", band: ColorPainting.band(0, 25, 9, 30), covered: false },
            { tag: "beside on one axis only", band: ColorPainting.band(15, 0, 20, 19), covered: false },
            { tag: "a click on it", band: ColorPainting.band(40, 40, 40, 40), covered: true },
            { tag: "reaching the model's origin", band: ColorPainting.band(5, 5, 0, 0), covered: false },
        ]
    }

    function test_bandCoverage(data) {
        var rects = [{ x: 10, y: 20, width: 30, height: 20 }, { x: 0, y: 0, width: 0, height: 0 }]
        var covered = ColorPainting.coveredPositions(rects, data.band)
        compare(covered.indexOf(0) >= 0, data.covered)
        compare(covered.indexOf(1) >= 0, data.band.x === 0 && data.band.y === 0)
    }

    function test_barLevel_data() {
        return [
            { tag: "left end", x: 0, level: 0 },
            { tag: "right end", x: 95, level: 0 },
            { tag: "beyond the right end", x: 96, level: 0 },
            { tag: "quarter", x: 23.75, level: 127 },
            { tag: "near the middle", x: 47, level: 252 },
        ]
    }

    function test_barLevel(data) {
        compare(ColorPainting.barLevel(data.x, 96), data.level)
    }

    // Painting keeps entry p*4+0, sets p*4+1 and clears p*4+2 and p*4+3.
    function test_painting() {
        var picture = []
        for (var i = 0; i < 512; ++i)
            picture.push(i % 4 === 1 ? 5 : 9)
        var result = ColorPainting.painted(picture, ColorPainting.levelsAt([1, 79], 128))
        compare(result.slice(0, 12), [9, 5, 9, 9, 9, 128, 0, 0, 9, 5, 9, 9])
        compare(result.slice(79 * 4, 80 * 4 + 4), [9, 128, 0, 0, 9, 5, 9, 9])
        compare(picture[5], 5, "the original is left alone")
        compare(ColorPainting.painted(picture, [-1, 30]).slice(0, 8), [9, 5, 9, 9, 9, 30, 0, 0])
    }
}
