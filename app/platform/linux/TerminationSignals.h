// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

// Turns the system's requests to end the program into a Qt signal on the GUI thread, so that the
// main window closes the normal way (event listener stopped, platform layers stopped, files
// closed) instead of the process being killed. The launcher ends a running application this way.
//
// On Linux SIGTERM and SIGINT: the handler only writes to a pipe that the event loop watches.
// One object per process handles them; the handlers it replaced are restored when it is
// destroyed.
//
// GUI thread only.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // Installs the handlers. False, with one debug line under tarvenix.platform, when they
    // cannot be installed or another object has them.
    bool start();

signals:
    void terminationRequested();

private:
    void stop();
    void readSignals();

    std::unique_ptr<QSocketNotifier> m_notifier;
};
