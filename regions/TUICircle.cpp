#include "TUICircle.h"

#include "TGrabHandle.h"
#include "TInvertedCanvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

TUICircle::TUICircle(TPTCustomGroup* AOwner) : TGUIRegion(AOwner) {}

TUICircle::~TUICircle()
{
    PrepareDestruction();
    DestroyHandles();
}

const QList<TGrabHandle*>& TUICircle::Handles()
{
    if (FHandles.isEmpty()) {
        SaveChainBeforeControls();
        FHandles.reserve(4);
        for (int I = 0; I < 4; ++I) {
            auto* Handle = new TGrabHandle(this, this, I < 2 ? Qt::SizeHorCursor : Qt::SizeVerCursor);
            Handle->OnDragOutline = [this](TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R,
                                           int DX, int DY) { CircleHandleDrag(Sender, Canvas, R, DX, DY); };
            FHandles.append(Handle);
        }
        PlaceHandles();
    }
    return FHandles;
}

void TUICircle::BeforeEnter()
{
    Handles();
}

void TUICircle::AfterExit()
{
    if (!ControlDragged())
        DestroyHandles();
}

void TUICircle::DestroyHandles()
{
    if (FHandles.isEmpty())
        return;
    const QList<TGrabHandle*> Doomed = FHandles;
    FHandles.clear();
    RestoreChainWithoutControls();
    qDeleteAll(Doomed);
}

void TUICircle::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ApplyBounds(ALeft, ATop, AWidth, AHeight);
    PlaceHandles();
}

void TUICircle::PlaceHandles()
{
    if (FHandles.size() != 4)
        return;
    // Left, right, top and bottom points of the circle.
    const qint64 L = Left(), T = Top(), W = Width(), H = Height();
    SetHandleCentre(FHandles[0], ClampToInt(L), ClampToInt(T + H / 2));
    SetHandleCentre(FHandles[1], ClampToInt(L + W - 1), ClampToInt(T + H / 2));
    SetHandleCentre(FHandles[2], ClampToInt(L + W / 2), ClampToInt(T));
    SetHandleCentre(FHandles[3], ClampToInt(L + W / 2), ClampToInt(T + H - 1));
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
    // Clamped before the conversion: a circle near the ends of the int range reaches beyond them.
    const auto ToInt = [](double V) { return ClampToInt(qint64(std::clamp(V, -4e18, 4e18))); };
    return TRect{ToInt(std::floor(CX - R)), ToInt(std::floor(CY - R)), ToInt(std::ceil(CX + R) + 1),
                 ToInt(std::ceil(CY + R) + 1)};
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
