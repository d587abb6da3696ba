#pragma once

#include "Geometry.h"

#include <QGraphicsObject>
#include <QRectF>
#include <QVector>

// The polygon tool's overlay: covers the whole image above the regions while
// the tool is active, takes the left presses and shows the corners placed so
// far with the open polyline between them.
class TPolyOverlay : public QGraphicsObject
{
    Q_OBJECT

public:
    explicit TPolyOverlay(QGraphicsItem* parent = nullptr);

    // The area that takes the presses: the image, in scene coordinates.
    void SetArea(const QRectF& area);
    QRectF Area() const { return FArea; }

    // The corners to show; the overlay keeps a copy and repaints.
    void SetPoints(const QVector<TPoint>& points);
    QVector<TPoint> Points() const { return FPoints; }

    // The pointer while a polygon is being drawn: a line runs from the last corner to it, and the
    // first corner is marked while the pointer is close enough to close the polygon there.
    void SetPointer(const TPoint& pointer, bool nearFirst);
    void ClearPointer();
    bool PointerShown() const { return FPointerShown; }
    bool FirstCornerMarked() const { return FPointerShown && FNearFirst; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

signals:
    // A press or a move on the overlay at a whole-pixel scene position.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    // The second press of a double click, instead of a MouseDown.
    void DoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;

private:
    // The scene's scale as the first view shows it: corners and lines are drawn in screen pixels.
    double ViewScale() const;

    QRectF FArea;
    QVector<TPoint> FPoints;
    TPoint FPointer;
    bool FPointerShown = false;
    bool FNearFirst = false;
};
