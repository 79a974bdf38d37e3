// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The device link's tests share these: a simulated keyboard with the link to it, payload
// patterns, the state the get commands read and every get command with what it answers.
#include "DeviceDescriptor.h"
#include "Hid_Thread.h"
#include "SimulatedKeyboard.h"

#include <QByteArray>
#include <QList>
#include <QtTest>

#include <functional>

namespace {

// A keyboard and the link to it, discovered the way the main window does it.
struct Link
{
    SimulatedKeyboard keyboard;
    Hid_Thread hid{keyboard};

    Link() { hid.enumerateDevices(readDeviceDescriptors()); }
    ~Link() { hid.stopListener(); }

    void waitIdle() { QTRY_VERIFY_WITH_TIMEOUT(hid.isReady(), 10000); }
};

QByteArray bytes(const char *hexText) { return QByteArray::fromHex(hexText); }

QByteArray pattern(int length, int seed)
{
    QByteArray data(length, '\0');
    for (int i = 0; i < length; ++i)
        data[i] = char((i * 7 + seed) & 0xFF);
    return data;
}

uchar *raw(QByteArray &data) { return reinterpret_cast<uchar *>(data.data()); }

template <size_t N>
QByteArray fromArray(const std::array<unsigned char, N> &array)
{
    return QByteArray(reinterpret_cast<const char *>(array.data()), int(N));
}

using Command = std::function<void(Hid_Thread &)>;

// A get command whose outputs all start at `fill`; answers the outputs as bytes.
using Probe = std::function<QByteArray(Hid_Thread &, uchar fill)>;

// Reads what a set command left in the keyboard.
using Stored = std::function<QByteArray(const SimulatedKeyboard::State &)>;

struct GetCase
{
    const char *name;
    Probe probe;
    // The outputs a keyboard in the state of keyboardState() answers.
    QByteArray expected;
};

SimulatedKeyboard::State keyboardState()
{
    SimulatedKeyboard::State s;
    s.currentProfile = 3;
    s.reportRate = 2;
    s.options = {{1, 2, 3, 4}};
    s.sensitivity = {{5, 6, 7, 8}};
    s.keyboardMode = 1;
    s.firmware = {{0x1B, 0x05}};
    s.profiles[3].ledType = {{9, 10, 11, 12, 13, 14}};
    s.profiles[3].colors[7] = {{0xFF, 0x00, 0x10}};
    const QByteArray matrix = pattern(512, 1);
    std::copy(matrix.begin(), matrix.end(), s.profiles[3].keyMatrix.begin());
    const QByteArray picture = pattern(512, 2);
    std::copy(picture.begin(), picture.end(), s.profiles[3].pictures[4].begin());
    const QByteArray onOff = pattern(21, 3);
    std::copy(onOff.begin(), onOff.end(), s.keyOnOff.begin());
    const QByteArray macro = pattern(192, 4);
    std::copy(macro.begin(), macro.end(), s.macros[5].begin());
    return s;
}

QList<GetCase> getCases()
{
    const auto bulk = [](std::function<void(Hid_Thread &, uchar *)> get, int length) {
        return [get, length](Hid_Thread &hid, uchar fill) {
            QByteArray buffer(length, char(fill));
            get(hid, raw(buffer));
            return buffer;
        };
    };
    return {
        {"81 report rate", [](Hid_Thread &hid, uchar v) { hid.hid_81H_GetReportRate(v); return QByteArray(1, char(v)); }, bytes("02")},
        {"82 profile", [](Hid_Thread &hid, uchar v) { hid.hid_82H_GetCurrentProfile(v); return QByteArray(1, char(v)); }, bytes("03")},
        {"83 options", [](Hid_Thread &hid, uchar v) {
             uchar b[4] = {v, v, v, v};
             hid.hid_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
             return QByteArray(reinterpret_cast<char *>(b), 4);
         }, bytes("01020304")},
        {"84 sensitivity", [](Hid_Thread &hid, uchar v) {
             uchar b[4] = {v, v, v, v};
             hid.hid_84H_GetButtonSensitivity(b[0], b[1], b[2], b[3]);
             return QByteArray(reinterpret_cast<char *>(b), 4);
         }, bytes("05060708")},
        {"88 lighting, without the option", [](Hid_Thread &hid, uchar v) {
             uchar b[5] = {v, v, v, v, v};
             hid.hid_88H_GetLEDType(b[0], b[1], b[2], b[3], b[4]);
             return QByteArray(reinterpret_cast<char *>(b), 5);
         }, bytes("0a0b0c0d0e")},
        {"89 keyboard mode", [](Hid_Thread &hid, uchar v) { hid.hid_89H_GetKeyboardMode(v); return QByteArray(1, char(v)); }, bytes("01")},
        {"94 colour 7", [](Hid_Thread &hid, uchar v) {
             uchar b[3] = {v, v, v};
             hid.hid_94H_GetColor(7, b[0], b[1], b[2]);
             return QByteArray(reinterpret_cast<char *>(b), 3);
         }, bytes("ff0010")},
        {"8D key matrix", bulk([](Hid_Thread &hid, uchar *b) { hid.hid_8DH_GetKeyMatrix(b); }, 512), pattern(512, 1)},
        {"8E key on/off", bulk([](Hid_Thread &hid, uchar *b) { hid.hid_8EH_GetKeyOnOff(b); }, 21), pattern(21, 3)},
        {"91 macro 5", bulk([](Hid_Thread &hid, uchar *b) { hid.hid_91H_GetMacroKey(5, b); }, 192), pattern(192, 4)},
        {"92 picture 4", bulk([](Hid_Thread &hid, uchar *b) { hid.hid_92H_GetUserPicture(4, b); }, 512), pattern(512, 2)},
    };
}

} // namespace
