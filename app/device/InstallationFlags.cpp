// SPDX-License-Identifier: GPL-3.0-or-later
#include "InstallationFlags.h"

std::atomic<bool> imagesVerified{false};
std::atomic<bool> langVerified{false};
