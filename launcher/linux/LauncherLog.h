// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// The launcher's logging category, "tarvenix.launcher": what it found, started and closed, at
// debug level (off unless enabled with QT_LOGGING_RULES="tarvenix.launcher.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcLauncher)
