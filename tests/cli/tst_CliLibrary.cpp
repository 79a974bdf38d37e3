// SPDX-License-Identifier: GPL-3.0-or-later
// tarvenix-cli's rules on small fixtures: how values are read and refused, how the command
// line is read, where the installation is found, what a profile file must hold, and how a
// read-back is compared.
#include "CommandLine.h"
#include "Installation.h"
#include "ProfileImage.h"
#include "SettingTable.h"
#include "Verification.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_CliLibrary : public QObject
{
    Q_OBJECT

private slots:
    void settingValues_data();
    void settingValues();
    void commandLine_data();
    void commandLine();
    void layoutBuild_data();
    void layoutBuild();
    void dataDirectory();
    void profileFile_data();
    void profileFile();
    void firstDifference_data();
    void firstDifference();
};

// setting, texts, whether only the selector is given, the values or (empty) a refusal.
void tst_CliLibrary::settingValues_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("selectorOnly");
    QTest::addColumn<QVector<int>>("values");

    QTest::newRow("effect by name") << "lighting" << QStringList{"ripple", "11", "49", "4"} << false
                                    << QVector<int>{0x06, 11, 49, 4};
    QTest::newRow("effect by hex id, picture") << "lighting" << QStringList{"0x35", "0x01", "0", "0"} << false
                                               << QVector<int>{0x35, 1, 0, 0};
    QTest::newRow("an id that is no effect") << "lighting" << QStringList{"3", "1", "0", "0"} << false << QVector<int>();
    QTest::newRow("speed 0 is below the range") << "lighting" << QStringList{"static", "0", "0", "0"} << false << QVector<int>();
    QTest::newRow("light 50 is above it") << "lighting" << QStringList{"static", "1", "50", "0"} << false << QVector<int>();
    QTest::newRow("a value missing") << "lighting" << QStringList{"static", "1", "0"} << false << QVector<int>();
    QTest::newRow("profile 10 is sent") << "current-profile" << QStringList{"10"} << false << QVector<int>{10};
    QTest::newRow("profile 11 is not") << "current-profile" << QStringList{"11"} << false << QVector<int>();
    QTest::newRow("gaming on") << "keyboard-mode" << QStringList{"on"} << false << QVector<int>{1};
    QTest::newRow("gaming 0") << "keyboard-mode" << QStringList{"0"} << false << QVector<int>{0};
    QTest::newRow("gaming 2") << "keyboard-mode" << QStringList{"2"} << false << QVector<int>();
    QTest::newRow("a byte of 256") << "keyboard-options" << QStringList{"1", "2", "3", "256"} << false << QVector<int>();
    QTest::newRow("a negative byte") << "button-sensitivity" << QStringList{"-1", "2", "3", "4"} << false << QVector<int>();
    QTest::newRow("text for a number") << "report-rate" << QStringList{"fast"} << false << QVector<int>();
    QTest::newRow("colour's selector") << "colour" << QStringList{"7"} << true << QVector<int>{7};
    QTest::newRow("colour in full") << "colour" << QStringList{"7", "255", "0", "0x10"} << false
                                    << QVector<int>{7, 255, 0, 16};
    QTest::newRow("colour without selector") << "colour" << QStringList{} << true << QVector<int>();
}

void tst_CliLibrary::settingValues()
{
    QFETCH(QString, setting);
    QFETCH(QStringList, texts);
    QFETCH(bool, selectorOnly);
    QFETCH(QVector<int>, values);
    const SettingTable::Setting *row = SettingTable::find(setting);
    QVERIFY(row);
    QString error;
    const std::optional<SettingTable::Values> parsed = SettingTable::parse(*row, texts, selectorOnly, error);
    QCOMPARE(parsed.value_or(QVector<int>()), values);
    QCOMPARE(error.isEmpty(), !values.isEmpty());
}

