// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlatform.h"

QByteArray chooseWindowPlatform(const QProcessEnvironment &environment)
{
    const auto isSet = [&environment](const char *name) {
        return !environment.value(QLatin1String(name)).isEmpty();
    };
    if (isSet("QT_QPA_PLATFORM") || !isSet("WAYLAND_DISPLAY") || !isSet("DISPLAY"))
        return QByteArray();
    return QByteArrayLiteral("xcb");
}
