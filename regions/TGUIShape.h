#pragma once

#include "Geometry.h"

#include <QGraphicsObject>
#include <functional>

class TPTCustomGroup;
class QPainter;

/// Notification handler of the enter/exit chain: Sender is the object that passes the event on.
using TNotifyEvent = std::function<void(QObject* Sender)>;

/// A focusable shape on a scene panel. It takes no mouse button itself (presses over it reach the
/// scene's handlers) and draws itself; its bounds are scene (image pixel) coordinates. The panel keeps
/// the shapes in z-order, bottom to top; a new shape is put on top.
class TGUIShape : public QGraphicsObject
{
    Q_OBJECT
public:
    /// AOwner becomes the owner (its scene frees the shape with the panel); the shape is added on top of
    /// its z-order.
    explicit TGUIShape(TPTCustomGroup* AOwner);
    ~TGUIShape() override;

    TPTCustomGroup* Group() const { return FGroup; }
    /// A region (TGUIRegion), told without a cast.
    bool IsRegion() const { return FIsRegion; }

    int Left() const { return FBounds.Left; }
    int Top() const { return FBounds.Top; }
    int Width() const { return RectWidth(FBounds); }
    int Height() const { return RectHeight(FBounds); }
    /// (Left, Top, Left + Width, Top + Height): right and bottom lie just outside the shape.
    TRect BoundsRect() const { return FBounds; }
    void SetBoundsRect(const TRect& R);
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

    /// P in scene coordinates; the base tests BoundsRect (left/top included, right/bottom excluded).
    virtual bool ContainsPoint(const TPoint& P) const;
    /// Beeps and says that there are no properties (the editor opens its own dialog for regions).
    virtual void ShowProperties();
    /// Draws R with the painter's current pen and brush.
    virtual void DrawOutline(QPainter* Canvas, const TRect& R);
    /// A rectangle that holds every point ContainsPoint accepts; ShapeAt uses it as a cheap first test.
    virtual TRect HitRect() const { return FBounds; }

    /// Gives the shape the keyboard focus, which selects it (see TPTCustomGroup).
    void SetFocus();
    bool Focused() const;
    void BringToFront();
    void SendToBack();

    /// The enter/exit chain: user-interface controls hook in here (TUserInterfaceControl).
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    QRectF boundingRect() const override;

protected:
    /// Sets the bounds without any of the subclasses' follow-up.
    void ApplyBounds(int ALeft, int ATop, int AWidth, int AHeight);
    /// Gives up the focus and cuts the enter/exit chain; subclasses call it first in their destructor,
    /// while their handles still exist.
    void PrepareDestruction();

private:
    friend class TPTCustomGroup;
    friend class TGUIRegion;
    TPTCustomGroup* FGroup;
    TRect FBounds;
    int FZIndex = -1;       // position in the panel's z-order list, kept by the panel
    bool FIsRegion = false; // set by TGUIRegion, so the panel counts regions without casting each shape
};
