// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard interface's reports: the layout from a report descriptor, the keys each report
// holds down, and what changed from one report to the next.
#include "KeyboardReport.h"

#include <QtTest>

namespace {

// The boot keyboard: modifier bits E0..E7, a reserved byte, LED outputs, six key bytes 0..0x65.
const QByteArray kBootDescriptor = QByteArray::fromHex(
    "05010906a101"
    "050719e029e715002501750195088102"
    "950175088101"
    "95057501050819012905910295017503910195067508150025650507190029658100"
    "c0");

// A keyboard that reports every key at once: report 1 holds eight modifier bits and a bitmap of
// usages 0..0x77 (15 bytes); report 2, a consumer key, is no keyboard key.
const QByteArray kBitmapDescriptor = QByteArray::fromHex(
    "05010906a1018501"
    "050719e029e715002501750195088102"
    "1900297795788102"
    "c0"
    "050c0901a1018502150026ff0319002aff03751095018100c0");

// "detectKeyboard" as a list: the usage, negative for a release.
using Changes = QVector<int>;

} // namespace

class tst_KeyboardReport : public QObject
{
    Q_OBJECT

private slots:
    void changesFromReports_data();
    void changesFromReports();
};

void tst_KeyboardReport::changesFromReports_data()
{
    QTest::addColumn<QByteArray>("descriptor");
    QTest::addColumn<QStringList>("reports");
    QTest::addColumn<Changes>("changes");

    // Left Shift and Right Alt are modifier bits 1 and 6: pressed before, released after the keys.
    QTest::newRow("boot array with modifiers")
        << kBootDescriptor << QStringList{"4200040000000000", "0000000000000000"}
        << Changes{0xE1, 0xE6, 0x04, -0x04, -0xE1, -0xE6};
    // Too many keys to tell: the keys keep their state until a report says which are down.
    QTest::newRow("rollover ignored")
        << kBootDescriptor << QStringList{"0000040000000000", "0200010101010101", "0000040500000000"}
        << Changes{0x04, 0x05};
    QTest::newRow("key bitmap")
        << kBitmapDescriptor
        << QStringList{"0101100000000010000000000000000000", "020300", "0100000000000000000000000000000000"}
        << Changes{0xE0, 0x04, 0x2C, -0x04, -0x2C, -0xE0};
    QTest::newRow("keys held across reports")
        << kBootDescriptor
        << QStringList{"0000040000000000", "0000040500000000", "0000050400000000", "0000050000000000"}
        << Changes{0x04, 0x05, -0x04};
    QTest::newRow("release of all keys")
        << kBootDescriptor << QStringList{"0300040506000000", "0000000000000000"}
        << Changes{0xE0, 0xE1, 0x04, 0x05, 0x06, -0x04, -0x05, -0x06, -0xE0, -0xE1};
    QTest::newRow("report too short for its fields")
        << kBootDescriptor << QStringList{"0000040000000000", "000000"} << Changes{0x04};
    QTest::newRow("descriptor cut short") << kBootDescriptor.left(21) << QStringList{"0000040000000000"} << Changes{};
}

void tst_KeyboardReport::changesFromReports()
{
    QFETCH(QByteArray, descriptor);
    QFETCH(QStringList, reports);
    QFETCH(Changes, changes);

    const KeyboardReportLayout layout = KeyboardReportLayout::fromDescriptor(descriptor);
    KeyboardReport::Keys held;
    Changes seen;
    for (const QString &report : reports) {
        const auto keys = KeyboardReport::keysDown(layout, QByteArray::fromHex(report.toLatin1()));
        if (!keys)
            continue;
        for (const KeyboardReport::Change &change : KeyboardReport::changes(held, *keys))
            seen.append(change.isDown ? change.usage : -change.usage);
        held = *keys;
    }
    QCOMPARE(seen, changes);
}

QTEST_GUILESS_MAIN(tst_KeyboardReport)
#include "tst_KeyboardReport.moc"
