// The scene's editing tools: the drags of the selection tool, drawing rectangles, circles and
// polygons, corners on a polygon's outline, and snapping.
#include "SceneTools.h"

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

#include <QGuiApplication>
#include <QPainter>
#include <cmath>

namespace {

// Distance from the first corner within which a press closes the polygon.
constexpr double polyCloseDistance = 4.0;
// A new rectangle or circle must be larger than this in both directions.
constexpr int minRegionSize = 10;

} // namespace

TSceneTools::TSceneTools(TMapDocument& Document, TPTGroup& Scene, TPolyOverlay& Corners, QObject* Parent)
    : QObject(Parent), FDocument(Document), FScene(Scene), FCorners(Corners),
      FSnap(std::make_unique<TSceneSnap>(Scene))
{
    FScene.OnDragPoint = [this](TUserInterfaceControl* Control, const TPoint& P,
                                Qt::KeyboardModifiers Shift) { return SnapHandlePoint(Control, P, Shift); };
}

TSceneTools::~TSceneTools() = default;

TGUIRegion* TSceneTools::Selected() const
{
    return FScene.FocusedRegion();
}

void TSceneTools::Reset()
{
    CancelDrag();
    if (!FPolyPoints.isEmpty()) {
        FPolyPoints.clear();
        ShowCorners();
    }
    FCorners.ClearPointer();
    FCorners.hide();
}

void TSceneTools::ShowOutline(const TRect& R, int Kind)
{
    HideOutline();
    DrawInvertedShape(&FScene, R, Kind);
    FOutlineShown = true;
    FOutlineRect = R;
    FOutlineKind = Kind;
}

void TSceneTools::HideOutline()
{
    // Drawing the same outline again erases it.
    if (FOutlineShown)
        DrawInvertedShape(&FScene, FOutlineRect, FOutlineKind);
    FOutlineShown = false;
}

void TSceneTools::SetOverrideDragCursor(bool On)
{
    if (On == FDragCursorSet)
        return;
    if (On)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ClosedHandCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    FDragCursorSet = On;
}

void TSceneTools::CancelDrag()
{
    HideOutline();
    if (FDrag == TDrag::Moving || FDrag == TDrag::MovingMany)
        ClipCursorToControl(nullptr);
    SetOverrideDragCursor(false);
    FDrag = TDrag::None;
    FMovingRegion = nullptr;
}

TRect TSceneTools::MovingOutline() const
{
    if (!FMovingRegion)
        return TRect();
    const TRect moved = OffsetRectBy(FMovingRegion->BoundsRect(), FDragCurrent.X - FDragStart.X,
                                     FDragCurrent.Y - FDragStart.Y);
    return (FDragModifiers & Qt::AltModifier) ? moved : FSnap->SnapRect(moved, FMovingRegion);
}

TRect TSceneTools::CircleSquare() const
{
    const double dx = double(FDragCurrent.X) - FDragStart.X;
    const double dy = double(FDragCurrent.Y) - FDragStart.Y;
    const int r = int(std::trunc(std::sqrt(dx * dx + dy * dy)));
    return NormalizeRect(TRect{FDragStart.X - r, FDragStart.Y - r, FDragStart.X + r, FDragStart.Y + r});
}

void TSceneTools::PropertiesAfterRelease()
{
    // The dialog after the release, outside the mouse handling.
    QMetaObject::invokeMethod(
        this, [this] { emit PropertiesWanted(); }, Qt::QueuedConnection);
}

void TSceneTools::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (Button != Qt::LeftButton)
        return;
    // Whatever an earlier drag left behind (its release may never have come)
    // ends here, so nothing of it stays on the screen.
    CancelDrag();
    FContextMenuSuppressed = true;
    FDragModifiers = Shift;
    const bool selecting = FTool == TTool::Select;
    // The selected polygon's outline belongs to it, also where it runs just outside.
    TUIPolygon* onOutline = selecting ? SelectedPolygonEdgeAt(X, Y) : nullptr;
    if (onOutline && (Shift & Qt::ControlModifier) && InsertPolygonPoint(X, Y))
        return;
    if (selecting &&
        SelectionMouseDown(Shift, X, Y,
                           onOutline ? onOutline : qobject_cast<TGUIRegion*>(FScene.ShapeAt(X, Y))))
        return;
    FScene.ClearRegionFocus();

    if (selecting) {
        TGUIRegion* region = onOutline ? onOutline : qobject_cast<TGUIRegion*>(FScene.ShapeAt(X, Y));
        FMovingRegion = region;
        if (region) {
            FDrag = TDrag::Moving;
            FDragStart = TPoint{X, Y};
            FDragCurrent = FDragStart;
            ClipCursorToControl(&FScene);
            ShowOutline(region->BoundsRect(), stRectangle);
            SetOverrideDragCursor(true);
        }
    } else if (FTool == TTool::Rectangle || FTool == TTool::Circle) {
        FDrag = FTool == TTool::Rectangle ? TDrag::Rectangle : TDrag::Circle;
        FDragStart = SnapDragPoint(TPoint{X, Y}, Shift);
        FDragCurrent = FDragStart;
    }
}

