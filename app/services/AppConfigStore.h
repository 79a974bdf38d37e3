// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <QVariantList>

// The application's own preferences, "<base>/modules/setting/apConfig.bin" (INI format), kept
// open for the store's lifetime. The global settings page writes them as one flat list
// ("common/total" and "common/0" ... ); the store neither looks at nor converts the elements.
// Values read back after a restart are text ("true", "1", ...): the caller converts them.
// The key "common/name" (the window title) belongs to the installed file and is never written.
// GUI thread only.
class AppConfigStore
{
public:
    explicit AppConfigStore(const QString &baseDir = QStringLiteral("."));

    // Writes "common/total" = size, then element i under "common/" + i, in order. Entries with
    // higher numbers, left from an earlier, longer list, stay in the file.
    void save(const QVariantList &values);

    // The stored list: "common/total" elements (absent ones read as integer 0). An absent file
    // or key gives an empty list, and so does a damaged file whose total exceeds maxEntries.
    QVariantList load() const;

    QString filePath() const { return m_settings.fileName(); }

    // Far above the settings page's 31 values; guards against a damaged "total".
    static constexpr int maxEntries = 1024;

private:
    QSettings m_settings;
};
