// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyHook.h"

#include "KeyCodes.h"
#include "KeyEventSink.h"

KeyHook::KeyHook(KeyMap::Layout layout, KeyEventSink *sink)
    : m_layout(layout)
    , m_sink(sink)
{
}

void KeyHook::keyEvent(bool isDown, quint32 scanCode, bool extended, bool altDown)
{
    const uchar vk = KeyCodes::virtualKey(scanCode, extended, altDown);
    if (vk == 0)
        return;
    const uchar usage = KeyCodes::vkToUsage(vk, m_layout);
    if (usage != 0)
        report(isDown, usage);
}

void KeyHook::keyUsage(bool isDown, uchar usage)
{
    if (KeyCodes::isHeardUsage(usage, m_layout))
        report(isDown, usage);
}

void KeyHook::report(bool isDown, uchar usage)
{
    if (isDown == this->isDown(usage))
        return;
    m_keyDownState[usage] = isDown ? 1 : 0;
    if (m_sink)
        m_sink->detectKeyboard(isDown, usage);
}

void KeyHook::mouseButton(bool isDown, uint button, uint x, uint y)
{
    if (m_sink)
        m_sink->detectMouse(isDown, button, x, y);
}
