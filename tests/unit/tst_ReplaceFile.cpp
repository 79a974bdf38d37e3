// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Larger than the copy's read chunk, so that several chunks must arrive in order.
QByteArray largePayload()
{
    QByteArray bytes;
    for (int i = 0; i < 200 * 1024; ++i)
        bytes.append(char(i * 7 % 251));
    return bytes;
}

enum class Target { Absent, Existing, ReadOnly };

} // namespace

Q_DECLARE_METATYPE(Target)

class tst_ReplaceFile : public QObject
{
    Q_OBJECT

private slots:
    void replaces_data();
    void replaces();
    void failureLeavesTarget_data();
    void failureLeavesTarget();
};

void tst_ReplaceFile::replaces_data()
{
    QTest::addColumn<bool>("viaCopy");
    QTest::addColumn<Target>("target");
    QTest::addColumn<QByteArray>("payload");

    for (const bool viaCopy : {true, false}) {
        const char *how = viaCopy ? "copy" : "write";
        QTest::addRow("%s to a new file", how) << viaCopy << Target::Absent << QByteArray("new\n");
        QTest::addRow("%s over a file", how) << viaCopy << Target::Existing << QByteArray("new\n");
        QTest::addRow("%s over a read-only file", how) << viaCopy << Target::ReadOnly << QByteArray("new\n");
        QTest::addRow("%s of many chunks", how) << viaCopy << Target::Existing << largePayload();
        QTest::addRow("%s of nothing", how) << viaCopy << Target::Existing << QByteArray();
    }
}

void tst_ReplaceFile::replaces()
{
    QFETCH(bool, viaCopy);
    QFETCH(Target, target);
    QFETCH(QByteArray, payload);

    QTemporaryDir sourceDir;
    QTemporaryDir targetDir;
    const QString source = sourceDir.filePath(QStringLiteral("source.pf"));
    const QString path = targetDir.filePath(QStringLiteral("target.pf"));
    writeFile(source, payload);
    if (target != Target::Absent)
        writeFile(path, "old content that is longer than the new one\n");
    if (target == Target::ReadOnly)
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));

    QVERIFY(viaCopy ? ReplaceFile::copy(source, path) : ReplaceFile::write(path, payload));

    QCOMPARE(readFile(path), payload);
    QVERIFY(QFile::permissions(path).testFlag(QFileDevice::WriteOwner));
    QCOMPARE(QDir(targetDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"target.pf"});
}

void tst_ReplaceFile::failureLeavesTarget_data()
{
    QTest::addColumn<bool>("viaCopy");
    QTest::addColumn<QString>("source");   // relative to the test's folder
    QTest::addColumn<QString>("target");

    QTest::newRow("missing source") << true << "absent.pf" << "target.pf";
    QTest::newRow("folder as source") << true << "folder" << "target.pf";
    QTest::newRow("copy into a missing folder") << true << "source.pf" << "missing/target.pf";
    QTest::newRow("write into a missing folder") << false << "" << "missing/target.pf";
    QTest::newRow("write over a folder") << false << "" << "folder";
}

void tst_ReplaceFile::failureLeavesTarget()
{
    QFETCH(bool, viaCopy);
    QFETCH(QString, source);
    QFETCH(QString, target);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    writeFile(dir.filePath(QStringLiteral("source.pf")), "source\n");
    writeFile(dir.filePath(QStringLiteral("target.pf")), "old\n");
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    const QString path = dir.filePath(target);
    QVERIFY(!(viaCopy ? ReplaceFile::copy(dir.filePath(source), path) : ReplaceFile::write(path, "new\n")));

    QCOMPARE(readFile(dir.filePath(QStringLiteral("target.pf"))), QByteArray("old\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    QVERIFY(QDir(dir.filePath(QStringLiteral("folder"))).isEmpty());
}

QTEST_GUILESS_MAIN(tst_ReplaceFile)
#include "tst_ReplaceFile.moc"
