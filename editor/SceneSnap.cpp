#include "SceneSnap.h"

#include "TGUIRegion.h"
#include "UPTFrame.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A target counts within this many screen pixels of the pointer, at any zoom.
constexpr double SnapScreenPixels = 6;
// Grid lines closer than this on screen are thinned out to every second, fourth, ... line.
constexpr double MinGridSpacing = 6;
constexpr int GuideMs = 700;

qint64 NearestMultiple(qint64 V, qint64 Step)
{
    const qint64 Down = (V >= 0 ? V : V - Step + 1) / Step * Step;
    return V - Down <= Down + Step - V ? Down : Down + Step;
}

} // namespace

TSceneSnap::TSceneSnap(TPTCustomGroup& Scene, QObject* Parent) : QObject(Parent), FScene(Scene)
{
    FGuideTimer.setSingleShot(true);
    FGuideTimer.setInterval(GuideMs);
    connect(&FGuideTimer, &QTimer::timeout, this, [this] { FScene.SetGuides({}); });
}

int TSceneSnap::Tolerance() const
{
    return std::max(1, int(std::ceil(SnapScreenPixels / std::max(FScene.Zoom(), 1e-3))));
}

QVector<TRect> TSceneSnap::RegionBoundsNear(const TRect& Near, const QObject* Exclude) const
{
    QVector<TRect> Bounds;
    if (!Options.Regions)
        return Bounds;
    for (TGUIShape* Shape : FScene.ShapesNear(Near))
        if (Shape != Exclude && qobject_cast<TGUIRegion*>(Shape))
            Bounds.append(Shape->BoundsRect());
    return Bounds;
}

TSceneSnap::TAxisSnap TSceneSnap::SnapAxis(bool Vertical, const qint64* Values, int Count, const TRect& Near,
                                           const QVector<TRect>& Regions) const
{
    TAxisSnap Best;
    const qint64 Tol = Tolerance();
    qint64 BestDistance = Tol + 1;
    const auto Offer = [&](qint64 Target, bool Guide) {
        for (int I = 0; I < Count; ++I) {
            const qint64 D = Target - Values[I];
            const qint64 Distance = std::abs(D);
            // A guide target beats the grid at the same distance.
            if (Distance < BestDistance || (Distance == BestDistance && Guide && !Best.Guide)) {
                BestDistance = Distance;
                Best = TAxisSnap{D, true, Guide, Target};
            }
        }
    };
    if (Options.Picture) {
        Offer(0, true);
        Offer(Vertical ? FScene.ClientHeight() : FScene.ClientWidth(), true);
    }
    for (const TRect& B : Regions) {
        // Only edges that run past the place across the axis.
        const bool Across = Vertical ? (B.Left <= Near.Right && Near.Left <= B.Right)
                                     : (B.Top <= Near.Bottom && Near.Top <= B.Bottom);
        if (!Across)
            continue;
        Offer(Vertical ? B.Top : B.Left, true);
        Offer(Vertical ? B.Bottom : B.Right, true);
    }
    if (Options.Grid && Options.GridSize > 0) {
        // The grid always takes the value: a grid snap is no nearer-than test.
        BestDistance = Best.Snapped ? BestDistance : std::numeric_limits<qint64>::max();
        for (int I = 0; I < Count; ++I) {
            const qint64 D = NearestMultiple(Values[I], Options.GridSize) - Values[I];
            if (std::abs(D) < BestDistance) {
                BestDistance = std::abs(D);
                Best = TAxisSnap{D, true, false, Values[I] + D};
            }
        }
    }
    return Best;
}

void TSceneSnap::ShowGuides(const TAxisSnap& X, const TAxisSnap& Y) const
{
    if (!X.Guide && !Y.Guide)
        return;
    const TRect A = FScene.EditableArea();
    QVector<QLineF> Lines;
    if (X.Guide)
        Lines.append(QLineF(X.At, A.Top, X.At, A.Bottom));
    if (Y.Guide)
        Lines.append(QLineF(A.Left, Y.At, A.Right, Y.At));
    FScene.SetGuides(Lines);
    FGuideTimer.start();
}

