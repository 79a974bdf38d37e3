// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlyphShapes.h"

#include <QPainterPathStroker>
#include <QPolygonF>
#include <QtMath>

using SkinCatalogue::Glyph;

namespace {

QPainterPath stroked(const QPainterPath &path, qreal width, Qt::PenCapStyle cap = Qt::FlatCap,
                     Qt::PenJoinStyle join = Qt::MiterJoin)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(join);
    return stroker.createStroke(path).simplified();
}

QPainterPath line(qreal x1, qreal y1, qreal x2, qreal y2, qreal width, Qt::PenCapStyle cap = Qt::FlatCap)
{
    QPainterPath path(QPointF(x1, y1));
    path.lineTo(x2, y2);
    return stroked(path, width, cap);
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath roundedOutline(const QRectF &rect, qreal radius, qreal width)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return stroked(path, width);
}

QPainterPath circle(qreal cx, qreal cy, qreal r)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

QPainterPath gear()
{
    const QPointF centre(12, 12);
    QPolygonF outline;
    for (int tooth = 0; tooth < 8; ++tooth) {
        const qreal a = tooth * 45.0;
        for (const auto &[offset, radius] : {std::pair{-15.0, 8.4}, {-9.0, 11.2}, {9.0, 11.2}, {15.0, 8.4}}) {
            const qreal angle = qDegreesToRadians(a + offset);
            outline << centre + QPointF(radius * qCos(angle), radius * qSin(angle));
        }
    }
    QPainterPath body;
    body.addPolygon(outline);
    body.closeSubpath();
    return body.subtracted(circle(12, 12, 3.6));
}

QPainterPath keyboard()
{
    QPainterPath path = roundedOutline(QRectF(2.5, 6, 19, 12.5), 2, 1.6);
    for (int column = 0; column < 5; ++column)
        path.addRect(QRectF(5 + column * 3, 8.8, 2, 2));
    for (int column = 0; column < 4; ++column)
        path.addRect(QRectF(6.5 + column * 3, 11.8, 2, 2));
    path.addRect(QRectF(8, 14.8, 8, 1.8));
    return path.simplified();
}

QPainterPath keyDefine()
{
    QPainterPath path = roundedOutline(QRectF(3, 3, 18, 18), 3, 1.7);
    path = path.united(roundedOutline(QRectF(6.5, 5.5, 11, 10), 1.5, 1.4));
    path = path.united(line(4.2, 19.8, 6.9, 15.1, 1.2));
    path = path.united(line(19.8, 19.8, 17.1, 15.1, 1.2));
    return path;
}

QPainterPath macro()
{
    QPainterPath path = polygon({{3, 6}, {10.5, 12}, {3, 18}});
    for (qreal y : {6.0, 11.0, 16.0})
        path.addRect(QRectF(13, y, 8, 2.2));
    return path.simplified();
}

QPainterPath lighting()
{
    QPainterPath path = circle(12, 12, 4.2);
    for (int ray = 0; ray < 8; ++ray) {
        const qreal angle = qDegreesToRadians(ray * 45.0);
        const QPointF direction(qCos(angle), qSin(angle));
        const QPointF from = QPointF(12, 12) + direction * 6.6;
        const QPointF to = QPointF(12, 12) + direction * (ray % 2 ? 9.4 : 10.8);
        path = path.united(line(from.x(), from.y(), to.x(), to.y(), 2.0));
    }
    return path;
}

QPainterPath trash()
{
    QPainterPath path = line(3.5, 6.2, 20.5, 6.2, 1.8);
    path = path.united(stroked(polygon({{6, 8.5}, {18, 8.5}, {17, 21}, {7, 21}}), 1.6));
    QPainterPath handle(QPointF(9.5, 5.3));
    handle.lineTo(9.5, 3);
    handle.lineTo(14.5, 3);
    handle.lineTo(14.5, 5.3);
    path = path.united(stroked(handle, 1.4));
    path = path.united(line(10.2, 11, 10.2, 18.5, 1.3));
    return path.united(line(13.8, 11, 13.8, 18.5, 1.3));
}

