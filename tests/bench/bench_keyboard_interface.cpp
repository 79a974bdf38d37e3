// SPDX-License-Identifier: GPL-3.0-or-later
// How long a key report of the keyboard's own keyboard interface takes to reach the scene's
// "detectKeyboard": from the moment the (simulated) keyboard sends the report to the call on the
// main window's sink, through the interface reader, its thread hand-off and the key hook.
#include "KeyHook.h"
#include "KeyLatencySink.h"
#include "KeyboardInterfaceReader.h"
#include "SimulatedKeyboard.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SimulatedKeyboard keyboard;
    KeyLatencySink sink;
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

    if (sink.latencies.size() != size_t(2 * presses))
        std::fprintf(stderr, "%zu of %d key changes arrived\n", sink.latencies.size(), 2 * presses);
    if (!sink.print("keyboard interface report"))
        return 1;
    return 0;
}
