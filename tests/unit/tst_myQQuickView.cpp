// SPDX-License-Identifier: GPL-3.0-or-later
// The bridge on a copy of the shipped data tree and the simulated keyboard: its slot interface,
// what each slot sends and answers, what it mirrors into the profile, the dialogs it asks, the
// inputs it refuses, and the calls it queues into the scene.
#include "CategoryLog.h"
#include "DeviceDescriptor.h"
#include "Hid_Thread.h"
#include "InstallationFlags.h"
#include "SimulatedKeyboard.h"
#include "UserDialogs.h"
#include "myQQuickView.h"
#include "TestFiles.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QImage>
#include <QMetaMethod>
#include <QQuickItem>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <thread>

namespace {

// Answers the file dialogs with `answer` (empty: the user cancels) and writes down every
// question: "open|caption|folder|filter", "save|...", "warn|title|text".
class RecordingDialogs final : public UserDialogs
{
public:
    QString answer;
    QStringList asked;

    QString openFile(const QString &caption, const QString &folder, const QString &filter) override
    {
        asked.append(QStringList{QStringLiteral("open"), caption, folder, filter}.join(QLatin1Char('|')));
        return answer;
    }
    QString saveFile(const QString &caption, const QString &folder, const QString &filter) override
    {
        asked.append(QStringList{QStringLiteral("save"), caption, folder, filter}.join(QLatin1Char('|')));
        return answer;
    }
    void warn(const QString &title, const QString &text) override
    {
        asked.append(QStringList{QStringLiteral("warn"), title, text}.join(QLatin1Char('|')));
    }
};

void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        if (!QFile::copy(source, target))
            qFatal("cannot copy %s", qPrintable(source));
    }
}

// The parts of the shipped tree that the bridge reads; the skin pictures belong to the scene.
constexpr const char *bridgeFolders[] = {"setting", "i18n", "macro", "media"};

// What a test changes in the data tree before the bridge opens it.
using Prepare = std::function<void(const QString &modules)>;

// A working directory holding the shipped data of the US build, the bridge opened on it, and a
// simulated keyboard found as the main window finds it. No event listener runs: a set command
// then waits its full 128 ms for the acknowledgement, which is still quicker than stopping a
// listener in the middle of its 500 ms read.
struct Bench
{
    QTemporaryDir dir;
    QString previousDir = QDir::currentPath();
    SimulatedKeyboard keyboard;
    Hid_Thread hid {keyboard};
    RecordingDialogs dialogs;
    std::unique_ptr<myQQuickView> view;

    explicit Bench(const Prepare &prepare = nullptr)
    {
        const QString modules = dir.filePath(QStringLiteral("modules"));
        for (const char *folder : bridgeFolders)
            copyTree(QStringLiteral(TARVENIX_SOURCE_DIR "/modules/") + QLatin1String(folder),
                     modules + QLatin1Char('/') + QLatin1String(folder));
        copyTree(QStringLiteral(TARVENIX_SOURCE_DIR "/modules-US"), modules);
        if (prepare)
            prepare(modules);
        QDir::setCurrent(dir.path());
        hid.enumerateDevices(readDeviceDescriptors());
        view = std::make_unique<myQQuickView>(nullptr);
        view->setHidLink(&hid);
        view->setDialogs(&dialogs);
    }

    ~Bench()
    {
        view.reset();
        QDir::setCurrent(previousDir);
    }

    QString path(const QString &relative) const { return dir.filePath(relative); }
    // Closes the bridge, so that its settings objects have written their files.
    void closeView() { view.reset(); }
    void waitIdle() { QTRY_VERIFY_WITH_TIMEOUT(hid.isReady(), 10000); }
};

QByteArray bytes(const char *hexText)
{
    return QByteArray::fromHex(hexText);
}

QVariantList integers(const QByteArray &data)
{
    QVariantList values;
    for (const char byte : data)
        values.append(int(uchar(byte)));
    return values;
}

template <std::size_t N>
QByteArray fromArray(const std::array<unsigned char, N> &array)
{
    return QByteArray(reinterpret_cast<const char *>(array.data()), int(N));
}

QByteArray pattern(int length, int seed)
{
    QByteArray data(length, '\0');
    for (int i = 0; i < length; ++i)
        data[i] = char((i * 7 + seed) & 0xFF);
    return data;
}

SimulatedKeyboard::State keyboardState()
{
    SimulatedKeyboard::State s;
    s.currentProfile = 3;
    s.reportRate = 2;
    s.options = {{1, 2, 3, 4}};
    s.sensitivity = {{5, 6, 7, 8}};
    s.keyboardMode = 1;
    s.firmware = {{0x1B, 0x05}};
    const QByteArray matrix = pattern(512, 1);
    std::copy(matrix.begin(), matrix.end(), s.profiles[3].keyMatrix.begin());
    const QByteArray onOff = pattern(21, 3);
    std::copy(onOff.begin(), onOff.end(), s.keyOnOff.begin());
    const QByteArray macro = pattern(192, 4);
    std::copy(macro.begin(), macro.end(), s.macros[5].begin());
    return s;
}

// The group of four values that the tests give scene key position s.
QVariantList sceneGroup(int s)
{
    return {s, 0x80 + s % 4, 255 - s, 42};
}

QVariantList sceneTable()
{
    QVariantList values;
    for (int s = 0; s < KeyMap::KeyCount; ++s)
        values += sceneGroup(s);
    return values;
}

