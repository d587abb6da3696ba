#include "MapDocument.h"

#include "LongTask.h"
#include "MapAreaGathering.h"
#include "RegionCommands.h"
#include "RegionStore.h"
#include "TGUIRegion.h"
#include "UPTFrame.h"

#include <QUndoCommand>
#include <algorithm>
#include <utility>
#include <QUndoStack>

namespace {

// From this many regions a restore shows progress.
qsizetype LargeRestore = 20000;

} // namespace

bool TDocumentSnapshot::SameAs(const TDocumentSnapshot& Other,
                               const std::function<void(qsizetype Done, qsizetype Total)>& Step) const
{
    const bool sameHeader =
        Header.Picture.cacheKey() == Other.Header.Picture.cacheKey() &&
        Header.ImageFileName == Other.Header.ImageFileName && Header.MapName == Other.Header.MapName &&
        Header.FileName == Other.Header.FileName && Header.ShownFileName == Other.Header.ShownFileName &&
        Header.MapAttributes == Other.Header.MapAttributes &&
        Header.PageOrigin.FileName == Other.Header.PageOrigin.FileName &&
        Header.PageOrigin.MapPosition == Other.Header.PageOrigin.MapPosition &&
        Header.RelativePaths == Other.Header.RelativePaths;
    const qsizetype count = Areas.size();
    if (!sameHeader || count != Other.Areas.size())
        return false;
    if (!Step)
        return Areas == Other.Areas;
    // A million equal areas take a second to compare: a slice at a time, with the window going on.
    constexpr qsizetype slice = 16384;
    for (qsizetype from = 0; from < count; from += slice) {
        Step(from, count);
        const auto end = Areas.cbegin() + std::min(count, from + slice);
        if (!std::equal(Areas.cbegin() + from, end, Other.Areas.cbegin() + from))
            return false;
    }
    return true;
}

void TDocumentChange::Add(int Which, int From, int To)
{
    Parts |= Which;
    if (From < 0)
        return;
    if (To < From)
        To = From;
    First = First < 0 ? From : std::min(First, From);
    Last = std::max(Last, To);
}

TMapDocument::TMapDocument(TPTCustomGroup& Scene, QObject* Parent)
    : QObject(Parent), FStore(Scene), FScene(&Scene), FUndoStack(new QUndoStack(this))
{
    // Connected with the document as receiver, so that neither outlives the other's connection.
    // Any change of the focused region other than a selection of several leaves that region alone
    // selected.
    connect(&Scene, &TPTCustomGroup::RegionFocused, this, [this] {
        if (!FSelectingMany)
            DropAlsoSelected();
        Note(TDocumentChange::Selection);
    });
    connect(&Scene, &TPTCustomGroup::RegionFocusLost, this, [this] {
        if (!FSelectingMany)
            DropAlsoSelected();
        Note(TDocumentChange::Selection);
    });
    Connect();
}

TMapDocument::TMapDocument(TRegionStore& Store, QObject* Parent)
    : QObject(Parent), FStore(Store), FUndoStack(new QUndoStack(this))
{
    Store.ObserveSelection([this] { Note(TDocumentChange::Selection); });
    Connect();
}

void TMapDocument::Connect()
{
    connect(FUndoStack, &QUndoStack::cleanChanged, this,
            [this](bool Clean) { emit ModifiedChanged(!Clean); });
    connect(FUndoStack, &QUndoStack::indexChanged, this, &TMapDocument::StepDone);
}

void TMapDocument::StepDone()
{
    ++FSteps;
    // Held only while it is the document's: the step that shares it may be gone.
    FRecordedAreas.clear();
    FRecordedValid = false;
    TDocumentChange change = std::exchange(FPending, TDocumentChange());
    change.Step = true;
    emit Changed(change);
}

void TMapDocument::Note(int Part, int First, int Last)
{
    if (FRunning > 0) {
        FPending.Add(Part, First, Last);
        return;
    }
    TDocumentChange change;
    change.Add(Part, First, Last);
    emit Changed(change);
}

TMapDocument::~TMapDocument()
{
    // The stack reports its emptying while it is destroyed, to a window that is being destroyed too.
    FUndoStack->disconnect();
    delete FUndoStack;
    if (!FScene)
        FStore.ObserveSelection({});
}

MapArea TMapDocument::AreaAt(int Position) const
{
    return FStore.AreaAt(Position);
}

QVector<MapArea> TMapDocument::Areas() const
{
    return FStore.AllAreas();
}

