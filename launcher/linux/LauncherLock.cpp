// SPDX-License-Identifier: GPL-3.0-or-later
#include "LauncherLock.h"

#include "LauncherLog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kPollMs = 10;

} // namespace

LauncherLock::LauncherLock(const QString &path)
    : m_path(path)
{
}

LauncherLock::~LauncherLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool LauncherLock::tryLock()
{
    if (m_locked)
        return true;
    if (m_fd < 0) {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0) {
            qCDebug(lcLauncher, "cannot open the lock file %s", qPrintable(m_path));
            return false;
        }
    }
    m_locked = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
    return m_locked;
}

void LauncherLock::endHolder(int timeoutMs)
{
    if (tryLock() || m_fd < 0)
        return;
    char text[24] = {};
    const ssize_t length = ::pread(m_fd, text, sizeof(text) - 1, 0);
    bool ok = false;
    const long pid = QByteArray(text, length > 0 ? int(length) : 0).trimmed().toLong(&ok);
    if (ok && pid > 1 && pid != ::getpid()) {
        qCDebug(lcLauncher, "ending the earlier launcher, process %ld", pid);
        ::kill(pid_t(pid), SIGTERM);
    }
    QElapsedTimer waited;
    waited.start();
    while (!tryLock() && waited.elapsed() < timeoutMs)
        QThread::msleep(kPollMs);
    if (!m_locked)
        qCDebug(lcLauncher, "the earlier launcher did not end within %d ms", timeoutMs);
}

bool LauncherLock::take()
{
    if (!tryLock())
        return false;
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    return ::ftruncate(m_fd, 0) == 0 && ::pwrite(m_fd, pid.constData(), size_t(pid.size()), 0) == pid.size();
}