void tst_CliLibrary::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");        // 0: parsed
    QTest::addColumn<QStringList>("rest");
    QTest::addColumn<int>("waitSeconds");

    QTest::newRow("options anywhere") << QStringList{"get", "--device", "simulated", "lighting", "--json"} << 0
                                      << QStringList{"get", "lighting"} << 0;
    QTest::newRow("--wait alone") << QStringList{"--wait", "list"} << 0 << QStringList{"list"}
                                  << CommandLine::kDefaultWaitSeconds;
    QTest::newRow("--wait=5") << QStringList{"--wait=5", "list"} << 0 << QStringList{"list"} << 5;
    QTest::newRow("-- ends the options") << QStringList{"dump", "--", "--json"} << 0 << QStringList{"dump", "--json"} << 0;
    QTest::newRow("unknown option") << QStringList{"--colour"} << int(ExitCode::Usage) << QStringList() << 0;
    QTest::newRow("device other than simulated") << QStringList{"--device=/dev/hidraw0"} << int(ExitCode::Usage)
                                                 << QStringList() << 0;
    QTest::newRow("layout DE") << QStringList{"--layout", "DE"} << int(ExitCode::Usage) << QStringList() << 0;
    QTest::newRow("--layout without value") << QStringList{"--layout"} << int(ExitCode::Usage) << QStringList() << 0;
    QTest::newRow("profile out of range") << QStringList{"apply", "a.pf", "--profile", "0"} << int(ExitCode::BadValue)
                                          << QStringList() << 0;
}

void tst_CliLibrary::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, rest);
    QFETCH(int, waitSeconds);
    const auto parsed = CommandLine::parse(arguments);
    if (const Failure *failure = std::get_if<Failure>(&parsed)) {
        QCOMPARE(int(failure->code), exitCode);
        return;
    }
    QCOMPARE(exitCode, 0);
    QCOMPARE(std::get<CommandLine>(parsed).arguments, rest);
    QCOMPARE(std::get<CommandLine>(parsed).waitSeconds, waitSeconds);
}

// Folders made below a temporary root, where tarvenix-cli sits in "bin"; the layout build
// found, relative to the root ("" for none).
void tst_CliLibrary::layoutBuild_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QString>("found");

    QTest::newRow("build tree: beside it") << QStringList{"bin/US/modules"} << QStringList() << "bin/US";
    QTest::newRow("installed under libexec") << QStringList{"libexec/tarvenix/US/modules"} << QStringList()
                                             << "libexec/tarvenix/US";
    QTest::newRow("installed under lib") << QStringList{"lib/tarvenix/US/modules"} << QStringList() << "lib/tarvenix/US";
    QTest::newRow("beside wins over libexec") << QStringList{"bin/US/modules", "libexec/tarvenix/US/modules"}
                                              << QStringList() << "bin/US";
    QTest::newRow("a build without modules") << QStringList{"bin/US"} << QStringList() << "";
    QTest::newRow("the other layout only") << QStringList{"bin/UK/modules"} << QStringList() << "";
    QTest::newRow("named installation, and only there")
        << QStringList{"bin/US/modules", "opt/US/modules"} << QStringList{"TARVENIX_INSTALLATION=<root>/opt"} << "opt/US";
    QTest::newRow("named installation without the build")
        << QStringList{"bin/US/modules"} << QStringList{"TARVENIX_INSTALLATION=<root>/opt"} << "";
}

void tst_CliLibrary::layoutBuild()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, variables);
    QFETCH(QString, found);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    for (const QString &folder : folders)
        QVERIFY(QDir(root.path()).mkpath(folder));
    variables.replaceInStrings(QStringLiteral("<root>"), root.path());
    const QString build = Installation::findLayoutBuild(root.filePath(QStringLiteral("bin")), QStringLiteral("US"),
                                                        environmentOf(variables));
    QCOMPARE(build, found.isEmpty() ? QString() : root.filePath(found));
}

