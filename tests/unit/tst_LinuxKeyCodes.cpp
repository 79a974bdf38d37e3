// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyCodes.h"
#include "LinuxKeyCodes.h"

#include <QSet>
#include <QtTest>

#include <linux/input-event-codes.h>

class tst_LinuxKeyCodes : public QObject
{
    Q_OBJECT

private slots:
    void mappedKeysAreKnownToTheTables();
    void everyTableKeyHasALinuxKey();
    void usageOfLinuxKey_data();
    void usageOfLinuxKey();
    void pointerButtons_data();
    void pointerButtons();
};

// A Linux key mapped to a scan code that the tables do not know would be observed and dropped
// without a trace.
void tst_LinuxKeyCodes::mappedKeysAreKnownToTheTables()
{
    for (int code = -1; code <= 0x2FF; ++code) {
        const auto scan = LinuxKeyCodes::scanCodeOf(code);
        if (!scan)
            continue;
        QVERIFY2(KeyCodes::scanToVk(KeyCodes::scanKey(scan->scan, scan->extended)) != 0,
                 qPrintable(QStringLiteral("Linux key %1").arg(code)));
    }
}

// The reverse: every key of the scan-code table can be typed on Linux, and by one key only.
void tst_LinuxKeyCodes::everyTableKeyHasALinuxKey()
{
    QSet<quint16> produced;
    for (int code = 0; code <= 0xFF; ++code) {
        if (const auto scan = LinuxKeyCodes::scanCodeOf(code)) {
            const quint16 key = KeyCodes::scanKey(scan->scan, scan->extended);
            QVERIFY2(!produced.contains(key), qPrintable(QStringLiteral("Linux key %1 repeats a scan code").arg(code)));
            produced.insert(key);
        }
    }
    for (quint32 scan = 0; scan <= 0xFF; ++scan) {
        for (const bool extended : {false, true}) {
            const quint16 key = KeyCodes::scanKey(scan, extended);
            if (KeyCodes::scanToVk(key) != 0)
                QVERIFY2(produced.contains(key), qPrintable(QStringLiteral("no Linux key gives scan 0x%1%2")
                                                               .arg(scan, 2, 16, QLatin1Char('0'))
                                                               .arg(extended ? " extended" : "")));
        }
    }
}

void tst_LinuxKeyCodes::usageOfLinuxKey_data()
{
    QTest::addColumn<int>("linuxKeyCode");
    QTest::addColumn<int>("usUsage");
    QTest::addColumn<int>("ukUsage");

    QTest::newRow("A") << KEY_A << 0x04 << 0x04;
    QTest::newRow("Pause") << KEY_PAUSE << 0x48 << 0x48;
    QTest::newRow("Num Lock") << KEY_NUMLOCK << 0x53 << 0x53;
    QTest::newRow("Enter") << KEY_ENTER << 0x28 << 0x28;
    QTest::newRow("keypad Enter") << KEY_KPENTER << 0x58 << 0x58;
    QTest::newRow("right Shift") << KEY_RIGHTSHIFT << 0xE5 << 0xE5;
    QTest::newRow("right Ctrl") << KEY_RIGHTCTRL << 0xE4 << 0xE4;
    QTest::newRow("right Alt") << KEY_RIGHTALT << 0xE6 << 0xE6;
    QTest::newRow("Print Screen") << KEY_SYSRQ << 0x46 << 0x46;
    QTest::newRow("keypad /") << KEY_KPSLASH << 0x54 << 0x54;
    QTest::newRow("Delete") << KEY_DELETE << 0x4C << 0x4C;
    QTest::newRow("keypad .") << KEY_KPDOT << 0x63 << 0x63;
    QTest::newRow("Menu") << KEY_COMPOSE << 0x65 << 0x65;
    QTest::newRow("backslash") << KEY_BACKSLASH << 0x31 << 0x32;
    QTest::newRow("ISO extra key") << KEY_102ND << 0x64 << 0x64;
    QTest::newRow("right Windows") << KEY_RIGHTMETA << 0 << 0;
    QTest::newRow("volume up") << KEY_VOLUMEUP << 0 << 0;
    QTest::newRow("not a key") << KEY_RESERVED << 0 << 0;
}

void tst_LinuxKeyCodes::usageOfLinuxKey()
{
    QFETCH(int, linuxKeyCode);
    QFETCH(int, usUsage);
    QFETCH(int, ukUsage);

    const auto scan = LinuxKeyCodes::scanCodeOf(linuxKeyCode);
    QCOMPARE(scan.has_value(), usUsage != 0);
    if (!scan)
        return;
    const uchar vk = KeyCodes::virtualKey(scan->scan, scan->extended, false);
    QCOMPARE(int(KeyCodes::vkToUsage(vk, KeyMap::Layout::US)), usUsage);
    QCOMPARE(int(KeyCodes::vkToUsage(vk, KeyMap::Layout::UK)), ukUsage);
}

void tst_LinuxKeyCodes::pointerButtons_data()
{
    QTest::addColumn<int>("xButton");
    QTest::addColumn<uint>("hookButton");

    QTest::newRow("left") << 1 << 1u;
    QTest::newRow("middle") << 2 << 3u;
    QTest::newRow("right") << 3 << 2u;
    QTest::newRow("wheel up") << 4 << 0u;
    QTest::newRow("wheel down") << 5 << 0u;
    QTest::newRow("back") << 8 << 0u;
}

void tst_LinuxKeyCodes::pointerButtons()
{
    QFETCH(int, xButton);
    QFETCH(uint, hookButton);
    QCOMPARE(LinuxKeyCodes::hookButtonOf(xButton), hookButton);
}

QTEST_GUILESS_MAIN(tst_LinuxKeyCodes)
#include "tst_LinuxKeyCodes.moc"
