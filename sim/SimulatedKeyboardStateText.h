// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimulatedKeyboard.h"

#include <QByteArray>

#include <optional>

// The simulated keyboard's state as plain text, for the state file that outlives the process
// and for shell scripts that read it with grep and sed. Pure functions: no I/O.
//
// One `name=value` line per field, in this order (lines starting with '#' and empty lines are
// skipped when reading; the order does not matter when reading):
//
//   currentProfile=0                  single bytes and counts in decimal
//   reportRate=0
//   options=00000000                  byte arrays in lowercase hex, two digits a byte,
//   sensitivity=00000000              exactly as long as the field
//   indicatorLight=0000               effect, frequency
//   keyboardMode=0
//   keyOnOff=<21 bytes>
//   firmware=010a
//   recoveries=0
//   macro<slot>=<192 bytes>           only the slots written so far (slot 0..255)
//   profile<n>.color<index>=rrggbb    n 0..9; only the colours set so far (index 0..255)
//   profile<n>.keyMatrix=<512 bytes>  the firmware's order
//   profile<n>.picture<i>=<512 bytes> i 0..4
//   profile<n>.ledType=<6 bytes>      option, effect, speed, light, color, direction
//
// Reading is strict: a missing fixed field, an unknown or repeated name, a value of the wrong
// length or range, or more than a megabyte makes the whole text unreadable. The last line
// written is a fixed field, so a file cut short at any point is refused too.
class SimulatedKeyboardStateText
{
public:
    static constexpr int kMaximumSize = 1 << 20;

    static QByteArray encode(const SimulatedKeyboard::State &state);
    // The state the text describes, or nothing when the text is not a complete, valid state.
    static std::optional<SimulatedKeyboard::State> decode(const QByteArray &text);
};
