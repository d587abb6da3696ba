#include "RegionCommands.h"

#include "EditorDialogs.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "TGUIRegion.h"
#include "UPTFrame.h"

#include <algorithm>
#include <numeric>

namespace {

QString CreateText(MapArea::Shape Shape)
{
    switch (Shape) {
    case MapArea::Shape::Rect:
        return EditorText(QStringLiteral("Create Rectangle Region"));
    case MapArea::Shape::Circle:
        return EditorText(QStringLiteral("Create Circle Region"));
    case MapArea::Shape::Poly:
        break;
    }
    return EditorText(QStringLiteral("Create Polygon Region"));
}

} // namespace

TCreateRegionCommand::TCreateRegionCommand(TMapDocument& Document, const MapArea& Area)
    : QUndoCommand(CreateText(Area.shape)), FDocument(Document), FArea(Area),
      FPosition(Document.RegionCount()), FSelectedBefore(Document.SelectedPosition())
{
}

TCreateRegionCommand::TCreateRegionCommand(TMapDocument& Document, const TGUIRegion& Created)
    : TCreateRegionCommand(Document, Document.PositionOf(&Created))
{
}

TCreateRegionCommand::TCreateRegionCommand(TMapDocument& Document, int Placed)
    : QUndoCommand(), FDocument(Document), FArea(Document.AreaAt(Placed)), FPosition(Placed),
      FSelectedBefore(Document.SelectedPosition()), FCreated(true)
{
    setText(CreateText(FArea.shape));
}

void TCreateRegionCommand::redo()
{
    if (FCreated) {
        FCreated = false;
        FDocument.Select(FPosition);
        return;
    }
    FDocument.InsertArea(FPosition, FArea);
    FDocument.Select(FPosition);
}

void TCreateRegionCommand::undo()
{
    FDocument.Select(-1);
    FDocument.RemoveArea(FPosition);
    FDocument.Select(FSelectedBefore);
}

TDeleteRegionCommand::TDeleteRegionCommand(TMapDocument& Document, int Position)
    : QUndoCommand(EditorText(QStringLiteral("Delete Region"))), FDocument(Document),
      FArea(Document.AreaAt(Position)), FPosition(Position), FSelectedBefore(Document.SelectedPosition())
{
}

void TDeleteRegionCommand::redo()
{
    FDocument.Select(-1);
    FDocument.RemoveArea(FPosition);
}

void TDeleteRegionCommand::undo()
{
    FDocument.InsertArea(FPosition, FArea);
    FDocument.Select(FSelectedBefore);
}

TChangeGeometryCommand::TChangeGeometryCommand(TMapDocument& Document, int Position, const MapArea& Before,
                                               const MapArea& After, const QString& Text)
    : QUndoCommand(Text), FDocument(Document), FPosition(Position), FBefore(Before), FAfter(After)
{
}

void TChangeGeometryCommand::redo()
{
    // A handle drag has given the region its new geometry already.
    if (FPosition < FDocument.RegionCount() && FDocument.AreaAt(FPosition) != FAfter)
        FDocument.ReplaceArea(FPosition, FAfter);
    FDocument.Select(FPosition);
}

void TChangeGeometryCommand::undo()
{
    FDocument.ReplaceArea(FPosition, FBefore);
    FDocument.Select(FPosition);
}

TKeyMoveCommand::TKeyMoveCommand(TMapDocument& Document, int Position, const MapArea& Before,
                                 const MapArea& After, quint64 Burst)
    : TChangeGeometryCommand(Document, Position, Before, After, EditorText(QStringLiteral("Move Region"))),
      FBurst(Burst)
{
}

bool TKeyMoveCommand::mergeWith(const QUndoCommand* Other)
{
    const auto* next = static_cast<const TKeyMoveCommand*>(Other);
    if (next->FBurst != FBurst || next->FPosition != FPosition)
        return false;
    FAfter = next->FAfter;
    // Moved back to where it started: the burst changed nothing.
    setObsolete(FAfter == FBefore);
    return true;
}

TChangePropertiesCommand::TChangePropertiesCommand(TMapDocument& Document, int Position,
                                                   const MapArea& Before, const MapArea& After)
    : QUndoCommand(EditorText(QStringLiteral("Change Region Properties"))), FDocument(Document),
      FPosition(Position), FBefore(Before), FAfter(After), FSelectedBefore(Document.SelectedPosition())
{
}

TChangePropertiesCommand::TChangePropertiesCommand(TMapDocument& Document, int Position, const MapArea& Before,
                                                   const MapArea& After, int Field)
    : TChangePropertiesCommand(Document, Position, Before, After)
{
    FField = Field;
}

