// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedKeyboard.h"

#include "SimulatedKeyboardObserver.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

constexpr unsigned short kVendorId = TARVENIX_USB_VID;
constexpr unsigned short kProductId = TARVENIX_USB_PID;
constexpr int kFrameSize = 9;
constexpr int kReportDataSize = 64;
constexpr qint64 kMinimumPauseNs = 7'500'000;   // 8 ms, less the clock's jitter
constexpr int kBlockingReadLimitMs = 5000;      // a blocking read nobody answers is a host fault
constexpr qint64 kPollIntervalMs = 1;          // the event interface's interrupt endpoint
constexpr quint32 kAcknowledgement = 0x04040000;
constexpr quint32 kModeReport = 0x04050000;     // | mode << 8

// The keyboard interface speaks the boot protocol: modifier bits (usages E0..E7), a reserved
// byte, six key bytes.
constexpr unsigned char kBootKeyboardDescriptor[] = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,             // Generic Desktop, Keyboard, application
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7,             //   Keyboard page, usages E0..E7
    0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, //   8 one-bit values 0..1
    0x81, 0x02,                                     //   Input (data, variable): modifiers
    0x95, 0x01, 0x75, 0x08, 0x81, 0x01,             //   Input (constant): reserved byte
    0x95, 0x05, 0x75, 0x01, 0x05, 0x08,             //   LED page
    0x19, 0x01, 0x29, 0x05, 0x91, 0x02,             //   Output: five indicator lights
    0x95, 0x01, 0x75, 0x03, 0x91, 0x01,             //   Output (constant): padding
    0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, //   6 bytes 0..0x65
    0x05, 0x07, 0x19, 0x00, 0x29, 0x65,             //   Keyboard page, usages 0..0x65
    0x81, 0x00,                                     //   Input (data, array): keys
    0xC0,                                           // end of collection
};
constexpr int kBootKeys = 6;
constexpr unsigned char kFirstModifier = 0xE0;
constexpr unsigned char kLastModifier = 0xE7;
constexpr unsigned char kErrorRollOver = 0x01;

constexpr unsigned char bytes(std::initializer_list<int> positions)
{
    unsigned char mask = 0;
    for (int p : positions)
        mask |= static_cast<unsigned char>(1u << p);
    return mask;
}

// What the firmware accepts: the frame bytes a command may use (all others must be 0), the
// payload that follows a bulk set or answers a bulk get, and the count a bulk set announces
// in byte 4.
struct CommandRule
{
    unsigned char command;
    unsigned char usedBytes;
    int payload;
    unsigned char announced;
};

constexpr CommandRule kCommands[] = {
    {0x01, bytes({2}), 0, 0},
    {0x02, bytes({2}), 0, 0},
    {0x03, bytes({2, 3, 4, 5}), 0, 0},
    {0x04, bytes({2, 3, 4, 5}), 0, 0},
    {0x07, bytes({2, 3}), 0, 0},
    {0x08, bytes({2, 3, 4, 5, 6, 7}), 0, 0},
    {0x09, bytes({2}), 0, 0},
    {0x0D, bytes({4}), 512, 0x08},
    {0x0E, bytes({4}), 21, 0x15},
    {0x11, bytes({3, 4}), 192, 0x03},
    {0x12, bytes({3, 4, 5}), 512, 0x08},
    {0x13, bytes({2}), 0, 0},
    {0x14, bytes({3, 4, 5, 6}), 0, 0},
    {0x80, 0, 0, 0},
    {0x81, 0, 0, 0},
    {0x82, 0, 0, 0},
    {0x83, 0, 0, 0},
    {0x84, 0, 0, 0},
    {0x88, 0, 0, 0},
    {0x89, 0, 0, 0},
    {0x8D, 0, 512, 0},
    {0x8E, 0, 21, 0},
    {0x91, bytes({3}), 192, 0},
    {0x92, bytes({3}), 512, 0},
    {0x94, bytes({3}), 0, 0},
};

const CommandRule *ruleFor(unsigned char command)
{
    for (const CommandRule &rule : kCommands) {
        if (rule.command == command)
            return &rule;
    }
    return nullptr;
}

