// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppConfigStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The reset values of the global settings page, with the background flag and path at 5 and 6.
QVariantList fullList()
{
    return {1, 1, 1, 1, 0, true, QString(), 0, 158, 158, 158, 255, 200, 150, 255, 180, 0,
            200, 200, 100, 200, 170, 255, 255, 180, 180, 160, 190, 160, 0, 7};
}

QVariantList texts(const QVariantList &values)
{
    QVariantList result;
    for (const QVariant &v : values)
        result.append(v.toString());
    return result;
}

// A new tree with a copy of the configuration file: what a restarted application reads (a
// store on the same path would be served from the settings layer's in-process cache).
QString restartedCopy(const QTemporaryDir &from, const QTemporaryDir &to)
{
    QDir().mkpath(to.filePath(QStringLiteral("modules/setting")));
    const QString name = QStringLiteral("modules/setting/apConfig.bin");
    QFile::copy(from.filePath(name), to.filePath(name));
    return to.path();
}

} // namespace

class tst_AppConfigStore : public QObject
{
    Q_OBJECT

private slots:
    void roundTripAfterRestart_data();
    void roundTripAfterRestart();
    void unreadableConfiguration_data();
    void unreadableConfiguration();
    void shippedConfiguration();
};

void tst_AppConfigStore::roundTripAfterRestart_data()
{
    QTest::addColumn<QVariantList>("first");
    QTest::addColumn<QVariantList>("second");   // empty: no second save
    QTest::addColumn<QStringList>("leftKeys");  // entries beyond the stored total, still in the file

    const QVariantList full = fullList();
    QTest::newRow("31 values") << full << QVariantList() << QStringList();
    QTest::newRow("shrink 31 to 3") << full << QVariantList{2, 0, 1} << QStringList{"3", "30"};
    QTest::newRow("grow 3 to 31") << QVariantList{2, 0, 1} << full << QStringList();
}

void tst_AppConfigStore::roundTripAfterRestart()
{
    QFETCH(QVariantList, first);
    QFETCH(QVariantList, second);
    QFETCH(QStringList, leftKeys);
    const QVariantList expected = second.isEmpty() ? first : second;

    QTemporaryDir dir;
    QTemporaryDir restarted;
    {
        AppConfigStore store(dir.path());
        store.save(first);
        if (!second.isEmpty())
            store.save(second);
        QCOMPARE(store.load(), expected);
    }

    AppConfigStore store(restartedCopy(dir, restarted));
    const QVariantList loaded = store.load();
    QCOMPARE(loaded, texts(expected));
    if (expected.size() > 5)
        QCOMPARE(loaded.at(5), QVariant(QStringLiteral("true")));

    QSettings file(store.filePath(), QSettings::IniFormat);
    for (const QString &key : leftKeys)
        QCOMPARE(file.value(QStringLiteral("common/") + key), QVariant(texts(first).at(key.toInt())));
}

void tst_AppConfigStore::unreadableConfiguration_data()
{
    QTest::addColumn<QByteArray>("content");   // empty: no file
    QTest::addColumn<QVariantList>("expected");

    QTest::newRow("no file") << QByteArray() << QVariantList();
    QTest::newRow("no total") << QByteArray("[common]\n0=1\nname=x\n") << QVariantList();
    QTest::newRow("total with missing entries") << QByteArray("[common]\ntotal=3\n1=5\n")
                                                << QVariantList{0, "5", 0};
    QTest::newRow("negative total") << QByteArray("[common]\ntotal=-4\n0=1\n") << QVariantList();
    QTest::newRow("huge total") << QByteArray("[common]\ntotal=2147483647\n0=1\n") << QVariantList();
    QTest::newRow("not a settings file") << QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 16) << QVariantList();
}

void tst_AppConfigStore::unreadableConfiguration()
{
    QFETCH(QByteArray, content);
    QFETCH(QVariantList, expected);

    QTemporaryDir dir;
    if (!content.isEmpty()) {
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("modules/setting"))));
        QFile file(dir.filePath(QStringLiteral("modules/setting/apConfig.bin")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QCOMPARE(AppConfigStore(dir.path()).load(), expected);
}

// The installed configuration names the window for the launcher and starts the first run in
// English, so that a language is loaded at once, with sound off (no background track plays
// until the user switches it on), animations on and the scene's default highlight, swatch 0
// = 0, 255, 255.
void tst_AppConfigStore::shippedConfiguration()
{
    const QString path = QStringLiteral(TARVENIX_SOURCE_DIR "/modules/setting/apConfig.bin");
    QVERIFY2(QFile::exists(path), qPrintable(path));
    QSettings file(path, QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("common/name")).toString(),
             QStringLiteral("Norvane KALVOR Keyboard 4200"));

    const QVariantList values = AppConfigStore(QStringLiteral(TARVENIX_SOURCE_DIR)).load();
    QCOMPARE(values.size(), 31);
    QCOMPARE(values.at(0).toInt(), 1);  // version
    QCOMPARE(values.at(1).toInt(), 1);  // skin
    QCOMPARE(values.at(2).toInt(), 1);  // sound off
    QCOMPARE(values.at(3).toInt(), 0);  // animations on
    QCOMPARE(values.at(4).toInt(), 0);  // English
    QCOMPARE(values.at(5).toString(), QStringLiteral("false"));
    QCOMPARE(values.at(6).toString(), QString());
    QCOMPARE(values.at(7).toInt(), 0);
    QCOMPARE(texts(values.mid(8, 3)), texts({0, 255, 255}));
    // Swatches 1 to 6, the current swatch 0 and brightness 7 are the reset values.
    QCOMPARE(texts(values.mid(11)), texts(fullList().mid(11)));
}

QTEST_GUILESS_MAIN(tst_AppConfigStore)
#include "tst_AppConfigStore.moc"
