// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// An environment of exactly the given "NAME=value" variables, for the tests of what the
// programs take from theirs.
inline QProcessEnvironment environmentOf(const QStringList &variables)
{
    QProcessEnvironment environment;
    for (const QString &variable : variables)
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    return environment;
}
