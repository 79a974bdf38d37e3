// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyMap.h"
#include "MacroEncoder.h"
#include "MacroLibrary.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

// A library in a fresh base directory, with helpers to plant and inspect files.
struct Fixture {
    QTemporaryDir base;
    MacroLibrary library{base.path()};

    QString macroDir() const { return QDir(base.path()).filePath(QStringLiteral("modules/macro")); }
    QString pathOf(const QString &name) const { return QDir(macroDir()).filePath(name + QStringLiteral(".bin")); }

    // Writes raw text under base/<relative>, creating the folders.
    void plant(const QString &relative, const QByteArray &text = "[config]\nindex=-1\ntotal=0\nrepeat=1\n") const
    {
        const QString path = QDir(base.path()).filePath(relative);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    void plantMacro(const QString &name, const QByteArray &text = "[config]\nindex=-1\ntotal=0\nrepeat=1\n") const
    {
        plant(QStringLiteral("modules/macro/") + name + QStringLiteral(".bin"), text);
    }
    QByteArray contents(const QString &relative) const
    {
        QFile file(QDir(base.path()).filePath(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList stepKeys(const QString &name) const
    {
        QSettings file(pathOf(name), QSettings::IniFormat);
        file.beginGroup(QStringLiteral("macro"));
        return file.childKeys();
    }
};

QString name(int n)
{
    return QStringLiteral("Macro. %1").arg(n, 3, 10, QLatin1Char('0'));
}

} // namespace

class tst_MacroLibrary : public QObject
{
    Q_OBJECT

private slots:
    void createsNextFreeName_data();
    void createsNextFreeName();
    void createsEmptyUnboundMacro();
    void createFailsWhereNoFileCanBeWritten();
    void listsMacroFiles();
    void savesAndLoadsEveryKeyName();
    void saveReplacesSteps();
    void saveNeverCreates();
    void saveFailureKeepsStoredSteps();
    void loadsHandWrittenFiles_data();
    void loadsHandWrittenFiles();
    void readsAndWritesConfig_data();
    void readsAndWritesConfig();
    void setConfigNeedsFileAndBothValues();
    void removes();
    void removeFailureKeepsFileReadable();
    void refusesNamesOutsideLibrary_data();
    void refusesNamesOutsideLibrary();
    void shippedMacroFitsSlot();
};

void tst_MacroLibrary::createsNextFreeName_data()
{
    QTest::addColumn<QList<int>>("present");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty library") << QList<int>() << name(1);
    QTest::newRow("gap") << QList<int>{1, 3} << name(2);
    QTest::newRow("after 001 and 002") << QList<int>{1, 2} << name(3);
    QList<int> all;
    for (int n = 1; n <= 999; ++n)
        all.append(n);
    QTest::newRow("after 999") << all << QStringLiteral("Macro. 1000");
}

void tst_MacroLibrary::createsNextFreeName()
{
    QFETCH(QList<int>, present);
    QFETCH(QString, expected);
    Fixture f;
    for (int n : present)
        f.plantMacro(name(n));
    QCOMPARE(f.library.create(), expected);
    QVERIFY(QFileInfo(f.pathOf(expected)).isFile());
}

void tst_MacroLibrary::createsEmptyUnboundMacro()
{
    Fixture f;
    // The library folder does not exist yet; a directory in the way of 001 is skipped.
    QCOMPARE(f.library.create(), name(1));
    QVERIFY(QDir().mkpath(f.pathOf(name(2))));
    QCOMPARE(f.library.create(), name(3));

    const QSettings file(f.pathOf(name(3)), QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("config/index")).toString(), QStringLiteral("-1"));
    QCOMPARE(file.value(QStringLiteral("config/total")).toString(), QStringLiteral("0"));
    QCOMPARE(file.value(QStringLiteral("config/repeat")).toString(), QStringLiteral("1"));
    QCOMPARE(f.library.config(name(3)), (QVariantList{-1, 1}));
    QCOMPARE(f.library.load(name(3)), QStringList());
}

void tst_MacroLibrary::createFailsWhereNoFileCanBeWritten()
{
    Fixture f;
    f.plant(QStringLiteral("modules/macro"), "a file where the folder should be");
    QCOMPARE(f.library.create(), QString());
}

void tst_MacroLibrary::listsMacroFiles()
{
    Fixture f;
    QCOMPARE(f.library.fileNames(), QStringList());
    f.plantMacro(QStringLiteral("beta"));
    f.plantMacro(QStringLiteral("Alpha"));
    f.plantMacro(QStringLiteral("alpha2"));
    f.plantMacro(QStringLiteral("tab\t"));
    f.plant(QStringLiteral("modules/macro/notes.txt"));
    QVERIFY(QDir().mkpath(f.pathOf(QStringLiteral("folder"))));
    QCOMPARE(f.library.fileNames(), (QStringList{"Alpha.bin", "alpha2.bin", "beta.bin"}));
}

void tst_MacroLibrary::savesAndLoadsEveryKeyName()
{
    Fixture f;
    const QString macro = f.library.create();
    const KeyMap::KeyNames names = KeyMap::buildKeyNameMap(KeyMap::Layout::US);
    QStringList steps;
    for (auto it = names.cbegin(); it != names.cend(); ++it)
        steps << MacroEncoder::stepText(MacroEncoder::Step::Down, it.key())
              << MacroEncoder::stepText(MacroEncoder::Step::Up, it.key());
    steps << MacroEncoder::stepText(MacroEncoder::Step::Delay, QStringLiteral("99999"));

    QVERIFY(f.library.save(macro, steps));
    QCOMPARE(f.library.load(macro), steps);
    QCOMPARE(f.library.config(macro), (QVariantList{-1, 1}));
}

void tst_MacroLibrary::saveReplacesSteps()
{
    Fixture f;
    const QString macro = f.library.create();
    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << MacroEncoder::stepText(MacroEncoder::Step::Delay, QString::number(i + 1));
    QVERIFY(f.library.save(macro, ten));
    f.library.setConfig(macro, {4, 2});

    const QStringList three = ten.mid(7);
    QVERIFY(f.library.save(macro, three));
    QCOMPARE(f.stepKeys(macro), (QStringList{"0", "1", "2"}));
    QCOMPARE(f.library.load(macro), three);
    QCOMPARE(f.library.config(macro), (QVariantList{4, 2}));

    QVERIFY(f.library.save(macro, {}));
    QCOMPARE(f.stepKeys(macro), QStringList());
    QCOMPARE(f.library.load(macro), QStringList());
}

void tst_MacroLibrary::saveNeverCreates()
{
    Fixture f;
    QVERIFY(!f.library.save(QStringLiteral("never"), {QStringLiteral("A    [Down]")}));
    QVERIFY(!QFile::exists(f.pathOf(QStringLiteral("never"))));
}

// A save that cannot be written leaves the file, and what later reads of it answer, as they
// were. The file is written beside and renamed over the old one; a name at the file system's
// limit leaves no room for the name of the file beside it, so the write fails even for root.
void tst_MacroLibrary::saveFailureKeepsStoredSteps()
{
    Fixture f;
    const QString macro(255 - int(qstrlen(".bin")), QLatin1Char('m'));
    f.plantMacro(macro, "[config]\nindex=-1\ntotal=2\nrepeat=1\n[macro]\n0=A    [Down]\n1=A      [Up]\n");
    const QString relative = QStringLiteral("modules/macro/") + macro + QStringLiteral(".bin");
    const QByteArray before = f.contents(relative);
    const QStringList steps = f.library.load(macro);
    QCOMPARE(steps.size(), 2);

    QVERIFY(!f.library.save(macro, {QStringLiteral("B    [Down]")}));
    QCOMPARE(f.contents(relative), before);
    QCOMPARE(f.library.load(macro), steps);
    QCOMPARE(f.library.config(macro), (QVariantList{-1, 1}));
}

void tst_MacroLibrary::loadsHandWrittenFiles_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("expected");

    const QByteArray steps = "[macro]\n0=A    [Down]\n1=A      [Up]\n";
    QTest::newRow("total matches") << "[config]\ntotal=2\n" + steps << QStringList{"A    [Down]", "A      [Up]"};
    QTest::newRow("total smaller") << "[config]\ntotal=1\n" + steps << QStringList{"A    [Down]"};
    QTest::newRow("huge total") << "[config]\ntotal=2000000000\n" + steps << QStringList{"A    [Down]", "A      [Up]"};
    QTest::newRow("negative total") << "[config]\ntotal=-3\n" + steps << QStringList();
    QTest::newRow("total not a number") << "[config]\ntotal=x\n" + steps << QStringList();
    QTest::newRow("no total") << steps << QStringList();
    QTest::newRow("missing step reads 0")
        << QByteArray("[config]\ntotal=2\n[macro]\n0=A    [Down]\n5=B    [Down]\n") << QStringList{"A    [Down]", "0"};
}

void tst_MacroLibrary::loadsHandWrittenFiles()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);
    Fixture f;
    f.plantMacro(QStringLiteral("hand"), text);
    QCOMPARE(f.library.load(QStringLiteral("hand")), expected);
}

