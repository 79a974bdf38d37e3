// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CallLog.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// Stand-in for the bridge (ui_View): the same slots with the same argument types, so that the
// scene's calls are converted as they would be. Every call is recorded in the log as
// "ui_View.<slot>"; answering slots return the log's reply for that name, converted to the
// slot's return type (an empty value when none is set).
class RecordingView : public QObject
{
    Q_OBJECT

public:
    explicit RecordingView(CallLog *log, QObject *parent = nullptr) : QObject(parent), m_log(log) {}

public slots:
    void initUI() { log("initUI"); }
    void runUI() { log("runUI"); }

    void setEnableAudio(bool isEnable) { log("setEnableAudio", {isEnable}); }
    void playMedia_Index(uchar index) { log("playMedia_Index", {int(index)}); }
    void playMedia_Background() { log("playMedia_Background"); }
    void clearAllMedia() { log("clearAllMedia"); }

    void saveApConfig(const QVariantList &apConfigs) { log("saveApConfig", {QVariant(apConfigs)}); }
    QVariantList loadApConfig() { return log("loadApConfig").toList(); }
    void loadProfile(int profile) { log("loadProfile", {profile}); }
    void saveProfile(int profile) { log("saveProfile", {profile}); }
    void resetProfile(int profile) { log("resetProfile", {profile}); }
    QString getCustomFilePath() { return log("getCustomFilePath").toString(); }

    QVariantMap chkLanguages() { return log("chkLanguages").toMap(); }
    QStringList getGlobalStrings(const QString &langCode) { return log("getGlobalStrings", {langCode}).toStringList(); }
    QStringList getProductLayoutStrings(const QString &langCode)
    {
        return log("getProductLayoutStrings", {langCode}).toStringList();
    }

    QVariant createMacroIni() { return log("createMacroIni"); }
    QVariant deleteMacroIni(const QVariant &name) { return log("deleteMacroIni", {name}); }
    QStringList getMacroIniNames() { return log("getMacroIniNames").toStringList(); }
    QVariant saveMacroIni(const QVariant &name, const QStringList &macros) { return log("saveMacroIni", {name, macros}); }
    QStringList loadMacroIni(const QVariant &name) { return log("loadMacroIni", {name}).toStringList(); }
    QVariantList loadMacroIniConfig(const QVariant &name) { return log("loadMacroIniConfig", {name}).toList(); }
    void setMacroIniConfig(const QVariant &name, const QVariantList &config)
    {
        log("setMacroIniConfig", {name, QVariant(config)});
    }
    QVariantList getKeydefine(const QVariant &matrixId) { return log("getKeydefine", {matrixId}).toList(); }
    QList<uchar> macroIncode(const QStringList &macros);

    void ui_01H_SetReportRate(uchar rate) { log("ui_01H_SetReportRate", {int(rate)}); }
    void ui_02H_SetCurrentProfile(int profile) { log("ui_02H_SetCurrentProfile", {profile}); }
    void ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
    {
        log("ui_03H_SetKeyboardoption", {int(byte1), int(byte2), int(byte3), int(byte4)});
    }
    void ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4)
    {
        log("ui_04H_SetButtonSensitivity", {int(sens1), int(sens2), int(sens3), int(sens4)});
    }
    void ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
    {
        log("ui_07H_SetControlIndicatorLight", {int(effect), int(frequenty)});
    }
    void ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color, uchar direction)
    {
        log("ui_08H_SetLEDType", {int(option), int(effect), int(speed), int(light), int(color), int(direction)});
    }
    void ui_09H_SetKeyboardMode(uchar mode) { log("ui_09H_SetKeyboardMode", {int(mode)}); }
    void ui_0DH_SetKeyMatrix(const QVariantList &src512) { log("ui_0DH_SetKeyMatrix", {QVariant(src512)}); }
    void ui_0EH_SetKeyOnOff(const QVariantList &src21) { log("ui_0EH_SetKeyOnOff", {QVariant(src21)}); }
    void ui_11H_SetMacroKey(const QVariant &macroId, const QVariant &name) { log("ui_11H_SetMacroKey", {macroId, name}); }
    void ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList &src512)
    {
        log("ui_12H_SetUserPicture", {int(index), int(option), QVariant(src512)});
    }
    void ui_13H_SetRecoveryData() { log("ui_13H_SetRecoveryData"); }
    void ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
    {
        log("ui_14H_SetColor", {int(index), int(rValue), int(gValue), int(bValue)});
    }
    QString ui_80H_GetFWVersion() { return log("ui_80H_GetFWVersion").toString(); }
    QVariant ui_81H_GetReportRate() { return log("ui_81H_GetReportRate"); }
    QVariant ui_82H_GetCurrentProfile() { return log("ui_82H_GetCurrentProfile"); }
    QVariantList ui_83H_GetKeyboardoption() { return log("ui_83H_GetKeyboardoption").toList(); }
    QVariantList ui_84H_GetButtonSensitivity() { return log("ui_84H_GetButtonSensitivity").toList(); }
    QVariantList ui_88H_GetLEDType() { return log("ui_88H_GetLEDType").toList(); }
    QVariant ui_89H_GetKeyboardMode() { return log("ui_89H_GetKeyboardMode"); }
    QVariantList ui_8DH_GetKeyMatrix() { return log("ui_8DH_GetKeyMatrix").toList(); }
    QVariantList ui_8EH_GetKeyOnOff() { return log("ui_8EH_GetKeyOnOff").toList(); }
    QVariantList ui_91H_GetMacroKey(uchar macroId) { return log("ui_91H_GetMacroKey", {int(macroId)}).toList(); }
    QVariantList ui_92H_GetUserPicture(uchar index) { return log("ui_92H_GetUserPicture", {int(index)}).toList(); }
    QVariantList ui_94H_GetColor(uchar index) { return log("ui_94H_GetColor", {int(index)}).toList(); }
    QVariantList importPictureLevels(int modelWidth, int modelHeight, const QVariantList &keyRects)
    {
        return log("importPictureLevels", {modelWidth, modelHeight, keyRects}).toList();
    }

private:
    QVariant log(const char *slot, const QVariantList &arguments = {});

    CallLog *m_log;
};
