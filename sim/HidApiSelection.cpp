// SPDX-License-Identifier: GPL-3.0-or-later
#include "HidApiSelection.h"

#include "SimulatedKeyboard.h"

#include <QByteArray>

HidApi &selectHidApi(unsigned short simulatedRelease)
{
    if (qgetenv("TARVENIX_DEVICE") != "simulated")
        return HidApi::system();
    static SimulatedKeyboard keyboard(simulatedRelease);
    // A real keyboard takes a moment to acknowledge.
    keyboard.setAckDelay(2);
    return keyboard;
}
