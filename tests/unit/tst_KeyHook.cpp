// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyEventSink.h"
#include "KeyHook.h"

#include <QtTest>

Q_DECLARE_METATYPE(KeyMap::Layout)

namespace {

// A key event as a hook delivers it.
struct Event {
    bool isDown;
    quint32 scan;
    bool extended;
    bool altDown;
};

// Down and up of a few keys, named for the table rows.
constexpr Event aDown{true, 0x1E, false, false};
constexpr Event aUp{false, 0x1E, false, false};
constexpr Event bDown{true, 0x30, false, false};
constexpr Event bUp{false, 0x30, false, false};
constexpr Event pauseDown{true, 0x45, false, false};
constexpr Event pauseUp{false, 0x45, false, false};
constexpr Event breakDown{true, 0x46, true, false};
constexpr Event breakUp{false, 0x46, true, false};
constexpr Event rightWinDown{true, 0x5C, true, false};
constexpr Event rightWinUp{false, 0x5C, true, false};

using Events = QVector<Event>;

// A key event of either source: the desktop's (a scan code) or the keyboard's own key reports
// (a usage, negative for a release).
struct Step {
    Event desktop;
    int keyboard;
};
Step desktop(Event event) { return {event, 0}; }
Step keyboard(int usage) { return {{}, usage}; }
using Steps = QVector<Step>;
// A report as "detectKeyboard" receives it: usage, negative for a release.
using Reports = QVector<int>;

class RecordingSink : public KeyEventSink
{
public:
    void detectKeyboard(bool isDown, int usage) override { keys.append(isDown ? usage : -usage); }
    void detectMouse(bool isDown, uint button, uint x, uint y) override
    {
        mouse.append({isDown, button, x, y});
    }

    struct Mouse {
        bool isDown;
        uint button;
        uint x;
        uint y;
    };

    Reports keys;
    QVector<Mouse> mouse;
};

} // namespace

Q_DECLARE_METATYPE(Events)
Q_DECLARE_METATYPE(Steps)

class tst_KeyHook : public QObject
{
    Q_OBJECT

private slots:
    void reportsStateChanges_data();
    void reportsStateChanges();
    void layoutDecidesBackslash_data();
    void layoutDecidesBackslash();
    void bothSourcesReportOnce_data();
    void bothSourcesReportOnce();
    void keepsStateWithoutSink();
    void reportsEveryMouseButtonEvent();
};

void tst_KeyHook::reportsStateChanges_data()
{
    QTest::addColumn<Events>("events");
    QTest::addColumn<Reports>("reports");

    QTest::newRow("press and release") << Events{aDown, aUp} << Reports{0x04, -0x04};
    QTest::newRow("held key repeats") << Events{aDown, aDown, aDown, aDown, aUp} << Reports{0x04, -0x04};
    QTest::newRow("duplicate release") << Events{aDown, aUp, aUp} << Reports{0x04, -0x04};
    QTest::newRow("release never pressed") << Events{aUp} << Reports{};
    QTest::newRow("two keys interleaved")
        << Events{aDown, bDown, aDown, aUp, bDown, bUp} << Reports{0x04, 0x05, -0x04, -0x05};
    QTest::newRow("pressed again after release") << Events{aDown, aUp, aDown} << Reports{0x04, -0x04, 0x04};
    // Pause and Ctrl+Break are one usage: the second arrival is no change.
    QTest::newRow("Pause then Break") << Events{pauseDown, breakDown, breakUp, pauseUp} << Reports{0x48, -0x48};
    QTest::newRow("key without usage") << Events{rightWinDown, rightWinUp} << Reports{};
}

void tst_KeyHook::reportsStateChanges()
{
    QFETCH(Events, events);
    QFETCH(Reports, reports);

    RecordingSink sink;
    KeyHook hook(KeyMap::Layout::US, &sink);
    for (const Event &event : events)
        hook.keyEvent(event.isDown, event.scan, event.extended, event.altDown);
    QCOMPARE(sink.keys, reports);
}

void tst_KeyHook::layoutDecidesBackslash_data()
{
    QTest::addColumn<KeyMap::Layout>("layout");
    QTest::addColumn<int>("usage");
    QTest::newRow("US") << KeyMap::Layout::US << 0x31;
    QTest::newRow("UK") << KeyMap::Layout::UK << 0x32;
}

