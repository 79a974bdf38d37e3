// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemHidApi.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// The longest report descriptor the kernel keeps (HID_MAX_DESCRIPTOR_SIZE).
constexpr qint64 kMaximumDescriptorSize = 4096;

} // namespace

HidApi::~HidApi() = default;

int HidApi::hid_get_report_descriptor(hid_device *, unsigned char *, size_t)
{
    return -1;
}

HidApi &HidApi::system()
{
    static SystemHidApi api;
    return api;
}

// hid_init is not safe to race with a first open from another thread, so it is called here,
// once, before the device link starts any pool task.
SystemHidApi::SystemHidApi() { ::hid_init(); }
SystemHidApi::~SystemHidApi() { ::hid_exit(); }

hid_device_info *SystemHidApi::hid_enumerate(unsigned short vendorId, unsigned short productId)
{
    return ::hid_enumerate(vendorId, productId);
}

void SystemHidApi::hid_free_enumeration(hid_device_info *devices) { ::hid_free_enumeration(devices); }
hid_device *SystemHidApi::hid_open_path(const char *path)
{
    hid_device *device = ::hid_open_path(path);
    if (device) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_paths[device] = path;
    }
    return device;
}
int SystemHidApi::hid_set_nonblocking(hid_device *device, int nonblock) { return ::hid_set_nonblocking(device, nonblock); }

int SystemHidApi::hid_send_feature_report(hid_device *device, const unsigned char *data, size_t length)
{
    return ::hid_send_feature_report(device, data, length);
}

int SystemHidApi::hid_get_feature_report(hid_device *device, unsigned char *data, size_t length)
{
    return ::hid_get_feature_report(device, data, length);
}

int SystemHidApi::hid_write(hid_device *device, const unsigned char *data, size_t length) { return ::hid_write(device, data, length); }
int SystemHidApi::hid_read(hid_device *device, unsigned char *data, size_t length) { return ::hid_read(device, data, length); }

int SystemHidApi::hid_read_timeout(hid_device *device, unsigned char *data, size_t length, int milliseconds)
{
    return ::hid_read_timeout(device, data, length, milliseconds);
}

void SystemHidApi::hid_close(hid_device *device)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_paths.erase(device);
    }
    ::hid_close(device);
}

// The hidraw back end's paths are the nodes' device files, /dev/hidrawN; the kernel keeps the
// descriptor at /sys/class/hidraw/hidrawN/device/report_descriptor.
int SystemHidApi::hid_get_report_descriptor(hid_device *device, unsigned char *buffer, size_t size)
{
    std::string path;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_paths.find(device);
        if (found == m_paths.end())
            return -1;
        path = found->second;
    }
    const QString node = QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName();
    if (!node.startsWith(QLatin1String("hidraw")))
        return -1;
    QFile file(QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor").arg(node));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray descriptor = file.read(std::min<qint64>(qint64(size), kMaximumDescriptorSize));
    if (descriptor.isEmpty() && file.error() != QFile::NoError)
        return -1;
    std::copy(descriptor.cbegin(), descriptor.cend(), buffer);
    return descriptor.size();
}
