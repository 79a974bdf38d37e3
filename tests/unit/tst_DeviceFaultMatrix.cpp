// SPDX-License-Identifier: GPL-3.0-or-later
// Every command of the device link against a keyboard that misbehaves at every step of the
// exchange: the open, the command frame out, the reply in, each payload report out or in, each
// acknowledgement. The keyboard is unplugged there, stays silent, answers garbage or a short
// report, or answers late, just inside or just outside the link's limit. Whatever happens, the
// event loop is never held up longer than the link's waits allow, the link is free again, the
// keyboard keeps its state unless the exchange completed, a get keeps its outputs unless the
// reply arrived, and after a replug the next command works.
#include "DeviceDescriptor.h"
#include "Hid_Thread.h"
#include "InstallationFlags.h"
#include "LinkCases.h"
#include "SimulatedKeyboard.h"
#include "SimulatedKeyboardStateText.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

using Step = SimulatedKeyboard::Step;
using Fault = SimulatedKeyboard::Fault;

// A payload read waits at most 1 s; a set waits 64 ms for each acknowledgement.
constexpr int payloadReadLimitMs = 1000;
constexpr int ackLimitMs = 64;
// What the event loop may lose on top of the link's waits on a loaded machine.
constexpr int stallMarginMs = 250;

enum class Misbehaviour { Fail, Unplug, Short, Garbled, Silent, SlowInside, SlowOutside };

const char *nameOf(Misbehaviour m)
{
    static const char *const names[] = {"fails", "unplugged", "short", "garbage", "silent",
                                        "slow, inside the limit", "slow, outside the limit"};
    return names[int(m)];
}

const char *nameOf(Step step)
{
    static const char *const names[] = {"open", "frame out", "reply in", "payload report out",
                                        "payload report in", "acknowledgement"};
    return names[int(step)];
}

struct SetCommand
{
    const char *name;
    Command run;
    int payloadReports;
    int acks;            // acknowledgements the link waits for
};

QList<SetCommand> setCommands()
{
    static QByteArray data21 = pattern(21, 31), data192 = pattern(192, 32), data512 = pattern(512, 33);
    return {
        {"set 01 report rate", [](Hid_Thread &h) { h.hid_01H_SetReportRate(5); }, 0, 1},
        {"set 02 profile", [](Hid_Thread &h) { h.hid_02H_SetCurrentProfile(7); }, 0, 0},
        {"set 03 options", [](Hid_Thread &h) { h.hid_03H_SetKeyboardoption(9, 9, 9, 9); }, 0, 0},
        {"set 04 sensitivity", [](Hid_Thread &h) { h.hid_04H_SetButtonSensitivity(9, 9, 9, 9); }, 0, 1},
        {"set 07 indicator", [](Hid_Thread &h) { h.hid_07H_SetControlIndicatorLight(3, 4); }, 0, 0},
        {"set 08 lighting", [](Hid_Thread &h) { h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6); }, 0, 1},
        {"set 09 mode", [](Hid_Thread &h) { h.hid_09H_SetKeyboardMode(0); }, 0, 1},
        {"set 0D key matrix", [](Hid_Thread &h) { h.hid_0DH_SetKeyMatrix(raw(data512)); }, 8, 2},
        {"set 0E key on/off", [](Hid_Thread &h) { h.hid_0EH_SetKeyOnOff(raw(data21)); }, 1, 2},
        {"set 11 macro 9", [](Hid_Thread &h) { h.hid_11H_SetMacroKey(9, raw(data192)); }, 3, 2},
        {"set 12 picture 1", [](Hid_Thread &h) { h.hid_12H_SetUserPicture(1, 0, raw(data512)); }, 8, 2},
        {"set 13 recovery", [](Hid_Thread &h) { h.hid_13H_SetRecoveryData(); }, 0, 0},
        {"set 14 colour 9", [](Hid_Thread &h) { h.hid_14H_SetColor(9, 1, 2, 3); }, 0, 0},
    };
}

// The get commands with how many payload reports they read; the firmware version, which
// answers "unknown" when its exchange fails, among them.
struct GetCommand
{
    GetCase get;
    int payloadReports;
    int chunk;
    QByteArray whenFailed;   // empty: the outputs as they were
};

