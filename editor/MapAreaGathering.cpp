#include "MapAreaGathering.h"

#include "TGUIRegion.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

QVector<MapArea> GatherMapAreas(const TPTCustomGroup& Scene)
{
    QVector<MapArea> areas;
    const QList<TGUIShape*>& shapes = Scene.Shapes();
    areas.reserve(shapes.size());
    for (auto it = shapes.crbegin(); it != shapes.crend(); ++it) {
        TGUIShape* shape = *it;
        MapArea area;
        // Tested in the writer's order: rectangle, circle, polygon.
        if (qobject_cast<TUIRectangle*>(shape)) {
            area = MapArea::rectangle(shape->Left(), shape->Top(), shape->Width(), shape->Height());
        } else if (qobject_cast<TUICircle*>(shape)) {
            area = MapArea::circle(shape->Left(), shape->Top(), shape->Width(), shape->Height());
        } else if (auto* polygon = qobject_cast<TUIPolygon*>(shape)) {
            const QVector<TPoint>& points = polygon->Points();
            area.shape = MapArea::Shape::Poly;
            area.Vertices.resize(points.size());
            QPoint* vertex = area.Vertices.data();
            for (const TPoint& p : points)
                *vertex++ = QPoint(p.X, p.Y);
        } else {
            continue;
        }
        auto* region = static_cast<TGUIRegion*>(shape);
        area.HRef = region->HRef;
        area.AltText = region->AltText;
        area.Target = region->Target;
        areas.append(area);
    }
    return areas;
}