void TSceneTools::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    emit PointerMoved(X, Y);
    FDragModifiers = Shift;

    if (FScene.LeftButtonDown()) {
        switch (FDrag) {
        case TDrag::Moving:
            if (!FMovingRegion) {
                // The region went away under the drag.
                CancelDrag();
                break;
            }
            FDragCurrent = TPoint{X, Y};
            ShowOutline(MovingOutline(), stRectangle);
            break;
        case TDrag::Rectangle:
            FDragCurrent = SnapDragPoint(TPoint{X, Y}, Shift);
            ShowOutline(TRect{FDragStart.X, FDragStart.Y, FDragCurrent.X, FDragCurrent.Y}, stRectangle);
            break;
        case TDrag::Circle:
            FDragCurrent = TPoint{X, Y};
            ShowOutline(CircleSquare(), stEllipse);
            break;
        case TDrag::MovingMany:
        case TDrag::Band:
            SelectionMouseMove(X, Y);
            break;
        case TDrag::None:
            break;
        }
        return;
    }

    if (FTool != TTool::Select)
        FScene.SetSceneCursor(Qt::CrossCursor);
    else if (FScene.ShapeAt(X, Y) || SelectedPolygonEdgeAt(X, Y))
        FScene.SetSceneCursor(Qt::SizeAllCursor);
    else
        FScene.SetSceneCursor(Qt::ArrowCursor);
}

void TSceneTools::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (Button != Qt::LeftButton)
        return;
    FContextMenuSuppressed = false;
    const TDrag drag = FDrag;
    // The drag ends where the button is released.
    FDragModifiers = Shift;
    if (drag != TDrag::None)
        FDragCurrent = drag == TDrag::Rectangle ? SnapDragPoint(TPoint{X, Y}, Shift) : TPoint{X, Y};

    if (drag == TDrag::MovingMany || drag == TDrag::Band) {
        SelectionMouseUp(drag);
    } else if (drag == TDrag::Moving) {
        QPointer<TGUIRegion> region = FMovingRegion;
        const TRect moved = MovingOutline();
        const bool properties = FPropertiesAtRelease && region && moved == region->BoundsRect();
        FPropertiesAtRelease = false;
        CancelDrag();
        if (region) {
            const MapArea before = RegionArea(*region);
            region->SetBoundsRect(moved);
            const MapArea after = RegionArea(*region);
            if (after != before)
                FDocument.Push(new TChangeGeometryCommand(FDocument, FDocument.PositionOf(region), before,
                                                          after, EditorText(QStringLiteral("Move Region"))));
            region->SetFocus();
        }
        if (properties)
            PropertiesAfterRelease();
    } else if (drag == TDrag::Rectangle) {
        // The selection tool comes first, so that the new region keeps the focus.
        emit SelectionToolWanted();
        const TRect r = NormalizeRect(TRect{FDragStart.X, FDragStart.Y, FDragCurrent.X, FDragCurrent.Y});
        if (RectWidth(r) > minRegionSize && RectHeight(r) > minRegionSize) {
            auto* rectangle = new TUIRectangle(&FScene);
            rectangle->SetBoundsRect(r);
            FDocument.Push(new TCreateRegionCommand(FDocument, *rectangle));
        }
    } else if (drag == TDrag::Circle) {
        emit SelectionToolWanted();
        const TRect square = CircleSquare();
        if (RectWidth(square) > minRegionSize && RectHeight(square) > minRegionSize) {
            auto* circle = new TUICircle(&FScene);
            circle->SetBoundsRect(square);
            FDocument.Push(new TCreateRegionCommand(FDocument, *circle));
        }
    }
    CancelDrag();
}

void TSceneTools::DoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers, int X, int Y)
{
    if (Button == Qt::LeftButton && FDrag == TDrag::MovingMany)
        FPropertiesAtRelease = true;
    if (Button != Qt::LeftButton || FTool != TTool::Select || FDrag != TDrag::Moving)
        return;
    auto* polygon = qobject_cast<TUIPolygon*>(FMovingRegion.data());
    if (polygon && polygon->EdgeAt(TPoint{X, Y}, TUIPolygon::EdgeTolerance(FScene.Zoom())) >= 0) {
        // On the outline the double click adds a corner; the release still to come ends nothing.
        CancelDrag();
        polygon->SetFocus();
        InsertPolygonPoint(X, Y);
        return;
    }
    FPropertiesAtRelease = true;
}

void TSceneTools::CornerMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
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
        ShowCorners();
        return;
    }

    FinishPolygon();
}