void TMapDocument::InsertArea(int Position, const MapArea& Area)
{
    FStore.InsertArea(Position, Area);
    Note(TDocumentChange::Inserted, Position);
}

void TMapDocument::RemoveArea(int Position)
{
    FStore.RemoveArea(Position);
    Note(TDocumentChange::Removed, Position);
}

void TMapDocument::ReplaceArea(int Position, const MapArea& Area)
{
    FStore.ReplaceArea(Position, Area);
    Note(TDocumentChange::Regions, Position);
}

void TMapDocument::MoveArea(int From, int To)
{
    FStore.MoveArea(From, To);
    Note(TDocumentChange::Restacked, std::min(From, To), std::max(From, To));
}

TGUIRegion* TMapDocument::RegionAt(int Position) const
{
    if (!FScene)
        return nullptr;
    const QList<TGUIShape*>& shapes = FScene->Shapes();
    if (Position < 0 || Position >= shapes.size())
        return nullptr;
    TGUIShape* shape = shapes.at(Position);
    return shape->IsRegion() ? static_cast<TGUIRegion*>(shape) : nullptr;
}

int TMapDocument::PositionOf(const TGUIRegion* Region) const
{
    if (!Region || !FScene)
        return -1;
    return int(FScene->Shapes().indexOf(const_cast<TGUIRegion*>(Region)));
}

int TMapDocument::RegionCount() const
{
    return FStore.AreaCount();
}

int TMapDocument::SelectedPosition() const
{
    return FStore.SelectedArea();
}

void TMapDocument::Select(int Position)
{
    DropAlsoSelected();
    FStore.SelectArea(Position);
}

void TMapDocument::DropAlsoSelected()
{
    if (FAlsoSelected.isEmpty())
        return;
    FAlsoSelected.clear();
    FSelectedPositionsValid = false;
    emit SelectionChanged();
}

