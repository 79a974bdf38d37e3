// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the data-tree generators share: their one argument, and writing a settings file anew.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTextStream>

#include <functional>

// The folder named by the generator's only argument, or an empty text after printing `usage`.
inline QString folderArgument(const QCoreApplication &app, const char *usage)
{
    const QStringList args = app.arguments();
    if (args.size() == 2)
        return args.at(1);
    QTextStream(stderr) << "usage: " << usage << '\n';
    return QString();
}

// Writes the INI file at `path` from scratch, creating its folder: the settings class would
// merge into an existing file and keep its old keys. Says why on failure.
inline bool writeFreshSettings(const QString &path, const std::function<void(QSettings &)> &fill)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || (QFile::exists(path) && !QFile::remove(path))) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    QSettings settings(path, QSettings::IniFormat);
    fill(settings);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    return true;
}