bool isSet(unsigned char command) { return command < 0x80; }

unsigned char checksum(const unsigned char *frame)
{
    int sum = 0;
    for (int i = 1; i <= 7; ++i)
        sum += frame[i];
    return static_cast<unsigned char>(~sum);
}

QString hex(const unsigned char *data, size_t length)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(data), int(length)).toHex(' '));
}

QString hexByte(unsigned char value) { return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')); }

hid_device *asDevice(void *handle) { return reinterpret_cast<hid_device *>(handle); }

} // namespace

SimulatedKeyboard::SimulatedKeyboard(unsigned short releaseNumber)
    : m_release(releaseNumber)
{
    m_clock.start();
}

SimulatedKeyboard::~SimulatedKeyboard()
{
    for (Handle *handle : m_handles)
        delete handle;
}

// --- the seam -------------------------------------------------------------------------------

QString SimulatedKeyboard::pathOf(Interface interface) const
{
    const char *name = interface == Interface::Command ? "command" : interface == Interface::Event ? "event" : "keyboard";
    return QStringLiteral("sim:%1:%2").arg(m_generation).arg(QLatin1String(name));
}

QString SimulatedKeyboard::commandPath() const
{
    Lock lock(m_mutex);
    return pathOf(Interface::Command);
}

QString SimulatedKeyboard::eventPath() const
{
    Lock lock(m_mutex);
    return pathOf(Interface::Event);
}

QString SimulatedKeyboard::keyboardPath() const
{
    Lock lock(m_mutex);
    return pathOf(Interface::Keyboard);
}

hid_device_info *SimulatedKeyboard::hid_enumerate(unsigned short vendorId, unsigned short productId)
{
    Lock lock(m_mutex);
    if (!m_plugged || (vendorId && vendorId != kVendorId) || (productId && productId != kProductId))
        return nullptr;
    hid_device_info *first = nullptr;
    hid_device_info **next = &first;
    struct Listed
    {
        Interface interface;
        unsigned short usagePage;
        unsigned short usage;
    };
    const Listed interfaces[] = {
        {Interface::Command, 0xFF01, 0x0001}, {Interface::Event, 0xFF02, 0x0001}, {Interface::Keyboard, 0x0001, 0x0006}};
    int number = 0;
    for (const auto &[interface, usagePage, usage] : interfaces) {
        auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
        info->path = strdup(pathOf(interface).toLatin1().constData());
        info->vendor_id = kVendorId;
        info->product_id = kProductId;
        info->release_number = m_release;
        info->usage_page = usagePage;
        info->usage = usage;
        info->interface_number = number++;
        *next = info;
        next = &info->next;
    }
    record(QStringLiteral("enumerate %1:%2").arg(vendorId, 4, 16, QLatin1Char('0')).arg(productId, 4, 16, QLatin1Char('0')));
    return first;
}

void SimulatedKeyboard::hid_free_enumeration(hid_device_info *devices)
{
    while (devices) {
        hid_device_info *next = devices->next;
        std::free(devices->path);
        std::free(devices);
        devices = next;
    }
}

hid_device *SimulatedKeyboard::hid_open_path(const char *path)
{
    Lock lock(m_mutex);
    Fault fault;
    if (takeFault(Step::Open, fault)) {
        if (fault == Fault::Unplug)
            unplugLocked();
        record(QStringLiteral("open %1 failed (injected)").arg(QLatin1String(path)));
        return nullptr;
    }
    const QString wanted = QString::fromLatin1(path);
    for (Interface interface : {Interface::Command, Interface::Event, Interface::Keyboard}) {
        if (m_plugged && wanted == pathOf(interface)) {
            auto *handle = new Handle{interface, m_generation, {}};
            m_handles.insert(handle);
            record(QStringLiteral("open %1").arg(wanted));
            return asDevice(handle);
        }
    }
    record(QStringLiteral("open %1 failed: no such interface").arg(wanted));
    return nullptr;
}

int SimulatedKeyboard::hid_set_nonblocking(hid_device *device, int nonblock)
{
    Lock lock(m_mutex);
    if (!liveHandle(device))
        return -1;
    if (nonblock)
        violation(QStringLiteral("interface switched to non-blocking reads"));
    return 0;
}

