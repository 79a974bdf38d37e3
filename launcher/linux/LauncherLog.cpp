// SPDX-License-Identifier: GPL-3.0-or-later
#include "LauncherLog.h"

Q_LOGGING_CATEGORY(lcLauncher, "tarvenix.launcher", QtInfoMsg)
