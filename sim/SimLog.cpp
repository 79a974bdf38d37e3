// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimLog.h"

Q_LOGGING_CATEGORY(lcSim, "tarvenix.sim", QtInfoMsg)