void SimulatedKeyboard::hid_close(hid_device *device)
{
    Lock lock(m_mutex);
    auto *handle = reinterpret_cast<Handle *>(device);
    if (m_handles.erase(handle) == 0) {
        violation(QStringLiteral("close of a handle that is not open"));
        return;
    }
    delete handle;
}

int SimulatedKeyboard::hid_send_feature_report(hid_device *device, const unsigned char *data, size_t length)
{
    applyLatency();
    Lock lock(m_mutex);
    Handle *handle = liveHandle(device);
    Fault fault;
    if (takeFault(Step::SendFeature, fault)) {
        if (fault == Fault::Unplug)
            unplugLocked();
        record(QStringLiteral("feature out failed (injected)"));
        return -1;
    }
    if (!handle || !stillThere(handle))
        return -1;
    const QByteArray report(reinterpret_cast<const char *>(data), int(length));
    m_featureReports.append(report);
    if (m_observer)
        m_observer->reportReceived(SimulatedKeyboardObserver::Report::Feature, report);
    record(QStringLiteral("feature out %1").arg(hex(data, length)));
    if (handle->interface != Interface::Command) {
        violation(QStringLiteral("feature report sent to the event interface"));
        return -1;
    }
    if (length != kFrameSize) {
        violation(QStringLiteral("feature report of %1 bytes, expected 9").arg(length));
        return -1;
    }
    handleFrame(data);
    return int(length);
}

int SimulatedKeyboard::hid_get_feature_report(hid_device *device, unsigned char *data, size_t length)
{
    applyLatency();
    Lock lock(m_mutex);
    Handle *handle = liveHandle(device);
    Fault fault;
    const bool faulty = takeFault(Step::GetFeature, fault);
    if (faulty && (fault == Fault::Fail || fault == Fault::Unplug)) {
        if (fault == Fault::Unplug)
            unplugLocked();
        record(QStringLiteral("feature in failed (injected)"));
        return -1;
    }
    if (!handle || !stillThere(handle))
        return -1;
    if (m_reply.isEmpty()) {
        violation(QStringLiteral("reply read without a get command"));
        return -1;
    }
    if (length < kFrameSize || data[0] != 0x00)
        violation(QStringLiteral("reply read into %1 bytes with report ID %2").arg(length).arg(data[0]));
    const QByteArray reply = std::exchange(m_reply, QByteArray());
    const int got = deliver(reply, faulty, fault, data, length);
    record(QStringLiteral("feature in %1").arg(hex(data, size_t(std::max(got, 0)))));
    return got;
}

int SimulatedKeyboard::hid_write(hid_device *device, const unsigned char *data, size_t length)
{
    applyLatency();
    Lock lock(m_mutex);
    Handle *handle = liveHandle(device);
    Fault fault;
    if (takeFault(Step::Write, fault)) {
        if (fault == Fault::Unplug)
            unplugLocked();
        record(QStringLiteral("output failed (injected)"));
        return -1;
    }
    if (!handle || !stillThere(handle))
        return -1;
    const QByteArray report(reinterpret_cast<const char *>(data), int(length));
    m_outputReports.append(report);
    if (m_observer)
        m_observer->reportReceived(SimulatedKeyboardObserver::Report::Output, report);
    record(QStringLiteral("output %1").arg(hex(data, length)));
    IncomingPayload &in = m_incoming;
    if (in.length == 0) {
        violation(QStringLiteral("output report without a bulk set command"));
        return int(length);
    }
    const int chunk = std::min(in.length, kReportDataSize);
    if (length != size_t(chunk) + 1 || data[0] != 0x00)
        violation(QStringLiteral("payload report of %1 bytes with report ID %2, expected %3 bytes with ID 0")
                      .arg(length).arg(data[0]).arg(chunk + 1));
    const qint64 now = m_clock.nsecsElapsed();
    if (in.reports > 0 && now - in.lastReportNs < kMinimumPauseNs)
        violation(QStringLiteral("payload report %1 followed the previous one after %2 ms, expected 8 ms")
                      .arg(in.reports + 1).arg(double(now - in.lastReportNs) / 1e6, 0, 'f', 2));
    in.lastReportNs = now;
    ++in.reports;
    in.received.append(reinterpret_cast<const char *>(data) + 1, std::min(chunk, int(length) - 1));
    if (in.received.size() >= in.length)
        applyPayload();
    return int(length);
}

