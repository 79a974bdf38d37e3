// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of the keyboard's own keyboard interface, on the simulated keyboard: keys typed
// there arrive as changes; an interface it cannot open costs one debug line; unplugging
// releases the keys held, and the interface is read again under its new path.
#include "CategoryLog.h"
#include "KeyboardInterfaceReader.h"
#include "SimulatedKeyboard.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr int kWaitMs = 5000;

// keyChanged as a list: the usage, negative for a release.
QVector<int> changes(const QSignalSpy &spy)
{
    QVector<int> result;
    for (const QList<QVariant> &arguments : spy)
        result.append(arguments.at(0).toBool() ? arguments.at(1).toInt() : -arguments.at(1).toInt());
    return result;
}

} // namespace

class tst_KeyboardInterfaceReader : public QObject
{
    Q_OBJECT

private slots:
    void typedKeysArrive();
    void unreadableInterfaceCostsOneLine();
    void followsUnplugAndReplug();
};

void tst_KeyboardInterfaceReader::typedKeysArrive()
{
    SimulatedKeyboard keyboard;
    KeyboardInterfaceReader reader(keyboard);
    QSignalSpy spy(&reader, &KeyboardInterfaceReader::keyChanged);
    reader.follow(keyboard.keyboardPath());
    QVERIFY(reader.isReading());

    // Shift held over two letters; the seventh key held makes a rollover report, which changes
    // nothing until a report says again which keys are down.
    keyboard.pressKey(0xE1);
    keyboard.pressKey(0x04);
    keyboard.releaseKey(0x04);
    keyboard.pressKey(0x05);
    keyboard.releaseKey(0x05);
    keyboard.releaseKey(0xE1);
    const QVector<int> typed{0xE1, 0x04, -0x04, 0x05, -0x05, -0xE1};
    QTRY_COMPARE_WITH_TIMEOUT(changes(spy), typed, kWaitMs);

    spy.clear();
    for (uchar usage = 0x1E; usage <= 0x24; ++usage)
        keyboard.pressKey(usage);
    keyboard.releaseKey(0x24);
    const QVector<int> sixHeld{0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23};
    QTRY_COMPARE_WITH_TIMEOUT(changes(spy), sixHeld, kWaitMs);

    // Following the interface already read changes nothing; keys held then stay held.
    reader.follow(keyboard.keyboardPath());
    QTest::qWait(50);
    QCOMPARE(changes(spy), sixHeld);
}

void tst_KeyboardInterfaceReader::unreadableInterfaceCostsOneLine()
{
    SimulatedKeyboard keyboard;
    KeyboardInterfaceReader reader(keyboard);
    const CategoryLog log("tarvenix.device");
    const QString missing = QStringLiteral("sim:9:keyboard");
    reader.follow(missing);
    reader.follow(missing);
    QVERIFY(!reader.isReading());
    // The command interface opens but declares no keys.
    reader.follow(keyboard.commandPath());
    QVERIFY(!reader.isReading());
    QCOMPARE(log.lines(),
             (QStringList{"keyboard interface sim:9:keyboard cannot be opened: keys are heard through the desktop only",
                          QStringLiteral("keyboard interface %1 declares no keys: keys are heard through the desktop only")
                              .arg(keyboard.commandPath())}));
    QCOMPARE(keyboard.openHandles(), 0);
}

void tst_KeyboardInterfaceReader::followsUnplugAndReplug()
{
    SimulatedKeyboard keyboard;
    KeyboardInterfaceReader reader(keyboard);
    QSignalSpy spy(&reader, &KeyboardInterfaceReader::keyChanged);
    reader.follow(keyboard.keyboardPath());
    keyboard.pressKey(0x04);
    QTRY_COMPARE_WITH_TIMEOUT(changes(spy), QVector<int>{0x04}, kWaitMs);

    // Pulled out with the key down: the key is released, and reading ends.
    keyboard.unplug();
    QTRY_COMPARE_WITH_TIMEOUT(changes(spy), (QVector<int>{0x04, -0x04}), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!reader.isReading(), kWaitMs);
    QCOMPARE(keyboard.openHandles(), 0);

    // The discovery run after re-plugging names the interface under its new path.
    keyboard.replug();
    reader.follow(keyboard.keyboardPath());
    QVERIFY(reader.isReading());
    keyboard.pressKey(0x05);
    keyboard.releaseKey(0x05);
    QTRY_COMPARE_WITH_TIMEOUT(changes(spy), (QVector<int>{0x04, -0x04, 0x05, -0x05}), kWaitMs);

    reader.follow(QString());
    QVERIFY(!reader.isReading());
    QCOMPARE(keyboard.openHandles(), 0);
    QCOMPARE(keyboard.violations(), QStringList());
}

QTEST_GUILESS_MAIN(tst_KeyboardInterfaceReader)
#include "tst_KeyboardInterfaceReader.moc"
