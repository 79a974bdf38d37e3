// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>

// The installation gate. Both flags start false; start-up sets imagesVerified once after the
// image-tree check and every language load sets langVerified from the language file's
// checksum. While either is false the device link sends nothing to the keyboard.
// Written on the main thread, read by transfer tasks on the thread pool.
extern std::atomic<bool> imagesVerified;
extern std::atomic<bool> langVerified;
