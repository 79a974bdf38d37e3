// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedTyping.h"

#include "SimLog.h"
#include "SimulatedKeyboard.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kLongestLine = 64;   // longer text without a line end is no command

} // namespace

SimulatedTyping::SimulatedTyping(SimulatedKeyboard &keyboard, const QString &pipePath)
    : m_keyboard(keyboard)
{
    // Read and write: the pipe keeps a writer, so it never reads as ended between two of them.
    m_pipe = ::open(QFile::encodeName(pipePath).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    struct stat status = {};
    if (m_pipe < 0 || ::fstat(m_pipe, &status) < 0 || !S_ISFIFO(status.st_mode)) {
        qCInfo(lcSim, "simulated keyboard: TARVENIX_SIM_KEYS is not a named pipe; nothing is typed");
        if (m_pipe >= 0)
            ::close(m_pipe);
        m_pipe = -1;
        return;
    }
    m_stop = ::eventfd(0, EFD_CLOEXEC);
    if (m_stop < 0) {
        ::close(m_pipe);
        m_pipe = -1;
        return;
    }
    m_thread = std::thread(&SimulatedTyping::run, this);
}

SimulatedTyping::~SimulatedTyping()
{
    if (m_thread.joinable()) {
        const quint64 one = 1;
        (void)!::write(m_stop, &one, sizeof one);
        m_thread.join();
    }
    if (m_stop >= 0)
        ::close(m_stop);
    if (m_pipe >= 0)
        ::close(m_pipe);
}

void SimulatedTyping::run()
{
    QByteArray pending;
    for (;;) {
        pollfd watched[] = {{m_pipe, POLLIN, 0}, {m_stop, POLLIN, 0}};
        if (::poll(watched, 2, -1) < 0 && errno != EINTR)
            return;
        if (watched[1].revents)
            return;
        if (!(watched[0].revents & POLLIN))
            continue;
        char chunk[256];
        const ssize_t got = ::read(m_pipe, chunk, sizeof chunk);
        if (got <= 0)
            continue;
        pending.append(chunk, int(got));
        if (pending.size() > kLongestLine && !pending.contains('\n'))
            pending.clear();
        for (int end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            handleLine(pending.left(end).trimmed());
            pending.remove(0, end + 1);
        }
    }
}

void SimulatedTyping::handleLine(const QByteArray &line)
{
    const QList<QByteArray> words = line.split(' ');
    bool ok = false;
    const uint usage = words.size() == 2 ? words.at(1).toUInt(&ok, 16) : 0;
    if (!ok || usage == 0 || usage > 0xFF)
        return;
    if (words.at(0) == "down")
        m_keyboard.pressKey(static_cast<unsigned char>(usage));
    else if (words.at(0) == "up")
        m_keyboard.releaseKey(static_cast<unsigned char>(usage));
}
