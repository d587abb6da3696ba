#include "RegionStore.h"

#include <algorithm>

MapArea TAreaVector::AreaAt(int Position) const
{
    return Holds(Position) ? FAreas.at(Position) : MapArea();
}

void TAreaVector::InsertArea(int Position, const MapArea& Area)
{
    Position = std::clamp(Position, 0, AreaCount());
    FAreas.insert(Position, Area);
    ++FRevision;
    // The selection stays with its area, as on the scene.
    if (FSelected >= Position)
        ++FSelected;
}

void TAreaVector::AppendAreas(const QVector<MapArea>& Areas, const std::function<void(qsizetype)>& Step)
{
    if (Step)
        Step(0);
    FAreas += Areas;
    ++FRevision;
}

void TAreaVector::RemoveArea(int Position)
{
    if (!Holds(Position))
        return;
    if (FSelected == Position)
        SetSelected(-1);
    FAreas.remove(Position);
    ++FRevision;
    if (FSelected > Position)
        --FSelected;
}

void TAreaVector::ClearAreas()
{
    SetSelected(-1);
    FAreas.clear();
    ++FRevision;
}

void TAreaVector::ReplaceArea(int Position, const MapArea& Area)
{
    if (!Holds(Position))
        return;
    const MapArea::Shape kind = FAreas.at(Position).shape;
    FAreas[Position] = Area;
    FAreas[Position].shape = kind;
    ++FRevision;
}

void TAreaVector::MoveArea(int From, int To)
{
    if (!Holds(From))
        return;
    To = std::clamp(To, 0, AreaCount() - 1);
    FAreas.move(From, To);
    ++FRevision;
    if (FSelected == From)
        FSelected = To;
    else if (From < FSelected && FSelected <= To)
        --FSelected;
    else if (To <= FSelected && FSelected < From)
        ++FSelected;
}

void TAreaVector::SelectArea(int Position)
{
    SetSelected(Holds(Position) ? Position : -1);
}

void TAreaVector::SetSelected(int Position)
{
    if (FSelected == Position)
        return;
    FSelected = Position;
    if (FObserver)
        FObserver();
}
