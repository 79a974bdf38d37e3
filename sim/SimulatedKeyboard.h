// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HidApi.h"

#include <QElapsedTimer>
#include <QList>
#include <QStringList>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <vector>

class SimulatedKeyboardObserver;

// A Norvane KALVOR Keyboard 4200 behind the hidapi seam: the command interface (usage page
// ff01), the event interface (ff02) and the keyboard interface (usage page 01, usage 06), the
// firmware's whole state, and a referee that checks every report the host sends and logs what
// it saw.
//
// The keyboard acknowledges each set command on the event interface (04 04 00 00): once when
// the command frame arrives, and once more when a bulk payload is complete. A change of the
// keyboard mode is reported as 04 05 0m 00. Get commands are answered by the next feature
// report read; bulk gets queue their payload as 64-byte input reports (one 21-byte report for
// the key on/off table).
//
// Keys pressed and released on it (pressKey, releaseKey) go out as 8-byte boot-protocol reports
// on the keyboard interface, a copy to every handle open on it: modifier bits, a reserved byte
// and up to six keys; with a seventh key held, the six bytes read ErrorRollOver (01). Its report
// descriptor, the boot keyboard's, comes from hid_get_report_descriptor. What is typed is not
// logged.
//
// Thread contract: every member may be called from any thread.
class SimulatedKeyboard final : public HidApi
{
public:
    static constexpr unsigned short kReleaseUS = 0x3300;
    static constexpr unsigned short kReleaseUK = 0x3200;
    static constexpr int kProfiles = 10;
    static constexpr int kPictures = 5;

    struct Profile
    {
        std::array<unsigned char, 512> keyMatrix{};
        std::array<std::array<unsigned char, 512>, kPictures> pictures{};
        std::array<unsigned char, 6> ledType{};        // option, effect, speed, light, color, direction
        std::map<unsigned char, std::array<unsigned char, 3>> colors;   // index -> r, g, b
    };

    struct State
    {
        std::array<Profile, kProfiles> profiles{};
        unsigned char currentProfile = 0;
        unsigned char reportRate = 0;
        std::array<unsigned char, 4> options{};
        std::array<unsigned char, 4> sensitivity{};
        std::array<unsigned char, 2> indicatorLight{};  // effect, frequency
        unsigned char keyboardMode = 0;
        std::array<unsigned char, 21> keyOnOff{};
        std::map<unsigned char, std::array<unsigned char, 192>> macros;
        std::array<unsigned char, 2> firmware{{0x01, 0x0A}};
        int recoveries = 0;
    };

    // Where a fault can strike.
    enum class Step { Open, SendFeature, GetFeature, Write, Read, EventRead };
    enum class Fault {
        Fail,     // the call returns -1
        Unplug,   // the keyboard is pulled out during the call, which then fails
        Short,    // a read delivers only part of the report
        Garbled,  // a read delivers random bytes
        Silent,   // a read delivers nothing until its time-out (a report the keyboard never sends)
        Slow,     // a payload or event report comes setSlowAnswer() ms late; one later than the
                  // read's time-out is lost
    };

    explicit SimulatedKeyboard(unsigned short releaseNumber = kReleaseUS);
    ~SimulatedKeyboard() override;

    hid_device_info *hid_enumerate(unsigned short vendorId, unsigned short productId) override;
    void hid_free_enumeration(hid_device_info *devices) override;
    hid_device *hid_open_path(const char *path) override;
    int hid_set_nonblocking(hid_device *device, int nonblock) override;
    int hid_send_feature_report(hid_device *device, const unsigned char *data, size_t length) override;
    int hid_get_feature_report(hid_device *device, unsigned char *data, size_t length) override;
    int hid_write(hid_device *device, const unsigned char *data, size_t length) override;
    int hid_read(hid_device *device, unsigned char *data, size_t length) override;
    int hid_read_timeout(hid_device *device, unsigned char *data, size_t length, int milliseconds) override;
    void hid_close(hid_device *device) override;
    int hid_get_report_descriptor(hid_device *device, unsigned char *buffer, size_t size) override;

    // The person at the keyboard.
    void unplug();
    void replug();                              // the interfaces come back under new paths
    // Another keyboard, of this release number, takes this one's place: unplugged if it was
    // plugged in, then plugged in again under new paths, keeping its state.
    void swapFor(unsigned short releaseNumber);
    bool isPlugged() const;
    void switchKeyboardMode(unsigned char mode); // the keyboard's own mode key
    void sendEvent(quint32 code);               // any 4-byte event report, big-endian
    void pressKey(unsigned char usage);         // a usage of the Keyboard/Keypad page
    void releaseKey(unsigned char usage);

