// SPDX-License-Identifier: GPL-3.0-or-later
#include "Installation.h"

#include "ImageTree.h"
#include "InstallationFlags.h"
#include "Languages.h"
#include "WorkingDirectory.h"

#include <QDir>
#include <QFileInfo>

namespace Installation {
namespace {

// Relative to tarvenix-cli's folder, in the order tried.
const char *const kRelativeFolders[] = {".", "../libexec/tarvenix", "../lib/tarvenix"};
// The language every configuration starts with.
const QString kFirstLanguage = QStringLiteral("031225");

} // namespace

QStringList candidates(const QString &binDir, const QString &layout, const QProcessEnvironment &environment)
{
    const QString chosen = environment.value(QStringLiteral("TARVENIX_INSTALLATION"));
    if (!chosen.isEmpty())
        return {QDir::cleanPath(chosen + QLatin1Char('/') + layout)};
    QStringList folders;
    for (const char *relative : kRelativeFolders)
        folders << QDir::cleanPath(binDir + QLatin1Char('/') + QLatin1String(relative) + QLatin1Char('/') + layout);
    return folders;
}

QString findLayoutBuild(const QString &binDir, const QString &layout, const QProcessEnvironment &environment)
{
    for (const QString &folder : candidates(binDir, layout, environment)) {
        if (QFileInfo(folder + QStringLiteral("/modules")).isDir())
            return folder;
    }
    return QString();
}

QString dataDirectory(const QString &layoutBuild, const QString &dataLocation, const QString &programFiles)
{
    if (WorkingDirectory::runInPlace(layoutBuild))
        return layoutBuild;
    const QString userModules = WorkingDirectory::userModulesPath({layoutBuild, programFiles, dataLocation});
    if (QFileInfo(userModules).isDir())
        return QFileInfo(userModules).path();
    return layoutBuild;
}

std::optional<Failure> openGate(const QString &dataDir)
{
    const QString images = dataDir + QStringLiteral("/modules/img");
    imagesVerified = imageTreeVerified(images);
    if (!imagesVerified)
        return Failure{ExitCode::Installation,
                       QStringLiteral("the installation's image tree %1 is missing or changed; reinstall Tarvenix")
                           .arg(images)};
    Languages languages(dataDir);
    languages.getGlobalStrings(kFirstLanguage);
    if (!langVerified)
        return Failure{ExitCode::Installation,
                       QStringLiteral("the language file %1 is missing or its checksum is wrong; reinstall Tarvenix")
                           .arg(languages.languageFilePath(kFirstLanguage))};
    return std::nullopt;
}

} // namespace Installation
