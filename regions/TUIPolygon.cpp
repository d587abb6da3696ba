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
    if (FPoints.isEmpty()) {
        FHitRect = TRect{};
    } else {
        FHitRect = PointsBounds(FPoints);
        FHitRect.Right = ClampToInt(qint64(FHitRect.Right) + 1);
        FHitRect.Bottom = ClampToInt(qint64(FHitRect.Bottom) + 1);
    }
    // Points first: the panel's hit cache reads them when the bounds change.
    ApplyBounds(ALeft, ATop, AWidth, AHeight);
    PlaceVertices();
}

int TUIPolygon::HandleIndex(const TUserInterfaceControl* Control) const
{
    for (int I = 0; I < FHandles.size(); ++I)
        if (FHandles[I] == Control)
            return I;
    return -1;
}

int TUIPolygon::EdgeAt(const TPoint& P, double Tolerance, TPoint* OnEdge) const
{
    const int N = FPoints.size();
    if (N < 2 ||
        !PointInRect(InflateRectBy(FHitRect, int(std::ceil(Tolerance)), int(std::ceil(Tolerance))), P))
        return -1;
    int Best = -1;
    double BestDistance = Tolerance;
    double BestX = 0, BestY = 0;
    for (int I = 0; I < N; ++I) {
        const TPoint& A = FPoints[I];
        const TPoint& B = FPoints[(I + 1) % N];
        // In doubles: the coordinates may span the whole int range.
        const double DX = double(B.X) - A.X, DY = double(B.Y) - A.Y;
        const double PX = double(P.X) - A.X, PY = double(P.Y) - A.Y;
        const double Length2 = DX * DX + DY * DY;
        const double T = Length2 > 0 ? std::clamp((PX * DX + PY * DY) / Length2, 0.0, 1.0) : 0.0;
        const double Distance = std::hypot(PX - T * DX, PY - T * DY);
        if (Distance <= BestDistance) {
            Best = I;
            BestDistance = Distance;
            BestX = A.X + T * DX;
            BestY = A.Y + T * DY;
        }
    }
    if (Best >= 0 && OnEdge)
        *OnEdge = TPoint{ClampToInt(std::llround(BestX)), ClampToInt(std::llround(BestY))};
    return Best;
}

double TUIPolygon::EdgeTolerance(double Zoom)
{
    return 3.0 / std::max(Zoom, 1e-6) + 0.71;
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
    return FHitRect;
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
    Painter->setRenderHint(QPainter::Antialiasing, false);
    Painter->setPen(Pen());
    Painter->setBrush(Brush());
    const QTransform ToScreen = Painter->worldTransform();
    if (ToScreen.type() <= QTransform::TxScale && ToScreen.m11() < 1) {
        // Reduced, many vertices share a screen pixel: drawn in screen pixels, each pixel once, which
        // keeps a zoomed-out view of thousands of polygons quick.
        QPolygon OnScreen;
        OnScreen.reserve(FPoints.size());
        const double SX = ToScreen.m11(), SY = ToScreen.m22();
        const double DX = ToScreen.dx() - Left() * SX, DY = ToScreen.dy() - Top() * SY;
        for (const TPoint& P : FPoints) {
            const QPoint Pixel(int(std::floor(P.X * SX + DX)), int(std::floor(P.Y * SY + DY)));
            if (OnScreen.isEmpty() || OnScreen.constLast() != Pixel)
                OnScreen << Pixel;
        }
        Painter->resetTransform();
        Painter->drawPolygon(OnScreen, Qt::OddEvenFill);
        Painter->setWorldTransform(ToScreen);
        return;
    }
    // Vertices in the middle of their pixels when magnified, where their handles are.
    const double Inset = PixelInset(Painter);
    QPolygonF Shifted;
    Shifted.reserve(FPoints.size());
    for (const TPoint& P : FPoints)
        Shifted << QPointF(qreal(P.X) - Left() + Inset, qreal(P.Y) - Top() + Inset);
    Painter->drawPolygon(Shifted, Qt::OddEvenFill);
}
