// Several regions at once with the selection tool: adding and taking away with Shift or Ctrl, the
// rubber band, and moving them together by the mouse and the arrow keys.
#include "SceneTools.h"

#include "MapDocument.h"
#include "RegionCommands.h"
#include "TGUIRegion.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "UPTFrame.h"

#include <QPainterPath>
#include <algorithm>
#include <iterator>

namespace {

// The regions' joint bounds.
TRect JointBounds(const TMapDocument& Document, const QVector<int>& Positions)
{
    TRect joint{0, 0, 0, 0};
    bool first = true;
    for (int position : Positions) {
        const TGUIRegion* region = Document.RegionAt(position);
        if (!region)
            continue;
        const TRect r = NormalizeRect(region->BoundsRect());
        if (first) {
            joint = r;
            first = false;
        } else {
            joint = TRect{std::min(joint.Left, r.Left), std::min(joint.Top, r.Top),
                          std::max(joint.Right, r.Right), std::max(joint.Bottom, r.Bottom)};
        }
    }
    return joint;
}

// Whether the region's own shape, not only its bounds, reaches into Band.
bool ShapeTouches(const TGUIRegion& Region, const QRectF& Band)
{
    const TRect b = NormalizeRect(Region.BoundsRect());
    QPainterPath path;
    if (const auto* polygon = qobject_cast<const TUIPolygon*>(&Region)) {
        QPolygonF points;
        for (const TPoint& p : polygon->Points())
            points << QPointF(p.X + 0.5, p.Y + 0.5);
        path.addPolygon(points);
        path.closeSubpath();
        // A thin polygon touches where its outline runs.
        return path.intersects(Band) ||
               std::any_of(points.begin(), points.end(), [&](const QPointF& p) { return Band.contains(p); });
    }
    if (qobject_cast<const TUICircle*>(&Region)) {
        path.addEllipse(QRectF(b.Left, b.Top, RectWidth(b), RectHeight(b)));
        return path.intersects(Band);
    }
    return true;
}

} // namespace

QVector<int> TSceneTools::RegionsTouching(const TRect& R) const
{
    QVector<int> touching;
    const TRect band = NormalizeRect(R);
    // The pixels under both corners belong to the band.
    const QRectF area(band.Left, band.Top, RectWidth(band) + 1, RectHeight(band) + 1);
    const QList<TGUIShape*>& shapes = FScene.Shapes();
    // The scene's own copy of the hit rectangles, side by side in memory: a band over the whole map
    // looks at every one of them at each step.
    const QVector<TRect>& hits = FScene.ShapeHitRects();
    for (int i = 0; i < shapes.size(); ++i) {
        const TRect hit = NormalizeRect(hits[i]);
        if (hit.Right <= area.left() || hit.Left >= area.right() || hit.Bottom <= area.top() ||
            hit.Top >= area.bottom())
            continue;
        if (!shapes[i]->IsRegion())
            continue;
        const auto* region = static_cast<const TGUIRegion*>(shapes[i]);
        // Wholly inside: no closer look needed.
        const bool inside = hit.Left >= area.left() && hit.Right <= area.right() && hit.Top >= area.top() &&
                            hit.Bottom <= area.bottom();
        if (inside || ShapeTouches(*region, area))
            touching.append(i);
    }
    return touching;
}

bool TSceneTools::SelectionMouseDown(Qt::KeyboardModifiers Shift, int X, int Y, TGUIRegion* Region)
{
    const bool adding = Shift & (Qt::ShiftModifier | Qt::ControlModifier);
    const QVector<int> selected = FDocument.SelectedPositions();
    int position = -1;
    int count = 0;
    if (Region)
        Region->GetZPosition(position, count);
    const bool isSelected = position >= 0 && std::binary_search(selected.begin(), selected.end(), position);
    if (adding && Region) {
        QVector<int> positions = selected;
        if (isSelected)
            positions.removeOne(position);
        else
            positions.insert(std::lower_bound(positions.begin(), positions.end(), position), position);
        if (positions.size() == 1)
            FDocument.Select(positions.first());
        else
            FDocument.SelectPositions(positions, isSelected ? FDocument.SelectedPosition() : position);
        return true;
    }
    if (!adding && Region && isSelected && selected.size() > 1) {
        FDrag = TDrag::MovingMany;
        FMovingRegion = Region;
        FMovingBounds = JointBounds(FDocument, selected);
        FDragStart = TPoint{X, Y};
        FDragCurrent = FDragStart;
        ClipCursorToControl(&FScene);
        ShowOutline(FMovingBounds, stRectangle);
        SetOverrideDragCursor(true);
        return true;
    }
    if (Region)
        return false;
    // On empty picture: a rubber band, adding to the selection with Shift or Ctrl.
    if (!adding)
        FScene.ClearRegionFocus();
    FBandBase = adding ? selected : QVector<int>();
    FBandShown = FBandBase;
    FDrag = TDrag::Band;
    FDragStart = TPoint{X, Y};
    FDragCurrent = FDragStart;
    return true;
}

void TSceneTools::SelectionMouseMove(int X, int Y)
{
    FDragCurrent = TPoint{X, Y};
    if (FDrag == TDrag::MovingMany) {
        ShowOutline(OffsetRectBy(FMovingBounds, X - FDragStart.X, Y - FDragStart.Y), stRectangle);
        return;
    }
    const TRect band{FDragStart.X, FDragStart.Y, X, Y};
    ShowOutline(NormalizeRect(band), stRectangle);
    const QVector<int> touching = RegionsTouching(band);
    QVector<int> selection;
    selection.reserve(FBandBase.size() + touching.size());
    std::set_union(FBandBase.begin(), FBandBase.end(), touching.begin(), touching.end(),
                   std::back_inserter(selection));
    if (selection == FBandShown)
        return;
    FBandShown = selection;
    if (selection.size() == 1)
        FDocument.Select(selection.first());
    else
        FDocument.SelectPositions(selection, FDocument.SelectedPosition());
}

void TSceneTools::SelectionMouseUp(TDrag Drag)
{
    const int dx = FDragCurrent.X - FDragStart.X;
    const int dy = FDragCurrent.Y - FDragStart.Y;
    const bool properties = FPropertiesAtRelease && dx == 0 && dy == 0;
    FPropertiesAtRelease = false;
    CancelDrag();
    FBandBase.clear();
    FBandShown.clear();
    if (Drag == TDrag::MovingMany && (dx != 0 || dy != 0))
        FDocument.Push(new TMoveRegionsCommand(FDocument, FDocument.SelectedPositions(), dx, dy));
    if (properties)
        PropertiesAfterRelease();
}

void TSceneTools::MoveSelectionByKey(int DX, int DY)
{
    // Each press is a step that the history joins to the others of its burst.
    FDocument.Push(new TMoveRegionsCommand(FDocument, FDocument.SelectedPositions(), DX, DY, FKeyBurst + 1));
}
