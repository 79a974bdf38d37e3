// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminationSignals.h"

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
}

bool TerminationSignals::start()
{
    return true;
}
