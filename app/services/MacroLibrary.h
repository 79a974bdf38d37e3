// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

// The macro library: one INI file per macro, "<base>/modules/macro/<name>.bin".
//
//   config/index   keyboard macro slot the macro is bound to, -1 = not bound
//   config/total   number of steps
//   config/repeat  the macro page's macro type, kept for the scene
//   macro/<i>      step i in its text form (MacroEncoder), i = 0 .. total-1
//
// Each operation opens the file and closes it again; nothing is cached. An operation on a
// name without a file answers false, an empty list or does nothing. So does an operation on a
// name that could reach outside the library (a '/' or '\', "..", a control character, or
// empty): nothing is read or written for it. GUI thread.
class MacroLibrary
{
public:
    explicit MacroLibrary(const QString &baseDir = QStringLiteral("."));

    QString directory() const;
    static bool isValidName(const QString &name);

    // Creates "Macro. 001", "Macro. 002", ... (the first whose file does not exist), empty and
    // unbound, and returns its name; an empty text when the file cannot be written.
    QString create();
    // True when the file existed and is gone. A file that resists is made writable and removed
    // once more; if that fails too its permissions are put back.
    bool remove(const QString &name);
    // The macro files ("<name>.bin") sorted by name ignoring case.
    QStringList fileNames() const;
    // Replaces the steps of an existing macro; never creates one. False when the file is
    // missing or cannot be written; the file and what load() answers then stay as they were.
    // The caller re-sends a bound macro (config()[0] >= 0).
    bool save(const QString &name, const QStringList &steps);
    QStringList load(const QString &name) const;
    // [slot, repeat] as integers (a missing or non-numeric value reads as -1 and 1), or empty.
    QVariantList config(const QString &name) const;
    // Writes config[0] as the slot and config[1] as the repeat value; needs both.
    void setConfig(const QString &name, const QVariantList &config);

private:
    // The file of a valid name that exists as a file; empty otherwise.
    QString existingFile(const QString &name) const;

    QString m_dir;
};
