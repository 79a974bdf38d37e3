// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceDescriptor.h"

#include <QSettings>

namespace {

// A missing key, an empty text and a text that is not hexadecimal all convert to 0.
quint16 hexValue(const QSettings &settings, const QString &key)
{
    return quint16(settings.value(key).toString().toUInt(nullptr, 16));
}

// More device sections than any descriptor holds: a damaged "common/total" must not make a
// discovery run build (and enumerate) billions of default descriptors.
constexpr int maxSections = 256;

} // namespace

// The descriptor is compiled into this static library; its resource must be registered
// explicitly, since nothing else references it.
static void registerDescriptorResource()
{
    Q_INIT_RESOURCE(device);
}

QList<DeviceDescriptor> readDeviceDescriptors(const QString &path)
{
    static const bool registered = (registerDescriptorResource(), true);
    Q_UNUSED(registered)
    QSettings settings(path, QSettings::IniFormat);
    QList<DeviceDescriptor> descriptors;
    for (int n = 0; n < qMin(settings.value(QStringLiteral("common/total"), 0).toInt(), maxSections); ++n) {
        const QString section = QString::number(n) + QLatin1Char('/');
        DeviceDescriptor d;
        const QString type = settings.value(section + QLatin1String("type")).toString();
        d.type = type.isNull() ? -1 : static_cast<qint32>(type.toUInt(nullptr, 16));
        d.vid = hexValue(settings, section + QLatin1String("vid"));
        d.pid = hexValue(settings, section + QLatin1String("pid"));
        d.usagePage = hexValue(settings, section + QLatin1String("usagePage"));
        d.usage = hexValue(settings, section + QLatin1String("usage"));
        d.usagePage2 = hexValue(settings, section + QLatin1String("usagePage2"));
        d.usage2 = hexValue(settings, section + QLatin1String("usage2"));
        d.lib = settings.value(section + QLatin1String("lib")).toString();
        d.modelName = settings.value(section + QLatin1String("modelName")).toString();
        descriptors.append(d);
    }
    return descriptors;
}