QVector<int> TMapDocument::SelectedPositions() const
{
    const int focused = SelectedPosition();
    if (FSelectedPositionsValid && FSelectedPositionsFocus == focused &&
        FSelectedPositionsShapes == FStore.AreasRevision())
        return FSelectedPositions;
    QVector<int> positions;
    if (focused < 0)
        return positions;
    positions.reserve(FAlsoSelected.size() + 1);
    positions.append(focused);
    // The region's own record of its position: no search through the scene's list per region.
    for (const QPointer<TGUIRegion>& region : FAlsoSelected) {
        int index = -1;
        int count = 0;
        if (region)
            region->GetZPosition(index, count);
        if (index >= 0)
            positions.append(index);
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    FSelectedPositions = positions;
    FSelectedPositionsValid = true;
    FSelectedPositionsFocus = focused;
    FSelectedPositionsShapes = FStore.AreasRevision();
    return positions;
}

int TMapDocument::SelectedCount() const
{
    if (SelectedPosition() < 0)
        return 0;
    int count = 1;
    for (const QPointer<TGUIRegion>& region : FAlsoSelected)
        count += !region.isNull();
    return count;
}

void TMapDocument::SelectPositions(const QVector<int>& Positions, int Focus)
{
    if (!FScene) {
        // A store of values selects one area: the focus, or the topmost.
        const bool hasFocus = std::find(Positions.begin(), Positions.end(), Focus) != Positions.end();
        Select(hasFocus ? Focus : (Positions.isEmpty() ? -1 : *std::max_element(Positions.begin(), Positions.end())));
        return;
    }
    TGUIRegion* focus = nullptr;
    int top = -1;
    for (int position : Positions)
        if (position > top && RegionAt(position))
            top = position;
    if (std::find(Positions.begin(), Positions.end(), Focus) != Positions.end())
        focus = RegionAt(Focus);
    if (!focus)
        focus = RegionAt(top);
    const bool hadOthers = !FAlsoSelected.isEmpty();
    FSelectingMany = true;
    FAlsoSelected.clear();
    FSelectedPositionsValid = false;
    if (focus) {
        FAlsoSelected.reserve(Positions.size());
        for (int position : Positions)
            if (TGUIRegion* region = RegionAt(position); region && region != focus)
                FAlsoSelected.append(region);
        if (FScene->FocusedRegion() != focus) {
            FScene->ClearRegionFocus();
            focus->SetFocus();
        }
    } else {
        FScene->ClearRegionFocus();
    }
    FSelectingMany = false;
    if (hadOthers || !FAlsoSelected.isEmpty())
        emit SelectionChanged();
}

TDocumentSnapshot TMapDocument::Snapshot() const
{
    return Snapshot(TReadStep());
}

TDocumentSnapshot TMapDocument::Snapshot(const TReadStep& Step) const
{
    TDocumentSnapshot snapshot;
    snapshot.Header = FHeader;
    snapshot.Selected = SelectedPosition();
    // Texts change through steps only, shapes with the store's revision.
    if (FRecordedValid && FRecordedShapes == FStore.AreasRevision() && FRecordedSteps == FSteps) {
        snapshot.Areas = FRecordedAreas;
        return snapshot;
    }
    snapshot.Areas = Step ? FStore.AllAreasStepped(Step) : FStore.AllAreas();
    return snapshot;
}

void TMapDocument::SetLargeRestore(qsizetype Regions)
{
    LargeRestore = Regions;
}

void TMapDocument::Restore(const TDocumentSnapshot& Snapshot)
{
    const int before = RegionCount();
    FStore.ClearAreas();
    SetHeader(Snapshot.Header);
    if (Snapshot.Areas.size() < LargeRestore || !FScene) {
        FStore.AppendAreas(Snapshot.Areas);
    } else {
        // A million regions take seconds to make: the window shows how far it is meanwhile.
        TLongTask task(FScene, QStringLiteral("Restoring the image map..."), false);
        FStore.AppendAreas(Snapshot.Areas, [&](qsizetype done) { task.Step(done, Snapshot.Areas.size(), 0, 100); });
    }
    if (before > 0)
        Note(TDocumentChange::Removed, 0, before - 1);
    if (!Snapshot.Areas.isEmpty())
        Note(TDocumentChange::Inserted, 0, int(Snapshot.Areas.size()) - 1);
    Select(Snapshot.Selected);
}

void TMapDocument::SetHeader(TDocumentHeader Header)
{
    FHeader = std::move(Header);
    emit HeaderChanged();
    Note(TDocumentChange::Header);
}

void TMapDocument::SetPicture(const QImage& Picture, const QString& ImageFileName)
{
    FHeader.Picture = Picture;
    FHeader.ImageFileName = ImageFileName;
    emit HeaderChanged();
    Note(TDocumentChange::Header);
}

void TMapDocument::SetMap(const QString& MapName, const AttributeList& MapAttributes)
{
    FHeader.MapName = MapName;
    FHeader.MapAttributes = MapAttributes;
    emit HeaderChanged();
    Note(TDocumentChange::Header);
}

void TMapDocument::SetRelativePaths(bool Relative)
{
    FHeader.RelativePaths = Relative;
    emit HeaderChanged();
    Note(TDocumentChange::Header);
}

void TMapDocument::SetFileName(const QString& FileName, const QString& Shown)
{
    FHeader.FileName = FileName;
    FHeader.ShownFileName = Shown;
    emit HeaderChanged();
    Note(TDocumentChange::Header);
}

void TMapDocument::SetPageOrigin(PageMapOrigin Origin)
{
    FHeader.PageOrigin = std::move(Origin);
    emit HeaderChanged();
    Note(TDocumentChange::Header);
}

void TMapDocument::Push(QUndoCommand* Command)
{
    ++FRunning;
    FUndoStack->push(Command);
    --FRunning;
}

void TMapDocument::Undo()
{
    ++FRunning;
    FUndoStack->undo();
    --FRunning;
}

void TMapDocument::Redo()
{
    ++FRunning;
    FUndoStack->redo();
    --FRunning;
}

void TMapDocument::RecordReplacement(const TDocumentSnapshot& Before, const QString& Text, const TReadStep& Step)
{
    TDocumentSnapshot after = Snapshot(Step);
    if (after.SameAs(Before, Step)) {
        FreeInSlices(after.Areas, [&] {
            if (Step)
                Step(after.Areas.size(), after.Areas.size());
        });
        return;
    }
    QVector<MapArea> areas = after.Areas;
    // The replacement is done already; its step tells all it changed.
    FPending.Add(TDocumentChange::Header | TDocumentChange::Selection);
    if (!Before.Areas.isEmpty())
        FPending.Add(TDocumentChange::Removed, 0, int(Before.Areas.size()) - 1);
    if (!after.Areas.isEmpty())
        FPending.Add(TDocumentChange::Inserted, 0, int(after.Areas.size()) - 1);
    Push(new TReplaceDocumentCommand(*this, Before, std::move(after), Text));
    FRecordedAreas = std::move(areas);
    FRecordedShapes = FStore.AreasRevision();
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
