// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What tarvenix-cli's exit code says. The numbers are part of its interface (scripts test
// them); --help and the man page list them from kExitCodes.
enum class ExitCode {
    Ok = 0,
    Usage = 2,            // unknown command or option, missing or extra argument
    BadValue = 3,         // a value outside its range: nothing was sent
    BadFile = 4,          // a profile, backup or macro file that cannot be read or written
    NoKeyboard = 5,       // no keyboard found
    NoAccess = 6,         // the keyboard is there, but this user may not open it
    NoAnswer = 7,         // the keyboard did not answer, or went away during the command
    VerifyFailed = 8,     // what was read back differs from what was written
    Busy = 9,             // another program talks to the keyboard
    Installation = 10,    // the installation is missing or incomplete (its gate stays shut)
};

struct ExitCodeText
{
    ExitCode code;
    const char *meaning;
};

constexpr ExitCodeText kExitCodes[] = {
    {ExitCode::Ok, "success"},
    {ExitCode::Usage, "usage: unknown command or option, missing or extra argument"},
    {ExitCode::BadValue, "bad value: outside its range, nothing was sent"},
    {ExitCode::BadFile, "bad file: a profile, backup or macro file cannot be read or written"},
    {ExitCode::NoKeyboard, "no keyboard found"},
    {ExitCode::NoAccess, "no access to the keyboard (see the udev rule in the README)"},
    {ExitCode::NoAnswer, "the keyboard did not answer, or went away during the command"},
    {ExitCode::VerifyFailed, "verification failed: what was read back differs from what was written"},
    {ExitCode::Busy, "another program (the Tarvenix application) is using the keyboard"},
    {ExitCode::Installation, "the installation is missing or incomplete (image tree or language checksum)"},
};

// Why a command stopped: the exit code and the one line for standard error.
struct Failure
{
    ExitCode code;
    QString message;
};