// The shipped keyboard numbers its keys row by row (row x 21 + column); the scene column by
// column (column x 6 + row).
QByteArray inFirmwareOrder(const QVariantList &scene)
{
    QByteArray firmware(512, '\0');
    for (int f = 0; f < KeyMap::KeyCount; ++f) {
        const int s = (f % 21) * 6 + f / 21;
        for (int k = 0; k < 4; ++k)
            firmware[f * 4 + k] = char(scene.at(s * 4 + k).toInt());
    }
    return firmware;
}

QStringList keyDownUpSteps(int pairs)
{
    QStringList steps;
    for (int i = 0; i < pairs; ++i)
        steps << QStringLiteral("A    [Down]") << QStringLiteral("A      [Up]");
    return steps;
}

QByteArray keyDownUpEncoding(int pairs)
{
    return bytes("0001") + bytes("01048104").repeated(pairs) + bytes("0000");
}

QString signature(const QMetaMethod &method)
{
    QStringList parameters;
    for (int i = 0; i < method.parameterCount(); ++i)
        parameters.append(QString::fromLatin1(method.parameterTypes().at(i) + ' ' + method.parameterNames().at(i)));
    return QStringLiteral("%1 %2(%3)").arg(QString::fromLatin1(method.typeName()),
                                           QString::fromLatin1(method.name()), parameters.join(QLatin1Char(',')));
}

using Call = std::function<QVariant(myQQuickView &)>;

const QString recorderQml = QStringLiteral(R"(import QtQuick 2.15
Item {
    property string log: ""
    function note(call) { log += JSON.stringify(call) + "\n" }
    function initUI() { note(["initUI"]) }
    function run() { note(["run"]) }
    function detectKeyboard(isDown, usage) { note(["detectKeyboard", isDown, usage]) }
    function detectMouse(isDown, button, x, y) { note(["detectMouse", isDown, button, x, y]) }
    function detectVendor(code) { note(["detectVendor", code]) }
}
)");

QStringList sceneLog(myQQuickView &view)
{
    return view.rootObject()->property("log").toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

Q_DECLARE_METATYPE(Call)
Q_DECLARE_METATYPE(Prepare)
Q_DECLARE_METATYPE(QStandardPaths::StandardLocation)

class tst_myQQuickView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void slotInterface();
    void deviceWrappers_data();
    void deviceWrappers();
    void keyOnOffBytes_data();
    void keyOnOffBytes();
    void failedGetsAnswerZeros_data();
    void failedGetsAnswerZeros();
    void profileSwitch_data();
    void profileSwitch();
    void lightingMirror_data();
    void lightingMirror();
    void keyMatrix();
    void userPicture();
    void storedKeyDefinitions_data();
    void storedKeyDefinitions();
    void macroToSlot_data();
    void macroToSlot();
    void savingBoundMacroResends_data();
    void savingBoundMacroResends();
    void backgroundPicture_data();
    void backgroundPicture();
    void dialogStartFolders_data();
    void dialogStartFolders();
    void exportProfile_data();
    void exportProfile();
    void replaceProfile_data();
    void replaceProfile();
    void refusedInputs_data();
    void refusedInputs();
    void writesAfterAnInterruptedWrite_data();
    void writesAfterAnInterruptedWrite();
    void sceneCalls();
    void sceneCallsFromAnotherThread();
    void sceneCallsWithoutScene();

private:
    // The user's home for the whole run, with a desktop and a pictures folder unless a test
    // removes one.
    QTemporaryDir m_home;
};

void tst_myQQuickView::initTestCase()
{
    qRegisterMetaType<Call>();
    qRegisterMetaType<Prepare>();
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv("XDG_CONFIG_HOME");   // no user-dirs.dirs: the folders are named as in English
}

void tst_myQQuickView::init()
{
    imagesVerified = true;
    langVerified = true;
    QVERIFY(QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)));
    QVERIFY(QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)));
}

