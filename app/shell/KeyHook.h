// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "InputEventSink.h"
#include "KeyMap.h"

#include <array>

class KeyEventSink;

// The portable part of the keyboard and mouse hooks: what the hook procedures do with an event
// before passing it on.
//
// A key event becomes a usage through the fixed tables of KeyCodes; a usage is reported only when
// its state changes, so that auto-repeat and duplicate events are dropped, and so is the second
// sighting of a key that two sources see (the desktop's key events and the keyboard's own key
// reports). The state of every
// usage (keyDownState) lives as long as the object, which the main window keeps for the whole
// process: it is never reset, also not when the hooks are installed again. Every mouse button
// event is reported; the mouse side keeps no state.
//
// Reports go to the sink while one is set; without a sink the state is still kept.
// GUI thread only (the platform delivers hook events on the installing thread).
class KeyHook final : public InputEventSink
{
public:
    explicit KeyHook(KeyMap::Layout layout, KeyEventSink *sink = nullptr);

    void setSink(KeyEventSink *sink) { m_sink = sink; }

    void keyEvent(bool isDown, quint32 scanCode, bool extended, bool altDown) override;
    void mouseButton(bool isDown, uint button, uint x, uint y) override;
    // A key from a source that reports usages (the keyboard's own keyboard interface): heard
    // when the tables can give that usage (KeyCodes::isHeardUsage), and then through the same
    // state, so a key that both sources see is reported once.
    void keyUsage(bool isDown, uchar usage);

    // The last state reported for a usage: true while down.
    bool isDown(uchar usage) const { return m_keyDownState[usage] != 0; }

private:
    void report(bool isDown, uchar usage);

    const KeyMap::Layout m_layout;
    KeyEventSink *m_sink;
    std::array<uchar, 256> m_keyDownState{};   // indexed by usage, 1 = down
};
