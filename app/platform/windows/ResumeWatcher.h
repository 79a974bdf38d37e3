// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SystemNoticeFilter.h"

#include <QObject>

// Tells when the machine has resumed from sleep (see the Linux class of the same name for the
// contract). On Windows WM_POWERBROADCAST with PBT_APMRESUMEAUTOMATIC.
//
// GUI thread only.
class ResumeWatcher : public QObject
{
    Q_OBJECT

public:
    explicit ResumeWatcher(QObject *parent = nullptr);

    bool start();

signals:
    void resumed();

private:
    SystemNoticeFilter m_filter;
};
