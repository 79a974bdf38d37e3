// SPDX-License-Identifier: GPL-3.0-or-later
#include "Hid_Thread.h"

#include "InstallationFlags.h"
#include "VendorEventSink.h"

#include <QDebug>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kLinkPolls = 256;             // x 8 ms: a busy link gives up after about 2 s
constexpr unsigned long kLinkPollMs = 8;
constexpr unsigned long kPayloadPauseMs = 8; // after each payload output report
constexpr unsigned long kAckWaitMs = 64;     // once, or twice without an acknowledgement
constexpr int kListenerReadMs = 500;
// After a failed event read the listener waits before its next cycle, instead of spinning on an
// interface that opens but cannot be read; so many failures in a row mean the keyboard is gone.
constexpr unsigned long kFailedReadPauseMs = 50;
constexpr int kFailedReadsForRemoval = 5;
constexpr int kPayloadReadMs = 1000;        // a keyboard that stops sending fails the read
constexpr int kReportDataSize = 64;
constexpr quint32 kAcknowledgement = 0x04040000;
// The keyboard's own HID keyboard interface (Generic Desktop page, Keyboard usage).
constexpr unsigned short kKeyboardUsagePage = 0x0001;
constexpr unsigned short kKeyboardUsage = 0x0006;

int chunkSize(int length) { return std::min(length, kReportDataSize); }

QString firstPathOf(const hid_device_info *devices, unsigned short usagePage, unsigned short usage)
{
    for (const hid_device_info *i = devices; i; i = i->next) {
        if (i->usage_page == usagePage && i->usage == usage)
            return QString::fromLocal8Bit(i->path);
    }
    return QString();
}

// The span of a pool task: takes over what the main thread handed off, and hands its own
// writes back when it ends.
class PoolTask
{
public:
    explicit PoolTask(std::atomic<unsigned> &handOffs)
        : m_handOffs(handOffs)
    {
        m_handOffs.load(std::memory_order_acquire);
    }
    ~PoolTask() { m_handOffs.fetch_add(1, std::memory_order_release); }
    PoolTask(const PoolTask &) = delete;
    PoolTask &operator=(const PoolTask &) = delete;

private:
    std::atomic<unsigned> &m_handOffs;
};

} // namespace

Hid_Thread::Hid_Thread(HidApi &api, QObject *parent)
    : QThread(parent)
    , m_api(api)
{
    // The listener holds one pool thread for as long as it runs; a set transfer needs another.
    QThreadPool *pool = QThreadPool::globalInstance();
    if (pool->maxThreadCount() < 2)
        pool->setMaxThreadCount(2);
}

Hid_Thread::~Hid_Thread()
{
    // The main window stops the listener first; a set transfer may still be running on the
    // pool, and it must not outlive the buffers it reads.
    stopListener();
    // A listener that stopped itself (the keyboard removed) may still be leaving its task.
    listenerFuture.waitForFinished();
    transferFuture.waitForFinished();
    handOffs.load(std::memory_order_acquire);
    closeCommandInterface();
}

QString Hid_Thread::commandInterfacePath() const
{
    std::lock_guard<std::mutex> lock(pathMutex);
    return cmdPath;
}

QString Hid_Thread::eventInterfacePath() const
{
    std::lock_guard<std::mutex> lock(pathMutex);
    return eventPath;
}

QList<FoundDevice> Hid_Thread::enumerateDevices(const QList<DeviceDescriptor> &descriptors)
{
    QList<FoundDevice> found;
    for (int index = descriptors.size() - 1; index >= 0; --index) {
        const DeviceDescriptor &d = descriptors.at(index);
        hid_device_info *devices = m_api.hid_enumerate(d.vid, d.pid);
        if (!devices)
            continue;
        // Candidates start empty for every descriptor, so one section's interfaces are never
        // paired with another's.
        QString command;
        QString event;
        for (const hid_device_info *i = devices; i; i = i->next) {
            if (i->usage_page == d.usagePage && i->usage == d.usage)
                command = QString::fromLocal8Bit(i->path);
            if (i->usage_page == d.usagePage2 && i->usage == d.usage2)
                event = QString::fromLocal8Bit(i->path);
            if (!command.isEmpty() && !event.isEmpty())
                break;
        }
        const QString keyboard = firstPathOf(devices, kKeyboardUsagePage, kKeyboardUsage);
        m_api.hid_free_enumeration(devices);
        if (command.isEmpty() || event.isEmpty())
            continue;
        found.append(FoundDevice{index, d.type, command, event, keyboard});
        std::lock_guard<std::mutex> lock(pathMutex);
        cmdPath = command;
        eventPath = event;
    }
    return found;
}

