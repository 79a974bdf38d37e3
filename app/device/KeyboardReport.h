// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeyboardReportLayout.h"

#include <QByteArray>
#include <QVector>

#include <bitset>
#include <optional>

// Decoding a keyboard interface's input reports. Each report states every key held at that
// moment; what changed is the difference to the report before. Pure functions, no I/O.
namespace KeyboardReport {

// Keys down, indexed by usage of the Keyboard/Keypad page (usages above 255 are not kept).
using Keys = std::bitset<256>;

struct Change
{
    bool isDown;
    quint8 usage;
};

// The keys that `report`, as read from the interface (its report ID first when the layout
// numbers reports), says are down. Nothing when the report says nothing about the keys: a
// report of another ID, one too short for its fields, or an error report, in which the keyboard
// fills its key array with ErrorRollOver (0x01; also POSTFail 0x02, ErrorUndefined 0x03) because
// too many keys are down to tell which; the keys then keep the state they had.
std::optional<Keys> keysDown(const KeyboardReportLayout &layout, const QByteArray &report);

// From one set of keys to the next: releases first, then presses. Modifiers (0xE0..0xE7) are
// pressed before and released after the other keys of the same report, as they are typed.
QVector<Change> changes(const Keys &before, const Keys &after);

} // namespace KeyboardReport
