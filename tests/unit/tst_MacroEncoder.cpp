// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyMap.h"
#include "MacroEncoder.h"

#include <QtTest>

Q_DECLARE_METATYPE(KeyMap::Layout)

namespace {

QString down(const QString &name) { return MacroEncoder::stepText(MacroEncoder::Step::Down, name); }
QString up(const QString &name) { return MacroEncoder::stepText(MacroEncoder::Step::Up, name); }
QString delay(const QString &ms) { return MacroEncoder::stepText(MacroEncoder::Step::Delay, ms); }

QStringList keyPairs(int count)
{
    QStringList steps;
    for (int i = 0; i < count; ++i)
        steps << down(QStringLiteral("A")) << up(QStringLiteral("A"));
    return steps;
}

} // namespace

class tst_MacroEncoder : public QObject
{
    Q_OBJECT

private slots:
    void stepText_data();
    void stepText();
    void encodes_data();
    void encodes();
    void fitsSlot_data();
    void fitsSlot();
};

void tst_MacroEncoder::stepText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("down") << down(QStringLiteral("A")) << QStringLiteral("A    [Down]");
    QTest::newRow("up") << up(QStringLiteral("L Shift")) << QStringLiteral("L Shift      [Up]");
    QTest::newRow("delay") << delay(QStringLiteral("1000")) << QStringLiteral("1000   [Delay]");
}

void tst_MacroEncoder::stepText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void tst_MacroEncoder::encodes_data()
{
    QTest::addColumn<KeyMap::Layout>("layout");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QByteArray>("expected"); // hexadecimal

    const auto US = KeyMap::Layout::US;
    QTest::newRow("empty") << US << QStringList() << QByteArray("00010000");
    QTest::newRow("keys and a delay")
        << US << QStringList{down("A"), up("A"), delay("300"), down("B"), up("B")}
        << QByteArray("0001" "0104" "8104" "7f00012c" "0105" "8105" "0000");
    QTest::newRow("delay keeps low 16 bits") << US << QStringList{delay("70000")} << QByteArray("00017f0011700000");
    QTest::newRow("delay 65535") << US << QStringList{delay("65535")} << QByteArray("00017f00ffff0000");
    QTest::newRow("delay 0 dropped") << US << QStringList{delay("0")} << QByteArray("00010000");
    QTest::newRow("delay not a number dropped") << US << QStringList{delay("abc"), delay("")} << QByteArray("00010000");
    QTest::newRow("unknown key dropped") << US << QStringList{down("Nope"), up("KP 7")} << QByteArray("00010000");
    QTest::newRow("empty key name dropped") << US << QStringList{down("")} << QByteArray("00010000");
    QTest::newRow("other tag dropped") << US << QStringList{"A   [Press]", "A [Down]"} << QByteArray("00010000");
    QTest::newRow("shorter than a tag") << US << QStringList{"A", "", "[Down]"} << QByteArray("00010000");
    QTest::newRow("names with blanks and commas")
        << US << QStringList{down(", <"), up("KP 7 "), down("L Ctrl")} << QByteArray("0001" "0136" "815f" "01e0" "0000");
    QTest::newRow("arrow") << US << QStringList{down(QString(QChar(0x25BC)))} << QByteArray("000101510000");
    QTest::newRow("backslash US") << US << QStringList{down("\\ |")} << QByteArray("000101310000");
    QTest::newRow("backslash UK") << KeyMap::Layout::UK << QStringList{down("\\ |")} << QByteArray("000101320000");
    QTest::newRow("valid steps around dropped ones")
        << US << QStringList{down("Q"), delay("0"), down("?"), up("Q")} << QByteArray("0001" "0114" "8114" "0000");
}

void tst_MacroEncoder::encodes()
{
    QFETCH(KeyMap::Layout, layout);
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, expected);
    QCOMPARE(MacroEncoder::encode(steps, KeyMap::buildKeyNameMap(layout)).toHex(), expected);
}

void tst_MacroEncoder::fitsSlot_data()
{
    QTest::addColumn<int>("pairs");
    QTest::addColumn<int>("encodedSize");
    QTest::addColumn<bool>("overflows");

    QTest::newRow("empty macro") << 0 << 4 << false;
    QTest::newRow("47 pairs fill the slot") << 47 << 192 << false;
    QTest::newRow("48 pairs overflow") << 48 << 196 << true;
}

void tst_MacroEncoder::fitsSlot()
{
    QFETCH(int, pairs);
    QFETCH(int, encodedSize);
    QFETCH(bool, overflows);

    const QByteArray encoded = MacroEncoder::encode(keyPairs(pairs), KeyMap::buildKeyNameMap(KeyMap::Layout::US));
    QCOMPARE(encoded.size(), encodedSize);
    const MacroEncoder::SlotImage slot = MacroEncoder::forSlot(encoded);
    QCOMPARE(slot.encodedSize, encodedSize);
    QCOMPARE(slot.overflows(), overflows);
    // The slot gets the encoding's head (bytes past 192 are not sent), zeros after its end.
    QCOMPARE(slot.bytes.size(), MacroEncoder::SlotSize);
    QCOMPARE(slot.bytes.left(encodedSize), encoded.left(MacroEncoder::SlotSize));
    QCOMPARE(slot.bytes.mid(encodedSize), QByteArray(qMax(0, MacroEncoder::SlotSize - encodedSize), '\0'));
}

QTEST_GUILESS_MAIN(tst_MacroEncoder)
#include "tst_MacroEncoder.moc"
