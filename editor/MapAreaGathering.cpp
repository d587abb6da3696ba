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
            QVector<QPoint> vertices;
            vertices.reserve(polygon->PointCount());
            for (const TPoint& p : polygon->Points())
                vertices.append(QPoint(p.X, p.Y));
            area = MapArea::polygon(vertices);
        } else {
            continue;
        }
        auto* region = static_cast<TGUIRegion*>(shape);
        area.HRef = region->HRef;
        area.AltText = region->AltText;
        area.Target = region->Target;
        area.Attributes = region->Attributes;
        area.SourceArea = region->SourceArea;
        areas.append(area);
    }
    return areas;
}
