// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowsLauncherPlatform.h"

#include "HidKeyboards.h"
#include "LauncherCore.h"
#include "resource.h"

#include <dbt.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr BuildNames kBuilds{"US\\Tarvenix.exe", "UK\\Tarvenix.exe"};
constexpr const char *kLauncherTitle = "Tarvenix Shadow";
// The configuration application's window. Only its title is matched: the toolkit names its
// window classes after its own version, and the process image tells whether it is ours.
constexpr const char *kAppTitle = "Norvane KALVOR Keyboard 4200";
constexpr const char *kSettingsFolders[] = {"Norvane", "Norvane Keyboard 4200"};
constexpr const char *kSettingsFile = "config.ini";
constexpr const char *kDebugFile = "debug.txt";
// How long a window may take to handle WM_CLOSE before it counts as hung.
constexpr UINT kCloseWaitMs = 5000;

// directory + "\" + name into out. False, with out left empty, when the result would not fit
// MAX_PATH. out may be directory.
bool joinPath(char (&out)[MAX_PATH], const char *directory, const char *name)
{
    char joined[MAX_PATH];
    const int length = std::snprintf(joined, sizeof(joined), "%s\\%s", directory, name);
    if (length < 0 || length >= int(sizeof(joined))) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, joined, std::size_t(length) + 1);
    return true;
}

void closeWindow(HWND window)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kCloseWaitMs, &result);
}

} // namespace

WindowsLauncherPlatform::WindowsLauncherPlatform(HINSTANCE instance, const char *windowClass)
    : m_instance(instance)
    , m_windowClass(windowClass)
{
}

WindowsLauncherPlatform::~WindowsLauncherPlatform()
{
    if (m_window)
        DestroyWindow(m_window);
}

void WindowsLauncherPlatform::registerWindowClass()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_TARVENIX));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = m_windowClass;
    windowClass.hIconSm = LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_SMALL));
    RegisterClassExA(&windowClass);
}

void WindowsLauncherPlatform::endEarlierLauncher()
{
    // The earlier launcher destroys its window while handling WM_CLOSE, then leaves its loop.
    if (const HWND earlier = FindWindowA(m_windowClass, nullptr))
        closeWindow(earlier);
}

bool WindowsLauncherPlatform::takeOver()
{
    const HWND window = CreateWindowA(m_windowClass, kLauncherTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                      CW_USEDEFAULT, 0, nullptr, nullptr, m_instance, this);
    if (!window)
        return false;
    // Never shown.
    UpdateWindow(window);
    return true;
}

void WindowsLauncherPlatform::prepare()
{
    char directory[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, directory, MAX_PATH);
    char *lastSeparator = length > 0 && length < MAX_PATH ? std::strrchr(directory, '\\') : nullptr;
    if (lastSeparator) {
        *lastSeparator = '\0';
        // The launcher's own stale log only: the working directory at log-on is the user's.
        char debugFile[MAX_PATH];
        if (joinPath(debugFile, directory, kDebugFile))
            DeleteFileA(debugFile);
    }
    prepareSettingsFolder();
    // The builds' relative paths resolve next to the launcher.
    if (lastSeparator)
        SetCurrentDirectoryA(directory);
}

void WindowsLauncherPlatform::prepareSettingsFolder()
{
    char folder[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("APPDATA", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        OutputDebugStringA("Tarvenix launcher: APPDATA is not set or too long; the layout is not remembered\n");
        return;
    }
    for (const char *name : kSettingsFolders) {
        if (!joinPath(folder, folder, name))
            return;
        CreateDirectoryA(folder, nullptr);   // an existing one is fine
    }
    joinPath(m_configPath, folder, kSettingsFile);
}

void WindowsLauncherPlatform::watchArrivals()
{
    DEV_BROADCAST_DEVICEINTERFACE_A filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = HidKeyboards::interfaceClass();
    m_notification = RegisterDeviceNotificationA(m_window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

std::optional<unsigned short> WindowsLauncherPlatform::keyboardRelease()
{
    return HidKeyboards::scan();
}

const BuildNames &WindowsLauncherPlatform::builds() const
{
    return kBuilds;
}

AppLookup WindowsLauncherPlatform::findApp()
{
    const HWND window = FindWindowA(nullptr, kAppTitle);
    if (!window)
        return {};
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    // Reading the image name needs no more than this; a process we may not query stays unknown.
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return {true, std::nullopt};
    char image[MAX_PATH];
    const DWORD length = GetProcessImageFileNameA(process, image, MAX_PATH);
    CloseHandle(process);
    if (length == 0)
        return {true, std::nullopt};
    return {true, std::string(image, length)};
}

void WindowsLauncherPlatform::closeApp()
{
    if (const HWND window = FindWindowA(nullptr, kAppTitle))
        closeWindow(window);
}

void WindowsLauncherPlatform::startApp(Layout layout)
{
    const std::string build(builds().of(layout));
    ShellExecuteA(nullptr, nullptr, build.c_str(), " ", nullptr, SW_SHOWNORMAL);
}

std::string WindowsLauncherPlatform::readSetting(const char *section, const char *key)
{
    if (!m_configPath[0])
        return {};
    char value[64];
    GetPrivateProfileStringA(section, key, "", value, sizeof(value), m_configPath);
    return value;
}

void WindowsLauncherPlatform::writeSetting(const char *section, const char *key, const char *value)
{
    if (m_configPath[0])
        WritePrivateProfileStringA(section, key, value, m_configPath);
}

void WindowsLauncherPlatform::startTimer(LauncherTimer timer, int intervalMs)
{
    SetTimer(m_window, static_cast<UINT_PTR>(timer), UINT(intervalMs), nullptr);
}

void WindowsLauncherPlatform::stopTimer(LauncherTimer timer)
{
    KillTimer(m_window, static_cast<UINT_PTR>(timer));
}

LRESULT CALLBACK WindowsLauncherPlatform::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self = static_cast<WindowsLauncherPlatform *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<WindowsLauncherPlatform *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->handle(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT WindowsLauncherPlatform::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_ABOUT) {
            DialogBoxA(m_instance, MAKEINTRESOURCEA(IDD_ABOUTBOX), window, aboutProcedure);
            return 0;
        }
        if (LOWORD(wParam) == IDM_EXIT) {
            DestroyWindow(window);
            return 0;
        }
        break;
    case WM_TIMER:
        if (m_core && (wParam == UINT_PTR(LauncherTimer::Watch) || wParam == UINT_PTR(LauncherTimer::Restart)))
            m_core->timerFired(static_cast<LauncherTimer>(wParam));
        return 0;
    case WM_DEVICECHANGE:
        if (m_core && wParam == DBT_DEVICEARRIVAL) {
            if (const std::optional<unsigned short> release = HidKeyboards::arrival(lParam))
                m_core->keyboardArrived(*release);
        }
        return TRUE;
    case WM_PAINT:
        ValidateRect(window, nullptr);
        return 0;
    case WM_DESTROY:
        if (m_notification)
            UnregisterDeviceNotification(m_notification);
        m_notification = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        m_window = nullptr;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK WindowsLauncherPlatform::aboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
