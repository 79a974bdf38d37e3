// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureLevels.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QSize model(100, 40);
// Left of the middle, across it, right of it, an empty one and one outside the model.
const QVector<QRect> keys{QRect(0, 0, 20, 20), QRect(40, 10, 20, 20), QRect(70, 20, 30, 20), QRect(0, 0, 0, 0),
                          QRect(200, 0, 10, 10)};

// Left half white, right half black, `size` large.
QImage halves(QSize size, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, size.width() / 2, size.height()), Qt::white);
    return image;
}

QByteArray bigEndian(quint32 value)
{
    QByteArray word;
    for (int shift = 24; shift >= 0; shift -= 8)
        word.append(char((value >> shift) & 0xFF));
    return word;
}

// A PNG chunk: length, type, data and the CRC-32 of type and data.
QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    const QByteArray body = type + data;
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : body) {
        crc ^= uchar(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return bigEndian(quint32(data.size())) + body + bigEndian(crc ^ 0xFFFFFFFF);
}

// A PNG whose header says width x height and which holds no pixels: enough for the reader's
// size, never decoded.
QByteArray pngHeader(quint32 width, quint32 height)
{
    const QByteArray header = bigEndian(width) + bigEndian(height) + QByteArray("\x08\x02\x00\x00\x00", 5);   // 8 bits, RGB
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", {})
        + pngChunk("IEND", {});
}

} // namespace

class tst_PictureLevels : public QObject
{
    Q_OBJECT

private slots:
    void levels_data();
    void levels();
    void files_data();
    void files();

private:
    QTemporaryDir m_dir;
};

void tst_PictureLevels::levels_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QVector<int>>("expected");

    QTest::newRow("halves, the model's size") << halves(model) << QVector<int>{255, 128, 0, -1, -1};
    // Scaled up smoothly, the blend stays near the middle.
    QTest::newRow("halves, scaled up") << halves(QSize(10, 4)) << QVector<int>{255, 128, 0, -1, -1};
    QImage green(model, QImage::Format_RGB32);
    green.fill(QColor(0, 255, 0));
    QTest::newRow("luminance, not red") << green << QVector<int>{150, 150, 150, -1, -1};
    QImage clear(model, QImage::Format_ARGB32);
    clear.fill(QColor(255, 255, 255, 0));
    QTest::newRow("transparent counts as black") << clear << QVector<int>{0, 0, 0, -1, -1};
    QTest::newRow("no picture") << QImage() << QVector<int>{};
}

void tst_PictureLevels::levels()
{
    QFETCH(QImage, image);
    QFETCH(QVector<int>, expected);
    QCOMPARE(PictureLevels::fromImage(image, model, keys), expected);
}

// What a picked file gives: PNG and JPEG are read; anything else, or nothing readable, gives
// no levels and one line.
void tst_PictureLevels::files_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QVector<int>>("expected");
    QTest::addColumn<QString>("line");

    const auto encoded = [](const QImage &image, const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format, 100);
        return bytes;
    };
    const QImage picture = halves(QSize(200, 80));
    const QVector<int> levels{255, 128, 0, -1, -1};
    QTest::newRow("PNG") << "a.png" << encoded(picture, "PNG") << levels << QString();
    QTest::newRow("JPEG") << "a.jpg" << encoded(picture, "JPEG") << levels << QString();
    QTest::newRow("PNG named .jpg") << "b.jpg" << encoded(picture, "PNG") << levels << QString();
    QTest::newRow("BMP") << "c.png" << encoded(picture, "BMP") << QVector<int>{}
                         << "picture not imported: the file is not a PNG or JPEG picture";
    QTest::newRow("text") << "d.png" << QByteArray("no picture") << QVector<int>{}
                          << "picture not imported: the file is not a PNG or JPEG picture";
    QTest::newRow("cut short") << "e.png" << encoded(picture, "PNG").left(80) << QVector<int>{}
                               << "picture not imported: the picture cannot be decoded";
    QTest::newRow("too large to decode") << "f.png" << pngHeader(8193, 8192) << QVector<int>{}
                                         << "picture not imported: the picture is too large";
    QTest::newRow("missing") << "" << QByteArray() << QVector<int>{}
                             << "picture not imported: the file is not a PNG or JPEG picture";
}

void tst_PictureLevels::files()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QVector<int>, expected);
    QFETCH(QString, line);

    const QString path = m_dir.filePath(name.isEmpty() ? QStringLiteral("missing.png") : name);
    if (!name.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    if (!line.isEmpty())
        QTest::ignoreMessage(QtInfoMsg, qPrintable(line));
    QVector<int> levels = PictureLevels::fromFile(path, model, keys);
    // JPEG is lossy: a few levels off at most.
    if (levels.size() == expected.size()) {
        for (int i = 0; i < levels.size(); ++i) {
            if (qAbs(levels[i] - expected[i]) <= 3)
                levels[i] = expected[i];
        }
    }
    QCOMPARE(levels, expected);
}

QTEST_GUILESS_MAIN(tst_PictureLevels)

#include "tst_PictureLevels.moc"
