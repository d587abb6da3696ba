#include "UPTFrame.h"

#include "TGUIRegion.h"
#include "TGUIShape.h"
#include "TUIPolygon.h"
#include "TUserInterfaceControl.h"

#include <QGuiApplication>
#include <QMouseEvent>

// The panel's mouse: drags of a control (a handle, a region) and the presses the scene leaves to
// the editor.

void TPTCustomGroup::BeginControlDrag(TUserInterfaceControl* Control)
{
    EndControlDrag();
    FDragControl = Control;
    ClipCursorToControl(this);
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    if (Control && Control->TargetControl)
        emit ShapeDragStarted(Control->TargetControl);
}

void TPTCustomGroup::EndControlDrag()
{
    if (!FDragControl)
        return;
    FDragControl = nullptr;
    // A drag cut short (its handle or region freed) leaves no outline behind; a finished one has erased
    // its own already.
    if (!FInverted.isEmpty()) {
        FInverted.clear();
        viewport()->update();
    }
    ClipCursorToControl(nullptr);
    QGuiApplication::restoreOverrideCursor();
}

void TPTCustomGroup::CancelControlDrag()
{
    TUserInterfaceControl* Control = FDragControl;
    if (!Control)
        return;
    QPointer<TGUIShape> Target = Control->TargetControl;
    Control->DrawDragOutline();
    EndControlDrag();
    // A vertex drag records the moved vertices as it goes; the polygon takes its own back.
    if (auto* Polygon = qobject_cast<TUIPolygon*>(Target.data()))
        Polygon->SetPoints(QVector<TPoint>(Polygon->Points()));
    if (Target) {
        Target->SetFocus();
        emit ShapeDragFinished(Target);
    }
}

void TPTCustomGroup::mousePressEvent(QMouseEvent* Event)
{
    Event->accept();
    // During a handle drag other buttons do nothing.
    if (FDragControl)
        return;
    QGraphicsView::mousePressEvent(Event);
    if (Event->isAccepted())
        return; // a handle or the editor's overlay took it
    ReportPress(Event);
}

bool TPTCustomGroup::ReportPress(QMouseEvent* Event)
{
    Event->accept();
    const TPoint P = ViewportToClient(Event->position().toPoint());
    // Around the picture is the scroll box, not the scene.
    if (!InEditableArea(P)) {
        emit PressedAroundPicture(Event->button());
        return false;
    }
    FButtonsPressedInside |= Event->button();
    if (Event->button() == Qt::LeftButton)
        FLeftButtonDown = true;
    emit MouseDown(Event->button(), Event->modifiers(), P.X, P.Y);
    return true;
}

void TPTCustomGroup::mouseDoubleClickEvent(QMouseEvent* Event)
{
    Event->accept();
    if (FDragControl)
        return;
    // Items see it as a double click (the polygon tool's overlay finishes with it; a handle takes it
    // as a press); for the editor it is a press like any other, then a double click.
    QGraphicsView::mouseDoubleClickEvent(Event);
    if (Event->isAccepted())
        return;
    if (ReportPress(Event)) {
        const TPoint P = ViewportToClient(Event->position().toPoint());
        emit MouseDoubleClick(Event->button(), Event->modifiers(), P.X, P.Y);
    }
}

void TPTCustomGroup::mouseMoveEvent(QMouseEvent* Event)
{
    const TPoint P = ViewportToClient(Event->position().toPoint());
    if (FDragControl) {
        if (Event->buttons() & Qt::LeftButton)
            FDragControl->DragMove(OnDragPoint ? OnDragPoint(FDragControl, P, Event->modifiers()) : P);
        return;
    }
    const bool Grabbed = FScene->mouseGrabberItem() != nullptr;
    QGraphicsView::mouseMoveEvent(Event);
    if (Grabbed)
        return;
    const bool Inside = InEditableArea(P);
    // A press on the scene keeps its moves coming until the release, as a mouse capture would.
    if (Inside || (FButtonsPressedInside & Event->buttons()))
        emit MouseMove(Event->modifiers(), P.X, P.Y);
    else
        emit PointerOffPicture();
}

void TPTCustomGroup::mouseReleaseEvent(QMouseEvent* Event)
{
    const TPoint P = ViewportToClient(Event->position().toPoint());
    if (FDragControl) {
        if (Event->button() == Qt::LeftButton) {
            const QPointer<TGUIShape> Target = FDragControl->TargetControl;
            FDragControl->DragEnd();
            if (Target)
                emit ShapeDragFinished(Target);
        }
        return;
    }
    const bool Grabbed = FScene->mouseGrabberItem() != nullptr;
    QGraphicsView::mouseReleaseEvent(Event);
    if (Grabbed)
        return;
    const bool Inside = InEditableArea(P);
    const bool PressedInside = FButtonsPressedInside & Event->button();
    FButtonsPressedInside &= ~Event->button();
    if (!Inside && !PressedInside)
        return;
    if (Event->button() == Qt::LeftButton)
        FLeftButtonDown = false;
    emit MouseUp(Event->button(), Event->modifiers(), P.X, P.Y);
}
