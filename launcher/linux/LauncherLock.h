// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One launcher per user: the running launcher holds a lock file locked (flock) for its whole
// life and has written its process id into it. The kernel drops the lock when that process
// ends, however it ends, so a lock that is held always names a live launcher.
class LauncherLock
{
public:
    explicit LauncherLock(const QString &path);
    ~LauncherLock();

    LauncherLock(const LauncherLock &) = delete;
    LauncherLock &operator=(const LauncherLock &) = delete;

    // Asks the launcher that holds the lock to end (SIGTERM) and waits until the lock is
    // free, at most timeoutMs. Returns at once when nobody holds it.
    void endHolder(int timeoutMs);
    // Takes the lock, if it is not ours already, and writes our process id into it. False
    // when another launcher holds it or the file cannot be made.
    bool take();

private:
    bool tryLock();

    QString m_path;
    int m_fd = -1;
    bool m_locked = false;
};
