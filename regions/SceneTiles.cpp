// The scene panel's painting of the regions: once into cached tiles of the view's pixels, which each
// repaint then draws, so that a repaint costs the same with fifty or a million regions on screen.
// Tiles under a change are painted again when next shown, a time-boxed part at a time; until then the
// previous painting (or that of the previous scale, scaled) stands in for them.
#include "UPTFrame.h"

#include "RegionTiles.h"
#include "TGUIShape.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// What one repaint spends on painting tiles at most, once it has painted this many regions: a map of
// few regions is always painted whole at once.
constexpr qint64 PaintBudgetMs = 16;
constexpr int PaintAtLeast = 50;
// What one slice of the painting that goes on from the event loop spends.
constexpr qint64 SliceBudgetMs = 15;
// Tiles kept at most (256 KB each); the ones farthest from the view go first.
constexpr int MaxTiles = 160;

int ToInt(double V)
{
    return int(std::clamp(V, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max())));
}

// The scene pixels whose regions may show in R, widened by what an outline of one device pixel adds
// at Scale.
TRect Reach(const QRectF& R, double Scale)
{
    const double Margin = 2 + 2 / std::max(Scale, 1e-6);
    return TRect{ToInt(std::floor(R.left() - Margin)), ToInt(std::floor(R.top() - Margin)),
                 ToInt(std::ceil(R.right() + Margin)), ToInt(std::ceil(R.bottom() + Margin))};
}

// The tiles (inclusive range) that meet the device rectangle D.
struct TTileRange
{
    qint64 X0, Y0, X1, Y1;
    qint64 Count() const { return X1 < X0 || Y1 < Y0 ? 0 : (X1 - X0 + 1) * (Y1 - Y0 + 1); }
    bool Holds(qint64 X, qint64 Y) const { return X >= X0 && X <= X1 && Y >= Y0 && Y <= Y1; }
};

TTileRange TilesOver(const QRectF& D)
{
    constexpr double S = TRegionTiles::Size;
    const auto Clamp = [](double V) { return qint64(std::clamp(V, -2e9, 2e9)); };
    return TTileRange{Clamp(std::floor(D.left() / S)), Clamp(std::floor(D.top() / S)),
                      Clamp(std::ceil(D.right() / S) - 1), Clamp(std::ceil(D.bottom() / S) - 1)};
}

QRectF TileSceneRect(qint64 X, qint64 Y, double Scale)
{
    constexpr double S = TRegionTiles::Size;
    return QRectF(X * S / Scale, Y * S / Scale, S / Scale, S / Scale);
}

// Hatch patterns keep their device-pixel size at any scale, and Qt anchors them where the painter's
// translation divided by its scale points. Set so, a region's hatch sits at the same place of the
// picture however the view is scrolled and whichever tile it is painted in.
void AnchorHatchToPicture(QPainter* Painter, const QTransform& Base)
{
    const double SX = Base.m11() != 0 ? Base.m11() : 1, SY = Base.m22() != 0 ? Base.m22() : 1;
    Painter->setBrushOrigin(QPointF(Base.dx() - Base.dx() / SX, Base.dy() - Base.dy() / SY));
}

} // namespace

void TPTCustomGroup::SetRegionCache(bool On)
{
    if (FTiles->Enabled == On)
        return;
    FTiles->Enabled = On;
    DropRegionTiles();
    viewport()->update();
}

bool TPTCustomGroup::RegionCache() const
{
    return FTiles->Enabled;
}

void TPTCustomGroup::PaintRegions(QPainter* Painter, const QRectF& Rect) const
{
    const QTransform Base = Painter->worldTransform();
    const QList<TGUIShape*> Near = ShapesNear(Reach(Rect, std::abs(Base.m11())));
    Painter->save();
    AnchorHatchToPicture(Painter, Base);
    for (TGUIShape* Shape : Near) {
        if (!Shape->FIsRegion)
            continue;
        Painter->setWorldTransform(QTransform::fromTranslate(Shape->Left(), Shape->Top()) * Base);
        Shape->paint(Painter, nullptr, nullptr);
    }
    Painter->restore();
}

