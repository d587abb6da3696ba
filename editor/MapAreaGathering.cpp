#include "MapAreaGathering.h"

#include "TGUIRegion.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

namespace {

// Regions gathered between two progress reports.
constexpr int SliceSize = 4096;

} // namespace

QVector<MapArea> GatherMapAreas(const TPTCustomGroup& Scene)
{
    return *GatherMapAreas(Scene, nullptr);
}

std::optional<QVector<MapArea>> GatherMapAreas(const TPTCustomGroup& Scene,
                                               const std::function<bool(qint64, qint64)>& Progress)
{
    QVector<MapArea> areas;
    const QList<TGUIShape*>& shapes = Scene.Shapes();
    areas.reserve(shapes.size());
    qint64 done = 0;
    for (auto it = shapes.crbegin(); it != shapes.crend(); ++it, ++done) {
        if (Progress && done % SliceSize == 0 && !Progress(done, shapes.size()))
            return std::nullopt;
        TGUIShape* shape = *it;
        if (!qobject_cast<TUIRectangle*>(shape) && !qobject_cast<TUICircle*>(shape) &&
            !qobject_cast<TUIPolygon*>(shape))
            continue;
        areas.append(RegionArea(*static_cast<TGUIRegion*>(shape)));
    }
    return areas;
}
