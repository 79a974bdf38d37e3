// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsLock.h"

#include "ServicesLog.h"

#include <QFile>
#include <QLockFile>

QString SettingsLock::withoutOwnerlessLock(const QString &settingsFile)
{
    const QString lockPath = settingsFile + QStringLiteral(".lock");
    if (!QFile::exists(lockPath))
        return settingsFile;
    const QLockFile lock(lockPath);
    qint64 pid = 0;
    QString host, application;
    if (!lock.getLockInfo(&pid, &host, &application)) {
        if (QFile::remove(lockPath))
            qCInfo(lcServices) << "removed an ownerless lock left by an interrupted write:" << lockPath;
        else
            qCWarning(lcServices) << "cannot remove the ownerless lock" << lockPath;
    }
    return settingsFile;
}
