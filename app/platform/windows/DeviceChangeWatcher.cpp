// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceChangeWatcher.h"

DeviceChangeWatcher::DeviceChangeWatcher(QObject *parent)
    : QObject(parent)
    , m_filter(WindowsMessages::SystemNotice::DeviceChange)
{
    connect(&m_filter, &SystemNoticeFilter::noticed, this, &DeviceChangeWatcher::deviceChanged);
}

bool DeviceChangeWatcher::start()
{
    m_filter.install();
    return true;
}