void TPTCustomGroup::DropRegionTiles()
{
    FTiles->Tiles.clear();
    FTiles->Old.clear();
    FTiles->Revision = FShapesRevision;
}

void TPTCustomGroup::RegionsChanged(const TRect& Before, const TRect& After)
{
    TRegionTiles& T = *FTiles;
    // A change the tiles were not told of (a clear, held shapes brought back): nothing of them holds.
    if (T.Revision + 1 != FShapesRevision) {
        DropRegionTiles();
        viewport()->update();
        return;
    }
    T.Revision = FShapesRevision;
    for (const TRect& R : {Before, After})
        RegionTilesUnder(R);
}

void TPTCustomGroup::RegionTilesUnder(const TRect& R)
{
    TRegionTiles& T = *FTiles;
    if (R.Right <= R.Left || R.Bottom <= R.Top)
        return;
    T.Old.clear();
    if (T.Scale > 0 && !T.Tiles.isEmpty()) {
        const TRect W = Reach(QRectF(R.Left, R.Top, double(R.Right) - R.Left, double(R.Bottom) - R.Top), T.Scale);
        const QRectF D(W.Left * T.Scale, W.Top * T.Scale, (double(W.Right) - W.Left + 1) * T.Scale,
                       (double(W.Bottom) - W.Top + 1) * T.Scale);
        const TTileRange Range = TilesOver(D);
        const auto Reset = [](TRegionTile& Tile) {
            Tile.Current = false;
            Tile.Pending.clear();
            Tile.Next = -1;
            Tile.Work = QImage();
        };
        if (Range.Count() > T.Tiles.size()) {
            for (auto It = T.Tiles.begin(); It != T.Tiles.end(); ++It)
                if (Range.Holds(qint32(It.key() >> 32), qint32(It.key() & 0xffffffffu)))
                    Reset(*It);
        } else {
            for (qint64 Y = Range.Y0; Y <= Range.Y1; ++Y)
                for (qint64 X = Range.X0; X <= Range.X1; ++X) {
                    const auto It = T.Tiles.find(TRegionTiles::Key(X, Y));
                    if (It != T.Tiles.end())
                        Reset(*It);
                }
        }
    }
    // The view shows the change once, for all changes up to the next turn of the event loop.
    T.Dirty |= QRectF(R.Left, R.Top, double(R.Right) - R.Left, double(R.Bottom) - R.Top).adjusted(-2, -2, 2, 2);
    if (!T.UpdatePosted) {
        T.UpdatePosted = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                FTiles->UpdatePosted = false;
                const QRectF Dirty = FTiles->Dirty;
                FTiles->Dirty = QRectF();
                viewport()->update(mapFromScene(Dirty).boundingRect().adjusted(-2, -2, 2, 2));
            },
            Qt::QueuedConnection);
    }
}

double TPTCustomGroup::TileScale() const
{
    return FZoom * viewport()->devicePixelRatioF();
}

void TPTCustomGroup::SyncRegionTiles()
{
    TRegionTiles& T = *FTiles;
    if (T.Revision != FShapesRevision)
        DropRegionTiles();
    const double Scale = TileScale();
    if (T.Scale == Scale)
        return;
    // The finished tiles of this scale stand in, scaled, until those of the new one are painted.
    QHash<quint64, QImage> Finished;
    for (auto It = T.Tiles.cbegin(); It != T.Tiles.cend(); ++It)
        if (It->Current)
            Finished.insert(It.key(), It->Shown);
    if (!Finished.isEmpty()) {
        T.Old = std::move(Finished);
        T.OldScale = T.Scale;
    }
    T.Tiles.clear();
    T.Scale = Scale;
}

