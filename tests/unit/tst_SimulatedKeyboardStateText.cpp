// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated keyboard's state as text: every field survives the round trip, the lines are
// what shell scripts grep for, and every kind of bad or cut-short text is refused.
#include "SimulatedKeyboardStateText.h"

#include <QtTest>

namespace {

using State = SimulatedKeyboard::State;

// Every field differs from a fresh keyboard's, and from its neighbours'.
State busyState()
{
    State s;
    s.currentProfile = 9;
    s.reportRate = 3;
    s.options = {{1, 2, 3, 4}};
    s.sensitivity = {{5, 6, 7, 8}};
    s.indicatorLight = {{9, 10}};
    s.keyboardMode = 1;
    for (std::size_t i = 0; i < s.keyOnOff.size(); ++i)
        s.keyOnOff[i] = static_cast<unsigned char>(0xF0 + i);
    s.firmware = {{0x1B, 0x05}};
    s.recoveries = 1234567;
    s.macros[0][0] = 0x81;
    s.macros[34][191] = 0xFF;
    for (std::size_t p = 0; p < s.profiles.size(); ++p) {
        auto &profile = s.profiles[p];
        for (std::size_t i = 0; i < profile.keyMatrix.size(); ++i)
            profile.keyMatrix[i] = static_cast<unsigned char>(i * 3 + p);
        for (std::size_t picture = 0; picture < profile.pictures.size(); ++picture)
            profile.pictures[picture].fill(static_cast<unsigned char>(p * 10 + picture));
        profile.ledType = {{static_cast<unsigned char>(p), 6, 3, 4, 0, 1}};
    }
    s.profiles[2].colors[0] = {{0xFF, 0x00, 0x10}};
    s.profiles[2].colors[255] = {{1, 2, 3}};
    return s;
}

bool sameState(const State &a, const State &b)
{
    for (std::size_t p = 0; p < a.profiles.size(); ++p) {
        const auto &x = a.profiles[p];
        const auto &y = b.profiles[p];
        if (x.keyMatrix != y.keyMatrix || x.pictures != y.pictures || x.ledType != y.ledType || x.colors != y.colors)
            return false;
    }
    return a.currentProfile == b.currentProfile && a.reportRate == b.reportRate && a.options == b.options
        && a.sensitivity == b.sensitivity && a.indicatorLight == b.indicatorLight
        && a.keyboardMode == b.keyboardMode && a.keyOnOff == b.keyOnOff && a.macros == b.macros
        && a.firmware == b.firmware && a.recoveries == b.recoveries;
}

QByteArray withLine(const QByteArray &text, const QByteArray &name, const QByteArray &value)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray &line : lines) {
        if (line.startsWith(name + '='))
            line = name + '=' + value;
    }
    return lines.join('\n');
}

QByteArray withoutLine(const QByteArray &text, const QByteArray &name)
{
    QList<QByteArray> lines = text.split('\n');
    lines.erase(std::remove_if(lines.begin(), lines.end(), [&](const QByteArray &l) { return l.startsWith(name + '='); }),
                lines.end());
    return lines.join('\n');
}

} // namespace

class tst_SimulatedKeyboardStateText : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void linesForScripts();
    void badTexts_data();
    void badTexts();
};

void tst_SimulatedKeyboardStateText::roundTrip()
{
    for (const State &original : {State(), busyState()}) {
        const QByteArray text = SimulatedKeyboardStateText::encode(original);
        const auto state = SimulatedKeyboardStateText::decode(text);
        QVERIFY(state);
        QVERIFY(sameState(*state, original));
        QCOMPARE(SimulatedKeyboardStateText::encode(*state), text);
    }
}

void tst_SimulatedKeyboardStateText::linesForScripts()
{
    const QByteArray text = SimulatedKeyboardStateText::encode(busyState());
    const QList<QByteArray> lines = text.split('\n');
    for (const char *expected : {"currentProfile=9", "keyboardMode=1", "options=01020304", "firmware=1b05",
                                 "recoveries=1234567", "profile2.color0=ff0010", "profile2.color255=010203",
                                 "profile4.ledType=040603040001"}) {
        QVERIFY2(lines.contains(expected), expected);
    }
    QVERIFY(text.contains("\nmacro34=" + QByteArray(191 * 2, '0') + "ff\n"));
    QVERIFY(text.contains("\nprofile1.keyMatrix=0104070a"));
    // Cut short anywhere, a text lacks its last line, which is a fixed field.
    QVERIFY(lines.at(lines.size() - 2).startsWith("profile9.ledType="));

    // Comments, blank lines, CR-LF and another order are fine.
    QList<QByteArray> shuffled = text.split('\n');
    std::reverse(shuffled.begin(), shuffled.end());
    const auto state = SimulatedKeyboardStateText::decode("# edited by hand\r\n\r\n" + shuffled.join("\r\n"));
    QVERIFY(state);
    QVERIFY(sameState(*state, busyState()));
}

void tst_SimulatedKeyboardStateText::badTexts_data()
{
    const QByteArray good = SimulatedKeyboardStateText::encode(busyState());
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut in the middle of a value") << good.left(good.size() / 2);
    QTest::newRow("cut before the last line") << good.left(good.lastIndexOf("profile9.ledType"));
    QTest::newRow("cut inside the last value") << good.left(good.size() - 3);
    QTest::newRow("a fixed field missing") << withoutLine(good, "keyOnOff");
    QTest::newRow("unknown name") << good + "colour=ff\n";
    QTest::newRow("repeated name") << good + "keyboardMode=0\n";
    QTest::newRow("line without =") << good + "keyboardMode\n";
    QTest::newRow("empty name") << good + "=1\n";
    QTest::newRow("uppercase hex") << withLine(good, "firmware", "1B05");
    QTest::newRow("hex too short") << withLine(good, "firmware", "1b");
    QTest::newRow("hex too long") << withLine(good, "profile0.ledType", "00000000000000");
    QTest::newRow("odd hex digits") << withLine(good, "options", "0102030");
    QTest::newRow("not hex") << withLine(good, "options", "0102030g");
    QTest::newRow("short macro") << good + "macro40=00\n";
    QTest::newRow("macro slot 256") << good + "macro256=" + QByteArray(384, '0') + '\n';
    QTest::newRow("colour of profile 10") << good + "profile10.color1=000000\n";
    QTest::newRow("colour too long") << good + "profile0.color1=00000000\n";
    QTest::newRow("profile 10") << withLine(good, "currentProfile", "10");
    QTest::newRow("byte 256") << withLine(good, "reportRate", "256");
    QTest::newRow("negative") << withLine(good, "keyboardMode", "-1");
    QTest::newRow("leading zero") << withLine(good, "keyboardMode", "01");
    QTest::newRow("hex for a byte") << withLine(good, "keyboardMode", "0x1");
    QTest::newRow("count too large") << withLine(good, "recoveries", "99999999999");
    QTest::newRow("binary") << QByteArray("\x00\xff\x7f=\n\x01", 6);
    QTest::newRow("over a megabyte") << good + QByteArray(SimulatedKeyboardStateText::kMaximumSize, '#');
}

void tst_SimulatedKeyboardStateText::badTexts()
{
    QFETCH(QByteArray, text);
    QVERIFY(!SimulatedKeyboardStateText::decode(text));
}

QTEST_GUILESS_MAIN(tst_SimulatedKeyboardStateText)

#include "tst_SimulatedKeyboardStateText.moc"
