// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// Macro steps in their text form, and the bytes the keyboard stores for a macro.
//
// A step's text is its argument followed by a tag of exactly ten characters, right-aligned
// with blanks: a key name with "    [Down]" or "      [Up]", or a number of milliseconds with
// "   [Delay]". The keyboard runs 00 01, then 01 usage (key down), 81 usage (key up) or
// 7F 00 high low (delay, 16-bit big-endian milliseconds) per step, then 00 00.
//
// Pure functions: no files, no device, no state.
class MacroEncoder
{
public:
    enum class Step { Down, Up, Delay };

    // One macro slot on the keyboard.
    static constexpr int SlotSize = 192;

    struct SlotImage {
        QByteArray bytes;     // exactly SlotSize bytes: the encoding's head, then zeros
        int encodedSize = 0;  // the whole encoding's length
        // The keyboard gets only the first SlotSize bytes; the user is to be warned.
        bool overflows() const { return encodedSize > SlotSize; }
    };

    static QString stepText(Step step, const QString &argument);

    // Steps whose key name is unknown (usage 0), whose delay is 0 or not a number, or whose tag
    // is none of the three are dropped. A delay keeps only its low 16 bits.
    static QByteArray encode(const QStringList &steps, const QHash<QString, uchar> &keyNames);

    static SlotImage forSlot(const QByteArray &encoded);
};
