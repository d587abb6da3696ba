#pragma once

#include <QPair>
#include <QPoint>
#include <QString>
#include <QVector>

// Attributes as written in a page, in their order: name and value.
using AttributeList = QVector<QPair<QString, QString>>;

// One hotspot of an image map as plain values: what the writer reads and the
// importer produces. Rectangles and circles use the bounds (right = Left +
// Width, bottom = Top + Height, either may be negative); polygons use Vertices.
struct MapArea
{
    enum class Shape
    {
        Rect,
        Circle,
        Poly
    };

    Shape shape = Shape::Rect;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    QVector<QPoint> Vertices;
    QString HRef;
    QString AltText;
    QString Target;
    // The area's attributes that have no field of their own (title, id, event
    // handlers...), kept so that they are written back.
    AttributeList Attributes;
    // The area's position in the map it was imported from; -1 for an area
    // drawn in the editor. Says where it came from, not what it is, so it
    // takes no part in comparisons.
    int SourceArea = -1;

    static MapArea rectangle(int left, int top, int width, int height)
    {
        MapArea a;
        a.shape = Shape::Rect;
        a.Left = left;
        a.Top = top;
        a.Width = width;
        a.Height = height;
        return a;
    }
    static MapArea circle(int left, int top, int width, int height)
    {
        MapArea a = rectangle(left, top, width, height);
        a.shape = Shape::Circle;
        return a;
    }
    static MapArea polygon(const QVector<QPoint>& vertices)
    {
        MapArea a;
        a.shape = Shape::Poly;
        a.Vertices = vertices;
        return a;
    }

    friend bool operator==(const MapArea& a, const MapArea& b)
    {
        return a.shape == b.shape && a.Left == b.Left && a.Top == b.Top && a.Width == b.Width &&
               a.Height == b.Height && a.Vertices == b.Vertices && a.HRef == b.HRef &&
               a.AltText == b.AltText && a.Target == b.Target && a.Attributes == b.Attributes;
    }
    friend bool operator!=(const MapArea& a, const MapArea& b) { return !(a == b); }
};
