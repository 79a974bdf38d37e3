// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped skin pictures: every catalogued picture is in both skins at its catalogued size,
// the sizes fit the coordinates the scene places them at, the tree holds nothing else, and the
// generator redraws the tree byte for byte (the start-up image check sums those bytes).
#include "../../tools/skingen/SkinCatalogue.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const QString sourceDir = QStringLiteral(TARVENIX_SOURCE_DIR);

QString skinPath(int skin, const char *path)
{
    return QStringLiteral("%1/%2/skin%3/%4").arg(sourceDir, QLatin1String(SkinCatalogue::skinRoot)).arg(skin).arg(QLatin1String(path));
}

const SkinCatalogue::Picture &entry(const char *path)
{
    for (const SkinCatalogue::Picture &picture : SkinCatalogue::pictures) {
        if (std::strcmp(picture.path, path) == 0)
            return picture;
    }
    qFatal("no catalogued picture %s", path);
}

int width(const char *path)
{
    return entry(path).width;
}

int height(const char *path)
{
    return entry(path).height;
}

// Every file below root, as paths relative to it.
QSet<QString> filesBelow(const QString &root)
{
    QSet<QString> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.insert(QDir(root).relativeFilePath(it.next()));
    return files;
}

// The toolkit's rasterizer picks its code paths by the processor's features, so anti-aliased
// edges and gradients may come out a few levels apart on another machine. Largest difference of
// any channel of any pixel, or -1 when the pictures differ in size.
int largestChannelDifference(const QImage &drawn, const QImage &shipped)
{
    if (drawn.size() != shipped.size())
        return -1;
    const QImage a = drawn.convertToFormat(QImage::Format_ARGB32);
    const QImage b = shipped.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *rowA = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *rowB = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            largest = std::max({largest, std::abs(qRed(rowA[x]) - qRed(rowB[x])),
                                std::abs(qGreen(rowA[x]) - qGreen(rowB[x])),
                                std::abs(qBlue(rowA[x]) - qBlue(rowB[x])),
                                std::abs(qAlpha(rowA[x]) - qAlpha(rowB[x]))});
        }
    }
    return largest;
}

} // namespace

class tst_SkinImages : public QObject
{
    Q_OBJECT

private slots:
    void pictureMatchesCatalogue_data();
    void pictureMatchesCatalogue();
    void treeHoldsOnlyCataloguedPictures();
    void sizesMatchTheLayout_data();
    void sizesMatchTheLayout();
    void picturesFitTheirPlaces_data();
    void picturesFitTheirPlaces();
    void generatorRedrawsTheShippedArt();
};

void tst_SkinImages::pictureMatchesCatalogue_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    for (int skin = 1; skin <= SkinCatalogue::skinCount; ++skin) {
        for (const SkinCatalogue::Picture &picture : SkinCatalogue::pictures)
            QTest::addRow("skin%d/%s", skin, picture.path) << skinPath(skin, picture.path)
                                                           << QSize(picture.width, picture.height);
    }
    const SkinCatalogue::Picture &busy = SkinCatalogue::busyPicture;
    QTest::newRow("busy") << QStringLiteral("%1/%2/%3").arg(sourceDir, QLatin1String(SkinCatalogue::busyRoot),
                                                           QLatin1String(busy.path))
                          << QSize(24, 24);
}

void tst_SkinImages::pictureMatchesCatalogue()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QImageReader reader(file);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(file + QStringLiteral(": ") + reader.errorString()));
    QCOMPARE(image.size(), size);

    // An alpha channel only where some pixel is not opaque.
    if (image.hasAlphaChannel()) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        bool translucent = false;
        for (int y = 0; y < argb.height() && !translucent; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
            for (int x = 0; x < argb.width() && !translucent; ++x)
                translucent = qAlpha(line[x]) < 255;
        }
        QVERIFY2(translucent, "opaque picture stored with an alpha channel");
    }
}

void tst_SkinImages::treeHoldsOnlyCataloguedPictures()
{
    QSet<QString> expected;
    for (int skin = 1; skin <= SkinCatalogue::skinCount; ++skin) {
        for (const SkinCatalogue::Picture &picture : SkinCatalogue::pictures)
            expected.insert(QStringLiteral("skin%1/%2").arg(skin).arg(QLatin1String(picture.path)));
    }
    const QSet<QString> found = filesBelow(sourceDir + QLatin1Char('/') + QLatin1String(SkinCatalogue::skinRoot));
    QStringList strays = (found - expected).values();
    QStringList missing = (expected - found).values();
    strays.sort();
    missing.sort();
    QVERIFY2(strays.isEmpty(), qPrintable(QStringLiteral("not catalogued: ") + strays.join(QStringLiteral(", "))));
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing: ") + missing.join(QStringLiteral(", "))));
}

