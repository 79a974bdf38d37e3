// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LauncherPlatform.h"
#include "Layout.h"

#include <string_view>

// The launcher's whole behaviour: at start it finds the attached keyboard's layout (or the
// layout used last) and starts the matching build of the configuration application unless
// one runs already; afterwards it keeps the running build in line with the keyboard. It
// never starts the application again once the user has closed it, nor when a keyboard is
// plugged in; it only replaces a running build of the wrong layout.
//
// Single-threaded: every member runs on the platform's thread.
class LauncherCore
{
public:
    static constexpr int kWatchIntervalMs = 1000;
    static constexpr int kRestartDelayMs = 200;

    explicit LauncherCore(LauncherPlatform &platform);

    // The command-line tail that ends a running launcher and starts nothing: exactly "/kill".
    static bool isKillCommand(std::string_view commandTail);

    // Program start: ends an earlier launcher, then, unless told to kill, takes over, looks at
    // the keyboard and the running application, starts the right build and begins watching.
    // False when the launcher is to end at once (exit code 0).
    bool begin(bool kill);

    void timerFired(LauncherTimer timer);
    // A keyboard with the Norvane vendor and product ID was plugged in.
    void keyboardArrived(unsigned short releaseNumber);

    Layout layoutOfKeyboard() const { return m_layoutOfKeyboard; }
    Layout runningLayout() const { return m_runningLayout; }

private:
    Layout scanKeyboard();
    Layout findRunningApp();
    void closeRunningApp();
    void launchApp();
    // Closes a running build of the other layout and starts the right one a moment later.
    void replaceMismatchedApp();
    Layout storedLayout();

    LauncherPlatform &m_platform;
    Layout m_layoutOfKeyboard = Layout::None;
    Layout m_runningLayout = Layout::None;
};