// The scene and the stored files reach the bridge by slot index, name and types.
void tst_myQQuickView::slotInterface()
{
    const QStringList expected = {
        "void initUI()",
        "void runUI()",
        "void setEnableAudio(bool isEnable)",
        "void playMedia_Index(uchar index)",
        "void playMedia_Background()",
        "void clearAllMedia()",
        "void saveApConfig(QVariantList apConfigs)",
        "QVariantList loadApConfig()",
        "void loadProfile(int profile)",
        "void saveProfile(int profile)",
        "void resetProfile(int profile)",
        "QString getCustomFilePath()",
        "QVariantMap chkLanguages()",
        "QStringList getGlobalStrings(QString langCode)",
        "QStringList getProductLayoutStrings(QString langCode)",
        "QVariant createMacroIni()",
        "QVariant deleteMacroIni(QVariant name)",
        "QStringList getMacroIniNames()",
        "QVariant saveMacroIni(QVariant name,QStringList macros)",
        "QStringList loadMacroIni(QVariant name)",
        "QVariantList loadMacroIniConfig(QVariant name)",
        "void setMacroIniConfig(QVariant name,QVariantList config)",
        "QVariantList getKeydefine(QVariant matrixId)",
        "QList<uchar> macroIncode(QStringList macros)",
        "void ui_01H_SetReportRate(uchar rate)",
        "void ui_02H_SetCurrentProfile(int profile)",
        "void ui_03H_SetKeyboardoption(uchar byte1,uchar byte2,uchar byte3,uchar byte4)",
        "void ui_04H_SetButtonSensitivity(uchar sens1,uchar sens2,uchar sens3,uchar sens4)",
        "void ui_07H_SetControlIndicatorLight(uchar effect,uchar frequenty)",
        "void ui_08H_SetLEDType(uchar option,uchar effect,uchar speed,uchar light,uchar color,uchar direction)",
        "void ui_09H_SetKeyboardMode(uchar mode)",
        "void ui_0DH_SetKeyMatrix(QVariantList src512)",
        "void ui_0EH_SetKeyOnOff(QVariantList src21)",
        "void ui_11H_SetMacroKey(QVariant macroId,QVariant name)",
        "void ui_12H_SetUserPicture(uchar index,uchar option,QVariantList src512)",
        "void ui_13H_SetRecoveryData()",
        "void ui_14H_SetColor(uchar index,uchar rValue,uchar gValue,uchar bValue)",
        "QString ui_80H_GetFWVersion()",
        "QVariant ui_81H_GetReportRate()",
        "QVariant ui_82H_GetCurrentProfile()",
        "QVariantList ui_83H_GetKeyboardoption()",
        "QVariantList ui_84H_GetButtonSensitivity()",
        "QVariantList ui_88H_GetLEDType()",
        "QVariant ui_89H_GetKeyboardMode()",
        "QVariantList ui_8DH_GetKeyMatrix()",
        "QVariantList ui_8EH_GetKeyOnOff()",
        "QVariantList ui_91H_GetMacroKey(uchar macroId)",
        "QVariantList ui_92H_GetUserPicture(uchar index)",
        "QVariantList ui_94H_GetColor(uchar index)",
        "QVariantList importPictureLevels(int modelWidth,int modelHeight,QVariantList keyRects)",
    };
    const QMetaObject &meta = myQQuickView::staticMetaObject;
    QStringList declared;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        QCOMPARE(meta.method(i).methodType(), QMetaMethod::Slot);
        declared.append(signature(meta.method(i)));
    }
    QCOMPARE(declared, expected);
    QCOMPARE(meta.propertyCount(), meta.propertyOffset());
}

// The wrappers without a profile behind them: the frame the keyboard receives and the answer
// the scene gets.
void tst_myQQuickView::deviceWrappers_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QVariant>("answer");

    const auto set = [](const char *name, std::function<void(myQQuickView &)> call, const char *frame) {
        QTest::newRow(name) << Call([call](myQQuickView &v) { call(v); return QVariant(); }) << bytes(frame)
                            << QVariant();
    };
    const auto get = [](const char *name, Call call, const char *frame, const QVariant &answer) {
        QTest::newRow(name) << call << bytes(frame) << answer;
    };
    set("01 report rate", [](myQQuickView &v) { v.ui_01H_SetReportRate(5); }, "0001050000000000f9");
    set("03 options", [](myQQuickView &v) { v.ui_03H_SetKeyboardoption(1, 2, 3, 4); }, "0003010203040000f2");
    set("04 sensitivity", [](myQQuickView &v) { v.ui_04H_SetButtonSensitivity(4, 3, 2, 1); }, "0004040302010000f1");
    set("07 indicator", [](myQQuickView &v) { v.ui_07H_SetControlIndicatorLight(1, 2); }, "0007010200000000f5");
    set("09 keyboard mode", [](myQQuickView &v) { v.ui_09H_SetKeyboardMode(1); }, "0009010000000000f5");
    set("13 recovery", [](myQQuickView &v) { v.ui_13H_SetRecoveryData(); }, "0013ff0000000000ed");
    get("80 firmware", [](myQQuickView &v) { return QVariant(v.ui_80H_GetFWVersion()); }, "00800000000000007f",
        QStringLiteral("1b.05"));
    get("81 report rate", [](myQQuickView &v) { return v.ui_81H_GetReportRate(); }, "00810000000000007e", 2);
    get("82 profile", [](myQQuickView &v) { return v.ui_82H_GetCurrentProfile(); }, "00820000000000007d", 3);
    get("83 options", [](myQQuickView &v) { return QVariant(v.ui_83H_GetKeyboardoption()); }, "00830000000000007c",
        QVariantList{1, 2, 3, 4});
    get("84 sensitivity", [](myQQuickView &v) { return QVariant(v.ui_84H_GetButtonSensitivity()); },
        "00840000000000007b", QVariantList{5, 6, 7, 8});
    get("89 keyboard mode", [](myQQuickView &v) { return v.ui_89H_GetKeyboardMode(); }, "008900000000000076", 1);
    get("8E key on/off", [](myQQuickView &v) { return QVariant(v.ui_8EH_GetKeyOnOff()); }, "008e00000000000071",
        integers(pattern(21, 3)));
    get("91 macro 5", [](myQQuickView &v) { return QVariant(v.ui_91H_GetMacroKey(5)); }, "009100050000000069",
        integers(pattern(192, 4)));
}

void tst_myQQuickView::deviceWrappers()
{
    QFETCH(Call, call);
    QFETCH(QByteArray, frame);
    QFETCH(QVariant, answer);
    Bench bench;
    bench.keyboard.setState(keyboardState());

    const QVariant answered = call(*bench.view);
    bench.waitIdle();
    QCOMPARE(answered, answer);
    QCOMPARE(answered.userType(), answer.userType());
    QCOMPARE(bench.keyboard.featureReports(), QList<QByteArray>{frame});
    QCOMPARE(bench.keyboard.violations(), QStringList());
}

