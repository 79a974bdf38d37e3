// SPDX-License-Identifier: GPL-3.0-or-later
// How long a key report of the keyboard's own keyboard interface takes to reach the scene's
// "detectKeyboard": from the moment the (simulated) keyboard sends the report to the call on the
// main window's sink, through the interface reader, its thread hand-off and the key hook.
#include "KeyEventSink.h"
#include "KeyHook.h"
#include "KeyboardInterfaceReader.h"
#include "SimulatedKeyboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kBudgetMs = 5.0;

class LatencySink final : public KeyEventSink
{
public:
    QElapsedTimer sent;
    std::vector<double> latencies;

    void detectKeyboard(bool, int) override { latencies.push_back(double(sent.nsecsElapsed()) / 1e6); }
    void detectMouse(bool, uint, uint, uint) override {}
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SimulatedKeyboard keyboard;
    LatencySink sink;
    KeyHook hook(KeyMap::Layout::US, &sink);
    KeyboardInterfaceReader reader(keyboard);
    QObject::connect(&reader, &KeyboardInterfaceReader::keyChanged,
                     [&hook](bool isDown, int usage) { hook.keyUsage(isDown, uchar(usage)); });
    reader.follow(keyboard.keyboardPath());
    if (!reader.isReading())
        return 1;

    constexpr int presses = 200;
    int sent = 0;
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&] {
        if (sent == 2 * presses) {
            app.quit();
            return;
        }
        sink.sent.start();
        if (sent++ % 2 == 0)
            keyboard.pressKey(0x04);
        else
            keyboard.releaseKey(0x04);
    });
    typist.start(10);
    app.exec();

    std::vector<double> latencies = sink.latencies;
    if (latencies.size() != size_t(2 * presses)) {
        std::fprintf(stderr, "%zu of %d key changes arrived\n", latencies.size(), 2 * presses);
        return 1;
    }
    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[latencies.size() / 2];
    const double p99 = latencies[latencies.size() * 99 / 100];
    std::printf("keyboard interface to detectKeyboard: median %.3f ms, 99th percentile %.3f ms "
                "(budget %.1f ms: %.2f x)\n", median, p99, kBudgetMs, median / kBudgetMs);
    return 0;
}
