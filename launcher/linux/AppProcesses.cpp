// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppProcesses.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <climits>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kPollMs = 10;

} // namespace

AppProcesses::AppProcesses(const BuildNames &builds, const QString &procRoot)
    : m_builds(builds)
    , m_procRoot(procRoot)
{
}

std::optional<AppProcesses::Process> AppProcesses::first() const
{
    std::optional<Process> found;
    const QStringList entries = QDir(m_procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const pid_t pid = pid_t(entry.toInt(&isPid));
        if (!isPid || pid <= 0 || (found && found->pid < pid))
            continue;
        std::optional<std::string> image = imageOf(pid);
        if (image && m_builds.layoutOfImage(*image) != Layout::None)
            found = Process{pid, std::move(*image)};
    }
    return found;
}

std::optional<std::string> AppProcesses::imageOf(pid_t pid) const
{
    const QByteArray directory = QFile::encodeName(m_procRoot + QLatin1Char('/') + QString::number(pid));
    struct stat owner;
    if (::stat(directory.constData(), &owner) != 0 || owner.st_uid != ::getuid())
        return std::nullopt;
    char image[PATH_MAX];
    const ssize_t length = ::readlink((directory + "/exe").constData(), image, sizeof(image));
    if (length <= 0 || length == ssize_t(sizeof(image)))
        return std::nullopt;
    return std::string(image, std::size_t(length));
}

bool AppProcesses::close(pid_t pid, int timeoutMs) const
{
    if (::kill(pid, SIGTERM) != 0)
        return !imageOf(pid);
    QElapsedTimer waited;
    waited.start();
    while (imageOf(pid)) {
        if (waited.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(kPollMs);
    }
    return true;
}
