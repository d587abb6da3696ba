#pragma once

#include "TUserInterfaceControl.h"

#include <QList>

class TGrabHandle;

/// The invisible frame of a focused rectangle: lays its 8 handles out around the target when it is made
/// and whenever the target gains the focus; dragging a handle moves that handle's edges, never closer than 7 pixels to
/// the opposite ones.
class TSizeFrame : public TUserInterfaceControl
{
    Q_OBJECT
public:
    TSizeFrame(QObject* AOwner, TGUIShape* ATarget);

    /// 0..3 corners clockwise from top-left, 4..7 edge middles top, right, bottom, left.
    const QList<TGrabHandle*>& Handles() const { return FHandles; }

    void TargetEnter(QObject* Sender) override;
    /// Lays the handles out again around the target's bounds as they are now.
    void FollowTarget() { LayOut(); }
    void FrameHandleDrag(TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R, int DX, int DY);

    /// Centre of handle Index for a target with bounds R (the layout table).
    static TPoint HandleCentreFor(int Index, const TRect& R);
    static Qt::CursorShape HandleCursorFor(int Index);
    /// R after dragging handle Index by (DX, DY).
    static TRect DraggedRect(int Index, TRect R, int DX, int DY);

    QRectF boundingRect() const override;
    void paint(QPainter* Painter, const QStyleOptionGraphicsItem* Option, QWidget* Widget) override;

    /// Whether handle Index moves the left, top, right or bottom edge.
    static bool MovesLeft(int Index);
    static bool MovesTop(int Index);
    static bool MovesRight(int Index);
    static bool MovesBottom(int Index);

private:
    void LayOut();
    TRect HandlePointerArea(int Index, const TRect& Area) const;
    QList<TGrabHandle*> FHandles;
};
