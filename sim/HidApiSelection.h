// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HidApi.h"
#include "SimulatedKeyboard.h"

#include <QProcessEnvironment>
#include <QString>

// What a simulated keyboard takes from the environment:
//   TARVENIX_SIM_RELEASE  its release number, "0x3200" or decimal (US 0x33xx, UK 0x32xx);
//                         unset or not a 16-bit number: the build's default
//   TARVENIX_SIM_STATE    its state file; unset: "$XDG_RUNTIME_DIR/tarvenix/simulated-keyboard.state",
//                         and with no XDG_RUNTIME_DIR either, the state lives in memory only
//   TARVENIX_SIM_RECORD   a file that gets a line per report received; unset: none
//   TARVENIX_SIM_KEYS     a named pipe through which tests type on the keyboard's keyboard
//                         interface, a line "down 04" or "up 04" per key (SimulatedTyping.h);
//                         unset: nothing is typed
//   TARVENIX_SIM_FAULTS   misbehaviour from the start, comma-separated: "STEP:FAULT[:N]" strikes
//                         the N-th call (default 1) of STEP (open, send-feature, get-feature,
//                         write, read, event-read) with FAULT (fail, unplug, short, garbled,
//                         silent); "discard:CC" makes the keyboard acknowledge and then throw
//                         away the payload of bulk set command CC (hex, e.g. 0d: the key
//                         matrix). Items it cannot read are logged and left out.
struct SimulationSetup
{
    struct InjectedFault
    {
        SimulatedKeyboard::Step step;
        SimulatedKeyboard::Fault fault;
        int occurrence;
    };

    unsigned short release = 0;
    QString statePath;      // empty: in memory only
    QString recordPath;     // empty: no record
    QString keysPath;       // empty: no typing
    QList<InjectedFault> faults;
    QList<unsigned char> discarded;
};

SimulationSetup simulationSetup(const QProcessEnvironment &environment, unsigned short defaultRelease);

// The seam the programs talk through: when the environment variable TARVENIX_DEVICE is
// "simulated", one simulated keyboard for the process, set up from the environment as above
// (release `defaultRelease` unless TARVENIX_SIM_RELEASE says otherwise: US 0x3300, UK 0x3200),
// starting from its state file and keeping it up to date; the system's hidapi otherwise.
HidApi &selectHidApi(unsigned short defaultRelease);

// True when TARVENIX_DEVICE is "simulated".
bool keyboardSimulated();

// Another simulated keyboard is plugged in: the process's simulated keyboard comes back, under
// new paths, with the release number that TARVENIX_SIM_RELEASE names now (the program may have
// changed it). Nothing before selectHidApi has made the simulated keyboard.
void replugSimulatedKeyboard();
