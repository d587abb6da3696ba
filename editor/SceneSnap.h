#pragma once

#include "Geometry.h"

#include <QObject>
#include <QTimer>

class QPainter;
class TPTCustomGroup;

// What the scene's drags snap to; all off unless the user turns them on.
struct TSnapOptions
{
    bool Grid = false;
    int GridSize = 10; // image pixels
    bool Picture = false;
    bool Regions = false;

    bool Any() const { return Grid || Picture || Regions; }
    static constexpr int MinGridSize = 2;
    static constexpr int MaxGridSize = 1000;
};

// Snaps points and moved bounds on the scene: each axis on its own, to the nearest of the grid's lines,
// the picture's edges and the edges of the regions near by (found through the scene's hit grid, so the
// cost does not grow with the number of regions). A snap to the picture or a region shows a short guide
// line along the edge it took.
class TSceneSnap : public QObject
{
public:
    explicit TSceneSnap(TPTCustomGroup& Scene, QObject* Parent = nullptr);

    TSnapOptions Options;

    // P with each coordinate snapped where a target is near; Exclude (a region) is no target.
    TPoint SnapPoint(const TPoint& P, const QObject* Exclude = nullptr) const;
    // R moved so that, on each axis, the one of its two edges nearest a target lies on it.
    TRect SnapRect(const TRect& R, const QObject* Exclude = nullptr) const;
    // R moved by one arrow key's step (DX or DY, the other zero): to the first place at least the
    // step away in that direction where an edge lies on a target, found within the grid's size, or
    // within the tolerance of the step; the plain step where there is none (moving off a target).
    // The other axis stays as it is.
    TRect SnapStep(const TRect& R, int DX, int DY, const QObject* Exclude = nullptr) const;
    // The grid's lines over the part of the picture in view, thinned out where they would crowd.
    void PaintGrid(QPainter* Canvas, const QRectF& Visible) const;
    // How near, in image pixels, a target must be at the scene's zoom.
    int Tolerance() const;

private:
    // The best shift on one axis for the values V (one or two edges), with Span the extent across it.
    struct TAxisSnap
    {
        qint64 Delta = 0;
        bool Snapped = false;
        bool Guide = false; // to the picture or a region, not the grid
        qint64 At = 0;      // the edge it snapped to
    };
    // The bounds of the regions whose edges may be snapped to near Near (none unless Regions is on).
    QVector<TRect> RegionBoundsNear(const TRect& Near, const QObject* Exclude) const;
    TAxisSnap SnapAxis(bool Vertical, const qint64* Values, int Count, const TRect& Near,
                       const QVector<TRect>& Regions) const;
    void ShowGuides(const TAxisSnap& X, const TAxisSnap& Y) const;

    TPTCustomGroup& FScene;
    mutable QTimer FGuideTimer;
};
