#pragma once

#include "MapArea.h"

#include <QPolygonF>
#include <QRect>

// An area as a browser reads the coordinates the writer gives it: rectangles with their corners in
// either order, circles as centre and radius, polygons as their vertices.
struct AreaGeometry
{
    MapArea::Shape Shape = MapArea::Shape::Rect;
    qint64 X1 = 0, Y1 = 0, X2 = 0, Y2 = 0; // rectangle, corners ordered
    qint64 CX = 0, CY = 0, R = 0;          // circle
    QPolygonF Polygon;

    static AreaGeometry Of(const MapArea& Area);
    // The smallest rectangle holding the area, in picture pixels (right and bottom excluded).
    QRect Bounds() const;
    // Whether a browser gives the point to this area.
    bool Contains(double X, double Y) const;
};

// Whether two edges of the polygon that do not share a vertex touch or cross.
bool PolygonCrossesItself(const QVector<QPoint>& Vertices);
// The number of different points among the vertices.
int DistinctPoints(const QVector<QPoint>& Vertices);
// Whether every vertex lies on one straight line (fewer than three points do too).
bool AllOnOneLine(const QVector<QPoint>& Vertices);
