// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class Hid_Thread;
class SimulatedKeyboard;

// The test's view of the simulated keyboard and of the link to it, published as `simKeyboard`.
// Reports are lowercase hex text, bytes separated by spaces, report ID first, e.g. the frame
// "00 08 00 06 03 04 00 01 e9"; byte arrays of the state are lists of numbers. GUI thread only.
class KeyboardProbe : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Not owned; both null until the harness has built them.
    void attach(SimulatedKeyboard *keyboard, Hid_Thread *link);

    // What the keyboard received since the last clearRecords(), in order.
    Q_INVOKABLE QStringList featureReports() const;
    Q_INVOKABLE QStringList outputReports() const;
    // The command byte of each feature report, e.g. [0x12, 0x08] for a picture and a mode.
    Q_INVOKABLE QVariantList commands() const;
    // Every breach of the protocol the keyboard noticed; a correct exchange leaves none.
    Q_INVOKABLE QStringList violations() const;
    Q_INVOKABLE void clearRecords();

    // The whole firmware state: currentProfile, reportRate, options, sensitivity,
    // indicatorLight, keyboardMode, keyOnOff, firmware, recoveries, macros (slot as text ->
    // 192 numbers) and profiles (ten maps as profile() answers).
    Q_INVOKABLE QVariantMap state() const;
    // One profile (-1: the current one): keyMatrix (512 numbers, the firmware's order),
    // pictures (five lists of 512), ledType (option, effect, speed, light, color, direction)
    // and colors (index as text -> [r, g, b]).
    Q_INVOKABLE QVariantMap profile(int index = -1) const;

    // Waits, serving the event loop, until the link has finished its set transfers (they run
    // on a pool task after the call returned); false after `timeoutMs`.
    Q_INVOKABLE bool waitIdle(int timeoutMs = 5000) const;

    // The person at the keyboard: its own mode key (reported as 04 05 0m 00), or any 4-byte
    // event report, e.g. 0x04050100. The event reaches the scene through the link's listener.
    Q_INVOKABLE void switchKeyboardMode(int mode);
    Q_INVOKABLE void sendEvent(const QVariant &code);

private:
    SimulatedKeyboard *m_keyboard = nullptr;
    Hid_Thread *m_link = nullptr;
};
