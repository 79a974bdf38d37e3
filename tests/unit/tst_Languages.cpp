// SPDX-License-Identifier: GPL-3.0-or-later
#include "InstallationFlags.h"
#include "Languages.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The seventeen languages the settings page offers, by code.
const QStringList offeredCodes = {
    QStringLiteral("031225"), QStringLiteral("025044"), QStringLiteral("025208"),
    QStringLiteral("042082"), QStringLiteral("111197"), QStringLiteral("037074"),
    QStringLiteral("058106"), QStringLiteral("059108"), QStringLiteral("066114"),
    QStringLiteral("091173"), QStringLiteral("091030"), QStringLiteral("096178"),
    QStringLiteral("111246"), QStringLiteral("029058"), QStringLiteral("036073"),
    QStringLiteral("085161"), QStringLiteral("114205"),
};

// Three general strings of 5 + 11 + 2 = 18 UTF-16 units (UTF-8 would count 5 + 12 + 6);
// the second holds a comma and is therefore quoted. 18 gives the checksum text 922052360.
const char languageFile[] =
    "[font]\n"
    "family=Noto Sans CJK SC\n"
    "total=3\n"
    "cs=922052360\n"
    "[strings]\n"
    "1=SPEED\n"
    "2=\"\xc3\x89" "CLAT, FORT\"\n"
    "3=\xe9\x80\x9f\xe5\xba\xa6\n"
    "[msg]\n"
    "0=Macro\n"
    "1=\"Too long, sorry\"\n"
    "2=Picture\n"
    "3=\"Cannot open: \"\n";

QStringList emptyTexts(int count)
{
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts.append(QString());
    return texts;
}

void expectCaptionFailures(const QList<int> &positions)
{
    for (int i : positions) {
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable(QStringLiteral("Product Layout String Fail: %1").arg(i)));
    }
}

QList<int> allPositions()
{
    QList<int> positions;
    for (int i = 0; i < Languages::captionCount; ++i)
        positions.append(i);
    return positions;
}

} // namespace

class tst_Languages : public QObject
{
    Q_OBJECT

private slots:
    void checksumText_data();
    void checksumText();
    void globalStrings_data();
    void globalStrings();
    void hugeStringCountIsBounded();
    void decodeCaption_data();
    void decodeCaption();
    void productLayoutStrings();
    void languageList();
    void refusedCodes_data();
    void refusedCodes();
    void shippedLanguageFiles();
};

void tst_Languages::checksumText_data()
{
    QTest::addColumn<quint64>("s");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing file") << quint64(0) << QStringLiteral("7418700");
    QTest::newRow("100 characters") << quint64(100) << QStringLiteral("17431881");
    QTest::newRow("S - 69 wraps to 255") << quint64(68) << QStringLiteral("1422551520");
    QTest::newRow("S - 69 is 0") << quint64(69) << QStringLiteral("14302220");
    QTest::newRow("S + 74 wraps to 0, unpadded") << quint64(182) << QStringLiteral("01131962");
    QTest::newRow("S / 70 is 255") << quint64(17850) << QStringLiteral("4117220255");
    QTest::newRow("S / 70 wraps to 0") << quint64(17920) << QStringLiteral("7418700");
}

void tst_Languages::checksumText()
{
    QFETCH(quint64, s);
    QFETCH(QString, text);
    QCOMPARE(Languages::checksumText(s), text);
}

void tst_Languages::globalStrings_data()
{
    const QString eclat = QStringLiteral("\u00c9CLAT, FORT");
    const QString speed = QStringLiteral("\u901f\u5ea6");
    const QString font = QStringLiteral("Noto Sans CJK SC");
    const QStringList messages = {QStringLiteral("Macro"), QStringLiteral("Too long, sorry"),
                                  QStringLiteral("Picture"), QStringLiteral("Cannot open: ")};
    const QByteArray file(languageFile);

    QTest::addColumn<QByteArray>("content");   // empty: no file
    QTest::addColumn<QStringList>("strings");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("verified");

    QTest::newRow("matching checksum, non-ASCII texts")
        << file << QStringList{font, QStringLiteral("SPEED"), eclat, speed} << messages << true;
    QTest::newRow("string edited, checksum kept")
        << QByteArray(file).replace("1=SPEED", "1=SPEEDY")
        << QStringList{font, QStringLiteral("SPEEDY"), eclat, speed} << messages << false;
    // Unquoted, the comma makes a list: no text, and it counts 0 (S = 7 gives 811942340).
    QTest::newRow("unquoted comma reads as no text")
        << QByteArray(file).replace("2=\"\xc3\x89" "CLAT, FORT\"", "2=\xc3\x89" "CLAT, FORT")
                           .replace("cs=922052360", "cs=811942340")
        << QStringList{font, QStringLiteral("SPEED"), QString(), speed} << messages << true;
    QTest::newRow("more strings announced than present")
        << QByteArray(file).replace("total=3", "total=5")
        << QStringList{font, QStringLiteral("SPEED"), eclat, speed, QString(), QString()}
        << messages << true;
    QTest::newRow("missing file") << QByteArray() << QStringList{QString()} << emptyTexts(4) << false;
}

