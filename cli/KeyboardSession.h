// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExitCode.h"
#include "Hid_Thread.h"
#include "ProfileImage.h"
#include "SettingTable.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class HidApi;
class KeyMap;

// tarvenix-cli's keyboard: the application's device link on one keyboard, with what the
// application's pages do on top of it (key map permutations, the lighting page's command
// order) and what the command line needs beyond that: each command's success, read-back
// verification and errors that say who is at fault.
//
// The device link's commands tell nobody whether they went through; this class asks the link
// after every command and turns a failure into "the keyboard did not answer". Main thread.
class KeyboardSession
{
public:
    using Outcome = std::optional<Failure>;   // nothing: success

    struct Keyboard
    {
        QString commandPath;
        unsigned short release = 0;
    };

    // The keyboards present (their command interfaces), found by the descriptor's IDs.
    static QList<Keyboard> enumerate(HidApi &api);
    // "US" or "UK" for a release number (0x33xx, 0x32xx); empty for any other.
    static QString layoutOf(unsigned short release);

    KeyboardSession(HidApi &api, const KeyMap &keyMap, bool verify);

    // Finds the keyboard as the application does and makes sure it can be opened: no keyboard,
    // no access (the udev hint) or no answer otherwise. Starts the acknowledgement listener.
    Outcome connect();
    QString firmwareVersion();

    // Reads the setting's values (selector first); refuses a setting without a get.
    Outcome readSetting(const SettingTable::Setting &setting, const SettingTable::Values &selector,
                        SettingTable::Values &values);
    // Sends the values; with verification reads them back and compares.
    Outcome writeSetting(const SettingTable::Setting &setting, const SettingTable::Values &values);

    // Profiles 1..10.
    Outcome currentProfile(int &profile);
    Outcome switchProfile(int profile);
    // The current profile's key matrix, user pictures and lighting mode.
    Outcome readProfile(ProfileImage &image);
    // Sends them to the current profile, in the application's order (key matrix, pictures 0..4,
    // lighting mode) and verifies them; `profile` names it in messages.
    Outcome writeProfile(const ProfileImage &image, int profile);
    Outcome sendMacro(int slot, const QByteArray &slotImage);

private:
    // Runs one command of the link and turns its failure into "did not answer".
    Outcome run(const char *what, const std::function<void()> &command);

    HidApi &m_api;
    const KeyMap &m_keyMap;
    const bool m_verify;
    Hid_Thread m_link;
};
