// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminationSignals.h"

#include "PlatformLog.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 2> kSignals = {SIGTERM, SIGINT};

// The self-pipe: the signal handler writes a byte to [1], the event loop reads [0].
int signalPipe[2] = {-1, -1};
std::array<struct sigaction, kSignals.size()> previousActions{};
TerminationSignals *owner = nullptr;

void onSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds an unread request; nothing is lost when this write fails.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
}

TerminationSignals::~TerminationSignals()
{
    stop();
}

bool TerminationSignals::start()
{
    if (owner == this)
        return true;
    if (owner || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCDebug(lcPlatform, "termination signals are not handled: the process ends at once on them");
        return false;
    }
    owner = this;

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &previousActions[i]);

    m_notifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::readSignals);
    return true;
}

void TerminationSignals::stop()
{
    if (owner != this)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &previousActions[i], nullptr);
    m_notifier.reset();
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
    owner = nullptr;
}

void TerminationSignals::readSignals()
{
    char bytes[16];
    bool requested = false;
    while (::read(signalPipe[0], bytes, sizeof(bytes)) > 0)
        requested = true;
    if (requested)
        emit terminationRequested();
}
