// The scene's keys: moving and walking through the regions, opening their properties, the polygon
// tool's keys and Escape during a drag.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "RegionCommands.h"
#include "SceneSnap.h"
#include "TPolyOverlay.h"
#include "TUIPolygon.h"
#include "UPTFrame.h"

#include <QAction>
#include <QKeyEvent>
#include <QTabWidget>

namespace {

// Whole image pixels an arrow key moves the selected region; with Shift.
constexpr int keyStep = 1;
constexpr int keyStepShift = 10;

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

bool TFormCorvantaZonequilter::PanelSceneKey(QKeyEvent* Event)
{
    if (PageControl->currentWidget() != TabSheetEdit)
        return false;
    const int key = Event->key();
    const bool plain = !(Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));

    // Escape gives up whatever drag is going on; the region stays as it was.
    if (key == Qt::Key_Escape && (PanelScene->DragControl() || FSceneDrag != SceneDrag::None)) {
        CancelDragByKey();
        return true;
    }

    if (TBPoly->isChecked()) {
        switch (key) {
        case Qt::Key_Escape:
            FPolyPoints.clear();
            PaintBoxPolyPaint();
            PaintBoxPoly->ClearPointer();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (FPolyPoints.size() >= 3)
                FinishPolygon();
            return true;
        case Qt::Key_Backspace:
            if (!FPolyPoints.isEmpty()) {
                FPolyPoints.removeLast();
                PaintBoxPolyPaint();
                if (FPolyPoints.isEmpty())
                    PaintBoxPoly->ClearPointer();
            }
            return true;
        default:
            return false;
        }
    }

    if (!TBArrow->isChecked() || !plain)
        return false;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        SelectNeighbourRegion(key == Qt::Key_Backtab || (Event->modifiers() & Qt::ShiftModifier));
        return true;
    }
    TGUIRegion* region = ActiveRegion();
    if (!region)
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!Event->isAutoRepeat())
            MenuItemPropertiesClick();
        return true;
    }
    if (isArrow(key)) {
        const int step = (Event->modifiers() & Qt::ShiftModifier) ? keyStepShift : keyStep;
        const int dx = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
        const int dy = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
        if (FDocument->SelectedCount() > 1)
            MoveSelectionByKey(dx, dy);
        else
            MoveRegionByKey(region, dx, dy);
        return true;
    }
    return false;
}

bool TFormCorvantaZonequilter::PanelSceneKeyRelease(QKeyEvent* Event)
{
    // A burst of repeats ends when the key really comes up.
    if (isArrow(Event->key()) && !Event->isAutoRepeat())
        FinishKeyMove();
    return false;
}

void TFormCorvantaZonequilter::PanelSceneKeyInterrupt(QEvent* Event)
{
    if (Event->type() == QEvent::ShortcutOverride && isArrow(static_cast<QKeyEvent*>(Event)->key()))
        return;
    FinishKeyMove();
}

void TFormCorvantaZonequilter::MoveRegionByKey(TGUIRegion* Region, int DX, int DY)
{
    const MapArea before = RegionArea(*Region);
    // With snapping on, the step goes on to the next place the snapping takes.
    Region->SetBoundsRect(FSnap->SnapStep(Region->BoundsRect(), DX, DY, Region));
    // The moved region keeps its handles where it now is.
    PanelScene->ClearRegionFocus();
    Region->SetFocus();
    // Each press is a step that the history joins to the others of its burst.
    FDocument->Push(
        new TKeyMoveCommand(*FDocument, FDocument->PositionOf(Region), before, RegionArea(*Region), FKeyBurst));
}

void TFormCorvantaZonequilter::FinishKeyMove()
{
    ++FKeyBurst;
}

void TFormCorvantaZonequilter::SelectNeighbourRegion(bool Previous)
{
    const QList<TGUIRegion*> regions = PanelScene->Regions();
    if (regions.isEmpty())
        return;
    FinishKeyMove();
    const int count = int(regions.size());
    const int current = regions.indexOf(ActiveRegion());
    int next = 0;
    if (current < 0)
        next = Previous ? count - 1 : 0;
    else
        next = (current + (Previous ? count - 1 : 1)) % count;
    ClearActiveControl();
    regions[next]->SetFocus();
    const TRect r = regions[next]->BoundsRect();
    PanelScene->ensureVisible(QRectF(r.Left, r.Top, RectWidth(r), RectHeight(r)), 20, 20);
}

void TFormCorvantaZonequilter::PaintBoxPolyDoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                                       int X, int Y)
{
    PaintBoxPolyMouseDown(Button, Shift, X, Y);
    // The press may have closed the polygon already (on the first corner), or added nothing.
    if (TBPoly->isChecked() && FPolyPoints.size() >= 3)
        FinishPolygon();
}

void TFormCorvantaZonequilter::PanelSceneDoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers, int X,
                                                     int Y)
{
    if (Button == Qt::LeftButton && FSceneDrag == SceneDrag::MovingMany)
        FPropertiesAtRelease = true;
    if (Button != Qt::LeftButton || !TBArrow->isChecked() || FSceneDrag != SceneDrag::Moving)
        return;
    auto* polygon = qobject_cast<TUIPolygon*>(FMovingRegion.data());
    if (polygon && polygon->EdgeAt(TPoint{X, Y}, TUIPolygon::EdgeTolerance(PanelScene->Zoom())) >= 0) {
        // On the outline the double click adds a corner; the release still to come ends nothing.
        CancelSceneDrag();
        polygon->SetFocus();
        InsertPolygonPoint(X, Y);
        return;
    }
    FPropertiesAtRelease = true;
}

void TFormCorvantaZonequilter::CancelDragByKey()
{
    if (PanelScene->DragControl()) {
        PanelScene->CancelControlDrag();
        return;
    }
    QPointer<TGUIRegion> region = FSceneDrag == SceneDrag::Moving ? FMovingRegion : nullptr;
    CancelSceneDrag();
    // The release still to come ends nothing, and the tool stays as it was.
    if (region)
        region->SetFocus();
}
