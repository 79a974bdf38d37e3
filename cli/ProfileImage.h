// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <QVariantList>

#include <array>
#include <optional>

// One profile as the application's profile files hold it, and as tarvenix-cli moves it between
// files and the keyboard: the 126 key definitions and five user pictures in scene order, and
// the lighting mode. In a settings file (the application's ".pf" format, also a group of a
// backup file):
//   keydefine/<0..125>    4 numbers
//   userPicture/<0..4>    512 numbers (the first 504 are the 126 keys' groups)
//   color/ledType         5 numbers: effect, speed, light, colour, direction
// Other keys of such a file (colours) are left alone. Every number is 0..255.
struct ProfileImage
{
    static constexpr int kPictures = 5;
    static constexpr int kPictureValues = 512;
    static constexpr int kLedTypeValues = 5;

    QVariantList keyMatrix;                             // 504 integers
    std::array<QVariantList, kPictures> pictures;       // 512 integers each
    QVariantList ledType;                               // 5 integers

    // The profile under `group` ("" for a whole file); nothing, and the first bad key in
    // `error`, when a key is missing or holds anything but its count of numbers 0..255.
    static std::optional<ProfileImage> read(const QSettings &settings, const QString &group, QString &error);
    void write(QSettings &settings, const QString &group) const;

    bool operator==(const ProfileImage &other) const;
    bool operator!=(const ProfileImage &other) const { return !(*this == other); }
};

// Files as a whole; a file is replaced only once it is complete (written beside, renamed over).
namespace ProfileFiles {

// A settings file that exists and can be read; nothing, with the reason, otherwise.
std::optional<ProfileImage> load(const QString &path, QString &error);
bool save(const QString &path, const ProfileImage &image, QString &error);
// The INI text of a profile file, for standard output.
QByteArray text(const ProfileImage &image);

// A backup: every profile (1..10 as "profile1" .. "profile10") and which one was current.
struct Backup
{
    std::array<ProfileImage, 10> profiles;
    int current = 1;
};
std::optional<Backup> loadBackup(const QString &path, QString &error);
bool saveBackup(const QString &path, const Backup &backup, QString &error);

} // namespace ProfileFiles