// Each number's low byte goes to the keyboard; values beyond the 21st are not sent.
void tst_myQQuickView::keyOnOffBytes_data()
{
    QTest::addColumn<QVariantList>("scene");
    QTest::addColumn<QByteArray>("sent");

    QVariantList ascending;
    for (int j = 0; j < 21; ++j)
        ascending.append(j);
    QTest::newRow("0 to 20") << ascending << bytes("000102030405060708090a0b0c0d0e0f1011121314");
    QVariantList wrapped = ascending;
    wrapped[0] = 256;
    wrapped[1] = -1;
    wrapped[2] = QStringLiteral("7");
    wrapped[3] = 3.0;
    QTest::newRow("256, -1, text, real") << wrapped << bytes("00ff0703040506070809" "0a0b0c0d0e0f1011121314");
    QTest::newRow("longer list") << ascending + QVariantList{99, 98} << bytes("000102030405060708090a0b0c0d0e0f1011121314");
}

void tst_myQQuickView::keyOnOffBytes()
{
    QFETCH(QVariantList, scene);
    QFETCH(QByteArray, sent);
    Bench bench;
    bench.view->ui_0EH_SetKeyOnOff(scene);
    bench.waitIdle();
    QCOMPARE(bench.keyboard.featureReports(), QList<QByteArray>{bytes("000e000015000000dc")});
    QCOMPARE(fromArray(bench.keyboard.state().keyOnOff), sent);
}

// The values handed to the device link start at zero, and a failed exchange leaves them there.
void tst_myQQuickView::failedGetsAnswerZeros_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<bool>("linked");
    QTest::addColumn<QVariant>("answer");

    const QVariantList zeros4 {0, 0, 0, 0};
    const struct
    {
        const char *name;
        Call call;
        QVariant unplugged;
    } gets[] = {
        {"80", [](myQQuickView &v) { return QVariant(v.ui_80H_GetFWVersion()); }, QStringLiteral("unknown")},
        {"81", [](myQQuickView &v) { return v.ui_81H_GetReportRate(); }, 0},
        {"82", [](myQQuickView &v) { return v.ui_82H_GetCurrentProfile(); }, 0},
        {"83", [](myQQuickView &v) { return QVariant(v.ui_83H_GetKeyboardoption()); }, zeros4},
        {"84", [](myQQuickView &v) { return QVariant(v.ui_84H_GetButtonSensitivity()); }, zeros4},
        {"89", [](myQQuickView &v) { return v.ui_89H_GetKeyboardMode(); }, 0},
        {"8D", [](myQQuickView &v) { return QVariant(v.ui_8DH_GetKeyMatrix()); }, integers(QByteArray(504, '\0'))},
        {"8E", [](myQQuickView &v) { return QVariant(v.ui_8EH_GetKeyOnOff()); }, integers(QByteArray(21, '\0'))},
        {"91", [](myQQuickView &v) { return QVariant(v.ui_91H_GetMacroKey(5)); }, integers(QByteArray(192, '\0'))},
    };
    for (const auto &g : gets) {
        QTest::addRow("%s, keyboard unplugged", g.name) << g.call << true << g.unplugged;
        // Before the main window has handed over the link, the firmware version is empty.
        const QVariant unlinked = g.unplugged.userType() == QMetaType::QString ? QVariant(QString()) : g.unplugged;
        QTest::addRow("%s, no device link yet", g.name) << g.call << false << unlinked;
    }
}

void tst_myQQuickView::failedGetsAnswerZeros()
{
    QFETCH(Call, call);
    QFETCH(bool, linked);
    QFETCH(QVariant, answer);
    Bench bench;
    bench.keyboard.setState(keyboardState());
    bench.keyboard.unplug();
    if (!linked)
        bench.view->setHidLink(nullptr);
    QCOMPARE(call(*bench.view), answer);
}

// Command 02 goes out only when the profile really changes.
void tst_myQQuickView::profileSwitch_data()
{
    QTest::addColumn<QList<int>>("profiles");
    QTest::addColumn<QList<QByteArray>>("frames");

    const QByteArray to3 = bytes("0002030000000000fa");
    const QByteArray to0 = bytes("0002000000000000fd");
    QTest::newRow("0 right after start") << QList<int>{0} << QList<QByteArray>{};
    QTest::newRow("3") << QList<int>{3} << QList<QByteArray>{to3};
    QTest::newRow("3 twice") << QList<int>{3, 3} << QList<QByteArray>{to3};
    QTest::newRow("3 and back to 0") << QList<int>{3, 0} << QList<QByteArray>{to3, to0};
    QTest::newRow("no such profile") << QList<int>{10, -1} << QList<QByteArray>{};
}

void tst_myQQuickView::profileSwitch()
{
    QFETCH(QList<int>, profiles);
    QFETCH(QList<QByteArray>, frames);
    Bench bench;
    for (const int profile : profiles) {
        bench.view->ui_02H_SetCurrentProfile(profile);
        bench.waitIdle();
    }
    QCOMPARE(bench.keyboard.featureReports(), frames);
}

// Lighting and colours go to the keyboard and into the current profile's file; the getters
// answer from that file without asking the keyboard.
void tst_myQQuickView::lightingMirror_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<int>("other");
    QTest::newRow("profile 0") << 0 << 3;
    QTest::newRow("profile 3") << 3 << 0;
}

