// Clearing the document: the shapes leave the scene in one pass. A large document's scene steps
// aside with every shape on it, a new empty one takes its place at once, and the shapes are freed a
// slice at a time from the event loop: freeing a million regions takes most of a second, which the
// user would otherwise wait for at New.
#include "UPTFrame.h"

#include "TGUIShape.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QTimer>
#include <utility>

namespace {
// The longest a slice of freeing keeps the window's thread.
constexpr qint64 SliceMs = 10;
// The freeing waits this long after a clear, so that the step that cleared (New, an import) and its
// repaint are done before the first slice takes its share of the window's thread.
constexpr int FirstSliceMs = 100;

int& FreeingSlice()
{
    static int slice = 20000;
    return slice;
}
} // namespace

QList<TGUIShape*> TPTCustomGroup::TakeShapes()
{
    ClearRegionFocus();
    EndControlDrag();
    // Items added since the event loop last ran wait in the scene's polish list, which each removal
    // would search: polish them now.
    QCoreApplication::sendPostedEvents(FScene, QEvent::MetaCall);
    QList<TGUIShape*> Shapes = std::move(FShapes);
    FShapes.clear();
    FHitRects.clear();
    FOtherShapes = 0;
    FGridValid = false;
    ++FShapesRevision;
    FFocused = nullptr;
    FInverted.clear();
    FScene->removeItem(FHandleLayer);
    return Shapes;
}

void TPTCustomGroup::DestroyRegions()
{
    // The shapes are the shape layer's children; the handle layer holds everything else (handles,
    // overlays) and steps out for the moment. The scene then frees its items front to back with no
    // search in its lists, and an update mode that marks the whole viewport once keeps
    // each removal from growing the dirty region: the clear is linear in the number of shapes.
    for (TGUIShape* Shape : std::as_const(FShapes))
        Shape->FZIndex = -1;
    QList<TGUIShape*> Shapes = TakeShapes();
    if (!PutShapesAside(Shapes)) {
        const ViewportUpdateMode Mode = viewportUpdateMode();
        setViewportUpdateMode(FullViewportUpdate);
        FScene->clear();
        setViewportUpdateMode(Mode);
        FScene->addItem(FHandleLayer);
    }
    viewport()->update();
}

void TPTCustomGroup::SetFreeingSlice(int Shapes)
{
    FreeingSlice() = std::max(Shapes, 1);
}

bool TPTCustomGroup::PutShapesAside(QList<TGUIShape*>& Shapes)
{
    if (Shapes.size() <= FreeingSlice())
        return false;
    FreeInSlices(FScene, std::move(Shapes));
    MakeScene();
    UpdateSceneRect();
    return true;
}

void TPTCustomGroup::FreeInSlices(QGraphicsScene* Scene, QList<TGUIShape*> Shapes)
{
    // After any earlier clear's rest: freeing that at once would stall the window for as long as
    // the slices were meant to save (an import frees the map before it just as it ends).
    FCleared.append({Scene, std::move(Shapes)});
    // The scene's own queued work (repainting what its last changes touched, indexing) would walk
    // every one of its items; none of them is shown again.
    QCoreApplication::removePostedEvents(Scene, QEvent::MetaCall);
    if (!FSlicePosted) {
        FSlicePosted = true;
        QTimer::singleShot(FirstSliceMs, this, &TPTCustomGroup::FreeSlice);
    }
}

qsizetype TPTCustomGroup::ShapesToFree() const
{
    qsizetype Count = -FClearedNext;
    for (const TCleared& Cleared : FCleared)
        Count += Cleared.Shapes.size();
    return Count;
}

void TPTCustomGroup::HoldShapes()
{
    ReleaseHeldShapes();
    // Their places stay as they are, for their return. Taken along with the shapes, not before:
    // taking them runs the scene's queued work, which may paint, and a paint must find the shapes
    // and their places together.
    QVector<TRect> HitRects = FHitRects;
    FHeldOtherShapes = FOtherShapes;
    FHeld = TakeShapes();
    FHeldHitRects = std::move(HitRects);
    FHeldScene = FScene;
    FAreaValid = false;
    MakeScene();
    UpdateSceneRect();
    viewport()->update();
}

void TPTCustomGroup::RestoreHeldShapes()
{
    if (!FHeldScene)
        return;
    DestroyRegions();
    QGraphicsScene* Empty = FScene;
    Empty->removeItem(FHandleLayer);
    FScene = FHeldScene;
    FHeldScene = nullptr;
    FScene->addItem(FHandleLayer);
    setScene(FScene);
    delete Empty;
    FShapes = std::move(FHeld);
    FHeld.clear();
    FHitRects = std::move(FHeldHitRects);
    FHeldHitRects.clear();
    FOtherShapes = FHeldOtherShapes;
    FGridValid = false;
    FAreaValid = false;
    ++FShapesRevision;
    UpdateSceneRect();
    viewport()->update();
    PostShapesChanged();
}

void TPTCustomGroup::ReleaseHeldShapes()
{
    if (!FHeldScene)
        return;
    QGraphicsScene* Scene = std::exchange(FHeldScene, nullptr);
    QList<TGUIShape*> Shapes = std::move(FHeld);
    FHeld.clear();
    FHeldHitRects.clear();
    // Out of the panel's lists already: their ends have nothing to take out.
    for (TGUIShape* Shape : std::as_const(Shapes))
        Shape->FZIndex = -1;
    if (Shapes.size() <= FreeingSlice())
        delete Scene;
    else
        FreeInSlices(Scene, std::move(Shapes));
}

void TPTCustomGroup::FreeSlice()
{
    FSlicePosted = false;
    if (FCleared.isEmpty())
        return;
    // Bottom first: the shape layer lists its children bottom first as a rule, so that each leaves
    // from the front of its lists without a search.
    // A slice ends after its count or its time, whichever comes first: memory that has gone cold
    // makes each region cost several times more.
    TCleared& Cleared = FCleared.first();
    const qsizetype End = std::min(Cleared.Shapes.size(), FClearedNext + FreeingSlice());
    QElapsedTimer Time;
    Time.start();
    while (FClearedNext < End) {
        delete Cleared.Shapes[FClearedNext++];
        if (FClearedNext % 32 == 0 && Time.elapsed() >= SliceMs)
            break;
    }
    if (FClearedNext == Cleared.Shapes.size()) {
        delete Cleared.Scene;
        FCleared.removeFirst();
        FClearedNext = 0;
    }
    if (!FCleared.isEmpty()) {
        FSlicePosted = true;
        QTimer::singleShot(0, this, &TPTCustomGroup::FreeSlice);
    }
}

void TPTCustomGroup::FreeClearedShapes()
{
    // Each scene frees what is left of its items in one pass.
    const QList<TCleared> Cleared = std::move(FCleared);
    FCleared.clear();
    FClearedNext = 0;
    for (const TCleared& Rest : Cleared)
        delete Rest.Scene;
}