int SimulatedKeyboard::hid_read(hid_device *device, unsigned char *data, size_t length)
{
    return hid_read_timeout(device, data, length, -1);
}

int SimulatedKeyboard::hid_read_timeout(hid_device *device, unsigned char *data, size_t length, int milliseconds)
{
    Lock lock(m_mutex);
    Handle *handle = liveHandle(device);
    if (!handle)
        return -1;
    switch (handle->interface) {
    case Interface::Command: return readCommandReport(lock, handle, data, length, milliseconds);
    case Interface::Event: return readEvent(lock, handle, data, length, milliseconds);
    case Interface::Keyboard: return readKeyReport(lock, handle, data, length, milliseconds);
    }
    return -1;
}

int SimulatedKeyboard::readKeyReport(Lock &lock, Handle *handle, unsigned char *data, size_t length, int milliseconds)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds < 0 ? kBlockingReadLimitMs : milliseconds);
    m_wake.wait_until(lock, deadline, [&] { return !stillThere(handle) || !handle->keyReports.empty(); });
    if (!stillThere(handle))
        return -1;
    if (handle->keyReports.empty())
        return 0;
    const QByteArray report = handle->keyReports.front();
    handle->keyReports.pop_front();
    return deliver(report, false, Fault::Fail, data, length);
}

int SimulatedKeyboard::hid_get_report_descriptor(hid_device *device, unsigned char *buffer, size_t size)
{
    Lock lock(m_mutex);
    Handle *handle = liveHandle(device);
    if (!handle || !stillThere(handle) || handle->interface != Interface::Keyboard)
        return -1;
    const size_t copied = std::min(size, sizeof kBootKeyboardDescriptor);
    std::memcpy(buffer, kBootKeyboardDescriptor, copied);
    return int(copied);
}

int SimulatedKeyboard::readCommandReport(Lock &lock, Handle *handle, unsigned char *data, size_t length, int milliseconds)
{
    Fault fault;
    const bool faulty = takeFault(Step::Read, fault);
    if (faulty && (fault == Fault::Fail || fault == Fault::Unplug)) {
        if (fault == Fault::Unplug)
            unplugLocked();
        record(QStringLiteral("input failed (injected)"));
        return -1;
    }
    if (faulty && fault == Fault::Silent && !m_payloadOut.empty()) {
        record(QStringLiteral("input report withheld (injected)"));
        m_payloadOut.pop_front();
    }
    const bool blocking = milliseconds < 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(blocking ? kBlockingReadLimitMs : milliseconds);
    if (faulty && fault == Fault::Slow) {
        const auto late = Clock::now() + std::chrono::milliseconds(m_slowMs);
        m_wake.wait_until(lock, std::min(late, deadline), [&] { return !stillThere(handle); });
        if (!stillThere(handle))
            return -1;
        if (late > deadline) {
            // Closing the interface after the failed read discards what comes later.
            if (!m_payloadOut.empty())
                m_payloadOut.pop_front();
            record(QStringLiteral("input %1 ms late, after the time-out of %2 ms").arg(m_slowMs).arg(milliseconds));
            return 0;
        }
    }
    const bool arrived = m_wake.wait_until(lock, deadline, [&] {
        return !stillThere(handle) || (!m_payloadOut.empty() && !(faulty && fault == Fault::Silent));
    });
    if (!stillThere(handle))
        return -1;
    if (!arrived) {
        if (blocking) {
            violation(QStringLiteral("blocking read with no input report to come"));
            return -1;
        }
        record(QStringLiteral("input timed out after %1 ms").arg(milliseconds));
        return 0;
    }
    QByteArray report = m_payloadOut.front();
    m_payloadOut.pop_front();
    const int got = deliver(report, faulty, fault, data, length);
    record(QStringLiteral("input %1").arg(hex(data, size_t(got))));
    return got;
}

