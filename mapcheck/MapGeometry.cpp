#include "MapGeometry.h"

#include <QSet>
#include <algorithm>

AreaGeometry AreaGeometry::Of(const MapArea& Area)
{
    AreaGeometry g;
    g.Shape = Area.shape;
    switch (Area.shape) {
    case MapArea::Shape::Rect: {
        const qint64 right = qint64(Area.Left) + Area.Width, bottom = qint64(Area.Top) + Area.Height;
        g.X1 = std::min<qint64>(Area.Left, right);
        g.X2 = std::max<qint64>(Area.Left, right);
        g.Y1 = std::min<qint64>(Area.Top, bottom);
        g.Y2 = std::max<qint64>(Area.Top, bottom);
        break;
    }
    case MapArea::Shape::Circle:
        // The writer's centre and radius: its halves truncate toward zero.
        g.CX = qint64(Area.Left) + Area.Width / 2;
        g.CY = qint64(Area.Top) + Area.Height / 2;
        g.R = std::abs(Area.Width / 2);
        break;
    case MapArea::Shape::Poly:
        g.Polygon.reserve(Area.Vertices.size());
        for (const QPoint& p : Area.Vertices)
            g.Polygon.append(QPointF(p));
        break;
    }
    return g;
}

QRect AreaGeometry::Bounds() const
{
    switch (Shape) {
    case MapArea::Shape::Rect:
        return QRect(QPoint(int(X1), int(Y1)), QPoint(int(X2) - 1, int(Y2) - 1));
    case MapArea::Shape::Circle:
        return QRect(QPoint(int(CX - R), int(CY - R)), QPoint(int(CX + R) - 1, int(CY + R) - 1));
    case MapArea::Shape::Poly: {
        const QRectF r = Polygon.boundingRect();
        return QRect(QPoint(int(r.left()), int(r.top())), QPoint(int(r.right()) - 1, int(r.bottom()) - 1));
    }
    }
    return QRect();
}

bool AreaGeometry::Contains(double X, double Y) const
{
    switch (Shape) {
    case MapArea::Shape::Rect:
        return X >= X1 && X <= X2 && Y >= Y1 && Y <= Y2;
    case MapArea::Shape::Circle: {
        const double dx = X - CX, dy = Y - CY;
        return dx * dx + dy * dy <= double(R) * R;
    }
    case MapArea::Shape::Poly:
        // Browsers fill the area's path with the nonzero rule.
        return Polygon.containsPoint(QPointF(X, Y), Qt::WindingFill);
    }
    return false;
}

namespace {
int Orientation(QPoint a, QPoint b, QPoint c)
{
    const qint64 v = (qint64(b.x()) - a.x()) * (qint64(c.y()) - a.y()) -
                     (qint64(b.y()) - a.y()) * (qint64(c.x()) - a.x());
    return v > 0 ? 1 : v < 0 ? -1 : 0;
}

bool OnSegment(QPoint a, QPoint b, QPoint p)
{
    return std::min(a.x(), b.x()) <= p.x() && p.x() <= std::max(a.x(), b.x()) && std::min(a.y(), b.y()) <= p.y() &&
           p.y() <= std::max(a.y(), b.y());
}

bool SegmentsMeet(QPoint a, QPoint b, QPoint c, QPoint d)
{
    const int o1 = Orientation(a, b, c), o2 = Orientation(a, b, d), o3 = Orientation(c, d, a),
              o4 = Orientation(c, d, b);
    if (o1 != o2 && o3 != o4)
        return true;
    return (o1 == 0 && OnSegment(a, b, c)) || (o2 == 0 && OnSegment(a, b, d)) || (o3 == 0 && OnSegment(c, d, a)) ||
           (o4 == 0 && OnSegment(c, d, b));
}
} // namespace

bool PolygonCrossesItself(const QVector<QPoint>& Vertices)
{
    // Repeated points in a row are one vertex.
    QVector<QPoint> v;
    for (const QPoint& p : Vertices)
        if (v.isEmpty() || v.last() != p)
            v.append(p);
    while (v.size() > 1 && v.first() == v.last())
        v.removeLast();
    const int n = v.size();
    if (n < 4)
        return false;
    for (int i = 0; i < n; ++i) {
        const QPoint a = v[i], b = v[(i + 1) % n];
        for (int j = i + 1; j < n; ++j) {
            // Neighbouring edges share a vertex and always meet there.
            if (j == i + 1 || (i == 0 && j == n - 1))
                continue;
            if (SegmentsMeet(a, b, v[j], v[(j + 1) % n]))
                return true;
        }
    }
    return false;
}

int DistinctPoints(const QVector<QPoint>& Vertices)
{
    QSet<QPair<int, int>> seen;
    for (const QPoint& p : Vertices)
        seen.insert({p.x(), p.y()});
    return int(seen.size());
}

bool AllOnOneLine(const QVector<QPoint>& Vertices)
{
    if (Vertices.isEmpty())
        return true;
    const QPoint a = Vertices.first();
    QPoint b = a;
    for (const QPoint& p : Vertices) {
        if (b == a && p != a)
            b = p;
        else if (b != a && Orientation(a, b, p) != 0)
            return false;
    }
    return true;
}