uchar Hid_Thread::hidCS(uchar *cmd)
{
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += cmd[i];
    return uchar(~sum);
}

// --- exchanges ------------------------------------------------------------------------------

bool Hid_Thread::acquireLink()
{
    for (int poll = 0; poll < kLinkPolls; ++poll) {
        bool expected = true;
        if (ready.compare_exchange_strong(expected, false, std::memory_order_acquire))
            return true;
        QThread::msleep(kLinkPollMs);
    }
    return false;
}

bool Hid_Thread::releaseLink(bool result)
{
    ready.store(true, std::memory_order_release);
    return result;
}

void Hid_Thread::fillOutReport(uchar command, const Parameters &parameters)
{
    outReport[0] = 0x00;
    outReport[1] = command;
    std::copy(parameters.begin(), parameters.end(), outReport.begin() + 2);
    outReport[8] = hidCS(&outReport[1]);
}

void Hid_Thread::runSet(uchar command, const Parameters &parameters, bool waitForAck,
                        const uchar *payload, int length)
{
    if (!acquireLink()) {
        qDebug("cmd Failed %02X", command);
        lastCommand = LastCommand::Busy;
        return;
    }
    fillOutReport(command, parameters);
    if (payload)
        std::memcpy(dataBuffer.data(), payload, size_t(length));
    handOffs.fetch_add(1, std::memory_order_release);
    transferFuture = QtConcurrent::run(this, &Hid_Thread::setTransfer, length, waitForAck);
    lastCommand = LastCommand::Set;
}

bool Hid_Thread::lastCommandSucceeded()
{
    switch (lastCommand) {
    case LastCommand::Set:
        transferFuture.waitForFinished();
        handOffs.load(std::memory_order_acquire);
        return transferFuture.result();
    case LastCommand::GetDone:
        return true;
    case LastCommand::None:
    case LastCommand::Busy:
    case LastCommand::GetFailed:
        break;
    }
    return false;
}

Hid_Thread::Exchange Hid_Thread::runGet(uchar command, const Parameters &request,
                                        std::initializer_list<ReplyField> reply, uchar *buffer, int length)
{
    if (!acquireLink()) {
        qDebug("cmd Failed");
        lastCommand = LastCommand::Busy;
        return Exchange::Busy;
    }
    fillOutReport(command, request);
    // Preset the reply with the outputs' current values, so a failed exchange leaves them.
    inReport.fill(0x00);
    inReport[1] = command;
    for (const ReplyField &field : reply)
        inReport[size_t(field.position)] = *field.value;
    if (buffer)
        std::memcpy(dataBuffer.data(), buffer, size_t(length));

    const bool done = getTransfer(length);
    lastCommand = done ? LastCommand::GetDone : LastCommand::GetFailed;

    for (const ReplyField &field : reply)
        *field.value = inReport[size_t(field.position)];
    if (buffer)
        std::memcpy(buffer, dataBuffer.data(), size_t(length));
    return done ? Exchange::Done : Exchange::Failed;
}

hid_device *Hid_Thread::openInterface(QString &path, hid_device *&handle)
{
    QString opening;
    {
        std::lock_guard<std::mutex> lock(pathMutex);
        opening = path;
    }
    if (opening.isEmpty())
        return nullptr;
    if (handle)
        return handle;
    hid_device *device = m_api.hid_open_path(opening.toLocal8Bit().constData());
    if (device && m_api.hid_set_nonblocking(device, 0) < 0) {
        m_api.hid_close(device);
        device = nullptr;
    }
    if (!device) {
        forgetPath(path, opening);
        return nullptr;
    }
    handle = device;
    return device;
}

// A discovery run may have found a new path meanwhile; only the stale one is cleared.
void Hid_Thread::forgetPath(QString &path, const QString &stale)
{
    std::lock_guard<std::mutex> lock(pathMutex);
    if (path == stale)
        path.clear();
}

hid_device *Hid_Thread::openCommandInterface() { return openInterface(cmdPath, cmdHandle); }
hid_device *Hid_Thread::openEventInterface() { return openInterface(eventPath, eventHandle); }

void Hid_Thread::closeCommandInterface()
{
    if (cmdHandle) {
        m_api.hid_close(cmdHandle);
        cmdHandle = nullptr;
    }
}

void Hid_Thread::closeEventInterface()
{
    if (eventHandle) {
        m_api.hid_close(eventHandle);
        eventHandle = nullptr;
    }
}