// Faults on the event interface strike the n-th event report delivered, not the n-th read.
int SimulatedKeyboard::readEvent(Lock &lock, Handle *handle, unsigned char *data, size_t length, int milliseconds)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds < 0 ? kBlockingReadLimitMs : milliseconds);
    for (;;) {
        if (!stillThere(handle))
            return -1;
        const auto now = Clock::now();
        if (!m_events.empty() && m_events.front().readyAt <= now) {
            const Event event = m_events.front();
            m_events.pop_front();
            Fault fault;
            const bool faulty = takeFault(Step::EventRead, fault);
            if (faulty && fault == Fault::Unplug)
                unplugLocked();
            if (faulty && (fault == Fault::Fail || fault == Fault::Unplug))
                return -1;
            if (faulty && fault == Fault::Silent)
                continue;
            if (faulty && fault == Fault::Slow) {
                m_events.push_front({now + std::chrono::milliseconds(m_slowMs), event.bytes});
                continue;
            }
            const int got = deliver(QByteArray(reinterpret_cast<const char *>(event.bytes.data()), 4), faulty, fault, data, length);
            record(QStringLiteral("event %1").arg(hex(data, size_t(got))));
            return got;
        }
        if (now >= deadline)
            return 0;
        auto until = deadline;
        if (!m_events.empty())
            until = std::min(until, m_events.front().readyAt);
        m_wake.wait_until(lock, until);
    }
}

int SimulatedKeyboard::deliver(QByteArray report, bool faulty, Fault fault, unsigned char *data, size_t length)
{
    if (faulty && fault == Fault::Garbled) {
        for (char &c : report)
            c = static_cast<char>(m_random() & 0xFF);
    }
    if (faulty && fault == Fault::Short)
        report.truncate(std::max(1, report.size() / 2));
    const int got = int(std::min(length, size_t(report.size())));
    std::memcpy(data, report.constData(), size_t(got));
    return got;
}

// --- the person at the keyboard -------------------------------------------------------------

void SimulatedKeyboard::unplug()
{
    Lock lock(m_mutex);
    unplugLocked();
}

void SimulatedKeyboard::unplugLocked()
{
    if (!m_plugged)
        return;
    m_plugged = false;
    m_events.clear();
    m_reply.clear();
    m_payloadOut.clear();
    m_incoming = IncomingPayload();
    m_keysHeld.clear();
    record(QStringLiteral("unplugged"));
    m_wake.notify_all();
}

void SimulatedKeyboard::replug()
{
    Lock lock(m_mutex);
    if (!m_plugged)
        plugLocked();
}

void SimulatedKeyboard::swapFor(unsigned short releaseNumber)
{
    Lock lock(m_mutex);
    unplugLocked();
    m_release = releaseNumber;
    plugLocked();
}

void SimulatedKeyboard::plugLocked()
{
    m_plugged = true;
    ++m_generation;
    record(QStringLiteral("plugged in as %1").arg(pathOf(Interface::Command)));
}

unsigned short SimulatedKeyboard::releaseNumber() const
{
    Lock lock(m_mutex);
    return m_release;
}

bool SimulatedKeyboard::isPlugged() const
{
    Lock lock(m_mutex);
    return m_plugged;
}

void SimulatedKeyboard::switchKeyboardMode(unsigned char mode)
{
    Lock lock(m_mutex);
    m_state.keyboardMode = mode;
    queueEvent(kModeReport | quint32(mode) << 8, 0);
    stateChanged();
}

void SimulatedKeyboard::sendEvent(quint32 code)
{
    Lock lock(m_mutex);
    queueEvent(code, 0);
}

void SimulatedKeyboard::pressKey(unsigned char usage)
{
    Lock lock(m_mutex);
    if (!m_plugged || usage == 0 || std::find(m_keysHeld.begin(), m_keysHeld.end(), usage) != m_keysHeld.end())
        return;
    m_keysHeld.push_back(usage);
    sendKeyReport();
}

