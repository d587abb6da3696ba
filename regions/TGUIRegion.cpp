#include "TGUIRegion.h"

#include "DefaultHRef.h"
#include "TUserInterfaceControl.h"
#include "UPTFrame.h"

#include <QFocusEvent>
#include <QGraphicsScene>
#include <QPainter>
#include <algorithm>

namespace {

// Every region starts with the same pen: one shared copy rather than one per region of a large map.
const QPen& RegionPen()
{
    static const QPen Pen = [] {
        QPen P(QColor(0, 0, 255), 1);
        P.setCosmetic(true);
        return P;
    }();
    return Pen;
}

} // namespace

TGUIRegion::TGUIRegion(TPTCustomGroup* AOwner) : TGUIShape(AOwner), FPen(RegionPen())
{
    FIsRegion = true;
    // The panel paints the regions (from its tiles in the view, directly in the scene's rendering):
    // the scene's own painting then passes over tens of thousands of them at no cost.
    setFlag(ItemHasNoContents);
    if (Group())
        Group()->FOtherShapes--;
    HRef = DefaultHRef();
    AltText = QStringLiteral("Click Here!");
}

TGUIRegion::~TGUIRegion()
{
    PrepareDestruction();
}

QBrush TGUIRegion::Brush() const
{
    return QBrush(Group() ? Group()->Color() : QColor(Qt::lightGray), Qt::BDiagPattern);
}

double TGUIRegion::PixelInset(const QPainter* Painter)
{
    const double Scale = Painter->worldTransform().m11();
    return Scale > 1 ? 0.5 - 0.5 / Scale : 0;
}

bool TGUIRegion::PreparePaint(QPainter* Painter, QRectF& Outline) const
{
    const TRect R = NormalizeRect(TRect{0, 0, Width(), Height()});
    if (RectWidth(R) <= 0 || RectHeight(R) <= 0)
        return false;
    Painter->setRenderHint(QPainter::Antialiasing, false);
    Painter->setPen(Pen());
    Painter->setBrush(Brush());
    // The far edges one screen pixel inside the bounds: at 1:1, the last pixel row and column.
    const double Scale = std::max(Painter->worldTransform().m11(), 1.0);
    Outline = QRectF(R.Left, R.Top, RectWidth(R) - 1 / Scale, RectHeight(R) - 1 / Scale);
    return true;
}

void TGUIRegion::GetZPosition(int& Index, int& Count) const
{
    Index = -1;
    Count = -1;
    if (!Group())
        return;
    // Shapes that are not regions are rare; without them the position is the panel's own index.
    if (Group()->FOtherShapes == 0) {
        Index = FZIndex;
        Count = Group()->Shapes().size();
        return;
    }
    Count = 0;
    for (TGUIShape* Shape : Group()->Shapes()) {
        if (Shape == this)
            Index = Count;
        if (Shape->FIsRegion)
            ++Count;
    }
}

void TGUIRegion::focusInEvent(QFocusEvent* Event)
{
    TGUIShape::focusInEvent(Event);
    if (!Group())
        return;
    // When its window comes back, the scene hands the focus back to the item that had it, even if the
    // region was deselected meanwhile: keep the deselection.
    const Qt::FocusReason Reason = Event->reason();
    const bool Deliberate =
        Reason == Qt::OtherFocusReason || Reason == Qt::TabFocusReason || Reason == Qt::BacktabFocusReason;
    if (!Deliberate && Group()->FocusedRegion() != this) {
        clearFocus();
        return;
    }
    Group()->RegionFocusIn(this);
}

void TGUIRegion::focusOutEvent(QFocusEvent* Event)
{
    TGUIShape::focusOutEvent(Event);
    // A window-level loss (a dialog, a menu, another widget) keeps the selection: the region gets the
    // focus back with its window. Only a change of focus item inside the scene deselects.
    if (Group() && scene() && scene()->hasFocus())
        Group()->RegionFocusOut(this);
}

void TGUIRegion::Enter()
{
    BeforeEnter();
    const TNotifyEvent Handler = OnEnter;
    if (Handler)
        Handler(this);
}

void TGUIRegion::Exit()
{
    const TNotifyEvent Handler = OnExit;
    if (Handler)
        Handler(this);
    AfterExit();
}

void TGUIRegion::SaveChainBeforeControls()
{
    FEnterBeforeControls = OnEnter;
    FExitBeforeControls = OnExit;
}

void TGUIRegion::RestoreChainWithoutControls()
{
    OnEnter = FEnterBeforeControls;
    OnExit = FExitBeforeControls;
}

bool TGUIRegion::ControlDragged() const
{
    const TUserInterfaceControl* Dragged = Group() ? Group()->DragControl() : nullptr;
    return Dragged && Dragged->TargetControl == this;
}
