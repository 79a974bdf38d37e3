// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Where a platform's global input observer delivers what it sees, in the terms of a Windows
// low-level hook whatever the platform: a key as its set-1 scan code with the extended flag and
// whether Alt is held, a mouse button as 1 left, 2 right, 3 middle with the pointer's screen
// position. Every key event and every button press or release is delivered, repeats included;
// deciding what to report is the receiver's business.
//
// Thread contract: called on the GUI thread, inside the platform's event delivery; an
// implementation must return quickly and must not run script code.
class InputEventSink
{
public:
    virtual void keyEvent(bool isDown, quint32 scanCode, bool extended, bool altDown) = 0;
    virtual void mouseButton(bool isDown, uint button, uint x, uint y) = 0;

protected:
    ~InputEventSink() = default;
};
