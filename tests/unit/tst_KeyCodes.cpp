// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyCodes.h"

#include <QSet>
#include <QtTest>

Q_DECLARE_METATYPE(KeyMap::Layout)

class tst_KeyCodes : public QObject
{
    Q_OBJECT

private slots:
    void usageOfKeyEvent_data();
    void usageOfKeyEvent();
    void everyScanCodeReachesAUsage_data();
    void everyScanCodeReachesAUsage();
    void usagesAreDistinct_data();
    void usagesAreDistinct();
};

void tst_KeyCodes::usageOfKeyEvent_data()
{
    QTest::addColumn<quint32>("scan");
    QTest::addColumn<bool>("extended");
    QTest::addColumn<bool>("altDown");
    QTest::addColumn<int>("usUsage");
    QTest::addColumn<int>("ukUsage");

    QTest::newRow("Escape") << 0x01u << false << false << 0x29 << 0x29;
    QTest::newRow("A") << 0x1Eu << false << false << 0x04 << 0x04;
    QTest::newRow("0 after 9") << 0x0Bu << false << false << 0x27 << 0x27;
    QTest::newRow("left Shift") << 0x2Au << false << false << 0xE1 << 0xE1;
    QTest::newRow("right Shift") << 0x36u << true << false << 0xE5 << 0xE5;
    QTest::newRow("0x36 without the flag") << 0x36u << false << false << 0 << 0;
    QTest::newRow("left Ctrl") << 0x1Du << false << false << 0xE0 << 0xE0;
    QTest::newRow("right Ctrl") << 0x1Du << true << false << 0xE4 << 0xE4;
    QTest::newRow("left Alt") << 0x38u << false << true << 0xE2 << 0xE2;
    QTest::newRow("right Alt") << 0x38u << true << true << 0xE6 << 0xE6;
    QTest::newRow("Enter") << 0x1Cu << false << false << 0x28 << 0x28;
    QTest::newRow("keypad Enter") << 0x1Cu << true << false << 0x58 << 0x58;
    QTest::newRow("Pause") << 0x45u << false << false << 0x48 << 0x48;
    QTest::newRow("Num Lock") << 0x45u << true << false << 0x53 << 0x53;
    QTest::newRow("Ctrl+Break") << 0x46u << true << false << 0x48 << 0x48;
    QTest::newRow("Scroll Lock") << 0x46u << false << false << 0x47 << 0x47;
    QTest::newRow("Print Screen") << 0x37u << true << false << 0x46 << 0x46;
    QTest::newRow("Print Screen with Alt") << 0x54u << false << true << 0x46 << 0x46;
    QTest::newRow("0x54 without Alt") << 0x54u << false << false << 0 << 0;
    QTest::newRow("keypad *") << 0x37u << false << false << 0x55 << 0x55;
    QTest::newRow("keypad /") << 0x35u << true << false << 0x54 << 0x54;
    QTest::newRow("slash") << 0x35u << false << false << 0x38 << 0x38;
    QTest::newRow("keypad 7") << 0x47u << false << false << 0x5F << 0x5F;
    QTest::newRow("Home") << 0x47u << true << false << 0x4A << 0x4A;
    QTest::newRow("keypad 0") << 0x52u << false << false << 0x62 << 0x62;
    QTest::newRow("Insert") << 0x52u << true << false << 0x49 << 0x49;
    QTest::newRow("keypad .") << 0x53u << false << false << 0x63 << 0x63;
    QTest::newRow("Delete") << 0x53u << true << false << 0x4C << 0x4C;
    QTest::newRow("backslash") << 0x2Bu << false << false << 0x31 << 0x32;
    QTest::newRow("ISO extra key") << 0x56u << false << false << 0x64 << 0x64;
    QTest::newRow("F10") << 0x44u << false << false << 0x43 << 0x43;
    QTest::newRow("F11") << 0x57u << false << false << 0x44 << 0x44;
    QTest::newRow("F23") << 0x6Eu << false << false << 0x72 << 0x72;
    QTest::newRow("left Windows") << 0x5Bu << true << false << 0xE3 << 0xE3;
    QTest::newRow("right Windows") << 0x5Cu << true << false << 0 << 0;
    QTest::newRow("Application") << 0x5Du << true << false << 0x65 << 0x65;
    QTest::newRow("media key (volume up)") << 0x30u << true << false << 0 << 0;
    QTest::newRow("scan code 0") << 0x00u << false << false << 0 << 0;
    QTest::newRow("scan code above 255") << 0x11Eu << false << false << 0 << 0;
    QTest::newRow("scan code above 255, extended") << 0x11Cu << true << false << 0 << 0;
}

void tst_KeyCodes::usageOfKeyEvent()
{
    QFETCH(quint32, scan);
    QFETCH(bool, extended);
    QFETCH(bool, altDown);
    QFETCH(int, usUsage);
    QFETCH(int, ukUsage);

    const uchar vk = KeyCodes::virtualKey(scan, extended, altDown);
    QCOMPARE(int(KeyCodes::vkToUsage(vk, KeyMap::Layout::US)), usUsage);
    QCOMPARE(int(KeyCodes::vkToUsage(vk, KeyMap::Layout::UK)), ukUsage);
}

// Every key of the scan-code table must come out as a usage: a virtual key without a usage row
// would make that key silently report nothing.
void tst_KeyCodes::everyScanCodeReachesAUsage_data()
{
    QTest::addColumn<KeyMap::Layout>("layout");
    QTest::newRow("US") << KeyMap::Layout::US;
    QTest::newRow("UK") << KeyMap::Layout::UK;
}

void tst_KeyCodes::everyScanCodeReachesAUsage()
{
    QFETCH(KeyMap::Layout, layout);

    int keys = 0;
    for (quint32 scan = 0; scan <= 0xFF; ++scan) {
        for (const bool extended : {false, true}) {
            const uchar vk = KeyCodes::scanToVk(KeyCodes::scanKey(scan, extended));
            if (vk == 0)
                continue;
            ++keys;
            QVERIFY2(KeyCodes::vkToUsage(vk, layout) != 0,
                     qPrintable(QStringLiteral("scan 0x%1%2 gives VK 0x%3 without a usage")
                                    .arg(scan, 2, 16, QLatin1Char('0'))
                                    .arg(extended ? QStringLiteral(" extended") : QString())
                                    .arg(vk, 2, 16, QLatin1Char('0'))));
        }
    }
    QCOMPARE(keys, 105);
}

// Two virtual keys with one usage would make the down/up filter merge two keys.
void tst_KeyCodes::usagesAreDistinct_data()
{
    everyScanCodeReachesAUsage_data();
}

void tst_KeyCodes::usagesAreDistinct()
{
    QFETCH(KeyMap::Layout, layout);

    QSet<int> usages;
    int rows = 0;
    for (int vk = 0; vk <= 0xFF; ++vk) {
        const int usage = KeyCodes::vkToUsage(uchar(vk), layout);
        if (usage == 0)
            continue;
        ++rows;
        QVERIFY2(!usages.contains(usage), qPrintable(QStringLiteral("usage 0x%1 twice").arg(usage, 2, 16)));
        usages.insert(usage);
    }
    QCOMPARE(rows, 121);
}

QTEST_GUILESS_MAIN(tst_KeyCodes)
#include "tst_KeyCodes.moc"
