#include "TUserInterfaceControl.h"

#include "TInvertedCanvas.h"
#include "UPTFrame.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <cmath>

namespace {
// Handles stack above every region; each one shown goes on top of those shown before.
double NextHandleZ = 0;
} // namespace

TUserInterfaceControl::TUserInterfaceControl(QObject* AOwner, TGUIShape* ATarget,
                                             std::optional<Qt::CursorShape> Cursor)
    : QGraphicsObject(nullptr), TargetControl(ATarget)
{
    setParent(AOwner);
    if (Cursor)
        setCursor(*Cursor);
    setAcceptedMouseButtons(Qt::LeftButton);
    // A press on a handle must not move the keyboard focus: the drag decides about the selection.
    setFlag(ItemStopsFocusHandling);
    hide();
    if (TargetControl) {
        SavedOnEnter = TargetControl->OnEnter;
        SavedOnExit = TargetControl->OnExit;
        TargetControl->OnEnter = [this](QObject* Sender) { TargetEnter(Sender); };
        TargetControl->OnExit = [this](QObject* Sender) { TargetExit(Sender); };
        FGroup = TargetControl->Group();
        if (FGroup)
            setParentItem(FGroup->HandleLayer());
    }
}

TUserInterfaceControl::~TUserInterfaceControl()
{
    if (FGroup && FGroup->DragControl() == this)
        FGroup->EndControlDrag();
}

void TUserInterfaceControl::TargetEnter(QObject* /*Sender*/)
{
    NextHandleZ += 1;
    setZValue(NextHandleZ);
    show();
    if (SavedOnEnter)
        SavedOnEnter(this);
}

void TUserInterfaceControl::TargetExit(QObject* /*Sender*/)
{
    hide();
    if (SavedOnExit)
        SavedOnExit(this);
}

void TUserInterfaceControl::DrawDragOutline()
{
    if (!TargetControl)
        return;
    TInvertedCanvas Canvas(TargetControl->Group());
    // Every outline is computed from the bounds at the press plus the whole travel.
    DragRect = TargetControl->BoundsRect();
    const int DX = ClampToInt(qint64(CurrentPos.X) - StartPos.X);
    const int DY = ClampToInt(qint64(CurrentPos.Y) - StartPos.Y);
    if (OnDragOutline)
        OnDragOutline(this, Canvas, DragRect, DX, DY);
    else
        Canvas.Rectangle(DragRect);
}

void TUserInterfaceControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    RepaintOldPlace(this);
    prepareGeometryChange();
    FBounds = BoundsToRect(ALeft, ATop, AWidth, AHeight);
    setPos(ALeft, ATop);
}

void TUserInterfaceControl::DragBegin(const TPoint& Pos)
{
    if (!TargetControl || !TargetControl->Group())
        return;
    TPTCustomGroup* Group = TargetControl->Group();
    DragRect = TargetControl->BoundsRect();
    StartPos = Pos;
    CurrentPos = Pos;
    Group->BeginControlDrag(this);
    // The target loses the focus, so all its handles hide for the length of the drag.
    Group->ClearRegionFocus();
    DrawDragOutline();
}

void TUserInterfaceControl::DragMove(const TPoint& Pos)
{
    DrawDragOutline();
    CurrentPos = Pos;
    DrawDragOutline();
}

void TUserInterfaceControl::DragEnd()
{
    if (!TargetControl)
        return;
    TPTCustomGroup* Group = TargetControl->Group();
    DrawDragOutline();
    TargetControl->SetBoundsRect(DragRect);
    TargetControl->SetFocus();
    if (Group)
        Group->EndControlDrag();
}

QRectF TUserInterfaceControl::boundingRect() const
{
    return QRectF(0, 0, Width(), Height());
}

void TUserInterfaceControl::paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) {}

void TUserInterfaceControl::mousePressEvent(QGraphicsSceneMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) {
        Event->ignore();
        return;
    }
    Event->accept();
    const QPointF P = Event->scenePos();
    DragBegin(TPoint{int(std::floor(P.x())), int(std::floor(P.y()))});
}
