// The editing tools and the scene's mouse handling of the main window.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "RegionCommands.h"
#include "SceneSnap.h"
#include "TGUIRegion.h"
#include "TPolyOverlay.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QTabWidget>
#include <cmath>

namespace {

// Distance from the first corner within which a press closes the polygon.
constexpr double polyCloseDistance = 4.0;
// A new rectangle or circle must be larger than this in both directions.
constexpr int minRegionSize = 10;

} // namespace

TGUIRegion* TFormCorvantaZonequilter::ActiveRegion() const
{
    return PanelScene ? PanelScene->FocusedRegion() : nullptr;
}

void TFormCorvantaZonequilter::ClearActiveControl()
{
    if (PanelScene)
        PanelScene->ClearRegionFocus();
}

void TFormCorvantaZonequilter::ToolCommonSteps()
{
    PageControl->setCurrentWidget(TabSheetEdit);
    CancelSceneDrag();
    if (!FPolyPoints.isEmpty()) {
        FPolyPoints.clear();
        PaintBoxPolyPaint();
    }
    PaintBoxPoly->ClearPointer();
    PaintBoxPoly->hide();
    ClearActiveControl();
    PanelScene->SetSceneCursor(TBArrow->isChecked() ? Qt::ArrowCursor : Qt::CrossCursor);
}

void TFormCorvantaZonequilter::TBArrowClick()
{
    TBArrow->setChecked(true);
    ToolCommonSteps();
}

void TFormCorvantaZonequilter::TBRectClick()
{
    TBRect->setChecked(true);
    ToolCommonSteps();
}

void TFormCorvantaZonequilter::TBCircleClick()
{
    TBCircle->setChecked(true);
    ToolCommonSteps();
}

void TFormCorvantaZonequilter::TBPolyClick()
{
    TBPoly->setChecked(true);
    ToolCommonSteps();
    PaintBoxPoly->SetArea(EditableAreaRect());
    PaintBoxPoly->show();
}

void TFormCorvantaZonequilter::ShowOutline(const TRect& R, int Kind)
{
    HideOutline();
    DrawInvertedShape(PanelScene, R, Kind);
    FOutlineShown = true;
    FOutlineRect = R;
    FOutlineKind = Kind;
}

void TFormCorvantaZonequilter::HideOutline()
{
    // Drawing the same outline again erases it.
    if (FOutlineShown)
        DrawInvertedShape(PanelScene, FOutlineRect, FOutlineKind);
    FOutlineShown = false;
}

void TFormCorvantaZonequilter::SetOverrideDragCursor(bool On)
{
    if (On == FDragCursorSet)
        return;
    if (On)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ClosedHandCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    FDragCursorSet = On;
}

void TFormCorvantaZonequilter::CancelSceneDrag()
{
    HideOutline();
    if (FSceneDrag == SceneDrag::Moving || FSceneDrag == SceneDrag::MovingMany)
        ClipCursorToControl(nullptr);
    SetOverrideDragCursor(false);
    FSceneDrag = SceneDrag::None;
    FMovingRegion = nullptr;
}

TRect TFormCorvantaZonequilter::MovingOutline() const
{
    if (!FMovingRegion)
        return TRect();
    const TRect moved = OffsetRectBy(FMovingRegion->BoundsRect(), FDragCurrent.X - FDragStart.X,
                                     FDragCurrent.Y - FDragStart.Y);
    return (FDragModifiers & Qt::AltModifier) ? moved : FSnap->SnapRect(moved, FMovingRegion);
}

TRect TFormCorvantaZonequilter::CircleSquare() const
{
    const double dx = double(FDragCurrent.X) - FDragStart.X;
    const double dy = double(FDragCurrent.Y) - FDragStart.Y;
    const int r = int(std::trunc(std::sqrt(dx * dx + dy * dy)));
    return NormalizeRect(TRect{FDragStart.X - r, FDragStart.Y - r, FDragStart.X + r, FDragStart.Y + r});
}

void TFormCorvantaZonequilter::ShowPointerPosition(int X, int Y)
{
    StatusPanel1->setText(QStringLiteral("%1 x %2").arg(X).arg(Y));
}

