// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkingDirectory.h"

#include "ReplaceFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace WorkingDirectory {
namespace {

const QString kModules = QStringLiteral("modules");
const QString kMarker = QStringLiteral("PermissionCompatibility");
const QString kDataVersion = QStringLiteral("data_version.ini");
// What ships with the program, inside the modules tree; the rest (profiles, the configuration,
// macros) is the user's.
const QStringList kShippedFolders{QStringLiteral("img"), QStringLiteral("i18n"), QStringLiteral("media")};
const QString kShippedKeyMap = QStringLiteral("setting/keymap.bin");

QString forwardSlashes(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// Everything before the last '/'; the whole text when there is none.
QString cutAtLastSlash(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')));
}

bool removeFile(const QString &path)
{
    return QFile::remove(path) || (ReplaceFile::makeWritable(path) && QFile::remove(path));
}

// Copies the tree to a sibling of target and renames it into place, replacing a target that is
// there, so that target exists only complete. A leftover of an interrupted earlier copy is
// removed first.
bool copyComplete(const QString &from, const QString &target)
{
    if (!QFileInfo(from).isDir())
        return false;
    const QString partial = target + QStringLiteral(".partial");
    QDir(partial).removeRecursively();
    if (copyDirectory(from, partial, false)) {
        QDir(target).removeRecursively();
        if (QDir().rename(partial, target))
            return true;
    }
    QDir(partial).removeRecursively();
    return false;
}

// The tree's data version, "data/version" of its "data_version.ini"; 0 when there is none.
int dataVersion(const QString &modules)
{
    const QSettings stamp(modules + QLatin1Char('/') + kDataVersion, QSettings::IniFormat);
    return stamp.value(QStringLiteral("data/version"), 0).toInt();
}

// Replaces what ships with the program in the per-user tree by the installation's. The version
// stamp comes last, so that a refresh cut short is made again at the next start.
bool refreshShippedData(const QString &installed, const QString &target)
{
    for (const QString &folder : kShippedFolders) {
        if (!copyComplete(installed + QLatin1Char('/') + folder, target + QLatin1Char('/') + folder))
            return false;
    }
    return ReplaceFile::copy(installed + QLatin1Char('/') + kShippedKeyMap, target + QLatin1Char('/') + kShippedKeyMap)
        && ReplaceFile::copy(installed + QLatin1Char('/') + kDataVersion, target + QLatin1Char('/') + kDataVersion);
}

} // namespace

Environment systemEnvironment()
{
    return {QCoreApplication::applicationDirPath(),
            qEnvironmentVariable("PROGRAMFILES"),
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)};
}

bool runInPlace(const QString &applicationDir)
{
    return QFileInfo::exists(QDir(applicationDir).filePath(kMarker));
}

QString userModulesPath(const Environment &environment)
{
    QString relative = forwardSlashes(environment.applicationDir);
    const QString programFiles = forwardSlashes(environment.programFiles);
    if (!programFiles.isEmpty())
        relative.remove(programFiles, Qt::CaseInsensitive);
    const QString base = cutAtLastSlash(forwardSlashes(environment.dataLocation));
    return base + relative + QLatin1Char('/') + kModules;
}

QString chooseWorkingDirectory(const Environment &environment)
{
    QDir::setCurrent(environment.applicationDir);
    if (!runInPlace(environment.applicationDir))
        prepareWorkingDirectory(environment);
    return QDir::currentPath();
}

void prepareWorkingDirectory(const Environment &environment)
{
    const QString installed = QDir(environment.applicationDir).filePath(kModules);
    const QString target = userModulesPath(environment);
    const bool present = QFileInfo(target).isDir();
    if (present && dataVersion(installed) > dataVersion(target))
        refreshShippedData(installed, target);
    if (present || copyComplete(installed, target))
        QDir::setCurrent(cutAtLastSlash(target));
}

bool copyDirectory(const QString &from, const QString &to, bool overwrite)
{
    QDir target(to);
    if (!target.exists() && !QDir().mkpath(target.absolutePath()))
        return false;

    const QFileInfoList entries = QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot,
                                                           QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries) {
        const QString destination = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            if (!copyDirectory(entry.filePath(), destination, overwrite))
                return false;
            continue;
        }
        if (overwrite && QFileInfo::exists(destination))
            removeFile(destination);
        // The owner may change the copy, also of an installation that is read-only.
        if (!QFile::copy(entry.filePath(), destination) || !ReplaceFile::makeWritable(destination))
            return false;
    }
    return true;
}

qint64 directorySize(const QString &path)
{
    const QDir dir(path);
    qint64 total = 0;
    for (const QFileInfo &file : dir.entryInfoList(QDir::Files))
        total += file.size();
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        total += directorySize(dir.filePath(name));
    return total;
}

} // namespace WorkingDirectory
