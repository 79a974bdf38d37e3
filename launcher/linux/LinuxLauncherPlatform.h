// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppProcesses.h"
#include "DeviceChangeWatcher.h"
#include "LauncherLock.h"
#include "LauncherPlatform.h"
#include "SimulatedArrivals.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

class HidApi;
class LauncherCore;

// The launcher on Linux. The keyboard's release number comes from hidapi enumeration (through
// the same seam as the application's, so the simulated keyboard works too); a udev "add" of one
// of its hidraw interfaces is its arrival (on the simulated keyboard, where there is no udev,
// SIGUSR1 or SIGUSR2: see SimulatedArrivals). The configuration application is one of this user's
// processes whose image ends in "US/Tarvenix" or "UK/Tarvenix"; it is closed with SIGTERM and
// started with posix_spawn from the launcher's directory, in a process group of its own, so it
// outlives the launcher. The layout used last is kept in
// $XDG_CONFIG_HOME/Norvane/Norvane Keyboard 4200/config.ini (default ~/.config); the lock that
// keeps one launcher per user is $XDG_RUNTIME_DIR/tarvenix/launcher.lock, or beside config.ini
// when there is no runtime folder.
//
// Main thread only: timers and arrivals come through its event loop.
class LinuxLauncherPlatform final : public QObject, public LauncherPlatform
{
    Q_OBJECT

public:
    // How long a closed application, or an earlier launcher, may take to end.
    static constexpr int kEndWaitMs = 3000;

    explicit LinuxLauncherPlatform(HidApi &hid, QObject *parent = nullptr);

    // Where timers and arrivals go.
    void deliverTo(LauncherCore &core);

    void endEarlierLauncher() override;
    bool takeOver() override;
    void prepare() override;
    void watchArrivals() override;
    std::optional<unsigned short> keyboardRelease() override;
    const BuildNames &builds() const override;
    AppLookup findApp() override;
    void closeApp() override;
    void startApp(Layout layout) override;
    std::string readSetting(const char *section, const char *key) override;
    void writeSetting(const char *section, const char *key, const char *value) override;
    void startTimer(LauncherTimer timer, int intervalMs) override;
    void stopTimer(LauncherTimer timer) override;

private:
    struct KeyboardInterface
    {
        QString path;   // as hidapi opens it; on Linux the hidraw device node
        unsigned short release;
    };
    // The keyboard's interfaces that hidapi finds by its vendor and product ID.
    std::vector<KeyboardInterface> keyboardInterfaces();
    QTimer &timer(LauncherTimer timer);
    void interfaceAdded(const QString &deviceNode);
    void simulatedKeyboardPlugged(unsigned short releaseNumber);

    HidApi &m_hid;
    LauncherCore *m_core = nullptr;
    const QString m_directory;
    const QString m_settingsFolder;
    AppProcesses m_apps;
    LauncherLock m_lock;
    DeviceChangeWatcher m_devices;
    SimulatedArrivals m_simulatedArrivals;
    QTimer m_watch;
    QTimer m_restart;
};