void TFormCorvantaZonequilter::PanelSceneMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                                                   int Y)
{
    if (Button != Qt::LeftButton)
        return;
    // Whatever an earlier drag left behind (its release may never have come)
    // ends here, so nothing of it stays on the screen.
    CancelSceneDrag();
    FContextMenuSuppressed = true;
    FDragModifiers = Shift;
    // The selected polygon's outline belongs to it, also where it runs just outside.
    TUIPolygon* onOutline = TBArrow->isChecked() ? SelectedPolygonEdgeAt(X, Y) : nullptr;
    if (onOutline && (Shift & Qt::ControlModifier) && InsertPolygonPoint(X, Y))
        return;
    if (TBArrow->isChecked() &&
        SelectionMouseDown(Shift, X, Y,
                           onOutline ? onOutline : qobject_cast<TGUIRegion*>(PanelScene->ShapeAt(X, Y))))
        return;
    ClearActiveControl();

    if (TBArrow->isChecked()) {
        TGUIRegion* region = onOutline ? onOutline : qobject_cast<TGUIRegion*>(PanelScene->ShapeAt(X, Y));
        FMovingRegion = region;
        if (region) {
            FSceneDrag = SceneDrag::Moving;
            FDragStart = TPoint{X, Y};
            FDragCurrent = FDragStart;
            ClipCursorToControl(PanelScene);
            ShowOutline(region->BoundsRect(), stRectangle);
            SetOverrideDragCursor(true);
        }
    } else if (TBRect->isChecked() || TBCircle->isChecked()) {
        FSceneDrag = TBRect->isChecked() ? SceneDrag::Rectangle : SceneDrag::Circle;
        FDragStart = SnapDragPoint(TPoint{X, Y}, Shift);
        FDragCurrent = FDragStart;
    }
}

void TFormCorvantaZonequilter::PanelSceneMouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    ShowPointerPosition(X, Y);
    FDragModifiers = Shift;

    if (PanelScene->LeftButtonDown()) {
        switch (FSceneDrag) {
        case SceneDrag::Moving:
            if (!FMovingRegion) {
                // The region went away under the drag.
                CancelSceneDrag();
                break;
            }
            FDragCurrent = TPoint{X, Y};
            ShowOutline(MovingOutline(), stRectangle);
            break;
        case SceneDrag::Rectangle:
            FDragCurrent = SnapDragPoint(TPoint{X, Y}, Shift);
            ShowOutline(TRect{FDragStart.X, FDragStart.Y, FDragCurrent.X, FDragCurrent.Y}, stRectangle);
            break;
        case SceneDrag::Circle:
            FDragCurrent = TPoint{X, Y};
            ShowOutline(CircleSquare(), stEllipse);
            break;
        case SceneDrag::MovingMany:
        case SceneDrag::Band:
            SelectionMouseMove(X, Y);
            break;
        case SceneDrag::None:
            break;
        }
        return;
    }

    if (!TBArrow->isChecked())
        PanelScene->SetSceneCursor(Qt::CrossCursor);
    else if (PanelScene->ShapeAt(X, Y) || SelectedPolygonEdgeAt(X, Y))
        PanelScene->SetSceneCursor(Qt::SizeAllCursor);
    else
        PanelScene->SetSceneCursor(Qt::ArrowCursor);
}

