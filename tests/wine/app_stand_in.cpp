// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the configuration application when the Windows launcher is tried under Wine:
// a window with the application's title, which the launcher finds and may close. It appends
// "started" and "closed" to events.txt beside its executable.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

char eventsPath[MAX_PATH];

void note(const char *event)
{
    if (FILE *events = std::fopen(eventsPath, "a")) {
        std::fprintf(events, "%s\n", event);
        std::fclose(events);
    }
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        note("closed");
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const DWORD length = GetModuleFileNameA(nullptr, eventsPath, MAX_PATH);
    char *name = length > 0 && length < MAX_PATH ? std::strrchr(eventsPath, '\\') : nullptr;
    if (!name || (name - eventsPath) + sizeof("\\events.txt") > MAX_PATH)
        return 1;
    std::strcpy(name, "\\events.txt");

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TarvenixStandIn";
    RegisterClassA(&windowClass);
    if (!CreateWindowA("TarvenixStandIn", "Norvane KALVOR Keyboard 4200", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                       CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr))
        return 1;
    note("started");

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
