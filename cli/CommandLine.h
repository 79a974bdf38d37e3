// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExitCode.h"

#include <QStringList>

#include <optional>
#include <variant>

// tarvenix-cli's options and arguments, parsed; nothing is checked against the keyboard here.
struct CommandLine
{
    static constexpr int kDefaultWaitSeconds = 30;

    bool help = false;
    bool simulated = false;        // --device simulated
    QString layout;                // --layout US|UK, empty: from the keyboard
    bool json = false;
    bool verbose = false;
    bool verify = true;            // --no-verify: false
    int waitSeconds = 0;           // --wait[=SECONDS]: how long to wait for the keyboard's lock
    std::optional<int> profile;    // --profile N (apply)
    QStringList arguments;         // the command and its arguments

    // `arguments` without the program name. Options may stand anywhere; "--" ends them.
    static std::variant<CommandLine, Failure> parse(const QStringList &arguments);
};