    // Misbehaviour. A fault strikes the occurrence-th call of its step from now on, once; on
    // the event interface, the occurrence-th event report delivered.
    void injectFault(Step step, Fault fault, int occurrence = 1);
    void setAckDelay(int milliseconds);         // 0: at the next poll of the event endpoint (1 ms)
    void setAcknowledging(bool acknowledging);  // false: never acknowledges
    void setLatency(int milliseconds);          // each report sent or fetched takes this long
    // The payload of bulk set `command` (0x0D, 0x0E, 0x11, 0x12) is received and acknowledged
    // as usual, and then thrown away: the keyboard keeps what it had.
    void discardPayloads(unsigned char command);
    void setSlowAnswer(int milliseconds);       // how late a Slow report comes

    // What the keyboard holds.
    State state() const;
    void setState(const State &state);
    // Not owned; told every report received and every change of state from now on (nullptr:
    // nobody). Set it before the host starts talking.
    void setObserver(SimulatedKeyboardObserver *observer);
    unsigned short releaseNumber() const;
    QString commandPath() const;
    QString eventPath() const;
    QString keyboardPath() const;
    int openHandles() const;

    // What the keyboard saw: every feature and output report the host sent, a timestamped
    // line per call, and every protocol violation.
    QList<QByteArray> featureReports() const;
    QList<QByteArray> outputReports() const;
    QStringList log() const;
    QStringList violations() const;
    void clearRecords();

private:
    enum class Interface { Command, Event, Keyboard };
    struct Handle
    {
        Interface interface;
        int generation;
        std::deque<QByteArray> keyReports;      // keyboard interface: not yet read
    };
    struct PendingFault
    {
        Step step;
        Fault fault;
        int remaining;
    };
    using Clock = std::chrono::steady_clock;
    struct Event
    {
        Clock::time_point readyAt;
        std::array<unsigned char, 4> bytes;
    };
    struct IncomingPayload
    {
        unsigned char command = 0;
        unsigned char selector = 0;
        int length = 0;
        QByteArray received;
        int reports = 0;
        qint64 lastReportNs = 0;
    };

    using Lock = std::unique_lock<std::mutex>;

    QString pathOf(Interface interface) const;
    Handle *liveHandle(hid_device *device);
    bool takeFault(Step step, Fault &fault);
    void record(const QString &line);
    void stateChanged();
    void violation(const QString &what);
    void unplugLocked();
    void plugLocked();
    void acknowledge();
    void queueEvent(quint32 code, qint64 delayMs);
    void handleFrame(const unsigned char *frame);
    void applySet(const unsigned char *frame);
    void applyPayload();
    QByteArray replyFor(const unsigned char *frame);
    void queuePayload(const unsigned char *frame);
    int readCommandReport(Lock &lock, Handle *handle, unsigned char *data, size_t length, int milliseconds);
    int readEvent(Lock &lock, Handle *handle, unsigned char *data, size_t length, int milliseconds);
    int readKeyReport(Lock &lock, Handle *handle, unsigned char *data, size_t length, int milliseconds);
    void sendKeyReport();
    int deliver(QByteArray report, bool faulty, Fault fault, unsigned char *data, size_t length);
    bool stillThere(Handle *handle) const;

    unsigned short m_release;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    QElapsedTimer m_clock;
    std::mt19937 m_random{4200};

    State m_state;
    bool m_plugged = true;
    int m_generation = 1;
    std::set<Handle *> m_handles;
    std::deque<PendingFault> m_faults;
    void applyLatency() const;

    int m_ackDelayMs = 0;
    int m_slowMs = 0;
    std::atomic<int> m_latencyMs{0};
    bool m_acknowledging = true;
    std::set<unsigned char> m_discarded;        // bulk sets whose payload is thrown away
    std::deque<Event> m_events;
    QByteArray m_reply;                         // answer to the next feature-report read
    std::deque<QByteArray> m_payloadOut;        // input reports of a bulk get
    IncomingPayload m_incoming;                 // output reports of a bulk set
    std::vector<unsigned char> m_keysHeld;      // keyboard interface, in the order pressed

    SimulatedKeyboardObserver *m_observer = nullptr;
    QList<QByteArray> m_featureReports;
    QList<QByteArray> m_outputReports;
    QStringList m_log;
    QStringList m_violations;
};
