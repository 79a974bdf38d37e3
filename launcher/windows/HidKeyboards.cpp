// SPDX-License-Identifier: GPL-3.0-or-later
#include "HidKeyboards.h"

#include <dbt.h>
#include <setupapi.h>
// mingw-w64's HID header declares its functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <cstddef>
#include <cstring>

namespace {

// A HID interface's release number if it is the keyboard's. The interface is opened with no
// access rights, which is enough to read its attributes and works while others use it.
std::optional<unsigned short> keyboardRelease(const char *path)
{
    const HANDLE device = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return std::nullopt;
    HIDD_ATTRIBUTES attributes = {};
    attributes.Size = sizeof(attributes);
    const bool read = HidD_GetAttributes(device, &attributes);
    CloseHandle(device);
    if (!read || attributes.VendorID != TARVENIX_USB_VID || attributes.ProductID != TARVENIX_USB_PID)
        return std::nullopt;
    return attributes.VersionNumber;
}

} // namespace

namespace HidKeyboards {

GUID interfaceClass()
{
    GUID hidClass;
    HidD_GetHidGuid(&hidClass);
    return hidClass;
}

std::optional<unsigned short> scan()
{
    GUID hidClass = interfaceClass();
    const HDEVINFO present = SetupDiGetClassDevsA(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (present == INVALID_HANDLE_VALUE)
        return std::nullopt;

    std::optional<unsigned short> release;
    SP_DEVICE_INTERFACE_DATA interface = {};
    interface.cbSize = sizeof(interface);
    for (DWORD index = 0; !release && SetupDiEnumDeviceInterfaces(present, nullptr, &hidClass, index, &interface); ++index) {
        // A path that does not fit the fixed buffer fails here and is skipped.
        union {
            SP_DEVICE_INTERFACE_DETAIL_DATA_A detail;
            char bytes[offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + MAX_PATH];
        } buffer;
        buffer.detail.cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (SetupDiGetDeviceInterfaceDetailA(present, &interface, &buffer.detail, sizeof(buffer), nullptr, nullptr))
            release = keyboardRelease(buffer.detail.DevicePath);
    }
    SetupDiDestroyDeviceInfoList(present);
    return release;
}

std::optional<unsigned short> arrival(LPARAM broadcast)
{
    const auto *header = reinterpret_cast<const DEV_BROADCAST_HDR *>(broadcast);
    // The type says whether there is a path at all; only then is the name read, and only
    // within the size that the broadcast gives.
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE)
        return std::nullopt;
    constexpr std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
    if (header->dbch_size <= nameOffset)
        return std::nullopt;
    const auto *interface = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A *>(header);
    const std::size_t room = header->dbch_size - nameOffset;
    const std::size_t length = strnlen(interface->dbcc_name, room);
    if (length == room || length >= MAX_PATH)
        return std::nullopt;
    return keyboardRelease(interface->dbcc_name);
}

} // namespace HidKeyboards
