#pragma once

#include "Geometry.h"
#include "TGUIShape.h"

#include <QCursor>
#include <QGraphicsObject>
#include <QPointer>
#include <functional>
#include <optional>

class TInvertedCanvas;
class TPTCustomGroup;
class TUserInterfaceControl;

/// Draws the outline of the shape as it would be after the pointer's travel (DX, DY) since the press,
/// and leaves in R the bounds the target is to get.
using TDragOutlineEvent =
    std::function<void(TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R, int DX, int DY)>;

/// A control that edits a target shape: it joins the target's enter/exit chain (shown while the target
/// is focused) and a left drag on it draws an inverted outline whose last rectangle becomes the target's
/// bounds at the release. Its owner (QObject parent) frees it; it sits on the target's panel.
class TUserInterfaceControl : public QGraphicsObject
{
    Q_OBJECT
public:
    /// Cursor is the pointer shape over the control; it is set before the control joins the scene, where
    /// setting it would make Qt ask the window system for the pointer position.
    TUserInterfaceControl(QObject* AOwner, TGUIShape* ATarget,
                          std::optional<Qt::CursorShape> Cursor = std::nullopt);
    ~TUserInterfaceControl() override;

    TRect DragRect;    ///< the rectangle being dragged; after a drag, the target's new bounds
    TPoint StartPos;   ///< pointer position at the press (scene pixels)
    TPoint CurrentPos; ///< latest pointer position during the drag
    TGUIShape* TargetControl;
    TDragOutlineEvent OnDragOutline;
    /// Where the pointer may go during a drag, given the editable area; none: the area and the press.
    std::function<TRect(const TRect& Area)> OnPointerArea;
    TNotifyEvent SavedOnEnter;
    TNotifyEvent SavedOnExit;

    virtual void TargetEnter(QObject* Sender);
    virtual void TargetExit(QObject* Sender);

    /// Draws the current outline once (drawing it again erases it).
    void DrawDragOutline();

    int Left() const { return FBounds.Left; }
    int Top() const { return FBounds.Top; }
    int Width() const { return RectWidth(FBounds); }
    int Height() const { return RectHeight(FBounds); }
    TRect BoundsRect() const { return FBounds; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

    /// Drag steps, driven by the panel (which keeps receiving moves while the handles are hidden).
    void DragBegin(const TPoint& Pos);
    void DragMove(const TPoint& Pos);
    void DragEnd();

    QRectF boundingRect() const override;
    void paint(QPainter* Painter, const QStyleOptionGraphicsItem* Option, QWidget* Widget) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* Event) override;

private:
    TRect FBounds;
    // Kept apart from the target, which may be gone already when its owned controls are freed.
    QPointer<TPTCustomGroup> FGroup;
};
