// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated keyboard outside the process: its state file follows every completed command
// and brings the state into the next process; bad state files give a fresh keyboard; the
// record holds a line per report; a state file that cannot be written stops nothing.
#include "DeviceDescriptor.h"
#include "Hid_Thread.h"
#include "InstallationFlags.h"
#include "SimulatedKeyboardFiles.h"
#include "SimulatedKeyboardStateText.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// A keyboard that keeps its files at `statePath` and `recordPath`, and the link to it, found
// the way the main window finds it.
struct Keyboard
{
    SimulatedKeyboardFiles files;
    SimulatedKeyboard keyboard;
    Hid_Thread hid{keyboard};

    Keyboard(const QString &statePath, const QString &recordPath = QString())
        : files(statePath, recordPath)
    {
        if (const auto state = files.loadState())
            keyboard.setState(*state);
        keyboard.setObserver(&files);
        hid.enumerateDevices(readDeviceDescriptors());
    }

    void waitIdle() { QTRY_VERIFY_WITH_TIMEOUT(hid.isReady(), 10000); }
};

// The value of the `name` line of a state file.
QByteArray field(const QString &statePath, const QByteArray &name)
{
    for (const QByteArray &line : readFile(statePath).split('\n')) {
        if (line.startsWith(name + '='))
            return line.mid(name.size() + 1);
    }
    return QByteArray();
}

} // namespace

class tst_SimulatedKeyboardFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void stateFollowsEveryCommand();
    void stateOutlivesTheKeyboard();
    void badStateFiles_data();
    void badStateFiles();
    void unwritableStateFile();
    void recordAppendsEveryReport();

private:
    QTemporaryDir m_dir;
};

void tst_SimulatedKeyboardFiles::init()
{
    imagesVerified = true;
    langVerified = true;
}

void tst_SimulatedKeyboardFiles::stateFollowsEveryCommand()
{
    const QString path = m_dir.filePath(QStringLiteral("follow/run/tarvenix/simulated-keyboard.state"));
    Keyboard k(path);
    QVERIFY(!QFile::exists(path));

    k.hid.hid_08H_SetLEDType(0, 6, 3, 4, 0, 1);
    k.waitIdle();
    QCOMPARE(field(path, "profile0.ledType"), QByteArray("000603040001"));
    // The folder the state file needed is the owner's alone.
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFileInfo(QFileInfo(path).path()).permissions() & (owner | others), owner);

    QByteArray picture(512, '\x7f');
    k.hid.hid_12H_SetUserPicture(2, 0, reinterpret_cast<uchar *>(picture.data()));
    k.waitIdle();
    QCOMPARE(field(path, "profile0.picture2"), picture.toHex());

    k.keyboard.switchKeyboardMode(1);
    QCOMPARE(field(path, "keyboardMode"), QByteArray("1"));
}

void tst_SimulatedKeyboardFiles::stateOutlivesTheKeyboard()
{
    const QString path = m_dir.filePath(QStringLiteral("outlive.state"));
    {
        Keyboard first(path);
        first.hid.hid_02H_SetCurrentProfile(4);
        first.waitIdle();
        first.hid.hid_14H_SetColor(7, 0xFF, 0x00, 0x10);
        first.waitIdle();
    }
    Keyboard second(path);
    uchar profile = 0, red = 0, green = 0, blue = 0;
    second.hid.hid_82H_GetCurrentProfile(profile);
    second.hid.hid_94H_GetColor(7, red, green, blue);
    QCOMPARE(int(profile), 4);
    QCOMPARE(QList<int>({red, green, blue}), QList<int>({0xFF, 0x00, 0x10}));
}

void tst_SimulatedKeyboardFiles::badStateFiles_data()
{
    SimulatedKeyboard::State state;
    state.keyboardMode = 1;
    const QByteArray good = SimulatedKeyboardStateText::encode(state);
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("folder");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("a folder in its place") << QByteArray() << true;
    QTest::newRow("cut short") << good.left(good.size() - 100) << false;
    QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << false;
    QTest::newRow("far too large") << good + QByteArray(3 << 20, '#') << false;
}

// A fresh keyboard, which the next command writes down as a good state file.
void tst_SimulatedKeyboardFiles::badStateFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, folder);
    const QString path = m_dir.filePath(QStringLiteral("bad-%1.state").arg(QTest::currentDataTag()));
    if (folder)
        QVERIFY(QDir().mkpath(path));
    else if (!content.isEmpty())
        writeFile(path, content);

    Keyboard k(path);
    uchar mode = 0xAA;
    k.hid.hid_89H_GetKeyboardMode(mode);
    QCOMPARE(int(mode), 0);

    k.hid.hid_01H_SetReportRate(2);
    k.waitIdle();
    if (!folder)
        QVERIFY(SimulatedKeyboardFiles(path, QString()).loadState());
}

void tst_SimulatedKeyboardFiles::unwritableStateFile()
{
    const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
    writeFile(blocker, "a file where a folder should be");
    const QString path = blocker + QStringLiteral("/tarvenix/simulated-keyboard.state");
    Keyboard k(path);
    QTest::ignoreMessage(QtInfoMsg, qPrintable(QStringLiteral("simulated keyboard: cannot write the state file %1").arg(path)));
    for (uchar rate : {1, 2}) {
        k.hid.hid_01H_SetReportRate(rate);
        k.waitIdle();
    }
    uchar rate = 0;
    k.hid.hid_81H_GetReportRate(rate);
    QCOMPARE(int(rate), 2);
}

void tst_SimulatedKeyboardFiles::recordAppendsEveryReport()
{
    const QString record = m_dir.filePath(QStringLiteral("record.txt"));
    writeFile(record, "earlier line\n");
    Keyboard k(QString(), record);
    k.hid.hid_08H_SetLEDType(0, 6, 3, 4, 0, 1);
    k.waitIdle();
    QByteArray matrix(512, '\0');
    matrix[511] = '\x05';
    k.hid.hid_0DH_SetKeyMatrix(reinterpret_cast<uchar *>(matrix.data()));
    k.waitIdle();

    const QList<QByteArray> lines = readFile(record).split('\n');
    QCOMPARE(lines.size(), 1 + 1 + 1 + 8 + 1);
    QCOMPARE(lines.at(0), QByteArray("earlier line"));
    QCOMPARE(lines.at(1), QByteArray("feature 00 08 00 06 03 04 00 01 e9"));
    QCOMPARE(lines.at(2), QByteArray("feature 00 0d 00 00 08 00 00 00 ea"));
    QCOMPARE(lines.at(3), "output 00" + QByteArray(" 00").repeated(64));
    QCOMPARE(lines.at(10), "output 00" + QByteArray(" 00").repeated(63) + " 05");
    QCOMPARE(lines.last(), QByteArray());
}

QTEST_GUILESS_MAIN(tst_SimulatedKeyboardFiles)

#include "tst_SimulatedKeyboardFiles.moc"
