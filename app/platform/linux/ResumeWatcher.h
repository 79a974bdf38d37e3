// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QDBusConnection;

// Tells when the machine has resumed from sleep, so that the main window can read the keyboard
// mode again.
//
// On Linux logind's PrepareForSleep signal on the system bus: PrepareForSleep(false), sent after
// the resume, gives resumed(); PrepareForSleep(true), before the sleep, gives nothing.
//
// GUI thread only.
class ResumeWatcher : public QObject
{
    Q_OBJECT

public:
    explicit ResumeWatcher(QObject *parent = nullptr);

    // Starts watching the system bus; false, with one debug line under tarvenix.platform and
    // nothing else, when there is no system bus (as in containers).
    bool start();
    // The same on a given bus.
    bool watch(const QDBusConnection &bus);

signals:
    void resumed();

private slots:
    void prepareForSleep(bool sleeping);
};
