// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher, installed as Tarvenix beside US/ and UK/: starts the build that matches the
// attached keyboard and keeps it matched. "Tarvenix /kill" (or --kill) ends a running launcher
// and starts nothing. It has no window; TARVENIX_DEVICE=simulated works as for the application.
#include "HidApiSelection.h"
#include "LauncherCore.h"
#include "LinuxLauncherPlatform.h"
#include "SimulatedKeyboard.h"
#include "TerminationSignals.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char *argv[])
{
    // The system reaps the applications we start, so that one that has ended is gone at once
    // instead of lingering as our zombie.
    struct sigaction reap = {};
    reap.sa_handler = SIG_DFL;
    reap.sa_flags = SA_NOCLDWAIT;
    sigaction(SIGCHLD, &reap, nullptr);

    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const bool kill = arguments.size() == 1
        && (LauncherCore::isKillCommand(arguments.first().toStdString()) || arguments.first() == QLatin1String("--kill"));

    LinuxLauncherPlatform platform(selectHidApi(SimulatedKeyboard::kReleaseUS));
    LauncherCore core(platform);
    platform.deliverTo(core);
    // A later launcher ends this one with SIGTERM.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, &QCoreApplication::quit);
    termination.start();

    if (!core.begin(kill))
        return 0;
    return app.exec();
}
