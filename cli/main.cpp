// SPDX-License-Identifier: GPL-3.0-or-later
// tarvenix-cli: scripts the keyboard from the command line, on the application's libraries.
#include "CliApp.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

bool verbose = false;

// The device link's own debug lines ("cmd Failed", "Device removed") only with --verbose: the
// command says what went wrong in one line of its own.
void messages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg || verbose)
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    verbose = arguments.contains(QStringLiteral("--verbose"));
    qInstallMessageHandler(messages);
    CliApp cli(QCoreApplication::applicationDirPath(), QProcessEnvironment::systemEnvironment());
    return int(cli.run(arguments));
}
