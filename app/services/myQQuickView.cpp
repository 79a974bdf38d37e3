// SPDX-License-Identifier: GPL-3.0-or-later
#include "myQQuickView.h"

#include "Hid_Thread.h"
#include "MacroEncoder.h"
#include "PictureLevels.h"
#include "ServicesLog.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QQuickItem>
#include <QStandardPaths>

#include <array>

namespace {

// The keyboard's key on/off table: one byte per column of the key grid.
constexpr int keyOnOffSize = 21;
// The scene's calls carry at most this many arguments.
constexpr int maxSceneArguments = 4;

// The scene passes numbers as variants; the keyboard takes their low byte.
uchar lowByte(const QVariant &value)
{
    return uchar(value.toInt() & 0xFF);
}

uchar *raw(QByteArray &bytes)
{
    return reinterpret_cast<uchar *>(bytes.data());
}

// Bytes as unsigned integers for the scene.
template <std::size_t N>
QVariantList integers(const std::array<uchar, N> &bytes)
{
    QVariantList values;
    values.reserve(int(N));
    for (const uchar byte : bytes)
        values.append(int(byte));
    return values;
}

// Where a file dialog starts: the user's folder of that kind, or the home folder when there is
// none (common on Linux), since a dialog started in a missing folder offers its name as the
// file name.
QString startFolder(QStandardPaths::StandardLocation location)
{
    const QString folder = QStandardPaths::writableLocation(location);
    return QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

} // namespace

myQQuickView::myQQuickView(QWidget *parent, KeyMap::Layout layout)
    : QQuickWidget(parent)
    , m_keyMap(layout)
    , m_standardDialogs(this)
    , m_dialogs(&m_standardDialogs)
{
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::setDialogs(UserDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : &m_standardDialogs;
}

UserDialogs &myQQuickView::dialogs() const
{
    return *m_dialogs;
}

// --- calls into the scene -------------------------------------------------------------------

// Posted to the view, not to the root object: the root object may only be looked up on the
// GUI thread, and one queue keeps the calls of all threads in the order they were made.
void myQQuickView::callScene(const char *function, const QVariantList &arguments)
{
    Q_ASSERT(arguments.size() <= maxSceneArguments);
    QMetaObject::invokeMethod(
        this,
        [this, function, arguments] {
            QQuickItem *root = rootObject();
            if (!root)
                return;
            std::array<QGenericArgument, maxSceneArguments> passed {};
            for (int i = 0; i < arguments.size(); ++i)
                passed[std::size_t(i)] = Q_ARG(QVariant, arguments.at(i));
            QMetaObject::invokeMethod(root, function, Qt::DirectConnection,
                                      passed[0], passed[1], passed[2], passed[3]);
        },
        Qt::QueuedConnection);
}

void myQQuickView::detectKeyboard(bool isDown, int usage)
{
    callScene("detectKeyboard", {isDown, usage});
}

void myQQuickView::detectMouse(bool isDown, uint button, uint x, uint y)
{
    callScene("detectMouse", {isDown, button, x, y});
}

void myQQuickView::detectVendor(quint32 code)
{
    callScene("detectVendor", {code});
}

void myQQuickView::initUI()
{
    callScene("initUI");
}

void myQQuickView::runUI()
{
    callScene("run");
}

// --- sounds ---------------------------------------------------------------------------------

void myQQuickView::setEnableAudio(bool isEnable)
{
    m_sounds.setEnableAudio(isEnable);
}

void myQQuickView::playMedia_Index(uchar index)
{
    m_sounds.playMedia_Index(index);
}

void myQQuickView::playMedia_Background()
{
    m_sounds.playMedia_Background();
}

void myQQuickView::clearAllMedia()
{
    m_sounds.clearAllMedia();
}

// --- configuration and profile files --------------------------------------------------------

void myQQuickView::saveApConfig(const QVariantList &apConfigs)
{
    m_apConfig.save(apConfigs);
}

QVariantList myQQuickView::loadApConfig()
{
    return m_apConfig.load();
}

void myQQuickView::loadProfile(int profile)
{
    const QString path = dialogs().openFile(tr("Open File"), startFolder(QStandardPaths::DesktopLocation),
                                            tr("Profile(*.pf)"));
    if (!path.isEmpty())
        m_profiles.importProfile(profile, path);
}

void myQQuickView::saveProfile(int profile)
{
    const QString path = dialogs().saveFile(tr("Save File"), startFolder(QStandardPaths::DesktopLocation),
                                            tr("Profile(*.pf)"));
    if (!path.isEmpty())
        m_profiles.exportProfile(profile, path);
}

void myQQuickView::resetProfile(int profile)
{
    m_profiles.resetProfile(profile);
}

QString myQQuickView::getCustomFilePath()
{
    const QString path = dialogs().openFile(tr("Open File"), startFolder(QStandardPaths::PicturesLocation),
                                            tr("Image Files(*.png)"));
    if (path.isEmpty())
        return QString();
    // The scene shows the file as it is; one it cannot decode would leave an empty background.
    if (QImageReader(path).read().isNull()) {
        // Both parts in one arg(): a "%1" inside the message text stays as it is.
        dialogs().warn(messageStrings().value(2), QStringLiteral("%1%2").arg(messageStrings().value(3), path));
        return QString();
    }
    return path;
}

// --- languages ------------------------------------------------------------------------------

QVariantMap myQQuickView::chkLanguages()
{
    return m_languages.chkLanguages();
}

QStringList myQQuickView::getGlobalStrings(const QString &langCode)
{
    return m_languages.getGlobalStrings(langCode);
}

QStringList myQQuickView::getProductLayoutStrings(const QString &langCode)
{
    return m_languages.getProductLayoutStrings(langCode);
}

// --- macros ---------------------------------------------------------------------------------

QVariant myQQuickView::createMacroIni()
{
    return m_macros.create();
}

QVariant myQQuickView::deleteMacroIni(const QVariant &name)
{
    return m_macros.remove(name.toString());
}

QStringList myQQuickView::getMacroIniNames()
{
    return m_macros.fileNames();
}

QVariant myQQuickView::saveMacroIni(const QVariant &name, const QStringList &macros)
{
    if (!m_macros.save(name.toString(), macros))
        return false;
    const QVariantList config = m_macros.config(name.toString());
    if (!config.isEmpty() && config.at(0).toInt() >= 0)
        ui_11H_SetMacroKey(config.at(0), name);
    return true;
}

QStringList myQQuickView::loadMacroIni(const QVariant &name)
{
    return m_macros.load(name.toString());
}

QVariantList myQQuickView::loadMacroIniConfig(const QVariant &name)
{
    return m_macros.config(name.toString());
}

void myQQuickView::setMacroIniConfig(const QVariant &name, const QVariantList &config)
{
    m_macros.setConfig(name.toString(), config);
}

QVariantList myQQuickView::getKeydefine(const QVariant &matrixId)
{
    return KeyMap::parseKeyDefinition(m_profiles.keyDefine(matrixId));
}

QList<uchar> myQQuickView::macroIncode(const QStringList &macros)
{
    const QByteArray encoded = MacroEncoder::encode(macros, m_keyMap.keyNameMap());
    QList<uchar> bytes;
    bytes.reserve(encoded.size());
    for (const char byte : encoded)
        bytes.append(uchar(byte));
    return bytes;
}

// --- set commands ---------------------------------------------------------------------------

void myQQuickView::ui_01H_SetReportRate(uchar rate)
{
    if (hidLink)
        hidLink->hid_01H_SetReportRate(rate);
}

void myQQuickView::ui_02H_SetCurrentProfile(int profile)
{
    if (m_profiles.setCurrentProfile(profile) && hidLink)
        hidLink->hid_02H_SetCurrentProfile(uchar(profile));
}

void myQQuickView::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (hidLink)
        hidLink->hid_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

void myQQuickView::ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4)
{
    if (hidLink)
        hidLink->hid_04H_SetButtonSensitivity(sens1, sens2, sens3, sens4);
}

void myQQuickView::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    if (hidLink)
        hidLink->hid_07H_SetControlIndicatorLight(effect, frequenty);
}

