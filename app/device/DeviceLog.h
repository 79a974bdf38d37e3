// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// The device library's logging category, "tarvenix.device": its own lines beyond the system's
// fixed debug texts. Its debug lines are off unless enabled explicitly
// (QT_LOGGING_RULES="tarvenix.device.debug=true"); key usages are only ever written at debug
// level, so nothing the user types reaches a log by default.
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