bool TPTCustomGroup::PaintTile(qint64 X, qint64 Y, TRegionTile& Tile, const QElapsedTimer& Timer, qint64 BudgetMs,
                               int& Painted)
{
    constexpr int S = TRegionTiles::Size;
    const double Scale = FTiles->Scale;
    if (Tile.Next < 0) {
        const QList<TGUIShape*> Near = ShapesNear(Reach(TileSceneRect(X, Y, Scale), Scale));
        Tile.Pending.clear();
        Tile.Pending.reserve(Near.size());
        for (TGUIShape* Shape : Near)
            if (Shape->FIsRegion)
                Tile.Pending.append(Shape);
        Tile.Work = QImage(S, S, QImage::Format_ARGB32_Premultiplied);
        Tile.Work.fill(Qt::transparent);
        Tile.Next = 0;
    }
    if (Tile.Next < Tile.Pending.size()) {
        QPainter Painter(&Tile.Work);
        const QTransform Base(Scale, 0, 0, Scale, -double(X) * S, -double(Y) * S);
        AnchorHatchToPicture(&Painter, Base);
        while (Tile.Next < Tile.Pending.size()) {
            TGUIShape* Shape = Tile.Pending[Tile.Next++];
            Painter.setWorldTransform(QTransform::fromTranslate(Shape->Left(), Shape->Top()) * Base);
            Shape->paint(&Painter, nullptr, nullptr);
            ++Painted;
            if (Painted % 32 == 0 && Painted >= 0 && Timer.elapsed() >= BudgetMs)
                break;
        }
    }
    if (Tile.Next < Tile.Pending.size())
        return false;
    Tile.Shown = std::move(Tile.Work);
    Tile.Work = QImage();
    Tile.Current = true;
    Tile.Pending.clear();
    Tile.Next = -1;
    return true;
}

void TPTCustomGroup::DrawRegionTiles(QPainter* Painter, const QRectF& Rect)
{
    TRegionTiles& T = *FTiles;
    const QTransform World = Painter->worldTransform();
    const double Dpr = Painter->device() ? Painter->device()->devicePixelRatioF() : 1.0;
    // Tiles fit only the view's own scale and whole-pixel offsets; anything else is painted directly.
    const bool Fits = T.Enabled && World.type() <= QTransform::TxScale && World.m11() == FZoom &&
                      World.m22() == FZoom && Dpr == viewport()->devicePixelRatioF() &&
                      World.dx() == std::round(World.dx()) && World.dy() == std::round(World.dy());
    if (!Fits) {
        PaintRegions(Painter, Rect);
        return;
    }
    SyncRegionTiles();
    const double Scale = T.Scale;
    constexpr int S = TRegionTiles::Size;
    const TTileRange Range =
        TilesOver(QRectF(Rect.left() * Scale, Rect.top() * Scale, Rect.width() * Scale, Rect.height() * Scale));
    if (Range.Count() <= 0 || Range.Count() > 4096) {
        PaintRegions(Painter, Rect);
        return;
    }
    QElapsedTimer Timer;
    Timer.start();
    int Painted = -PaintAtLeast;
    bool Missing = false;
    Painter->save();
    Painter->resetTransform();
    const auto Place = [&](double DeviceX, double DeviceY, double W, double H) {
        return QRectF(DeviceX / Dpr + World.dx(), DeviceY / Dpr + World.dy(), W / Dpr, H / Dpr);
    };
    for (qint64 Y = Range.Y0; Y <= Range.Y1; ++Y)
        for (qint64 X = Range.X0; X <= Range.X1; ++X) {
            TRegionTile& Tile = T.Tiles[TRegionTiles::Key(X, Y)];
            Tile.Used = ++T.Clock;
            if (!Tile.Current && (Painted < 0 || Timer.elapsed() < PaintBudgetMs))
                PaintTile(X, Y, Tile, Timer, PaintBudgetMs, Painted);
            const QRectF Target = Place(double(X) * S, double(Y) * S, S, S);
            if (Tile.Current) {
                Painter->drawImage(Target, Tile.Shown);
                continue;
            }
            Missing = true;
            if (!T.Old.isEmpty()) {
                // The previous scale's tiles over this one, scaled.
                const double Ratio = T.OldScale / Scale;
                const TTileRange OldRange =
                    TilesOver(QRectF(double(X) * S * Ratio, double(Y) * S * Ratio, S * Ratio, S * Ratio));
                Painter->save();
                Painter->setClipRect(Target, Qt::IntersectClip);
                for (qint64 OY = OldRange.Y0; OY <= OldRange.Y1 && OldRange.Count() <= 64; ++OY)
                    for (qint64 OX = OldRange.X0; OX <= OldRange.X1; ++OX) {
                        const auto It = T.Old.constFind(TRegionTiles::Key(OX, OY));
                        if (It != T.Old.cend())
                            Painter->drawImage(Place(OX * S / Ratio, OY * S / Ratio, S / Ratio, S / Ratio), *It);
                    }
                Painter->restore();
            } else if (!Tile.Shown.isNull()) {
                Painter->drawImage(Target, Tile.Shown);
            } else if (!Tile.Work.isNull()) {
                Painter->drawImage(Target, Tile.Work);
            }
        }
    Painter->restore();
    if (Missing)
        PostTileSlice();
}

