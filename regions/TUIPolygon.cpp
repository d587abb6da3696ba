#include "TUIPolygon.h"

#include "TGrabHandle.h"
#include "TInvertedCanvas.h"
#include "UPTFrame.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

// Where a recorded coordinate lands when its rectangle's edge and extent change: exactly shifted when the
// extent is unchanged, scaled and rounded to the nearest pixel otherwise.
// In 64 bits, clamped to the int range: vertices may lie at its very ends.
int PlaceCoordinate(int Value, int RefStart, int RefExtent, int NewStart, int NewExtent)
{
    const qint64 Offset = qint64(Value) - RefStart;
    if (NewExtent == RefExtent)
        return ClampToInt(NewStart + Offset);
    return ClampToInt(NewStart + std::llround(double(Offset) * NewExtent / std::max(RefExtent, 1)));
}

} // namespace

TUIPolygon::TUIPolygon(TPTCustomGroup* AOwner) : TGUIRegion(AOwner) {}

TUIPolygon::~TUIPolygon()
{
    PrepareDestruction();
    DestroyHandles();
}

void TUIPolygon::SetPoints(const QVector<TPoint>& Points)
{
    DestroyHandles();
    FRefPoints = Points;
    FRefRect = InflateRectBy(PointsBounds(Points), 4, 4);
    SetBoundsRect(FRefRect);
    if (Focused())
        CreateHandles();
}

const QList<TGrabHandle*>& TUIPolygon::Handles()
{
    if (FHandles.isEmpty() && !FPoints.isEmpty())
        CreateHandles();
    return FHandles;
}

void TUIPolygon::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // Compared as bounds: a polygon whose vertices span more than the int range has clamped bounds, and
    // being given them back must keep its vertices.
    const bool Unchanged = ALeft == FRefRect.Left && ATop == FRefRect.Top && AWidth == RectWidth(FRefRect) &&
                           AHeight == RectHeight(FRefRect);
    const TRect NewRect = Unchanged ? FRefRect : BoundsToRect(ALeft, ATop, AWidth, AHeight);
    if (NewRect == FRefRect) {
        // The recorded vertices themselves: shared, not copied, which halves what an imported polygon
        // keeps in memory.
        FPoints = FRefPoints;
    } else {
        FPoints.resize(FRefPoints.size());
        for (int I = 0; I < FRefPoints.size(); ++I) {
            FPoints[I].X = PlaceCoordinate(FRefPoints[I].X, FRefRect.Left, RectWidth(FRefRect), NewRect.Left,
                                           RectWidth(NewRect));
            FPoints[I].Y = PlaceCoordinate(FRefPoints[I].Y, FRefRect.Top, RectHeight(FRefRect), NewRect.Top,
                                           RectHeight(NewRect));
        }
    }
    // Points first: the panel's hit cache reads them when the bounds change.
    ApplyBounds(ALeft, ATop, AWidth, AHeight);
    PlaceVertices();
}

void TUIPolygon::PlaceVertices()
{
    for (int I = 0; I < FHandles.size() && I < FPoints.size(); ++I)
        SetHandleCentre(FHandles[I], FPoints[I].X, FPoints[I].Y);
}

bool TUIPolygon::ContainsPoint(const TPoint& P) const
{
    const int N = FPoints.size();
    if (N < 3)
        return false;
    // A fixed buffer keeps the hit test free of allocations for ordinary polygons.
    constexpr int Small = 128;
    TFloatPoint Buffer[Small];
    QVector<TFloatPoint> Large;
    TFloatPoint* V = Buffer;
    if (N > Small) {
        Large.resize(N);
        V = Large.data();
    }
    for (int I = 0; I < N; ++I)
        V[I] = TFloatPoint{float(FPoints[I].X), float(FPoints[I].Y)};
    return PointInPolygon(V, N, TFloatPoint{float(P.X), float(P.Y)});
}

TRect TUIPolygon::HitRect() const
{
    if (FPoints.isEmpty())
        return TRect{};
    TRect R = PointsBounds(FPoints);
    R.Right = ClampToInt(qint64(R.Right) + 1);
    R.Bottom = ClampToInt(qint64(R.Bottom) + 1);
    return R;
}

void TUIPolygon::VertexDrag(TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R, int DX, int DY)
{
    QVector<TPoint> Moved = FPoints;
    const int Index = FHandles.indexOf(static_cast<TGrabHandle*>(Sender));
    if (Index >= 0 && Index < Moved.size())
        Moved[Index] = AddPoint(Moved[Index], TPoint{DX, DY});
    Canvas.Polygon(Moved);
    R = InflateRectBy(PointsBounds(Moved), 4, 4);
    // Recorded against R, so the bounds given at the release place every vertex exactly.
    FRefPoints = Moved;
    FRefRect = R;
    for (int I = 0; I < FHandles.size() && I < Moved.size(); ++I)
        SetRelativePosition(FHandles[I], Moved[I].X, Moved[I].Y, R);
}

void TUIPolygon::BeforeEnter()
{
    if (FHandles.isEmpty() && !FPoints.isEmpty())
        CreateHandles();
}

void TUIPolygon::AfterExit()
{
    if (!ControlDragged())
        DestroyHandles();
}

void TUIPolygon::CreateHandles()
{
    if (!FHandles.isEmpty())
        return;
    SaveChainBeforeControls();
    FHandles.reserve(FPoints.size());
    for (int I = 0; I < FPoints.size(); ++I) {
        auto* Handle = new TGrabHandle(this, this, Qt::CrossCursor);
        SetRelativePosition(Handle, FRefPoints.value(I).X, FRefPoints.value(I).Y, FRefRect);
        Handle->OnDragOutline = [this](TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R,
                                       int DX, int DY) { VertexDrag(Sender, Canvas, R, DX, DY); };
        SetHandleCentre(Handle, FPoints[I].X, FPoints[I].Y);
        FHandles.append(Handle);
    }
}

void TUIPolygon::DestroyHandles()
{
    if (FHandles.isEmpty())
        return;
    const QList<TGrabHandle*> Doomed = FHandles;
    FHandles.clear();
    RestoreChainWithoutControls();
    qDeleteAll(Doomed);
}

void TUIPolygon::paint(QPainter* Painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (FPoints.size() < 2)
        return;
    QPolygonF Shifted;
    Shifted.reserve(FPoints.size());
    for (const TPoint& P : FPoints)
        Shifted << QPointF(qreal(P.X) - Left(), qreal(P.Y) - Top());
    Painter->setRenderHint(QPainter::Antialiasing, false);
    Painter->setPen(Pen());
    Painter->setBrush(Brush());
    Painter->drawPolygon(Shifted, Qt::OddEvenFill);
}
