// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SystemNoticeFilter.h"

#include <QObject>

// Tells when a device arrives or leaves (see the Linux class of the same name for the contract).
// On Windows the WM_DEVICECHANGE messages that the platform sends to every top-level window.
//
// GUI thread only.
class DeviceChangeWatcher : public QObject
{
    Q_OBJECT

public:
    explicit DeviceChangeWatcher(QObject *parent = nullptr);

    bool start();

signals:
    void deviceChanged();

private:
    SystemNoticeFilter m_filter;
};