QPainterPath scissors()
{
    QPainterPath rings;
    rings.addEllipse(QPointF(7, 18), 3, 3);
    rings.addEllipse(QPointF(17, 18), 3, 3);
    QPainterPath path = stroked(rings, 1.6);
    path = path.united(line(9, 15.5, 16.5, 2.5, 1.8));
    path = path.united(line(15, 15.5, 7.5, 2.5, 1.8));
    return path;
}

QPainterPath paste()
{
    QPainterPath path = roundedOutline(QRectF(4.5, 4.5, 15, 17), 2, 1.6);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(8.5, 2.5, 7, 4.2), 1, 1);
    path = path.united(clip);
    path = path.united(line(8, 11, 16, 11, 1.4));
    path = path.united(line(8, 14.5, 16, 14.5, 1.4));
    return path.united(line(8, 18, 13, 18, 1.4));
}

QPainterPath copy()
{
    const QRectF front(3.5, 7.5, 12, 14);
    QPainterPath cover;
    cover.addRoundedRect(front.adjusted(-1.6, -1.6, 1.6, 1.6), 2, 2);
    QPainterPath back = roundedOutline(QRectF(8.5, 2.5, 12, 14), 1.5, 1.6).subtracted(cover);
    return back.united(roundedOutline(front, 1.5, 1.6));
}

QPainterPath reset()
{
    const QRectF ring(5, 5, 14, 14);
    const qreal start = 80.0;
    const qreal span = -285.0;
    QPainterPath arc;
    arc.arcMoveTo(ring, start);
    arc.arcTo(ring, start, span);
    QPainterPath path = stroked(arc, 2.2);
    // Arrow head at the end of the arc, pointing along the clockwise turn.
    const qreal end = qDegreesToRadians(start + span);
    const QPointF tip(12 + 7 * qCos(end), 12 - 7 * qSin(end));
    const QPointF along(qSin(end), qCos(end));
    const QPointF across(along.y(), -along.x());
    return path.united(polygon({tip + along * 3.6, tip + across * 3.4, tip - across * 3.4}));
}

} // namespace

QPainterPath GlyphShapes::shape(Glyph glyph)
{
    switch (glyph) {
    case Glyph::None:
        return {};
    case Glyph::Gear:
        return gear();
    case Glyph::Close:
        return line(6.5, 6.5, 17.5, 17.5, 2.4, Qt::SquareCap).united(line(17.5, 6.5, 6.5, 17.5, 2.4, Qt::SquareCap));
    case Glyph::Keyboard:
        return keyboard();
    case Glyph::KeyDefine:
        return keyDefine();
    case Glyph::Macro:
        return macro();
    case Glyph::Lighting:
        return lighting();
    case Glyph::Plus:
        return line(12, 5, 12, 19, 2.6).united(line(5, 12, 19, 12, 2.6));
    case Glyph::Minus:
        return line(5, 12, 19, 12, 2.6);
    case Glyph::Record:
        return circle(12, 12, 6.5);
    case Glyph::Stop: {
        QPainterPath path;
        path.addRect(QRectF(6, 6, 12, 12));
        return path;
    }
    case Glyph::Trash:
        return trash();
    case Glyph::Scissors:
        return scissors();
    case Glyph::Paste:
        return paste();
    case Glyph::Copy:
        return copy();
    case Glyph::Reset:
        return reset();
    case Glyph::Check: {
        QPainterPath mark(QPointF(5, 12.5));
        mark.lineTo(10, 17.5);
        mark.lineTo(19.5, 7);
        return stroked(mark, 2.8);
    }
    }
    return {};
}

QPainterPath GlyphShapes::layers()
{
    QPainterPath path = polygon({{12, 3}, {21, 7.5}, {12, 12}, {3, 7.5}});
    for (qreal y : {12.0, 16.5}) {
        QPainterPath chevron(QPointF(3.8, y - 0.4));
        chevron.lineTo(12, y + 3.7);
        chevron.lineTo(20.2, y - 0.4);
        path = path.united(stroked(chevron, 1.8));
    }
    return path;
}
