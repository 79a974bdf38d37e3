// SPDX-License-Identifier: GPL-3.0-or-later
// The device link against the simulated keyboard: frames, payloads, replies, waits, the busy
// link, unplugging, the event listener and discovery.
#include "DeviceDescriptor.h"
#include "Hid_Thread.h"
#include "InstallationFlags.h"
#include "LinkCases.h"
#include "SimulatedKeyboard.h"
#include "VendorEventSink.h"

#include <QElapsedTimer>
#include <QMetaMethod>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <functional>
#include <mutex>
#include <numeric>

namespace {

using Step = SimulatedKeyboard::Step;
using Fault = SimulatedKeyboard::Fault;

// Collects every debug line, from any thread, while it lives.
class MessageCatcher
{
public:
    MessageCatcher()
    {
        current = this;
        previous = qInstallMessageHandler(&MessageCatcher::handle);
    }
    ~MessageCatcher()
    {
        qInstallMessageHandler(previous);
        current = nullptr;
    }
    QStringList lines() const
    {
        std::lock_guard<std::mutex> lock(mutex);
        return received;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        std::lock_guard<std::mutex> lock(current->mutex);
        current->received.append(message);
    }
    static MessageCatcher *current;
    QtMessageHandler previous;
    mutable std::mutex mutex;
    QStringList received;
};
MessageCatcher *MessageCatcher::current = nullptr;

class EventRecorder final : public VendorEventSink
{
public:
    void vendorEvent(quint32 code) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        codes.append(code);
    }
    QList<quint32> received() const
    {
        std::lock_guard<std::mutex> lock(mutex);
        return codes;
    }

private:
    mutable std::mutex mutex;
    QList<quint32> codes;
};

// The simulated keyboard behind an event interface that opens but fails its first `failures`
// reads at once (-1: every read), as a half-removed or broken device does.
class FailingEventReads final : public HidApi
{
public:
    FailingEventReads(SimulatedKeyboard &keyboard, int failures)
        : m_keyboard(keyboard)
        , m_failures(failures)
    {
    }
    int failedReads() const { return m_failed.load(); }

    hid_device_info *hid_enumerate(unsigned short v, unsigned short p) override
    {
        return m_keyboard.hid_enumerate(v, p);
    }
    void hid_free_enumeration(hid_device_info *d) override { m_keyboard.hid_free_enumeration(d); }
    hid_device *hid_open_path(const char *path) override
    {
        hid_device *device = m_keyboard.hid_open_path(path);
        if (device && QString::fromLocal8Bit(path) == m_keyboard.eventPath())
            m_eventHandle.store(device);
        return device;
    }
    int hid_set_nonblocking(hid_device *d, int n) override { return m_keyboard.hid_set_nonblocking(d, n); }
    int hid_send_feature_report(hid_device *d, const unsigned char *b, size_t l) override
    {
        return m_keyboard.hid_send_feature_report(d, b, l);
    }
    int hid_get_feature_report(hid_device *d, unsigned char *b, size_t l) override
    {
        return m_keyboard.hid_get_feature_report(d, b, l);
    }
    int hid_write(hid_device *d, const unsigned char *b, size_t l) override { return m_keyboard.hid_write(d, b, l); }
    int hid_read(hid_device *d, unsigned char *b, size_t l) override { return m_keyboard.hid_read(d, b, l); }
    int hid_read_timeout(hid_device *d, unsigned char *b, size_t l, int ms) override
    {
        if (d == m_eventHandle.load() && (m_failures < 0 || m_failed.load() < m_failures)) {
            ++m_failed;
            return -1;
        }
        return m_keyboard.hid_read_timeout(d, b, l, ms);
    }
    void hid_close(hid_device *d) override { m_keyboard.hid_close(d); }

private:
    SimulatedKeyboard &m_keyboard;
    const int m_failures;
    std::atomic<hid_device *> m_eventHandle{nullptr};
    std::atomic<int> m_failed{0};
};

} // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Probe)
Q_DECLARE_METATYPE(Stored)

