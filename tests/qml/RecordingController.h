// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CallLog.h"

#include <QObject>

// Stand-in for the window controller (ui_Ctl): records "ui_Ctl.<slot>" in the log.
class RecordingController : public QObject
{
    Q_OBJECT

public:
    explicit RecordingController(CallLog *log, QObject *parent = nullptr) : QObject(parent), m_log(log) {}

public slots:
    void onMinimize() { m_log->record(QStringLiteral("ui_Ctl.onMinimize")); }
    void onXChanged(int x) { m_log->record(QStringLiteral("ui_Ctl.onXChanged"), {x}); }
    void onYChanged(int y) { m_log->record(QStringLiteral("ui_Ctl.onYChanged"), {y}); }

private:
    CallLog *m_log;
};
