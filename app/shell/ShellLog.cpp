// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellLog.h"

Q_LOGGING_CATEGORY(lcShell, "tarvenix.shell", QtInfoMsg)
