// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceChangeWatcher.h"

#include "PlatformLog.h"

#include <QFile>
#include <QSocketNotifier>

#include <libudev.h>

#include <cstring>

DeviceChangeWatcher::DeviceChangeWatcher(QObject *parent)
    : QObject(parent)
{
}

DeviceChangeWatcher::~DeviceChangeWatcher()
{
    stop();
}

bool DeviceChangeWatcher::start()
{
    stop();
    m_udev = udev_new();
    if (m_udev)
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0) {
        qCDebug(lcPlatform, "no udev monitor: keyboards plugged in later are not noticed");
        stop();
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &DeviceChangeWatcher::readEvents);
    return true;
}

void DeviceChangeWatcher::stop()
{
    m_notifier.reset();
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
    m_monitor = nullptr;
    m_udev = nullptr;
}

void DeviceChangeWatcher::readEvents()
{
    // The monitor's socket does not block: the loop ends when nothing more is queued.
    while (udev_device *device = udev_monitor_receive_device(m_monitor)) {
        const char *action = udev_device_get_action(device);
        const bool added = action && std::strcmp(action, "add") == 0;
        const bool removed = action && std::strcmp(action, "remove") == 0;
        const char *node = added ? udev_device_get_devnode(device) : nullptr;
        const QString deviceNode = node ? QFile::decodeName(node) : QString();
        udev_device_unref(device);
        if (added || removed)
            emit deviceChanged();
        if (!deviceNode.isEmpty())
            emit interfaceAdded(deviceNode);
    }
}
