// SPDX-License-Identifier: GPL-3.0-or-later
// What the simulated keyboard takes from the environment: its release number, where its state
// file is, and whether it keeps a record.
#include "HidApiSelection.h"
#include "TestEnvironment.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_HidApiSelection : public QObject
{
    Q_OBJECT

private slots:
    void setup_data();
    void setup();
    void faults_data();
    void faults();
    void replugTakesTheReleaseNamedNow();
};

void tst_HidApiSelection::setup_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<int>("release");
    QTest::addColumn<QString>("statePath");
    QTest::addColumn<QString>("recordPath");

    QTest::newRow("nothing set") << QStringList() << 0x3300 << QString() << QString();
    QTest::newRow("runtime folder") << QStringList{"XDG_RUNTIME_DIR=/run/user/1000"} << 0x3300
                                    << "/run/user/1000/tarvenix/simulated-keyboard.state" << QString();
    QTest::newRow("empty runtime folder") << QStringList{"XDG_RUNTIME_DIR="} << 0x3300 << QString() << QString();
    QTest::newRow("state file named") << QStringList{"XDG_RUNTIME_DIR=/run/user/1000", "TARVENIX_SIM_STATE=/tmp/k.state"}
                                      << 0x3300 << "/tmp/k.state" << QString();
    QTest::newRow("record") << QStringList{"TARVENIX_SIM_RECORD=/tmp/record"} << 0x3300 << QString() << "/tmp/record";
    QTest::newRow("UK release in hex") << QStringList{"TARVENIX_SIM_RELEASE=0x3200"} << 0x3200 << QString() << QString();
    QTest::newRow("release in decimal") << QStringList{"TARVENIX_SIM_RELEASE=13056"} << 13056 << QString() << QString();
    QTest::newRow("release too large") << QStringList{"TARVENIX_SIM_RELEASE=0x10000"} << 0x3300 << QString() << QString();
    QTest::newRow("release not a number") << QStringList{"TARVENIX_SIM_RELEASE=UK"} << 0x3300 << QString() << QString();
    QTest::newRow("release negative") << QStringList{"TARVENIX_SIM_RELEASE=-1"} << 0x3300 << QString() << QString();
}

void tst_HidApiSelection::setup()
{
    QFETCH(QStringList, variables);
    QFETCH(int, release);
    QFETCH(QString, statePath);
    QFETCH(QString, recordPath);
    const SimulationSetup setup = simulationSetup(environmentOf(variables), 0x3300);
    QCOMPARE(int(setup.release), release);
    QCOMPARE(setup.statePath, statePath);
    QCOMPARE(setup.recordPath, recordPath);
}

// TARVENIX_SIM_FAULTS, as "step,fault,occurrence" triples and discarded commands; unreadable
// items are left out and the rest still count.
void tst_HidApiSelection::faults_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QList<int>>("discarded");

    QTest::newRow("unset") << QString() << QStringList() << QList<int>();
    QTest::newRow("one, first call") << "write:unplug" << QStringList{"3,1,1"} << QList<int>();
    QTest::newRow("two with counts") << "read:silent:4, open:fail:2"
                                     << QStringList{"4,4,4", "0,0,2"} << QList<int>();
    QTest::newRow("discard the key matrix") << "discard:0d" << QStringList() << QList<int>{0x0D};
    QTest::newRow("bad items left out") << "write:explode,jump:fail,read:short:0,discard:zz,event-read:garbled:3"
                                        << QStringList{"5,3,3"} << QList<int>();
}

void tst_HidApiSelection::faults()
{
    QFETCH(QString, value);
    QFETCH(QStringList, faults);
    QFETCH(QList<int>, discarded);
    const SimulationSetup setup = simulationSetup(environmentOf({"TARVENIX_SIM_FAULTS=" + value}), 0x3300);
    QStringList got;
    for (const SimulationSetup::InjectedFault &f : setup.faults)
        got << QStringLiteral("%1,%2,%3").arg(int(f.step)).arg(int(f.fault)).arg(f.occurrence);
    QCOMPARE(got, faults);
    QList<int> gotDiscarded;
    for (const unsigned char command : setup.discarded)
        gotDiscarded << command;
    QCOMPARE(gotDiscarded, discarded);
}

// A program that learns that another keyboard was plugged in changes the variable, as the
// launcher does on the simulated side; the keyboard comes back as that one.
void tst_HidApiSelection::replugTakesTheReleaseNamedNow()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    qputenv("TARVENIX_DEVICE", "simulated");
    qputenv("TARVENIX_SIM_STATE", folder.filePath(QStringLiteral("state")).toLocal8Bit());
    qputenv("TARVENIX_SIM_RELEASE", "0x3300");
    QVERIFY(keyboardSimulated());
    HidApi &hid = selectHidApi(0x3300);

    const auto firstInterface = [&hid] {
        hid_device_info *devices = hid.hid_enumerate(0, 0);
        const auto found = devices ? std::make_pair(int(devices->release_number), QByteArray(devices->path))
                                   : std::make_pair(0, QByteArray());
        hid.hid_free_enumeration(devices);
        return found;
    };
    const auto before = firstInterface();
    QCOMPARE(before.first, 0x3300);

    qputenv("TARVENIX_SIM_RELEASE", "0x3200");
    replugSimulatedKeyboard();
    const auto after = firstInterface();
    QCOMPARE(after.first, 0x3200);
    QVERIFY(after.second != before.second);
}

QTEST_GUILESS_MAIN(tst_HidApiSelection)

#include "tst_HidApiSelection.moc"
