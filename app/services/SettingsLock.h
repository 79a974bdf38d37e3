// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The settings layer takes "<file>.lock" while it writes a settings file. A process killed in
// that moment leaves the lock behind: one that names its (dead) owner the settings layer clears
// by itself, but one killed before it could write its owner stays empty, and the next write of
// the file then waits, on the GUI thread, until the lock is 30 s old.
namespace SettingsLock {

// Removes the lock of `settingsFile` when it names no owner, and returns `settingsFile`; call
// it before opening a settings object that will write. The application is the only writer of
// its files (one instance), and it never holds a lock between two calls of its own, so an
// ownerless lock found here is always a dead one.
QString withoutOwnerlessLock(const QString &settingsFile);

} // namespace SettingsLock
