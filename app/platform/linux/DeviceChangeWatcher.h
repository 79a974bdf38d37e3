// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Tells when a HID interface arrives or leaves, so that the main window can look for the
// keyboard again. Several signals come in a burst when a keyboard is plugged in (one per
// interface); the receiver debounces them.
//
// On Linux a udev monitor on the "hidraw" subsystem, read on the GUI thread: every "add" and
// "remove" event gives one deviceChanged(), and every "add" also gives interfaceAdded() with
// the interface's device node ("/dev/hidraw3", the path hidapi opens it by; Linux only, for
// the launcher, which looks at the interface that arrived). Without udev (no udev daemon, as
// in containers) start() still succeeds but no events come.
//
// GUI thread only.
class DeviceChangeWatcher : public QObject
{
    Q_OBJECT

public:
    explicit DeviceChangeWatcher(QObject *parent = nullptr);
    ~DeviceChangeWatcher() override;

    // Starts watching; false, with one debug line under tarvenix.platform, when the platform
    // cannot tell.
    bool start();

signals:
    void deviceChanged();
    void interfaceAdded(const QString &deviceNode);

private:
    void stop();
    void readEvents();

    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
