#pragma once

#include <QPoint>
#include <QString>
#include <QVector>

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
               a.AltText == b.AltText && a.Target == b.Target;
    }
    friend bool operator!=(const MapArea& a, const MapArea& b) { return !(a == b); }
};
