// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimulatedKeyboardObserver.h"

#include <QFile>
#include <QString>

#include <optional>

// The simulated keyboard outside the process: its state file, replaced as a whole after every
// change (the format is SimulatedKeyboardStateText's), and an optional record that gets one
// line per report received, "feature 00 08 ..." or "output 00 ...", lowercase hex bytes
// separated by spaces. A state file's missing folder is created, readable by the owner only.
// Write failures are logged once each time writing starts failing; the keyboard goes on.
//
// Observes one keyboard; its calls come serialised by the keyboard's lock.
class SimulatedKeyboardFiles final : public SimulatedKeyboardObserver
{
public:
    // An empty path: no state file (state in memory only), no record.
    SimulatedKeyboardFiles(const QString &statePath, const QString &recordPath);

    // The state stored in the state file; nothing when there is none or it is unreadable, bad
    // or cut short: the keyboard then starts fresh.
    std::optional<SimulatedKeyboard::State> loadState() const;

    void reportReceived(Report kind, const QByteArray &report) override;
    void stateChanged(const SimulatedKeyboard::State &state) override;

private:
    const QString m_statePath;
    QFile m_record;
    bool m_stateFailing = false;
    bool m_recordFailing = false;
};