// On a pool thread. Holds the link until it returns.
bool Hid_Thread::setTransfer(int length, bool waitForAck)
{
    const PoolTask task(handOffs);
    hid_device *device = openCommandInterface();
    // The installation gate: an interface opened here stays open for the next exchange.
    if (!device || !imagesVerified || !langVerified)
        return releaseLink(false);
    // Each acknowledgement is armed before the report it answers: a keyboard that answers
    // within the 8 ms pause after the last payload report must not be missed.
    if (waitForAck)
        acked = false;
    if (m_api.hid_send_feature_report(device, outReport.data(), outReport.size()) < 0) {
        closeCommandInterface();
        return releaseLink(false);
    }
    if (waitForAck)
        waitAcknowledge();
    if (length > 0) {
        const int chunk = chunkSize(length);
        std::vector<uchar> report(size_t(chunk) + 1);
        for (int offset = 0; offset < length; offset += chunk) {
            report[0] = 0x00;
            std::memcpy(report.data() + 1, dataBuffer.data() + offset, size_t(chunk));
            if (waitForAck && offset + chunk >= length)
                acked = false;
            if (m_api.hid_write(device, report.data(), report.size()) < 0) {
                closeCommandInterface();
                return releaseLink(false);
            }
            QThread::msleep(kPayloadPauseMs);
        }
        if (waitForAck)
            waitAcknowledge();
    }
    closeCommandInterface();
    return releaseLink(true);
}

// On the calling (main) thread.
bool Hid_Thread::getTransfer(int length)
{
    hid_device *device = openCommandInterface();
    if (!device || !imagesVerified || !langVerified)
        return releaseLink(false);
    // A reply shorter than the frame fails the exchange: it must not update part of the outputs.
    std::array<uchar, 9> reply{};
    if (m_api.hid_send_feature_report(device, outReport.data(), outReport.size()) < 0
        || m_api.hid_get_feature_report(device, reply.data(), reply.size()) < int(reply.size())) {
        closeCommandInterface();
        return releaseLink(false);
    }
    inReport = reply;
    if (length > 0) {
        const int chunk = chunkSize(length);
        std::vector<uchar> report(size_t(chunk) + 1);
        for (int offset = 0; offset < length; offset += chunk) {
            // A time-out (0) is a failed read: a keyboard that sends fewer reports than
            // announced must not keep the interface waiting.
            const int got = m_api.hid_read_timeout(device, report.data(), report.size(), kPayloadReadMs);
            if (got <= 0) {
                closeCommandInterface();
                return releaseLink(false);
            }
            std::memcpy(dataBuffer.data() + offset, report.data(), size_t(std::min(got, chunk)));
        }
    }
    closeCommandInterface();
    return releaseLink(true);
}

// Never fails: 64 ms when the keyboard has acknowledged by then, else 128 ms. The caller
// clears `acked` before sending the report that the keyboard acknowledges.
void Hid_Thread::waitAcknowledge()
{
    QThread::msleep(kAckWaitMs);
    if (acked)
        return;
    acked = true;
    QThread::msleep(kAckWaitMs);
}

// --- event listener -------------------------------------------------------------------------

void Hid_Thread::startListener()
{
    if (listening)
        return;
    listening = true;
    handOffs.fetch_add(1, std::memory_order_release);
    listenerFuture = QtConcurrent::run(this, &Hid_Thread::listenEvents);
}

void Hid_Thread::stopListener()
{
    if (!listening)
        return;
    listening = false;
    listenerFuture.waitForFinished();
    handOffs.load(std::memory_order_acquire);
}

// On a pool thread; opens and closes the event interface once per cycle.
void Hid_Thread::listenEvents()
{
    const PoolTask task(handOffs);
    if (eventInterfacePath().isEmpty())
        return;
    int failedReads = 0;
    while (listening) {
        const QString path = eventInterfacePath();
        hid_device *device = openEventInterface();
        if (!device) {
            // The failed open has cleared eventPath.
            qDebug("Device removed");
            listening = false;
            return;
        }
        uchar report[4] = {};
        const int got = m_api.hid_read_timeout(device, report, sizeof report, kListenerReadMs);
        if (got == 4) {
            const quint32 code = quint32(report[0]) << 24 | quint32(report[1]) << 16
                                 | quint32(report[2]) << 8 | quint32(report[3]);
            if (code == kAcknowledgement)
                acked = true;
            else if (VendorEventSink *owner = m_owner.load())
                owner->vendorEvent(code);
        }
        closeEventInterface();
        if (got >= 0) {
            failedReads = 0;
        } else if (++failedReads == kFailedReadsForRemoval) {
            forgetPath(eventPath, path);
            qDebug("Device removed");
            listening = false;
            return;
        } else {
            QThread::msleep(kFailedReadPauseMs);
        }
    }
}