void tst_myQQuickView::lightingMirror()
{
    QFETCH(int, profile);
    QFETCH(int, other);
    Bench bench;
    myQQuickView &view = *bench.view;
    view.ui_02H_SetCurrentProfile(profile);
    bench.waitIdle();
    bench.keyboard.clearRecords();

    view.ui_08H_SetLEDType(1, 2, 3, 4, 5, 6);
    bench.waitIdle();
    view.ui_14H_SetColor(3, 255, 0, 16);
    bench.waitIdle();
    QCOMPARE(bench.keyboard.featureReports(),
             (QList<QByteArray>{bytes("0008010203040506e2"), bytes("00140003ff001000d9")}));

    bench.keyboard.clearRecords();
    QCOMPARE(view.ui_88H_GetLEDType(), (QVariantList{2, 3, 4, 5, 6}));
    QCOMPARE(view.ui_94H_GetColor(3), (QVariantList{255, 0, 16}));
    QCOMPARE(view.ui_94H_GetColor(4), QVariantList());
    view.ui_02H_SetCurrentProfile(other);
    bench.waitIdle();
    QCOMPARE(view.ui_94H_GetColor(3), QVariantList());
    QCOMPARE(bench.keyboard.featureReports().size(), 1); // only the switch

    bench.closeView();
    const QSettings file(bench.path(QStringLiteral("modules/setting/p%1.bin").arg(profile + 1)), QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("color/ledType")).toStringList(), (QStringList{"2", "3", "4", "5", "6"}));
    QCOMPARE(file.value(QStringLiteral("color/3")).toStringList(), (QStringList{"255", "0", "16"}));
    const QSettings otherFile(bench.path(QStringLiteral("modules/setting/p%1.bin").arg(other + 1)), QSettings::IniFormat);
    QVERIFY(!otherFile.contains(QStringLiteral("color/3")));
}

// The key matrix reaches the keyboard in its own key order, the scene's definitions land in the
// profile, and reading the matrix back gives the scene's order again.
void tst_myQQuickView::keyMatrix()
{
    Bench bench;
    myQQuickView &view = *bench.view;
    const QVariantList scene = sceneTable();

    view.ui_0DH_SetKeyMatrix(scene);
    bench.waitIdle();
    QCOMPARE(bench.keyboard.featureReports(), QList<QByteArray>{bytes("000d000008000000ea")});
    QCOMPARE(fromArray(bench.keyboard.state().profiles[0].keyMatrix), inFirmwareOrder(scene));
    for (int s = 0; s < KeyMap::KeyCount; ++s)
        QCOMPARE(view.getKeydefine(s), sceneGroup(s));

    QCOMPARE(view.ui_8DH_GetKeyMatrix(), scene);
    QCOMPARE(bench.keyboard.violations(), QStringList());

    bench.closeView();
    const QSettings file(bench.path(QStringLiteral("modules/setting/p1.bin")), QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("keydefine/125")).toStringList(), (QStringList{"125", "129", "130", "42"}));
}

void tst_myQQuickView::userPicture()
{
    Bench bench;
    myQQuickView &view = *bench.view;
    QVariantList picture = sceneTable();
    picture += QVariantList{1, 2, 3, 4, 5, 6, 7, 8}; // the unused groups 126 and 127

    view.ui_12H_SetUserPicture(2, 1, picture);
    bench.waitIdle();
    QCOMPARE(bench.keyboard.featureReports(), QList<QByteArray>{bytes("0012000208010000e2")});
    QCOMPARE(fromArray(bench.keyboard.state().profiles[0].pictures[2]), inFirmwareOrder(picture));

    bench.keyboard.clearRecords();
    QCOMPARE(view.ui_92H_GetUserPicture(2), picture);
    QCOMPARE(bench.keyboard.featureReports(), QList<QByteArray>());
}

// A key definition read back is four integers 0..255, whatever the file holds.
void tst_myQQuickView::storedKeyDefinitions_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QVariantList>("answer");
    QTest::newRow("four bytes") << QByteArray("1, 2, 3, 4") << QVariantList{1, 2, 3, 4};
    QTest::newRow("a value above 255") << QByteArray("1, 2, 3, 256") << QVariantList();
    QTest::newRow("three values") << QByteArray("1, 2, 3") << QVariantList();
}

void tst_myQQuickView::storedKeyDefinitions()
{
    QFETCH(QByteArray, stored);
    QFETCH(QVariantList, answer);
    Bench bench([&stored](const QString &modules) {
        writeFile(modules + QStringLiteral("/setting/p2.bin"), "[keydefine]\n7=" + stored + "\n");
    });
    QCOMPARE(bench.view->getKeydefine(7).size(), 4); // the shipped first profile
    bench.view->ui_02H_SetCurrentProfile(1);
    QCOMPARE(bench.view->getKeydefine(7), answer);
    QCOMPARE(bench.view->getKeydefine(QStringLiteral("7")), answer);
    QCOMPARE(bench.view->getKeydefine(8), QVariantList());
}

// A macro is encoded and sent to its slot; one too long for the slot raises the warning with
// the language's texts, and its first 192 bytes are still sent.
void tst_myQQuickView::macroToSlot_data()
{
    QTest::addColumn<int>("pairs");
    QTest::addColumn<bool>("languageLoaded");
    QTest::addColumn<QStringList>("asked");

    const QString warning = QStringLiteral("warn|Macro too long|The macro is too long for the keyboard, so only "
                                           "its first 192 bytes are sent.");
    QTest::newRow("3 pairs") << 3 << true << QStringList();
    QTest::newRow("47 pairs fill the slot") << 47 << true << QStringList();
    QTest::newRow("48 pairs") << 48 << true << QStringList{warning};
    QTest::newRow("48 pairs, no language read yet") << 48 << false << QStringList{QStringLiteral("warn||")};
    QTest::newRow("10 000 steps") << 5000 << true << QStringList{warning};
}

