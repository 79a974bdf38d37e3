// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantList>

// The content of the shipped settings files, as pure functions. Key positions are the scene's
// (column × 6 + row of the 21 × 6 grid, row 0 at the bottom).
namespace ProfileContent {

enum class Layout { US, UK };

constexpr int keyCount = 126;
constexpr int pictureCount = 5;

QString layoutName(Layout layout);

// The default four-byte key code of `position` in the given layout's build.
QVariantList defaultKeyCode(Layout layout, int position);

// User picture `index` (0..4): 512 values, four per position 0..127; the red level of a key is
// the second value of its group, the others are 0, and so is every hidden key except the one
// that shares the backslash key's light.
QVariantList userPicture(int index);

// [effect, speed, light, colour, direction]: static lighting at full brightness.
QVariantList ledType();

// The global settings page's 31 values for the first start: sound off (no background track
// until the user asks for it), animations on, English, no background, normal size, the page's
// initial swatches (swatch 0 is the scene's default highlight, 0, 255, 255) with swatch 0
// current at full brightness.
QVariantList firstStartConfiguration();

} // namespace ProfileContent