class tst_Hid_Thread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void slotOrder();
    void frames_data();
    void frames();
    void payloads_data();
    void payloads();
    void replies_data();
    void replies();
    void failedGetsKeepOutputs_data();
    void failedGetsKeepOutputs();
    void firmwareVersion_data();
    void firmwareVersion();
    void installationGate();
    void acknowledgementWaits_data();
    void acknowledgementWaits();
    void setThenGetWaitsForTheLink();
    void busyLinkGivesUp_data();
    void busyLinkGivesUp();
    void unplugDuringListenerRead();
    void unplugDuringBulkTransfer_data();
    void unplugDuringBulkTransfer();
    void shortPayloadReadsFail();
    void listenerForwardsVendorEvents();
    void failedEventReads_data();
    void failedEventReads();
    void destructionWaitsForTransfer();
    void descriptorParsing_data();
    void descriptorParsing();
    void discovery_data();
    void discovery();
};

void tst_Hid_Thread::initTestCase()
{
    qRegisterMetaType<Command>();
    qRegisterMetaType<Probe>();
    qRegisterMetaType<Stored>();
}

void tst_Hid_Thread::init()
{
    imagesVerified = true;
    langVerified = true;
}

// The scene and stored files reach the link by slot index and name.
void tst_Hid_Thread::slotOrder()
{
    const QStringList expected = {
        "hidCS", "hid_01H_SetReportRate", "hid_02H_SetCurrentProfile", "hid_03H_SetKeyboardoption",
        "hid_04H_SetButtonSensitivity", "hid_07H_SetControlIndicatorLight", "hid_08H_SetLEDType",
        "hid_0DH_SetKeyMatrix", "hid_0EH_SetKeyOnOff", "hid_09H_SetKeyboardMode", "hid_11H_SetMacroKey",
        "hid_12H_SetUserPicture", "hid_13H_SetRecoveryData", "hid_14H_SetColor", "hid_80H_GetFWVersion",
        "hid_81H_GetReportRate", "hid_82H_GetCurrentProfile", "hid_83H_GetKeyboardoption",
        "hid_84H_GetButtonSensitivity", "hid_88H_GetLEDType", "hid_89H_GetKeyboardMode",
        "hid_8DH_GetKeyMatrix", "hid_8EH_GetKeyOnOff", "hid_91H_GetMacroKey", "hid_92H_GetUserPicture",
        "hid_94H_GetColor"};
    const QMetaObject &meta = Hid_Thread::staticMetaObject;
    QStringList names;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        if (meta.method(i).methodType() == QMetaMethod::Slot)
            names.append(QString::fromLatin1(meta.method(i).name()));
    }
    QCOMPARE(names, expected);
    QCOMPARE(meta.method(meta.indexOfMethod("hid_12H_SetUserPicture(uchar,uchar,uchar*)")).methodIndex() - meta.methodOffset(), 11);
}

