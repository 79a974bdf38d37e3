// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppConfigStore.h"
#include "KeyMap.h"
#include "Languages.h"
#include "MacroLibrary.h"
#include "ProfileStore.h"
#include "SoundPlayer.h"
#include "StandardDialogs.h"

#include <QList>
#include <QQuickWidget>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

class Hid_Thread;

// The view that shows the scene and the one object the scene calls, published as `ui_View`.
//
// Its slots are the scene's whole interface to data and device; their order, names and types
// are fixed (the scene and the tests reach them through the meta-object). Each slot converts
// the scene's values (numbers, texts, lists of numbers) and delegates: to the services it owns
// for files, sounds and key positions, and to the device link `hidLink` for the keyboard.
// A set command returns as soon as the link has taken it; a get command returns after the
// keyboard has answered. A get whose exchange fails answers what the link left in the values
// the bridge handed it: zeros, and "unknown" for the firmware version.
//
// Every service works below the working directory ("./modules/..."): the settings files are
// located when the view is constructed, sounds when they start. Slots run on the GUI thread;
// the notification functions may be called from any thread.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    // The layout is the build's: it decides the backslash key's usage in macros.
    explicit myQQuickView(QWidget *parent, KeyMap::Layout layout = KeyMap::Layout::US);
    ~myQQuickView() override;

    // Not owned; the main window sets it right after loading the scene. Until then the device
    // slots send nothing and their getters answer zeros.
    void setHidLink(Hid_Thread *link) { hidLink = link; }
    // Not owned; nullptr returns to the toolkit's dialogs.
    void setDialogs(UserDialogs *dialogs);

    // The warning texts of the language read last: [macro too long: title, text; unreadable
    // image: title, text], empty before the first read.
    const QStringList &messageStrings() const { return m_languages.messageStrings(); }

    // Calls into the scene: the root object's script function of that name, with the values as
    // variants, on the GUI thread's next event-loop turn, in call order. Safe from any thread;
    // nothing happens when the view has no root object by then.
    void detectKeyboard(bool isDown, int usage);
    void detectMouse(bool isDown, uint button, uint x, uint y);
    void detectVendor(quint32 code);

public slots:
    void initUI();
    void runUI();

    void setEnableAudio(bool isEnable);
    void playMedia_Index(uchar index);
    void playMedia_Background();
    void clearAllMedia();

    void saveApConfig(const QVariantList &apConfigs);
    QVariantList loadApConfig();
    // Import, export and reset of profile slot `profile` (0..9). Nothing reaches the keyboard.
    void loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    // A background picture chosen by the user, or an empty text (cancelled, or not a picture
    // the toolkit can decode: then after a warning).
    QString getCustomFilePath();

    QVariantMap chkLanguages();
    // Also replaces messageStrings() and sets the language half of the installation gate.
    QStringList getGlobalStrings(const QString &langCode);
    QStringList getProductLayoutStrings(const QString &langCode);

    QVariant createMacroIni();
    QVariant deleteMacroIni(const QVariant &name);
    QStringList getMacroIniNames();
    // A macro bound to a keyboard slot is sent there again at once.
    QVariant saveMacroIni(const QVariant &name, const QStringList &macros);
    QStringList loadMacroIni(const QVariant &name);
    QVariantList loadMacroIniConfig(const QVariant &name);
    void setMacroIniConfig(const QVariant &name, const QVariantList &config);
    // Four integers 0..255, or empty when the stored value is anything else.
    QVariantList getKeydefine(const QVariant &matrixId);
    QList<uchar> macroIncode(const QStringList &macros);

    void ui_01H_SetReportRate(uchar rate);
    // Sends only when `profile` is another valid profile; later profile writes and reads use it.
    void ui_02H_SetCurrentProfile(int profile);
    void ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4);
    void ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color, uchar direction);
    void ui_09H_SetKeyboardMode(uchar mode);
    // 504 values, four per key in scene order. A list too short for the key map, or a key map
    // entry beyond the last key, is refused: nothing stored, nothing sent.
    void ui_0DH_SetKeyMatrix(const QVariantList &src512);
    // At least 21 values, else refused.
    void ui_0EH_SetKeyOnOff(const QVariantList &src21);
    void ui_11H_SetMacroKey(const QVariant &macroId, const QVariant &name);
    void ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList &src512);
    void ui_13H_SetRecoveryData();
    void ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    QString ui_80H_GetFWVersion();
    QVariant ui_81H_GetReportRate();
    QVariant ui_82H_GetCurrentProfile();
    QVariantList ui_83H_GetKeyboardoption();
    QVariantList ui_84H_GetButtonSensitivity();
    // From the current profile's file, not from the keyboard.
    QVariantList ui_88H_GetLEDType();
    QVariant ui_89H_GetKeyboardMode();
    // 504 integers in scene order.
    QVariantList ui_8DH_GetKeyMatrix();
    QVariantList ui_8EH_GetKeyOnOff();
    QVariantList ui_91H_GetMacroKey(uchar macroId);
    // From the current profile's file, not from the keyboard.
    QVariantList ui_92H_GetUserPicture(uchar index);
    QVariantList ui_94H_GetColor(uchar index);

    // A PNG or JPEG picture the user picks for a user picture, scaled to the lighting page's
    // keyboard model (modelWidth x modelHeight): per key rectangle [x, y, width, height] of the
    // model, the mean luminance 0..255 of the picture under it, -1 for an empty rectangle.
    // Empty when the user cancels or the file cannot be read (one line logged).
    QVariantList importPictureLevels(int modelWidth, int modelHeight, const QVariantList &keyRects);

private:
    // Queues the root object's `function` with up to four arguments.
    void callScene(const char *function, const QVariantList &arguments = {});
    UserDialogs &dialogs() const;

    // Built in this order: key names and key map, media players, configuration, then the ten
    // profiles.
    KeyMap m_keyMap;
    SoundPlayer m_sounds;
    AppConfigStore m_apConfig;
    ProfileStore m_profiles;
    MacroLibrary m_macros;
    Languages m_languages;

    Hid_Thread *hidLink = nullptr;
    StandardDialogs m_standardDialogs;
    UserDialogs *m_dialogs = nullptr;
};
