// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameTrace.h"

#include <QByteArray>

FrameTrace::FrameTrace(HidApi &inner, std::FILE *out)
    : m_inner(inner)
    , m_out(out)
{
}

int FrameTrace::show(const char *what, const unsigned char *data, int count)
{
    if (count > 0) {
        const QByteArray line = QByteArray(what) + ' '
                                + QByteArray(reinterpret_cast<const char *>(data), count).toHex(' ') + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), m_out);
    }
    return count;
}

// The event interface's reports are 4 bytes; the command interface's are longer.
const char *FrameTrace::readKind(size_t reportLength)
{
    return reportLength == 4 ? "< event" : "< input";
}

hid_device_info *FrameTrace::hid_enumerate(unsigned short vendorId, unsigned short productId)
{
    return m_inner.hid_enumerate(vendorId, productId);
}

void FrameTrace::hid_free_enumeration(hid_device_info *devices) { m_inner.hid_free_enumeration(devices); }
hid_device *FrameTrace::hid_open_path(const char *path) { return m_inner.hid_open_path(path); }
int FrameTrace::hid_set_nonblocking(hid_device *device, int nonblock) { return m_inner.hid_set_nonblocking(device, nonblock); }

int FrameTrace::hid_send_feature_report(hid_device *device, const unsigned char *data, size_t length)
{
    show("> feature", data, int(length));
    return m_inner.hid_send_feature_report(device, data, length);
}

int FrameTrace::hid_get_feature_report(hid_device *device, unsigned char *data, size_t length)
{
    return show("< feature", data, m_inner.hid_get_feature_report(device, data, length));
}

int FrameTrace::hid_write(hid_device *device, const unsigned char *data, size_t length)
{
    show("> output", data, int(length));
    return m_inner.hid_write(device, data, length);
}

int FrameTrace::hid_read(hid_device *device, unsigned char *data, size_t length)
{
    return show(readKind(length), data, m_inner.hid_read(device, data, length));
}

int FrameTrace::hid_read_timeout(hid_device *device, unsigned char *data, size_t length, int milliseconds)
{
    return show(readKind(length), data, m_inner.hid_read_timeout(device, data, length, milliseconds));
}

void FrameTrace::hid_close(hid_device *device) { m_inner.hid_close(device); }

int FrameTrace::hid_get_report_descriptor(hid_device *device, unsigned char *buffer, size_t size)
{
    return m_inner.hid_get_report_descriptor(device, buffer, size);
}
