#include "TGUIShape.h"

#include "TGUIRegion.h"
#include "UPTFrame.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>

TGUIShape::TGUIShape(TPTCustomGroup* AOwner) : QGraphicsObject(nullptr), FGroup(AOwner)
{
    // Focus carries the selection; the mouse belongs to the scene below and to the handles.
    setFlag(ItemIsFocusable);
    setAcceptedMouseButtons(Qt::NoButton);
    // The panel owns the shape through its scene (not as a QObject child: freeing thousands of children
    // one by one from the panel's children list would search it each time).
    if (FGroup)
        FGroup->AddShape(this);
}

TGUIShape::~TGUIShape()
{
    PrepareDestruction();
    if (FGroup)
        FGroup->RemoveShape(this);
}

void TGUIShape::PrepareDestruction()
{
    if (FGroup) {
        if (auto* Region = qobject_cast<TGUIRegion*>(this); Region && FGroup->FocusedRegion() == Region)
            FGroup->RegionFocusOut(Region);
        if (FGroup->FocusedRegion() == this)
            FGroup->FFocused = nullptr;
    }
    if (hasFocus())
        clearFocus();
    OnEnter = nullptr;
    OnExit = nullptr;
}

void TGUIShape::SetBoundsRect(const TRect& R)
{
    SetBounds(R.Left, R.Top, RectWidth(R), RectHeight(R));
}

void TGUIShape::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ApplyBounds(ALeft, ATop, AWidth, AHeight);
}

void TGUIShape::ApplyBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FBounds != TRect{})
        RepaintOldPlace(this);
    prepareGeometryChange();
    FBounds = BoundsToRect(ALeft, ATop, AWidth, AHeight);
    setPos(ALeft, ATop);
    if (FGroup)
        FGroup->ShapeBoundsChanged(this);
    update();
}

bool TGUIShape::ContainsPoint(const TPoint& P) const
{
    return PointInRect(FBounds, P);
}

void TGUIShape::ShowProperties()
{
    QApplication::beep();
    QMessageBox::information(FGroup ? FGroup->window() : nullptr, QApplication::applicationDisplayName(),
                             QStringLiteral("No properties are avaliable for this object"));
}

void TGUIShape::DrawOutline(QPainter* Canvas, const TRect& R)
{
    if (!Canvas)
        return;
    const TRect N = NormalizeRect(R);
    if (RectWidth(N) > 0 && RectHeight(N) > 0)
        Canvas->drawRect(QRect(N.Left, N.Top, RectWidth(N) - 1, RectHeight(N) - 1));
}

void TGUIShape::SetFocus()
{
    if (!FGroup)
        return;
    FGroup->setFocus(Qt::OtherFocusReason);
    setFocus(Qt::OtherFocusReason);
    // Without an active window Qt records the focus item but sends no event; select all the same.
    if (auto* Region = qobject_cast<TGUIRegion*>(this))
        FGroup->RegionFocusIn(Region);
}

bool TGUIShape::Focused() const
{
    return FGroup && static_cast<const QObject*>(FGroup->FocusedRegion()) == this;
}

void TGUIShape::BringToFront()
{
    if (FGroup)
        FGroup->MoveShape(this, true);
}

void TGUIShape::SendToBack()
{
    if (FGroup)
        FGroup->MoveShape(this, false);
}

QRectF TGUIShape::boundingRect() const
{
    // Local coordinates start at (Left, Top); HitRect covers vertices or a circle's radius beyond it. In
    // floating point: the extent of coordinates at both ends of the int range does not fit an int.
    const auto Edges = [](const TRect& R) {
        const TRect N = NormalizeRect(R);
        return QRectF(QPointF(N.Left, N.Top), QPointF(N.Right, N.Bottom));
    };
    const QRectF Area = Edges(FBounds).united(Edges(HitRect()));
    return Area.translated(-qreal(FBounds.Left), -qreal(FBounds.Top)).adjusted(-1, -1, 1, 1);
}
