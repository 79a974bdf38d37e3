// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuildNames.h"
#include "Layout.h"

#include <optional>
#include <string>

// The launcher's two timers: Watch looks at the running application every second; Restart
// starts the right build a moment after the wrong one was closed.
enum class LauncherTimer { Watch = 1, Restart = 2 };

// What a look for the running configuration application found.
struct AppLookup
{
    bool found = false;                 // an application is running (Windows: its window exists)
    std::optional<std::string> image;   // its process image path, when it could be read
};

// Everything the launcher needs from the system. The launcher core calls it on one thread,
// the same one on which the platform delivers timers and keyboard arrivals to the core
// (LauncherCore::timerFired, LauncherCore::keyboardArrived). No call reports an error: each
// failure has a harmless answer, given below, and the platform logs it if it wants to.
class LauncherPlatform
{
public:
    virtual ~LauncherPlatform() = default;

    // One launcher at a time. Ends a launcher that is running already and returns when it
    // has gone, or after a bounded wait.
    virtual void endEarlierLauncher() = 0;
    // Makes this process the launcher that a later one ends; false when it cannot (the
    // launcher then ends at once with exit code 0).
    virtual bool takeOver() = 0;

    // Start-up housekeeping, before anything else is looked at: removes a stale "debug.txt"
    // from the launcher's own directory, creates the settings folder, and makes the launcher's
    // directory the working directory, so that the builds start from there.
    virtual void prepare() = 0;
    // From now on, a keyboard that is plugged in is announced to keyboardArrived. Without a
    // notification source nothing is announced.
    virtual void watchArrivals() = 0;

    // The release number of the attached keyboard (the first one found by its vendor and
    // product ID), or nothing when none is attached.
    virtual std::optional<unsigned short> keyboardRelease() = 0;

    // The builds as this platform names them.
    virtual const BuildNames &builds() const = 0;
    // The running configuration application, as the platform finds it first.
    virtual AppLookup findApp() = 0;
    // Asks the application that findApp finds to close, the way its user would, and waits
    // for it, within a limit. Nothing when none runs.
    virtual void closeApp() = 0;
    // Starts the build of a layout (US or UK) from the launcher's directory. Whether it
    // started is not reported: the next look tells.
    virtual void startApp(Layout layout) = 0;

    // The settings file ("config.ini" in the settings folder). A read answers the value's
    // text, or an empty text when there is no such value, file or folder; a write is dropped
    // when there is no settings folder.
    virtual std::string readSetting(const char *section, const char *key) = 0;
    virtual void writeSetting(const char *section, const char *key, const char *value) = 0;

    // Starts (or restarts) a periodic timer; it fires until it is stopped.
    virtual void startTimer(LauncherTimer timer, int intervalMs) = 0;
    virtual void stopTimer(LauncherTimer timer) = 0;
};
