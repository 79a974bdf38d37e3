// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinPainter.h"

#include "GlyphShapes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>

using SkinCatalogue::Art;
using SkinCatalogue::Glyph;
using SkinCatalogue::Page;
using SkinCatalogue::Picture;

namespace {

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// Linear blend: t = 0 gives a, t = 1 gives b.
QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QLinearGradient vertical(const QRectF &rect, std::initializer_list<std::pair<qreal, QColor>> stops)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    for (const auto &[at, colour] : stops)
        gradient.setColorAt(at, colour);
    return gradient;
}

QLinearGradient horizontal(const QRectF &rect, std::initializer_list<std::pair<qreal, QColor>> stops)
{
    QLinearGradient gradient(rect.topLeft(), rect.topRight());
    for (const auto &[at, colour] : stops)
        gradient.setColorAt(at, colour);
    return gradient;
}

QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// A one-pixel line on pixel centres, so that it stays crisp.
void hairline(QPainter &painter, qreal x1, qreal y1, qreal x2, qreal y2, const QBrush &brush)
{
    painter.setPen(QPen(brush, 1.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
}

// The pixel-aligned rectangle whose one-pixel outline covers the border pixels of rect.
QRectF outlineRect(const QRectF &rect)
{
    return rect.adjusted(0.5, 0.5, -0.5, -0.5);
}

QImage weaveTile(const QColor &light, const QColor &dark)
{
    // 8 × 8: four 4 × 4 blocks whose threads run across and along in turn.
    static const int shade[4] = {3, 1, 0, 2};
    QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool across = ((x / 4) + (y / 4)) % 2 == 0;
            const int level = shade[across ? y % 4 : x % 4];
            const QColor colour = level >= 2 ? withAlpha(light, level == 3 ? 26 : 12)
                                             : withAlpha(dark, level == 0 ? 60 : 30);
            tile.setPixelColor(x, y, colour);
        }
    }
    return tile;
}

} // namespace

SkinPainter::SkinPainter(const SkinStyle &style)
    : m_style(style)
{
}

