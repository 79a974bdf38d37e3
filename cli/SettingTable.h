// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>
#include <vector>

class Hid_Thread;

// The keyboard's single-value settings as tarvenix-cli names them: for each, the values it
// takes (name, range, how it is spelled), the set command that writes it and the get command
// that reads it back. `get NAME [SELECTOR]` prints the values in the form `set NAME` takes.
//
// Values travel as integers, selector first (the colour's index), then the fields; a profile
// is 1..10 here and 0..9 on the wire. Every value is checked against its range before
// anything is sent.
class SettingTable
{
public:
    using Values = QVector<int>;

    enum class Spelling {
        Number,   // decimal, or hexadecimal with 0x
        Effect,   // a lighting effect's name or id (kEffects)
        OnOff,    // on / off, or 1 / 0
    };

    struct Field
    {
        const char *name;
        int min;
        int max;
        Spelling spelling = Spelling::Number;
    };

    struct Setting
    {
        const char *name;
        const char *summary;
        std::vector<Field> selector;   // given to get as well (colour index)
        std::vector<Field> fields;
        // Sends the values (selector first) with the set command.
        void (*send)(Hid_Thread &link, const Values &values);
        // Reads the values back (selector first, as given) with the get command; null for a
        // setting the keyboard cannot tell.
        Values (*read)(Hid_Thread &link, const Values &selector);
    };

    struct Effect
    {
        const char *name;
        int id;
    };
    // The lighting modes the keyboard has: nine effects and the five user pictures.
    static const std::vector<Effect> &effects();

    static const std::vector<Setting> &settings();
    static const Setting *find(const QString &name);

    // The texts as values of the selector and fields of `setting` (get passes the selector
    // only); nothing, and why in `error`, when a value is missing, extra, misspelt or outside
    // its range.
    static std::optional<Values> parse(const Setting &setting, const QStringList &texts, bool selectorOnly,
                                       QString &error);
    static std::optional<int> parseValue(const Field &field, const QString &text, QString &error);
    static QString formatValue(const Field &field, int value);
    // Every field of the setting, selector first.
    static std::vector<Field> allFields(const Setting &setting);

    // The list for --help: one line per setting with its values and ranges.
    static QString help();
};
