// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Where the keyboard hook reports key and button changes. The main window implements it and
// passes both on to the scene's "detectKeyboard" and "detectMouse" through the bridge.
//
// Thread contract: called on the GUI thread from inside a hook procedure; an implementation must
// only queue the call into the scene.
class KeyEventSink
{
public:
    // usage: a usage of the HID Keyboard/Keypad page, 1..255.
    virtual void detectKeyboard(bool isDown, int usage) = 0;
    // button: 1 left, 2 right, 3 middle; x, y: the pointer's screen position.
    virtual void detectMouse(bool isDown, uint button, uint x, uint y) = 0;

protected:
    ~KeyEventSink() = default;
};
