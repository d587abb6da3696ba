#include "RegionCommands.h"

#include "EditorDialogs.h"
#include "MapDocument.h"

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
