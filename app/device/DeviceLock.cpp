// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceLock.h"

#include "DeviceLog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kPollMs = 50;
constexpr int kRetryMs = 250;

} // namespace

DeviceLock::DeviceLock(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        if (tryOnce() != Result::Busy)
            m_retry.stop();
    });
}

DeviceLock::~DeviceLock()
{
    unlock();
}

QString DeviceLock::defaultPath(const QProcessEnvironment &environment)
{
    QString folder = environment.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/tarvenix-") + QString::number(getuid());
    else
        folder += QStringLiteral("/tarvenix");
    return folder + QStringLiteral("/device.lock");
}

DeviceLock::Result DeviceLock::tryOnce()
{
    if (isHeld())
        return Result::Taken;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QFileInfo::exists(folder)
        && !(QDir().mkpath(folder)
             && QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))) {
        m_error = QStringLiteral("cannot make the folder %1").arg(folder);
        return Result::Failed;
    }
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = QStringLiteral("cannot open %1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
        return Result::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        qCDebug(lcDevice, "device lock %s taken", qPrintable(m_path));
        return Result::Taken;
    }
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK)
        return Result::Busy;
    m_error = QStringLiteral("cannot lock %1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(error)));
    return Result::Failed;
}

DeviceLock::Result DeviceLock::lock(int waitMs)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const Result result = tryOnce();
        if (result != Result::Busy || waited.elapsed() >= waitMs)
            return result;
        QThread::msleep(kPollMs);
    }
}

void DeviceLock::lockWhenFree()
{
    if (tryOnce() == Result::Busy) {
        qCInfo(lcDevice, "another program holds the keyboard; taking it over when it is done");
        m_retry.start();
    }
}

void DeviceLock::unlock()
{
    m_retry.stop();
    if (m_fd >= 0) {
        ::close(m_fd);   // drops the lock
        m_fd = -1;
    }
}
