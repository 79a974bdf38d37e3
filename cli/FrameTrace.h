// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HidApi.h"

#include <cstdio>

// --verbose: every report that goes to or comes from the keyboard, one line each on standard
// error ("> feature 00 08 ...", "< feature ...", "> output ...", "< input ...", "< event ..."),
// lowercase hex. Reads that deliver nothing (time-outs) are not shown. Forwards every call to
// the HidApi it wraps; safe from several threads as that one is (each line is one write).
class FrameTrace final : public HidApi
{
public:
    FrameTrace(HidApi &inner, std::FILE *out);

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
    // Prints `count` bytes (nothing for a count below 1); returns count.
    int show(const char *what, const unsigned char *data, int count);
    static const char *readKind(size_t reportLength);

    HidApi &m_inner;
    std::FILE *m_out;
};
