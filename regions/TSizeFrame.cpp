#include "TSizeFrame.h"

#include "TGrabHandle.h"
#include "TInvertedCanvas.h"

#include <algorithm>

TSizeFrame::TSizeFrame(QObject* AOwner, TGUIShape* ATarget) : TUserInterfaceControl(AOwner, ATarget)
{
    // The frame itself is never seen and never takes the mouse; only its handles do.
    setAcceptedMouseButtons(Qt::NoButton);
    setFlag(ItemStopsFocusHandling, false);
    FHandles.reserve(8);
    for (int I = 0; I < 8; ++I) {
        auto* Handle = new TGrabHandle(this, ATarget, HandleCursorFor(I));
        Handle->OnDragOutline = [this](TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R,
                                       int DX, int DY) { FrameHandleDrag(Sender, Canvas, R, DX, DY); };
        Handle->OnPointerArea = [this, I](const TRect& Area) { return HandlePointerArea(I, Area); };
        FHandles.append(Handle);
    }
    LayOut();
}

void TSizeFrame::LayOut()
{
    if (!TargetControl)
        return;
    const TRect R = TargetControl->BoundsRect();
    SetBounds(R.Left, R.Top, RectWidth(R), RectHeight(R));
    for (int I = 0; I < FHandles.size(); ++I) {
        const TPoint C = HandleCentreFor(I, R);
        SetHandleCentre(FHandles[I], C.X, C.Y);
        // On screen the handle touches the outline from outside at every zoom, a few screen pixels
        // from its corner or edge rather than a few image pixels (which grow with the zoom).
        const auto Side = [](int Edge, bool Before, bool After, qint64 Middle, double& Offset) {
            Offset = Before ? -3.5 : After ? 3.5 : 0;
            return Before || After ? double(Edge) : double(Middle) + 0.5;
        };
        double OX = 0, OY = 0;
        const bool L = MovesLeft(I), T = MovesTop(I), Rt = MovesRight(I), B = MovesBottom(I);
        const double X = Side(L ? R.Left : R.Right, L, Rt, qint64(R.Left) + RectWidth(R) / 2, OX);
        const double Y = Side(T ? R.Top : R.Bottom, T, B, qint64(R.Top) + RectHeight(R) / 2, OY);
        FHandles[I]->SetScreenPlace(QPointF(X, Y), QPointF(OX, OY));
    }
}

bool TSizeFrame::MovesLeft(int Index)
{
    return Index == 0 || Index == 3 || Index == 7;
}

bool TSizeFrame::MovesTop(int Index)
{
    return Index == 0 || Index == 1 || Index == 4;
}

bool TSizeFrame::MovesRight(int Index)
{
    return Index == 1 || Index == 2 || Index == 5;
}

bool TSizeFrame::MovesBottom(int Index)
{
    return Index == 2 || Index == 3 || Index == 6;
}

TRect TSizeFrame::HandlePointerArea(int Index, const TRect& Area) const
{
    const TGrabHandle* Handle = FHandles.value(Index);
    if (!Handle || !TargetControl)
        return Area;
    const TPoint S = Handle->StartPos;
    const TRect R = TargetControl->BoundsRect();
    // The press and the area, as for any drag; then as far again as the press lay from the edges the
    // handle moves, so that those edges can reach the area's own (a handle outside the picture can
    // take its rectangle's edge right to the picture's edge).
    qint64 L = std::min(Area.Left, S.X), T = std::min(Area.Top, S.Y);
    qint64 Rt = std::max(qint64(Area.Right), qint64(S.X) + 1),
           B = std::max(qint64(Area.Bottom), qint64(S.Y) + 1);
    if (MovesLeft(Index))
        L = std::min(L, qint64(Area.Left) + S.X - R.Left);
    if (MovesTop(Index))
        T = std::min(T, qint64(Area.Top) + S.Y - R.Top);
    if (MovesRight(Index))
        Rt = std::max(Rt, qint64(Area.Right) + S.X - R.Right + 1);
    if (MovesBottom(Index))
        B = std::max(B, qint64(Area.Bottom) + S.Y - R.Bottom + 1);
    return TRect{ClampToInt(L), ClampToInt(T), ClampToInt(Rt), ClampToInt(B)};
}

TPoint TSizeFrame::HandleCentreFor(int Index, const TRect& R)
{
    // In 64 bits, clamped: a rectangle may lie at the very ends of the int range.
    const qint64 L = R.Left, T = R.Top, W = RectWidth(R), H = RectHeight(R);
    const auto At = [](qint64 X, qint64 Y) { return TPoint{ClampToInt(X), ClampToInt(Y)}; };
    switch (Index) {
    case 0:
        return At(L - 4, T - 4);
    case 1:
        return At(L + W + 3, T - 4);
    case 2:
        return At(L + W + 3, T + H + 3);
    case 3:
        return At(L - 4, T + H + 3);
    case 4:
        return At(L + W / 2, T - 4);
    case 5:
        return At(L + W + 3, T + H / 2);
    case 6:
        return At(L + W / 2, T + H + 3);
    case 7:
        return At(L - 4, T + H / 2);
    }
    return At(L, T);
}

Qt::CursorShape TSizeFrame::HandleCursorFor(int Index)
{
    switch (Index) {
    case 0:
    case 2:
        return Qt::SizeFDiagCursor;
    case 1:
    case 3:
        return Qt::SizeBDiagCursor;
    case 4:
    case 6:
        return Qt::SizeVerCursor;
    default:
        return Qt::SizeHorCursor;
    }
}

TRect TSizeFrame::DraggedRect(int Index, TRect R, int DX, int DY)
{
    if (Index == 0 || Index == 3 || Index == 7)
        R.Left = ClampToInt(std::min(qint64(R.Left) + DX, qint64(R.Right) - 7));
    if (Index == 0 || Index == 1 || Index == 4)
        R.Top = ClampToInt(std::min(qint64(R.Top) + DY, qint64(R.Bottom) - 7));
    if (Index == 1 || Index == 2 || Index == 5)
        R.Right = ClampToInt(std::max(qint64(R.Right) + DX, qint64(R.Left) + 7));
    if (Index == 2 || Index == 3 || Index == 6)
        R.Bottom = ClampToInt(std::max(qint64(R.Bottom) + DY, qint64(R.Top) + 7));
    return R;
}

void TSizeFrame::TargetEnter(QObject* Sender)
{
    LayOut();
    TUserInterfaceControl::TargetEnter(Sender);
}

void TSizeFrame::FrameHandleDrag(TUserInterfaceControl* Sender, TInvertedCanvas& Canvas, TRect& R, int DX,
                                 int DY)
{
    const int Index = FHandles.indexOf(static_cast<TGrabHandle*>(Sender));
    R = DraggedRect(Index, R, DX, DY);
    Canvas.Rectangle(R);
}

QRectF TSizeFrame::boundingRect() const
{
    return QRectF();
}

void TSizeFrame::paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) {}