void tst_Languages::globalStrings()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, strings);
    QFETCH(QStringList, messages);
    QFETCH(bool, verified);

    const QTemporaryDir base;
    if (!content.isEmpty())
        writeFile(base.filePath(QStringLiteral("modules/i18n/lang_025044.ini")), content);
    Languages languages(base.path());
    langVerified = !verified;
    // A language that leaves the keyboard untouched says so.
    if (!verified)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("do not match their checksum")));
    QCOMPARE(languages.getGlobalStrings(QStringLiteral("025044")), strings);
    QCOMPARE(languages.messageStrings(), messages);
    QCOMPARE(langVerified.load(), verified);
}

void tst_Languages::hugeStringCountIsBounded()
{
    const QTemporaryDir base;
    writeFile(base.filePath(QStringLiteral("modules/i18n/lang_031225.ini")),
              "[font]\ntotal=2147483647\n");
    Languages languages(base.path());
    QVERIFY(languages.getGlobalStrings(QStringLiteral("031225")).size() < 65536);
    QVERIFY(!langVerified);
}

void tst_Languages::decodeCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("comma and semicolon") << QStringLiteral("A##1B##2C") << QStringLiteral("A,B;C");
    QTest::newRow("first escape unknown") << QStringLiteral("x##3y##1z") << QStringLiteral("x##3y##1z");
    QTest::newRow("known then unknown") << QStringLiteral("a##1b##9c##2") << QStringLiteral("a,b##9c##2");
    QTest::newRow("marker at the end") << QStringLiteral("a##") << QStringLiteral("a##");
    QTest::newRow("three hashes") << QStringLiteral("###1") << QStringLiteral("###1");
    QTest::newRow("only escapes") << QStringLiteral("##1##2") << QStringLiteral(",;");
    QTest::newRow("digit after escape") << QStringLiteral("##11") << QStringLiteral(",1");
    QTest::newRow("plain") << QStringLiteral("SHIFT") << QStringLiteral("SHIFT");
}

void tst_Languages::decodeCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, decoded);
    QCOMPARE(Languages::decodeCaption(caption), decoded);
}

void tst_Languages::productLayoutStrings()
{
    const QTemporaryDir base;
    QByteArray content = "[Z4_133A2B7]\nsize=11\n";
    for (int i = 0; i < Languages::captionCount; ++i) {
        if (i == 7 || i == 125)
            continue;
        content += QByteArray::number(i) + (i == 49 ? "=##1\n" : "=K" + QByteArray::number(i) + "\n");
    }
    writeFile(base.filePath(QStringLiteral("modules/i18n/lang_042082.ini")), content);

    expectCaptionFailures({7, 125});
    const QStringList layout = Languages(base.path()).getProductLayoutStrings(QStringLiteral("042082"));
    QCOMPARE(layout.size(), 127);
    QCOMPARE(layout.at(0), QStringLiteral("11"));
    QCOMPARE(layout.at(1), QStringLiteral("K0"));
    QCOMPARE(layout.at(1 + 7), QString());
    QCOMPARE(layout.at(1 + 49), QStringLiteral(","));
    QCOMPARE(layout.at(1 + 124), QStringLiteral("K124"));
    QCOMPARE(layout.at(1 + 125), QString());

    expectCaptionFailures(allPositions());
    QCOMPARE(Languages(base.path()).getProductLayoutStrings(QStringLiteral("031225")), emptyTexts(127));
}

