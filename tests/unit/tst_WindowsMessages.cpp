// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowsMessages.h"

#include <QtTest>

Q_DECLARE_METATYPE(WindowsMessages::SystemNotice)

using WindowsMessages::SystemNotice;

class tst_WindowsMessages : public QObject
{
    Q_OBJECT

private slots:
    void keyDown_data();
    void keyDown();
    void mouseButton_data();
    void mouseButton();
    void systemNotice_data();
    void systemNotice();
};

void tst_WindowsMessages::keyDown_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<quintptr>("message");
    QTest::addColumn<bool>("isDown");

    QTest::newRow("WM_KEYDOWN") << 0 << quintptr(0x100) << true;
    QTest::newRow("WM_SYSKEYDOWN (with Alt)") << 0 << quintptr(0x104) << true;
    QTest::newRow("WM_KEYUP") << 0 << quintptr(0x101) << false;
    QTest::newRow("WM_SYSKEYUP") << 0 << quintptr(0x105) << false;
    QTest::newRow("key down, not HC_ACTION") << 3 << quintptr(0x100) << false;
}

void tst_WindowsMessages::keyDown()
{
    QFETCH(int, code);
    QFETCH(quintptr, message);
    QFETCH(bool, isDown);
    QCOMPARE(WindowsMessages::isKeyDown(code, message), isDown);
}

void tst_WindowsMessages::mouseButton_data()
{
    QTest::addColumn<quintptr>("message");
    QTest::addColumn<uint>("button");   // 0: not reported
    QTest::addColumn<bool>("isDown");

    QTest::newRow("WM_LBUTTONDOWN") << quintptr(0x201) << 1u << true;
    QTest::newRow("WM_LBUTTONUP") << quintptr(0x202) << 1u << false;
    QTest::newRow("WM_LBUTTONDBLCLK") << quintptr(0x203) << 0u << false;
    QTest::newRow("WM_RBUTTONDOWN") << quintptr(0x204) << 2u << true;
    QTest::newRow("WM_RBUTTONUP") << quintptr(0x205) << 2u << false;
    QTest::newRow("WM_MBUTTONDOWN") << quintptr(0x207) << 3u << true;
    QTest::newRow("WM_MBUTTONUP") << quintptr(0x208) << 3u << false;
    QTest::newRow("WM_MOUSEMOVE") << quintptr(0x200) << 0u << false;
    QTest::newRow("WM_MOUSEWHEEL") << quintptr(0x20A) << 0u << false;
    QTest::newRow("WM_XBUTTONDOWN") << quintptr(0x20B) << 0u << false;
}

void tst_WindowsMessages::mouseButton()
{
    QFETCH(quintptr, message);
    QFETCH(uint, button);
    QFETCH(bool, isDown);

    const auto decoded = WindowsMessages::mouseButton(message);
    QCOMPARE(decoded.has_value(), button != 0);
    if (decoded) {
        QCOMPARE(decoded->button, button);
        QCOMPARE(decoded->isDown, isDown);
    }
}

void tst_WindowsMessages::systemNotice_data()
{
    QTest::addColumn<quint32>("message");
    QTest::addColumn<quintptr>("wParam");
    QTest::addColumn<SystemNotice>("notice");

    QTest::newRow("device arrival") << 0x219u << quintptr(0x8000) << SystemNotice::DeviceChange;
    QTest::newRow("device removal") << 0x219u << quintptr(0x8004) << SystemNotice::DeviceChange;
    QTest::newRow("devnodes changed") << 0x219u << quintptr(0x0007) << SystemNotice::DeviceChange;
    QTest::newRow("automatic resume") << 0x218u << quintptr(0x12) << SystemNotice::Resume;
    QTest::newRow("suspend") << 0x218u << quintptr(0x04) << SystemNotice::None;
    QTest::newRow("resume by the user") << 0x218u << quintptr(0x07) << SystemNotice::None;
    QTest::newRow("power status change") << 0x218u << quintptr(0x0A) << SystemNotice::None;
    QTest::newRow("other message") << 0x10u << quintptr(0x12) << SystemNotice::None;
}

void tst_WindowsMessages::systemNotice()
{
    QFETCH(quint32, message);
    QFETCH(quintptr, wParam);
    QFETCH(SystemNotice, notice);
    QCOMPARE(WindowsMessages::systemNotice(message, wParam), notice);
}

QTEST_GUILESS_MAIN(tst_WindowsMessages)
#include "tst_WindowsMessages.moc"