void SimulatedKeyboard::releaseKey(unsigned char usage)
{
    Lock lock(m_mutex);
    const auto held = std::find(m_keysHeld.begin(), m_keysHeld.end(), usage);
    if (!m_plugged || held == m_keysHeld.end())
        return;
    m_keysHeld.erase(held);
    sendKeyReport();
}

void SimulatedKeyboard::sendKeyReport()
{
    QByteArray report(2 + kBootKeys, '\0');
    int keys = 0;
    for (const unsigned char usage : m_keysHeld) {
        if (usage >= kFirstModifier && usage <= kLastModifier)
            report[0] = char(quint8(report[0]) | 1u << (usage - kFirstModifier));
        else if (keys < kBootKeys)
            report[2 + keys++] = char(usage);
        else
            std::fill(report.begin() + 2, report.end(), char(kErrorRollOver));
    }
    for (Handle *handle : m_handles) {
        if (handle->interface == Interface::Keyboard && stillThere(handle))
            handle->keyReports.push_back(report);
    }
    m_wake.notify_all();
}

void SimulatedKeyboard::queueEvent(quint32 code, qint64 delayMs)
{
    if (!m_plugged)
        return;
    Event event{Clock::now() + std::chrono::milliseconds(kPollIntervalMs + delayMs),
                {{static_cast<unsigned char>(code >> 24), static_cast<unsigned char>(code >> 16),
                  static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code)}}};
    // Events leave in the order they become ready.
    auto at = std::upper_bound(m_events.begin(), m_events.end(), event.readyAt,
                               [](Clock::time_point t, const Event &e) { return t < e.readyAt; });
    m_events.insert(at, event);
    m_wake.notify_all();
}

void SimulatedKeyboard::acknowledge()
{
    if (m_acknowledging)
        queueEvent(kAcknowledgement, m_ackDelayMs);
}

// --- misbehaviour ---------------------------------------------------------------------------

void SimulatedKeyboard::injectFault(Step step, Fault fault, int occurrence)
{
    Lock lock(m_mutex);
    m_faults.push_back({step, fault, std::max(1, occurrence)});
}

bool SimulatedKeyboard::takeFault(Step step, Fault &fault)
{
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (it->step == step && --it->remaining == 0) {
            fault = it->fault;
            m_faults.erase(it);
            return true;
        }
    }
    return false;
}

void SimulatedKeyboard::setAckDelay(int milliseconds)
{
    Lock lock(m_mutex);
    m_ackDelayMs = milliseconds;
}

void SimulatedKeyboard::discardPayloads(unsigned char command)
{
    Lock lock(m_mutex);
    m_discarded.insert(command);
}

void SimulatedKeyboard::setSlowAnswer(int milliseconds)
{
    Lock lock(m_mutex);
    m_slowMs = milliseconds;
}

void SimulatedKeyboard::setLatency(int milliseconds)
{
    m_latencyMs = milliseconds;
}

// Outside the lock: a slow command interface does not hold up the event interface.
void SimulatedKeyboard::applyLatency() const
{
    if (const int latency = m_latencyMs.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(latency));
}

void SimulatedKeyboard::setAcknowledging(bool acknowledging)
{
    Lock lock(m_mutex);
    m_acknowledging = acknowledging;
}

// --- the firmware ---------------------------------------------------------------------------

SimulatedKeyboard::Handle *SimulatedKeyboard::liveHandle(hid_device *device)
{
    auto *handle = reinterpret_cast<Handle *>(device);
    if (m_handles.count(handle) == 0) {
        violation(QStringLiteral("call on a handle that is not open"));
        return nullptr;
    }
    return handle;
}

bool SimulatedKeyboard::stillThere(Handle *handle) const
{
    return m_plugged && handle->generation == m_generation && m_handles.count(handle);
}

