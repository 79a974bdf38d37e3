// SPDX-License-Identifier: GPL-3.0-or-later
.pragma library

// Painting user pictures: the red palette's values, the rubber band and which keys it covers,
// and what painting does to a picture (four values per key position: p*4+1 is the red level,
// p*4+2 and p*4+3 are 0 once the key is painted, p*4+0 stays as it was).

// The red levels of the seven swatches, which never change on the page.
var swatchLevels = [255, 213, 170, 128, 85, 43, 0]

// The red bar is black at both ends and pure red in the middle: the level at distance x from
// the left end of a bar `width` pixels long.
function barLevel(x, width) {
    var t = Math.max(0, Math.min(width - 1, x)) / (width - 1)
    return Math.max(0, Math.min(255, 255 - Math.round(Math.abs(t - 0.5) / 0.5 * 255)))
}

// The rectangle {x, y, width, height} between two corners in any order.
function band(x1, y1, x2, y2) {
    return { x: Math.min(x1, x2), y: Math.min(y1, y2), width: Math.abs(x2 - x1), height: Math.abs(y2 - y1) }
}

// Overlap on both axes; touching edges count, so a zero-size rectangle on the band's edge
// overlaps it.
function overlaps(a, b) {
    return a.x <= b.x + b.width && b.x <= a.x + a.width && a.y <= b.y + b.height && b.y <= a.y + a.height
}

// The positions whose rectangles (index = position) overlap `rect`.
function coveredPositions(rects, rect) {
    var positions = []
    for (var p = 0; p < rects.length; ++p) {
        if (overlaps(rects[p], rect))
            positions.push(p)
    }
    return positions
}

// A copy of `picture` in which every key of `levels` (position -> red level; other entries
// undefined or negative) is painted.
function painted(picture, levels) {
    var result = picture.slice()
    for (var p = 0; p < levels.length; ++p) {
        if (levels[p] === undefined || levels[p] < 0)
            continue
        result[p * 4 + 1] = levels[p]
        result[p * 4 + 2] = 0
        result[p * 4 + 3] = 0
    }
    return result
}

// The same red level for every position in `positions`, as painted() takes it.
function levelsAt(positions, level) {
    var levels = []
    for (var i = 0; i < positions.length; ++i)
        levels[positions[i]] = level
    return levels
}

// The palette colour's six hex digits, "RR0000".
function hexDigits(level) {
    var hex = level.toString(16).toUpperCase()
    return (hex.length < 2 ? "0" + hex : hex) + "0000"
}
