// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

namespace {

Failure usage(const QString &message)
{
    return {ExitCode::Usage, message + QStringLiteral(" (see tarvenix-cli --help)")};
}

} // namespace

std::variant<CommandLine, Failure> CommandLine::parse(const QStringList &arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1String("--")) ) {
            if (argument == QLatin1String("-h") && !optionsEnded)
                line.help = true;
            else
                line.arguments << argument;
            continue;
        }
        const int equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.left(equals);
        const bool hasValue = equals >= 0;
        // The value of an option that takes one: after '=' or as the next argument.
        auto value = [&]() -> std::optional<QString> {
            if (hasValue)
                return argument.mid(equals + 1);
            if (i + 1 < arguments.size())
                return arguments.at(++i);
            return std::nullopt;
        };
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--help")) {
            line.help = true;
        } else if (argument == QLatin1String("--json")) {
            line.json = true;
        } else if (argument == QLatin1String("--verbose")) {
            line.verbose = true;
        } else if (argument == QLatin1String("--no-verify")) {
            line.verify = false;
        } else if (name == QLatin1String("--wait")) {
            line.waitSeconds = kDefaultWaitSeconds;
            if (hasValue) {
                bool ok = false;
                line.waitSeconds = argument.mid(equals + 1).toInt(&ok);
                if (!ok || line.waitSeconds < 0)
                    return usage(QStringLiteral("--wait=SECONDS takes a number of seconds"));
            }
        } else if (name == QLatin1String("--device")) {
            const std::optional<QString> device = value();
            if (device != QStringLiteral("simulated"))
                return usage(QStringLiteral("--device takes \"simulated\""));
            line.simulated = true;
        } else if (name == QLatin1String("--layout")) {
            const std::optional<QString> layout = value();
            if (layout != QStringLiteral("US") && layout != QStringLiteral("UK"))
                return usage(QStringLiteral("--layout takes US or UK"));
            line.layout = *layout;
        } else if (name == QLatin1String("--profile")) {
            const std::optional<QString> profile = value();
            bool ok = false;
            const int number = profile ? profile->toInt(&ok) : 0;
            if (!ok || number < 1 || number > 10)
                return Failure{ExitCode::BadValue, QStringLiteral("--profile takes a profile 1..10")};
            line.profile = number;
        } else {
            return usage(QStringLiteral("unknown option %1").arg(argument));
        }
    }
    return line;
}
