// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DeviceDescriptor.h"
#include "HidApi.h"

#include <QFuture>
#include <QThread>

#include <array>
#include <atomic>
#include <initializer_list>
#include <mutex>

class VendorEventSink;

// The application's only path to the keyboard.
//
// Derives from QThread for the object and slot machinery only: it is never started. Every
// command is called on the main thread. A set command takes the link, frames its report and
// hands the transfer to a task on the global thread pool, then returns at once; a get command
// runs its whole exchange on the calling thread. A second long-running pool task, the event
// listener, reads the keyboard's event interface: it turns the acknowledgement into `acked`
// and passes every other event to the owner.
//
// Failures are single debug lines ("cmd Failed 01" ... "cmd Failed 14", "cmd Failed",
// "Device removed"); callers learn nothing else. A failed get leaves its outputs as they were;
// a reply shorter than the 9-byte frame is a failed get. The listener takes the keyboard for
// removed when its event interface cannot be opened, or opens but fails five reads in a row
// (it pauses 50 ms after each).
class Hid_Thread : public QThread
{
    Q_OBJECT

public:
    explicit Hid_Thread(HidApi &api = HidApi::system(), QObject *parent = nullptr);
    ~Hid_Thread() override;

    // The main window sets itself as owner after construction.
    void setOwner(VendorEventSink *owner) { m_owner.store(owner); }

    // Discovery: matches the descriptors (last first) against the HID interfaces present and
    // stores the paths of the last match. Main thread only.
    QList<FoundDevice> enumerateDevices(const QList<DeviceDescriptor> &descriptors);

    void startListener();
    // Returns once the listener's current read has ended (at most one 500 ms read).
    void stopListener();

    QString commandInterfacePath() const;
    QString eventInterfacePath() const;
    bool isReady() const { return ready.load(); }
    bool isListening() const { return listening.load(); }

    // Whether the last command went through, for callers that must know (the command-line
    // tool); the slots themselves still tell nobody. For a set command this waits until its
    // transfer has ended. False when the link stayed busy, the keyboard could not be reached,
    // the installation gate refused or a report failed; true for a set command whose
    // acknowledgement did not come (the wait for it never fails).
    bool lastCommandSucceeded();

public slots:
    uchar hidCS(uchar *cmd);

    void hid_01H_SetReportRate(uchar rate);
    void hid_02H_SetCurrentProfile(uchar profile);
    void hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4);
    void hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color, uchar direction);
    void hid_0DH_SetKeyMatrix(uchar *src512);
    void hid_0EH_SetKeyOnOff(uchar *src21);
    void hid_09H_SetKeyboardMode(uchar mode);
    void hid_11H_SetMacroKey(uchar macroId, uchar *src192);
    void hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512);
    void hid_13H_SetRecoveryData();
    void hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);

    void hid_80H_GetFWVersion(QString &version);
    void hid_81H_GetReportRate(uchar &rate);
    void hid_82H_GetCurrentProfile(uchar &profile);
    void hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid_84H_GetButtonSensitivity(uchar &sens1, uchar &sens2, uchar &sens3, uchar &sens4);
    void hid_88H_GetLEDType(uchar &effect, uchar &speed, uchar &light, uchar &color, uchar &direction);
    void hid_89H_GetKeyboardMode(uchar &mode);
    void hid_8DH_GetKeyMatrix(uchar *src512);
    void hid_8EH_GetKeyOnOff(uchar *src21);
    void hid_91H_GetMacroKey(uchar macroId, uchar *src192);
    void hid_92H_GetUserPicture(uchar index, uchar *src512);
    void hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue);

private:
    using Parameters = std::array<uchar, 6>;   // frame bytes 2..7
    struct ReplyField
    {
        int position;                          // frame byte the reply carries the value in
        uchar *value;
    };

    enum class Exchange { Busy, Failed, Done };
    enum class LastCommand { None, Busy, GetFailed, GetDone, Set };

    bool acquireLink();
    void fillOutReport(uchar command, const Parameters &parameters);
    void runSet(uchar command, const Parameters &parameters, bool waitForAck,
                const uchar *payload = nullptr, int length = 0);
    Exchange runGet(uchar command, const Parameters &request, std::initializer_list<ReplyField> reply,
                uchar *buffer = nullptr, int length = 0);

    hid_device *openCommandInterface();
    hid_device *openEventInterface();
    void closeCommandInterface();
    void closeEventInterface();
    hid_device *openInterface(QString &path, hid_device *&handle);
    void forgetPath(QString &path, const QString &stale);
    bool setTransfer(int length, bool waitForAck);
    bool getTransfer(int length);
    bool releaseLink(bool result);
    void waitAcknowledge();
    void listenEvents();

    HidApi &m_api;
    std::atomic<VendorEventSink *> m_owner{nullptr};
    mutable std::mutex pathMutex;               // guards cmdPath and eventPath
    QString cmdPath;
    QString eventPath;
    hid_device *cmdHandle = nullptr;            // guarded by the link (ready)
    hid_device *eventHandle = nullptr;          // the listener's own
    std::atomic<bool> ready{true};              // the link is free
    std::atomic<bool> listening{false};
    std::atomic<bool> acked{true};
    // Hand-offs between the main thread and pool tasks, made explicit: the pool synchronises
    // them already, but inside Qt, where thread checkers cannot see it. Bumped (release) before
    // a task starts and when it ends; read (acquire) when a task starts and after waiting for one.
    std::atomic<unsigned> handOffs{0};
    QFuture<void> listenerFuture;
    QFuture<bool> transferFuture;               // the last set transfer, awaited on destruction
    LastCommand lastCommand = LastCommand::None; // main thread only
    std::array<uchar, 9> outReport{};
    std::array<uchar, 9> inReport{};
    std::array<uchar, 512> dataBuffer{};
};
