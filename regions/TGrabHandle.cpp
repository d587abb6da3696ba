#include "TGrabHandle.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

TGrabHandle::TGrabHandle(QObject* AOwner, TGUIShape* ATarget, Qt::CursorShape Cursor)
    : TUserInterfaceControl(AOwner, ATarget, Cursor)
{
    SetBounds(0, 0, 7, 7);
}

void TGrabHandle::paint(QPainter* Painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    Painter->setRenderHint(QPainter::Antialiasing, false);
    QPen Pen(Qt::black, 1);
    Pen.setCosmetic(true);
    Painter->setPen(Pen);
    Painter->setBrush(QColor(0, 255, 0));
    Painter->drawRect(QRect(0, 0, Width() - 1, Height() - 1));
}

void SetHandleCentre(TGrabHandle* Handle, int X, int Y)
{
    if (Handle)
        Handle->SetBounds(ClampToInt(qint64(X) - 3), ClampToInt(qint64(Y) - 3), 7, 7);
}

int HandleCentreX(const TGrabHandle* Handle)
{
    return Handle ? ClampToInt(qint64(Handle->Left()) + 3) : 0;
}

int HandleCentreY(const TGrabHandle* Handle)
{
    return Handle ? ClampToInt(qint64(Handle->Top()) + 3) : 0;
}

void SetRelativePosition(TGrabHandle* Handle, int X, int Y, const TRect& R)
{
    if (!Handle)
        return;
    Handle->RelX = double(qint64(X) - R.Left) / std::max(RectWidth(R), 1);
    Handle->RelY = double(qint64(Y) - R.Top) / std::max(RectHeight(R), 1);
}

void PlaceRelative(TGrabHandle* Handle, const TRect& R)
{
    if (!Handle)
        return;
    // Rounded to nearest, so fractions recorded against R give back exactly the recorded point.
    SetHandleCentre(Handle, ClampToInt(R.Left + std::llround(RectWidth(R) * Handle->RelX)),
                    ClampToInt(R.Top + std::llround(RectHeight(R) * Handle->RelY)));
}
