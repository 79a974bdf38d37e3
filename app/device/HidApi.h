// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <hidapi/hidapi.h>

// The seam between the device link and the USB HID library. Every call keeps hidapi's own
// name, arguments and contract: counts or -1, 0 from a timed read meaning "nothing yet",
// null handles on failure. The production implementation forwards to the system's shared
// hidapi (hidraw back end); the simulated keyboard implements the same interface.
//
// Thread contract: an implementation must accept calls from several threads at once, on
// different handles (the command and the event interface are used concurrently).
class HidApi
{
public:
    virtual ~HidApi();

    virtual hid_device_info *hid_enumerate(unsigned short vendorId, unsigned short productId) = 0;
    virtual void hid_free_enumeration(hid_device_info *devices) = 0;
    virtual hid_device *hid_open_path(const char *path) = 0;
    virtual int hid_set_nonblocking(hid_device *device, int nonblock) = 0;
    virtual int hid_send_feature_report(hid_device *device, const unsigned char *data, size_t length) = 0;
    virtual int hid_get_feature_report(hid_device *device, unsigned char *data, size_t length) = 0;
    virtual int hid_write(hid_device *device, const unsigned char *data, size_t length) = 0;
    virtual int hid_read(hid_device *device, unsigned char *data, size_t length) = 0;
    virtual int hid_read_timeout(hid_device *device, unsigned char *data, size_t length, int milliseconds) = 0;
    virtual void hid_close(hid_device *device) = 0;
    // The interface's HID report descriptor, as later releases of hidapi give it: the number of
    // bytes copied into `buffer`, or -1. This one answers -1: no descriptor is known.
    virtual int hid_get_report_descriptor(hid_device *device, unsigned char *buffer, size_t size);

    // The system's hidapi; initialised on first use, which the owner of the device link does
    // on the main thread before any other thread can open a device.
    static HidApi &system();
};
