// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemHidApi.h"

HidApi::~HidApi() = default;

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
hid_device *SystemHidApi::hid_open_path(const char *path) { return ::hid_open_path(path); }
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

void SystemHidApi::hid_close(hid_device *device) { ::hid_close(device); }
