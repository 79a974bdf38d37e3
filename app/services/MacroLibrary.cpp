// SPDX-License-Identifier: GPL-3.0-or-later
#include "MacroLibrary.h"

#include "SettingsLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QVariantMap>

#include <algorithm>

namespace {

const QString kExtension = QStringLiteral(".bin");
const QString kIndexKey = QStringLiteral("config/index");
const QString kTotalKey = QStringLiteral("config/total");
const QString kRepeatKey = QStringLiteral("config/repeat");
const QString kStepsGroup = QStringLiteral("macro");

constexpr int kUnbound = -1;
constexpr int kDefaultRepeat = 1;
constexpr int kNameDigits = 3;

QString stepKey(int i)
{
    return kStepsGroup + QLatin1Char('/') + QString::number(i);
}

// A hand-edited or damaged value must not read as slot 0.
int intValue(const QSettings &file, const QString &key, int fallback)
{
    bool ok = false;
    const int value = file.value(key).toInt(&ok);
    return ok ? value : fallback;
}

// The step keys of a file as they are, damaged ones included.
struct StoredSteps {
    QVariant total;
    QVariantMap steps;
};

StoredSteps storedSteps(QSettings &file)
{
    StoredSteps stored{file.value(kTotalKey), {}};
    file.beginGroup(kStepsGroup);
    const QStringList keys = file.childKeys();
    for (const QString &key : keys)
        stored.steps.insert(key, file.value(key));
    file.endGroup();
    return stored;
}

void restoreSteps(QSettings &file, const StoredSteps &stored)
{
    file.remove(kStepsGroup);
    if (stored.total.isValid())
        file.setValue(kTotalKey, stored.total);
    else
        file.remove(kTotalKey);
    for (auto it = stored.steps.cbegin(); it != stored.steps.cend(); ++it)
        file.setValue(kStepsGroup + QLatin1Char('/') + it.key(), it.value());
}

} // namespace

MacroLibrary::MacroLibrary(const QString &baseDir)
    : m_dir(QDir(baseDir).filePath(QStringLiteral("modules/macro")))
{
}

QString MacroLibrary::directory() const
{
    return m_dir;
}

bool MacroLibrary::isValidName(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.contains(QLatin1String("..")))
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control; });
}

QString MacroLibrary::existingFile(const QString &name) const
{
    if (!isValidName(name))
        return QString();
    const QString path = QDir(m_dir).filePath(name + kExtension);
    return QFileInfo(path).isFile() ? path : QString();
}

QString MacroLibrary::create()
{
    // Ends at the first number without a file, at most one past the library's entry count.
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("Macro. %1").arg(n, kNameDigits, 10, QLatin1Char('0'));
        const QString path = QDir(m_dir).filePath(name + kExtension);
        if (QFileInfo::exists(path))
            continue;
        QDir().mkpath(m_dir);
        QSettings file(SettingsLock::withoutOwnerlessLock(path), QSettings::IniFormat);
        file.setValue(kIndexKey, kUnbound);
        file.setValue(kTotalKey, 0);
        file.setValue(kRepeatKey, kDefaultRepeat);
        file.sync();
        return file.status() == QSettings::NoError && QFileInfo(path).isFile() ? name : QString();
    }
}

bool MacroLibrary::remove(const QString &name)
{
    const QString path = existingFile(name);
    if (path.isEmpty())
        return false;
    if (QFile::remove(path))
        return true;
    const QFile::Permissions before = QFile::permissions(path);
    QFile::setPermissions(path, before | QFile::WriteOwner | QFile::WriteUser);
    if (QFile::remove(path))
        return true;
    QFile::setPermissions(path, before);
    return false;
}

QStringList MacroLibrary::fileNames() const
{
    const QStringList entries = QDir(m_dir).entryList(QStringList{QLatin1Char('*') + kExtension},
                                                      QDir::Files, QDir::Name | QDir::IgnoreCase);
    QStringList names;
    for (const QString &entry : entries) {
        if (isValidName(entry.chopped(kExtension.size())))
            names.append(entry);
    }
    return names;
}

bool MacroLibrary::save(const QString &name, const QStringList &steps)
{
    const QString path = existingFile(name);
    if (path.isEmpty())
        return false;
    QSettings file(SettingsLock::withoutOwnerlessLock(path), QSettings::IniFormat);
    const StoredSteps before = storedSteps(file);
    file.remove(kStepsGroup);
    file.setValue(kTotalKey, steps.size());
    for (int i = 0; i < steps.size(); ++i)
        file.setValue(stepKey(i), steps.at(i));
    file.sync();
    if (file.status() == QSettings::NoError)
        return true;
    // The toolkit keeps changes it could not write in memory, where every later reader of this
    // file in the process would see them: put back what the file holds.
    restoreSteps(file, before);
    return false;
}

QStringList MacroLibrary::load(const QString &name) const
{
    const QString path = existingFile(name);
    if (path.isEmpty())
        return QStringList();
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup(kStepsGroup);
    const int stored = file.childKeys().size();
    file.endGroup();
    // A damaged total cannot make the list longer than the file: no huge loop on a bad count.
    const int total = std::min(intValue(file, kTotalKey, 0), stored);
    QStringList steps;
    for (int i = 0; i < total; ++i)
        steps.append(file.value(stepKey(i), 0).toString());
    return steps;
}

QVariantList MacroLibrary::config(const QString &name) const
{
    const QString path = existingFile(name);
    if (path.isEmpty())
        return QVariantList();
    const QSettings file(path, QSettings::IniFormat);
    return {intValue(file, kIndexKey, kUnbound), intValue(file, kRepeatKey, kDefaultRepeat)};
}

void MacroLibrary::setConfig(const QString &name, const QVariantList &config)
{
    const QString path = existingFile(name);
    if (path.isEmpty() || config.size() < 2)
        return;
    QSettings file(SettingsLock::withoutOwnerlessLock(path), QSettings::IniFormat);
    file.setValue(kIndexKey, config.at(0));
    file.setValue(kRepeatKey, config.at(1));
}
