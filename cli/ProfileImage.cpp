// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileImage.h"

#include "KeyMap.h"
#include "ReplaceFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>

namespace {

const QString kBackupGroup = QStringLiteral("backup");

QString keyIn(const QString &group, const QString &key)
{
    return group.isEmpty() ? key : group + QLatin1Char('/') + key;
}

// `count` numbers 0..255 (min..count when min is given), as integers; nothing otherwise.
std::optional<QVariantList> numbers(const QVariant &stored, int min, int count)
{
    const QVariantList list = stored.toList();
    if (list.size() < min || list.size() > count)
        return std::nullopt;
    QVariantList values;
    for (const QVariant &v : list) {
        bool ok = false;
        const int n = v.toString().trimmed().toInt(&ok);
        if (!ok || n < 0 || n > 255)
            return std::nullopt;
        values.append(n);
    }
    while (values.size() < count)
        values.append(0);
    return values;
}

// Writes through a settings object on a file in a fresh folder, then puts the file in place.
bool saveSettings(const QString &path, const std::function<void(QSettings &)> &fill, QString &error)
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        error = QStringLiteral("cannot make a temporary folder");
        return false;
    }
    const QString written = folder.filePath(QStringLiteral("profile"));
    {
        QSettings settings(written, QSettings::IniFormat);
        fill(settings);
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            error = QStringLiteral("cannot write a temporary file");
            return false;
        }
    }
    if (!ReplaceFile::copy(written, path)) {
        error = QStringLiteral("%1: cannot be written").arg(path);
        return false;
    }
    return true;
}

bool readable(const QString &path, QString &error)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: no such file, or it cannot be read").arg(path);
        return false;
    }
    return true;
}

} // namespace

std::optional<ProfileImage> ProfileImage::read(const QSettings &settings, const QString &group, QString &error)
{
    ProfileImage image;
    for (int position = 0; position < KeyMap::KeyCount; ++position) {
        const QString key = keyIn(group, QStringLiteral("keydefine/%1").arg(position));
        const std::optional<QVariantList> code = numbers(settings.value(key), KeyMap::GroupSize, KeyMap::GroupSize);
        if (!code) {
            error = QStringLiteral("%1 is missing or not 4 numbers 0..255").arg(key);
            return std::nullopt;
        }
        image.keyMatrix += *code;
    }
    for (int index = 0; index < kPictures; ++index) {
        const QString key = keyIn(group, QStringLiteral("userPicture/%1").arg(index));
        const std::optional<QVariantList> picture = numbers(settings.value(key), KeyMap::SceneValues, kPictureValues);
        if (!picture) {
            error = QStringLiteral("%1 is missing or not 504 to 512 numbers 0..255").arg(key);
            return std::nullopt;
        }
        image.pictures[std::size_t(index)] = *picture;
    }
    const QString key = keyIn(group, QStringLiteral("color/ledType"));
    const std::optional<QVariantList> ledType = numbers(settings.value(key), kLedTypeValues, kLedTypeValues);
    if (!ledType) {
        error = QStringLiteral("%1 is missing or not 5 numbers 0..255").arg(key);
        return std::nullopt;
    }
    image.ledType = *ledType;
    return image;
}

void ProfileImage::write(QSettings &settings, const QString &group) const
{
    for (int position = 0; position < KeyMap::KeyCount; ++position)
        settings.setValue(keyIn(group, QStringLiteral("keydefine/%1").arg(position)),
                          keyMatrix.mid(position * KeyMap::GroupSize, KeyMap::GroupSize));
    for (int index = 0; index < kPictures; ++index)
        settings.setValue(keyIn(group, QStringLiteral("userPicture/%1").arg(index)), pictures[std::size_t(index)]);
    settings.setValue(keyIn(group, QStringLiteral("color/ledType")), ledType);
}

bool ProfileImage::operator==(const ProfileImage &other) const
{
    return keyMatrix == other.keyMatrix && pictures == other.pictures && ledType == other.ledType;
}

namespace ProfileFiles {

std::optional<ProfileImage> load(const QString &path, QString &error)
{
    if (!readable(path, error))
        return std::nullopt;
    const QSettings settings(path, QSettings::IniFormat);
    std::optional<ProfileImage> image = ProfileImage::read(settings, QString(), error);
    if (!image)
        error = path + QStringLiteral(": ") + error;
    return image;
}

bool save(const QString &path, const ProfileImage &image, QString &error)
{
    return saveSettings(path, [&](QSettings &settings) { image.write(settings, QString()); }, error);
}

QByteArray text(const ProfileImage &image)
{
    QTemporaryDir folder;
    QString error;
    const QString path = folder.filePath(QStringLiteral("profile.pf"));
    QFile file(path);
    if (!folder.isValid() || !save(path, image, error) || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

std::optional<Backup> loadBackup(const QString &path, QString &error)
{
    if (!readable(path, error))
        return std::nullopt;
    const QSettings settings(path, QSettings::IniFormat);
    Backup backup;
    bool ok = false;
    backup.current = settings.value(kBackupGroup + QStringLiteral("/current")).toInt(&ok);
    if (!ok || backup.current < 1 || backup.current > int(backup.profiles.size())) {
        error = path + QStringLiteral(": backup/current is missing or not 1..10 (not a backup file?)");
        return std::nullopt;
    }
    for (std::size_t k = 0; k < backup.profiles.size(); ++k) {
        std::optional<ProfileImage> image = ProfileImage::read(settings, QStringLiteral("profile%1").arg(k + 1), error);
        if (!image) {
            error = path + QStringLiteral(": ") + error;
            return std::nullopt;
        }
        backup.profiles[k] = *image;
    }
    return backup;
}

bool saveBackup(const QString &path, const Backup &backup, QString &error)
{
    return saveSettings(path, [&](QSettings &settings) {
        settings.setValue(kBackupGroup + QStringLiteral("/current"), backup.current);
        for (std::size_t k = 0; k < backup.profiles.size(); ++k)
            backup.profiles[k].write(settings, QStringLiteral("profile%1").arg(k + 1));
    }, error);
}

} // namespace ProfileFiles
