// SPDX-License-Identifier: GPL-3.0-or-later
// How long a key press anywhere on the desktop takes to reach the scene's "detectKeyboard":
// from the moment the X server is told of the key (XTEST, as a keyboard would) to the call on
// the main window's sink, through the same global observer and key tables as the application.
// Needs the X server named by DISPLAY.
#include "InputHook.h"
#include "KeyHook.h"
#include "KeyLatencySink.h"

#include <QCoreApplication>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Display *keyboard = XOpenDisplay(nullptr);
    if (!keyboard) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    KeyLatencySink sink;
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

    if (!sink.print("key press"))
        return 1;
    XCloseDisplay(keyboard);
    return 0;
}