QList<GetCommand> getCommands()
{
    QList<GetCommand> commands{
        {{"get 80 firmware", [](Hid_Thread &h, uchar) { QString v = QStringLiteral("before"); h.hid_80H_GetFWVersion(v); return v.toLatin1(); }, "1b.05"},
         0, 0, "unknown"}};
    for (const GetCase &c : getCases()) {
        const int length = c.expected.size();
        const bool bulk = QByteArray(c.name).startsWith("8D") || QByteArray(c.name).startsWith("8E")
                          || QByteArray(c.name).startsWith("91") || QByteArray(c.name).startsWith("92");
        commands.append({c, bulk ? (length + 63) / 64 : 0, bulk ? qMin(length, 64) : 0, QByteArray()});
    }
    return commands;
}

struct Case
{
    int command;          // index into setCommands() or getCommands()
    bool get;
    Step step;
    int occurrence;
    Misbehaviour misbehaviour;
};

// The longest time the event loop did not turn while `work` ran on it and until `done`.
qint64 longestStall(const std::function<void()> &work, const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = qMax(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start();
    bool ran = false;
    QTimer::singleShot(0, [&] { work(); ran = true; });
    if (!QTest::qWaitFor([&] { return ran && done(); }, 10000))
        return clock.elapsed();
    return qMax(longest, clock.elapsed() - last);
}

// Totals for the summary line: the longest stall of a set and of a get, and where.
int cases = 0;
qint64 worstStall[2] = {0, 0};
QString worstCase[2];

} // namespace

Q_DECLARE_METATYPE(Case)

class tst_DeviceFaultMatrix : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        imagesVerified = true;
        langVerified = true;
    }
    void cleanupTestCase()
    {
        qInfo("fault matrix: %d cases x 5 outcomes; longest event-loop stall: sets %lld ms (%s), gets %lld ms (%s)",
              cases, worstStall[0], qPrintable(worstCase[0]), worstStall[1], qPrintable(worstCase[1]));
    }
    void matrix_data();
    void matrix();
};

void tst_DeviceFaultMatrix::matrix_data()
{
    QTest::addColumn<Case>("c");
    const auto add = [](const char *command, const Case &c) {
        QTest::addRow("%s, %s %d, %s", command, nameOf(c.step), c.occurrence, nameOf(c.misbehaviour)) << c;
    };
    using M = Misbehaviour;
    const QList<M> sends{M::Fail, M::Unplug};
    const QList<M> replies{M::Fail, M::Unplug, M::Short, M::Garbled};
    const QList<M> acks{M::Unplug, M::Short, M::Garbled, M::Silent, M::SlowInside, M::SlowOutside};

    const QList<SetCommand> sets = setCommands();
    for (int i = 0; i < sets.size(); ++i) {
        for (Step step : {Step::Open, Step::SendFeature})
            for (M m : sends)
                add(sets[i].name, {i, false, step, 1, m});
        for (int report = 1; report <= sets[i].payloadReports; ++report)
            for (M m : sends)
                add(sets[i].name, {i, false, Step::Write, report, m});
        for (int ack = 1; ack <= sets[i].acks; ++ack)
            for (M m : acks)
                add(sets[i].name, {i, false, Step::EventRead, ack, m});
    }
    const QList<GetCommand> gets = getCommands();
    for (int i = 0; i < gets.size(); ++i) {
        for (Step step : {Step::Open, Step::SendFeature})
            for (M m : sends)
                add(gets[i].get.name, {i, true, step, 1, m});
        for (M m : replies)
            add(gets[i].get.name, {i, true, Step::GetFeature, 1, m});
        const int reports = gets[i].payloadReports;
        for (int report = 1; report <= reports; ++report) {
            for (M m : replies)
                add(gets[i].get.name, {i, true, Step::Read, report, m});
            // The waits, at the first and the last report.
            if (report == 1 || report == reports)
                for (M m : {M::Silent, M::SlowInside, M::SlowOutside})
                    add(gets[i].get.name, {i, true, Step::Read, report, m});
        }
    }
}

