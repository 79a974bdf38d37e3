// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Layout.h"

#include <array>
#include <string_view>

// The two builds of the configuration application beside the launcher, relative to the
// launcher's directory and spelt the platform's way ("US\Tarvenix.exe", "US/Tarvenix"). A
// running application is recognised by the tail of its process image path.
class BuildNames
{
public:
    constexpr BuildNames(std::string_view us, std::string_view uk)
        : m_names{{{}, us, uk}}
    {
    }

    // The build of a layout; empty for Layout::None.
    std::string_view of(Layout layout) const { return m_names[static_cast<int>(layout)]; }

    // US when the image path is longer than the US build's name and ends with it (exact,
    // case-sensitive), else UK by the same rule, else None.
    Layout layoutOfImage(std::string_view image) const;

private:
    std::array<std::string_view, 3> m_names;   // indexed by Layout
};
