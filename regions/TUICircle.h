#pragma once

#include "TGUIRegion.h"

#include <QList>

class TGrabHandle;
class TUserInterfaceControl;
class TInvertedCanvas;

/// A circular region; its bounds are the bounding square, the radius is Width / 2. Four handles on the
/// left, right, top and bottom points grow or shrink it about its centre; they exist while the circle is
/// selected or being resized.
class TUICircle : public TGUIRegion
{
    Q_OBJECT
public:
    explicit TUICircle(TPTCustomGroup* AOwner);
    ~TUICircle() override;

    /// Left, right, top, bottom; calling this creates them (hidden) if needed.
    const QList<TGrabHandle*>& Handles();
    bool HasHandles() const { return !FHandles.isEmpty(); }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    /// Strictly closer to the centre than Width / 2 (Height plays no part).
    bool ContainsPoint(const TPoint& P) const override;
    TRect HitRect() const override;

    /// Drag outline of a handle: the circle grown or shrunk about its centre, normalised.
    void CircleHandleDrag(TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R, int DX, int DY);

    void paint(QPainter* Painter, const QStyleOptionGraphicsItem* Option, QWidget* Widget) override;

protected:
    void BeforeEnter() override;
    void AfterExit() override;

private:
    void PlaceHandles();
    void DestroyHandles();
    QList<TGrabHandle*> FHandles;
};
