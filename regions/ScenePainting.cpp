// The scene panel's painting: the surround, the picture through OnPaint, the pixel grid, and the
// inverted outlines over everything.
#include "UPTFrame.h"

#include <QPainter>
#include <algorithm>

void TPTCustomGroup::drawBackground(QPainter* Painter, const QRectF& Rect)
{
    // Around the picture: the scroll box's button-shadow colour.
    Painter->fillRect(Rect, palette().color(QPalette::Dark));
    const QRectF Client = ClientRect();
    Painter->save();
    Painter->setClipRect(Client);
    Painter->fillRect(Client, FColor);
    Painter->setFont(font());
    if (FDefaultDrawing && FFrameStyle != ptfsGroup && !FCaption.isEmpty()) {
        const QRectF TextArea = Client.adjusted(FFrameSpace, 0, -FFrameSpace, 0);
        const Qt::Alignment Align = FAlignment == taLeftJustify    ? Qt::AlignLeft
                                    : FAlignment == taRightJustify ? Qt::AlignRight
                                                                   : Qt::AlignHCenter;
        const QString Text = fontMetrics().elidedText(FCaption, Qt::ElideRight, int(TextArea.width()));
        Painter->setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::Dark));
        Painter->drawText(TextArea, Align | Qt::AlignVCenter | Qt::TextSingleLine, Text);
    }
    if (OnPaint)
        OnPaint(this, Painter);
    Painter->restore();
    DrawPixelGrid(Painter, Rect);
    // The regions, from their tiles: the scene's items leave their painting to the panel.
    DrawRegionTiles(Painter, Rect);
}

void TPTCustomGroup::SetGuides(const QVector<QLineF>& Lines)
{
    if (Lines == FGuides)
        return;
    FGuides = Lines;
    viewport()->update();
}

void TPTCustomGroup::drawForeground(QPainter* Painter, const QRectF& /*Rect*/)
{
    if (!FGuides.isEmpty()) {
        Painter->save();
        QPen Pen(QColor(255, 0, 255), 0);
        Pen.setCosmetic(true);
        Painter->setPen(Pen);
        Painter->drawLines(FGuides);
        Painter->restore();
    }
    if (FInverted.isEmpty())
        return;
    Painter->save();
    Painter->setRenderHint(QPainter::Antialiasing, false);
    // Inverting the pixels under a dotted pen: visible on any picture, and nothing underneath changes.
    Painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    Painter->setPen(QPen(Qt::white, 0, Qt::DotLine));
    Painter->setBrush(Qt::NoBrush);
    // One screen pixel inside the far edges, and vertices in the middle of their pixels, as the regions
    // draw themselves (TGUIRegion::PreparePaint) at any scale.
    const double Scale = std::max(Painter->worldTransform().m11(), 1.0);
    const double Inset = 0.5 - 0.5 / Scale;
    for (const TInvertedShape& S : std::as_const(FInverted)) {
        switch (S.ShapeKind) {
        case TInvertedShape::Rectangle:
        case TInvertedShape::Ellipse: {
            const TRect R = NormalizeRect(S.R);
            if (RectWidth(R) <= 0 || RectHeight(R) <= 0)
                break;
            const QRectF Q(R.Left, R.Top, RectWidth(R) - 1 / Scale, RectHeight(R) - 1 / Scale);
            if (S.ShapeKind == TInvertedShape::Rectangle)
                Painter->drawRect(Q);
            else
                Painter->drawEllipse(Q);
            break;
        }
        case TInvertedShape::Polygon:
        case TInvertedShape::Polyline: {
            QPolygonF Poly;
            for (const TPoint& P : S.Points)
                Poly << QPointF(P.X + Inset, P.Y + Inset);
            if (S.ShapeKind == TInvertedShape::Polygon)
                Painter->drawPolygon(Poly);
            else
                Painter->drawPolyline(Poly);
            break;
        }
        }
    }
    Painter->restore();
}
