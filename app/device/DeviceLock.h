// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QTimer>

// One program talks to the keyboard at a time, or two exchanges interleave on the wire: the
// application holds this lock for as long as its device link is open, the command-line tool
// for one command. It is an flock(2) on "$XDG_RUNTIME_DIR/tarvenix/device.lock" (without
// XDG_RUNTIME_DIR: "<temp>/tarvenix-<uid>/device.lock"); the system drops it when its holder
// ends, also when it crashes. The lock file stays; its folder is made readable by the owner
// only. Unix only. GUI (or main) thread.
class DeviceLock : public QObject
{
    Q_OBJECT

public:
    enum class Result {
        Taken,    // held by this object
        Busy,     // another program holds it
        Failed,   // the lock file cannot be made or opened (errorString says why)
    };

    explicit DeviceLock(const QString &path = defaultPath(QProcessEnvironment::systemEnvironment()),
                        QObject *parent = nullptr);
    ~DeviceLock() override;   // releases the lock

    static QString defaultPath(const QProcessEnvironment &environment);

    // Takes the lock, trying again every 50 ms for up to waitMs (0: once).
    Result lock(int waitMs = 0);
    // Takes the lock now, or else as soon as it is free: tries again every 250 ms on the event
    // loop until it has it.
    void lockWhenFree();
    void unlock();

    bool isHeld() const { return m_fd >= 0; }
    QString path() const { return m_path; }
    QString errorString() const { return m_error; }

private:
    Result tryOnce();

    QString m_path;
    QString m_error;
    int m_fd = -1;
    QTimer m_retry;
};
