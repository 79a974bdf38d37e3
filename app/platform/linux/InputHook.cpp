// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputHook.h"

#include "InputEventSink.h"
#include "LinuxKeyCodes.h"
#include "PlatformLog.h"

#include <QSocketNotifier>

#include <linux/input-event-codes.h>

// Last: the X headers define macros (None, Bool, Status) that clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace {

// Raw events are delivered to the root window whatever grabs are active from version 2.1 on.
constexpr int kXiMajor = 2;
constexpr int kXiMinor = 2;

} // namespace

InputHook::InputHook(InputEventSink &sink, QObject *parent)
    : QObject(parent)
    , m_sink(sink)
{
}

InputHook::~InputHook()
{
    removeHOOK();
}

bool InputHook::installHOOK()
{
    removeHOOK();
    if (!connectToDisplay()) {
        removeHOOK();
        qDebug("installHOOK() FAIL");
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(m_display), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &InputHook::readEvents);
    readEvents();
    return true;
}

bool InputHook::connectToDisplay()
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display) {
        qCDebug(lcPlatform, "no X display");
        return false;
    }
    int firstEvent = 0;
    int firstError = 0;
    if (!XQueryExtension(m_display, "XInputExtension", &m_xiOpcode, &firstEvent, &firstError)) {
        qCDebug(lcPlatform, "the X server has no input extension");
        return false;
    }
    int major = kXiMajor;
    int minor = kXiMinor;
    if (XIQueryVersion(m_display, &major, &minor) != Success || major < kXiMajor) {
        qCDebug(lcPlatform, "the X server's input extension is version %d.%d", major, minor);
        return false;
    }

    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask mask;
    mask.deviceid = XIAllMasterDevices;   // each event once, from whichever device it came
    mask.mask_len = sizeof(bits);
    mask.mask = bits;
    if (XISelectEvents(m_display, DefaultRootWindow(m_display), &mask, 1) != Success)
        return false;
    XFlush(m_display);
    return true;
}

void InputHook::removeHOOK()
{
    m_notifier.reset();
    if (m_display)
        XCloseDisplay(m_display);
    m_display = nullptr;
    m_leftAltDown = false;
    m_rightAltDown = false;
}

void InputHook::readEvents()
{
    // XPending also reads what has arrived on the connection; events that Xlib queued while
    // waiting for a reply (XQueryPointer) are taken in the same loop.
    while (m_display && XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        XGenericEventCookie *cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_xiOpcode || !XGetEventData(m_display, cookie))
            continue;
        const int type = cookie->evtype;
        const int detail = static_cast<const XIRawEvent *>(cookie->data)->detail;
        XFreeEventData(m_display, cookie);
        switch (type) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease:
            deliverKey(type == XI_RawKeyPress, detail);
            break;
        case XI_RawButtonPress:
        case XI_RawButtonRelease:
            deliverButton(type == XI_RawButtonPress, detail);
            break;
        default:
            break;
        }
    }
}

void InputHook::deliverKey(bool isDown, int xKeycode)
{
    const int linuxKeyCode = xKeycode - LinuxKeyCodes::kXKeycodeOffset;
    if (linuxKeyCode == KEY_LEFTALT)
        m_leftAltDown = isDown;
    else if (linuxKeyCode == KEY_RIGHTALT)
        m_rightAltDown = isDown;

    if (const auto code = LinuxKeyCodes::scanCodeOf(linuxKeyCode))
        m_sink.keyEvent(isDown, code->scan, code->extended, m_leftAltDown || m_rightAltDown);
}

void InputHook::deliverButton(bool isDown, int xButton)
{
    const uint button = LinuxKeyCodes::hookButtonOf(xButton);
    if (button == 0)
        return;
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int modifiers = 0;
    XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &rootX, &rootY,
                  &windowX, &windowY, &modifiers);
    m_sink.mouseButton(isDown, button, uint(rootX), uint(rootY));
}
