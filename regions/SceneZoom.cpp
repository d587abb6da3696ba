// The scene panel's view: its scale, where the scene sits in the viewport, and how far the editable
// area reaches beyond the picture.
#include "UPTFrame.h"

#include "TGUIShape.h"
#include "TUIPolygon.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Room left beyond a shape that reaches past the picture, so that its outline and handles show.
constexpr int AreaMargin = 10;
// From this scale on, a faint line separates the image pixels.
constexpr double PixelGridZoom = 8;

constexpr double ZoomSteps[] = {0.1, 0.15, 0.2, 0.25, 1.0 / 3, 0.5, 2.0 / 3, 1,  1.5,
                                2,   3,    4,   6,    8,       12,  16,      24, 32};

// The pixels a shape covers: a polygon's vertices (its bounds carry a 4-pixel rim for the handles),
// the bounds of any other shape.
TRect ShapeExtent(TGUIShape* Shape)
{
    if (auto* Polygon = qobject_cast<TUIPolygon*>(Shape)) {
        TRect R = PointsBounds(Polygon->Points());
        // A vertex may lie at the end of the int range (imported coordinates can be anything).
        R.Right = int(std::min<long long>((long long)R.Right + 1, std::numeric_limits<int>::max()));
        R.Bottom = int(std::min<long long>((long long)R.Bottom + 1, std::numeric_limits<int>::max()));
        return R;
    }
    return NormalizeRect(Shape->BoundsRect());
}

// A polygon's vertices lie on pixels; a vertex on the picture's far edge (x = width) still counts as
// on the picture, as it does in a browser.
TRect PictureTolerance(const TRect& Picture)
{
    return TRect{Picture.Left, Picture.Top, Picture.Right + 1, Picture.Bottom + 1};
}

} // namespace

TRect TPTCustomGroup::EditableArea() const
{
    if (FAreaValid)
        return FArea;
    const TRect Picture{0, 0, FClientWidth, FClientHeight};
    const TRect Tolerance = PictureTolerance(Picture);
    TRect Reach = Tolerance;
    for (TGUIShape* Shape : FShapes) {
        const TRect E = ShapeExtent(Shape);
        if (RectWidth(E) <= 0 && RectHeight(E) <= 0)
            continue;
        Reach.Left = std::min(Reach.Left, E.Left);
        Reach.Top = std::min(Reach.Top, E.Top);
        Reach.Right = std::max(Reach.Right, E.Right);
        Reach.Bottom = std::max(Reach.Bottom, E.Bottom);
    }
    // Only the sides that shapes cross grow, each by the margin; 64-bit on the way, as imported
    // coordinates can be anything.
    auto Grow = [](int Edge, int Limit, int Direction) {
        const long long V = (long long)Edge + (long long)Direction * AreaMargin;
        return int(std::clamp<long long>(V, -Limit, Limit));
    };
    constexpr int Limit = AreaLimit;
    FArea = Picture;
    if (Reach.Left < Tolerance.Left)
        FArea.Left = Grow(Reach.Left, Limit, -1);
    if (Reach.Top < Tolerance.Top)
        FArea.Top = Grow(Reach.Top, Limit, -1);
    if (Reach.Right > Tolerance.Right)
        FArea.Right = Grow(Reach.Right, Limit, 1);
    if (Reach.Bottom > Tolerance.Bottom)
        FArea.Bottom = Grow(Reach.Bottom, Limit, 1);
    FAreaValid = true;
    return FArea;
}

void TPTCustomGroup::BeginBulkAdd()
{
    ++FBulkAdds;
}

void TPTCustomGroup::EndBulkAdd()
{
    if (FBulkAdds > 0 && --FBulkAdds == 0) {
        AreaMayHaveChanged();
        PostShapesChanged();
    }
}

void TPTCustomGroup::IndexNewShapes()
{
    // Any query brings Qt's index up to date. Outside the area and by bounding rectangles it finds
    // nothing and asks no shape for its outline.
    (void)FScene->items(QRectF(FSceneArea.Left - 2, FSceneArea.Top - 2, 1, 1), Qt::IntersectsItemBoundingRect);
}

void TPTCustomGroup::PrepareLookups(const std::function<void()>& Step)
{
    IndexNewShapes();
    Step();
    UpdateSceneRect();
    Step();
    if (!FGridValid)
        RebuildGrid();
    // A changed scene rectangle resets Qt's index.
    IndexNewShapes();
    Step();
}

void TPTCustomGroup::AreaMayHaveChanged()
{
    FAreaValid = false;
    if (FBulkAdds > 0)
        return;
    // Many shapes change at once on an import: the scene rectangle follows once, afterwards.
    if (FSceneRectPosted)
        return;
    FSceneRectPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FSceneRectPosted = false;
            UpdateSceneRect();
        },
        Qt::QueuedConnection);
}

void TPTCustomGroup::PostShapesChanged()
{
    if (FShapesChangedPosted || FBulkAdds > 0)
        return;
    FShapesChangedPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FShapesChangedPosted = false;
            emit ShapesChanged();
        },
        Qt::QueuedConnection);
}

