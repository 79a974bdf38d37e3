// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// The simulated keyboard's logging category, "tarvenix.sim": trouble with its state and record
// files, at info level.
Q_DECLARE_LOGGING_CATEGORY(lcSim)
