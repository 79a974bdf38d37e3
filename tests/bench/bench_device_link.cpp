// SPDX-License-Identifier: GPL-3.0-or-later
// Device-link figures against the simulated keyboard with prompt acknowledgements:
//  - how long a set command keeps its caller (the user interface) waiting;
//  - how long a 512-byte set transfer holds the link, as a ratio to the protocol's own minimum
//    (one feature report, eight 8 ms pauses, two 64 ms acknowledgement waits), with the cost of
//    a feature report measured in the same run.
#include "DeviceDescriptor.h"
#include "Hid_Thread.h"
#include "InstallationFlags.h"
#include "SimulatedKeyboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void waitIdle(const Hid_Thread &hid)
{
    while (!hid.isReady())
        QThread::usleep(100);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    imagesVerified = true;
    langVerified = true;
    SimulatedKeyboard keyboard;
    Hid_Thread hid(keyboard);
    hid.enumerateDevices(readDeviceDescriptors());
    hid.startListener();

    std::vector<double> returns;
    QElapsedTimer timer;
    for (int i = 0; i < 300; ++i) {
        timer.start();
        hid.hid_02H_SetCurrentProfile(uchar(i % 10));
        returns.push_back(double(timer.nsecsElapsed()) / 1e6);
        waitIdle(hid);
    }

    // The reference: what one feature report to this keyboard costs, plus the fixed pauses.
    std::vector<double> reports;
    const unsigned char frame[9] = {0x00, 0x02, 0x00, 0, 0, 0, 0, 0, 0xFD};
    hid_device *device = keyboard.hid_open_path(keyboard.commandPath().toLatin1().constData());
    for (int i = 0; i < 300; ++i) {
        timer.start();
        keyboard.hid_send_feature_report(device, frame, sizeof frame);
        reports.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    keyboard.hid_close(device);
    const double minimum = median(reports) + 8 * 8.0 + 2 * 64.0;

    std::vector<double> transfers;
    unsigned char picture[512] = {};
    for (int i = 0; i < 15; ++i) {
        timer.start();
        hid.hid_12H_SetUserPicture(uchar(i % 5), 0, picture);
        waitIdle(hid);
        transfers.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    hid.stopListener();

    const double setReturn = median(returns);
    const double transfer = median(transfers);
    std::printf("set command, back to the caller: median %.4f ms (budget < 0.2 ms)\n", setReturn);
    std::printf("512-byte set transfer: median %.2f ms; protocol minimum %.2f ms; ratio %.3f (budget <= 1.05)\n",
                transfer, minimum, transfer / minimum);
    std::printf("protocol violations seen by the keyboard: %d\n", int(keyboard.violations().size()));
    return 0;
}
