// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileStore.h"

#include "ReplaceFile.h"
#include "ServicesLog.h"


namespace {

const QString ledTypeKey = QStringLiteral("color/ledType");

QString colorKey(int index)
{
    return QStringLiteral("color/") + QString::number(index);
}

QString userPictureKey(int index)
{
    return QStringLiteral("userPicture/") + QString::number(index);
}

QString keyDefineKey(const QString &position)
{
    return QStringLiteral("keydefine/") + position;
}

std::unique_ptr<QSettings> openProfile(const QString &path)
{
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

} // namespace

ProfileStore::ProfileStore(const QString &baseDir)
    : m_settingDir(baseDir + QStringLiteral("/modules/setting/"))
{
    for (int k = 0; k < profileCount; ++k)
        m_profiles[std::size_t(k)] = openProfile(profilePath(k));
}

ProfileStore::~ProfileStore() = default;

QString ProfileStore::profilePath(int profile) const
{
    return m_settingDir + QLatin1Char('p') + QString::number(profile + 1) + QStringLiteral(".bin");
}

QString ProfileStore::defaultProfilePath() const
{
    return m_settingDir + QStringLiteral("pD.bin");
}

bool ProfileStore::setCurrentProfile(int profile)
{
    if (!isProfile(profile)) {
        qCWarning(lcServices) << "no profile" << profile;
        return false;
    }
    if (profile == m_current)
        return false;
    m_current = profile;
    return true;
}

void ProfileStore::setLedType(int effect, int speed, int light, int color, int direction)
{
    current().setValue(ledTypeKey, QVariantList{effect, speed, light, color, direction});
}

QVariantList ProfileStore::ledType() const
{
    return current().value(ledTypeKey).toList();
}

void ProfileStore::setColor(int index, int red, int green, int blue)
{
    current().setValue(colorKey(index), QVariantList{red, green, blue});
}

QVariantList ProfileStore::color(int index) const
{
    return current().value(colorKey(index)).toList();
}

void ProfileStore::setUserPicture(int index, const QVariantList &picture)
{
    current().setValue(userPictureKey(index), picture);
}

QVariantList ProfileStore::userPicture(int index) const
{
    return current().value(userPictureKey(index)).toList();
}

void ProfileStore::setKeyDefine(int position, const QVariantList &code)
{
    current().setValue(keyDefineKey(QString::number(position)), code);
}

QVariantList ProfileStore::keyDefine(const QVariant &position) const
{
    return current().value(keyDefineKey(position.toString())).toList();
}

bool ProfileStore::exportProfile(int profile, const QString &path)
{
    if (!isProfile(profile))
        return false;
    // The copy is taken from the disk: pending writes of the settings object must be there.
    m_profiles[std::size_t(profile)]->sync();
    return ReplaceFile::copy(profilePath(profile), path);
}

bool ProfileStore::importProfile(int profile, const QString &path)
{
    return isProfile(profile) && replaceProfile(profile, path);
}

bool ProfileStore::resetProfile(int profile)
{
    return isProfile(profile) && replaceProfile(profile, defaultProfilePath());
}

// The old settings object is closed first, so that its pending writes reach the old file and
// cannot later be merged into the new one; a read-only profile file is made writable for that
// flush. The new object is opened on the same name whether or not the copy succeeded: on
// failure it reads the old file, which is still in place.
bool ProfileStore::replaceProfile(int profile, const QString &source)
{
    const QString target = profilePath(profile);
    std::unique_ptr<QSettings> &slot = m_profiles[std::size_t(profile)];
    ReplaceFile::makeWritable(target);
    slot.reset();
    const bool replaced = ReplaceFile::copy(source, target);
    slot = openProfile(target);
    return replaced;
}
