// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppConfigStore.h"

#include "ServicesLog.h"
#include "SettingsLock.h"


namespace {

const QString totalKey = QStringLiteral("common/total");

QString entryKey(int i)
{
    return QStringLiteral("common/") + QString::number(i);
}

} // namespace

AppConfigStore::AppConfigStore(const QString &baseDir)
    : m_settings(SettingsLock::withoutOwnerlessLock(baseDir + QStringLiteral("/modules/setting/apConfig.bin")),
                 QSettings::IniFormat)
{
}

void AppConfigStore::save(const QVariantList &values)
{
    m_settings.setValue(totalKey, values.size());
    for (int i = 0; i < values.size(); ++i)
        m_settings.setValue(entryKey(i), values.at(i));
}

QVariantList AppConfigStore::load() const
{
    const int total = m_settings.value(totalKey, 0).toInt();
    if (total > maxEntries) {
        qCWarning(lcServices) << m_settings.fileName() << "holds an implausible total" << total;
        return {};
    }
    QVariantList values;
    for (int i = 0; i < total; ++i)
        values.append(m_settings.value(entryKey(i), 0));
    return values;
}