void tst_DeviceFaultMatrix::matrix()
{
    QFETCH(Case, c);
    using M = Misbehaviour;
    Link link;
    link.keyboard.setState(keyboardState());
    const int limitMs = c.step == Step::EventRead ? ackLimitMs : payloadReadLimitMs;
    // Just inside or just outside: a payload report 10 ms before or after the read's time-out
    // (the keyboard decides this against the same clock, so it holds on a loaded machine too),
    // an acknowledgement 4 ms before or after the link looks for it.
    const int justMs = c.step == Step::EventRead ? 4 : 10;
    link.keyboard.setSlowAnswer(c.misbehaviour == M::SlowInside ? limitMs - justMs : limitMs + justMs);
    const Fault faults[] = {Fault::Fail, Fault::Unplug, Fault::Short, Fault::Garbled, Fault::Silent,
                            Fault::Slow, Fault::Slow};
    if (c.step == Step::EventRead)
        link.hid.startListener();
    const QByteArray before = SimulatedKeyboardStateText::encode(link.keyboard.state());
    link.keyboard.injectFault(c.step, faults[int(c.misbehaviour)], c.occurrence);

    // The exchange, on the event loop.
    QByteArray outputs;
    const GetCommand get = c.get ? getCommands().at(c.command) : GetCommand{};
    const qint64 stall = longestStall(
        [&] {
            if (c.get)
                outputs = get.get.probe(link.hid, 0xEE);
            else
                setCommands().at(c.command).run(link.hid);
        },
        [&] { return link.hid.isReady(); });
    ++cases;
    if (stall > worstStall[c.get]) {
        worstStall[c.get] = stall;
        worstCase[c.get] = QString::fromLatin1(QTest::currentDataTag());
    }

    // The event loop waited at most one of the link's limits, on a get only.
    QVERIFY2(stall <= (c.get ? payloadReadLimitMs : 0) + stallMarginMs, qPrintable(QString::number(stall)));
    QVERIFY(link.hid.isReady());

    // What the keyboard holds, and what a get answers.
    const bool lostBeforeTheEnd = c.step == Step::Open || c.step == Step::SendFeature || c.step == Step::Write
                                  || (c.step == Step::EventRead && c.misbehaviour == M::Unplug && c.occurrence == 1
                                      && setCommands().at(c.command).payloadReports > 0);
    const QByteArray after = SimulatedKeyboardStateText::encode(link.keyboard.state());
    if (!c.get) {
        QCOMPARE(after == before, lostBeforeTheEnd);
    } else {
        QCOMPARE(after, before);
        const QByteArray old = get.whenFailed.isEmpty() ? QByteArray(get.get.expected.size(), char(0xEE)) : get.whenFailed;
        const bool failedAtReply = c.step != Step::Read && c.misbehaviour != M::Garbled;
        const bool readFails = c.step == Step::Read
                               && (c.misbehaviour == M::Fail || c.misbehaviour == M::Unplug
                                   || c.misbehaviour == M::Silent || c.misbehaviour == M::SlowOutside);
        if (failedAtReply) {
            QCOMPARE(outputs, old);
        } else if (readFails) {
            // The reports before the failed one were read.
            const int kept = (c.occurrence - 1) * get.chunk;
            QCOMPARE(outputs, get.get.expected.left(kept) + old.mid(kept));
        } else if (c.misbehaviour == M::SlowInside) {
            QCOMPARE(outputs, get.get.expected);
        }
    }

    // Plugged in again, the keyboard is found and the next command works.
    link.hid.stopListener();
    if (link.keyboard.isPlugged())
        link.keyboard.unplug();
    link.keyboard.replug();
    QCOMPARE(link.hid.enumerateDevices(readDeviceDescriptors()).size(), 1);
    uchar rate = 0xEE;
    link.hid.hid_81H_GetReportRate(rate);
    QCOMPARE(int(rate), int(link.keyboard.state().reportRate));
    QVERIFY(link.hid.isReady());
}

QTEST_GUILESS_MAIN(tst_DeviceFaultMatrix)
#include "tst_DeviceFaultMatrix.moc"
