// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// The shell library's logging category, "tarvenix.shell": its own lines beyond the system's fixed
// debug texts, at debug level.
Q_DECLARE_LOGGING_CATEGORY(lcShell)