void tst_myQQuickView::macroToSlot()
{
    QFETCH(int, pairs);
    QFETCH(bool, languageLoaded);
    QFETCH(QStringList, asked);
    Bench bench;
    myQQuickView &view = *bench.view;
    if (languageLoaded) {
        view.getGlobalStrings(QStringLiteral("031225"));
        QVERIFY(langVerified);
    }
    const QVariant name = view.createMacroIni();
    QVERIFY(view.saveMacroIni(name, keyDownUpSteps(pairs)).toBool());
    QCOMPARE(bench.keyboard.featureReports(), QList<QByteArray>()); // not bound: not sent

    view.ui_11H_SetMacroKey(7, name);
    bench.waitIdle();
    QCOMPARE(bench.dialogs.asked, asked);
    QCOMPARE(bench.keyboard.featureReports(), QList<QByteArray>{bytes("0011000703000000e4")});
    QByteArray slot = keyDownUpEncoding(pairs).left(192);
    slot += QByteArray(192 - slot.size(), '\0');
    QCOMPARE(fromArray(bench.keyboard.state().macros.at(7)), slot);
    QCOMPARE(view.macroIncode(keyDownUpSteps(pairs)).size(), keyDownUpEncoding(pairs).size());
}

void tst_myQQuickView::savingBoundMacroResends_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QList<QByteArray>>("frames");
    QTest::newRow("unbound") << -1 << QList<QByteArray>();
    QTest::newRow("bound to slot 7") << 7 << QList<QByteArray>{bytes("0011000703000000e4")};
}

void tst_myQQuickView::savingBoundMacroResends()
{
    QFETCH(int, slot);
    QFETCH(QList<QByteArray>, frames);
    Bench bench;
    myQQuickView &view = *bench.view;
    const QVariant name = view.createMacroIni();
    view.setMacroIniConfig(name, {slot, 1});

    QVERIFY(view.saveMacroIni(name, keyDownUpSteps(2)).toBool());
    bench.waitIdle();
    QCOMPARE(bench.keyboard.featureReports(), frames);
    if (slot >= 0)
        QCOMPARE(fromArray(bench.keyboard.state().macros.at(uchar(slot))).left(12), keyDownUpEncoding(2));
    QVERIFY(!view.saveMacroIni(QStringLiteral("Never created"), keyDownUpSteps(2)).toBool());
}

// The background picture: cancelled, a picture, or anything else with a warning (the scene then
// keeps its background).
void tst_myQQuickView::backgroundPicture_data()
{
    QTest::addColumn<QString>("chosen");   // relative to the working directory; empty: cancelled
    QTest::addColumn<bool>("readable");
    QTest::newRow("cancelled") << QString() << false;
    QTest::newRow("readable") << QStringLiteral("sky.png") << true;
    QTest::newRow("missing") << QStringLiteral("gone.png") << false;
    QTest::newRow("a folder") << QStringLiteral("modules") << false;
    QTest::newRow("text named .png") << QStringLiteral("notes.png") << false;
    QTest::newRow("PNG cut after its signature") << QStringLiteral("cut.png") << false;
    QTest::newRow("empty file") << QStringLiteral("empty.png") << false;
}

void tst_myQQuickView::backgroundPicture()
{
    QFETCH(QString, chosen);
    QFETCH(bool, readable);
    Bench bench;
    myQQuickView &view = *bench.view;
    view.getGlobalStrings(QStringLiteral("031225"));
    QImage sky(4, 3, QImage::Format_RGB32);
    sky.fill(Qt::blue);
    QVERIFY(sky.save(bench.path(QStringLiteral("sky.png"))));
    writeFile(bench.path(QStringLiteral("notes.png")), "shopping: milk, bread\n");
    writeFile(bench.path(QStringLiteral("cut.png")), readFile(bench.path(QStringLiteral("sky.png"))).left(8));
    writeFile(bench.path(QStringLiteral("empty.png")), QByteArray());
    const QString path = chosen.isEmpty() ? QString() : bench.path(chosen);
    bench.dialogs.answer = path;

    QStringList asked {QStringLiteral("open|Open File|%1|Image Files(*.png)")
                           .arg(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))};
    if (!chosen.isEmpty() && !readable)
        asked.append(QStringLiteral("warn|Background picture|Cannot open the picture: ") + path);
    QCOMPARE(view.getCustomFilePath(), readable ? path : QString());
    QCOMPARE(bench.dialogs.asked, asked);
}

// A file dialog starts in the user's folder of its kind, or in the home folder when there is
// none: a dialog in a missing folder would offer "Desktop" as the file name.
void tst_myQQuickView::dialogStartFolders_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<QStandardPaths::StandardLocation>("location");
    QTest::addColumn<bool>("present");

    const Call load = [](myQQuickView &v) { v.loadProfile(1); return QVariant(); };
    const Call save = [](myQQuickView &v) { v.saveProfile(1); return QVariant(); };
    const Call picture = [](myQQuickView &v) { return v.getCustomFilePath(); };
    const auto desktop = QStandardPaths::DesktopLocation;
    const auto pictures = QStandardPaths::PicturesLocation;
    QTest::newRow("import, desktop folder") << load << desktop << true;
    QTest::newRow("import, no desktop folder") << load << desktop << false;
    QTest::newRow("export, desktop folder") << save << desktop << true;
    QTest::newRow("export, no desktop folder") << save << desktop << false;
    QTest::newRow("background, pictures folder") << picture << pictures << true;
    QTest::newRow("background, no pictures folder") << picture << pictures << false;
}

