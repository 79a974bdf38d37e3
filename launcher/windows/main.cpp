// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher on Windows, installed as Tarvenix.exe beside US\ and UK\. "Tarvenix /kill" ends
// a running launcher and starts nothing.
#include "LauncherCore.h"
#include "WindowsLauncherPlatform.h"
#include "resource.h"

#include <windows.h>

namespace {

constexpr int kMaxLoadString = 100;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int)
{
    char windowClass[kMaxLoadString] = "TARVENIX";
    LoadStringA(instance, IDC_TARVENIX, windowClass, kMaxLoadString);

    WindowsLauncherPlatform platform(instance, windowClass);
    LauncherCore core(platform);
    platform.deliverTo(core);
    platform.registerWindowClass();   // if this fails, so does the window, and the launcher ends
    if (!core.begin(LauncherCore::isKillCommand(commandTail ? commandTail : "")))
        return 0;

    const HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDC_TARVENIX));
    MSG message = {};
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        if (!TranslateAcceleratorA(platform.window(), accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return got == 0 ? int(message.wParam) : 0;
}