void tst_Hid_Thread::frames_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QByteArray>("frame");

    static uchar payload[512] = {};
    const auto row = [](const char *name, Command command, const char *frame) {
        QTest::newRow(name) << command << bytes(frame);
    };
    row("set 01 rate 5", [](Hid_Thread &h) { h.hid_01H_SetReportRate(5); }, "0001050000000000f9");
    row("set 02 profile 3", [](Hid_Thread &h) { h.hid_02H_SetCurrentProfile(3); }, "0002030000000000fa");
    row("set 03 options", [](Hid_Thread &h) { h.hid_03H_SetKeyboardoption(1, 2, 3, 4); }, "0003010203040000f2");
    row("set 04 sensitivity", [](Hid_Thread &h) { h.hid_04H_SetButtonSensitivity(4, 3, 2, 1); }, "0004040302010000f1");
    row("set 07 indicator", [](Hid_Thread &h) { h.hid_07H_SetControlIndicatorLight(1, 2); }, "0007010200000000f5");
    row("set 08 lighting", [](Hid_Thread &h) { h.hid_08H_SetLEDType(0, 3, 2, 4, 0, 1); }, "0008000302040001ed");
    row("set 09 mode 1", [](Hid_Thread &h) { h.hid_09H_SetKeyboardMode(1); }, "0009010000000000f5");
    row("set 0D key matrix", [](Hid_Thread &h) { h.hid_0DH_SetKeyMatrix(payload); }, "000d000008000000ea");
    row("set 0E key on/off", [](Hid_Thread &h) { h.hid_0EH_SetKeyOnOff(payload); }, "000e000015000000dc");
    row("set 11 macro 5", [](Hid_Thread &h) { h.hid_11H_SetMacroKey(5, payload); }, "0011000503000000e6");
    row("set 12 picture 2 option 1", [](Hid_Thread &h) { h.hid_12H_SetUserPicture(2, 1, payload); }, "0012000208010000e2");
    row("set 13 recovery", [](Hid_Thread &h) { h.hid_13H_SetRecoveryData(); }, "0013ff0000000000ed");
    row("set 14 colour 3", [](Hid_Thread &h) { h.hid_14H_SetColor(3, 255, 0, 16); }, "00140003ff001000d9");
    row("get 80 firmware", [](Hid_Thread &h) { QString v; h.hid_80H_GetFWVersion(v); }, "00800000000000007f");
    row("get 81 rate", [](Hid_Thread &h) { uchar v = 0; h.hid_81H_GetReportRate(v); }, "00810000000000007e");
    row("get 82 profile", [](Hid_Thread &h) { uchar v = 0; h.hid_82H_GetCurrentProfile(v); }, "00820000000000007d");
    row("get 83 options", [](Hid_Thread &h) { uchar v = 0; h.hid_83H_GetKeyboardoption(v, v, v, v); }, "00830000000000007c");
    row("get 84 sensitivity", [](Hid_Thread &h) { uchar v = 0; h.hid_84H_GetButtonSensitivity(v, v, v, v); }, "00840000000000007b");
    row("get 88 lighting", [](Hid_Thread &h) { uchar v = 0; h.hid_88H_GetLEDType(v, v, v, v, v); }, "008800000000000077");
    row("get 89 mode", [](Hid_Thread &h) { uchar v = 0; h.hid_89H_GetKeyboardMode(v); }, "008900000000000076");
    row("get 8D key matrix", [](Hid_Thread &h) { h.hid_8DH_GetKeyMatrix(payload); }, "008d00000000000072");
    row("get 8E key on/off", [](Hid_Thread &h) { h.hid_8EH_GetKeyOnOff(payload); }, "008e00000000000071");
    row("get 91 macro 5", [](Hid_Thread &h) { h.hid_91H_GetMacroKey(5, payload); }, "009100050000000069");
    row("get 92 picture 4", [](Hid_Thread &h) { h.hid_92H_GetUserPicture(4, payload); }, "009200040000000069");
    row("get 94 colour 7", [](Hid_Thread &h) { uchar v = 0; h.hid_94H_GetColor(7, v, v, v); }, "009400070000000064");
}

void tst_Hid_Thread::frames()
{
    QFETCH(Command, command);
    QFETCH(QByteArray, frame);
    Link link;
    command(link.hid);
    link.waitIdle();
    QCOMPARE(link.keyboard.featureReports(), QList<QByteArray>{frame});
    QCOMPARE(link.keyboard.violations(), QStringList());
}

// Every payload travels in ascending 64-byte reports behind report ID 0 (the 21-byte on/off
// table as one report), 8 ms apart, and lands in the keyboard.
void tst_Hid_Thread::payloads_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<Command>("command");
    QTest::addColumn<Stored>("stored");

    static QByteArray data21 = pattern(21, 11), data192 = pattern(192, 12), data512 = pattern(512, 13);
    QTest::newRow("0E key on/off, 21 bytes") << 21 << Command([](Hid_Thread &h) { h.hid_0EH_SetKeyOnOff(raw(data21)); })
                                             << Stored([](const auto &s) { return fromArray(s.keyOnOff); });
    QTest::newRow("11 macro, 192 bytes") << 192 << Command([](Hid_Thread &h) { h.hid_11H_SetMacroKey(9, raw(data192)); })
                                         << Stored([](const auto &s) { return fromArray(s.macros.at(9)); });
    QTest::newRow("0D key matrix, 512 bytes") << 512 << Command([](Hid_Thread &h) { h.hid_0DH_SetKeyMatrix(raw(data512)); })
                                              << Stored([](const auto &s) { return fromArray(s.profiles[0].keyMatrix); });
    QTest::newRow("12 user picture, 512 bytes") << 512 << Command([](Hid_Thread &h) { h.hid_12H_SetUserPicture(3, 0, raw(data512)); })
                                                << Stored([](const auto &s) { return fromArray(s.profiles[0].pictures[3]); });
}

