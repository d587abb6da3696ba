#include "TPolyOverlay.h"

#include <QCursor>
#include <QGraphicsScene>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QtMath>

namespace {

QPoint wholePixel(const QPointF& p)
{
    return QPoint(qFloor(p.x()), qFloor(p.y()));
}

// A corner square reaches 3 screen pixels left and up and 4 right and down of
// its point (the first corner's mark 5), and the 2-pixel line one more; what
// may be painted outside the image.
constexpr qreal paintMargin = 7;

// The screen pixel that shows image pixel (x, y): its middle when magnified.
QPoint screenPixel(const QTransform& toScreen, const TPoint& p)
{
    const QPointF s = toScreen.map(QPointF(p.X + 0.5, p.Y + 0.5));
    return QPoint(qFloor(s.x()), qFloor(s.y()));
}

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
    if (FPoints.isEmpty())
        FPointerShown = false;
    update();
}

void TPolyOverlay::SetPointer(const TPoint& pointer, bool nearFirst)
{
    if (FPointerShown && pointer == FPointer && nearFirst == FNearFirst)
        return;
    prepareGeometryChange();
    FPointer = pointer;
    FPointerShown = !FPoints.isEmpty();
    FNearFirst = nearFirst;
    update();
}

void TPolyOverlay::ClearPointer()
{
    if (!FPointerShown)
        return;
    prepareGeometryChange();
    FPointerShown = false;
    update();
}

double TPolyOverlay::ViewScale() const
{
    if (!scene() || scene()->views().isEmpty())
        return 1;
    return scene()->views().first()->transform().m11();
}

QRectF TPolyOverlay::boundingRect() const
{
    QRectF bounds = FArea;
    for (const TPoint& p : FPoints)
        bounds |= QRectF(p.X, p.Y, 1, 1);
    if (FPointerShown)
        bounds |= QRectF(FPointer.X, FPointer.Y, 1, 1);
    // The margin is in screen pixels.
    const qreal margin = paintMargin / qMin(ViewScale(), 1.0);
    return bounds.adjusted(-margin, -margin, margin, margin);
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
    // Drawn in screen pixels, so the line and the squares keep their size at any scale.
    const QTransform toScreen = painter->worldTransform();
    painter->resetTransform();
    QPolygon line;
    for (const TPoint& p : FPoints)
        line << screenPixel(toScreen, p);

    // The open line between the corners, inverting what lies below it.
    painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    painter->setBrush(Qt::NoBrush);
    if (line.size() > 1) {
        painter->setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter->drawPolyline(line);
    }
    // The next edge, from the last corner to the pointer, dotted.
    if (FPointerShown) {
        painter->setPen(QPen(Qt::white, 0, Qt::DotLine));
        painter->drawLine(line.last(), screenPixel(toScreen, FPointer));
    }
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);

    // A white 7 x 7 square with a black border on every corner; the first one
    // black and larger while a click would close the polygon there.
    painter->setPen(QPen(Qt::black, 0));
    painter->setBrush(Qt::white);
    for (const QPoint& p : std::as_const(line))
        painter->drawRect(QRect(p.x() - 3, p.y() - 3, 6, 6));
    if (FirstCornerMarked()) {
        painter->setBrush(Qt::black);
        painter->drawRect(QRect(line.first().x() - 5, line.first().y() - 5, 10, 10));
    }
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

void TPolyOverlay::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    const QPoint p = wholePixel(event->scenePos());
    emit DoubleClick(event->button(), event->modifiers(), p.x(), p.y());
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