void tst_MacroLibrary::readsAndWritesConfig_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QVariantList>("expected");

    QTest::newRow("bound") << QByteArray("[config]\nindex=4\nrepeat=2\n") << QVariantList{4, 2};
    QTest::newRow("defaults") << QByteArray("[macro]\n0=A    [Down]\n") << QVariantList{-1, 1};
    // A damaged slot must not read as slot 0, which the keyboard would then overwrite.
    QTest::newRow("not numbers") << QByteArray("[config]\nindex=x\nrepeat=\n") << QVariantList{-1, 1};
}

void tst_MacroLibrary::readsAndWritesConfig()
{
    QFETCH(QByteArray, text);
    QFETCH(QVariantList, expected);
    Fixture f;
    f.plantMacro(QStringLiteral("m"), text);
    QCOMPARE(f.library.config(QStringLiteral("m")), expected);

    f.library.setConfig(QStringLiteral("m"), {7, 3});
    QCOMPARE(f.library.config(QStringLiteral("m")), (QVariantList{7, 3}));
}

void tst_MacroLibrary::setConfigNeedsFileAndBothValues()
{
    Fixture f;
    f.library.setConfig(QStringLiteral("missing"), {1, 1});
    QVERIFY(!QFile::exists(f.pathOf(QStringLiteral("missing"))));
    QCOMPARE(f.library.config(QStringLiteral("missing")), QVariantList());

    const QString macro = f.library.create();
    f.library.setConfig(macro, {5});
    QCOMPARE(f.library.config(macro), (QVariantList{-1, 1}));
}

