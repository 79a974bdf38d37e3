// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuildNames.h"

Layout BuildNames::layoutOfImage(std::string_view image) const
{
    for (Layout layout : {Layout::US, Layout::UK}) {
        const std::string_view tail = of(layout);
        if (image.size() > tail.size() && image.substr(image.size() - tail.size()) == tail)
            return layout;
    }
    return Layout::None;
}
