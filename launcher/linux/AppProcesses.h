// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuildNames.h"

#include <QString>

#include <optional>
#include <string>
#include <sys/types.h>

// The configuration application among this user's processes, recognised by its process image
// (/proc/<pid>/exe) ending in a build's name, "US/Tarvenix" or "UK/Tarvenix". A process that
// has ended but is not yet reaped has no image and does not count.
class AppProcesses
{
public:
    struct Process
    {
        pid_t pid;
        std::string image;
    };

    explicit AppProcesses(const BuildNames &builds, const QString &procRoot = QStringLiteral("/proc"));

    // The one with the lowest process id, or nothing.
    std::optional<Process> first() const;

    // Asks the process to end (SIGTERM: the application closes its window the normal way)
    // and waits until it has, at most timeoutMs. False when it is still there.
    bool close(pid_t pid, int timeoutMs) const;

private:
    std::optional<std::string> imageOf(pid_t pid) const;

    const BuildNames &m_builds;
    QString m_procRoot;
};
