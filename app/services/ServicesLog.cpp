// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServicesLog.h"

Q_LOGGING_CATEGORY(lcServices, "tarvenix.services", QtInfoMsg)
