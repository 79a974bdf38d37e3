// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LauncherPlatform.h"

#include <windows.h>

class LauncherCore;

// The launcher on Windows: one window that is never shown, whose message loop brings the
// timers, the device-interface arrivals and the close request of a later launcher. Plain
// Win32 with ANSI functions and fixed buffers of MAX_PATH; a path that does not fit is
// rejected, never cut.
//
// The configuration application is found by its window title and recognised by its process
// image; it is closed with WM_CLOSE and started through the shell from the launcher's
// directory. The layout used last is kept in %APPDATA%\Norvane\Norvane Keyboard 4200\config.ini.
//
// Window thread only.
class WindowsLauncherPlatform final : public LauncherPlatform
{
public:
    WindowsLauncherPlatform(HINSTANCE instance, const char *windowClass);
    ~WindowsLauncherPlatform() override;

    // Registers the launcher's window class, before takeOver.
    void registerWindowClass();
    // Where timers and arrivals go once the window exists.
    void deliverTo(LauncherCore &core) { m_core = &core; }
    HWND window() const { return m_window; }

    void endEarlierLauncher() override;
    bool takeOver() override;
    void prepare() override;
    void watchArrivals() override;
    std::optional<unsigned short> keyboardRelease() override;
    const BuildNames &builds() const override;
    AppLookup findApp() override;
    void closeApp() override;
    void startApp(Layout layout) override;
    std::string readSetting(const char *section, const char *key) override;
    void writeSetting(const char *section, const char *key, const char *value) override;
    void startTimer(LauncherTimer timer, int intervalMs) override;
    void stopTimer(LauncherTimer timer) override;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK aboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void prepareSettingsFolder();

    HINSTANCE m_instance;
    const char *m_windowClass;
    HWND m_window = nullptr;
    HDEVNOTIFY m_notification = nullptr;
    LauncherCore *m_core = nullptr;
    char m_configPath[MAX_PATH] = {};   // empty: no settings folder
};
