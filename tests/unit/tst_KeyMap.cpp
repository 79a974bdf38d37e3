// SPDX-License-Identifier: GPL-3.0-or-later
#include "CategoryLog.h"
#include "KeyMap.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(KeyMap::Layout)
Q_DECLARE_METATYPE(KeyMap::Table)

namespace {

using PositionMap = KeyMap::PositionMap;

void writeKeyMapFile(const QString &baseDir, const QByteArray &text)
{
    QVERIFY(QDir(baseDir).mkpath(QStringLiteral("modules/setting")));
    QFile file(QDir(baseDir).filePath(QStringLiteral("modules/setting/keymap.bin")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// A key map file for the given firmware -> scene map and its inverse.
QByteArray keyMapText(const PositionMap &fwToSw)
{
    PositionMap swToFw{};
    for (int i = 0; i < KeyMap::KeyCount; ++i)
        swToFw[std::min<int>(fwToSw[i], KeyMap::KeyCount - 1)] = uchar(i);
    QByteArray text = "[fw_sw]\n";
    for (int i = 0; i < KeyMap::KeyCount; ++i)
        text += QByteArray::number(i) + '=' + QByteArray::number(fwToSw[i]) + '\n';
    text += "[sw_fw]\n";
    for (int i = 0; i < KeyMap::KeyCount; ++i)
        text += QByteArray::number(i) + '=' + QByteArray::number(swToFw[i]) + '\n';
    return text;
}

QVariantList countingList(int size)
{
    QVariantList list;
    for (int i = 0; i < size; ++i)
        list.append(i);
    return list;
}

PositionMap reversedMap()
{
    PositionMap map{};
    for (int i = 0; i < KeyMap::KeyCount; ++i)
        map[i] = uchar(KeyMap::KeyCount - 1 - i);
    return map;
}

} // namespace

class tst_KeyMap : public QObject
{
    Q_OBJECT

private slots:
    void readsKeyMapFile_data();
    void readsKeyMapFile();
    void sendsInFirmwareOrder();
    void readsBackInSceneOrder();
    void refusesLists_data();
    void refusesLists();
    void refusesReadBack_data();
    void refusesReadBack();
    void keyNames_data();
    void keyNames();
    void keyNameTableIsOneToOne();
    void parsesStoredKeyDefinition_data();
    void parsesStoredKeyDefinition();
    void shippedKeyMapIsRowMajorPermutation();
};

void tst_KeyMap::readsKeyMapFile_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("fwToSw");
    QTest::addColumn<int>("swToFw");

    QTest::newRow("no file") << QByteArray() << 7 << 0 << 0;
    QTest::newRow("both sections") << QByteArray("[fw_sw]\n7=9\n[sw_fw]\n7=3\n") << 7 << 9 << 3;
    QTest::newRow("missing key reads 0") << QByteArray("[fw_sw]\n7=9\n") << 8 << 0 << 0;
    QTest::newRow("low byte kept") << QByteArray("[fw_sw]\n125=300\n[sw_fw]\n125=257\n") << 125 << 44 << 1;
    QTest::newRow("not a number") << QByteArray("[fw_sw]\n0=x\n") << 0 << 0 << 0;
}

void tst_KeyMap::readsKeyMapFile()
{
    QFETCH(QByteArray, text);
    QFETCH(int, position);
    QFETCH(int, fwToSw);
    QFETCH(int, swToFw);
    QTemporaryDir dir;
    if (!text.isNull())
        writeKeyMapFile(dir.path(), text);

    const KeyMap map(KeyMap::Layout::US, dir.path());
    QCOMPARE(int(map.fwToSwMap()[position]), fwToSw);
    QCOMPARE(int(map.swToFwMap()[position]), swToFw);
}

void tst_KeyMap::sendsInFirmwareOrder()
{
    PositionMap fwToSw = KeyMap::identityMap();
    const QVariantList scene = countingList(KeyMap::BufferSize);

    QByteArray expected(KeyMap::BufferSize, '\0');
    for (int i = 0; i < KeyMap::SceneValues; ++i)
        expected[i] = char(i & 0xFF);
    QCOMPARE(KeyMap::permuteToFirmware(scene, KeyMap::Table::KeyMatrix, fwToSw), expected);

    // The first firmware group comes from scene position 5: the scene's elements 20..23.
    fwToSw[0] = 5;
    const QByteArray sent = KeyMap::permuteToFirmware(scene, KeyMap::Table::UserPicture, fwToSw);
    QCOMPARE(sent.left(4), QByteArray("\x14\x15\x16\x17"));
    QCOMPARE(sent.mid(4), expected.mid(4));

    // Values arrive as the scene's numbers: only their low byte is sent.
    QVariantList wide = countingList(KeyMap::SceneValues);
    wide[0] = 256 + 7;
    wide[1] = -1;
    wide[2] = 3.0;
    const QByteArray low = KeyMap::permuteToFirmware(wide, KeyMap::Table::KeyMatrix, KeyMap::identityMap());
    QCOMPARE(low.left(3), QByteArray("\x07\xff\x03"));

    // The stored definitions are the scene's own four values per key.
    QCOMPARE(KeyMap::keyDefinition(scene, 125), (QVariantList{500, 501, 502, 503}));
}

void tst_KeyMap::readsBackInSceneOrder()
{
    QTemporaryDir dir;
    writeKeyMapFile(dir.path(), keyMapText(reversedMap()));
    const KeyMap map(KeyMap::Layout::US, dir.path());

    QVariantList scene;
    for (int i = 0; i < KeyMap::SceneValues; ++i)
        scene.append((i * 7) & 0xFF);
    const QByteArray firmware = map.toFirmware(scene, KeyMap::Table::KeyMatrix);
    QCOMPARE(firmware.size(), KeyMap::BufferSize);
    // Firmware group 0 holds scene position 125.
    QCOMPARE(int(uchar(firmware.at(0))), scene.at(500).toInt());
    QCOMPARE(map.toScene(firmware), scene);
}

void tst_KeyMap::refusesLists_data()
{
    QTest::addColumn<KeyMap::Table>("table");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("largestEntry"); // written at fw_sw/0, the rest stays 0
    QTest::addColumn<bool>("identity");
    QTest::addColumn<bool>("refused");

    using T = KeyMap::Table;
    QTest::newRow("matrix complete") << T::KeyMatrix << 504 << 0 << true << false;
    QTest::newRow("matrix 512") << T::KeyMatrix << 512 << 0 << true << false;
    QTest::newRow("matrix one short") << T::KeyMatrix << 503 << 0 << true << true;
    QTest::newRow("matrix empty") << T::KeyMatrix << 0 << 0 << true << true;
    QTest::newRow("picture one short") << T::UserPicture << 503 << 0 << true << true;
    QTest::newRow("picture complete") << T::UserPicture << 504 << 0 << true << false;
    // A map naming only scene positions 0 and 1 needs two groups of a picture, but a matrix
    // still stores every key's definition.
    QTest::newRow("picture, small map") << T::UserPicture << 8 << 1 << false << false;
    QTest::newRow("picture, small map, short") << T::UserPicture << 7 << 1 << false << true;
    QTest::newRow("matrix, small map") << T::KeyMatrix << 8 << 1 << false << true;
    QTest::newRow("entry 126") << T::UserPicture << 512 << 126 << false << true;
    QTest::newRow("entry 255") << T::KeyMatrix << 1024 << 255 << false << true;
}

void tst_KeyMap::refusesLists()
{
    QFETCH(KeyMap::Table, table);
    QFETCH(int, length);
    QFETCH(int, largestEntry);
    QFETCH(bool, identity);
    QFETCH(bool, refused);

    PositionMap fwToSw = identity ? KeyMap::identityMap() : PositionMap{};
    if (!identity)
        fwToSw[0] = uchar(largestEntry);
    QTemporaryDir dir;
    writeKeyMapFile(dir.path(), keyMapText(fwToSw));
    const KeyMap map(KeyMap::Layout::US, dir.path());
    QCOMPARE(map.fwToSwMap(), fwToSw);

    const CategoryLog log("tarvenix.services");
    const QByteArray sent = map.toFirmware(countingList(length), table);
    QCOMPARE(sent.isEmpty(), refused);
    QCOMPARE(log.lines().size(), refused ? 1 : 0);
    if (!refused)
        QCOMPARE(sent.size(), KeyMap::BufferSize);
}

void tst_KeyMap::refusesReadBack_data()
{
    QTest::addColumn<int>("entry"); // sw_fw/3
    QTest::addColumn<int>("bufferSize");
    QTest::addColumn<bool>("refused");

    QTest::newRow("in range") << 125 << 512 << false;
    QTest::newRow("entry 126") << 126 << 512 << true;
    QTest::newRow("entry 200") << 200 << 512 << true;
    QTest::newRow("short buffer") << 3 << 511 << true;
}

void tst_KeyMap::refusesReadBack()
{
    QFETCH(int, entry);
    QFETCH(int, bufferSize);
    QFETCH(bool, refused);

    QTemporaryDir dir;
    writeKeyMapFile(dir.path(), "[sw_fw]\n3=" + QByteArray::number(entry) + '\n');
    const KeyMap map(KeyMap::Layout::US, dir.path());

    const CategoryLog log("tarvenix.services");
    const QVariantList scene = map.toScene(QByteArray(bufferSize, '\x2a'));
    QCOMPARE(scene.isEmpty(), refused);
    QCOMPARE(log.lines().size(), refused ? 1 : 0);
    if (!refused)
        QCOMPARE(scene.size(), KeyMap::SceneValues);
}

void tst_KeyMap::keyNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("us");
    QTest::addColumn<int>("uk");

    QTest::newRow("A") << "A" << 0x04 << 0x04;
    QTest::newRow("Z") << "Z" << 0x1D << 0x1D;
    QTest::newRow("1") << "1" << 0x1E << 0x1E;
    QTest::newRow("9") << "9" << 0x26 << 0x26;
    QTest::newRow("0") << "0" << 0x27 << 0x27;
    QTest::newRow("Space") << "Space" << 0x2C << 0x2C;
    QTest::newRow("backslash") << "\\ |" << 0x31 << 0x32;
    QTest::newRow("apostrophe") << "' \"" << 0x34 << 0x34;
    QTest::newRow("comma") << ", <" << 0x36 << 0x36;
    QTest::newRow("F12") << "F12" << 0x45 << 0x45;
    QTest::newRow("F13") << "F13" << 0x68 << 0x68;
    QTest::newRow("F24") << "F24" << 0x73 << 0x73;
    QTest::newRow("PgD") << "PgD" << 0x4E << 0x4E;
    QTest::newRow("right") << QString(QChar(0x25BA)) << 0x4F << 0x4F;
    QTest::newRow("left") << QString(QChar(0x25C4)) << 0x50 << 0x50;
    QTest::newRow("down") << QString(QChar(0x25BC)) << 0x51 << 0x51;
    QTest::newRow("up") << QString(QChar(0x25B2)) << 0x52 << 0x52;
    QTest::newRow("KP Enter") << "KP Enter" << 0x58 << 0x58;
    QTest::newRow("KP 6") << "KP 6" << 0x5E << 0x5E;
    QTest::newRow("KP 7 with blank") << "KP 7 " << 0x5F << 0x5F;
    QTest::newRow("KP 7 without blank") << "KP 7" << 0 << 0;
    QTest::newRow("KP 8") << "KP 8" << 0x60 << 0x60;
    QTest::newRow("KP 0") << "KP 0" << 0x62 << 0x62;
    QTest::newRow("Eur 2") << "Eur 2" << 0x64 << 0x64;
    QTest::newRow("Keypad") << "Keypad" << 0x85 << 0x85;
    QTest::newRow("Intl'2") << "Intl'2" << 0x88 << 0x88;
    QTest::newRow("Int'l 2") << "Int'l 2" << 0x89 << 0x89;
    QTest::newRow("Lang 2") << "Lang 2" << 0x91 << 0x91;
    QTest::newRow("L Ctrl") << "L Ctrl" << 0xE0 << 0xE0;
    QTest::newRow("R GUI") << "R GUI" << 0xE7 << 0xE7;
    QTest::newRow("lower case") << "a" << 0 << 0;
    QTest::newRow("empty") << "" << 0 << 0;
}

void tst_KeyMap::keyNames()
{
    QFETCH(QString, name);
    QFETCH(int, us);
    QFETCH(int, uk);
    QCOMPARE(int(KeyMap::buildKeyNameMap(KeyMap::Layout::US).value(name, 0)), us);
    QCOMPARE(int(KeyMap::buildKeyNameMap(KeyMap::Layout::UK).value(name, 0)), uk);
}

void tst_KeyMap::keyNameTableIsOneToOne()
{
    for (const KeyMap::Layout layout : {KeyMap::Layout::US, KeyMap::Layout::UK}) {
        const KeyMap::KeyNames names = KeyMap::buildKeyNameMap(layout);
        QCOMPARE(names.size(), 127);
        QList<uchar> usages = names.values();
        std::sort(usages.begin(), usages.end());
        QVERIFY(std::adjacent_find(usages.begin(), usages.end()) == usages.end());
        QVERIFY(!usages.contains(0));
        // The backslash key has the layout's usage and the other one has no name.
        QCOMPARE(usages.contains(0x31), layout == KeyMap::Layout::US);
        QCOMPARE(usages.contains(0x32), layout == KeyMap::Layout::UK);
    }
    QTemporaryDir dir;
    QCOMPARE(KeyMap(KeyMap::Layout::UK, dir.path()).keyNameMap(), KeyMap::buildKeyNameMap(KeyMap::Layout::UK));
}

void tst_KeyMap::parsesStoredKeyDefinition_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("throughFile"); // written to a profile-like file and read back
    QTest::addColumn<QVariantList>("expected");