void tst_MacroLibrary::removes()
{
    Fixture f;
    const QString macro = f.library.create();
    QVERIFY(f.library.remove(macro));
    QVERIFY(!QFile::exists(f.pathOf(macro)));
    QVERIFY(!f.library.remove(macro));
    QVERIFY(!f.library.remove(QStringLiteral("never")));
    QVERIFY(QDir().mkpath(f.pathOf(QStringLiteral("folder"))));
    QVERIFY(!f.library.remove(QStringLiteral("folder")));
}

void tst_MacroLibrary::removeFailureKeepsFileReadable()
{
    if (geteuid() == 0)
        QSKIP("a folder's permissions do not stop root from removing a file");
    Fixture f;
    const QString macro = f.library.create();
    const QFile::Permissions before = QFile::permissions(f.pathOf(macro));
    const QFile::Permissions folder = QFile::permissions(f.macroDir());
    QVERIFY(QFile::setPermissions(f.macroDir(), QFile::ReadOwner | QFile::ExeOwner));
    const bool removed = f.library.remove(macro);
    QFile::setPermissions(f.macroDir(), folder);
    QVERIFY(!removed);
    QCOMPARE(QFile::permissions(f.pathOf(macro)), before);
    QCOMPARE(f.library.config(macro), (QVariantList{-1, 1}));
}

void tst_MacroLibrary::refusesNamesOutsideLibrary_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("target"); // where the file would be, relative to the base

    QTest::newRow("a/b") << "a/b" << "modules/macro/a/b.bin";
    QTest::newRow("..") << ".." << "modules/macro/...bin";
    QTest::newRow("../x") << "../x" << "modules/x.bin";
    QTest::newRow("x\\y") << "x\\y" << "modules/macro/x\\y.bin";
    QTest::newRow("tab") << "tab\t" << "modules/macro/tab\t.bin";
    QTest::newRow("empty") << "" << "modules/macro/.bin";
}

void tst_MacroLibrary::refusesNamesOutsideLibrary()
{
    QFETCH(QString, name);
    QFETCH(QString, target);
    Fixture f;
    const QByteArray planted = "[config]\nindex=2\ntotal=1\nrepeat=1\n[macro]\n0=A    [Down]\n";
    f.plant(target, planted);

    QVERIFY(!MacroLibrary::isValidName(name));
    QCOMPARE(f.library.load(name), QStringList());
    QCOMPARE(f.library.config(name), QVariantList());
    QVERIFY(!f.library.save(name, {QStringLiteral("B    [Down]")}));
    f.library.setConfig(name, {9, 9});
    QVERIFY(!f.library.remove(name));
    QCOMPARE(f.contents(target), planted);
}

void tst_MacroLibrary::shippedMacroFitsSlot()
{
    const MacroLibrary library(QStringLiteral(TARVENIX_SOURCE_DIR));
    QVERIFY(library.fileNames().contains(QStringLiteral("Hello.bin")));
    QCOMPARE(library.config(QStringLiteral("Hello")), (QVariantList{-1, 1}));

    const QByteArray encoded = MacroEncoder::encode(library.load(QStringLiteral("Hello")),
                                                    KeyMap::buildKeyNameMap(KeyMap::Layout::UK));
    // Shift+H, e, l, l, o with 30 ms between the letters; no step dropped.
    QCOMPARE(encoded.toHex(), QByteArray("0001" "01e1" "010b" "810b" "81e1" "7f00001e"
                                         "0108" "8108" "7f00001e" "010f" "810f" "7f00001e"
                                         "010f" "810f" "7f00001e" "0112" "8112" "0000"));
    QVERIFY(!MacroEncoder::forSlot(encoded).overflows());
}

QTEST_GUILESS_MAIN(tst_MacroLibrary)
#include "tst_MacroLibrary.moc"