// The data tree the application of a build works on: the build itself with the marker, the
// per-user copy when there is one, the build's own tree otherwise.
void tst_CliLibrary::dataDirectory()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString build = root.filePath(QStringLiteral("inst/US"));
    const QString dataLocation = root.filePath(QStringLiteral("data/tarvenix-cli"));
    QVERIFY(QDir().mkpath(build + QStringLiteral("/modules")));
    QCOMPARE(Installation::dataDirectory(build, dataLocation, QString()), build);

    const QString copy = root.filePath(QStringLiteral("data")) + build;
    QVERIFY(QDir().mkpath(copy + QStringLiteral("/modules")));
    QCOMPARE(Installation::dataDirectory(build, dataLocation, QString()), copy);

    QFile marker(build + QStringLiteral("/PermissionCompatibility"));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.close();
    QCOMPARE(Installation::dataDirectory(build, dataLocation, QString()), build);
}

// A profile file with one line changed from a complete one; the key named in the refusal,
// or empty when the file is good.
void tst_CliLibrary::profileFile_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("refused");

    QTest::newRow("complete") << QString() << QString() << QString();
    QTest::newRow("a short picture is padded") << "userPicture/2" << QString("0, ").repeated(503) + "0" << QString();
    QTest::newRow("a key definition of 3") << "keydefine/17" << "0, 0, 4" << "keydefine/17";
    QTest::newRow("a key definition of 5") << "keydefine/17" << "0, 0, 4, 0, 0" << "keydefine/17";
    QTest::newRow("a value above 255") << "keydefine/0" << "0, 0, 256, 0" << "keydefine/0";
    QTest::newRow("a value that is no number") << "color/ledType" << "1, 6, x, 0, 1" << "color/ledType";
    QTest::newRow("a picture too short") << "userPicture/4" << "1, 2, 3" << "userPicture/4";
    QTest::newRow("a key missing") << "keydefine/125" << "<remove>" << "keydefine/125";
}

void tst_CliLibrary::profileFile()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, refused);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("p.pf"));
    QVERIFY(QFile::copy(QStringLiteral(TARVENIX_SOURCE_DIR "/modules-US/setting/p1.bin"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (!key.isEmpty()) {
        QSettings settings(path, QSettings::IniFormat);
        if (value == QLatin1String("<remove>"))
            settings.remove(key);
        else
            settings.setValue(key, value.split(QStringLiteral(", ")));
    }
    QString error;
    const std::optional<ProfileImage> image = ProfileFiles::load(path, error);
    QCOMPARE(bool(image), refused.isEmpty());
    QVERIFY2(refused.isEmpty() || error.contains(refused), qPrintable(error));
    if (image) {
        QCOMPARE(image->keyMatrix.size(), 504);
        for (const QVariantList &picture : image->pictures)
            QCOMPARE(picture.size(), 512);
        // What is saved reads back the same.
        QVERIFY(ProfileFiles::save(path, *image, error));
        QCOMPARE(ProfileFiles::load(path, error), image);
    }
}

void tst_CliLibrary::firstDifference_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("readBack");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("message");

    QTest::newRow("equal") << QByteArray("\x01\x02\x03") << QByteArray("\x01\x02\x03") << -1 << QString();
    QTest::newRow("third byte") << QByteArray("\x01\x02\x03") << QByteArray("\x01\x02\x00", 3) << 2
                                << "key matrix: byte 2 reads 0x00 instead of 0x03";
    QTest::newRow("read back short") << QByteArray("\x01\x02\x03") << QByteArray("\x01\x02") << 2
                                     << "key matrix: byte 2 reads nothing instead of 0x03";
}

void tst_CliLibrary::firstDifference()
{
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, readBack);
    QFETCH(int, position);
    QFETCH(QString, message);
    QCOMPARE(Verification::firstDifference(written, readBack), position);
    QCOMPARE(Verification::mismatch(QStringLiteral("key matrix"), written, readBack), message);
}

QTEST_GUILESS_MAIN(tst_CliLibrary)
#include "tst_CliLibrary.moc"
