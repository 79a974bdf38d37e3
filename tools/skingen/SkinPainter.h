// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SkinCatalogue.h"
#include "SkinStyle.h"

#include <QImage>
#include <QPainterPath>

class QPainter;

// Draws the pictures of one skin. Pure: the same picture and style give the same pixels.
class SkinPainter
{
public:
    explicit SkinPainter(const SkinStyle &style);

    // An image of the picture's size, premultiplied ARGB.
    QImage render(const SkinCatalogue::Picture &picture) const;

private:
    // A plate's outline: chamfered at two corners or rounded, by skin.
    QPainterPath plate(const QRectF &rect, qreal corner) const;
    // The window's outline: all four corners cut or rounded.
    QPainterPath windowOutline(const QRectF &rect, qreal corner) const;
    void paintPlate(QPainter &painter, const QRectF &rect, qreal corner, bool hot) const;
    void paintRecess(QPainter &painter, const QRectF &rect, qreal corner) const;
    void paintGlyph(QPainter &painter, const QPainterPath &glyph, const QRectF &box, bool hot) const;
    void paintTexture(QPainter &painter, const QPainterPath &area, qreal opacity) const;
    void paintCornerBrackets(QPainter &painter, const QRectF &rect, qreal length, const QColor &colour) const;

    void paintBackground(QPainter &painter, const QRectF &rect) const;
    void paintFrame(QPainter &painter, const QRectF &rect) const;
    void paintDecoration(QPainter &painter, const QRectF &rect) const;
    void paintLogo(QPainter &painter, const QRectF &rect, bool hot) const;
    void paintTopBar(QPainter &painter, const QRectF &rect) const;
    void paintBottomBar(QPainter &painter, const QRectF &rect) const;
    void paintProfilePanel(QPainter &painter, const QRectF &rect) const;
    void paintProfileMarker(QPainter &painter, const QRectF &rect, bool hot) const;
    void paintMenuButton(QPainter &painter, const QRectF &rect, bool hot) const;
    void paintButton(QPainter &painter, const QRectF &rect, SkinCatalogue::Glyph glyph, bool hot) const;
    void paintPage(QPainter &painter, const QRectF &rect, SkinCatalogue::Page page) const;
    void paintSliderBase(QPainter &painter, const QRectF &rect) const;
    void paintSliderFiller(QPainter &painter, const QRectF &rect, bool hot) const;
    void paintListLine(QPainter &painter, const QRectF &rect) const;
    void paintListBase(QPainter &painter, const QRectF &rect) const;
    void paintInputField(QPainter &painter, const QRectF &rect) const;
    void paintSwatch(QPainter &painter, const QRectF &rect) const;
    void paintPaletteFrame(QPainter &painter, const QRectF &rect) const;
    void paintCheckbox(QPainter &painter, const QRectF &rect, bool hot) const;
    void paintButtonTray(QPainter &painter, const QRectF &rect) const;
    void paintKeyCap(QPainter &painter, const QRectF &rect) const;
    void paintKeyHighlight(QPainter &painter, const QRectF &rect) const;
    void paintBusy(QPainter &painter, const QRectF &rect) const;

    const SkinStyle &m_style;
};