void tst_Hid_Thread::payloads()
{
    QFETCH(int, length);
    QFETCH(Command, command);
    QFETCH(Stored, stored);
    Link link;
    link.hid.startListener();
    command(link.hid);
    link.waitIdle();

    const QByteArray sent = stored(link.keyboard.state());
    QCOMPARE(sent, pattern(length, length == 21 ? 11 : length == 192 ? 12 : 13));
    const QList<QByteArray> reports = link.keyboard.outputReports();
    const int chunk = qMin(length, 64);
    QCOMPARE(reports.size(), length / chunk);
    for (int i = 0; i < reports.size(); ++i)
        QCOMPARE(reports.at(i), QByteArray(1, '\0') + sent.mid(i * chunk, chunk));
    QCOMPARE(link.keyboard.violations(), QStringList());
}

void tst_Hid_Thread::replies_data()
{
    QTest::addColumn<Probe>("probe");
    QTest::addColumn<QByteArray>("expected");
    for (const GetCase &c : getCases())
        QTest::newRow(c.name) << c.probe << c.expected;
}

void tst_Hid_Thread::replies()
{
    QFETCH(Probe, probe);
    QFETCH(QByteArray, expected);
    Link link;
    link.keyboard.setState(keyboardState());
    QCOMPARE(probe(link.hid, 0xEE), expected);
    QVERIFY(link.hid.isReady());
    QCOMPARE(link.keyboard.violations(), QStringList());
}

// A get that fails anywhere before its reply, or gets a reply shorter than the frame, leaves
// every output as it was, silently.
void tst_Hid_Thread::failedGetsKeepOutputs_data()
{
    QTest::addColumn<Probe>("probe");
    QTest::addColumn<int>("failure");
    for (const GetCase &c : getCases()) {
        QTest::addRow("%s, no keyboard known", c.name) << c.probe << 0;
        QTest::addRow("%s, request fails", c.name) << c.probe << 1;
        QTest::addRow("%s, reply fails", c.name) << c.probe << 2;
        QTest::addRow("%s, reply short", c.name) << c.probe << 3;
    }
}

void tst_Hid_Thread::failedGetsKeepOutputs()
{
    QFETCH(Probe, probe);
    QFETCH(int, failure);
    SimulatedKeyboard keyboard;
    keyboard.setState(keyboardState());
    Hid_Thread hid(keyboard);
    if (failure > 0)
        hid.enumerateDevices(readDeviceDescriptors());
    if (failure == 1)
        keyboard.injectFault(Step::SendFeature, Fault::Fail);
    if (failure == 2)
        keyboard.injectFault(Step::GetFeature, Fault::Fail);
    if (failure == 3)
        keyboard.injectFault(Step::GetFeature, Fault::Short);

    MessageCatcher messages;
    const QByteArray outputs = probe(hid, 0xEE);
    QCOMPARE(outputs, QByteArray(outputs.size(), char(0xEE)));
    QCOMPARE(messages.lines(), QStringList());
    QVERIFY(hid.isReady());
    QCOMPARE(keyboard.openHandles(), 0);
}

void tst_Hid_Thread::firmwareVersion_data()
{
    QTest::addColumn<QByteArray>("firmware");
    QTest::addColumn<QString>("keyboard");   // "answers", "unplugged" or "answers short"
    QTest::addColumn<QString>("version");
    QTest::newRow("1.0A") << bytes("010a") << "answers" << "1.0A";
    QTest::newRow("major in lower-case hex, minor padded") << bytes("1b05") << "answers" << "1b.05";
    QTest::newRow("zero") << bytes("0000") << "answers" << "0.00";
    QTest::newRow("no keyboard") << bytes("010a") << "unplugged" << "unknown";
    QTest::newRow("short reply") << bytes("010a") << "answers short" << "unknown";
}

