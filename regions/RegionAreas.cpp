#include "RegionAreas.h"

#include "DefaultHRef.h"
#include "TGUIRegion.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

namespace {

QVector<TPoint> ToPoints(const QVector<QPoint>& Vertices)
{
    QVector<TPoint> points;
    points.reserve(Vertices.size());
    for (const QPoint& p : Vertices)
        points.append(TPoint{p.x(), p.y()});
    return points;
}

} // namespace

MapArea RegionArea(const TGUIRegion& Region)
{
    MapArea area;
    // Tested in the writer's order: rectangle, circle, polygon.
    if (qobject_cast<const TUIRectangle*>(&Region)) {
        area = MapArea::rectangle(Region.Left(), Region.Top(), Region.Width(), Region.Height());
    } else if (qobject_cast<const TUICircle*>(&Region)) {
        area = MapArea::circle(Region.Left(), Region.Top(), Region.Width(), Region.Height());
    } else if (auto* polygon = qobject_cast<const TUIPolygon*>(&Region)) {
        const QVector<TPoint>& points = polygon->Points();
        area.shape = MapArea::Shape::Poly;
        area.Vertices.resize(points.size());
        QPoint* vertex = area.Vertices.data();
        for (const TPoint& p : points)
            *vertex++ = QPoint(p.X, p.Y);
    }
    area.HRef = Region.HRef;
    area.AltText = Region.AltText;
    area.Target = Region.Target;
    area.Attributes = Region.Attributes;
    area.SourceArea = Region.SourceArea;
    return area;
}

TGUIRegion* CreateRegion(TPTCustomGroup* Scene, const MapArea& Area)
{
    TGUIRegion* region = nullptr;
    switch (Area.shape) {
    case MapArea::Shape::Rect:
        region = new TUIRectangle(Scene);
        break;
    case MapArea::Shape::Circle:
        region = new TUICircle(Scene);
        break;
    case MapArea::Shape::Poly:
        region = new TUIPolygon(Scene);
        break;
    }
    ApplyAreaGeometry(*region, Area);
    ApplyAreaTexts(*region, Area);
    region->SourceArea = Area.SourceArea;
    return region;
}

void CreateRegions(TPTCustomGroup* Scene, const QVector<MapArea>& Areas, bool FrontFirst,
                   const std::function<void(qsizetype Done)>& Step)
{
    TDefaultHRefBatch oneLookup;
    const bool updates = Scene->updatesEnabled();
    Scene->setUpdatesEnabled(false);
    Scene->BeginBulkAdd();
    const qsizetype count = Areas.size();
    for (qsizetype done = 0; done < count; ++done) {
        if (Step && done % 2048 == 0) {
            Scene->IndexNewShapes();
            Step(done);
        }
        CreateRegion(Scene, Areas[FrontFirst ? count - 1 - done : done]);
    }
    Scene->EndBulkAdd();
    if (Step)
        Scene->PrepareLookups([&] { Step(count); });
    Scene->setUpdatesEnabled(updates);
}

void ApplyAreaGeometry(TGUIRegion& Region, const MapArea& Area)
{
    if (auto* polygon = qobject_cast<TUIPolygon*>(&Region))
        polygon->SetPoints(ToPoints(Area.Vertices));
    else if (qobject_cast<TUIRectangle*>(&Region))
        // Corners given right to left or bottom to top mean the same rectangle, as in a browser.
        Region.SetBoundsRect(NormalizeRect(BoundsToRect(Area.Left, Area.Top, Area.Width, Area.Height)));
    else
        Region.SetBounds(Area.Left, Area.Top, Area.Width, Area.Height);
}

void ApplyAreaTexts(TGUIRegion& Region, const MapArea& Area)
{
    Region.HRef = Area.HRef;
    Region.Target = Area.Target;
    Region.AltText = Area.AltText;
    Region.Attributes = Area.Attributes;
}
