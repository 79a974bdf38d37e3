// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the keyboard answers over the device link: the feature reply of every get command,
// the payload reports of the bulk gets, and the event reports the listener decodes. The input
// decides, call by call, how many bytes a read delivers (or that it fails) and which.
#include "DeviceDescriptor.h"
#include "Hid_Thread.h"
#include "InstallationFlags.h"
#include "VendorEventSink.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <thread>

namespace {

constexpr unsigned short vendor = 0x1209;
constexpr unsigned short product = 0x0001;

// A keyboard whose every answer comes from the fuzzer's input. Opening and sending always work;
// once the input is used up the keyboard is gone, which ends the event listener.
class FuzzedKeyboard final : public HidApi
{
public:
    explicit FuzzedKeyboard(FuzzedDataProvider &input) : m_input(input) {}

    hid_device_info *hid_enumerate(unsigned short, unsigned short) override
    {
        auto *command = new hid_device_info{};
        auto *event = new hid_device_info{};
        command->path = strdup("command");
        command->usage_page = 0xFF01;
        command->usage = 1;
        command->next = event;
        event->path = strdup("event");
        event->usage_page = 0xFF02;
        event->usage = 1;
        return command;
    }
    void hid_free_enumeration(hid_device_info *devices) override
    {
        while (devices) {
            hid_device_info *next = devices->next;
            free(devices->path);
            delete devices;
            devices = next;
        }
    }
    hid_device *hid_open_path(const char *path) override
    {
        if (!m_input.remaining_bytes())
            return nullptr;
        return reinterpret_cast<hid_device *>(std::strcmp(path, "event") == 0 ? &m_event : &m_command);
    }
    int hid_set_nonblocking(hid_device *, int) override { return 0; }
    int hid_send_feature_report(hid_device *, const unsigned char *, size_t length) override { return int(length); }
    int hid_get_feature_report(hid_device *, unsigned char *data, size_t length) override { return answer(data, length); }
    int hid_write(hid_device *, const unsigned char *, size_t length) override { return int(length); }
    int hid_read(hid_device *, unsigned char *data, size_t length) override { return answer(data, length); }
    // A failed event read makes the listener pause 50 ms: the listener is given only time-outs
    // and reports, which is all it decodes.
    int hid_read_timeout(hid_device *device, unsigned char *data, size_t length, int) override
    {
        return answer(data, length, device == reinterpret_cast<hid_device *>(&m_event) ? 0 : -1);
    }
    void hid_close(hid_device *) override {}

private:
    // -1 (unless `least` is 0), or 0 .. length bytes of the input: hidapi never delivers more
    // than asked for.
    int answer(unsigned char *data, size_t length, int least = -1)
    {
        const int got = m_input.ConsumeIntegralInRange<int>(least, int(length));
        if (got <= 0)
            return got;
        const std::vector<unsigned char> bytes = m_input.ConsumeBytes<unsigned char>(size_t(got));
        if (bytes.empty())
            return 0;
        std::memcpy(data, bytes.data(), bytes.size());
        return int(bytes.size());
    }

    FuzzedDataProvider &m_input;
    char m_command = 0;
    char m_event = 0;
};

class Events final : public VendorEventSink
{
public:
    void vendorEvent(quint32 code) override { last = code; }
    quint32 last = 0;
};

DeviceDescriptor keyboardDescriptor()
{
    DeviceDescriptor d;
    d.type = 0;
    d.vid = vendor;
    d.pid = product;
    d.usagePage = 0xFF01;
    d.usage = 1;
    d.usagePage2 = 0xFF02;
    d.usage2 = 1;
    return d;
}

void everyGet(Hid_Thread &link)
{
    QString version;
    uchar a = 0, b = 0, c = 0, d = 0, e = 0;
    std::array<uchar, 512> buffer{};
    link.hid_80H_GetFWVersion(version);
    link.hid_81H_GetReportRate(a);
    link.hid_82H_GetCurrentProfile(a);
    link.hid_83H_GetKeyboardoption(a, b, c, d);
    link.hid_84H_GetButtonSensitivity(a, b, c, d);
    link.hid_88H_GetLEDType(a, b, c, d, e);
    link.hid_89H_GetKeyboardMode(a);
    link.hid_8DH_GetKeyMatrix(buffer.data());
    link.hid_8EH_GetKeyOnOff(buffer.data());
    link.hid_91H_GetMacroKey(a, buffer.data());
    link.hid_92H_GetUserPicture(b, buffer.data());
    link.hid_94H_GetColor(c, a, b, d);
}

} // namespace


extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The installation is taken as verified: the link exchanges nothing otherwise.
    imagesVerified = true;
    langVerified = true;
    FuzzedDataProvider input(data, size);
    FuzzedKeyboard keyboard(input);
    Events events;
    Hid_Thread link(keyboard);
    link.setOwner(&events);
    link.enumerateDevices({keyboardDescriptor()});
    everyGet(link);
    // What is left is read by the listener, until the input is used up and the keyboard gone.
    link.startListener();
    while (link.isListening())
        std::this_thread::yield();
    return 0;
}
