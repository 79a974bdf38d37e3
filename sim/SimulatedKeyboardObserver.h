// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimulatedKeyboard.h"

#include <QByteArray>

// Told what the simulated keyboard receives and when its state has changed. Called from
// whichever thread talks to the keyboard, with the keyboard's lock held, in the order things
// happen: an observer is quick and never calls back into the keyboard.
class SimulatedKeyboardObserver
{
public:
    enum class Report { Feature, Output };

    virtual ~SimulatedKeyboardObserver() = default;

    // Every feature and output report the host sent, as sent (report ID first), including
    // those the keyboard refused.
    virtual void reportReceived(Report kind, const QByteArray &report) = 0;
    // After every set command the keyboard has carried out (a bulk set once its payload is
    // complete), and after the keyboard switched its own mode.
    virtual void stateChanged(const SimulatedKeyboard::State &state) = 0;
};
