// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class InputEventSink;

// The global keyboard and mouse observer (see the Linux class of the same name for the
// contract). On Windows the low-level keyboard and mouse hooks of all threads of the desktop;
// the platform calls their procedures on the installing (GUI) thread inside its message loop.
// Every event is passed on to the next hook unchanged.
//
// GUI thread only; one installed object per process.
class InputHook : public QObject
{
    Q_OBJECT

public:
    explicit InputHook(InputEventSink &sink, QObject *parent = nullptr);
    ~InputHook() override;

    // True when both hooks are in place; otherwise writes "installHOOK() FAIL" to the debug
    // output and leaves no hook behind.
    bool installHOOK();
    void removeHOOK();
    bool isInstalled() const;

private:
    InputEventSink &m_sink;
};
