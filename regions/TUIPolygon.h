#pragma once

#include "TGUIRegion.h"

#include <QList>
#include <QVector>

class TGrabHandle;
class TUserInterfaceControl;
class TInvertedCanvas;

/// A polygonal region. Its vertices are kept exactly as given (no drift through fractions): the bounds
/// are the vertices' bounding box widened by 4 on every side; moving the bounds shifts every vertex by
/// exactly the offset, resizing them scales the vertices recorded at the last SetPoints or vertex drag,
/// rounding to the nearest pixel. One grab handle per vertex while the polygon is focused.
class TUIPolygon : public TGUIRegion
{
    Q_OBJECT
public:
    explicit TUIPolygon(TPTCustomGroup* AOwner);
    ~TUIPolygon() override;

    /// Sets the vertices (any number, also none) and the bounds from them. Called once after construction.
    void SetPoints(const QVector<TPoint>& Points);
    /// The vertices in order, exactly where the handles' centres are. The cheap way to read them.
    const QVector<TPoint>& Points() const { return FPoints; }
    int PointCount() const { return FPoints.size(); }

    /// One handle per vertex, in vertex order, centred on it. Handle items exist while the polygon is
    /// focused or being reshaped; calling this creates them (hidden) if needed. Prefer Points() to read
    /// vertices of many polygons.
    const QList<TGrabHandle*>& Handles();

    /// The vertex whose grab handle Control is, or -1.
    int HandleIndex(const TUserInterfaceControl* Control) const;
    /// The edge nearest to P (edge I runs from vertex I to the next, the last one back to the first)
    /// when it passes within Tolerance image pixels of P, or -1. OnEdge gets the point of that edge
    /// nearest to P in whole pixels.
    int EdgeAt(const TPoint& P, double Tolerance, TPoint* OnEdge = nullptr) const;
    /// How near the outline a pointer counts as on it, in image pixels at a view scale: half a grab
    /// handle on screen, plus what taking the pointer to a whole pixel may add (half a pixel's diagonal).
    static double EdgeTolerance(double Zoom);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    /// The quadrant winding test over the vertices (even-odd-like for self-crossing outlines).
    bool ContainsPoint(const TPoint& P) const override;
    TRect HitRect() const override;

    /// Drag outline of a vertex handle: that vertex moved by (DX, DY), the others kept; R becomes the
    /// bounds of the new vertices widened by 4.
    void VertexDrag(TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R, int DX, int DY);

    void paint(QPainter* Painter, const QStyleOptionGraphicsItem* Option, QWidget* Widget) override;

protected:
    void BeforeEnter() override;
    void AfterExit() override;

private:
    void PlaceVertices();
    void CreateHandles();
    void DestroyHandles();
    QVector<TPoint> FPoints;    // current vertices
    QVector<TPoint> FRefPoints; // vertices as last recorded ...
    TRect FRefRect;             // ... against these bounds
    TRect FHitRect;             // HitRect of FPoints: painting asks for it often
    QList<TGrabHandle*> FHandles;
};
