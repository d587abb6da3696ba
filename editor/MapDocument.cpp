#include "MapDocument.h"

#include "LongTask.h"
#include "MapAreaGathering.h"
#include "TGUIRegion.h"
#include "UPTFrame.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {

// From this many regions a restore shows progress.
qsizetype LargeRestore = 20000;

// New, an import or a recovery: the whole document before and after. The replacement has happened
// when the step is recorded, so its first redo does nothing.
class TReplaceDocumentCommand : public QUndoCommand
{
public:
    TReplaceDocumentCommand(TMapDocument& Document, TDocumentSnapshot Before, TDocumentSnapshot After,
                            const QString& Text)
        : QUndoCommand(Text), FDocument(Document), FBefore(std::move(Before)), FAfter(std::move(After))
    {
    }

    void undo() override { FDocument.Restore(FBefore); }
    void redo() override
    {
        if (FDone)
            FDocument.Restore(FAfter);
        FDone = true;
    }

private:
    TMapDocument& FDocument;
    TDocumentSnapshot FBefore;
    TDocumentSnapshot FAfter;
    bool FDone = false;
};

} // namespace

bool TDocumentSnapshot::SameAs(const TDocumentSnapshot& Other) const
{
    return Header.Picture.cacheKey() == Other.Header.Picture.cacheKey() &&
           Header.ImageFileName == Other.Header.ImageFileName && Header.MapName == Other.Header.MapName &&
           Header.FileName == Other.Header.FileName && Header.ShownFileName == Other.Header.ShownFileName &&
           Header.MapAttributes == Other.Header.MapAttributes &&
           Header.PageOrigin.FileName == Other.Header.PageOrigin.FileName &&
           Header.PageOrigin.MapPosition == Other.Header.PageOrigin.MapPosition &&
           Header.RelativePaths == Other.Header.RelativePaths && Areas == Other.Areas;
}

TMapDocument::TMapDocument(TPTCustomGroup& Scene, QObject* Parent)
    : QObject(Parent), FScene(Scene), FUndoStack(new QUndoStack(this))
{
    connect(FUndoStack, &QUndoStack::cleanChanged, this,
            [this](bool Clean) { emit ModifiedChanged(!Clean); });
    connect(FUndoStack, &QUndoStack::indexChanged, this, [this] {
        ++FSteps;
        // Held only while it is the document's: the step that shares it may be gone.
        FRecordedAreas.clear();
        FRecordedValid = false;
        emit Changed();
    });
}

TMapDocument::~TMapDocument()
{
    // The stack reports its emptying while it is destroyed, to a window that is being destroyed too.
    FUndoStack->disconnect();
    delete FUndoStack;
}

TGUIRegion* TMapDocument::RegionAt(int Position) const
{
    const QList<TGUIShape*>& shapes = FScene.Shapes();
    if (Position < 0 || Position >= shapes.size())
        return nullptr;
    return qobject_cast<TGUIRegion*>(shapes.at(Position));
}

int TMapDocument::PositionOf(const TGUIRegion* Region) const
{
    if (!Region)
        return -1;
    return int(FScene.Shapes().indexOf(const_cast<TGUIRegion*>(Region)));
}

int TMapDocument::RegionCount() const
{
    return int(FScene.Shapes().size());
}

int TMapDocument::SelectedPosition() const
{
    return PositionOf(FScene.FocusedRegion());
}

void TMapDocument::Select(int Position)
{
    if (TGUIRegion* region = RegionAt(Position)) {
        if (FScene.FocusedRegion() != region)
            FScene.ClearRegionFocus();
        region->SetFocus();
    } else {
        FScene.ClearRegionFocus();
    }
}

TDocumentSnapshot TMapDocument::Snapshot() const
{
    TDocumentSnapshot snapshot;
    snapshot.Header = FHeader;
    snapshot.Selected = SelectedPosition();
    // Texts change through steps only, shapes with the scene's revision.
    if (FRecordedValid && FRecordedShapes == FScene.ShapesRevision() && FRecordedSteps == FSteps) {
        snapshot.Areas = FRecordedAreas;
        return snapshot;
    }
    const QList<TGUIShape*>& shapes = FScene.Shapes();
    snapshot.Areas.reserve(shapes.size());
    for (TGUIShape* shape : shapes)
        if (auto* region = qobject_cast<TGUIRegion*>(shape))
            snapshot.Areas.append(RegionArea(*region));
    return snapshot;
}

void TMapDocument::SetLargeRestore(qsizetype Regions)
{
    LargeRestore = Regions;
}

void TMapDocument::Restore(const TDocumentSnapshot& Snapshot)
{
    FScene.DestroyRegions();
    SetHeader(Snapshot.Header);
    if (Snapshot.Areas.size() < LargeRestore) {
        CreateRegions(&FScene, Snapshot.Areas);
    } else {
        // A million regions take seconds to make: the window shows how far it is meanwhile.
        TLongTask task(&FScene, QStringLiteral("Restoring the image map..."), false);
        CreateRegions(&FScene, Snapshot.Areas, false,
                      [&](qsizetype done) { task.Step(done, Snapshot.Areas.size(), 0, 100); });
    }
    Select(Snapshot.Selected);
}

void TMapDocument::SetHeader(TDocumentHeader Header)
{
    FHeader = std::move(Header);
    emit HeaderChanged();
}

void TMapDocument::SetPicture(const QImage& Picture, const QString& ImageFileName)
{
    FHeader.Picture = Picture;
    FHeader.ImageFileName = ImageFileName;
    emit HeaderChanged();
}

void TMapDocument::SetMap(const QString& MapName, const AttributeList& MapAttributes)
{
    FHeader.MapName = MapName;
    FHeader.MapAttributes = MapAttributes;
    emit HeaderChanged();
}

void TMapDocument::SetRelativePaths(bool Relative)
{
    FHeader.RelativePaths = Relative;
    emit HeaderChanged();
}

void TMapDocument::SetFileName(const QString& FileName, const QString& Shown)
{
    FHeader.FileName = FileName;
    FHeader.ShownFileName = Shown;
    emit HeaderChanged();
}

void TMapDocument::SetPageOrigin(PageMapOrigin Origin)
{
    FHeader.PageOrigin = std::move(Origin);
    emit HeaderChanged();
}

void TMapDocument::Push(QUndoCommand* Command)
{
    FUndoStack->push(Command);
}

void TMapDocument::RecordReplacement(const TDocumentSnapshot& Before, const QString& Text)
{
    TDocumentSnapshot after = Snapshot();
    if (after.SameAs(Before))
        return;
    QVector<MapArea> areas = after.Areas;
    Push(new TReplaceDocumentCommand(*this, Before, std::move(after), Text));
    FRecordedAreas = std::move(areas);
    FRecordedShapes = FScene.ShapesRevision();
    FRecordedSteps = FSteps;
    FRecordedValid = true;
}

bool TMapDocument::IsModified() const
{
    return !FUndoStack->isClean();
}

void TMapDocument::MarkSaved()
{
    FUndoStack->setClean();
}

void TMapDocument::ClearHistory()
{
    FUndoStack->clear();
    FUndoStack->setClean();
    FRecordedAreas.clear();
    FRecordedValid = false;
}