    const QVariantList code{0, 0xE0, 0x1F, 0};
    QTest::newRow("texts") << QVariant(QStringList{"0", "224", "31", "0"}) << false << code;
    QTest::newRow("numbers from the scene") << QVariant(code) << false << code;
    QTest::newRow("numbers through file") << QVariant(code) << true << code;
    QTest::newRow("scene's doubles through file")
        << QVariant(QVariantList{3.0, 0.0, 234.0, 0.0}) << true << QVariantList{3, 0, 234, 0};
    QTest::newRow("blank around a value") << QVariant(QStringList{" 0", "0", "4 ", "0"}) << false
                                          << QVariantList{0, 0, 4, 0};
    QTest::newRow("absent") << QVariant() << false << QVariantList();
    QTest::newRow("default integer") << QVariant(0) << false << QVariantList();
    QTest::newRow("single text") << QVariant(QStringLiteral("0,0,4,0")) << false << QVariantList();
    QTest::newRow("three values") << QVariant(QStringList{"0", "0", "4"}) << false << QVariantList();
    QTest::newRow("five values") << QVariant(QStringList{"0", "0", "4", "0", "0"}) << false << QVariantList();
    QTest::newRow("256") << QVariant(QStringList{"0", "0", "256", "0"}) << false << QVariantList();
    QTest::newRow("negative") << QVariant(QStringList{"0", "0", "-1", "0"}) << false << QVariantList();
    QTest::newRow("not a number") << QVariant(QStringList{"0", "x", "4", "0"}) << false << QVariantList();
    QTest::newRow("fraction") << QVariant(QVariantList{0, 0, 4.5, 0}) << true << QVariantList();
    QTest::newRow("empty value") << QVariant(QStringList{"0", "", "4", "0"}) << false << QVariantList();
}

void tst_KeyMap::parsesStoredKeyDefinition()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, throughFile);
    if (throughFile) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p1.bin"));
        QSettings(path, QSettings::IniFormat).setValue(QStringLiteral("keydefine/0"), stored);
        stored = QSettings(path, QSettings::IniFormat).value(QStringLiteral("keydefine/0"), 0);
    }
    QFETCH(QVariantList, expected);
    QCOMPARE(KeyMap::parseKeyDefinition(stored), expected);
}

void tst_KeyMap::shippedKeyMapIsRowMajorPermutation()
{
    const KeyMap map(KeyMap::Layout::US, QStringLiteral(TARVENIX_SOURCE_DIR));
    for (int scene = 0; scene < KeyMap::KeyCount; ++scene) {
        const int firmware = (scene % 6) * 21 + scene / 6;
        QCOMPARE(int(map.swToFwMap()[scene]), firmware);
        QCOMPARE(int(map.fwToSwMap()[firmware]), scene);
    }
}

QTEST_GUILESS_MAIN(tst_KeyMap)
#include "tst_KeyMap.moc"
