// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A keyboard layout as the launcher counts it, and as the settings file stores it ("KB_Lang").
enum class Layout { None = 0, US = 1, UK = 2 };