void tst_Hid_Thread::firmwareVersion()
{
    QFETCH(QByteArray, firmware);
    QFETCH(QString, keyboard);
    QFETCH(QString, version);
    Link link;
    SimulatedKeyboard::State state;
    state.firmware = {{uchar(firmware[0]), uchar(firmware[1])}};
    link.keyboard.setState(state);
    if (keyboard == QLatin1String("unplugged"))
        link.keyboard.unplug();
    if (keyboard == QLatin1String("answers short"))
        link.keyboard.injectFault(Step::GetFeature, Fault::Short);
    QString text = "previous";
    link.hid.hid_80H_GetFWVersion(text);
    QCOMPARE(text, version);
}

// Until both installation flags are up, nothing reaches the keyboard; the interface opened for
// the refused exchange stays open for the next one.
void tst_Hid_Thread::installationGate()
{
    for (const auto &[images, language] : {std::pair{false, true}, std::pair{true, false}}) {
        imagesVerified = images;
        langVerified = language;
        Link link;
        MessageCatcher messages;
        static uchar payload[512] = {};
        link.hid.hid_0DH_SetKeyMatrix(payload);
        link.waitIdle();
        uchar rate = 0x42;
        link.hid.hid_81H_GetReportRate(rate);
        QString version;
        link.hid.hid_80H_GetFWVersion(version);

        QCOMPARE(rate, uchar(0x42));
        QCOMPARE(version, QStringLiteral("unknown"));
        QCOMPARE(link.keyboard.featureReports(), QList<QByteArray>());
        QCOMPARE(link.keyboard.outputReports(), QList<QByteArray>());
        QCOMPARE(link.keyboard.openHandles(), 1);
        QCOMPARE(messages.lines(), QStringList());

        imagesVerified = langVerified = true;
        link.hid.hid_81H_GetReportRate(rate);
        QCOMPARE(link.keyboard.featureReports().size(), 1);
        QCOMPARE(link.keyboard.openHandles(), 0);
    }
}

// A set command holds the link for 64 ms after its report when the keyboard acknowledges in
// time, and for 128 ms when it does not.
void tst_Hid_Thread::acknowledgementWaits_data()
{
    QTest::addColumn<bool>("acknowledging");
    QTest::addColumn<int>("ackDelay");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("below");
    QTest::newRow("prompt acknowledgement") << true << 0 << 64 << 128;
    QTest::newRow("acknowledgement after 40 ms") << true << 40 << 64 << 128;
    QTest::newRow("late acknowledgement") << true << 90 << 128 << 1000;
    QTest::newRow("no acknowledgement") << false << 0 << 128 << 1000;
}

void tst_Hid_Thread::acknowledgementWaits()
{
    QFETCH(bool, acknowledging);
    QFETCH(int, ackDelay);
    QFETCH(int, minimum);
    QFETCH(int, below);
    Link link;
    link.keyboard.setAcknowledging(acknowledging);
    link.keyboard.setAckDelay(ackDelay);
    link.hid.startListener();

    QElapsedTimer timer;
    timer.start();
    link.hid.hid_01H_SetReportRate(5);
    QVERIFY(!link.hid.isReady());
    link.waitIdle();
    const qint64 held = timer.elapsed();
    QVERIFY2(held >= minimum && held < below, qPrintable(QString::number(held)));
}

void tst_Hid_Thread::setThenGetWaitsForTheLink()
{
    Link link;
    link.hid.startListener();
    link.hid.hid_01H_SetReportRate(7);
    uchar rate = 0;
    link.hid.hid_81H_GetReportRate(rate);
    QCOMPARE(rate, uchar(7));
    QCOMPARE(link.keyboard.violations(), QStringList());
}

// A command that finds the link busy for about 2 s writes its own message and sends nothing.
void tst_Hid_Thread::busyLinkGivesUp_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("message");
    QTest::newRow("set") << Command([](Hid_Thread &h) { h.hid_01H_SetReportRate(5); }) << "cmd Failed 01";
    QTest::newRow("bulk set") << Command([](Hid_Thread &h) { static uchar b[512]; h.hid_12H_SetUserPicture(0, 0, b); }) << "cmd Failed 12";
    QTest::newRow("get") << Command([](Hid_Thread &h) { uchar v = 0x42; h.hid_81H_GetReportRate(v); QCOMPARE(v, uchar(0x42)); }) << "cmd Failed";
}

