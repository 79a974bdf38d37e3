// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HidApi.h"

#include <map>
#include <mutex>
#include <string>

// Forwards every call to the system's shared libhidapi-hidraw. The report descriptor, which the
// library's release on our systems cannot give yet, comes from sysfs, where the kernel keeps it
// beside each hidraw node.
class SystemHidApi final : public HidApi
{
public:
    SystemHidApi();
    ~SystemHidApi() override;

    hid_device_info *hid_enumerate(unsigned short vendorId, unsigned short productId) override;
    void hid_free_enumeration(hid_device_info *devices) override;
    hid_device *hid_open_path(const char *path) override;
    int hid_set_nonblocking(hid_device *device, int nonblock) override;
    int hid_send_feature_report(hid_device *device, const unsigned char *data, size_t length) override;
    int hid_get_feature_report(hid_device *device, unsigned char *data, size_t length) override;
    int hid_write(hid_device *device, const unsigned char *data, size_t length) override;
    int hid_read(hid_device *device, unsigned char *data, size_t length) override;
    int hid_read_timeout(hid_device *device, unsigned char *data, size_t length, int milliseconds) override;
    void hid_close(hid_device *device) override;
    int hid_get_report_descriptor(hid_device *device, unsigned char *buffer, size_t size) override;

private:
    std::mutex m_mutex;
    std::map<hid_device *, std::string> m_paths;   // of every open device, for its descriptor
};