// Sizes fixed by the coordinates of the main screen, its pages and its controls.
void tst_SkinImages::sizesMatchTheLayout_data()
{
    QTest::addColumn<int>("actual");
    QTest::addColumn<int>("expected");

    QTest::newRow("window width") << width("background.png") << 1000;
    QTest::newRow("window height") << height("background.png") << 600;
    QTest::newRow("frame width") << width("frame/frameBackground.png") << 1000;
    QTest::newRow("frame height") << height("frame/frameBackground.png") << 600;
    QTest::newRow("settings panel width") << width("list_center/globalsettingBackground.png") << 340;
    QTest::newRow("settings panel height") << height("list_center/globalsettingBackground.png") << 420;
    QTest::newRow("function button width") << width("list_fn/listFnBtn_0.png") << 150;
    QTest::newRow("function button height") << height("list_fn/listFnBtn_0.png") << 37;
    QTest::newRow("device icon width") << width("list_dn/iconKB_0.png") << 21;
    QTest::newRow("device icon height") << height("list_dn/iconKB_0.png") << 21;
    QTest::newRow("device icon row centred at x 323") << (width("list_dn/listDnContainer.png") - 21) / 2 << 323;
    QTest::newRow("slider base width") << width("common/slider_BASE.png") << 151;
    QTest::newRow("slider base height") << height("common/slider_BASE.png") << 23;
    QTest::newRow("seven overlapping segments fill 141") << 7 * width("common/slider_FILLER_0.png") - 6 << 141;
    QTest::newRow("segment height") << height("common/slider_FILLER_0.png") << 21;
    QTest::newRow("wheel cross fills 61") << 3 * width("common/slider_FILLER_0.png") - 2 << 61;
    QTest::newRow("swatch width") << width("common/draw_paletteIndex.png") << 19;
    QTest::newRow("swatch height") << height("common/draw_paletteIndex.png") << 31;

    // Key caps on the model's grid: 31-pixel pitch, 2-pixel gaps, ends taken from the next key.
    QTest::newRow("k1 width") << width("model_kb/k1-0.png") << 31 - 2;
    QTest::newRow("k1 height") << height("model_kb/k1-0.png") << 31 - 2;
    QTest::newRow("k2 Tab to Q") << width("model_kb/k2-0.png") << 41 - 2;
    QTest::newRow("k3 Caps to A") << width("model_kb/k3-0.png") << 50 - 2;
    QTest::newRow("k4 Shift to Z") << width("model_kb/k4-0.png") << 66 - 2;
    QTest::newRow("k5 Ctrl to Win") << width("model_kb/k5-0.png") << 38 - 2;
    QTest::newRow("k6 Space to Alt") << width("model_kb/k6-0.png") << 308 - 114 - 2;
    QTest::newRow("k7 right Shift to the block end") << width("model_kb/k7-0.png") << 429 + 31 - 376 - 2;
    QTest::newRow("k9 Backspace to the block end") << width("model_kb/k9-0.png") << 429 + 31 - 403 - 2;
    QTest::newRow("k10 keypad 0 to keypad .") << width("model_kb/k10-0.png") << 633 - 571 - 2;
    QTest::newRow("k11 keypad + from row 3 to row 1") << height("model_kb/k11-0.png") << 132 - 70 - 2;
    QTest::newRow("k12 backslash to the block end") << width("model_kb/k12-0.png") << 429 + 31 - 413 - 2;
    QTest::newRow("k81 Enter to the block end") << width("model_kb/k81-0.png") << 429 + 31 - 391 - 2;
}

void tst_SkinImages::sizesMatchTheLayout()
{
    QFETCH(int, actual);
    QFETCH(int, expected);
    QCOMPARE(actual, expected);
}