void tst_Hid_Thread::busyLinkGivesUp()
{
    QFETCH(Command, command);
    QFETCH(QString, message);
    Link link;
    link.keyboard.setAcknowledging(false);
    link.keyboard.setLatency(300);           // a 512-byte transfer now takes about 3 s
    static uchar matrix[512] = {};
    link.hid.hid_0DH_SetKeyMatrix(matrix);

    MessageCatcher messages;
    QElapsedTimer timer;
    timer.start();
    command(link.hid);
    const qint64 waited = timer.elapsed();
    QCOMPARE(messages.lines(), QStringList{message});
    QVERIFY2(waited >= 2000 && waited < 3000, qPrintable(QString::number(waited)));
    link.waitIdle();
    QCOMPARE(link.keyboard.featureReports().size(), 1);
}

void tst_Hid_Thread::unplugDuringListenerRead()
{
    Link link;
    link.hid.startListener();
    QTRY_COMPARE(link.keyboard.openHandles(), 1);   // the listener waits in its read
    MessageCatcher messages;
    link.keyboard.unplug();
    QTRY_VERIFY_WITH_TIMEOUT(!link.hid.isListening(), 1500);
    QCOMPARE(messages.lines(), QStringList{"Device removed"});
    QCOMPARE(link.hid.eventInterfacePath(), QString());
    QVERIFY(!link.hid.commandInterfacePath().isEmpty());

    // The next command finds the command interface gone and forgets it.
    link.hid.hid_01H_SetReportRate(5);
    link.waitIdle();
    QCOMPARE(link.hid.commandInterfacePath(), QString());
    QCOMPARE(link.keyboard.openHandles(), 0);

    // Re-plugged, a discovery run finds both interfaces under their new paths.
    link.keyboard.replug();
    QCOMPARE(link.hid.enumerateDevices(readDeviceDescriptors()).size(), 1);
    QCOMPARE(link.hid.commandInterfacePath(), link.keyboard.commandPath());
    link.hid.startListener();
    QVERIFY(link.hid.isListening());
}

// Pulled out in the middle of a payload: the exchange ends there, the link is free again, the
// interface is closed, and a get keeps what it had read.
void tst_Hid_Thread::unplugDuringBulkTransfer_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<int>("report");
    QTest::newRow("set, at payload report 3") << true << 3;
    QTest::newRow("set, at the first payload report") << true << 1;
    QTest::newRow("get, at payload report 5") << false << 5;
}

void tst_Hid_Thread::unplugDuringBulkTransfer()
{
    QFETCH(bool, set);
    QFETCH(int, report);
    Link link;
    link.keyboard.setState(keyboardState());
    link.keyboard.injectFault(set ? Step::Write : Step::Read, Fault::Unplug, report);

    QByteArray buffer(512, char(0xEE));
    if (set)
        link.hid.hid_0DH_SetKeyMatrix(raw(buffer));
    else
        link.hid.hid_8DH_GetKeyMatrix(raw(buffer));
    link.waitIdle();

    QCOMPARE(link.keyboard.openHandles(), 0);
    QCOMPARE(link.keyboard.outputReports().size(), set ? report - 1 : 0);
    if (!set) {
        const int kept = (report - 1) * 64;
        QCOMPARE(buffer.left(kept), pattern(512, 1).left(kept));
        QCOMPARE(buffer.mid(kept), QByteArray(512 - kept, char(0xEE)));
    }
    link.hid.hid_01H_SetReportRate(1);
    link.waitIdle();
    QCOMPARE(link.hid.commandInterfacePath(), QString());
}

