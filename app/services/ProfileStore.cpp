// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileStore.h"

#include "ReplaceFile.h"
#include "ServicesLog.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

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

// The toolkit keeps the values of a closed settings file and takes them up again for a new
// settings object on the same name when the file's size and modification time are as it last
// saw them. A replacement of the same size within the same clock tick would so show the old
// profile, and the next write would put the old profile back over the new file. Such a
// replacement is dated one second before the file it replaced, which makes it a new file.
void setApartFromReplaced(const QString &path, qint64 replacedSize, const QDateTime &replacedTime)
{
    const QFileInfo replacement(path);
    if (!replacedTime.isValid() || replacement.size() != replacedSize
        || replacement.lastModified() != replacedTime)
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)
        || !file.setFileTime(replacedTime.addSecs(-1), QFileDevice::FileModificationTime))
        qCWarning(lcServices) << "cannot set apart" << path << file.errorString();
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
    const QFileInfo replaced(target);
    const qint64 replacedSize = replaced.size();
    const QDateTime replacedTime = replaced.lastModified();
    const bool copied = ReplaceFile::copy(source, target);
    if (copied)
        setApartFromReplaced(target, replacedSize, replacedTime);
    slot = openProfile(target);
    return copied;
}
