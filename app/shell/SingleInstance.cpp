// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include "ShellLog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

QString currentUser()
{
#ifdef Q_OS_WIN
    return qEnvironmentVariable("USERDOMAIN") + QLatin1Char('\\') + qEnvironmentVariable("USERNAME");
#else
    return QString::number(::getuid());
#endif
}

QString canonicalExecutable(const QString &executablePath)
{
    const QFileInfo info(executablePath);
    QString path = info.canonicalFilePath();
    if (path.isEmpty())
        path = info.absoluteFilePath();
#ifdef Q_OS_WIN
    path = path.toLower();   // one file, however its path is spelt
#endif
    return path;
}

// A folder only this user may enter: theirs, and closed to group and others.
bool isPrivateFolder(const QFileInfo &folder)
{
    constexpr QFileDevice::Permissions open = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                              | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    if (!folder.isDir() || folder.isSymLink() || (folder.permissions() & open))
        return false;
#ifndef Q_OS_WIN
    return folder.ownerId() == ::getuid();
#else
    return true;
#endif
}

} // namespace

QString SingleInstance::instanceFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && isPrivateFolder(QFileInfo(runtime)))
        return QDir::cleanPath(runtime);

    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                           + QStringLiteral("/tarvenix-instance");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

SingleInstance::SingleInstance(const QString &executablePath, QObject *parent)
    : QObject(parent)
    , m_name(serverName(executablePath))
    , m_lockPath(lockFilePath(executablePath))
    , m_lock(m_lockPath)
{
    // The lock is held for the process's life: only a dead holder makes it stale, never age.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
    m_lock.unlock();
}

QString SingleInstance::instanceName(const QString &executablePath)
{
    const QByteArray identity = (canonicalExecutable(executablePath) + QLatin1Char('\n') + currentUser()).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex().left(20);
    return QStringLiteral("tarvenix-") + QString::fromLatin1(digest);
}

QString SingleInstance::serverName(const QString &executablePath)
{
#ifdef Q_OS_WIN
    return instanceName(executablePath);   // a pipe of the user's session
#else
    return QDir(instanceFolder()).filePath(instanceName(executablePath));
#endif
}

QString SingleInstance::lockFilePath(const QString &executablePath)
{
    return QDir(instanceFolder()).filePath(instanceName(executablePath) + QStringLiteral(".lock"));
}

bool SingleInstance::acquire()
{
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::LockFailedError)
            return false;
        qCDebug(lcShell, "cannot create the instance lock %s; running without it",
                qUtf8Printable(QDir::toNativeSeparators(m_lockPath)));
        return true;
    }

    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket of this name can only be a dead primary's leftover.
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name))
        qCDebug(lcShell, "instance socket %s: %s", qUtf8Printable(m_name), qUtf8Printable(m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::discardIncoming);
    return true;
}

void SingleInstance::discardIncoming()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, socket, [socket] { socket->readAll(); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