bool TChangePropertiesCommand::mergeWith(const QUndoCommand* Other)
{
    const auto* next = static_cast<const TChangePropertiesCommand*>(Other);
    if (next->FField != FField || next->FPosition != FPosition || !(next->FBefore == FAfter))
        return false;
    FAfter = next->FAfter;
    // Typed back to what it was: no step at all.
    setObsolete(FAfter == FBefore);
    return true;
}

void TChangePropertiesCommand::redo()
{
    FDocument.ReplaceArea(FPosition, FAfter);
    FDocument.Select(FPosition);
}

void TChangePropertiesCommand::undo()
{
    FDocument.ReplaceArea(FPosition, FBefore);
    FDocument.Select(FSelectedBefore);
}

TRestackCommand::TRestackCommand(TMapDocument& Document, int From, int To, const QString& Text)
    : QUndoCommand(Text), FDocument(Document), FFrom(From), FTo(To),
      FSelectedBefore(Document.SelectedPosition())
{
}

void TRestackCommand::redo()
{
    FDocument.MoveArea(FFrom, FTo);
    FDocument.Select(FTo);
}

void TRestackCommand::undo()
{
    FDocument.MoveArea(FTo, FFrom);
    FDocument.Select(FSelectedBefore);
}

TChangePictureCommand::TChangePictureCommand(TMapDocument& Document, QImage BeforePicture, QString BeforeName)
    : QUndoCommand(EditorText(QStringLiteral("Change Picture"))), FDocument(Document),
      FBeforePicture(std::move(BeforePicture)), FBeforeName(std::move(BeforeName)),
      FAfterPicture(Document.Picture()), FAfterName(Document.ImageFileName())
{
}

void TChangePictureCommand::undo()
{
    FDocument.SetPicture(FBeforePicture, FBeforeName);
}

void TChangePictureCommand::redo()
{
    FDocument.SetPicture(FAfterPicture, FAfterName);
}

TReplaceDocumentCommand::TReplaceDocumentCommand(TMapDocument& Document, TDocumentSnapshot Before,
                                                 TDocumentSnapshot After, const QString& Text)
    : QUndoCommand(Text), FDocument(Document), FBefore(std::move(Before)), FAfter(std::move(After))
{
}

void TReplaceDocumentCommand::undo()
{
    FDocument.Restore(FBefore);
}

void TReplaceDocumentCommand::redo()
{
    if (FDone)
        FDocument.Restore(FAfter);
    FDone = true;
}

TRegionSelection TRegionSelection::Of(const TMapDocument& Document)
{
    return {Document.SelectedPositions(), Document.SelectedPosition()};
}

void TRegionSelection::Restore(TMapDocument& Document) const
{
    // Already so (a move keeps its selection): nothing to do.
    if (Document.SelectedPosition() == Focus && Document.SelectedPositions() == Positions)
        return;
    if (Positions.size() <= 1)
        Document.Select(Focus);
    else
        Document.SelectPositions(Positions, Focus);
}

TMoveRegionsCommand::TMoveRegionsCommand(TMapDocument& Document, QVector<int> Positions, int DX, int DY,
                                         quint64 Burst)
    : QUndoCommand(EditorText(QStringLiteral("Move Regions"))), FDocument(Document),
      FPositions(std::move(Positions)), FDX(DX), FDY(DY), FBurst(Burst),
      FSelection(TRegionSelection::Of(Document))
{
}

void TMoveRegionsCommand::MoveBy(int DX, int DY)
{
    TPTCustomGroup* scene = FDocument.RegionCount() > 0 && FDocument.RegionAt(0) ? &FDocument.Scene() : nullptr;
    if (scene)
        scene->BeginManyChanges(FPositions.size());
    for (int position : FPositions)
        if (TGUIRegion* region = FDocument.RegionAt(position))
            region->SetBoundsRect(OffsetRectBy(region->BoundsRect(), DX, DY));
    if (scene)
        scene->EndManyChanges();
}

void TMoveRegionsCommand::redo()
{
    // The focused region's handles follow it as it moves.
    MoveBy(FDX, FDY);
    FSelection.Restore(FDocument);
}

void TMoveRegionsCommand::undo()
{
    MoveBy(-FDX, -FDY);
    FSelection.Restore(FDocument);
}

bool TMoveRegionsCommand::mergeWith(const QUndoCommand* Other)
{
    const auto* next = static_cast<const TMoveRegionsCommand*>(Other);
    if (next->FBurst != FBurst || next->FPositions != FPositions)
        return false;
    FDX += next->FDX;
    FDY += next->FDY;
    setObsolete(FDX == 0 && FDY == 0);
    return true;
}

TDeleteRegionsCommand::TDeleteRegionsCommand(TMapDocument& Document, QVector<int> Positions, const QString& Text)
    : QUndoCommand(Text), FDocument(Document), FPositions(std::move(Positions)),
      FSelection(TRegionSelection::Of(Document))
{
    std::sort(FPositions.begin(), FPositions.end());
    FAreas.reserve(FPositions.size());
    for (int position : FPositions)
        if (TGUIRegion* region = Document.RegionAt(position))
            FAreas.append(RegionArea(*region));
}