void SimulatedKeyboard::handleFrame(const unsigned char *frame)
{
    const unsigned char command = frame[1];
    if (frame[0] != 0x00)
        violation(QStringLiteral("command %1 with report ID %2").arg(hexByte(command), hexByte(frame[0])));
    if (frame[8] != checksum(frame)) {
        violation(QStringLiteral("command %1 with checksum %2, expected %3")
                      .arg(hexByte(command), hexByte(frame[8]), hexByte(checksum(frame))));
        return;
    }
    if (m_incoming.length > 0) {
        violation(QStringLiteral("command %1 while the payload of command %2 was incomplete (%3 of %4 bytes)")
                      .arg(hexByte(command), hexByte(m_incoming.command))
                      .arg(m_incoming.received.size()).arg(m_incoming.length));
        m_incoming = IncomingPayload();
    }
    const CommandRule *rule = ruleFor(command);
    if (!rule) {
        violation(QStringLiteral("unknown command %1").arg(hexByte(command)));
        return;
    }
    for (int i = 2; i <= 7; ++i) {
        if (frame[i] != 0x00 && !(rule->usedBytes & (1u << i)))
            violation(QStringLiteral("command %1 carries %2 in byte %3, which it does not use")
                          .arg(hexByte(command), hexByte(frame[i])).arg(i));
    }
    if (!isSet(command)) {
        m_reply = replyFor(frame);
        m_payloadOut.clear();
        if (rule->payload > 0)
            queuePayload(frame);
        return;
    }
    if (rule->payload == 0) {
        applySet(frame);
        acknowledge();
        stateChanged();
        return;
    }
    if (frame[4] != rule->announced)
        violation(QStringLiteral("command %1 announces %2, expected %3")
                      .arg(hexByte(command), hexByte(frame[4]), hexByte(rule->announced)));
    m_incoming = IncomingPayload();
    m_incoming.command = command;
    m_incoming.selector = frame[3];
    m_incoming.length = rule->payload;
    acknowledge();
}

void SimulatedKeyboard::applySet(const unsigned char *frame)
{
    State &s = m_state;
    Profile &profile = s.profiles[s.currentProfile];
    switch (frame[1]) {
    case 0x01: s.reportRate = frame[2]; break;
    case 0x02:
        if (frame[2] < kProfiles)
            s.currentProfile = frame[2];
        else
            violation(QStringLiteral("profile %1 does not exist").arg(frame[2]));
        break;
    case 0x03: std::copy(frame + 2, frame + 6, s.options.begin()); break;
    case 0x04: std::copy(frame + 2, frame + 6, s.sensitivity.begin()); break;
    case 0x07: std::copy(frame + 2, frame + 4, s.indicatorLight.begin()); break;
    case 0x08: std::copy(frame + 2, frame + 8, profile.ledType.begin()); break;
    case 0x09:
        if (frame[2] != s.keyboardMode) {
            s.keyboardMode = frame[2];
            queueEvent(kModeReport | quint32(frame[2]) << 8, m_ackDelayMs + 1);
        }
        break;
    case 0x13:
        if (frame[2] != 0xFF) {
            violation(QStringLiteral("recovery without its FF marker"));
            break;
        }
        s.profiles = {};
        s.macros.clear();
        s.keyOnOff = {};
        ++s.recoveries;
        break;
    case 0x14: profile.colors[frame[3]] = {{frame[4], frame[5], frame[6]}}; break;
    default: break;
    }
}

void SimulatedKeyboard::applyPayload()
{
    IncomingPayload in = std::exchange(m_incoming, IncomingPayload());
    const auto *bytes = reinterpret_cast<const unsigned char *>(in.received.constData());
    Profile &profile = m_state.profiles[m_state.currentProfile];
    switch (m_discarded.count(in.command) ? 0 : in.command) {
    case 0x0D: std::copy_n(bytes, 512, profile.keyMatrix.begin()); break;
    case 0x0E: std::copy_n(bytes, 21, m_state.keyOnOff.begin()); break;
    case 0x11: std::copy_n(bytes, 192, m_state.macros[in.selector].begin()); break;
    case 0x12:
        if (in.selector < kPictures)
            std::copy_n(bytes, 512, profile.pictures[in.selector].begin());
        else
            violation(QStringLiteral("user picture %1 does not exist").arg(in.selector));
        break;
    default: break;
    }
    acknowledge();
    stateChanged();
}

