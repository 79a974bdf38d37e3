// SPDX-License-Identifier: GPL-3.0-or-later
// Which renderer draws the scene: by the user's choice, the GPU device and the OpenGL driver.
#include "SceneBackend.h"
#include "TestEnvironment.h"

#include <QtTest>

class tst_SceneBackend : public QObject
{
    Q_OBJECT

private slots:
    void choice_data();
    void choice();
};

void tst_SceneBackend::choice_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<bool>("gpuDevice");
    QTest::addColumn<QByteArray>("renderer");   // what an OpenGL context reports
    QTest::addColumn<bool>("software");
    QTest::addColumn<bool>("probed");           // whether an OpenGL context was made to ask

    const QByteArray llvmpipe("llvmpipe (LLVM 15.0.6, 256 bits)");
    QTest::newRow("no GPU device") << QStringList() << false << llvmpipe << true << false;
    QTest::newRow("GPU device, llvmpipe") << QStringList() << true << llvmpipe << true << true;
    QTest::newRow("GPU device, softpipe") << QStringList() << true << QByteArray("softpipe") << true << true;
    QTest::newRow("GPU device, swrast") << QStringList() << true << QByteArray("Software Rasterizer") << true << true;
    QTest::newRow("GPU device, no OpenGL") << QStringList() << true << QByteArray() << true << true;
    QTest::newRow("real GPU") << QStringList() << true << QByteArray("AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49)")
                              << false << true;
    QTest::newRow("the user names OpenGL") << QStringList{"QT_QUICK_BACKEND=opengl"} << false << llvmpipe << false
                                           << false;
    QTest::newRow("the user names software") << QStringList{"QT_QUICK_BACKEND=software"} << true
                                             << QByteArray("Mesa Intel(R) UHD Graphics 620") << false << false;
    QTest::newRow("the old variable") << QStringList{"QMLSCENE_DEVICE=opengl"} << false << llvmpipe << false << false;
    QTest::newRow("empty variable") << QStringList{"QT_QUICK_BACKEND="} << false << llvmpipe << true << false;
}

// False means "leave the toolkit's own choice", which for a named back end is that back end.
void tst_SceneBackend::choice()
{
    QFETCH(QStringList, variables);
    QFETCH(bool, gpuDevice);
    QFETCH(QByteArray, renderer);
    QFETCH(bool, software);
    QFETCH(bool, probed);
    bool asked = false;
    const auto probe = [&] {
        asked = true;
        return renderer;
    };
    QCOMPARE(wantsSoftwareScene(environmentOf(variables), gpuDevice, probe), software);
    // Known without asking OpenGL: then OpenGL need not be loaded at all.
    QCOMPARE(softwareSceneCertain(environmentOf(variables), gpuDevice), software && !probed);
    QCOMPARE(asked, probed);
}

QTEST_GUILESS_MAIN(tst_SceneBackend)
#include "tst_SceneBackend.moc"
