// SPDX-License-Identifier: GPL-3.0-or-later
// End to end on a virtual X server: keys and clicks typed with xdotool reach the key-code core
// as usages and button reports. Skipped where Xvfb or xdotool is missing.
#include "InputHook.h"
#include "KeyEventSink.h"
#include "KeyHook.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <linux/input-event-codes.h>

namespace {

constexpr int kWaitMs = 10000;

// "detectKeyboard" as a list: the usage, negative for a release.
using Reports = QVector<int>;

struct ButtonReport {
    bool isDown;
    uint button;
    uint x;
    uint y;
};
using ButtonReports = QVector<ButtonReport>;

class RecordingSink : public KeyEventSink
{
public:
    void detectKeyboard(bool isDown, int usage) override { keys.append(isDown ? usage : -usage); }
    void detectMouse(bool isDown, uint button, uint x, uint y) override { clicks.append({isDown, button, x, y}); }

    Reports keys;
    ButtonReports clicks;
};

// Readable in a failure message.
QStringList describe(const Reports &reports)
{
    QStringList lines;
    for (const int report : reports)
        lines.append(QStringLiteral("%1 0x%2").arg(report < 0 ? "up" : "down").arg(qAbs(report), 2, 16, QLatin1Char('0')));
    return lines;
}

QStringList describe(const ButtonReports &reports)
{
    QStringList lines;
    for (const ButtonReport &report : reports)
        lines.append(QStringLiteral("%1 %2 at %3,%4")
                         .arg(report.isDown ? "down" : "up").arg(report.button).arg(report.x).arg(report.y));
    return lines;
}

// xdotool takes a number of two or more digits as an X key code. Key codes keep the test free of
// the server's key map and of xdotool's own modifier handling, which presses Shift_L for a
// Shift_R it is given by name.
QString keycode(int linuxKeyCode)
{
    return QString::number(linuxKeyCode + 8);
}

// The observer as the main window builds it: platform hook, key tables, and a recording sink.
struct Observer
{
    RecordingSink sink;
    KeyHook core;
    InputHook hook;

    explicit Observer(KeyMap::Layout layout = KeyMap::Layout::US)
        : core(layout, &sink)
        , hook(core)
    {
    }
};

} // namespace

Q_DECLARE_METATYPE(KeyMap::Layout)

class tst_InputHook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void withoutDisplay();
    void keysBecomeUsages_data();
    void keysBecomeUsages();
    void buttonsAreReported();
    void removedHookReportsNothing();

private:
    bool xdotool(const QStringList &arguments);

    QProcess m_server;
    QByteArray m_display;
    QByteArray m_originalDisplay;
};

void tst_InputHook::initTestCase()
{
    m_originalDisplay = qgetenv("DISPLAY");
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        return;
    // The server picks a free display and writes its number to our end of its standard output.
    m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                          QStringLiteral("1024x768x24")});
    if (m_server.waitForStarted(kWaitMs)) {
        while (!m_server.canReadLine() && m_server.waitForReadyRead(kWaitMs)) {
        }
        const QByteArray number = m_server.readLine().trimmed();
        if (!number.isEmpty())
            m_display = ':' + number;
    }
}

void tst_InputHook::cleanupTestCase()
{
    if (m_originalDisplay.isNull())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", m_originalDisplay);
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        m_server.waitForFinished(kWaitMs);
    }
}

bool tst_InputHook::xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(kWaitMs) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void tst_InputHook::withoutDisplay()
{
    qunsetenv("DISPLAY");
    KeyHook core(KeyMap::Layout::US);
    InputHook hook(core);
    QTest::ignoreMessage(QtDebugMsg, "installHOOK() FAIL");
    QVERIFY(!hook.installHOOK());
    QVERIFY(!hook.isInstalled());
}

