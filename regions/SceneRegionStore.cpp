// The scene panel as a document's store of areas: each area is a region, made from its value and
// read back into one.
#include "UPTFrame.h"

#include "RegionAreas.h"
#include "TGUIRegion.h"

namespace {

// Only a changed geometry is given again: a polygon given its vertices rebuilds its handles.
bool SameGeometry(const MapArea& A, const MapArea& B)
{
    return A.shape == B.shape && A.Left == B.Left && A.Top == B.Top && A.Width == B.Width &&
           A.Height == B.Height && A.Vertices == B.Vertices;
}

} // namespace

int TPTCustomGroup::AreaCount() const
{
    return int(FShapes.size());
}

MapArea TPTCustomGroup::AreaAt(int Position) const
{
    if (Position < 0 || Position >= FShapes.size())
        return MapArea();
    if (auto* region = qobject_cast<TGUIRegion*>(FShapes.at(Position)))
        return RegionArea(*region);
    return MapArea();
}

QVector<MapArea> TPTCustomGroup::AllAreas() const
{
    QVector<MapArea> areas;
    areas.reserve(FShapes.size());
    for (TGUIShape* shape : FShapes)
        if (auto* region = qobject_cast<TGUIRegion*>(shape))
            areas.append(RegionArea(*region));
    return areas;
}

QVector<MapArea> TPTCustomGroup::AllAreasStepped(const std::function<void(qsizetype, qsizetype)>& Step) const
{
    if (!Step)
        return AllAreas();
    QVector<MapArea> areas;
    const qsizetype count = FShapes.size();
    areas.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        if (i % 4096 == 0)
            Step(i, count);
        if (auto* region = qobject_cast<TGUIRegion*>(FShapes.at(i)))
            areas.append(RegionArea(*region));
    }
    return areas;
}

void TPTCustomGroup::InsertArea(int Position, const MapArea& Area)
{
    PlaceShape(CreateRegion(this, Area), Position);
}

void TPTCustomGroup::AppendAreas(const QVector<MapArea>& Areas, const std::function<void(qsizetype)>& Step)
{
    CreateRegions(this, Areas, false, Step);
}

void TPTCustomGroup::RemoveArea(int Position)
{
    if (Position >= 0 && Position < FShapes.size())
        delete FShapes.at(Position);
}

void TPTCustomGroup::ClearAreas()
{
    DestroyRegions();
}

void TPTCustomGroup::ReplaceArea(int Position, const MapArea& Area)
{
    auto* region = Position >= 0 && Position < FShapes.size() ? qobject_cast<TGUIRegion*>(FShapes.at(Position))
                                                              : nullptr;
    if (!region)
        return;
    if (!SameGeometry(RegionArea(*region), Area))
        ApplyAreaGeometry(*region, Area);
    ApplyAreaTexts(*region, Area);
    region->SourceArea = Area.SourceArea;
}

void TPTCustomGroup::MoveArea(int From, int To)
{
    if (From >= 0 && From < FShapes.size())
        PlaceShape(FShapes.at(From), To);
}

int TPTCustomGroup::SelectedArea() const
{
    return FFocused ? int(FShapes.indexOf(FFocused)) : -1;
}

void TPTCustomGroup::SelectArea(int Position)
{
    auto* region = Position >= 0 && Position < FShapes.size() ? qobject_cast<TGUIRegion*>(FShapes.at(Position))
                                                              : nullptr;
    if (!region) {
        ClearRegionFocus();
        return;
    }
    if (FFocused != region)
        ClearRegionFocus();
    region->SetFocus();
}

void TPTCustomGroup::ObserveSelection(std::function<void()> Observer)
{
    FSelectionObserver = std::move(Observer);
    if (FSelectionObserved)
        return;
    FSelectionObserved = true;
    const auto tell = [this] {
        if (FSelectionObserver)
            FSelectionObserver();
    };
    connect(this, &TPTCustomGroup::RegionFocused, this, tell);
    connect(this, &TPTCustomGroup::RegionFocusLost, this, tell);
}
