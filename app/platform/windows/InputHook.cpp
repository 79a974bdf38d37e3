// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputHook.h"

#include "InputEventSink.h"
#include "WindowsMessages.h"

#include <QtGlobal>

#include <windows.h>

namespace {

// The hook procedures are plain functions: they reach the installed object's sink through here.
HHOOK keyboardHook = nullptr;
HHOOK mouseHook = nullptr;
InputEventSink *hookSink = nullptr;

// A negative code must be passed on untouched.
LRESULT CALLBACK keyboardHookProc(int code, WPARAM message, LPARAM data)
{
    if (code >= 0 && hookSink) {
        const auto *key = reinterpret_cast<const KBDLLHOOKSTRUCT *>(data);
        hookSink->keyEvent(WindowsMessages::isKeyDown(code, message), key->scanCode,
                           (key->flags & WindowsMessages::kExtendedFlag) != 0,
                           (key->flags & WindowsMessages::kAltDownFlag) != 0);
    }
    return CallNextHookEx(keyboardHook, code, message, data);
}

LRESULT CALLBACK mouseHookProc(int code, WPARAM message, LPARAM data)
{
    if (code >= 0 && hookSink) {
        if (const auto button = WindowsMessages::mouseButton(message)) {
            const auto *mouse = reinterpret_cast<const MSLLHOOKSTRUCT *>(data);
            hookSink->mouseButton(button->isDown, button->button, uint(mouse->pt.x), uint(mouse->pt.y));
        }
    }
    return CallNextHookEx(mouseHook, code, message, data);
}

} // namespace

InputHook::InputHook(InputEventSink &sink, QObject *parent)
    : QObject(parent)
    , m_sink(sink)
{
}

InputHook::~InputHook()
{
    if (hookSink == &m_sink)
        removeHOOK();
}

bool InputHook::installHOOK()
{
    removeHOOK();
    const HMODULE module = GetModuleHandleW(nullptr);
    keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHookProc, module, 0);
    mouseHook = SetWindowsHookExW(WH_MOUSE_LL, mouseHookProc, module, 0);
    if (keyboardHook && mouseHook) {
        hookSink = &m_sink;
        return true;
    }
    removeHOOK();
    qDebug("installHOOK() FAIL");
    return false;
}

void InputHook::removeHOOK()
{
    if (keyboardHook)
        UnhookWindowsHookEx(keyboardHook);
    if (mouseHook)
        UnhookWindowsHookEx(mouseHook);
    keyboardHook = nullptr;
    mouseHook = nullptr;
    hookSink = nullptr;
}

bool InputHook::isInstalled() const
{
    return hookSink == &m_sink;
}
