// The scene's keys: moving and walking through the regions, opening their properties, the polygon
// tool's keys and Escape during a drag.
#include "SceneTools.h"

#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "RegionCommands.h"
#include "SceneSnap.h"
#include "TPolyOverlay.h"
#include "TUIPolygon.h"
#include "UPTFrame.h"

#include <QKeyEvent>

namespace {

// Whole image pixels an arrow key moves the selected region; with Shift.
constexpr int keyStep = 1;
constexpr int keyStepShift = 10;

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

bool TSceneTools::KeyPress(QKeyEvent* Event)
{
    const int key = Event->key();
    const bool plain = !(Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));

    // Escape gives up whatever drag is going on; the region stays as it was.
    if (key == Qt::Key_Escape && (FScene.DragControl() || FDrag != TDrag::None)) {
        CancelDragByKey();
        return true;
    }

    if (FTool == TTool::Polygon) {
        switch (key) {
        case Qt::Key_Escape:
            FPolyPoints.clear();
            ShowCorners();
            FCorners.ClearPointer();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (FPolyPoints.size() >= 3)
                FinishPolygon();
            return true;
        case Qt::Key_Backspace:
            if (!FPolyPoints.isEmpty()) {
                FPolyPoints.removeLast();
                ShowCorners();
                if (FPolyPoints.isEmpty())
                    FCorners.ClearPointer();
            }
            return true;
        default:
            return false;
        }
    }

    if (FTool != TTool::Select || !plain)
        return false;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        SelectNeighbourRegion(key == Qt::Key_Backtab || (Event->modifiers() & Qt::ShiftModifier));
        return true;
    }
    TGUIRegion* region = Selected();
    if (!region)
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!Event->isAutoRepeat())
            emit PropertiesWanted();
        return true;
    }
    if (isArrow(key)) {
        const int step = (Event->modifiers() & Qt::ShiftModifier) ? keyStepShift : keyStep;
        const int dx = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
        const int dy = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
        if (FDocument.SelectedCount() > 1)
            MoveSelectionByKey(dx, dy);
        else
            MoveRegionByKey(region, dx, dy);
        return true;
    }
    return false;
}

void TSceneTools::KeyRelease(QKeyEvent* Event)
{
    // A burst of repeats ends when the key really comes up.
    if (isArrow(Event->key()) && !Event->isAutoRepeat())
        FinishKeyMove();
}

void TSceneTools::KeyInterrupt(QEvent* Event)
{
    if (Event->type() == QEvent::ShortcutOverride && isArrow(static_cast<QKeyEvent*>(Event)->key()))
        return;
    FinishKeyMove();
}

void TSceneTools::MoveRegionByKey(TGUIRegion* Region, int DX, int DY)
{
    const MapArea before = RegionArea(*Region);
    // With snapping on, the step goes on to the next place the snapping takes.
    Region->SetBoundsRect(FSnap->SnapStep(Region->BoundsRect(), DX, DY, Region));
    // The moved region keeps its handles where it now is.
    FScene.ClearRegionFocus();
    Region->SetFocus();
    // Each press is a step that the history joins to the others of its burst.
    FDocument.Push(
        new TKeyMoveCommand(FDocument, FDocument.PositionOf(Region), before, RegionArea(*Region), FKeyBurst));
}

void TSceneTools::FinishKeyMove()
{
    ++FKeyBurst;
}

void TSceneTools::SelectNeighbourRegion(bool Previous)
{
    const QList<TGUIRegion*> regions = FScene.Regions();
    if (regions.isEmpty())
        return;
    FinishKeyMove();
    const int count = int(regions.size());
    const int current = regions.indexOf(Selected());
    int next = 0;
    if (current < 0)
        next = Previous ? count - 1 : 0;
    else
        next = (current + (Previous ? count - 1 : 1)) % count;
    FScene.ClearRegionFocus();
    regions[next]->SetFocus();
    const TRect r = regions[next]->BoundsRect();
    FScene.ensureVisible(QRectF(r.Left, r.Top, RectWidth(r), RectHeight(r)), 20, 20);
}

void TSceneTools::CancelDragByKey()
{
    if (FScene.DragControl()) {
        FScene.CancelControlDrag();
        return;
    }
    QPointer<TGUIRegion> region = FDrag == TDrag::Moving ? FMovingRegion : nullptr;
    CancelDrag();
    // The release still to come ends nothing, and the tool stays as it was.
    if (region)
        region->SetFocus();
}