// Pictures whose size is free within the room their neighbours leave.
void tst_SkinImages::picturesFitTheirPlaces_data()
{
    QTest::addColumn<bool>("fits");

    // The page area starts at x 171; the profile menu is right-aligned 8 pixels from the edge.
    QTest::newRow("pages end before the profile menu")
        << (171 + width("list_center/fnColorBackground.png") <= 1000 - 8 - width("list_pf/listPfContainer.png"));
    QTest::newRow("pages hold the 738-pixel model area at x 1")
        << (width("list_center/fnColorBackground.png") >= 1 + 738 && width("list_center/fnKeydefineBackground.png") >= 1 + 738);
    QTest::newRow("pages fit the 442-pixel area, the macro page 46 lower")
        << (height("list_center/fnColorBackground.png") <= 442 && height("list_center/fnKeydefineBackground.png") <= 442
            && height("list_center/fnMacroBackground.png") <= 442 - 46);
    QTest::newRow("function icon fits its button 10 in")
        << (10 + width("list_fn/fnColor_0.png") < 150 && height("list_fn/fnColor_0.png") <= 37);
    QTest::newRow("ten profile entries from y 97 fit the container")
        << (97 + 10 * 26 <= height("list_pf/listPfContainer.png"));
    QTest::newRow("profile marker and label fit a 49 × 26 entry")
        << (width("list_pf/profileFW_0.png") + 2 + 21 <= 49 && height("list_pf/profileFW_0.png") <= 26);
    QTest::newRow("device icon inside the bottom bar") << (13 + 21 <= height("list_dn/listDnContainer.png"));
    QTest::newRow("bottom bar below the page area") << (600 - height("list_dn/listDnContainer.png") >= 96 + 442);
    QTest::newRow("colour bar of 96 on its frame")
        << (width("common/draw_palette.png") >= 96 && height("common/draw_palette.png") > 6);
    QTest::newRow("reset and apply side by side on the tray")
        << (width("common/reset_0.png") + width("common/apply_0.png") < width("common/fram_2btn.png")
            && height("common/reset_0.png") < height("common/fram_2btn.png"));
    QTest::newRow("tray at x 295 clear of the brightness slider at x 360") << (295 + width("common/fram_2btn.png") < 360);
    QTest::newRow("add button beside the capture field, clear of the action panel")
        << (290 + 151 + 5 + width("common/add_0.png") <= 468);
    QTest::newRow("editing buttons in their column, 31 apart")
        << (446 + width("common/solid-cut_0.png") <= 468 && height("common/solid-cut_0.png") <= 31);
    QTest::newRow("record and stop fit the 21-pixel title bar")
        << (height("common/record_0.png") <= 21 && height("common/stop_0.png") <= 21);
}

void tst_SkinImages::picturesFitTheirPlaces()
{
    QFETCH(bool, fits);
    QVERIFY(fits);
}

void tst_SkinImages::generatorRedrawsTheShippedArt()
{
#ifndef SKINGEN_PATH
    QSKIP("the generator is not built with this test");
#else
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(QDir(root.path()).mkdir(QStringLiteral("modules")));
    QProcess generator;
    generator.start(QStringLiteral(SKINGEN_PATH), {root.path()});
    QVERIFY(generator.waitForFinished(240000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(generator.exitCode(), 0);

    QStringList folders = {QLatin1String(SkinCatalogue::skinRoot)};
    folders << QStringLiteral("%1/%2").arg(QLatin1String(SkinCatalogue::busyRoot),
                                           QLatin1String(SkinCatalogue::busyPicture.path)).section(QLatin1Char('/'), 0, -2);
    for (const QString &folder : folders) {
        const QString drawn = root.path() + QLatin1Char('/') + folder;
        const QSet<QString> files = filesBelow(drawn);
        QVERIFY(!files.isEmpty());
        for (const QString &file : files) {
            const QImage fresh(drawn + QLatin1Char('/') + file);
            const QImage shipped(sourceDir + QLatin1Char('/') + folder + QLatin1Char('/') + file);
            QVERIFY2(!fresh.isNull() && !shipped.isNull(), qPrintable(folder + QLatin1Char('/') + file));
            const int difference = largestChannelDifference(fresh, shipped);
            QVERIFY2(difference >= 0 && difference <= 8,
                     qPrintable(QStringLiteral("%1/%2 differs by %3: redraw the art").arg(folder, file).arg(difference)));
        }
    }
#endif
}

QTEST_GUILESS_MAIN(tst_SkinImages)
#include "tst_SkinImages.moc"
