// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CallLog.h"

#include <QObject>

// Stand-in for the main window (kernel): records "kernel.syncFW" in the log.
class RecordingKernel : public QObject
{
    Q_OBJECT

public:
    explicit RecordingKernel(CallLog *log, QObject *parent = nullptr) : QObject(parent), m_log(log) {}

public slots:
    void syncFW() { m_log->record(QStringLiteral("kernel.syncFW")); }

private:
    CallLog *m_log;
};
