// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SkinCatalogue.h"

#include <QPainterPath>

// Icon outlines as fillable paths on a 24 × 24 design grid; the painter scales them into place.
class GlyphShapes
{
public:
    static constexpr qreal grid = 24.0;

    static QPainterPath shape(SkinCatalogue::Glyph glyph);
    // Three stacked layers: the emblem of the profile panel.
    static QPainterPath layers();
};
