// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

class InputEventSink;
class QSocketNotifier;
struct _XDisplay;

// The global keyboard and mouse observer: every key and button event of the desktop, also while
// the application's window is in the background, delivered to the sink. It only observes:
// nothing is grabbed, every event still reaches the other applications.
//
// On Linux it reads XInput2 raw key and button events from an X connection of its own (the
// display named by DISPLAY), on the GUI thread, and turns the X key code into the scan code and
// extended flag of a Windows low-level hook (LinuxKeyCodes); the Alt state is followed from the
// same events, and a button event carries the pointer's position on the root window (read when
// the event is handled, normally within milliseconds of it: raw events carry none). Without
// an X display (a Wayland-only or headless session) installHOOK fails and nothing is delivered.
//
// GUI thread only; the sink must not remove the hook from inside a delivery.
class InputHook : public QObject
{
    Q_OBJECT

public:
    explicit InputHook(InputEventSink &sink, QObject *parent = nullptr);
    ~InputHook() override;

    // Starts observing, after removing an earlier observation. True when both keys and buttons
    // are observed; otherwise writes "installHOOK() FAIL" to the debug output and observes
    // nothing.
    bool installHOOK();
    // Stops observing; nothing is delivered afterwards. Harmless when not installed.
    void removeHOOK();
    bool isInstalled() const { return m_display != nullptr; }

private:
    bool connectToDisplay();
    void readEvents();
    void deliverKey(bool isDown, int xKeycode);
    void deliverButton(bool isDown, int xButton);

    InputEventSink &m_sink;
    _XDisplay *m_display = nullptr;
    int m_xiOpcode = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_leftAltDown = false;
    bool m_rightAltDown = false;
};
