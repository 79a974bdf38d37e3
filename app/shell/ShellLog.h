// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// The shell library's logging category, "tarvenix.shell": its own lines beyond the system's
// fixed debug texts. Its debug lines are off unless enabled explicitly
// (QT_LOGGING_RULES="tarvenix.shell.debug=true"); key usages, key names and pointer positions
// are only ever written at debug level, so nothing the user types reaches a log by default.
Q_DECLARE_LOGGING_CATEGORY(lcShell)