TPoint TSceneSnap::SnapPoint(const TPoint& P, const QObject* Exclude) const
{
    if (!Options.Any())
        return P;
    const int Tol = Tolerance();
    const TRect Near{ClampToInt(qint64(P.X) - Tol), ClampToInt(qint64(P.Y) - Tol),
                     ClampToInt(qint64(P.X) + Tol + 1), ClampToInt(qint64(P.Y) + Tol + 1)};
    const qint64 X = P.X, Y = P.Y;
    const QVector<TRect> Regions = RegionBoundsNear(Near, Exclude);
    const TAxisSnap SX = SnapAxis(false, &X, 1, Near, Regions);
    const TAxisSnap SY = SnapAxis(true, &Y, 1, Near, Regions);
    ShowGuides(SX, SY);
    return TPoint{ClampToInt(X + SX.Delta), ClampToInt(Y + SY.Delta)};
}

TRect TSceneSnap::SnapRect(const TRect& R, const QObject* Exclude) const
{
    if (!Options.Any())
        return R;
    const int Tol = Tolerance();
    const TRect Near{ClampToInt(qint64(R.Left) - Tol), ClampToInt(qint64(R.Top) - Tol),
                     ClampToInt(qint64(R.Right) + Tol + 1), ClampToInt(qint64(R.Bottom) + Tol + 1)};
    const qint64 Xs[2] = {R.Left, R.Right};
    const qint64 Ys[2] = {R.Top, R.Bottom};
    const QVector<TRect> Regions = RegionBoundsNear(Near, Exclude);
    const TAxisSnap SX = SnapAxis(false, Xs, 2, Near, Regions);
    const TAxisSnap SY = SnapAxis(true, Ys, 2, Near, Regions);
    ShowGuides(SX, SY);
    return TRect{ClampToInt(R.Left + SX.Delta), ClampToInt(R.Top + SY.Delta), ClampToInt(R.Right + SX.Delta),
                 ClampToInt(R.Bottom + SY.Delta)};
}

TRect TSceneSnap::SnapStep(const TRect& R, int DX, int DY, const QObject* Exclude) const
{
    const TRect Plain = OffsetRectBy(R, DX, DY);
    const bool Vertical = DX == 0;
    const qint64 Step = std::abs(qint64(Vertical ? DY : DX));
    if (!Options.Any() || Step == 0)
        return Plain;
    const int Sign = (Vertical ? DY : DX) > 0 ? 1 : -1;
    // Further than the step only on the grid, which always has a line within its size.
    const qint64 Reach = Options.Grid ? Step + Options.GridSize : Step;
    for (qint64 K = Step; K <= Reach; ++K) {
        const int Offset = ClampToInt(Sign * K);
        const TRect Moved = Vertical ? OffsetRectBy(R, 0, Offset) : OffsetRectBy(R, Offset, 0);
        const TRect Snapped = SnapRect(Moved, Exclude);
        const qint64 Shift = Vertical ? qint64(Snapped.Top) - Moved.Top : qint64(Snapped.Left) - Moved.Left;
        // Forward onto a target, or the step itself already on one.
        if (Shift * Sign > 0 || (K == Step && Shift == 0))
            return Vertical ? TRect{R.Left, Snapped.Top, R.Right, Snapped.Bottom}
                            : TRect{Snapped.Left, R.Top, Snapped.Right, R.Bottom};
    }
    return Plain;
}

void TSceneSnap::PaintGrid(QPainter* Canvas, const QRectF& Visible) const
{
    if (!Options.Grid || Options.GridSize <= 0)
        return;
    const double Zoom = std::max(FScene.Zoom(), 1e-3);
    qint64 Step = Options.GridSize;
    while (Step * Zoom < MinGridSpacing)
        Step *= 2;
    const QRectF Area = Visible.intersected(FScene.ClientRect());
    if (Area.isEmpty())
        return;
    QVector<QLineF> Lines;
    for (qint64 X = qint64(std::ceil(Area.left() / Step)) * Step; X <= Area.right(); X += Step)
        Lines.append(QLineF(X, Area.top(), X, Area.bottom()));
    for (qint64 Y = qint64(std::ceil(Area.top() / Step)) * Step; Y <= Area.bottom(); Y += Step)
        Lines.append(QLineF(Area.left(), Y, Area.right(), Y));
    Canvas->save();
    QPen Pen(QColor(0, 120, 255, 110), 0);
    Pen.setCosmetic(true);
    Canvas->setPen(Pen);
    Canvas->drawLines(Lines);
    Canvas->restore();
}
