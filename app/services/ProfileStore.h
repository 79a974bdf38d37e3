// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <array>
#include <memory>

// The on-disk mirror of the keyboard's ten profiles: "<base>/modules/setting/p1.bin" ...
// "p10.bin" (profile index 0 ... 9), each an INI settings object opened at construction in
// that order and kept open, plus the template "pD.bin" that a reset copies. Every write and
// every read below uses the current profile; nothing here talks to the keyboard.
//
// File format (keys are only added or overwritten, never removed):
//   "keydefine/" + position (0..125)  list of 4 numbers, the key code as the scene passed it
//   "color/ledType"                   list [effect, speed, light, color, direction]
//   "color/" + index                  list [red, green, blue]
//   "userPicture/" + index (0..4)     list of 512 numbers as the scene passed them
// Lists are stored as comma-separated texts; after a restart their elements come back as text,
// and the getters hand them on unconverted. A getter for a key never written returns an empty
// list.
//
// Import, reset and export replace whole files atomically: a failed copy leaves the old file,
// and the old profile's settings object, in place. GUI thread only.
class ProfileStore
{
public:
    static constexpr int profileCount = 10;

    explicit ProfileStore(const QString &baseDir = QStringLiteral("."));
    ~ProfileStore();
    ProfileStore(const ProfileStore &) = delete;
    ProfileStore &operator=(const ProfileStore &) = delete;

    int currentProfile() const { return m_current; }
    // True when `profile` (0..9) differs from the current one and has become current: the
    // caller then tells the keyboard. An equal or out-of-range index changes nothing.
    bool setCurrentProfile(int profile);

    void setLedType(int effect, int speed, int light, int color, int direction);
    QVariantList ledType() const;
    void setColor(int index, int red, int green, int blue);
    QVariantList color(int index) const;
    void setUserPicture(int index, const QVariantList &picture);
    QVariantList userPicture(int index) const;
    void setKeyDefine(int position, const QVariantList &code);
    // `position` as the scene passed it; its text names the key.
    QVariantList keyDefine(const QVariant &position) const;

    // Copies profile `profile`'s file, with its latest writes, to `path` (any name, typically
    // "*.pf"), replacing an existing file there, read-only or not.
    bool exportProfile(int profile, const QString &path);
    // Replaces profile `profile` with the file at `path` when that is a profile: a settings file
    // of at most 1 MiB holding only the keys above. Anything else (a picture, an empty file, a
    // file of other keys) is refused with one line logged, and the profile stays.
    bool importProfile(int profile, const QString &path);
    // Replaces profile `profile` with the template "pD.bin".
    bool resetProfile(int profile);

    QString profilePath(int profile) const;
    QString defaultProfilePath() const;

private:
    static bool isProfile(int profile) { return profile >= 0 && profile < profileCount; }
    bool replaceProfile(int profile, const QString &source);
    QSettings &current() const { return *m_profiles[std::size_t(m_current)]; }

    QString m_settingDir;
    std::array<std::unique_ptr<QSettings>, profileCount> m_profiles;
    int m_current = 0;
};
