// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinuxLauncherPlatform.h"

#include "HidApi.h"
#include "HidApiSelection.h"
#include "LauncherCore.h"
#include "LauncherLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <cstring>
#include <signal.h>
#include <spawn.h>

extern char **environ;

namespace {

constexpr BuildNames kBuilds{"US/Tarvenix", "UK/Tarvenix"};

QString settingsFolder()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config.isEmpty() ? QString() : config + QStringLiteral("/Norvane/Norvane Keyboard 4200");
}

QString lockPath(const QString &settingsFolder)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return runtime + QStringLiteral("/tarvenix/launcher.lock");
    return settingsFolder + QStringLiteral("/launcher.lock");
}

} // namespace

LinuxLauncherPlatform::LinuxLauncherPlatform(HidApi &hid, QObject *parent)
    : QObject(parent)
    , m_hid(hid)
    , m_directory(QCoreApplication::applicationDirPath())
    , m_settingsFolder(settingsFolder())
    , m_apps(kBuilds)
    , m_lock(lockPath(m_settingsFolder))
{
    for (LauncherTimer which : {LauncherTimer::Watch, LauncherTimer::Restart}) {
        connect(&timer(which), &QTimer::timeout, this, [this, which] {
            if (m_core)
                m_core->timerFired(which);
        });
    }
    connect(&m_devices, &DeviceChangeWatcher::interfaceAdded, this, &LinuxLauncherPlatform::interfaceAdded);
    connect(&m_simulatedArrivals, &SimulatedArrivals::plugged, this, &LinuxLauncherPlatform::simulatedKeyboardPlugged);
}

void LinuxLauncherPlatform::deliverTo(LauncherCore &core)
{
    m_core = &core;
}

void LinuxLauncherPlatform::endEarlierLauncher()
{
    m_lock.endHolder(kEndWaitMs);
}

bool LinuxLauncherPlatform::takeOver()
{
    if (m_lock.take())
        return true;
    qCDebug(lcLauncher, "another launcher runs: this one ends");
    return false;
}

void LinuxLauncherPlatform::prepare()
{
    // The launcher's own stale log only: the working directory at log-on is the user's home.
    QFile::remove(m_directory + QStringLiteral("/debug.txt"));
    if (m_settingsFolder.isEmpty() || !QDir().mkpath(m_settingsFolder))
        qCDebug(lcLauncher, "no settings folder: the layout is not remembered");
    QDir::setCurrent(m_directory);
}

void LinuxLauncherPlatform::watchArrivals()
{
    if (keyboardSimulated())
        m_simulatedArrivals.start();
    else
        m_devices.start();
}

std::vector<LinuxLauncherPlatform::KeyboardInterface> LinuxLauncherPlatform::keyboardInterfaces()
{
    std::vector<KeyboardInterface> interfaces;
    hid_device_info *devices = m_hid.hid_enumerate(TARVENIX_USB_VID, TARVENIX_USB_PID);
    for (const hid_device_info *device = devices; device; device = device->next) {
        if (device->path)
            interfaces.push_back({QFile::decodeName(device->path), device->release_number});
    }
    m_hid.hid_free_enumeration(devices);
    return interfaces;
}

std::optional<unsigned short> LinuxLauncherPlatform::keyboardRelease()
{
    const std::vector<KeyboardInterface> interfaces = keyboardInterfaces();
    if (interfaces.empty())
        return std::nullopt;
    return interfaces.front().release;
}

void LinuxLauncherPlatform::interfaceAdded(const QString &deviceNode)
{
    for (const KeyboardInterface &interface : keyboardInterfaces()) {
        if (interface.path == deviceNode && m_core) {
            qCDebug(lcLauncher, "keyboard plugged in: release 0x%04x", interface.release);
            m_core->keyboardArrived(interface.release);
            return;
        }
    }
}

// The simulated world now has that keyboard: the builds started from now on see it too, and
// each of its interfaces arrives, as udev would announce them.
void LinuxLauncherPlatform::simulatedKeyboardPlugged(unsigned short releaseNumber)
{
    qputenv("TARVENIX_SIM_RELEASE", "0x" + QByteArray::number(releaseNumber, 16));
    replugSimulatedKeyboard();
    for (const KeyboardInterface &interface : keyboardInterfaces())
        interfaceAdded(interface.path);
}

const BuildNames &LinuxLauncherPlatform::builds() const
{
    return kBuilds;
}

AppLookup LinuxLauncherPlatform::findApp()
{
    const std::optional<AppProcesses::Process> app = m_apps.first();
    if (!app)
        return {};
    return {true, app->image};
}

void LinuxLauncherPlatform::closeApp()
{
    const std::optional<AppProcesses::Process> app = m_apps.first();
    if (!app)
        return;
    qCDebug(lcLauncher, "closing %s (process %d)", app->image.c_str(), int(app->pid));
    if (!m_apps.close(app->pid, kEndWaitMs))
        qCDebug(lcLauncher, "process %d did not end within %d ms", int(app->pid), kEndWaitMs);
}

void LinuxLauncherPlatform::startApp(Layout layout)
{
    const std::string_view build = builds().of(layout);
    QByteArray program = QFile::encodeName(m_directory) + '/' + QByteArray(build.data(), int(build.size()));
    char *arguments[] = {program.data(), nullptr};

    // A process group of its own, so that a signal to the launcher's group (Ctrl+C in its
    // terminal) leaves the application alone, and no signal blocked.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, program.constData(), nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    if (error)
        qCDebug(lcLauncher, "cannot start %s: %s", program.constData(), std::strerror(error));
    else
        qCDebug(lcLauncher, "started %s (process %d)", program.constData(), int(pid));
}

std::string LinuxLauncherPlatform::readSetting(const char *section, const char *key)
{
    if (m_settingsFolder.isEmpty())
        return {};
    const QSettings settings(m_settingsFolder + QStringLiteral("/config.ini"), QSettings::IniFormat);
    return settings.value(QLatin1String(section) + QLatin1Char('/') + QLatin1String(key)).toString().toStdString();
}

void LinuxLauncherPlatform::writeSetting(const char *section, const char *key, const char *value)
{
    if (m_settingsFolder.isEmpty())
        return;
    // QSettings writes the new file beside the old one and renames it over.
    QSettings settings(m_settingsFolder + QStringLiteral("/config.ini"), QSettings::IniFormat);
    settings.setValue(QLatin1String(section) + QLatin1Char('/') + QLatin1String(key), QLatin1String(value));
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qCDebug(lcLauncher, "cannot write %s", qPrintable(settings.fileName()));
}

void LinuxLauncherPlatform::startTimer(LauncherTimer which, int intervalMs)
{
    timer(which).start(intervalMs);
}

void LinuxLauncherPlatform::stopTimer(LauncherTimer which)
{
    timer(which).stop();
}

QTimer &LinuxLauncherPlatform::timer(LauncherTimer which)
{
    return which == LauncherTimer::Watch ? m_watch : m_restart;
}
