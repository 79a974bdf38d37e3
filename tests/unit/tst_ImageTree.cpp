// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageTree.h"
#include "WorkingDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_ImageTree : public QObject
{
    Q_OBJECT

private slots:
    void constantMatchesTheShippedTree();
    void shippedTreeIsVerified();
};

namespace {

const QString kShippedImages = QStringLiteral(TARVENIX_SOURCE_DIR "/modules/img");

} // namespace

// When the pictures change, the constant must change with them, or every installation would
// refuse to talk to the keyboard.
void tst_ImageTree::constantMatchesTheShippedTree()
{
    QCOMPARE(WorkingDirectory::directorySize(kShippedImages), kImageTreeBytes);
}

void tst_ImageTree::shippedTreeIsVerified()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString img = dir.filePath(QStringLiteral("modules/img"));
    QVERIFY(WorkingDirectory::copyDirectory(kShippedImages, img, false));
    QVERIFY(imageTreeVerified(img));

    QFile extra(img + QStringLiteral("/extra.png"));
    QVERIFY(extra.open(QIODevice::WriteOnly));
    QCOMPARE(extra.write("x"), qint64(1));
    extra.close();
    QVERIFY(!imageTreeVerified(img));
}

QTEST_GUILESS_MAIN(tst_ImageTree)
#include "tst_ImageTree.moc"
