// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The questions the bridge asks the user: which file to open or save, and the acknowledgement
// of a warning. The application answers them with the toolkit's dialogs (StandardDialogs);
// tests answer them without a window. Every call is modal and returns on the GUI thread.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // The chosen file's path, or an empty text when the user cancels. `folder` is where the
    // dialog starts; `filter` is in the toolkit's form, e.g. "Profile(*.pf)".
    virtual QString openFile(const QString &caption, const QString &folder, const QString &filter) = 0;
    virtual QString saveFile(const QString &caption, const QString &folder, const QString &filter) = 0;
    // A warning box with the single button OK; returns when the user has closed it.
    virtual void warn(const QString &title, const QString &text) = 0;
};