void TSceneTools::CornerDoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    CornerMouseDown(Button, Shift, X, Y);
    // The press may have closed the polygon already (on the first corner), or added nothing.
    if (FTool == TTool::Polygon && FPolyPoints.size() >= 3)
        FinishPolygon();
}

void TSceneTools::FinishPolygon()
{
    // Only three or more corners spanning both directions make a region.
    const TRect bounds = PointsBounds(FPolyPoints);
    QPointer<TUIPolygon> polygon;
    if (RectWidth(bounds) > 0 && RectHeight(bounds) > 0 && FPolyPoints.size() > 2) {
        polygon = new TUIPolygon(&FScene);
        polygon->SetPoints(FPolyPoints);
    }
    emit SelectionToolWanted();
    if (polygon)
        FDocument.Push(new TCreateRegionCommand(FDocument, *polygon));
}

void TSceneTools::CornerMouseMove(Qt::KeyboardModifiers, int X, int Y)
{
    emit PointerMoved(X, Y);
    if (FPolyPoints.isEmpty())
        return;
    const double dx = double(X) - FPolyPoints.first().X;
    const double dy = double(Y) - FPolyPoints.first().Y;
    FCorners.SetPointer(TPoint{X, Y}, std::sqrt(dx * dx + dy * dy) <= polyCloseDistance);
}

void TSceneTools::ShowCorners()
{
    FCorners.SetPoints(FPolyPoints);
    // How to finish, for as long as corners are being placed.
    emit HintChanged(
        FPolyPoints.isEmpty()
            ? QString()
            : EditorText(QStringLiteral("Click the first point or press Enter to finish; Esc cancels")));
}

TUIPolygon* TSceneTools::SelectedPolygonEdgeAt(int X, int Y, int* Edge, TPoint* OnEdge) const
{
    auto* polygon = qobject_cast<TUIPolygon*>(Selected());
    if (!polygon)
        return nullptr;
    const int edge = polygon->EdgeAt(TPoint{X, Y}, TUIPolygon::EdgeTolerance(FScene.Zoom()), OnEdge);
    if (Edge)
        *Edge = edge;
    return edge >= 0 ? polygon : nullptr;
}

bool TSceneTools::InsertPolygonPoint(int X, int Y)
{
    int edge = -1;
    TPoint at;
    TUIPolygon* polygon = SelectedPolygonEdgeAt(X, Y, &edge, &at);
    if (!polygon)
        return false;
    const MapArea before = RegionArea(*polygon);
    const QPoint corner(at.X, at.Y);
    const int next = (edge + 1) % before.Vertices.size();
    // Next to a corner the outline already turns there.
    if (corner == before.Vertices[edge] || corner == before.Vertices[next])
        return false;
    MapArea after = before;
    after.Vertices.insert(edge + 1, corner);
    FDocument.Push(new TChangeGeometryCommand(FDocument, FDocument.PositionOf(polygon), before, after,
                                              EditorText(QStringLiteral("Insert Point"))));
    return true;
}

TPoint TSceneTools::SnapDragPoint(const TPoint& P, Qt::KeyboardModifiers Shift, const QObject* Exclude) const
{
    if (Shift & Qt::AltModifier)
        return P;
    return FSnap->SnapPoint(P, Exclude);
}

TPoint TSceneTools::SnapHandlePoint(TUserInterfaceControl* Control, const TPoint& P,
                                    Qt::KeyboardModifiers Shift) const
{
    if ((Shift & Qt::AltModifier) || !FSnap->Options.Any() || !Control || !Control->TargetControl)
        return P;
    // The handle was taken a little beside the edge it moves: the edge, not the pointer, snaps.
    const TRect B = Control->TargetControl->BoundsRect();
    const TPoint S = Control->StartPos;
    const qint64 reach = FSnap->Tolerance() + 8;
    const auto grab = [reach](qint64 Start, qint64 Low, qint64 High) -> qint64 {
        const qint64 toLow = Start - Low, toHigh = Start - High;
        const qint64 nearest = std::abs(toLow) <= std::abs(toHigh) ? toLow : toHigh;
        return std::abs(nearest) <= reach ? nearest : 0;
    };
    const qint64 gx = grab(S.X, B.Left, B.Right), gy = grab(S.Y, B.Top, B.Bottom);
    const TPoint edge{ClampToInt(P.X - gx), ClampToInt(P.Y - gy)};
    const TPoint snapped = FSnap->SnapPoint(edge, Control->TargetControl);
    return TPoint{ClampToInt(snapped.X + gx), ClampToInt(snapped.Y + gy)};
}

void TSceneTools::PaintSnapGrid(QPainter* Canvas) const
{
    FSnap->PaintGrid(Canvas, FScene.mapToScene(FScene.viewport()->rect()).boundingRect());
}