void TFormCorvantaZonequilter::PanelSceneMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                                                 int Y)
{
    if (Button != Qt::LeftButton)
        return;
    FContextMenuSuppressed = false;
    const SceneDrag drag = FSceneDrag;
    // The drag ends where the button is released.
    FDragModifiers = Shift;
    if (drag != SceneDrag::None)
        FDragCurrent = drag == SceneDrag::Rectangle ? SnapDragPoint(TPoint{X, Y}, Shift) : TPoint{X, Y};

    if (drag == SceneDrag::MovingMany || drag == SceneDrag::Band) {
        SelectionMouseUp(drag);
    } else if (drag == SceneDrag::Moving) {
        QPointer<TGUIRegion> region = FMovingRegion;
        const TRect moved = MovingOutline();
        const bool properties = FPropertiesAtRelease && region && moved == region->BoundsRect();
        FPropertiesAtRelease = false;
        CancelSceneDrag();
        if (region) {
            const MapArea before = RegionArea(*region);
            region->SetBoundsRect(moved);
            const MapArea after = RegionArea(*region);
            if (after != before)
                FDocument->Push(new TChangeGeometryCommand(*FDocument, FDocument->PositionOf(region), before,
                                                           after, EditorText(QStringLiteral("Move Region"))));
            region->SetFocus();
        }
        // The dialog after the release, outside the mouse handling.
        if (properties)
            QMetaObject::invokeMethod(this, &TFormCorvantaZonequilter::MenuItemPropertiesClick,
                                      Qt::QueuedConnection);
    } else if (drag == SceneDrag::Rectangle) {
        // The selection tool comes first, so that the new region keeps the focus.
        TBArrowClick();
        const TRect r = NormalizeRect(TRect{FDragStart.X, FDragStart.Y, FDragCurrent.X, FDragCurrent.Y});
        if (RectWidth(r) > minRegionSize && RectHeight(r) > minRegionSize) {
            auto* rectangle = new TUIRectangle(PanelScene);
            rectangle->SetBoundsRect(r);
            FDocument->Push(new TCreateRegionCommand(*FDocument, *rectangle));
        }
    } else if (drag == SceneDrag::Circle) {
        TBArrowClick();
        const TRect square = CircleSquare();
        if (RectWidth(square) > minRegionSize && RectHeight(square) > minRegionSize) {
            auto* circle = new TUICircle(PanelScene);
            circle->SetBoundsRect(square);
            FDocument->Push(new TCreateRegionCommand(*FDocument, *circle));
        }
    }
    CancelSceneDrag();
}

void TFormCorvantaZonequilter::PanelScenePaint(QPainter* Canvas)
{
    Canvas->drawImage(0, 0, FDocument->Picture());
    PaintSnapGrid(Canvas);
}

void TFormCorvantaZonequilter::ScrollBoxResize()
{
    CentreInScrollBox(PanelScene);
    PaintBoxPoly->SetArea(EditableAreaRect());
}

void TFormCorvantaZonequilter::PaintBoxPolyMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                                     int X, int Y)
{
    if (Button != Qt::LeftButton)
        return;
    // Corners snap as the drags do.
    const TPoint corner = SnapDragPoint(TPoint{X, Y}, Shift);
    X = corner.X;
    Y = corner.Y;
    bool addCorner = FPolyPoints.isEmpty();
    if (!addCorner) {
        const double dx = double(X) - FPolyPoints.first().X;
        const double dy = double(Y) - FPolyPoints.first().Y;
        addCorner = std::sqrt(dx * dx + dy * dy) > polyCloseDistance;
    }
    // The second press of a double click lands on the corner the first one placed.
    if (addCorner && !FPolyPoints.isEmpty() && FPolyPoints.last() == TPoint{X, Y})
        return;
    if (addCorner) {
        FPolyPoints.append(TPoint{X, Y});
        PaintBoxPolyPaint();
        return;
    }

    FinishPolygon();
}

void TFormCorvantaZonequilter::FinishPolygon()
{
    // Only three or more corners spanning both directions make a region.
    const TRect bounds = PointsBounds(FPolyPoints);
    QPointer<TUIPolygon> polygon;
    if (RectWidth(bounds) > 0 && RectHeight(bounds) > 0 && FPolyPoints.size() > 2) {
        polygon = new TUIPolygon(PanelScene);
        polygon->SetPoints(FPolyPoints);
    }
    TBArrowClick();
    if (polygon)
        FDocument->Push(new TCreateRegionCommand(*FDocument, *polygon));
}

void TFormCorvantaZonequilter::PaintBoxPolyMouseMove(Qt::KeyboardModifiers, int X, int Y)
{
    ShowPointerPosition(X, Y);
    if (FPolyPoints.isEmpty())
        return;
    const double dx = double(X) - FPolyPoints.first().X;
    const double dy = double(Y) - FPolyPoints.first().Y;
    PaintBoxPoly->SetPointer(TPoint{X, Y}, std::sqrt(dx * dx + dy * dy) <= polyCloseDistance);
}

void TFormCorvantaZonequilter::PaintBoxPolyPaint()
{
    PaintBoxPoly->SetPoints(FPolyPoints);
    // How to finish, for as long as corners are being placed.
    StatusPanel0->setText(
        FPolyPoints.isEmpty()
            ? QString()
            : EditorText(QStringLiteral("Click the first point or press Enter to finish; Esc cancels")));
}