// --- set commands ---------------------------------------------------------------------------
// Parameters are frame bytes 2..7; the flag says whether the transfer waits for the keyboard's
// acknowledgement.

void Hid_Thread::hid_01H_SetReportRate(uchar rate) { runSet(0x01, {rate}, true); }
void Hid_Thread::hid_02H_SetCurrentProfile(uchar profile) { runSet(0x02, {profile}, false); }

void Hid_Thread::hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    runSet(0x03, {byte1, byte2, byte3, byte4}, false);
}

void Hid_Thread::hid_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4)
{
    runSet(0x04, {sens1, sens2, sens3, sens4}, true);
}

void Hid_Thread::hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    runSet(0x07, {effect, frequenty}, false);
}

void Hid_Thread::hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color, uchar direction)
{
    runSet(0x08, {option, effect, speed, light, color, direction}, true);
}

// Byte 4 of a bulk set announces the payload: 64-byte reports, or bytes for the on/off table.
void Hid_Thread::hid_0DH_SetKeyMatrix(uchar *src512) { runSet(0x0D, {0x00, 0x00, 0x08}, true, src512, 512); }
void Hid_Thread::hid_0EH_SetKeyOnOff(uchar *src21) { runSet(0x0E, {0x00, 0x00, 0x15}, true, src21, 21); }
void Hid_Thread::hid_09H_SetKeyboardMode(uchar mode) { runSet(0x09, {mode}, true); }

void Hid_Thread::hid_11H_SetMacroKey(uchar macroId, uchar *src192)
{
    runSet(0x11, {0x00, macroId, 0x03}, true, src192, 192);
}

void Hid_Thread::hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512)
{
    runSet(0x12, {0x00, index, 0x08, option}, true, src512, 512);
}

void Hid_Thread::hid_13H_SetRecoveryData() { runSet(0x13, {0xFF}, false); }

void Hid_Thread::hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    runSet(0x14, {0x00, index, rValue, gValue, bValue}, false);
}

// --- get commands ---------------------------------------------------------------------------
// The reply carries each value at the frame position its set command uses.

void Hid_Thread::hid_80H_GetFWVersion(QString &version)
{
    const Exchange result = runGet(0x80, {}, {});
    if (result == Exchange::Failed)
        version = QStringLiteral("unknown");
    else if (result == Exchange::Done)
        version = QString::number(inReport[2], 16) + QLatin1Char('.')
                  + QStringLiteral("%1").arg(inReport[3], 2, 16, QLatin1Char('0')).toUpper();
}

void Hid_Thread::hid_81H_GetReportRate(uchar &rate) { runGet(0x81, {}, {{2, &rate}}); }
void Hid_Thread::hid_82H_GetCurrentProfile(uchar &profile) { runGet(0x82, {}, {{2, &profile}}); }

void Hid_Thread::hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    runGet(0x83, {}, {{2, &byte1}, {3, &byte2}, {4, &byte3}, {5, &byte4}});
}

void Hid_Thread::hid_84H_GetButtonSensitivity(uchar &sens1, uchar &sens2, uchar &sens3, uchar &sens4)
{
    runGet(0x84, {}, {{2, &sens1}, {3, &sens2}, {4, &sens3}, {5, &sens4}});
}

// Byte 2, the option of command 0x08, is not returned.
void Hid_Thread::hid_88H_GetLEDType(uchar &effect, uchar &speed, uchar &light, uchar &color, uchar &direction)
{
    runGet(0x88, {}, {{3, &effect}, {4, &speed}, {5, &light}, {6, &color}, {7, &direction}});
}

void Hid_Thread::hid_89H_GetKeyboardMode(uchar &mode) { runGet(0x89, {}, {{2, &mode}}); }
void Hid_Thread::hid_8DH_GetKeyMatrix(uchar *src512) { runGet(0x8D, {}, {}, src512, 512); }
void Hid_Thread::hid_8EH_GetKeyOnOff(uchar *src21) { runGet(0x8E, {}, {}, src21, 21); }
void Hid_Thread::hid_91H_GetMacroKey(uchar macroId, uchar *src192) { runGet(0x91, {0x00, macroId}, {}, src192, 192); }
void Hid_Thread::hid_92H_GetUserPicture(uchar index, uchar *src512) { runGet(0x92, {0x00, index}, {}, src512, 512); }

void Hid_Thread::hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue)
{
    runGet(0x94, {0x00, index}, {{4, &rValue}, {5, &gValue}, {6, &bValue}});
}
