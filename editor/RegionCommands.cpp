#include "RegionCommands.h"

#include "EditorDialogs.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "TGUIRegion.h"
#include "UPTFrame.h"

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

// Only a changed geometry is given again: a polygon given its vertices rebuilds its handles.
bool SameGeometry(const MapArea& A, const MapArea& B)
{
    return A.shape == B.shape && A.Left == B.Left && A.Top == B.Top && A.Width == B.Width &&
           A.Height == B.Height && A.Vertices == B.Vertices;
}

} // namespace

TCreateRegionCommand::TCreateRegionCommand(TMapDocument& Document, const MapArea& Area)
    : QUndoCommand(CreateText(Area.shape)), FDocument(Document), FArea(Area),
      FPosition(Document.RegionCount()), FSelectedBefore(Document.SelectedPosition())
{
}

TCreateRegionCommand::TCreateRegionCommand(TMapDocument& Document, const TGUIRegion& Created)
    : QUndoCommand(), FDocument(Document), FArea(RegionArea(Created)),
      FPosition(Document.PositionOf(&Created)), FSelectedBefore(Document.SelectedPosition()), FCreated(true)
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
    TGUIRegion* region = CreateRegion(&FDocument.Scene(), FArea);
    FDocument.Scene().PlaceShape(region, FPosition);
    FDocument.Select(FPosition);
}

void TCreateRegionCommand::undo()
{
    FDocument.Select(-1);
    delete FDocument.RegionAt(FPosition);
    FDocument.Select(FSelectedBefore);
}

TDeleteRegionCommand::TDeleteRegionCommand(TMapDocument& Document, int Position)
    : QUndoCommand(EditorText(QStringLiteral("Delete Region"))), FDocument(Document), FPosition(Position),
      FSelectedBefore(Document.SelectedPosition())
{
    if (TGUIRegion* region = Document.RegionAt(Position))
        FArea = RegionArea(*region);
}

void TDeleteRegionCommand::redo()
{
    FDocument.Select(-1);
    delete FDocument.RegionAt(FPosition);
}

void TDeleteRegionCommand::undo()
{
    TGUIRegion* region = CreateRegion(&FDocument.Scene(), FArea);
    FDocument.Scene().PlaceShape(region, FPosition);
    FDocument.Select(FSelectedBefore);
}

TChangeGeometryCommand::TChangeGeometryCommand(TMapDocument& Document, int Position, const MapArea& Before,
                                               const MapArea& After, const QString& Text)
    : QUndoCommand(Text), FDocument(Document), FPosition(Position), FBefore(Before), FAfter(After)
{
}

void TChangeGeometryCommand::redo()
{
    if (TGUIRegion* region = FDocument.RegionAt(FPosition)) {
        if (RegionArea(*region) != FAfter)
            ApplyAreaGeometry(*region, FAfter);
    }
    FDocument.Select(FPosition);
}

void TChangeGeometryCommand::undo()
{
    if (TGUIRegion* region = FDocument.RegionAt(FPosition))
        ApplyAreaGeometry(*region, FBefore);
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

void TChangePropertiesCommand::redo()
{
    if (TGUIRegion* region = FDocument.RegionAt(FPosition)) {
        ApplyAreaTexts(*region, FAfter);
        if (!SameGeometry(FBefore, FAfter))
            ApplyAreaGeometry(*region, FAfter);
    }
    FDocument.Select(FPosition);
}

void TChangePropertiesCommand::undo()
{
    if (TGUIRegion* region = FDocument.RegionAt(FPosition)) {
        ApplyAreaTexts(*region, FBefore);
        if (!SameGeometry(FBefore, FAfter))
            ApplyAreaGeometry(*region, FBefore);
    }
    FDocument.Select(FSelectedBefore);
}

TRestackCommand::TRestackCommand(TMapDocument& Document, int From, int To, const QString& Text)
    : QUndoCommand(Text), FDocument(Document), FFrom(From), FTo(To),
      FSelectedBefore(Document.SelectedPosition())
{
}

void TRestackCommand::redo()
{
    if (TGUIRegion* region = FDocument.RegionAt(FFrom))
        FDocument.Scene().PlaceShape(region, FTo);
    FDocument.Select(FTo);
}

void TRestackCommand::undo()
{
    if (TGUIRegion* region = FDocument.RegionAt(FTo))
        FDocument.Scene().PlaceShape(region, FFrom);
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
