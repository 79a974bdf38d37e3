// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResumeWatcher.h"

#include "PlatformLog.h"

#include <QDBusConnection>
#include <QDBusError>

ResumeWatcher::ResumeWatcher(QObject *parent)
    : QObject(parent)
{
}

bool ResumeWatcher::start()
{
    return watch(QDBusConnection::systemBus());
}

bool ResumeWatcher::watch(const QDBusConnection &bus)
{
    QDBusConnection connection(bus);
    const bool watching = connection.isConnected()
        && connection.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                              QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                              this, SLOT(prepareForSleep(bool)));
    if (!watching)
        qCDebug(lcPlatform, "resume from sleep is not noticed: %s",
                qUtf8Printable(connection.lastError().message()));
    return watching;
}

void ResumeWatcher::prepareForSleep(bool sleeping)
{
    if (!sleeping)
        emit resumed();
}
