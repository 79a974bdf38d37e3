// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the shipped settings files into a source tree:
//   modules/setting/apConfig.bin                     window title and first-start preferences
//   modules-US/setting/p1.bin ... p10.bin, pD.bin    default profiles of the US build
//   modules-UK/setting/p1.bin ... p10.bin, pD.bin    default profiles of the UK build
// Regenerate with:
//   cmake --build <build> --target profilegen && <build>/tools/profilegen/profilegen <repository>
#include "GeneratorSupport.h"
#include "ProfileContent.h"

namespace {

void fillConfiguration(QSettings &settings)
{
    settings.setValue(QStringLiteral("common/name"), QStringLiteral("Norvane KALVOR Keyboard 4200"));
    const QVariantList values = ProfileContent::firstStartConfiguration();
    settings.setValue(QStringLiteral("common/total"), values.size());
    for (int i = 0; i < values.size(); ++i)
        settings.setValue(QStringLiteral("common/") + QString::number(i), values.at(i));
}

void fillProfile(QSettings &settings, ProfileContent::Layout layout)
{
    for (int position = 0; position < ProfileContent::keyCount; ++position)
        settings.setValue(QStringLiteral("keydefine/") + QString::number(position),
                          ProfileContent::defaultKeyCode(layout, position));
    for (int index = 0; index < ProfileContent::pictureCount; ++index)
        settings.setValue(QStringLiteral("userPicture/") + QString::number(index), ProfileContent::userPicture(index));
    settings.setValue(QStringLiteral("color/ledType"), ProfileContent::ledType());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString repository = folderArgument(app, "profilegen <repository root>");
    if (repository.isEmpty())
        return 2;
    const QDir root(repository);

    QStringList written;
    const auto write = [&](const QString &relative, const std::function<void(QSettings &)> &fill) {
        if (!writeFreshSettings(root.filePath(relative), fill))
            return false;
        written << relative;
        return true;
    };

    if (!write(QStringLiteral("modules/setting/apConfig.bin"), fillConfiguration))
        return 1;
    for (const ProfileContent::Layout layout : {ProfileContent::Layout::US, ProfileContent::Layout::UK}) {
        const QString folder = QStringLiteral("modules-%1/setting/").arg(ProfileContent::layoutName(layout));
        const auto fill = [layout](QSettings &settings) { fillProfile(settings, layout); };
        QStringList names{QStringLiteral("pD.bin")};
        for (int k = 1; k <= 10; ++k)
            names << QStringLiteral("p%1.bin").arg(k);
        for (const QString &name : names) {
            if (!write(folder + name, fill))
                return 1;
        }
    }
    QTextStream(stdout) << "wrote " << written.size() << " files\n";
    return 0;
}
