// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileStore.h"
#include "TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

const QByteArray templateProfile = "[color]\nledType=1, 6, 49, 0, 1\n0=255, 0, 0\n";
const QByteArray importedProfile = "[color]\nledType=13, 1, 42, 0, 3\n0=10, 20, 30\n";
const QByteArray oldProfile = "[color]\nledType=2, 11, 7, 0, 0\n";

QVariantList texts(const QStringList &values)
{
    QVariantList result;
    for (const QString &v : values)
        result.append(v);
    return result;
}

QVariantList numbers(std::initializer_list<int> values)
{
    QVariantList result;
    for (int v : values)
        result.append(v);
    return result;
}

// A data tree with the template and the profile that the replacement tests work on.
struct Tree
{
    QTemporaryDir dir;
    QString setting = dir.filePath(QStringLiteral("modules/setting/"));

    Tree()
    {
        QDir().mkpath(setting);
        writeFile(setting + QStringLiteral("pD.bin"), templateProfile);
        writeFile(setting + QStringLiteral("p3.bin"), oldProfile);
        writeFile(dir.filePath(QStringLiteral("import.pf")), importedProfile);
    }
};

} // namespace

class tst_ProfileStore : public QObject
{
    Q_OBJECT

private slots:
    void switchDecision_data();
    void switchDecision();
    void mirrorReadBack();
    void replaces_data();
    void replaces();
    void sameSizeReplacementsInOneTurn();
    void replaceFailureKeepsProfile_data();
    void replaceFailureKeepsProfile();
    void exportHasLatestWrites_data();
    void exportHasLatestWrites();
    void exportFailureKeepsTarget_data();
    void exportFailureKeepsTarget();
    void shippedProfiles_data();
    void shippedProfiles();
};

void tst_ProfileStore::switchDecision_data()
{
    QTest::addColumn<QList<int>>("requests");
    QTest::addColumn<QList<bool>>("changes");   // whether each request must reach the keyboard
    QTest::addColumn<int>("current");

    QTest::newRow("first profile at start") << QList<int>{0} << QList<bool>{false} << 0;
    QTest::newRow("to 3 and back") << QList<int>{3, 0} << QList<bool>{true, true} << 0;
    QTest::newRow("same twice") << QList<int>{9, 9} << QList<bool>{true, false} << 9;
    QTest::newRow("out of range") << QList<int>{4, 10, -1} << QList<bool>{true, false, false} << 4;
}

void tst_ProfileStore::switchDecision()
{
    QFETCH(QList<int>, requests);
    QFETCH(QList<bool>, changes);
    QFETCH(int, current);

    QTemporaryDir dir;
    ProfileStore store(dir.path());
    for (int i = 0; i < requests.size(); ++i)
        QCOMPARE(store.setCurrentProfile(requests.at(i)), changes.at(i));
    QCOMPARE(store.currentProfile(), current);
    store.setLedType(1, 2, 3, 4, 5);   // would crash on an out-of-range index
    QCOMPARE(store.ledType().size(), 5);
}

// Writes land in the current profile only, read back unchanged, are stored as comma-separated
// texts, and come back as texts after a restart.
void tst_ProfileStore::mirrorReadBack()
{
    QTemporaryDir dir;
    QVariantList picture;
    for (int i = 0; i < 512; ++i)
        picture.append(i % 256);
    {
        ProfileStore store(dir.path());
        QVERIFY(store.setCurrentProfile(2));
        store.setLedType(2, 3, 4, 5, 6);
        store.setColor(1, 255, 128, 0);
        store.setUserPicture(4, picture);
        store.setKeyDefine(80, numbers({0, 0, 0x31, 0}));

        QCOMPARE(store.ledType(), numbers({2, 3, 4, 5, 6}));
        QCOMPARE(store.color(1), numbers({255, 128, 0}));
        QCOMPARE(store.color(0), QVariantList());
        QCOMPARE(store.userPicture(4), picture);
        QCOMPARE(store.userPicture(0), QVariantList());
        QCOMPARE(store.keyDefine(80), numbers({0, 0, 0x31, 0}));
        QCOMPARE(store.keyDefine(QStringLiteral("80")), numbers({0, 0, 0x31, 0}));
        QCOMPARE(store.keyDefine(79), QVariantList());

        QVERIFY(store.setCurrentProfile(0));
        QCOMPARE(store.ledType(), QVariantList());
        QCOMPARE(store.keyDefine(80), QVariantList());
    }

    const QByteArray file = readFile(dir.filePath(QStringLiteral("modules/setting/p3.bin")));
    QVERIFY(file.contains("ledType=2, 3, 4, 5, 6\n"));
    QVERIFY(file.contains("\n1=255, 128, 0\n"));
    QVERIFY(file.contains("\n80=0, 0, 49, 0\n"));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("modules/setting/p1.bin"))));

    // A restarted application reads the files afresh (a copy of the tree escapes the settings
    // layer's in-process cache).
    QTemporaryDir restarted;
    QDir().mkpath(restarted.filePath(QStringLiteral("modules/setting")));
    QVERIFY(QFile::copy(dir.filePath(QStringLiteral("modules/setting/p3.bin")),
                        restarted.filePath(QStringLiteral("modules/setting/p3.bin"))));
    ProfileStore store(restarted.path());
    QVERIFY(store.setCurrentProfile(2));
    QCOMPARE(store.ledType(), texts({"2", "3", "4", "5", "6"}));
    QCOMPARE(store.keyDefine(80), texts({"0", "0", "49", "0"}));
    QCOMPARE(store.userPicture(4).size(), 512);
    QCOMPARE(store.userPicture(4).at(511), QVariant(QStringLiteral("255")));
}

