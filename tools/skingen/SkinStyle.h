// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The look of one skin: its colours and the shape language its plates are cut in.
struct SkinStyle {
    enum class Corner { Chamfer, Round };
    // The skin's pattern language: a carbon weave with blades and a shield emblem, or a hexagon
    // mesh with circuit traces and a hexagon emblem.
    enum class Motif { Weave, Hex };

    QColor abyss;        // darkest ground, window edges
    QColor ground;       // window ground at its centre
    QColor plateTop;     // panels and buttons, vertical gradient
    QColor plateBottom;
    QColor capFace;      // key caps: top face, skirt and outline
    QColor capSkirt;
    QColor capLine;
    QColor edgeLight;    // bevel light and shadow
    QColor edgeDark;
    QColor trim;         // neutral lines and frames
    QColor accent;
    QColor accentBright;
    QColor accentDeep;
    QColor ink;          // glyphs at rest
    Corner corner;
    qreal cornerSize;    // chamfer leg or corner radius of a full-size plate, pixels
    Motif motif;

    // skin is 1 or 2.
    static const SkinStyle &forSkin(int skin);
};
