// SPDX-License-Identifier: GPL-3.0-or-later
// Starts like the application: exits with code 1 when another process of this executable holds
// the instance, otherwise prints "primary" and keeps the instance until a line arrives on its
// standard input or the input closes, then exits with code 0.
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SingleInstance instance(QCoreApplication::applicationFilePath());
    if (!instance.acquire())
        return 1;

    std::printf("primary\n");
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    return app.exec();
}