void tst_InputHook::keysBecomeUsages_data()
{
    QTest::addColumn<KeyMap::Layout>("layout");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Reports>("reports");

    const auto us = KeyMap::Layout::US;
    const QString key = QStringLiteral("key");
    QTest::newRow("letter") << us << QStringList{key, keycode(KEY_A)} << Reports{0x04, -0x04};
    QTest::newRow("keypad Enter and Enter") << us << QStringList{key, keycode(KEY_KPENTER), keycode(KEY_ENTER)}
                                            << Reports{0x58, -0x58, 0x28, -0x28};
    QTest::newRow("Pause and Num Lock") << us << QStringList{key, keycode(KEY_PAUSE), keycode(KEY_NUMLOCK)}
                                        << Reports{0x48, -0x48, 0x53, -0x53};
    QTest::newRow("left and right modifiers")
        << us
        << QStringList{key, keycode(KEY_LEFTSHIFT), keycode(KEY_RIGHTSHIFT), keycode(KEY_LEFTCTRL),
                       keycode(KEY_RIGHTCTRL), keycode(KEY_LEFTALT), keycode(KEY_RIGHTALT)}
        << Reports{0xE1, -0xE1, 0xE5, -0xE5, 0xE0, -0xE0, 0xE4, -0xE4, 0xE2, -0xE2, 0xE6, -0xE6};
    QTest::newRow("Print Screen with Alt")
        << us << QStringList{"keydown", keycode(KEY_LEFTALT), key, keycode(KEY_SYSRQ), "keyup", keycode(KEY_LEFTALT)}
        << Reports{0xE2, 0x46, -0x46, -0xE2};
    QTest::newRow("backslash, US") << us << QStringList{key, keycode(KEY_BACKSLASH)} << Reports{0x31, -0x31};
    QTest::newRow("backslash, UK") << KeyMap::Layout::UK << QStringList{key, keycode(KEY_BACKSLASH)}
                                   << Reports{0x32, -0x32};
    QTest::newRow("ISO extra key, UK") << KeyMap::Layout::UK << QStringList{key, keycode(KEY_102ND)}
                                       << Reports{0x64, -0x64};
    QTest::newRow("held key")
        << us << QStringList{"keydown", keycode(KEY_A), "keydown", keycode(KEY_A), "keydown", keycode(KEY_A), "keyup", keycode(KEY_A)}
        << Reports{0x04, -0x04};
    // Keys without a usage, followed by a letter so that their silence is seen.
    QTest::newRow("right Windows and volume")
        << us << QStringList{key, keycode(KEY_RIGHTMETA), keycode(KEY_VOLUMEUP), keycode(KEY_A)}
        << Reports{0x04, -0x04};
}

void tst_InputHook::keysBecomeUsages()
{
    if (m_display.isEmpty())
        QSKIP("Xvfb and xdotool are needed");
    QFETCH(KeyMap::Layout, layout);
    QFETCH(QStringList, arguments);
    QFETCH(Reports, reports);

    qputenv("DISPLAY", m_display);
    Observer observer(layout);
    QVERIFY(observer.hook.installHOOK());

    QVERIFY(xdotool(arguments));
    QTRY_COMPARE_WITH_TIMEOUT(describe(observer.sink.keys), describe(reports), kWaitMs);
    QTest::qWait(50);
    QCOMPARE(describe(observer.sink.keys), describe(reports));
}

void tst_InputHook::buttonsAreReported()
{
    if (m_display.isEmpty())
        QSKIP("Xvfb and xdotool are needed");
    qputenv("DISPLAY", m_display);
    Observer observer;
    QVERIFY(observer.hook.installHOOK());

    // The position is read when the event is handled, so the pointer rests between the steps.
    // The wheel (button 4) is no button to the hook.
    QVERIFY(xdotool({"mousemove", "100", "200"}));
    QVERIFY(xdotool({"click", "1", "click", "4", "click", "3"}));
    QTRY_COMPARE_WITH_TIMEOUT(observer.sink.clicks.size(), 4, kWaitMs);
    QVERIFY(xdotool({"mousemove", "300", "40"}));
    QVERIFY(xdotool({"click", "2"}));
    const ButtonReports expected{{true, 1, 100, 200}, {false, 1, 100, 200}, {true, 2, 100, 200}, {false, 2, 100, 200},
                          {true, 3, 300, 40}, {false, 3, 300, 40}};
    QTRY_COMPARE_WITH_TIMEOUT(observer.sink.clicks.size(), expected.size(), kWaitMs);
    QCOMPARE(describe(observer.sink.clicks), describe(expected));
    QVERIFY(observer.sink.keys.isEmpty());
}

void tst_InputHook::removedHookReportsNothing()
{
    if (m_display.isEmpty())
        QSKIP("Xvfb and xdotool are needed");
    qputenv("DISPLAY", m_display);
    Observer observer;
    QVERIFY(observer.hook.installHOOK());
    QVERIFY(observer.hook.installHOOK());   // a second install replaces the first: still one report per event
    QVERIFY(xdotool({"key", keycode(KEY_B)}));
    QTRY_COMPARE_WITH_TIMEOUT(observer.sink.keys, (Reports{0x05, -0x05}), kWaitMs);

    observer.hook.removeHOOK();
    QVERIFY(!observer.hook.isInstalled());
    QVERIFY(xdotool({"key", keycode(KEY_B)}));
    QTest::qWait(200);
    QCOMPARE(observer.sink.keys, (Reports{0x05, -0x05}));
}

QTEST_GUILESS_MAIN(tst_InputHook)
#include "tst_InputHook.moc"