void tst_Languages::languageList()
{
    const QTemporaryDir base;
    const QString dir = base.filePath(QStringLiteral("modules/i18n/"));
    // Both Spanish files are called SPANISH; sorted ignoring case, LANG_111246.INI comes last
    // and wins (a case-sensitive sort would put it first).
    for (const char *name : {"lang_091030.ini", "lang_025044.ini", "lang_025208.ini", "lang_031225.ini",
                             "lang_111197.ini", "LANG_111246.INI", "lang_abc.ini", "lang_12345.ini",
                             "lang_-12345.ini", "lang_0310225.ini", "notes.txt"})
        writeFile(dir + QLatin1String(name), "[font]\n");
    QVERIFY(QDir().mkpath(dir + QStringLiteral("lang_029058.ini")));   // a folder, not a file

    const QVariantMap expected = {
        {QStringLiteral("CHINESE (CN)"), QStringLiteral("025044")},
        {QStringLiteral("CHINESE (TW)"), QStringLiteral("025208")},
        {QStringLiteral("ENGLISH"), QStringLiteral("031225")},
        {QStringLiteral("PORTUGUESE (BR)"), QStringLiteral("091030")},
        {QStringLiteral("SPANISH"), QStringLiteral("111246")},
    };
    QCOMPARE(Languages(base.path()).chkLanguages(), expected);
    QCOMPARE(Languages(base.filePath(QStringLiteral("nowhere"))).chkLanguages(), QVariantMap());
}

void tst_Languages::refusedCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("empty") << QString();
    QTest::newRow("five digits") << QStringLiteral("12345");
    QTest::newRow("seven digits") << QStringLiteral("1234567");
    QTest::newRow("letter") << QStringLiteral("03122a");
    QTest::newRow("blank") << QStringLiteral(" 31225");
    QTest::newRow("non-ASCII digits") << QStringLiteral("\u0660\u0663\u0661\u0662\u0662\u0665");
    QTest::newRow("climbs out") << QStringLiteral("../../x");
    QTest::newRow("six characters, climbs out") << QStringLiteral("/../ab");
    QTest::newRow("absolute") << QStringLiteral("/tmp/x");
}

void tst_Languages::refusedCodes()
{
    QFETCH(QString, code);
    // A valid language file where the refused code would lead, so that reading it would show
    // as a verified language.
    const QTemporaryDir base;
    const QByteArray verifying = "[font]\nfamily=F\ntotal=0\ncs=7418700\n[msg]\n0=M\n[Z4_133A2B7]\nsize=9\n";
    QVERIFY(QDir().mkpath(base.filePath(QStringLiteral("modules/i18n/lang_"))));
    QVERIFY(QDir().mkpath(base.filePath(QStringLiteral("modules/i18n/lang_.."))));
    writeFile(base.filePath(QStringLiteral("modules/i18n/lang_") + code + QStringLiteral(".ini")),
              verifying);

    Languages languages(base.path());
    langVerified = true;
    QCOMPARE(languages.getGlobalStrings(code), QStringList{QString()});
    QCOMPARE(languages.messageStrings(), emptyTexts(4));
    QVERIFY(!langVerified);

    expectCaptionFailures(allPositions());
    QCOMPARE(languages.getProductLayoutStrings(code), emptyTexts(127));
}

void tst_Languages::shippedLanguageFiles()
{
    Languages shipped(QStringLiteral(TARVENIX_SOURCE_DIR));
    const QStringList english = shipped.getGlobalStrings(QStringLiteral("031225"));
    for (const QString &code : offeredCodes) {
        const QByteArray what = code.toLatin1();
        QVERIFY2(QFile::exists(shipped.languageFilePath(code)), what);

        langVerified = false;
        const QStringList strings = shipped.getGlobalStrings(code);
        QVERIFY2(langVerified, what);
        QCOMPARE(strings.size(), 86);
        QVERIFY2(!strings.contains(QString()), what);
        QCOMPARE(shipped.messageStrings().size(), 4);
        QVERIFY2(!shipped.messageStrings().contains(QString()), what);

        const QStringList layout = shipped.getProductLayoutStrings(code);
        QCOMPARE(layout.size(), 127);
        QVERIFY2(!layout.contains(QString()), what);
        QVERIFY2(layout.at(0).toInt() > 0, what);
        // The macro page recognises the Fn key by this display name.
        QCOMPARE(layout.at(1 + 60), QStringLiteral("FN"));

        if (code != QLatin1String("031225")) {
            int translated = 0;
            for (int i = 1; i < strings.size(); ++i)
                translated += strings.at(i) != english.at(i);
            QVERIFY2(translated > 85 * 3 / 4, what);
        }
    }
}

QTEST_GUILESS_MAIN(tst_Languages)
#include "tst_Languages.moc"
