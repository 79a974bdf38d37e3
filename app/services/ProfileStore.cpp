// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileStore.h"

#include "ReplaceFile.h"
#include "ServicesLog.h"
#include "SettingsLock.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

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
    return std::make_unique<QSettings>(SettingsLock::withoutOwnerlessLock(path), QSettings::IniFormat);
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

// A whole profile with five pictures of three-digit values is about 20 kB.
constexpr qint64 maxProfileBytes = 1024 * 1024;

// The keys a profile holds; indexes are unpadded decimals, key positions 0..125, colour and
// picture indexes one byte.
bool isProfileKey(const QString &key)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(keydefine/(\\d|[1-9]\\d|1[01]\\d|12[0-5])"
        "|color/ledType"
        "|(color|userPicture)/(\\d|[1-9]\\d|1\\d\\d|2[0-4]\\d|25[0-5]))$"));
    return pattern.match(key).hasMatch();
}

// Why the file at `path` cannot replace a profile, or nullptr when it can: a settings file of
// plausible size that the toolkit reads without error, holding profile keys and nothing else.
const char *notAProfile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return "the file cannot be read";
    if (info.size() == 0)
        return "the file is empty";
    if (info.size() > maxProfileBytes)
        return "the file is too large";
    const QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return "the file is no settings file";
    const QStringList keys = file.allKeys();
    if (keys.isEmpty())
        return "the file holds no profile keys";
    for (const QString &key : keys) {
        if (!isProfileKey(key))
            return "the file holds keys of something else";
    }
    return nullptr;
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
    if (!isProfile(profile))
        return false;
    if (const char *reason = notAProfile(path)) {
        qCInfo(lcServices, "profile import refused: %s", reason);
        return false;
    }
    return replaceProfile(profile, path);
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