void tst_KeyHook::layoutDecidesBackslash()
{
    QFETCH(KeyMap::Layout, layout);
    QFETCH(int, usage);

    RecordingSink sink;
    KeyHook hook(layout, &sink);
    hook.keyEvent(true, 0x2B, false, false);
    hook.keyEvent(false, 0x2B, false, false);
    QCOMPARE(sink.keys, (Reports{usage, -usage}));
}

void tst_KeyHook::bothSourcesReportOnce_data()
{
    QTest::addColumn<KeyMap::Layout>("layout");
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<Reports>("reports");

    const auto us = KeyMap::Layout::US;
    QTest::newRow("desktop first") << us << Steps{desktop(aDown), keyboard(0x04), keyboard(-0x04), desktop(aUp)}
                                   << Reports{0x04, -0x04};
    QTest::newRow("keyboard first") << us << Steps{keyboard(0x04), desktop(aDown), desktop(aUp), keyboard(-0x04)}
                                    << Reports{0x04, -0x04};
    QTest::newRow("held, desktop repeats")
        << us << Steps{desktop(aDown), keyboard(0x04), desktop(aDown), desktop(aDown), keyboard(-0x04), desktop(aUp)}
        << Reports{0x04, -0x04};
    QTest::newRow("one key from each") << us << Steps{desktop(aDown), keyboard(0x05), desktop(aUp), keyboard(-0x05)}
                                       << Reports{0x04, 0x05, -0x04, -0x05};
    // The right Windows key has no row in the tables; 0x32 is the UK keyboard's key beside Enter.
    QTest::newRow("usages the tables never give, US")
        << us << Steps{keyboard(0xE7), keyboard(-0xE7), keyboard(0x32), keyboard(-0x32)} << Reports{};
    QTest::newRow("key beside Enter, UK") << KeyMap::Layout::UK << Steps{keyboard(0x32), keyboard(-0x32)}
                                          << Reports{0x32, -0x32};
}

void tst_KeyHook::bothSourcesReportOnce()
{
    QFETCH(KeyMap::Layout, layout);
    QFETCH(Steps, steps);
    QFETCH(Reports, reports);

    RecordingSink sink;
    KeyHook hook(layout, &sink);
    for (const Step &step : steps) {
        if (step.keyboard != 0)
            hook.keyUsage(step.keyboard > 0, uchar(qAbs(step.keyboard)));
        else
            hook.keyEvent(step.desktop.isDown, step.desktop.scan, step.desktop.extended, step.desktop.altDown);
    }
    QCOMPARE(sink.keys, reports);
}

// While no window takes the reports the state is still followed, so a key held across the
// moment the sink is set reports only its release.
void tst_KeyHook::keepsStateWithoutSink()
{
    KeyHook hook(KeyMap::Layout::US);
    hook.keyEvent(true, 0x1E, false, false);
    hook.mouseButton(true, 1, 10, 20);
    QVERIFY(hook.isDown(0x04));

    RecordingSink sink;
    hook.setSink(&sink);
    hook.keyEvent(true, 0x1E, false, false);
    hook.keyEvent(false, 0x1E, false, false);
    QCOMPARE(sink.keys, Reports{-0x04});
    QVERIFY(sink.mouse.isEmpty());
}

void tst_KeyHook::reportsEveryMouseButtonEvent()
{
    RecordingSink sink;
    KeyHook hook(KeyMap::Layout::US, &sink);
    hook.mouseButton(true, 1, 5, 6);
    hook.mouseButton(true, 1, 5, 6);
    hook.mouseButton(false, 3, 700, 80);

    QCOMPARE(sink.mouse.size(), 3);
    QCOMPARE(sink.mouse.at(1).isDown, true);
    QCOMPARE(sink.mouse.at(1).button, 1u);
    QCOMPARE(sink.mouse.at(2).isDown, false);
    QCOMPARE(sink.mouse.at(2).button, 3u);
    QCOMPARE(sink.mouse.at(2).x, 700u);
    QCOMPARE(sink.mouse.at(2).y, 80u);
    QVERIFY(sink.keys.isEmpty());
}

QTEST_GUILESS_MAIN(tst_KeyHook)
#include "tst_KeyHook.moc"
