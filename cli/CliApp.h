// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandLine.h"
#include "ExitCode.h"
#include "KeyboardSession.h"

#include <QProcessEnvironment>
#include <QString>
#include <QTextStream>

#include <memory>
#include <optional>

class HidApi;
class KeyMap;

// tarvenix-cli's commands: one run() per process. Each command checks its arguments and values
// first (a refused value sends nothing), then takes the keyboard's lock, finds the keyboard,
// its layout and the installation, opens the installation gate and talks to the keyboard.
// Results go to standard output, one line per failure to standard error.
class CliApp
{
public:
    // `binDir`: the folder of the executable, where the installation is looked for.
    CliApp(const QString &binDir, const QProcessEnvironment &environment);
    ~CliApp();

    ExitCode run(const QStringList &arguments);

    static QString helpText();

private:
    using Outcome = KeyboardSession::Outcome;

    struct Command
    {
        const char *name;
        const char *synopsis;
        const char *summary;
        int minArguments;
        int maxArguments;
        Outcome (CliApp::*run)(const QStringList &arguments);
    };
    static const Command kCommands[];

    Outcome list(const QStringList &arguments);
    Outcome get(const QStringList &arguments);
    Outcome set(const QStringList &arguments);
    Outcome apply(const QStringList &arguments);
    Outcome dump(const QStringList &arguments);
    Outcome macro(const QStringList &arguments);
    Outcome backup(const QStringList &arguments);
    Outcome restore(const QStringList &arguments);

    // The setting the arguments name and its values (only the selector for get); refuses an
    // unknown name or a bad value before anything is sent.
    Outcome settingOf(const QStringList &arguments, bool selectorOnly, const SettingTable::Setting *&setting,
                      SettingTable::Values &values);
    // Lock, device, layout, installation, gate, key map and session, in that order.
    Outcome openKeyboard();
    HidApi &hidApi();
    // Runs `body` on `profile` made current, then makes the profile that was current current
    // again (also when `body` fails, unless the keyboard stopped answering).
    Outcome onProfile(int profile, int current, const std::function<Outcome()> &body);

    const QString m_binDir;
    const QProcessEnvironment m_environment;
    CommandLine m_line;
    QTextStream m_out;
    QString m_dataDir;
    std::unique_ptr<HidApi> m_trace;
    std::unique_ptr<class DeviceLock> m_lock;
    std::unique_ptr<KeyMap> m_keyMap;
    std::unique_ptr<KeyboardSession> m_session;
};
