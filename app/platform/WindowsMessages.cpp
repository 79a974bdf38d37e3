// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowsMessages.h"

namespace WindowsMessages {
namespace {

constexpr int kHcAction = 0;
constexpr quintptr kWmKeyDown = 0x100;
constexpr quintptr kWmSysKeyDown = 0x104;
constexpr quint32 kWmPowerBroadcast = 0x218;
constexpr quint32 kWmDeviceChange = 0x219;
constexpr quintptr kPbtApmResumeAutomatic = 0x12;

struct ButtonRow {
    quintptr message;
    MouseButton button;
};

constexpr ButtonRow kButtonRows[] = {
    {0x201, {1, true}},    // WM_LBUTTONDOWN
    {0x202, {1, false}},   // WM_LBUTTONUP
    {0x204, {2, true}},    // WM_RBUTTONDOWN
    {0x205, {2, false}},   // WM_RBUTTONUP
    {0x207, {3, true}},    // WM_MBUTTONDOWN
    {0x208, {3, false}},   // WM_MBUTTONUP
};

} // namespace

bool isKeyDown(int code, quintptr message)
{
    return code == kHcAction && (message == kWmKeyDown || message == kWmSysKeyDown);
}

std::optional<MouseButton> mouseButton(quintptr message)
{
    for (const ButtonRow &row : kButtonRows)
        if (row.message == message)
            return row.button;
    return std::nullopt;
}

SystemNotice systemNotice(quint32 message, quintptr wParam)
{
    if (message == kWmDeviceChange)
        return SystemNotice::DeviceChange;
    if (message == kWmPowerBroadcast && wParam == kPbtApmResumeAutomatic)
        return SystemNotice::Resume;
    return SystemNotice::None;
}

} // namespace WindowsMessages
