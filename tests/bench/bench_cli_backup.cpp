// SPDX-License-Identifier: GPL-3.0-or-later
// tarvenix-cli's backup and restore of all ten profiles, on the simulated keyboard as the
// command-line tool gets it (acknowledgements after 2 ms), against two references:
//  - the protocol minimum of the exchanges involved: the fixed pauses of every set command
//    (a 512-byte set: two 64 ms acknowledgement waits and eight 8 ms pauses; the lighting mode:
//    one 64 ms wait; profile switches and every get: none);
//  - the same commands sent straight through the device link in the same run, without the
//    tool's key-map permutations, files or comparisons.
// Restore is measured with and without the read-back verification.
#include "DeviceDescriptor.h"
#include "Hid_Thread.h"
#include "InstallationFlags.h"
#include "KeyMap.h"
#include "KeyboardSession.h"
#include "ProfileImage.h"
#include "SimulatedKeyboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <array>
#include <cstdio>

namespace {

constexpr int kProfiles = 10;
constexpr double kAckMs = 64;
constexpr double kPayloadPauseMs = 8;
constexpr double kBulkSetMs = 2 * kAckMs + 8 * kPayloadPauseMs;   // 0DH, 12H
constexpr double kLedTypeMs = kAckMs;                              // 08H
// One profile written: key matrix, five pictures, lighting mode.
constexpr double kProfileWriteMs = 6 * kBulkSetMs + kLedTypeMs;

using Session = KeyboardSession;

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void check(const Session::Outcome &outcome)
{
    if (outcome) {
        std::fprintf(stderr, "bench_cli_backup: %s\n", qPrintable(outcome->message));
        std::exit(1);
    }
}

// The commands of one profile's write (and, verifying, its read-back), straight to the link.
void bareWrite(Hid_Thread &link, int profile, bool verify)
{
    std::array<uchar, 512> buffer{};
    link.hid_02H_SetCurrentProfile(uchar(profile));
    link.lastCommandSucceeded();
    uchar current = 0;
    link.hid_82H_GetCurrentProfile(current);
    link.hid_0DH_SetKeyMatrix(buffer.data());
    for (uchar picture = 0; picture < 5; ++picture)
        link.hid_12H_SetUserPicture(picture, 0, buffer.data());
    link.hid_08H_SetLEDType(0, 6, 1, 49, 0, 0);
    link.lastCommandSucceeded();
    if (!verify)
        return;
    uchar led[5];
    link.hid_8DH_GetKeyMatrix(buffer.data());
    for (uchar picture = 0; picture < 5; ++picture)
        link.hid_92H_GetUserPicture(picture, buffer.data());
    link.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4]);
}

void bareRead(Hid_Thread &link, int profile)
{
    std::array<uchar, 512> buffer{};
    uchar current = 0, led[5];
    link.hid_02H_SetCurrentProfile(uchar(profile));
    link.lastCommandSucceeded();
    link.hid_82H_GetCurrentProfile(current);
    link.hid_8DH_GetKeyMatrix(buffer.data());
    for (uchar picture = 0; picture < 5; ++picture)
        link.hid_92H_GetUserPicture(picture, buffer.data());
    link.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4]);
}

template <typename Body>
double timed(Body body)
{
    QElapsedTimer timer;
    timer.start();
    body();
    return elapsedMs(timer);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    imagesVerified = true;
    langVerified = true;
    SimulatedKeyboard keyboard;
    keyboard.setAckDelay(2);
    const KeyMap keyMap(KeyMap::Layout::US, QStringLiteral(TARVENIX_DATA_TREE));

    ProfileFiles::Backup backup;
    for (int p = 0; p < kProfiles; ++p) {
        QString error;
        const auto image = ProfileFiles::load(QStringLiteral(TARVENIX_SOURCE_DIR "/modules-US/setting/p%1.bin").arg(p + 1), error);
        if (!image) {
            std::fprintf(stderr, "bench_cli_backup: %s\n", qPrintable(error));
            return 1;
        }
        backup.profiles[std::size_t(p)] = *image;
    }

    double restoreMs = 0, restoreUnverifiedMs = 0, backupMs = 0;
    for (const bool verify : {true, false}) {
        Session session(keyboard, keyMap, verify);
        check(session.connect());
        const double ms = timed([&] {
            for (int p = 1; p <= kProfiles; ++p) {
                check(session.switchProfile(p));
                check(session.writeProfile(backup.profiles[std::size_t(p - 1)], p));
            }
            check(session.switchProfile(1));
        });
        (verify ? restoreMs : restoreUnverifiedMs) = ms;
        if (verify) {
            backupMs = timed([&] {
                for (int p = 1; p <= kProfiles; ++p) {
                    check(session.switchProfile(p));
                    check(session.readProfile(backup.profiles[std::size_t(p - 1)]));
                }
                check(session.switchProfile(1));
            });
        }
    }

    Hid_Thread link(keyboard);
    link.enumerateDevices(readDeviceDescriptors());
    link.startListener();
    const double bareRestoreMs = timed([&] { for (int p = 0; p < kProfiles; ++p) bareWrite(link, p, true); });
    const double bareUnverifiedMs = timed([&] { for (int p = 0; p < kProfiles; ++p) bareWrite(link, p, false); });
    const double bareBackupMs = timed([&] { for (int p = 0; p < kProfiles; ++p) bareRead(link, p); });
    link.stopListener();

    const double minimumRestoreMs = kProfiles * kProfileWriteMs;
    std::printf("full restore, verified:     %8.0f ms  %.3f x protocol minimum (%.0f ms)  %.3f x bare link (%.0f ms)\n",
                restoreMs, restoreMs / minimumRestoreMs, minimumRestoreMs, restoreMs / bareRestoreMs, bareRestoreMs);
    std::printf("full restore, --no-verify:  %8.0f ms  %.3f x protocol minimum (%.0f ms)  %.3f x bare link (%.0f ms)\n",
                restoreUnverifiedMs, restoreUnverifiedMs / minimumRestoreMs, minimumRestoreMs,
                restoreUnverifiedMs / bareUnverifiedMs, bareUnverifiedMs);
    std::printf("full backup:                %8.0f ms  (protocol minimum: no fixed pauses)  %.3f x bare link (%.0f ms)\n",
                backupMs, backupMs / bareBackupMs, bareBackupMs);
    return 0;
}