using Replace = std::function<bool(ProfileStore &, const QString &importPath)>;
Q_DECLARE_METATYPE(Replace)

void tst_ProfileStore::replaces_data()
{
    QTest::addColumn<Replace>("replace");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QVariantList>("color0");

    const Replace reset = [](ProfileStore &s, const QString &) { return s.resetProfile(2); };
    const Replace import = [](ProfileStore &s, const QString &path) { return s.importProfile(2, path); };
    const QVariantList red = texts({"255", "0", "0"});
    const QVariantList imported = texts({"10", "20", "30"});
    QTest::newRow("reset") << reset << false << templateProfile << red;
    QTest::newRow("reset read-only") << reset << true << templateProfile << red;
    QTest::newRow("import") << import << false << importedProfile << imported;
    QTest::newRow("import read-only") << import << true << importedProfile << imported;
}

// The profile on screen is replaced; a write made just before does not leak into the new file,
// and the new profile takes writes again.
void tst_ProfileStore::replaces()
{
    QFETCH(Replace, replace);
    QFETCH(bool, readOnly);
    QFETCH(QByteArray, expected);
    QFETCH(QVariantList, color0);

    Tree tree;
    const QString p3 = tree.setting + QStringLiteral("p3.bin");
    if (readOnly)
        QVERIFY(QFile::setPermissions(p3, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    ProfileStore store(tree.dir.path());
    QVERIFY(store.setCurrentProfile(2));
    store.setColor(7, 1, 2, 3);

    QVERIFY(replace(store, tree.dir.filePath(QStringLiteral("import.pf"))));

    QCOMPARE(readFile(p3), expected);
    QCOMPARE(store.color(0), color0);
    QCOMPARE(store.color(7), QVariantList());
    store.setColor(7, 4, 5, 6);
    QCOMPARE(store.color(7), numbers({4, 5, 6}));
    QVERIFY(store.exportProfile(2, tree.dir.filePath(QStringLiteral("check.pf"))));
    QVERIFY(readFile(tree.dir.filePath(QStringLiteral("check.pf"))).contains("7=4, 5, 6"));
    QVERIFY(QFile::permissions(p3).testFlag(QFileDevice::WriteOwner));
}

// The toolkit reuses what it read from a closed settings file when a new file of that name has
// the same size and time: resets and imports of same-size profiles in one event-loop turn must
// still show, and keep, the new content.
void tst_ProfileStore::sameSizeReplacementsInOneTurn()
{
    const QByteArray first = "[color]\nledType=1, 1, 1, 1, 1\n";
    const QByteArray second = "[color]\nledType=2, 2, 2, 2, 2\n";
    Tree tree;
    writeFile(tree.setting + QStringLiteral("pD.bin"), first);
    writeFile(tree.dir.filePath(QStringLiteral("import.pf")), second);
    const QString p3 = tree.setting + QStringLiteral("p3.bin");
    ProfileStore store(tree.dir.path());
    QVERIFY(store.setCurrentProfile(2));

    for (int round = 0; round < 50; ++round) {
        QVERIFY(store.resetProfile(2));
        QCOMPARE(store.ledType(), texts({"1", "1", "1", "1", "1"}));
        QVERIFY(store.importProfile(2, tree.dir.filePath(QStringLiteral("import.pf"))));
        QCOMPARE(store.ledType(), texts({"2", "2", "2", "2", "2"}));
    }
    store.setColor(7, 4, 5, 6);
    QVERIFY(store.exportProfile(2, tree.dir.filePath(QStringLiteral("check.pf"))));
    QCOMPARE(readFile(p3), QByteArray("[color]\n7=4, 5, 6\nledType=2, 2, 2, 2, 2\n"));
}

void tst_ProfileStore::replaceFailureKeepsProfile_data()
{
    QTest::addColumn<Replace>("replace");

    QTest::newRow("import of a missing file") << Replace([](ProfileStore &s, const QString &path) {
        return s.importProfile(2, path + QStringLiteral(".gone"));
    });
    QTest::newRow("import of a folder") << Replace([](ProfileStore &s, const QString &path) {
        return s.importProfile(2, QFileInfo(path).absolutePath());
    });
    QTest::newRow("reset without template") << Replace([](ProfileStore &s, const QString &) {
        return QFile::remove(s.defaultProfilePath()) && s.resetProfile(2);
    });
    QTest::newRow("profile out of range") << Replace([](ProfileStore &s, const QString &path) {
        return s.importProfile(10, path) || s.resetProfile(-1);
    });

    // Files a user may pick by mistake: each is refused before anything is replaced.
    const auto importOf = [](const std::function<QByteArray()> &content) {
        return Replace([content](ProfileStore &s, const QString &path) {
            writeFile(path, content());
            return s.importProfile(2, path);
        });
    };
    QTest::newRow("import of a picture") << importOf([] {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        picture.save(&png, "PNG");
        return png.data();
    });
    QTest::newRow("import of an empty file") << importOf([] { return QByteArray(); });
    QTest::newRow("import of 30 MB") << importOf([] {
        return QByteArray("[color]\nledType=13, 1, 42, 0, 3\n") + QByteArray(30 * 1024 * 1024, ';');
    });
    QTest::newRow("import of 10 000 keys") << importOf([] {
        QByteArray ini("[keydefine]\n");
        for (int i = 0; i < 10000; ++i)
            ini += QByteArray::number(i) + "=0, 0, 4, 0\n";
        return ini;
    });
    QTest::newRow("import of another settings file") << importOf([] {
        return QByteArray("[common]\ntotal=1\n0=031225\nname=Norvane KALVOR Keyboard 4200\n");
    });
    QTest::newRow("import of a key position beyond the keyboard") << importOf([] {
        return QByteArray("[keydefine]\n0=0, 0, 4, 0\n126=0, 0, 5, 0\n");
    });
}

void tst_ProfileStore::replaceFailureKeepsProfile()
{
    QFETCH(Replace, replace);

    Tree tree;
    const QString p3 = tree.setting + QStringLiteral("p3.bin");
    ProfileStore store(tree.dir.path());
    QVERIFY(store.setCurrentProfile(2));

    QVERIFY(!replace(store, tree.dir.filePath(QStringLiteral("import.pf"))));

    QCOMPARE(readFile(p3), oldProfile);
    QCOMPARE(store.ledType(), texts({"2", "11", "7", "0", "0"}));
    store.setColor(0, 9, 8, 7);
    QCOMPARE(store.color(0), numbers({9, 8, 7}));
    QVERIFY(store.exportProfile(2, tree.dir.filePath(QStringLiteral("check.pf"))));
    const QByteArray exported = readFile(tree.dir.filePath(QStringLiteral("check.pf")));
    QVERIFY(exported.contains("ledType=2, 11, 7, 0, 0"));
    QVERIFY(exported.contains("0=9, 8, 7"));
}

void tst_ProfileStore::exportHasLatestWrites_data()
{
    QTest::addColumn<bool>("existingTarget");
    QTest::addColumn<bool>("readOnlyTarget");

    QTest::newRow("new file") << false << false;
    QTest::newRow("over a file") << true << false;
    QTest::newRow("over a read-only file") << true << true;
}

void tst_ProfileStore::exportHasLatestWrites()
{
    QFETCH(bool, existingTarget);
    QFETCH(bool, readOnlyTarget);

    Tree tree;
    const QString target = tree.dir.filePath(QStringLiteral("saved.pf"));
    if (existingTarget)
        writeFile(target, "[color]\nledType=0, 0, 0, 0, 0\n");
    if (readOnlyTarget)
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner));
    ProfileStore store(tree.dir.path());
    store.setLedType(5, 4, 3, 2, 1);   // profile 0, which has no file yet

    QVERIFY(store.exportProfile(0, target));

    QCOMPARE(readFile(target), readFile(store.profilePath(0)));
    QVERIFY(readFile(target).contains("ledType=5, 4, 3, 2, 1"));
}

