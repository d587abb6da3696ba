#include "TPolyOverlay.h"

#include <QCursor>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QtMath>

namespace {

QPoint wholePixel(const QPointF& p)
{
    return QPoint(qFloor(p.x()), qFloor(p.y()));
}

// A corner square reaches 3 pixels left and up and 4 right and down of its
// point, and the 2-pixel line one more; what may be painted outside the image.
constexpr qreal paintMargin = 5;

} // namespace

TPolyOverlay::TPolyOverlay(QGraphicsItem* parent) : QGraphicsObject(parent)
{
    setObjectName(QStringLiteral("PaintBoxPoly"));
    setCursor(Qt::CrossCursor);
    setAcceptedMouseButtons(Qt::LeftButton);
    setAcceptHoverEvents(true);
    setVisible(false);
}

void TPolyOverlay::SetArea(const QRectF& area)
{
    if (area == FArea)
        return;
    prepareGeometryChange();
    FArea = area;
}

void TPolyOverlay::SetPoints(const QVector<TPoint>& points)
{
    if (points == FPoints)
        return;
    // Corners outside the area still paint, so the bounds follow them.
    prepareGeometryChange();
    FPoints = points;
    update();
}

QRectF TPolyOverlay::boundingRect() const
{
    QRectF bounds = FArea;
    for (const TPoint& p : FPoints)
        bounds |= QRectF(p.X, p.Y, 1, 1);
    return bounds.adjusted(-paintMargin, -paintMargin, paintMargin, paintMargin);
}

QPainterPath TPolyOverlay::shape() const
{
    QPainterPath path;
    path.addRect(FArea);
    return path;
}

void TPolyOverlay::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (FPoints.isEmpty())
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);

    // The open line between the corners, inverting what lies below it.
    if (FPoints.size() > 1) {
        painter->setCompositionMode(QPainter::RasterOp_NotDestination);
        painter->setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter->setBrush(Qt::NoBrush);
        QPolygon line;
        for (const TPoint& p : FPoints)
            line << QPoint(p.X, p.Y);
        painter->drawPolyline(line);
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    // A white 7 x 7 square with a black border on every corner.
    painter->setPen(QPen(Qt::black, 0));
    painter->setBrush(Qt::white);
    for (const TPoint& p : FPoints)
        painter->drawRect(QRect(p.X - 3, p.Y - 3, 6, 6));
    painter->restore();
}

void TPolyOverlay::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    const QPoint p = wholePixel(event->scenePos());
    emit MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TPolyOverlay::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    const QPoint p = wholePixel(event->scenePos());
    emit MouseMove(event->modifiers(), p.x(), p.y());
}

void TPolyOverlay::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    event->accept();
}

void TPolyOverlay::hoverMoveEvent(QGraphicsSceneHoverEvent* event)
{
    const QPoint p = wholePixel(event->scenePos());
    emit MouseMove(event->modifiers(), p.x(), p.y());
}
