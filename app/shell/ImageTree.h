// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The installation check on the skin pictures: the total byte count of the installed image tree
// must equal the count of the tree we ship. Any missing, added or changed picture changes the
// total; hidden files do not count. The result becomes `imagesVerified`, without which the device
// link sends nothing to the keyboard.

// Total bytes of modules/img as shipped, as the skin generator draws it (tools/skingen). A unit
// test keeps it equal to the tree: redrawing the pictures means updating this number.
constexpr qint64 kImageTreeBytes = 533617;

// True when the tree at imgDir totals exactly kImageTreeBytes.
bool imageTreeVerified(const QString &imgDir);
