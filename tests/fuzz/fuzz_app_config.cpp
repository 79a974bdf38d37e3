// SPDX-License-Identifier: GPL-3.0-or-later
// The application configuration file: the list the settings page stores, and the window title.
#include "AppConfigStore.h"
#include "FuzzTree.h"

#include <QSettings>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fuzz::Tree tree;
    const QString file = tree.put(QStringLiteral("modules/setting/apConfig.bin"), data, size);
    const AppConfigStore store(tree.base());
    for (const QVariant &value : store.load())
        value.toString();
    QSettings(file, QSettings::IniFormat).value(QStringLiteral("common/name")).toString();
    return 0;
}