// A keyboard that sends fewer payload reports than announced fails the read after 1 s instead
// of freezing the interface; short reports fill only what they carry.
void tst_Hid_Thread::shortPayloadReadsFail()
{
    Link link;
    link.keyboard.setState(keyboardState());
    link.keyboard.injectFault(Step::Read, Fault::Silent, 8);
    QByteArray buffer(512, char(0xEE));
    QElapsedTimer timer;
    timer.start();
    link.hid.hid_8DH_GetKeyMatrix(raw(buffer));
    QVERIFY(timer.elapsed() < 2000);
    QVERIFY(link.hid.isReady());
    QCOMPARE(buffer.left(448), pattern(512, 1).left(448));
    QCOMPARE(buffer.mid(448), QByteArray(64, char(0xEE)));

    link.keyboard.injectFault(Step::Read, Fault::Short, 1);
    buffer.fill(char(0xEE));
    link.hid.hid_91H_GetMacroKey(5, raw(buffer));
    QCOMPARE(buffer.left(32), pattern(192, 4).left(32));
    QCOMPARE(buffer.mid(32, 32), QByteArray(32, char(0xEE)));
    QCOMPARE(buffer.mid(64, 128), pattern(192, 4).mid(64));
}

// The acknowledgement stays inside the link; every other 4-byte event report reaches the owner
// as a big-endian value, and malformed reports are dropped without stopping the listener.
void tst_Hid_Thread::listenerForwardsVendorEvents()
{
    Link link;
    EventRecorder recorder;
    link.hid.setOwner(&recorder);
    link.hid.startListener();

    link.keyboard.sendEvent(0x04040000);
    link.keyboard.injectFault(Step::EventRead, Fault::Short, 2);
    link.keyboard.sendEvent(0x01020304);      // arrives short: dropped
    link.keyboard.sendEvent(0x04050100);
    link.hid.hid_09H_SetKeyboardMode(1);      // no change: the keyboard is in mode 0
    link.waitIdle();
    link.keyboard.switchKeyboardMode(0);
    QTRY_COMPARE(recorder.received(), (QList<quint32>{0x04050100, 0x04050100, 0x04050000}));
    QVERIFY(link.hid.isListening());

    QElapsedTimer timer;
    timer.start();
    link.hid.stopListener();
    QVERIFY(timer.elapsed() <= 600);
    QVERIFY(!link.hid.isListening());
    QCOMPARE(link.keyboard.openHandles(), 0);
}

// An event interface that opens but fails every read made the listener spin through millions
// of cycles a second. After a failed read it pauses; five in a row mean the keyboard is gone,
// fewer are forgotten at the next good read.
void tst_Hid_Thread::failedEventReads_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<bool>("removed");
    QTest::newRow("every read fails") << -1 << true;
    QTest::newRow("five fail") << 5 << true;
    QTest::newRow("four fail") << 4 << false;
}

void tst_Hid_Thread::failedEventReads()
{
    QFETCH(int, failures);
    QFETCH(bool, removed);
    SimulatedKeyboard keyboard;
    FailingEventReads api(keyboard, failures);
    Hid_Thread hid(api);
    hid.enumerateDevices(readDeviceDescriptors());
    EventRecorder recorder;
    hid.setOwner(&recorder);
    MessageCatcher messages;
    QElapsedTimer timer;
    timer.start();
    hid.startListener();

    if (removed) {
        QTRY_VERIFY_WITH_TIMEOUT(!hid.isListening(), 2000);
        QVERIFY2(timer.elapsed() >= 4 * 50, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(api.failedReads(), 5);
        QCOMPARE(messages.lines(), QStringList{"Device removed"});
        QCOMPARE(hid.eventInterfacePath(), QString());
        QVERIFY(!hid.commandInterfacePath().isEmpty());
    } else {
        QTRY_COMPARE(api.failedReads(), failures);
        keyboard.sendEvent(0x04050100);
        QTRY_COMPARE(recorder.received(), QList<quint32>{0x04050100});
        QVERIFY(hid.isListening());
        QCOMPARE(messages.lines(), QStringList());
    }
    hid.stopListener();
    QCOMPARE(keyboard.openHandles(), 0);
}

// Destroying the link while a set transfer runs waits for the transfer instead of leaving it
// to read freed buffers.
void tst_Hid_Thread::destructionWaitsForTransfer()
{
    SimulatedKeyboard keyboard;
    {
        Hid_Thread hid(keyboard);
        hid.enumerateDevices(readDeviceDescriptors());
        QByteArray picture = pattern(512, 5);
        hid.hid_12H_SetUserPicture(1, 0, raw(picture));
    }
    QCOMPARE(keyboard.outputReports().size(), 8);
    QCOMPARE(fromArray(keyboard.state().profiles[0].pictures[1]), pattern(512, 5));
    QCOMPARE(keyboard.openHandles(), 0);
}

void tst_Hid_Thread::descriptorParsing_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QList<qint32>>("types");
    QTest::newRow("missing total") << "[0]\ntype=0\n" << QList<qint32>{};
    QTest::newRow("total 0") << "[common]\ntotal=0\n[0]\ntype=0\n" << QList<qint32>{};
    QTest::newRow("type is hexadecimal") << "[common]\ntotal=5\n[0]\ntype=1\n[1]\ntype=a\n[2]\ntype=0010\n[3]\ntype=zz\n[4]\nvid=1\n"
                                        << QList<qint32>{1, 10, 16, 0, -1};
    QTest::newRow("damaged total") << "[common]\ntotal=2147483647\n[0]\ntype=0\n" << [] {
        QList<qint32> types{0};
        for (int n = 1; n < 256; ++n)
            types.append(-1);
        return types;
    }();
}