void tst_myQQuickView::dialogStartFolders()
{
    QFETCH(Call, call);
    QFETCH(QStandardPaths::StandardLocation, location);
    QFETCH(bool, present);
    const QString folder = QStandardPaths::writableLocation(location);
    if (!present)
        QVERIFY(QDir(folder).removeRecursively());
    Bench bench;

    call(*bench.view);
    QCOMPARE(bench.dialogs.asked.size(), 1);
    QCOMPARE(bench.dialogs.asked.first().section(QLatin1Char('|'), 2, 2), present ? folder : QDir::homePath());
}

// An export holds the profile's latest writes; a cancelled dialog writes nothing.
void tst_myQQuickView::exportProfile_data()
{
    QTest::addColumn<bool>("answered");
    QTest::newRow("chosen") << true;
    QTest::newRow("cancelled") << false;
}

void tst_myQQuickView::exportProfile()
{
    QFETCH(bool, answered);
    Bench bench;
    myQQuickView &view = *bench.view;
    const QString target = bench.path(QStringLiteral("mine.pf"));
    bench.dialogs.answer = answered ? target : QString();
    view.ui_08H_SetLEDType(0, 9, 8, 7, 6, 5);
    bench.waitIdle();
    bench.keyboard.clearRecords();

    view.saveProfile(0);
    QCOMPARE(bench.dialogs.asked, QStringList{QStringLiteral("save|Save File|%1|Profile(*.pf)")
                                                  .arg(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation))});
    QCOMPARE(QFileInfo::exists(target), answered);
    if (answered) {
        const QSettings exported(target, QSettings::IniFormat);
        QCOMPARE(exported.value(QStringLiteral("color/ledType")).toStringList(), (QStringList{"9", "8", "7", "6", "5"}));
        QCOMPARE(exported.value(QStringLiteral("keydefine/0")).toStringList().size(), 4);
    }
    QCOMPARE(bench.keyboard.featureReports(), QList<QByteArray>());
}

// Import and reset replace a profile file; the getters then read the new content. A cancelled
// import changes nothing.
void tst_myQQuickView::replaceProfile_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QVariantList>("ledType");

    const QString open = QStringLiteral("open|Open File|%1|Profile(*.pf)")
                             .arg(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    const Call load = [](myQQuickView &v) { v.loadProfile(2); return QVariant(); };
    QTest::newRow("import") << load << QStringLiteral("import.pf") << QStringList{open}
                            << QVariantList{"13", "1", "42", "0", "3"};
    QTest::newRow("import cancelled") << load << QString() << QStringList{open} << QVariantList{2, 2, 2, 2, 2};
    QTest::newRow("reset") << Call([](myQQuickView &v) { v.resetProfile(2); return QVariant(); }) << QString()
                           << QStringList() << QVariantList{"1", "6", "49", "0", "1"};
}

void tst_myQQuickView::replaceProfile()
{
    QFETCH(Call, call);
    QFETCH(QString, answer);
    QFETCH(QStringList, asked);
    QFETCH(QVariantList, ledType);
    Bench bench;
    myQQuickView &view = *bench.view;
    writeFile(bench.path(QStringLiteral("import.pf")), "[color]\nledType=13, 1, 42, 0, 3\n");
    bench.dialogs.answer = answer.isEmpty() ? QString() : bench.path(answer);
    view.ui_02H_SetCurrentProfile(2);
    view.ui_08H_SetLEDType(0, 2, 2, 2, 2, 2);
    bench.waitIdle();
    bench.keyboard.clearRecords();

    call(view);
    QCOMPARE(bench.dialogs.asked, asked);
    QCOMPARE(view.ui_88H_GetLEDType(), ledType);
    QCOMPARE(bench.keyboard.featureReports(), QList<QByteArray>());
}

// Lists too short for the keyboard's tables, and a key map naming a key that does not exist,
// are refused with one debug line: nothing stored, nothing sent.
void tst_myQQuickView::refusedInputs_data()
{
    QTest::addColumn<Prepare>("prepare");
    QTest::addColumn<Call>("call");

    const Prepare shipped;
    // Firmware position 0 names scene position 200.
    const Prepare badKeyMap = [](const QString &modules) {
        QSettings keyMap(modules + QStringLiteral("/setting/keymap.bin"), QSettings::IniFormat);
        keyMap.setValue(QStringLiteral("fw_sw/0"), 200);
    };
    QVariantList onOff20;
    for (int j = 0; j < 20; ++j)
        onOff20.append(1);
    const QVariantList full = sceneTable();
    const QVariantList short503 = full.mid(0, 503);

    QTest::newRow("on/off table of 20") << shipped << Call([onOff20](myQQuickView &v) {
        v.ui_0EH_SetKeyOnOff(onOff20);
        return QVariant();
    });
    QTest::newRow("key matrix of 503") << shipped << Call([short503](myQQuickView &v) {
        v.ui_0DH_SetKeyMatrix(short503);
        return QVariant();
    });
    QTest::newRow("user picture of 503") << shipped << Call([short503](myQQuickView &v) {
        v.ui_12H_SetUserPicture(0, 0, short503);
        return QVariant();
    });
    QTest::newRow("key matrix, key map entry 200") << badKeyMap << Call([full](myQQuickView &v) {
        v.ui_0DH_SetKeyMatrix(full);
        return QVariant();
    });
    QTest::newRow("user picture, key map entry 200") << badKeyMap << Call([full](myQQuickView &v) {
        v.ui_12H_SetUserPicture(0, 0, full);
        return QVariant();
    });
}

