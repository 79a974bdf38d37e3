// SPDX-License-Identifier: GPL-3.0-or-later
// Which window platform the application asks for, by session.
#include "TestEnvironment.h"
#include "WindowPlatform.h"

#include <QtTest>

class tst_WindowPlatform : public QObject
{
    Q_OBJECT

private slots:
    void choice_data();
    void choice();
};

void tst_WindowPlatform::choice_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QByteArray>("platform");

    QTest::newRow("X11 session") << QStringList{"DISPLAY=:0"} << QByteArray();
    QTest::newRow("Wayland session with XWayland") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"}
                                                   << QByteArray("xcb");
    QTest::newRow("Wayland session without X") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QByteArray();
    QTest::newRow("the user asks for Wayland")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=wayland"} << QByteArray();
    QTest::newRow("the user asks for no window")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=offscreen"} << QByteArray();
    QTest::newRow("empty platform variable")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM="} << QByteArray("xcb");
    QTest::newRow("nothing") << QStringList() << QByteArray();
}

void tst_WindowPlatform::choice()
{
    QFETCH(QStringList, variables);
    QFETCH(QByteArray, platform);
    QCOMPARE(chooseWindowPlatform(environmentOf(variables)), platform);
}

QTEST_GUILESS_MAIN(tst_WindowPlatform)
#include "tst_WindowPlatform.moc"