void tst_Hid_Thread::descriptorParsing()
{
    QFETCH(QString, ini);
    QFETCH(QList<qint32>, types);
    QTemporaryDir dir;
    QFile file(dir.filePath("DevInfo.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ini.toUtf8());
    file.close();
    QList<qint32> parsed;
    for (const DeviceDescriptor &d : readDeviceDescriptors(file.fileName()))
        parsed.append(d.type);
    QCOMPARE(parsed, types);
}

// The shipped descriptor, and discovery over descriptors that match in different ways.
void tst_Hid_Thread::discovery_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QList<qint32>>("foundIndices");
    QTest::addColumn<bool>("pathsSet");
    const QString section = "[%1]\ntype=0\nvid=1209\npid=0001\nusagePage=ff01\nusage=0001\nusagePage2=%2\nusage2=0001\n";
    QTest::newRow("shipped descriptor") << QString() << QList<qint32>{0} << true;
    QTest::newRow("no sections") << "[common]\ntotal=0\n" << QList<qint32>{} << false;
    QTest::newRow("event interface missing") << "[common]\ntotal=1\n" + section.arg(0).arg("ff03") << QList<qint32>{} << false;
    QTest::newRow("other product") << "[common]\ntotal=1\n" + QString(section.arg(0).arg("ff02")).replace("pid=0001", "pid=0002")
                                   << QList<qint32>{} << false;
    QTest::newRow("two matching sections, last first") << "[common]\ntotal=2\n" + section.arg(0).arg("ff02") + section.arg(1).arg("ff02")
                                                       << QList<qint32>{1, 0} << true;
}

void tst_Hid_Thread::discovery()
{
    QFETCH(QString, ini);
    QFETCH(QList<qint32>, foundIndices);
    QFETCH(bool, pathsSet);
    QTemporaryDir dir;
    QString path = ":/DevInfo.ini";
    if (!ini.isEmpty()) {
        path = dir.filePath("DevInfo.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini.toUtf8());
    }
    SimulatedKeyboard keyboard;
    Hid_Thread hid(keyboard);
    QList<qint32> indices;
    for (const FoundDevice &found : hid.enumerateDevices(readDeviceDescriptors(path))) {
        indices.append(found.index);
        QCOMPARE(found.cmdPath, keyboard.commandPath());
        QCOMPARE(found.eventPath, keyboard.eventPath());
        QCOMPARE(found.keyboardPath, keyboard.keyboardPath());
    }
    QCOMPARE(indices, foundIndices);
    QCOMPARE(hid.commandInterfacePath(), pathsSet ? keyboard.commandPath() : QString());
    QCOMPARE(hid.eventInterfacePath(), pathsSet ? keyboard.eventPath() : QString());
    QCOMPARE(keyboard.violations(), QStringList());
}

QTEST_GUILESS_MAIN(tst_Hid_Thread)
#include "tst_Hid_Thread.moc"
