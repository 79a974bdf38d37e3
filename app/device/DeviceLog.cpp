// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceLog.h"

Q_LOGGING_CATEGORY(lcDevice, "tarvenix.device", QtInfoMsg)