// The reply carries each value at the frame position its set command uses.
QByteArray SimulatedKeyboard::replyFor(const unsigned char *frame)
{
    QByteArray reply(kFrameSize, '\0');
    auto *r = reinterpret_cast<unsigned char *>(reply.data());
    const State &s = m_state;
    const Profile &profile = s.profiles[s.currentProfile];
    r[1] = frame[1];
    switch (frame[1]) {
    case 0x80: std::copy(s.firmware.begin(), s.firmware.end(), r + 2); break;
    case 0x81: r[2] = s.reportRate; break;
    case 0x82: r[2] = s.currentProfile; break;
    case 0x83: std::copy(s.options.begin(), s.options.end(), r + 2); break;
    case 0x84: std::copy(s.sensitivity.begin(), s.sensitivity.end(), r + 2); break;
    case 0x88: std::copy(profile.ledType.begin(), profile.ledType.end(), r + 2); break;
    case 0x89: r[2] = s.keyboardMode; break;
    case 0x94: {
        r[3] = frame[3];
        const auto colour = profile.colors.find(frame[3]);
        if (colour != profile.colors.end())
            std::copy(colour->second.begin(), colour->second.end(), r + 4);
        break;
    }
    default: break;
    }
    r[8] = checksum(r);
    return reply;
}

void SimulatedKeyboard::queuePayload(const unsigned char *frame)
{
    const State &s = m_state;
    const Profile &profile = s.profiles[s.currentProfile];
    QByteArray table;
    const auto append = [&table](const auto &array) {
        table.append(reinterpret_cast<const char *>(array.data()), int(array.size()));
    };
    switch (frame[1]) {
    case 0x8D: append(profile.keyMatrix); break;
    case 0x8E: append(s.keyOnOff); break;
    case 0x91: {
        const auto macro = s.macros.find(frame[3]);
        append(macro != s.macros.end() ? macro->second : std::array<unsigned char, 192>{});
        break;
    }
    case 0x92:
        if (frame[3] < kPictures) {
            append(profile.pictures[frame[3]]);
        } else {
            violation(QStringLiteral("user picture %1 does not exist").arg(frame[3]));
            table = QByteArray(512, '\0');
        }
        break;
    default: break;
    }
    const int chunk = std::min(int(table.size()), kReportDataSize);
    for (int offset = 0; offset < table.size(); offset += chunk)
        m_payloadOut.push_back(table.mid(offset, chunk));
    m_wake.notify_all();
}

// --- records --------------------------------------------------------------------------------

void SimulatedKeyboard::record(const QString &line)
{
    m_log.append(QStringLiteral("%1 ms  %2").arg(double(m_clock.nsecsElapsed()) / 1e6, 10, 'f', 3).arg(line));
}

void SimulatedKeyboard::violation(const QString &what)
{
    record(QStringLiteral("VIOLATION ") + what);
    m_violations.append(what);
}

SimulatedKeyboard::State SimulatedKeyboard::state() const
{
    Lock lock(m_mutex);
    return m_state;
}

void SimulatedKeyboard::setState(const State &state)
{
    Lock lock(m_mutex);
    m_state = state;
}

void SimulatedKeyboard::setObserver(SimulatedKeyboardObserver *observer)
{
    Lock lock(m_mutex);
    m_observer = observer;
}

void SimulatedKeyboard::stateChanged()
{
    if (m_observer)
        m_observer->stateChanged(m_state);
}

int SimulatedKeyboard::openHandles() const
{
    Lock lock(m_mutex);
    return int(m_handles.size());
}

QList<QByteArray> SimulatedKeyboard::featureReports() const
{
    Lock lock(m_mutex);
    return m_featureReports;
}

QList<QByteArray> SimulatedKeyboard::outputReports() const
{
    Lock lock(m_mutex);
    return m_outputReports;
}

QStringList SimulatedKeyboard::log() const
{
    Lock lock(m_mutex);
    return m_log;
}

QStringList SimulatedKeyboard::violations() const
{
    Lock lock(m_mutex);
    return m_violations;
}

void SimulatedKeyboard::clearRecords()
{
    Lock lock(m_mutex);
    m_featureReports.clear();
    m_outputReports.clear();
    m_log.clear();
    m_violations.clear();
}
