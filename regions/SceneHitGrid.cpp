// The scene panel's hit tests: a uniform grid over the shapes' hit rectangles, so that finding the
// shape under the pointer stays quick with thousands of shapes; and the handle under the pointer.
#include "UPTFrame.h"

#include "TGUIShape.h"
#include "TUserInterfaceControl.h"

#include <algorithm>
#include <cmath>

TGUIShape* TPTCustomGroup::ShapeAt(int X, int Y) const
{
    const TPoint P{X, Y};
    if (!FGridValid)
        RebuildGrid();
    if (!PointInRect(FGridArea, P))
        return nullptr;
    const int Cell = int((qint64(Y) - FGridArea.Top) / FGridCell) * FGridColumns +
                     int((qint64(X) - FGridArea.Left) / FGridCell);
    // From the top of the z-order down.
    for (int K = FGridStart[Cell + 1] - 1; K >= FGridStart[Cell]; --K) {
        const int I = FGridItems[K];
        if (PointInRect(FHitRects[I], P) && FShapes[I]->ContainsPoint(P))
            return FShapes[I];
    }
    return nullptr;
}

void TPTCustomGroup::RebuildGrid() const
{
    FGridValid = true;
    FGridArea = TRect{};
    bool Any = false;
    for (const TRect& R : FHitRects) {
        if (R.Right <= R.Left || R.Bottom <= R.Top)
            continue;
        FGridArea = Any ? TRect{std::min(FGridArea.Left, R.Left), std::min(FGridArea.Top, R.Top),
                                std::max(FGridArea.Right, R.Right), std::max(FGridArea.Bottom, R.Bottom)}
                        : R;
        Any = true;
    }
    // Cells of about 32 pixels, coarser when the shapes spread far, so the grid stays near 4 cells per
    // shape at most.
    // Extents in 64 bits: shapes at both ends of the int range span more than an int holds.
    const qint64 SpanX = qint64(FGridArea.Right) - FGridArea.Left;
    const qint64 SpanY = qint64(FGridArea.Bottom) - FGridArea.Top;
    const double Area = double(SpanX) * double(SpanY);
    const double MaxCells = 4.0 * FShapes.size() + 1024;
    FGridCell = int(std::clamp(std::ceil(std::sqrt(Area / MaxCells)), 32.0, 1e9));
    FGridColumns = Any ? int((SpanX + FGridCell - 1) / FGridCell) : 0;
    FGridRows = Any ? int((SpanY + FGridCell - 1) / FGridCell) : 0;
    const int Cells = FGridColumns * FGridRows;
    FGridStart.fill(0, Cells + 1);
    auto CellRange = [this](const TRect& R, int& C0, int& C1, int& R0, int& R1) {
        C0 = int((qint64(R.Left) - FGridArea.Left) / FGridCell);
        C1 = int((qint64(R.Right) - 1 - FGridArea.Left) / FGridCell);
        R0 = int((qint64(R.Top) - FGridArea.Top) / FGridCell);
        R1 = int((qint64(R.Bottom) - 1 - FGridArea.Top) / FGridCell);
    };
    // Two passes: count per cell, then fill in ascending shape order.
    for (const TRect& R : FHitRects) {
        if (R.Right <= R.Left || R.Bottom <= R.Top)
            continue;
        int C0, C1, R0, R1;
        CellRange(R, C0, C1, R0, R1);
        for (int Row = R0; Row <= R1; ++Row)
            for (int Col = C0; Col <= C1; ++Col)
                ++FGridStart[Row * FGridColumns + Col + 1];
    }
    for (int C = 0; C < Cells; ++C)
        FGridStart[C + 1] += FGridStart[C];
    FGridItems.resize(FGridStart[Cells]);
    QVector<int> Fill(FGridStart.begin(), FGridStart.end() - 1);
    for (int I = 0; I < FHitRects.size(); ++I) {
        const TRect& R = FHitRects[I];
        if (R.Right <= R.Left || R.Bottom <= R.Top)
            continue;
        int C0, C1, R0, R1;
        CellRange(R, C0, C1, R0, R1);
        for (int Row = R0; Row <= R1; ++Row)
            for (int Col = C0; Col <= C1; ++Col)
                FGridItems[Fill[Row * FGridColumns + Col]++] = I;
    }
}

QList<TGUIShape*> TPTCustomGroup::ShapesNear(const TRect& R) const
{
    QList<TGUIShape*> Found;
    if (!FGridValid)
        RebuildGrid();
    const TRect Q{std::max(R.Left, FGridArea.Left), std::max(R.Top, FGridArea.Top),
                  std::min(R.Right, FGridArea.Right), std::min(R.Bottom, FGridArea.Bottom)};
    if (Q.Right <= Q.Left || Q.Bottom <= Q.Top)
        return Found;
    const int C0 = int((qint64(Q.Left) - FGridArea.Left) / FGridCell);
    const int C1 = int((qint64(Q.Right) - 1 - FGridArea.Left) / FGridCell);
    const int R0 = int((qint64(Q.Top) - FGridArea.Top) / FGridCell);
    const int R1 = int((qint64(Q.Bottom) - 1 - FGridArea.Top) / FGridCell);
    QVector<int> Indices;
    for (int Row = R0; Row <= R1; ++Row)
        for (int Col = C0; Col <= C1; ++Col) {
            const int Cell = Row * FGridColumns + Col;
            for (int K = FGridStart[Cell]; K < FGridStart[Cell + 1]; ++K) {
                const TRect& H = FHitRects[FGridItems[K]];
                if (H.Left < R.Right && R.Left < H.Right && H.Top < R.Bottom && R.Top < H.Bottom)
                    Indices.append(FGridItems[K]);
            }
        }
    // A shape over several cells is listed in each.
    std::sort(Indices.begin(), Indices.end());
    Indices.erase(std::unique(Indices.begin(), Indices.end()), Indices.end());
    Found.reserve(Indices.size());
    for (int I : std::as_const(Indices))
        Found.append(FShapes[I]);
    return Found;
}

TUserInterfaceControl* TPTCustomGroup::ControlAt(const QPoint& ViewportPos) const
{
    for (QGraphicsItem* Item : items(ViewportPos))
        if (Item->isVisible())
            if (auto* Control = qobject_cast<TUserInterfaceControl*>(Item->toGraphicsObject()))
                return Control;
    return nullptr;
}