void TPTCustomGroup::UpdateSceneRect()
{
    const TRect A = EditableArea();
    const double Z = FZoom;
    // The viewport without scroll bars, less the bars the scaled area needs.
    const QSize Full = maximumViewportSize();
    const long long AreaW = std::llround(RectWidth(A) * Z);
    const long long AreaH = std::llround(RectHeight(A) * Z);
    const int Bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool NeedH = AreaW > Full.width();
    bool NeedV = AreaH > Full.height();
    NeedH = AreaW > Full.width() - (NeedV ? Bar : 0);
    NeedV = AreaH > Full.height() - (NeedH ? Bar : 0);
    const int ViewW = Full.width() - (NeedV ? Bar : 0);
    const int ViewH = Full.height() - (NeedH ? Bar : 0);
    // Centred when smaller: CentreInScrollBoxPos's (view - area) div 2; else from the area's start.
    QRectF R(A.Left, A.Top, RectWidth(A), RectHeight(A));
    if (!NeedH) {
        const TPoint Pos = CentreInScrollBoxPos(ViewW, 0, int(AreaW), 0, 0, 0);
        // A quarter pixel further out, so that Qt's truncation of the scroll offset lands on Pos.
        R.setLeft(A.Left - (Pos.X + 0.25) / Z);
        R.setWidth((ViewW - 0.5) / Z);
    }
    if (!NeedV) {
        const TPoint Pos = CentreInScrollBoxPos(0, ViewH, 0, int(AreaH), 0, 0);
        R.setTop(A.Top - (Pos.Y + 0.25) / Z);
        R.setHeight((ViewH - 0.5) / Z);
    }
    // The scene's own rectangle (its item index) changes only with the area, not with every resize.
    const QRectF AreaRect(A.Left, A.Top, RectWidth(A), RectHeight(A));
    if (FScene->sceneRect() != AreaRect)
        FScene->setSceneRect(AreaRect);
    if (sceneRect() != R)
        setSceneRect(R);
    if (A != FSceneArea) {
        FSceneArea = A;
        emit EditableAreaChanged();
    }
}

void TPTCustomGroup::SetZoomAt(double Factor, const QPoint& Anchor)
{
    Factor = std::clamp(Factor, ZoomMin, ZoomMax);
    if (std::abs(Factor - FZoom) < 1e-9)
        return;
    const QPointF Fixed = mapToScene(Anchor) + QPointF(0.5 / FZoom, 0.5 / FZoom);
    FZoom = Factor;
    setTransform(QTransform::fromScale(Factor, Factor));
    UpdateSceneRect();
    // Bring the image point back under the anchor where the view scrolls.
    const QPoint Now = mapFromScene(Fixed);
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + Now.x() - Anchor.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + Now.y() - Anchor.y());
    viewport()->update();
    emit ZoomChanged(FZoom);
}

void TPTCustomGroup::SetZoom(double Factor)
{
    SetZoomAt(Factor, viewport()->rect().center());
}

double TPTCustomGroup::NextZoomStep(double Factor, bool Larger)
{
    if (Larger) {
        for (double Step : ZoomSteps)
            if (Step > Factor * (1 + 1e-6))
                return Step;
        return ZoomMax;
    }
    for (auto It = std::rbegin(ZoomSteps); It != std::rend(ZoomSteps); ++It)
        if (*It < Factor * (1 - 1e-6))
            return *It;
    return ZoomMin;
}

double TPTCustomGroup::FitZoom() const
{
    const QSize Full = maximumViewportSize();
    if (FClientWidth <= 0 || FClientHeight <= 0 || Full.isEmpty())
        return 1;
    const double Z = std::min(double(Full.width()) / FClientWidth, double(Full.height()) / FClientHeight);
    return std::clamp(Z, ZoomMin, ZoomMax);
}

void TPTCustomGroup::resizeEvent(QResizeEvent* Event)
{
    QGraphicsView::resizeEvent(Event);
    UpdateSceneRect();
}

void TPTCustomGroup::wheelEvent(QWheelEvent* Event)
{
    if (!(Event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(Event);
        return;
    }
    Event->accept();
    const int Delta = Event->angleDelta().y();
    if (Delta == 0)
        return;
    SetZoomAt(NextZoomStep(FZoom, Delta > 0), Event->position().toPoint());
}

void TPTCustomGroup::DrawPixelGrid(QPainter* Painter, const QRectF& Rect) const
{
    if (FZoom < PixelGridZoom)
        return;
    const QRectF Visible = Rect.intersected(ClientRect());
    if (Visible.isEmpty())
        return;
    Painter->save();
    Painter->setRenderHint(QPainter::Antialiasing, false);
    QPen Pen(QColor(128, 128, 128, 70), 0);
    Painter->setPen(Pen);
    const int X0 = int(std::floor(Visible.left())), X1 = int(std::ceil(Visible.right()));
    const int Y0 = int(std::floor(Visible.top())), Y1 = int(std::ceil(Visible.bottom()));
    QVector<QLineF> Lines;
    Lines.reserve((X1 - X0) + (Y1 - Y0) + 2);
    for (int X = X0; X <= X1; ++X)
        Lines.append(QLineF(X, Visible.top(), X, Visible.bottom()));
    for (int Y = Y0; Y <= Y1; ++Y)
        Lines.append(QLineF(Visible.left(), Y, Visible.right(), Y));
    Painter->drawLines(Lines);
    Painter->restore();
}
