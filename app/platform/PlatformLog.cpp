// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlatformLog.h"

Q_LOGGING_CATEGORY(lcPlatform, "tarvenix.platform", QtInfoMsg)
