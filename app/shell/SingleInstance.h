// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

// One running process per executable and user.
//
// The instance is identified by the executable's absolute path and the user, so the US and UK
// builds, installed in different directories, never block each other, and two users of one
// machine each get their own. The first process takes a lock file for its whole life; a later
// process of the same executable finds the lock held and must exit. A lock left behind by a
// process that has died is recovered by the next start; a lock held by a live process is never
// taken over, however old it is.
//
// The primary process also listens on a local socket of the same name, as single-application
// components do; whatever arrives there is read and dropped.
//
// Lock and socket live in a folder private to the user (instanceFolder), never in the shared
// temporary folder, where another user could take the predictable name first and block every
// start, and which another TMPDIR would change.
//
// Main thread only; the local server runs on that thread's event loop.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &executablePath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and starts listening. False when another live process of the same
    // executable and user holds it. A lock that cannot be taken for any other reason (no
    // writable instance folder) does not stop the program: it then runs unguarded, with one
    // debug line under tarvenix.shell.
    bool acquire();

    // The name every process of this executable and user derives: the base name of the lock
    // file and of the local socket.
    static QString instanceName(const QString &executablePath);
    // $XDG_RUNTIME_DIR when it is the user's own folder closed to everyone else; otherwise
    // "tarvenix-instance" in the user's data folder, created and closed to everyone else.
    static QString instanceFolder();
    // The local server's full name (on Windows a pipe name) and the lock file's path.
    static QString serverName(const QString &executablePath);
    static QString lockFilePath(const QString &executablePath);

private:
    void discardIncoming();

    const QString m_name;
    const QString m_lockPath;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
};