void tst_myQQuickView::refusedInputs()
{
    QFETCH(Prepare, prepare);
    QFETCH(Call, call);
    Bench bench(prepare);
    myQQuickView &view = *bench.view;
    const QVariantList keyDefinition = view.getKeydefine(0);
    const QVariantList picture = view.ui_92H_GetUserPicture(0);
    QVERIFY(!keyDefinition.isEmpty());
    QVERIFY(!picture.isEmpty());

    {
        const CategoryLog log("tarvenix.services");
        call(view);
        QCOMPARE(log.lines().size(), 1);
    }
    QVERIFY(bench.hid.isReady());
    QCOMPARE(bench.keyboard.featureReports(), QList<QByteArray>());
    QCOMPARE(view.getKeydefine(0), keyDefinition);
    QCOMPARE(view.ui_92H_GetUserPicture(0), picture);
}

// A write killed while the settings layer held its lock leaves an empty lock file; the next
// start writes that file at once instead of waiting for the lock to grow 30 s old.
void tst_myQQuickView::writesAfterAnInterruptedWrite_data()
{
    QTest::addColumn<QString>("file");     // below modules/
    QTest::addColumn<Call>("write");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("profile") << QStringLiteral("setting/p1.bin") << Call([](myQQuickView &v) {
        v.ui_08H_SetLEDType(0, 2, 3, 4, 5, 6);
        return QVariant();
    }) << QByteArray("ledType=2, 3, 4, 5, 6");
    QTest::newRow("configuration") << QStringLiteral("setting/apConfig.bin") << Call([](myQQuickView &v) {
        v.saveApConfig({7, 8, 9});
        return QVariant();
    }) << QByteArray("total=3");
    QTest::newRow("macro") << QStringLiteral("macro/Hello.bin") << Call([](myQQuickView &v) {
        return v.saveMacroIni(QStringLiteral("Hello"), keyDownUpSteps(1));
    }) << QByteArray("total=2");
}

void tst_myQQuickView::writesAfterAnInterruptedWrite()
{
    QFETCH(QString, file);
    QFETCH(Call, write);
    QFETCH(QByteArray, written);
    Bench bench([file](const QString &modules) { writeFile(modules + QLatin1Char('/') + file + QStringLiteral(".lock"), QByteArray()); });
    QElapsedTimer clock;
    clock.start();
    write(*bench.view);
    bench.waitIdle();
    bench.closeView();
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(readFile(bench.path(QStringLiteral("modules/") + file)).contains(written));
    QVERIFY(!QFile::exists(bench.path(QStringLiteral("modules/") + file + QStringLiteral(".lock"))));
}

// Calls into the scene run on a later event-loop turn, in call order, with their values.
void tst_myQQuickView::sceneCalls()
{
    Bench bench;
    myQQuickView &view = *bench.view;
    writeFile(bench.path(QStringLiteral("Recorder.qml")), recorderQml.toUtf8());
    view.setSource(QUrl::fromLocalFile(bench.path(QStringLiteral("Recorder.qml"))));
    QCOMPARE(view.status(), QQuickWidget::Ready);

    view.initUI();
    view.detectKeyboard(true, 0x1E);
    view.detectMouse(false, 2, 640, 480);
    view.detectVendor(0x04050100);
    view.runUI();
    QCOMPARE(sceneLog(view), QStringList());
    QTRY_COMPARE(sceneLog(view), (QStringList{
        R"(["initUI"])",
        R"(["detectKeyboard",true,30])",
        R"(["detectMouse",false,2,640,480])",
        R"(["detectVendor",67436800])",
        R"(["run"])",
    }));
}

void tst_myQQuickView::sceneCallsFromAnotherThread()
{
    Bench bench;
    myQQuickView &view = *bench.view;
    writeFile(bench.path(QStringLiteral("Recorder.qml")), recorderQml.toUtf8());
    view.setSource(QUrl::fromLocalFile(bench.path(QStringLiteral("Recorder.qml"))));
    QCOMPARE(view.status(), QQuickWidget::Ready);

    QStringList expected;
    for (int usage = 0; usage < 100; ++usage)
        expected.append(QStringLiteral(R"(["detectKeyboard",%1,%2])").arg(usage % 2 ? "false" : "true").arg(usage));
    expected.append(QStringLiteral(R"(["detectVendor",67436544])"));
    std::thread hook([&view] {
        for (int usage = 0; usage < 100; ++usage)
            view.detectKeyboard(usage % 2 == 0, usage);
        view.detectVendor(0x04050000);
    });
    hook.join();
    QCOMPARE(sceneLog(view), QStringList());
    QTRY_COMPARE(sceneLog(view), expected);
}

void tst_myQQuickView::sceneCallsWithoutScene()
{
    Bench bench;
    bench.view->initUI();
    bench.view->detectKeyboard(true, 4);
    bench.view->detectVendor(0x04050000);
    QCoreApplication::processEvents();
    QVERIFY(!bench.view->rootObject());
}

QTEST_MAIN(tst_myQQuickView)
#include "tst_myQQuickView.moc"
