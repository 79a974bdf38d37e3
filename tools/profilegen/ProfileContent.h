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

// The global settings page's 31 values for the first start: English, sound and animations on,
// every other value at its reset value.
QVariantList firstStartConfiguration();

} // namespace ProfileContent