void tst_ProfileStore::exportFailureKeepsTarget_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<QString>("target");   // relative to the tree

    QTest::newRow("profile never written") << 0 << "saved.pf";
    QTest::newRow("missing folder") << 2 << "missing/saved.pf";
    QTest::newRow("folder as target") << 2 << "modules";
    QTest::newRow("profile out of range") << 10 << "saved.pf";
}

void tst_ProfileStore::exportFailureKeepsTarget()
{
    QFETCH(int, profile);
    QFETCH(QString, target);

    Tree tree;
    const QString saved = tree.dir.filePath(QStringLiteral("saved.pf"));
    writeFile(saved, "earlier export\n");
    const auto entries = [&tree] {
        return QDir(tree.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    const QStringList before = entries();
    ProfileStore store(tree.dir.path());

    QVERIFY(!store.exportProfile(profile, tree.dir.filePath(target)));

    QCOMPARE(readFile(saved), QByteArray("earlier export\n"));
    QCOMPARE(entries(), before);
}

// Every shipped profile of both layouts holds every key the scene reads, with values the pages
// accept: key codes of four bytes, five pictures of 512 levels, and a lighting mode the
// lighting page offers.
void tst_ProfileStore::shippedProfiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("backslashUsage");
    QTest::addColumn<int>("appUsage");

    const struct { const char *layout; int backslash; int app; } layouts[] = {
        {"US", 0x31, 0x65},
        {"UK", 0x32, 0x64},
    };
    QStringList names{QStringLiteral("pD.bin")};
    for (int k = 1; k <= ProfileStore::profileCount; ++k)
        names.append(QStringLiteral("p%1.bin").arg(k));
    for (const auto &layout : layouts) {
        for (const QString &name : names) {
            const QString file = QStringLiteral(TARVENIX_SOURCE_DIR "/modules-%1/setting/%2").arg(layout.layout, name);
            QTest::addRow("%s %s", layout.layout, qPrintable(name)) << file << layout.backslash << layout.app;
        }
    }
}

void tst_ProfileStore::shippedProfiles()
{
    QFETCH(QString, file);
    QFETCH(int, backslashUsage);
    QFETCH(int, appUsage);

    QVERIFY2(QFile::exists(file), qPrintable(file));
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("modules/setting")));
    QVERIFY(QFile::copy(file, dir.filePath(QStringLiteral("modules/setting/p1.bin"))));
    const ProfileStore store(dir.path());

    const auto bytes = [](const QVariantList &list) {
        QList<int> values;
        for (const QVariant &v : list) {
            bool ok = false;
            const int value = v.toString().toInt(&ok);
            values.append(ok && value >= 0 && value <= 255 ? value : -1);
        }
        return values;
    };

    const QSet<int> kinds{0x00, 0x02, 0x03, 0x04, 0x0B};
    for (int position = 0; position < 126; ++position) {
        const QList<int> code = bytes(store.keyDefine(position));
        QVERIFY2(code.size() == 4 && !code.contains(-1) && kinds.contains(code.at(0)),
                 qPrintable(QStringLiteral("keydefine/%1").arg(position)));
    }
    QCOMPARE(bytes(store.keyDefine(80)), (QList<int>{0, 0, backslashUsage, 0}));
    QCOMPARE(bytes(store.keyDefine(79)), bytes(store.keyDefine(80)));
    QCOMPARE(bytes(store.keyDefine(66)), (QList<int>{0, 0, appUsage, 0}));
    QCOMPARE(bytes(store.keyDefine(60)), (QList<int>{2, 0, 0, 0}));

    for (int index = 0; index < 5; ++index) {
        const QList<int> picture = bytes(store.userPicture(index));
        QCOMPARE(picture.size(), 512);
        QVERIFY(!picture.contains(-1));
        for (int position = 0; position < 128; ++position) {
            QCOMPARE(picture.at(position * 4 + 2), 0);
            QCOMPARE(picture.at(position * 4 + 3), 0);
        }
        QCOMPARE(picture.mid(126 * 4), (QList<int>{0, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(picture.at(79 * 4 + 1), picture.at(80 * 4 + 1));
    }

    const QList<int> ledType = bytes(store.ledType());
    QCOMPARE(ledType.size(), 5);
    const QSet<int> effects{0x01, 0x02, 0x04, 0x05, 0x06, 0x07, 0x0A, 0x0C, 0x0D, 0x33, 0x34, 0x35, 0x36, 0x37};
    const QSet<int> speeds{0x0B, 0x0A, 0x09, 0x07, 0x06, 0x04, 0x03, 0x01};
    QVERIFY(effects.contains(ledType.at(0)));
    QVERIFY(speeds.contains(ledType.at(1)));
    QVERIFY(ledType.at(2) % 7 == 0 && ledType.at(2) <= 49);
    QVERIFY(ledType.at(4) >= 0 && ledType.at(4) <= 4);

    // An exported copy of it is a profile that an import takes.
    ProfileStore importing(dir.path());
    QVERIFY(importing.importProfile(1, file));
}

QTEST_GUILESS_MAIN(tst_ProfileStore)
#include "tst_ProfileStore.moc"