void TPTCustomGroup::PostTileSlice()
{
    if (FTiles->SlicePosted)
        return;
    FTiles->SlicePosted = true;
    QTimer::singleShot(0, this, [this] {
        FTiles->SlicePosted = false;
        PaintTileSlice();
    });
}

bool TPTCustomGroup::RegionTilesPending() const
{
    return FTiles->SlicePosted;
}

void TPTCustomGroup::PaintTileSlice()
{
    TRegionTiles& T = *FTiles;
    // While a bulk add runs, each slice would find the hit grid out of date and build it anew over
    // every shape so far; the repaint at its end posts the slices again.
    if (!T.Enabled || !isVisible() || FBulkAdds > 0)
        return;
    SyncRegionTiles();
    const double Scale = T.Scale;
    constexpr int S = TRegionTiles::Size;
    const QRectF Visible = mapToScene(viewport()->rect()).boundingRect();
    const TTileRange Range = TilesOver(
        QRectF(Visible.left() * Scale, Visible.top() * Scale, Visible.width() * Scale, Visible.height() * Scale));
    if (Range.Count() <= 0 || Range.Count() > 4096)
        return;
    QElapsedTimer Timer;
    Timer.start();
    int Painted = 0;
    const QTransform ToView = viewportTransform();
    const double Dpr = viewport()->devicePixelRatioF();
    // The visible tiles first, then a ring around them, so that a scroll or a larger window finds its
    // tiles painted.
    const TTileRange Ring{Range.X0 - 1, Range.Y0 - 1, Range.X1 + 1, Range.Y1 + 1};
    for (int Pass = 0; Pass < 2; ++Pass) {
        const TTileRange& R = Pass == 0 ? Range : Ring;
        for (qint64 Y = R.Y0; Y <= R.Y1; ++Y)
            for (qint64 X = R.X0; X <= R.X1; ++X) {
                if (Pass == 1 && Range.Holds(X, Y))
                    continue;
                TRegionTile& Tile = T.Tiles[TRegionTiles::Key(X, Y)];
                if (Pass == 0)
                    Tile.Used = ++T.Clock;
                if (Tile.Current)
                    continue;
                if (Timer.elapsed() >= SliceBudgetMs || !PaintTile(X, Y, Tile, Timer, SliceBudgetMs, Painted)) {
                    PostTileSlice();
                    return;
                }
                if (Pass == 0)
                    viewport()->update(QRectF(X * double(S) / Dpr + ToView.dx(), Y * double(S) / Dpr + ToView.dy(),
                                              S / Dpr, S / Dpr)
                                           .toAlignedRect());
            }
        if (Pass == 0 && !T.Old.isEmpty()) {
            T.Old.clear();
            viewport()->update();
        }
    }
    // Enough kept: the tiles farthest from the view (least lately shown) go.
    if (T.Tiles.size() > MaxTiles) {
        QVector<QPair<quint64, quint64>> ByUse;
        ByUse.reserve(T.Tiles.size());
        for (auto It = T.Tiles.cbegin(); It != T.Tiles.cend(); ++It)
            if (!Ring.Holds(qint32(It.key() >> 32), qint32(It.key() & 0xffffffffu)))
                ByUse.append({It->Used, It.key()});
        std::sort(ByUse.begin(), ByUse.end());
        for (int I = 0; I < ByUse.size() && T.Tiles.size() > MaxTiles; ++I)
            T.Tiles.remove(ByUse[I].second);
    }
}