void myQQuickView::ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                                     uchar direction)
{
    m_profiles.setLedType(effect, speed, light, color, direction);
    if (hidLink)
        hidLink->hid_08H_SetLEDType(option, effect, speed, light, color, direction);
}

void myQQuickView::ui_09H_SetKeyboardMode(uchar mode)
{
    if (hidLink)
        hidLink->hid_09H_SetKeyboardMode(mode);
}

void myQQuickView::ui_0DH_SetKeyMatrix(const QVariantList &src512)
{
    QByteArray matrix = m_keyMap.toFirmware(src512, KeyMap::Table::KeyMatrix);
    if (matrix.isEmpty())
        return; // refused; the key map has said why
    for (int position = 0; position < KeyMap::KeyCount; ++position)
        m_profiles.setKeyDefine(position, KeyMap::keyDefinition(src512, position));
    if (hidLink)
        hidLink->hid_0DH_SetKeyMatrix(raw(matrix));
}

void myQQuickView::ui_0EH_SetKeyOnOff(const QVariantList &src21)
{
    if (src21.size() < keyOnOffSize) {
        qCDebug(lcServices, "key on/off table refused: %d values, %d needed", int(src21.size()), keyOnOffSize);
        return;
    }
    std::array<uchar, keyOnOffSize> table {};
    for (int j = 0; j < keyOnOffSize; ++j)
        table[std::size_t(j)] = lowByte(src21.at(j));
    if (hidLink)
        hidLink->hid_0EH_SetKeyOnOff(table.data());
}