QImage SkinPainter::render(const Picture &picture) const
{
    QImage image(picture.width, picture.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF rect(0, 0, picture.width, picture.height);
    const bool hot = picture.state == 1;

    switch (picture.art) {
    case Art::Background:
        paintBackground(painter, rect);
        break;
    case Art::Frame:
        paintFrame(painter, rect);
        break;
    case Art::Decoration:
        if (picture.state == 1) {
            painter.translate(rect.width(), 0);
            painter.scale(-1, 1);
        }
        paintDecoration(painter, rect);
        break;
    case Art::Logo:
        paintLogo(painter, rect, hot);
        break;
    case Art::TopBar:
        paintTopBar(painter, rect);
        break;
    case Art::BottomBar:
        paintBottomBar(painter, rect);
        break;
    case Art::ProfilePanel:
        paintProfilePanel(painter, rect);
        break;
    case Art::ProfileMarker:
        paintProfileMarker(painter, rect, hot);
        break;
    case Art::MenuButton:
        paintMenuButton(painter, rect, hot);
        break;
    case Art::Glyph:
        paintGlyph(painter, GlyphShapes::shape(picture.glyph), rect.adjusted(0.5, 0.5, -0.5, -0.5), hot);
        break;
    case Art::Button:
        paintButton(painter, rect, picture.glyph, hot);
        break;
    case Art::Page:
        paintPage(painter, rect, picture.page);
        break;
    case Art::SliderBase:
        paintSliderBase(painter, rect);
        break;
    case Art::SliderFiller:
        paintSliderFiller(painter, rect, hot);
        break;
    case Art::ListLine:
        paintListLine(painter, rect);
        break;
    case Art::ListBase:
        paintListBase(painter, rect);
        break;
    case Art::InputField:
        paintInputField(painter, rect);
        break;
    case Art::Swatch:
        paintSwatch(painter, rect);
        break;
    case Art::PaletteFrame:
        paintPaletteFrame(painter, rect);
        break;
    case Art::Checkbox:
        paintCheckbox(painter, rect, hot);
        break;
    case Art::ButtonTray:
        paintButtonTray(painter, rect);
        break;
    case Art::KeyCap:
        if (hot)
            paintKeyHighlight(painter, rect);
        else
            paintKeyCap(painter, rect);
        break;
    case Art::Busy:
        paintBusy(painter, rect);
        break;
    }
    return image;
}

// ---- shared elements ---------------------------------------------------------------------

QPainterPath SkinPainter::plate(const QRectF &rect, qreal corner) const
{
    QPainterPath path;
    if (m_style.corner == SkinStyle::Corner::Round) {
        path.addRoundedRect(rect, corner, corner);
        return path;
    }
    // Chamfers at the top left and the bottom right: the graphite skin's cut.
    const qreal l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    return polygonPath({{l + corner, t}, {r, t}, {r, b - corner}, {r - corner, b}, {l, b}, {l, t + corner}});
}

QPainterPath SkinPainter::windowOutline(const QRectF &rect, qreal corner) const
{
    QPainterPath path;
    if (m_style.corner == SkinStyle::Corner::Round) {
        path.addRoundedRect(rect, corner, corner);
        return path;
    }
    const qreal l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    return polygonPath({{l + corner, t}, {r - corner, t}, {r, t + corner}, {r, b - corner}, {r - corner, b},
                        {l + corner, b}, {l, b - corner}, {l, t + corner}});
}

void SkinPainter::paintPlate(QPainter &painter, const QRectF &rect, qreal corner, bool hot) const
{
    const QRectF body = outlineRect(rect);
    const QPainterPath outline = plate(body, corner);
    const QColor top = hot ? m_style.plateTop.lighter(118) : m_style.plateTop;
    const QColor bottom = hot ? mix(m_style.plateBottom, m_style.accentDeep, 0.7) : m_style.plateBottom;
    painter.fillPath(outline, vertical(body, {{0.0, top}, {0.55, mix(top, bottom, 0.6)}, {1.0, bottom}}));

    // Bevel: light along the upper inner edge fading downwards.
    const QRectF inner = body.adjusted(1, 1, -1, -1);
    painter.setPen(QPen(QBrush(vertical(inner, {{0.0, withAlpha(m_style.edgeLight, 120)},
                                               {0.45, withAlpha(m_style.edgeLight, 0)}})), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(plate(inner, qMax<qreal>(corner - 0.5, 0)));

    painter.setPen(QPen(hot ? m_style.accent : m_style.edgeDark, 1.0));
    painter.drawPath(outline);
}

void SkinPainter::paintRecess(QPainter &painter, const QRectF &rect, qreal corner) const
{
    const QRectF body = outlineRect(rect);
    const QPainterPath outline = plate(body, corner);
    painter.fillPath(outline, vertical(body, {{0.0, m_style.abyss}, {1.0, mix(m_style.abyss, m_style.ground, 0.5)}}));
    painter.setBrush(Qt::NoBrush);
    // Shadow under the upper edge, light along the lower edge: a surface cut into the plate.
    painter.setPen(QPen(QBrush(vertical(body, {{0.0, withAlpha(Qt::black, 200)}, {0.5, withAlpha(Qt::black, 0)},
                                              {0.51, withAlpha(m_style.edgeLight, 0)},
                                              {1.0, withAlpha(m_style.edgeLight, 90)}})),
                        1.0));
    painter.drawPath(outline);
}

void SkinPainter::paintGlyph(QPainter &painter, const QPainterPath &glyph, const QRectF &box, bool hot) const
{
    const qreal scale = qMin(box.width(), box.height()) / GlyphShapes::grid;
    QTransform place;
    place.translate(box.center().x(), box.center().y());
    place.scale(scale, scale);
    place.translate(-GlyphShapes::grid / 2, -GlyphShapes::grid / 2);
    const QPainterPath shape = place.map(glyph);
    const QRectF bounds = shape.boundingRect();

    painter.save();
    painter.setPen(Qt::NoPen);
    if (hot) {
        // Glow: the outline widened twice in translucent accent.
        for (const auto &[width, alpha] : {std::pair{3.2, 45}, {1.8, 90}}) {
            painter.setPen(QPen(withAlpha(m_style.accent, alpha), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPath(shape);
        }
        painter.setPen(Qt::NoPen);
        painter.fillPath(shape, vertical(bounds, {{0.0, m_style.accentBright.lighter(115)}, {1.0, m_style.accent}}));
    } else {
        painter.fillPath(shape.translated(0, 1), withAlpha(Qt::black, 150));
        painter.fillPath(shape, vertical(bounds, {{0.0, m_style.ink.lighter(118)}, {1.0, m_style.ink.darker(125)}}));
    }
    painter.restore();
}

void SkinPainter::paintTexture(QPainter &painter, const QPainterPath &area, qreal opacity) const
{
    painter.save();
    painter.setClipPath(area, Qt::IntersectClip);
    painter.setOpacity(opacity);
    const QRectF bounds = area.boundingRect();
    if (m_style.motif == SkinStyle::Motif::Weave) {
        painter.fillRect(bounds, QBrush(weaveTile(m_style.edgeLight, Qt::black)));
    } else {
        // Pointy-top hexagons, 13 pixels from centre to corner.
        const qreal radius = 13.0;
        const qreal pitch = radius * qSqrt(3.0);
        painter.setPen(QPen(withAlpha(m_style.edgeLight, 26), 1.0));
        painter.setBrush(Qt::NoBrush);
        for (int row = 0; row * radius * 1.5 < bounds.bottom() + radius; ++row) {
            const qreal cy = row * radius * 1.5;
            for (int column = -1; column * pitch < bounds.right() + pitch; ++column) {
                const qreal cx = column * pitch + (row % 2 ? pitch / 2 : 0);
                QPolygonF hexagon;
                for (int corner = 0; corner < 6; ++corner) {
                    const qreal angle = qDegreesToRadians(30.0 + 60.0 * corner);
                    hexagon << QPointF(cx + radius * qCos(angle), cy + radius * qSin(angle));
                }
                painter.drawPolygon(hexagon);
            }
        }
    }
    painter.restore();
}

void SkinPainter::paintCornerBrackets(QPainter &painter, const QRectF &rect, qreal length, const QColor &colour) const
{
    const qreal l = rect.left(), t = rect.top(), r = rect.right() - 1, b = rect.bottom() - 1;
    for (const auto &[x, y, dx, dy] : {std::tuple{l, t, 1.0, 1.0}, {r, t, -1.0, 1.0}, {l, b, 1.0, -1.0}, {r, b, -1.0, -1.0}}) {
        hairline(painter, x, y, x + dx * length, y, colour);
        hairline(painter, x, y, x, y + dy * length, colour);
    }
}

// ---- window -------------------------------------------------------------------------------

void SkinPainter::paintBackground(QPainter &painter, const QRectF &rect) const
{
    painter.fillRect(rect, m_style.abyss);
    QRadialGradient ground(QPointF(rect.width() / 2, rect.height() * 0.42), rect.width() * 0.62);
    ground.setColorAt(0.0, m_style.ground);
    ground.setColorAt(0.55, mix(m_style.ground, m_style.abyss, 0.55));
    ground.setColorAt(1.0, m_style.abyss);
    painter.fillRect(rect, ground);

    QPainterPath all;
    all.addRect(rect);
    paintTexture(painter, all, 1.0);

    // The accent's light falls from behind the logo and rises from the floor.
    QRadialGradient crown(QPointF(rect.width() / 2, 0), rect.width() * 0.32);
    crown.setColorAt(0.0, withAlpha(m_style.accent, 46));
    crown.setColorAt(1.0, withAlpha(m_style.accent, 0));
    painter.fillRect(rect, crown);
    QLinearGradient floor(QPointF(0, rect.height()), QPointF(0, rect.height() - 90));
    floor.setColorAt(0.0, withAlpha(m_style.accentDeep, 70));
    floor.setColorAt(1.0, withAlpha(m_style.accentDeep, 0));
    painter.fillRect(rect, floor);

    if (m_style.motif == SkinStyle::Motif::Weave) {
        // Two faint diagonal sweeps across the graphite.
        for (const qreal x : {560.0, 610.0}) {
            const QPainterPath sweep = polygonPath({{x, 600}, {x + 18, 600}, {x + 378, 0}, {x + 360, 0}});
            painter.fillPath(sweep, withAlpha(m_style.edgeLight, 7));
        }
    } else {
        // Fine horizontal scan lines over the steel.
        for (int y = 0; y < rect.height(); y += 4)
            painter.fillRect(QRectF(0, y, rect.width(), 1), withAlpha(Qt::black, 22));
    }
}

void SkinPainter::paintFrame(QPainter &painter, const QRectF &rect) const
{
    const qreal cut = 18;
    // Outside the window's cut corners the frame shows the darkest ground.
    QPainterPath outside;
    outside.addRect(rect);
    painter.fillPath(outside.subtracted(windowOutline(rect, cut)), m_style.abyss);

    const QRectF edge = outlineRect(rect);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(m_style.edgeDark, 1.0));
    painter.drawPath(windowOutline(edge, cut));
    painter.setPen(QPen(withAlpha(m_style.trim, 200), 1.0));
    painter.drawPath(windowOutline(edge.adjusted(2, 2, -2, -2), cut - 1));

    // Accent on the corners, where the inner line turns.
    const qreal w = rect.width(), h = rect.height(), reach = 64;
    painter.save();
    painter.setClipRegion(QRegion(0, 0, int(reach), int(reach)) + QRegion(int(w - reach), 0, int(reach), int(reach))
                          + QRegion(0, int(h - reach), int(reach), int(reach))
                          + QRegion(int(w - reach), int(h - reach), int(reach), int(reach)));
    painter.setPen(QPen(m_style.accent, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(windowOutline(rect.adjusted(4, 4, -4, -4), cut - 2));
    painter.restore();

    // Rails along the sides with three markers at mid-height.
    for (const qreal x : {5.0, w - 6}) {
        hairline(painter, x, 150, x, 450, vertical(QRectF(0, 150, 1, 300), {{0.0, withAlpha(m_style.trim, 0)},
                                                                          {0.5, withAlpha(m_style.trim, 220)},
                                                                          {1.0, withAlpha(m_style.trim, 0)}}));
        for (int marker = 0; marker < 3; ++marker)
            painter.fillRect(QRectF(x - 1, 284 + marker * 12, 3, 6), withAlpha(m_style.accent, 200 - marker * 60));
    }
}

void SkinPainter::paintDecoration(QPainter &painter, const QRectF &rect) const
{
    const qreal w = rect.width();
    if (m_style.motif == SkinStyle::Motif::Weave) {
        // An angled blade with three speed bars toward the window's middle.
        const QPainterPath blade = polygonPath({{4, 15}, {86, 15}, {94, 25}, {12, 25}});
        painter.fillPath(blade, vertical(QRectF(0, 15, w, 10), {{0.0, m_style.plateTop.lighter(120)}, {1.0, m_style.plateBottom}}));
        painter.setPen(QPen(m_style.edgeDark, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(blade);
        hairline(painter, 12, 27, 96, 27, horizontal(QRectF(12, 0, 84, 1), {{0.0, withAlpha(m_style.accent, 0)},
                                                                          {1.0, m_style.accent}}));
        for (int bar = 0; bar < 3; ++bar) {
            const qreal x = 98 + bar * 16;
            const QColor colour = bar == 0 ? m_style.accentDeep : bar == 1 ? m_style.accent : m_style.accentBright;
            painter.fillPath(polygonPath({{x, 15}, {x + 9, 15}, {x + 17, 25}, {x + 8, 25}}), colour);
        }
        hairline(painter, 0, 11, w * 0.7, 11, horizontal(QRectF(0, 0, w * 0.7, 1), {{0.0, withAlpha(m_style.trim, 0)},
                                                                                    {1.0, withAlpha(m_style.trim, 200)}}));
    } else {
        // A circuit trace ending in a hexagonal node.
        const QPointF node(128, 20);
        painter.setPen(QPen(withAlpha(m_style.trim, 230), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF({{4, 30}, {58, 30}, {68, 20}, {116, 20}}));
        painter.setPen(QPen(withAlpha(m_style.accent, 200), 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(74, 20), QPointF(110, 20));
        painter.setPen(QPen(withAlpha(m_style.trim, 160), 1.0));
        painter.drawPolyline(QPolygonF({{20, 35}, {62, 35}, {72, 25}, {100, 25}}));
        painter.setPen(Qt::NoPen);
        for (const QPointF &dot : {QPointF(58, 30), QPointF(20, 35), QPointF(100, 25)})
            painter.drawEllipse(dot, 2.2, 2.2);
        QPolygonF hexagon;
        for (int corner = 0; corner < 6; ++corner) {
            const qreal angle = qDegreesToRadians(60.0 * corner);
            hexagon << node + QPointF(11 * qCos(angle), 11 * qSin(angle));
        }
        painter.setBrush(vertical(QRectF(node.x() - 11, node.y() - 11, 22, 22),
                                  {{0.0, m_style.plateTop.lighter(120)}, {1.0, m_style.plateBottom}}));
        painter.setPen(QPen(m_style.trim.lighter(130), 1.2));
        painter.drawPolygon(hexagon);
        QRadialGradient core(node, 6);
        core.setColorAt(0.0, m_style.accentBright);
        core.setColorAt(0.6, m_style.accent);
        core.setColorAt(1.0, withAlpha(m_style.accent, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(core);
        painter.drawEllipse(node, 6, 6);
    }
}

void SkinPainter::paintLogo(QPainter &painter, const QRectF &rect, bool hot) const
{
    const qreal cx = rect.width() / 2;
    const QColor core = hot ? m_style.accentBright : m_style.accent;
    const QColor lineColour = hot ? m_style.accentBright : withAlpha(m_style.accent, 170);

    painter.setPen(Qt::NoPen);
    if (hot) {
        QRadialGradient halo(QPointF(cx, 26), 60);
        halo.setColorAt(0.0, withAlpha(m_style.accent, 80));
        halo.setColorAt(1.0, withAlpha(m_style.accent, 0));
        painter.fillRect(rect, halo);
    }

    // Two wings of three feathers each, mirrored about the centre.
    for (const qreal side : {-1.0, 1.0}) {
        for (int feather = 0; feather < 3; ++feather) {
            const qreal inner = 20 - feather * 1.0;
            const qreal outer = 92 - feather * 16;
            const qreal y0 = 12 + feather * 9;
            QPainterPath path;
            if (m_style.motif == SkinStyle::Motif::Weave) {
                path = polygonPath({{cx + side * inner, y0}, {cx + side * outer, y0 - 6 + feather * 2},
                                    {cx + side * (outer - 10), y0 + 1 + feather * 2}, {cx + side * inner, y0 + 6}});
            } else {
                path = polygonPath({{cx + side * inner, y0}, {cx + side * (outer - 6), y0},
                                    {cx + side * outer, y0 + 3}, {cx + side * (outer - 6), y0 + 6},
                                    {cx + side * inner, y0 + 6}});
            }
            const QRectF band(cx - 100, y0 - 6, 200, 14);
            painter.fillPath(path, vertical(band, {{0.0, m_style.edgeLight.lighter(hot ? 135 : 115)},
                                                   {1.0, m_style.plateBottom}}));
            painter.setPen(QPen(m_style.edgeDark, 1.0));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(path);
            painter.setPen(Qt::NoPen);
        }
        hairline(painter, cx + side * 24, 44, cx + side * 70, 44,
                 horizontal(QRectF(cx + side * 24, 0, side * 46, 1), {{0.0, lineColour}, {1.0, withAlpha(m_style.accent, 0)}}));
    }

    // The shield in the middle with its lit core.
    QPainterPath shield;
    QPainterPath heart;
    if (m_style.motif == SkinStyle::Motif::Weave) {
        shield = polygonPath({{cx, 3}, {cx + 17, 12}, {cx + 13, 39}, {cx, 49}, {cx - 13, 39}, {cx - 17, 12}});
        heart = polygonPath({{cx, 12}, {cx + 8, 17}, {cx + 5, 34}, {cx, 39}, {cx - 5, 34}, {cx - 8, 17}});
    } else {
        QPolygonF outer, inner;
        for (int corner = 0; corner < 6; ++corner) {
            const qreal angle = qDegreesToRadians(30.0 + 60.0 * corner);
            outer << QPointF(cx + 22 * qCos(angle), 26 + 22 * qSin(angle));
            inner << QPointF(cx + 12 * qCos(angle), 26 + 12 * qSin(angle));
        }
        shield.addPolygon(outer);
        shield.closeSubpath();
        heart.addPolygon(inner);
        heart.closeSubpath();
    }
    const QRectF shieldBounds = shield.boundingRect();
    painter.fillPath(shield, vertical(shieldBounds, {{0.0, m_style.plateTop.lighter(140)}, {0.5, m_style.plateTop},
                                                     {1.0, m_style.plateBottom}}));
    painter.setPen(QPen(hot ? m_style.accent : m_style.trim.lighter(130), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shield);
    painter.setPen(Qt::NoPen);
    const QRectF heartBounds = heart.boundingRect();
    painter.fillPath(heart, vertical(heartBounds, {{0.0, core.lighter(hot ? 125 : 100)}, {1.0, m_style.accentDeep}}));
    if (hot)
        painter.fillPath(heart, QBrush(withAlpha(Qt::white, 40), Qt::Dense6Pattern));
    painter.setPen(QPen(withAlpha(Qt::white, hot ? 170 : 90), 1.0));
    painter.drawLine(QPointF(cx, heartBounds.top() + 3), QPointF(cx, heartBounds.bottom() - 3));
}

void SkinPainter::paintTopBar(QPainter &painter, const QRectF &rect) const
{
    const qreal w = rect.width();
    // Two wings leave the middle free for the logo.
    for (const qreal side : {0.0, 1.0}) {
        painter.save();
        if (side > 0) {
            painter.translate(w, 0);
            painter.scale(-1, 1);
        }
        const QPainterPath wing = polygonPath({{0, 0}, {372, 0}, {352, 23}, {0, 23}})
                                      .intersected(windowOutline(QRectF(0, 0, w, 600), 18));
        painter.fillPath(wing, vertical(QRectF(0, 0, 1, 23), {{0.0, m_style.plateTop}, {1.0, m_style.plateBottom}}));
        paintTexture(painter, wing, 0.8);
        hairline(painter, 0, 22, 352, 22, withAlpha(m_style.edgeLight, 60));
        painter.setPen(QPen(m_style.edgeDark, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF({{372, 0.5}, {352, 23.5}, {1, 23.5}}));
        // Accent line under the wing, running down toward the middle.
        painter.setPen(QPen(QBrush(horizontal(QRectF(0, 0, 392, 1), {{0.0, withAlpha(m_style.accent, 0)},
                                                                      {0.6, m_style.accent},
                                                                      {1.0, m_style.accentBright}})),
                            2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPolyline(QPolygonF({{40, 25.5}, {356, 25.5}, {380, 0}}));
        painter.restore();
    }
}

void SkinPainter::paintBottomBar(QPainter &painter, const QRectF &rect) const
{
    const qreal w = rect.width(), h = rect.height();
    const QPainterPath body = polygonPath({{20, 6}, {w - 20, 6}, {w, 26}, {w, h}, {0, h}, {0, 26}});
    painter.fillPath(body, vertical(QRectF(0, 6, 1, h - 6), {{0.0, m_style.plateTop}, {1.0, m_style.abyss}}));
    paintTexture(painter, body, 0.8);
    painter.setPen(QPen(m_style.edgeDark, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(body.translated(0.5, 0.5));
    painter.setPen(QPen(QBrush(horizontal(rect, {{0.0, withAlpha(m_style.accent, 0)}, {0.3, m_style.accent},
                                                 {0.7, m_style.accent}, {1.0, withAlpha(m_style.accent, 0)}})),
                        2.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawPolyline(QPolygonF({{1, 27}, {21, 7}, {w - 21, 7}, {w - 1, 27}}));

    // The cradle of the device icons (the first at x 323, y 13) and rows of vents beside it.
    const QRectF cradle(313, 10, 41, 28);
    paintRecess(painter, cradle, 5);
    hairline(painter, cradle.left() + 8, cradle.bottom() - 2, cradle.right() - 9, cradle.bottom() - 2,
             withAlpha(m_style.accent, 150));
    for (const qreal side : {-1.0, 1.0}) {
        for (int vent = 0; vent < 12; ++vent) {
            const qreal x = w / 2 + side * (40 + vent * 10);
            painter.fillPath(polygonPath({{x, 18}, {x + 4, 18}, {x + 1, 30}, {x - 3, 30}}),
                             withAlpha(Qt::black, 130 - vent * 8));
        }
    }
}

void SkinPainter::paintProfilePanel(QPainter &painter, const QRectF &rect) const
{
    paintPlate(painter, rect, 10, false);
    const QPainterPath body = plate(outlineRect(rect), 10);
    paintTexture(painter, body, 0.7);

    // Header with the layers emblem, separated from the list by an accent rule.
    painter.save();
    painter.setOpacity(0.95);
    paintGlyph(painter, GlyphShapes::layers(), QRectF(rect.width() / 2 - 17, 26, 34, 34), false);
    painter.restore();
    hairline(painter, 8, 84, rect.width() - 9, 84,
             horizontal(QRectF(8, 0, rect.width() - 16, 1), {{0.0, m_style.accent}, {1.0, withAlpha(m_style.accent, 0)}}));
    hairline(painter, 8, 85, rect.width() - 9, 85, withAlpha(Qt::black, 160));

    // The list region: a recessed track and a rail with one tick per profile entry.
    paintRecess(painter, QRectF(5, 92, rect.width() - 9, 270), 4);
    for (int entry = 0; entry < 10; ++entry) {
        const qreal y = 97 + entry * 26 + 12;
        painter.fillRect(QRectF(11, y, 6, 2), entry == 0 ? m_style.accent : withAlpha(m_style.trim, 220));
    }
    hairline(painter, 14, 100, 14, 354, withAlpha(m_style.trim, 110));
}

void SkinPainter::paintProfileMarker(QPainter &painter, const QRectF &rect, bool hot) const
{
    const QRectF socket = rect.adjusted(2, 2, -2, -2);
    paintRecess(painter, socket, 3);
    painter.setPen(QPen(hot ? m_style.accent : withAlpha(m_style.trim, 200), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(plate(outlineRect(socket), 3));

    const QPointF centre = socket.center();
    if (hot) {
        QRadialGradient glow(centre, 8);
        glow.setColorAt(0.0, withAlpha(m_style.accentBright, 255));
        glow.setColorAt(0.45, withAlpha(m_style.accent, 230));
        glow.setColorAt(1.0, withAlpha(m_style.accent, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(centre, 8, 8);
        painter.setBrush(withAlpha(Qt::white, 200));
        painter.drawEllipse(centre - QPointF(1.2, 1.2), 1.4, 1.4);
    } else {
        painter.setPen(QPen(withAlpha(Qt::black, 200), 1.0));
        painter.setBrush(vertical(QRectF(centre.x() - 4, centre.y() - 4, 8, 8),
                                  {{0.0, m_style.accentDeep.darker(130)}, {1.0, m_style.accentDeep}}));
        painter.drawEllipse(centre, 4, 4);
    }
}

void SkinPainter::paintMenuButton(QPainter &painter, const QRectF &rect, bool hot) const
{
    paintPlate(painter, rect, 8, hot);
    const QPainterPath body = plate(outlineRect(rect), 8);
    paintTexture(painter, body, 0.6);
    if (hot)
        painter.fillPath(body, horizontal(rect, {{0.0, withAlpha(m_style.accent, 90)}, {0.6, withAlpha(m_style.accent, 0)}}));

    // The lit edge on the left and a chevron on the right.
    painter.fillRect(QRectF(3, 9, 3, rect.height() - 18), hot ? m_style.accentBright : m_style.accentDeep);
    const qreal x = rect.width() - 16, y = rect.height() / 2;
    painter.setPen(QPen(hot ? m_style.accentBright : m_style.trim, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({{x, y - 5}, {x + 5, y}, {x, y + 5}}));
    painter.drawPolyline(QPolygonF({{x - 5, y - 5}, {x, y}, {x - 5, y + 5}}));
}

void SkinPainter::paintButton(QPainter &painter, const QRectF &rect, Glyph glyph, bool hot) const
{
    const qreal corner = qMin<qreal>(m_style.cornerSize, qMin(rect.width(), rect.height()) / 4);
    paintPlate(painter, rect, corner, hot);
    const qreal side = qMin(rect.width(), rect.height()) - 3;
    const QRectF box(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    paintGlyph(painter, GlyphShapes::shape(glyph), box, hot);
}

void SkinPainter::paintPage(QPainter &painter, const QRectF &rect, Page page) const
{
    const QRectF body = outlineRect(rect);
    const QPainterPath outline = plate(body, 14);
    painter.fillPath(outline, vertical(body, {{0.0, withAlpha(mix(m_style.plateTop, m_style.abyss, 0.35), 236)},
                                              {0.25, withAlpha(mix(m_style.plateBottom, m_style.abyss, 0.2), 236)},
                                              {1.0, withAlpha(mix(m_style.plateBottom, m_style.abyss, 0.6), 236)}}));
    paintTexture(painter, outline, 0.6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(m_style.edgeLight, 50), 1.0));
    painter.drawPath(plate(body.adjusted(1, 1, -1, -1), 13.5));
    painter.setPen(QPen(m_style.edgeDark, 1.0));
    painter.drawPath(outline);
    paintCornerBrackets(painter, rect.adjusted(3, 3, -3, -3), 16, withAlpha(m_style.accent, 230));

    const qreal w = rect.width();
    // Header rule under the page's menus (the settings panel has none: its rows start at once).
    const qreal rule = page == Page::Macro ? 40 : page == Page::Settings ? -1 : 56;
    if (rule > 0) {
        hairline(painter, 20, rule, w - 21, rule,
                 horizontal(QRectF(20, 0, w - 40, 1), {{0.0, withAlpha(m_style.accent, 0)}, {0.15, m_style.accent},
                                                       {0.5, withAlpha(m_style.trim, 200)},
                                                       {1.0, withAlpha(m_style.trim, 0)}}));
        hairline(painter, 20, rule + 1, w - 21, rule + 1, withAlpha(Qt::black, 150));
    }
    if (page == Page::Color || page == Page::KeyDefine) {
        // The keyboard model's bed: 738 × 250 at x 1, y 68, with the model 22, 29 inside it.
        // On the key definition page the gaming-mode box stands at y 305, below a shorter bed.
        const QRectF bed = QRectF(1, 68, 738, 250).adjusted(8, 8, -8, page == Page::KeyDefine ? -22 : -8);
        paintRecess(painter, bed, 8);
        paintCornerBrackets(painter, bed, 10, withAlpha(m_style.trim, 220));
        hairline(painter, 40, 330, w - 41, 330,
                 horizontal(QRectF(40, 0, w - 80, 1), {{0.0, withAlpha(m_style.trim, 0)}, {0.5, withAlpha(m_style.trim, 160)},
                                                       {1.0, withAlpha(m_style.trim, 0)}}));
    }
    if (page == Page::Settings) {
        painter.fillRect(QRectF(14, 8, 40, 2), m_style.accent);
        painter.fillRect(QRectF(58, 8, 10, 2), withAlpha(m_style.accent, 140));
    }
}

// ---- controls -----------------------------------------------------------------------------

void SkinPainter::paintSliderBase(QPainter &painter, const QRectF &rect) const
{
    paintRecess(painter, rect, 3);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(m_style.trim, 170), 1.0));
    painter.drawPath(plate(outlineRect(rect), 3));
    // End marks left and right of the 141-pixel segment area at x 5.
    painter.fillRect(QRectF(2, 7, 1, rect.height() - 14), m_style.accent);
    painter.fillRect(QRectF(rect.width() - 3, 7, 1, rect.height() - 14), m_style.accent);
}

void SkinPainter::paintSliderFiller(QPainter &painter, const QRectF &rect, bool hot) const
{
    const QRectF cell = outlineRect(rect);
    if (hot) {
        painter.fillRect(rect, vertical(rect, {{0.0, m_style.accentBright}, {0.45, m_style.accent},
                                               {1.0, mix(m_style.accent, m_style.accentDeep, 0.7)}}));
        hairline(painter, 1, 1, rect.width() - 2, 1, withAlpha(Qt::white, 110));
        painter.setPen(QPen(m_style.accentDeep.darker(140), 1.0));
    } else {
        painter.fillRect(rect, vertical(rect, {{0.0, m_style.plateTop.lighter(125)}, {1.0, m_style.plateBottom}}));
        hairline(painter, 1, 1, rect.width() - 2, 1, withAlpha(m_style.edgeLight, 70));
        painter.setPen(QPen(m_style.edgeDark, 1.0));
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell);
}

void SkinPainter::paintListLine(QPainter &painter, const QRectF &rect) const
{
    painter.fillRect(rect, horizontal(rect, {{0.0, withAlpha(m_style.trim, 0)}, {0.2, withAlpha(m_style.trim, 170)},
                                             {0.8, withAlpha(m_style.trim, 170)}, {1.0, withAlpha(m_style.trim, 0)}}));
}

void SkinPainter::paintListBase(QPainter &painter, const QRectF &rect) const
{
    const QRectF body = outlineRect(rect);
    const QPainterPath outline = plate(body, 5);
    painter.fillPath(outline, vertical(body, {{0.0, withAlpha(m_style.abyss, 245)},
                                              {1.0, withAlpha(mix(m_style.abyss, m_style.plateBottom, 0.6), 245)}}));
    paintTexture(painter, outline, 0.5);
    // Gutter of the scroll bar along the right edge.
    painter.fillRect(QRectF(rect.width() - 7, 6, 5, rect.height() - 12), withAlpha(Qt::black, 120));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(m_style.trim, 200), 1.0));
    painter.drawPath(outline);
    hairline(painter, 6, 1, rect.width() * 0.5, 1, horizontal(QRectF(6, 0, rect.width() * 0.5, 1),
                                                             {{0.0, m_style.accent}, {1.0, withAlpha(m_style.accent, 0)}}));
}

void SkinPainter::paintInputField(QPainter &painter, const QRectF &rect) const
{
    paintRecess(painter, rect, 2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(m_style.trim, 190), 1.0));
    painter.drawPath(plate(outlineRect(rect), 2));
    hairline(painter, 3, rect.height() - 2, rect.width() - 4, rect.height() - 2, withAlpha(m_style.accent, 160));
}

void SkinPainter::paintSwatch(QPainter &painter, const QRectF &rect) const
{
    painter.fillRect(rect, vertical(rect, {{0.0, m_style.plateBottom}, {1.0, m_style.abyss}}));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(m_style.edgeDark, 1.0));
    painter.drawRect(outlineRect(rect));
    hairline(painter, 1, 1, rect.width() - 2, 1, withAlpha(m_style.edgeLight, 60));
    hairline(painter, 6, rect.height() - 3, rect.width() - 7, rect.height() - 3, withAlpha(m_style.trim, 200));
}

void SkinPainter::paintPaletteFrame(QPainter &painter, const QRectF &rect) const
{
    paintPlate(painter, rect, 3, false);
    painter.fillRect(rect.adjusted(3, 3, -3, -3), m_style.abyss);
    hairline(painter, 2, 2, rect.width() - 3, 2, withAlpha(Qt::black, 220));
}

void SkinPainter::paintCheckbox(QPainter &painter, const QRectF &rect, bool hot) const
{
    paintRecess(painter, rect, 2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(hot ? m_style.accent : withAlpha(m_style.trim, 230), 1.0));
    painter.drawPath(plate(outlineRect(rect), 2));
    if (hot) {
        painter.fillRect(rect.adjusted(3, 3, -3, -3), withAlpha(m_style.accent, 70));
        paintGlyph(painter, GlyphShapes::shape(Glyph::Check), rect.adjusted(1.5, 1.5, -1.5, -1.5), true);
    }
}

void SkinPainter::paintButtonTray(QPainter &painter, const QRectF &rect) const
{
    paintRecess(painter, rect, 5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(m_style.trim, 200), 1.0));
    painter.drawPath(plate(outlineRect(rect), 5));
    // Sockets of the two 27 × 22 buttons at x 3 and x 32, y 3.
    for (const qreal x : {2.0, 31.0})
        painter.fillRect(QRectF(x, 2, 29, 24), withAlpha(Qt::black, 150));
    hairline(painter, 8, rect.height() - 1, rect.width() - 9, rect.height() - 1, withAlpha(m_style.accent, 180));
}

void SkinPainter::paintKeyCap(QPainter &painter, const QRectF &rect) const
{
    const QRectF body = outlineRect(rect);
    painter.fillPath(plate(body, 3), vertical(body, {{0.0, m_style.capFace}, {1.0, m_style.capSkirt}}));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(m_style.edgeDark, 1.0));
    painter.drawPath(plate(body, 3));

    // The top face, set in from the skirt, deeper at the bottom.
    const QRectF face = rect.adjusted(2.5, 1.5, -2.5, -4.5);
    painter.fillPath(plate(face, 2), vertical(face, {{0.0, m_style.capFace.lighter(112)}, {1.0, m_style.capFace}}));
    painter.setPen(QPen(QBrush(vertical(face, {{0.0, withAlpha(m_style.edgeLight, 110)}, {0.3, withAlpha(m_style.capLine, 200)},
                                               {1.0, withAlpha(m_style.capLine, 255)}})),
                        1.0));
    painter.drawPath(plate(face, 2));
}

void SkinPainter::paintKeyHighlight(QPainter &painter, const QRectF &rect) const
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(m_style.accent, 90), 1.0));
    painter.drawPath(plate(rect.adjusted(2.5, 2.5, -2.5, -2.5), 2));
    painter.setPen(QPen(m_style.accentBright, 2.0));
    painter.drawPath(plate(rect.adjusted(1, 1, -1, -1), 3));
    const qreal arm = qMin<qreal>(7, qMin(rect.width(), rect.height()) / 3);
    paintCornerBrackets(painter, rect, arm, Qt::white);
}

void SkinPainter::paintBusy(QPainter &painter, const QRectF &rect) const
{
    // Twelve spokes, brightening clockwise: the scene turns the picture clockwise, so the
    // brightest spoke leads and the others trail behind it.
    const QPointF centre = rect.center();
    for (int spoke = 0; spoke < 12; ++spoke) {
        const qreal angle = qDegreesToRadians(spoke * 30.0);
        const QPointF direction(qCos(angle), qSin(angle));
        painter.setPen(QPen(QColor(0xaa, 0xaa, 0xaa, 40 + spoke * 195 / 11), 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre + direction * 5.5, centre + direction * 10.0);
    }
}
