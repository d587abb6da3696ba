#pragma once

// The large map the benchmarks import and write: a third rectangles, a third
// circles, a third polygons of 60 vertices, spread over Origin + a 3000 x 2000
// area.
#include "MapArea.h"

#include <QPoint>
#include <QVector>
#include <QtMath>

inline QVector<MapArea> GenerateMapAreas(int Count, QPoint Origin = QPoint())
{
    QVector<MapArea> areas;
    areas.reserve(Count);
    for (int i = 0; i < Count; ++i) {
        const int x = Origin.x() + (i * 37) % 3000, y = Origin.y() + (i * 53) % 2000;
        MapArea a;
        switch (i % 3) {
        case 0:
            a = MapArea::rectangle(x, y, 40 + i % 50, 30 + i % 40);
            break;
        case 1:
            a = MapArea::circle(x, y, 30 + i % 20, 30 + i % 20);
            break;
        default: {
            QVector<QPoint> vertices;
            for (int v = 0; v < 60; ++v) {
                const double angle = v * 2 * M_PI / 60;
                vertices.append(QPoint(x + qRound(50 * qCos(angle)), y + qRound(50 * qSin(angle))));
            }
            a = MapArea::polygon(vertices);
            break;
        }
        }
        a.HRef = QStringLiteral("http://www.corvanta.example/page%1.html").arg(i);
        a.AltText = QStringLiteral("Area number %1").arg(i);
        a.Target = QStringLiteral("_blank");
        areas.append(a);
    }
    return areas;
}

// A page of about 100 bytes per area as written: rectangles and circles in turn, with short
// links and texts, so that 1,000,000 areas make about 100 MB.
inline QVector<MapArea> GenerateCompactMapAreas(int Count)
{
    QVector<MapArea> areas;
    areas.reserve(Count);
    for (int i = 0; i < Count; ++i) {
        const int x = (i * 37) % 3000, y = (i * 53) % 2000;
        MapArea a = i % 2 == 0 ? MapArea::rectangle(x, y, 40 + i % 50, 30 + i % 40)
                               : MapArea::circle(x, y, 30 + i % 20, 30 + i % 20);
        a.HRef = QStringLiteral("pages/p%1.htm").arg(i);
        a.AltText = QStringLiteral("Area %1").arg(i);
        areas.append(a);
    }
    return areas;
}