void myQQuickView::ui_11H_SetMacroKey(const QVariant &macroId, const QVariant &name)
{
    const QByteArray encoded = MacroEncoder::encode(m_macros.load(name.toString()), m_keyMap.keyNameMap());
    MacroEncoder::SlotImage slot = MacroEncoder::forSlot(encoded);
    // The keyboard still gets the first slot's worth of bytes after the warning.
    if (slot.overflows())
        dialogs().warn(messageStrings().value(0), messageStrings().value(1));
    if (hidLink)
        hidLink->hid_11H_SetMacroKey(lowByte(macroId), raw(slot.bytes));
}

void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList &src512)
{
    QByteArray picture = m_keyMap.toFirmware(src512, KeyMap::Table::UserPicture);
    if (picture.isEmpty())
        return; // refused; the key map has said why
    m_profiles.setUserPicture(index, src512);
    if (hidLink)
        hidLink->hid_12H_SetUserPicture(index, option, raw(picture));
}

void myQQuickView::ui_13H_SetRecoveryData()
{
    if (hidLink)
        hidLink->hid_13H_SetRecoveryData();
}

void myQQuickView::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    m_profiles.setColor(index, rValue, gValue, bValue);
    if (hidLink)
        hidLink->hid_14H_SetColor(index, rValue, gValue, bValue);
}

// --- get commands ---------------------------------------------------------------------------
// Every value handed to the link starts at zero: a failed exchange leaves it there.

QString myQQuickView::ui_80H_GetFWVersion()
{
    QString version;
    if (hidLink)
        hidLink->hid_80H_GetFWVersion(version);
    return version;
}

QVariant myQQuickView::ui_81H_GetReportRate()
{
    uchar rate = 0;
    if (hidLink)
        hidLink->hid_81H_GetReportRate(rate);
    return int(rate);
}

QVariant myQQuickView::ui_82H_GetCurrentProfile()
{
    uchar profile = 0;
    if (hidLink)
        hidLink->hid_82H_GetCurrentProfile(profile);
    return int(profile);
}

QVariantList myQQuickView::ui_83H_GetKeyboardoption()
{
    std::array<uchar, 4> option {};
    if (hidLink)
        hidLink->hid_83H_GetKeyboardoption(option[0], option[1], option[2], option[3]);
    return integers(option);
}

QVariantList myQQuickView::ui_84H_GetButtonSensitivity()
{
    std::array<uchar, 4> sensitivity {};
    if (hidLink)
        hidLink->hid_84H_GetButtonSensitivity(sensitivity[0], sensitivity[1], sensitivity[2], sensitivity[3]);
    return integers(sensitivity);
}

QVariantList myQQuickView::ui_88H_GetLEDType()
{
    return m_profiles.ledType();
}

QVariant myQQuickView::ui_89H_GetKeyboardMode()
{
    uchar mode = 0;
    if (hidLink)
        hidLink->hid_89H_GetKeyboardMode(mode);
    return int(mode);
}

QVariantList myQQuickView::ui_8DH_GetKeyMatrix()
{
    QByteArray matrix(KeyMap::BufferSize, '\0');
    if (hidLink)
        hidLink->hid_8DH_GetKeyMatrix(raw(matrix));
    return m_keyMap.toScene(matrix);
}

QVariantList myQQuickView::ui_8EH_GetKeyOnOff()
{
    std::array<uchar, keyOnOffSize> table {};
    if (hidLink)
        hidLink->hid_8EH_GetKeyOnOff(table.data());
    return integers(table);
}

QVariantList myQQuickView::ui_91H_GetMacroKey(uchar macroId)
{
    std::array<uchar, MacroEncoder::SlotSize> slot {};
    if (hidLink)
        hidLink->hid_91H_GetMacroKey(macroId, slot.data());
    return integers(slot);
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index)
{
    return m_profiles.userPicture(index);
}

QVariantList myQQuickView::ui_94H_GetColor(uchar index)
{
    return m_profiles.color(index);
}

// --- pictures for the lighting page ---------------------------------------------------------

QVariantList myQQuickView::importPictureLevels(int modelWidth, int modelHeight, const QVariantList &keyRects)
{
    const QString path = dialogs().openFile(tr("Open File"), startFolder(QStandardPaths::PicturesLocation),
                                            tr("Image Files(*.png *.jpg *.jpeg)"));
    if (path.isEmpty())
        return {};
    QVector<QRect> keys;
    keys.reserve(keyRects.size());
    for (const QVariant &rect : keyRects) {
        const QVariantList r = rect.toList();
        keys.append(QRect(r.value(0).toInt(), r.value(1).toInt(), r.value(2).toInt(), r.value(3).toInt()));
    }
    QVariantList levels;
    for (const int level : PictureLevels::fromFile(path, QSize(modelWidth, modelHeight), keys))
        levels.append(level);
    return levels;
}
