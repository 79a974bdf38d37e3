// SPDX-License-Identifier: GPL-3.0-or-later
// How long a key press anywhere on the desktop takes to reach the scene's "detectKeyboard":
// from the moment the X server is told of the key (XTEST, as a keyboard would) to the call on
// the main window's sink, through the same global observer and key tables as the application.
// Needs the X server named by DISPLAY.
#include "InputHook.h"
#include "KeyEventSink.h"
#include "KeyHook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

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
    Display *keyboard = XOpenDisplay(nullptr);
    if (!keyboard) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    LatencySink sink;
    KeyHook hook(KeyMap::Layout::US, &sink);
    InputHook observer(hook);
    if (!observer.installHOOK())
        return 1;

    const KeyCode a = XKeysymToKeycode(keyboard, 'a');
    constexpr int presses = 200;
    int sent = 0;
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&] {
        if (sent == 2 * presses) {
            app.quit();
            return;
        }
        sink.sent.start();
        XTestFakeKeyEvent(keyboard, a, sent % 2 == 0, CurrentTime);
        XFlush(keyboard);
        ++sent;
    });
    typist.start(10);
    app.exec();

    std::sort(sink.latencies.begin(), sink.latencies.end());
    if (sink.latencies.empty())
        return 1;
    std::printf("key press to detectKeyboard: median %.3f ms, 95th percentile %.3f ms over %zu events (budget < 5 ms)\n",
                sink.latencies[sink.latencies.size() / 2], sink.latencies[sink.latencies.size() * 95 / 100],
                sink.latencies.size());
    XCloseDisplay(keyboard);
    return 0;
}
