// SPDX-License-Identifier: GPL-3.0-or-later
#include "LauncherCore.h"

#include <charconv>

namespace {

constexpr const char *kSection = "Setting";
constexpr const char *kLayoutKey = "KB_Lang";

// The high byte of the keyboard's release number says its layout.
struct ReleaseLayout
{
    unsigned char highByte;
    Layout layout;
};
constexpr ReleaseLayout kReleaseLayouts[] = {
    {0x33, Layout::US},   // "3"
    {0x32, Layout::UK},   // "2"
};

Layout layoutOfRelease(unsigned short releaseNumber)
{
    for (const ReleaseLayout &entry : kReleaseLayouts) {
        if (releaseNumber >> 8 == entry.highByte)
            return entry.layout;
    }
    return Layout::None;
}

// The settings file's number the way private-profile files are read: the leading integer
// after blanks. Text without one, and a number that does not fit, count as missing.
int settingNumber(std::string_view text, int missing)
{
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return missing;
    text.remove_prefix(start);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? value : missing;
}

} // namespace

LauncherCore::LauncherCore(LauncherPlatform &platform)
    : m_platform(platform)
{
}

bool LauncherCore::isKillCommand(std::string_view commandTail)
{
    return commandTail == "/kill";
}

bool LauncherCore::begin(bool kill)
{
    m_platform.endEarlierLauncher();
    if (kill || !m_platform.takeOver())
        return false;

    m_platform.prepare();
    m_platform.watchArrivals();
    m_layoutOfKeyboard = scanKeyboard();
    m_runningLayout = findRunningApp();
    if (m_layoutOfKeyboard == Layout::None)
        m_layoutOfKeyboard = storedLayout();
    launchApp();
    m_platform.startTimer(LauncherTimer::Watch, kWatchIntervalMs);
    return true;
}

void LauncherCore::timerFired(LauncherTimer timer)
{
    switch (timer) {
    case LauncherTimer::Watch:
        m_runningLayout = findRunningApp();
        replaceMismatchedApp();
        break;
    case LauncherTimer::Restart:
        m_platform.stopTimer(LauncherTimer::Restart);
        launchApp();
        break;
    }
}

void LauncherCore::keyboardArrived(unsigned short releaseNumber)
{
    // Unlike the scan at start, a keyboard that plugs in is US unless it says UK.
    m_layoutOfKeyboard = layoutOfRelease(releaseNumber) == Layout::UK ? Layout::UK : Layout::US;
    replaceMismatchedApp();
}

Layout LauncherCore::scanKeyboard()
{
    const std::optional<unsigned short> release = m_platform.keyboardRelease();
    return release ? layoutOfRelease(*release) : Layout::None;
}

Layout LauncherCore::findRunningApp()
{
    const AppLookup app = m_platform.findApp();
    if (!app.found)
        return Layout::None;
    // An application that cannot be identified leaves what we knew as it was.
    const Layout layout = app.image ? m_platform.builds().layoutOfImage(*app.image) : Layout::None;
    return layout == Layout::None ? m_runningLayout : layout;
}

void LauncherCore::closeRunningApp()
{
    m_platform.closeApp();
    m_runningLayout = Layout::None;
}

void LauncherCore::launchApp()
{
    if (m_runningLayout != Layout::None)
        return;
    if (m_layoutOfKeyboard != Layout::None) {
        m_platform.startApp(m_layoutOfKeyboard);
        m_runningLayout = m_layoutOfKeyboard;
    }
    m_platform.writeSetting(kSection, kLayoutKey, m_layoutOfKeyboard == Layout::UK ? "2" : "1");
}

void LauncherCore::replaceMismatchedApp()
{
    if (m_runningLayout == Layout::None || m_runningLayout == m_layoutOfKeyboard)
        return;
    closeRunningApp();
    m_platform.startTimer(LauncherTimer::Restart, kRestartDelayMs);
}

Layout LauncherCore::storedLayout()
{
    // 0 is kept: it starts nothing, and launchApp then stores "1".
    const int stored = settingNumber(m_platform.readSetting(kSection, kLayoutKey), 1);
    return stored < 0 || stored > 2 ? Layout::US : static_cast<Layout>(stored);
}
