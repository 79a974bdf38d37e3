// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

// Keyboards plugged in on the simulated keyboard's side, where udev has nothing to tell:
// SIGUSR1 plugs in a US keyboard (release 0x3300), SIGUSR2 a UK keyboard (0x3200).
//
// The signals are blocked for the whole process and read from a signalfd on the event loop,
// so start() must run on the main thread before any other thread exists. Main thread only.
class SimulatedArrivals : public QObject
{
    Q_OBJECT

public:
    explicit SimulatedArrivals(QObject *parent = nullptr);
    ~SimulatedArrivals() override;

    // False, with a debug line, when the signals cannot be taken over.
    bool start();

signals:
    void plugged(unsigned short releaseNumber);

private:
    void readSignals();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
