// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExitCode.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

// Where tarvenix-cli finds the installation it belongs to, and its installation gate.
//
// The layout build's folder L ("US" or "UK", holding Tarvenix and its modules/ tree) is the
// first of these that holds a modules/ folder, where <bin> is the folder of tarvenix-cli's own
// executable (symbolic links resolved):
//   $TARVENIX_INSTALLATION/L      when that variable is set, and then only there
//   <bin>/L                       the build tree (build/US beside build/tarvenix-cli), or an
//                                 installation that keeps everything in one folder
//   <bin>/../libexec/tarvenix/L   an installation with tarvenix-cli on the PATH
//   <bin>/../lib/tarvenix/L
// The data tree is then the one the application of that build works on, chosen by the
// application's own rule: L itself when the marker PermissionCompatibility lies in it, else
// the per-user copy of L/modules when the application has made one, else L/modules as
// installed. Nothing is copied or changed: tarvenix-cli only reads the data tree.
namespace Installation {

QStringList candidates(const QString &binDir, const QString &layout, const QProcessEnvironment &environment);

// The first candidate holding modules/; empty when none does.
QString findLayoutBuild(const QString &binDir, const QString &layout, const QProcessEnvironment &environment);

// The folder whose modules/ the application of `layoutBuild` works on. `dataLocation` is the
// per-user data location as the toolkit names it (before its last component is cut).
QString dataDirectory(const QString &layoutBuild, const QString &dataLocation, const QString &programFiles);

// Opens the gate as the application does: the image tree of dataDir/modules/img, and the
// checksum of the language file the application starts with (English, 031225). Sets the
// process-wide flags; a failure names what is wrong.
std::optional<Failure> openGate(const QString &dataDir);

} // namespace Installation
