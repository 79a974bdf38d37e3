// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedArrivals.h"

#include "LauncherLog.h"
#include "SimulatedKeyboard.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

struct SignalRelease
{
    int signal;
    unsigned short release;
};
constexpr SignalRelease kPlugSignals[] = {
    {SIGUSR1, SimulatedKeyboard::kReleaseUS},
    {SIGUSR2, SimulatedKeyboard::kReleaseUK},
};

sigset_t plugSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (const SignalRelease &entry : kPlugSignals)
        sigaddset(&set, entry.signal);
    return set;
}

} // namespace

SimulatedArrivals::SimulatedArrivals(QObject *parent)
    : QObject(parent)
{
}

SimulatedArrivals::~SimulatedArrivals()
{
    m_notifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SimulatedArrivals::start()
{
    if (m_fd >= 0)
        return true;
    const sigset_t set = plugSignals();
    if (::pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0
        || (m_fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC)) < 0) {
        qCDebug(lcLauncher, "simulated keyboards cannot be plugged in: no signalfd");
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SimulatedArrivals::readSignals);
    return true;
}

void SimulatedArrivals::readSignals()
{
    signalfd_siginfo info;
    while (::read(m_fd, &info, sizeof(info)) == ssize_t(sizeof(info))) {
        for (const SignalRelease &entry : kPlugSignals) {
            if (int(info.ssi_signo) == entry.signal)
                emit plugged(entry.release);
        }
    }
}
