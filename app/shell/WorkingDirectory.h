// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The directory from which every relative path of the application is resolved.
//
// The application runs from its installation directory when a file or directory named
// "PermissionCompatibility" lies there (runInPlace). Otherwise it runs from a per-user copy of
// the installation's "modules" tree: target = base + relative + "/modules", where base is the
// user's data folder (the toolkit's local application-data location without its last
// component; ~/.local/share on Linux) and relative is the application directory with the
// program-files directory (environment variable PROGRAMFILES, unset on Linux) removed. The first
// start copies the tree there; the copied files are the owner's to read and write, also from a
// read-only installation. Later starts use the copy as it is, unless the installation's data is
// newer (its "data_version.ini" holds a higher "data/version" than the copy's; none counts as
// 0): then what ships with the program, the folders img/, i18n/ and media/ and the key map
// setting/keymap.bin, is replaced from the installation, and what belongs to the user (profiles,
// the configuration, macros) stays.
//
// A copy is made beside the target and renamed into place only when it is complete, so that an
// interrupted or failed copy leaves no target behind: the next start tries again, and this one
// runs from the application directory. An installation without a "modules" tree is not copied.
//
// Main thread, before the event loop; these functions change the process's working directory.
namespace WorkingDirectory {

// What the choice depends on, gathered from the system by systemEnvironment() and given by
// tests directly.
struct Environment {
    QString applicationDir;   // the executable's directory, '/' separators
    QString programFiles;     // value of PROGRAMFILES, empty when unset
    QString dataLocation;     // the per-user data location before its last component is cut
};

Environment systemEnvironment();

// The marker rule: a file or directory named PermissionCompatibility in applicationDir.
bool runInPlace(const QString &applicationDir);

// Where the per-user copy of the modules tree lives (the target above).
QString userModulesPath(const Environment &environment);

// Start-up's choice, in order: the application directory becomes the working directory; unless
// runInPlace, prepareWorkingDirectory. Returns the resulting working directory.
QString chooseWorkingDirectory(const Environment &environment);

// Copies the installation's modules tree to the per-user location unless a directory is there
// already, refreshes an existing copy's shipped data from a newer installation, and makes the
// directory holding the per-user tree the working directory. When there is no per-user tree
// afterwards the working directory is left as it was.
void prepareWorkingDirectory(const Environment &environment);

// Recursive copy of the files and directories that are neither hidden nor system entries;
// creates `to` with its missing parents. With overwrite, an existing file of the same name is
// replaced; without, copying onto an existing file fails. Copied files get the owner's read and
// write permission; folders are made anew, with the process's default permissions. True when
// everything was copied; stops at the first failure.
bool copyDirectory(const QString &from, const QString &to, bool overwrite);

// Total size in bytes of the plain files below path, hidden and system entries not counted.
qint64 directorySize(const QString &path);

} // namespace WorkingDirectory
