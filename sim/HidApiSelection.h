// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HidApi.h"

// The seam the application talks through: a simulated keyboard with the given release number
// (US 0x3300, UK 0x3200) when the environment variable TARVENIX_DEVICE is "simulated", the
// system's hidapi otherwise. The simulated keyboard lives as long as the process.
HidApi &selectHidApi(unsigned short simulatedRelease);