void TDeleteRegionsCommand::redo()
{
    FDocument.Select(-1);
    // From the top down: each position still names the region it named when the step was made.
    for (auto it = FPositions.crbegin(); it != FPositions.crend(); ++it)
        delete FDocument.RegionAt(*it);
}

void TDeleteRegionsCommand::undo()
{
    FDocument.Scene().BeginBulkAdd();
    for (int i = 0; i < FPositions.size() && i < FAreas.size(); ++i) {
        TGUIRegion* region = CreateRegion(&FDocument.Scene(), FAreas[i]);
        FDocument.Scene().PlaceShape(region, FPositions[i]);
    }
    FDocument.Scene().EndBulkAdd();
    FSelection.Restore(FDocument);
}

TInsertRegionsCommand::TInsertRegionsCommand(TMapDocument& Document, QVector<MapArea> Areas, const QString& Text)
    : QUndoCommand(Text), FDocument(Document), FAreas(std::move(Areas)), FFirst(Document.RegionCount()),
      FSelection(TRegionSelection::Of(Document))
{
}

void TInsertRegionsCommand::redo()
{
    CreateRegions(&FDocument.Scene(), FAreas);
    QVector<int> inserted(FAreas.size());
    std::iota(inserted.begin(), inserted.end(), FFirst);
    FDocument.SelectPositions(inserted);
}

void TInsertRegionsCommand::undo()
{
    FDocument.Select(-1);
    for (int position = FFirst + int(FAreas.size()) - 1; position >= FFirst; --position)
        delete FDocument.RegionAt(position);
    FSelection.Restore(FDocument);
}

TRestackRegionsCommand::TRestackRegionsCommand(TMapDocument& Document, TMoves Moves, QVector<int> Selected,
                                               const QString& Text)
    : QUndoCommand(Text), FDocument(Document), FMoves(std::move(Moves)), FSelected(std::move(Selected)),
      FSelection(TRegionSelection::Of(Document))
{
}

void TRestackRegionsCommand::redo()
{
    for (const QPair<int, int>& move : FMoves)
        if (TGUIRegion* region = FDocument.RegionAt(move.first))
            FDocument.Scene().PlaceShape(region, move.second);
    if (FSelected.size() == 1)
        FDocument.Select(FSelected.first());
    else
        FDocument.SelectPositions(FSelected);
}

void TRestackRegionsCommand::undo()
{
    for (auto it = FMoves.crbegin(); it != FMoves.crend(); ++it)
        if (TGUIRegion* region = FDocument.RegionAt(it->second))
            FDocument.Scene().PlaceShape(region, it->first);
    FSelection.Restore(FDocument);
}

TChangeRegionsTextsCommand::TChangeRegionsTextsCommand(TMapDocument& Document, QVector<int> Positions,
                                                       QVector<MapArea> Before, QVector<MapArea> After)
    : QUndoCommand(EditorText(QStringLiteral("Change Properties of Regions"))), FDocument(Document),
      FPositions(std::move(Positions)), FBefore(std::move(Before)), FAfter(std::move(After)),
      FSelection(TRegionSelection::Of(Document))
{
}

void TChangeRegionsTextsCommand::Apply(const QVector<MapArea>& Areas)
{
    for (int i = 0; i < FPositions.size() && i < Areas.size(); ++i)
        if (TGUIRegion* region = FDocument.RegionAt(FPositions[i]))
            ApplyAreaTexts(*region, Areas[i]);
    FSelection.Restore(FDocument);
}

void TChangeRegionsTextsCommand::redo()
{
    Apply(FAfter);
}

void TChangeRegionsTextsCommand::undo()
{
    Apply(FBefore);
}

TChangeMapCommand::TChangeMapCommand(TMapDocument& Document, QString MapName, bool RelativePaths)
    : QUndoCommand(EditorText(MapName != Document.MapName() && RelativePaths == Document.RelativePaths()
                                  ? QStringLiteral("Rename Map")
                                  : QStringLiteral("Change Map Properties"))),
      FDocument(Document), FBeforeName(Document.MapName()), FAfterName(std::move(MapName)),
      FBeforeRelative(Document.RelativePaths()), FAfterRelative(RelativePaths)
{
}

void TChangeMapCommand::undo()
{
    FDocument.SetMap(FBeforeName, FDocument.MapAttributes());
    FDocument.SetRelativePaths(FBeforeRelative);
}

void TChangeMapCommand::redo()
{
    FDocument.SetMap(FAfterName, FDocument.MapAttributes());
    FDocument.SetRelativePaths(FAfterRelative);
}
