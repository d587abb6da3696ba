#include "TUICircle.h"

#include "TGrabHandle.h"
#include "TInvertedCanvas.h"

#include <QPainter>
#include <cmath>

TUICircle::TUICircle(TPTCustomGroup* AOwner) : TGUIRegion(AOwner)
{
    for (int I = 0; I < 4; ++I) {
        auto* Handle = new TGrabHandle(this, this);
        Handle->OnDragOutline = [this](TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R,
                                       int DX, int DY) { CircleHandleDrag(Sender, Canvas, R, DX, DY); };
        Handle->setCursor(I < 2 ? Qt::SizeHorCursor : Qt::SizeVerCursor);
        FHandles.append(Handle);
    }
    SetBounds(Left(), Top(), Width(), Height());
}

TUICircle::~TUICircle()
{
    PrepareDestruction();
    qDeleteAll(FHandles);
    FHandles.clear();
}

void TUICircle::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ApplyBounds(ALeft, ATop, AWidth, AHeight);
    if (FHandles.size() != 4)
        return;
    // Left, right, top and bottom points of the circle.
    SetHandleCentre(FHandles[0], ALeft, ATop + AHeight / 2);
    SetHandleCentre(FHandles[1], ALeft + AWidth - 1, ATop + AHeight / 2);
    SetHandleCentre(FHandles[2], ALeft + AWidth / 2, ATop);
    SetHandleCentre(FHandles[3], ALeft + AWidth / 2, ATop + AHeight - 1);
}

bool TUICircle::ContainsPoint(const TPoint& P) const
{
    const double R = Width() / 2.0;
    const double DX = P.X - (Left() + Width() / 2.0);
    const double DY = P.Y - (Top() + Height() / 2.0);
    return R > 0 && DX * DX + DY * DY < R * R;
}

TRect TUICircle::HitRect() const
{
    const double R = std::abs(Width() / 2.0);
    const double CX = Left() + Width() / 2.0;
    const double CY = Top() + Height() / 2.0;
    return TRect{int(std::floor(CX - R)), int(std::floor(CY - R)), int(std::ceil(CX + R)) + 1,
                 int(std::ceil(CY + R)) + 1};
}

void TUICircle::CircleHandleDrag(TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R, int DX,
                                 int DY)
{
    switch (FHandles.indexOf(static_cast<TGrabHandle*>(Sender))) {
    case 0:
        R = InflateRectBy(R, -DX, -DX);
        break;
    case 1:
        R = InflateRectBy(R, DX, DX);
        break;
    case 2:
        R = InflateRectBy(R, -DY, -DY);
        break;
    case 3:
        R = InflateRectBy(R, DY, DY);
        break;
    default:
        break;
    }
    // Dragged through the centre the circle comes out on the other side, never with a negative size.
    R = NormalizeRect(R);
    Canvas.Ellipse(R);
}

void TUICircle::paint(QPainter* Painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    QRectF Outline;
    if (PreparePaint(Painter, Outline))
        Painter->drawEllipse(Outline);
}
