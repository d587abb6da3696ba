#include "TGrabHandle.h"

#include "UPTFrame.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

TGrabHandle::TGrabHandle(QObject* AOwner, TGUIShape* ATarget, Qt::CursorShape Cursor)
    : TUserInterfaceControl(AOwner, ATarget, Cursor)
{
    // 7 x 7 screen pixels at any zoom, around the middle of the image pixel it stands for.
    setFlag(ItemIgnoresTransformations);
    SetHandleCentre(this, 3, 3);
}

void TGrabHandle::SetScreenPlace(const QPointF& ImagePoint, const QPointF& ScreenOffset)
{
    RepaintOldPlace(this);
    prepareGeometryChange();
    FScreenOffset = ScreenOffset;
    setPos(ImagePoint);
}

QRectF TGrabHandle::boundingRect() const
{
    return QRectF(FScreenOffset.x() - 3.5, FScreenOffset.y() - 3.5, 7, 7);
}

void TGrabHandle::paint(QPainter* Painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    Painter->setRenderHint(QPainter::Antialiasing, false);
    QPen Pen(Qt::black, 1);
    Pen.setCosmetic(true);
    Painter->setPen(Pen);
    Painter->setBrush(QColor(0, 255, 0));
    // In screen pixels from the item's origin, the middle of its image pixel.
    const QPointF Origin = Painter->worldTransform().map(FScreenOffset);
    Painter->resetTransform();
    const QPoint TopLeft(int(std::floor(Origin.x() - 3.5 + 1e-6)), int(std::floor(Origin.y() - 3.5 + 1e-6)));
    Painter->drawRect(QRect(TopLeft, QSize(6, 6)));
}

void SetHandleCentre(TGrabHandle* Handle, int X, int Y)
{
    if (!Handle)
        return;
    Handle->SetBounds(ClampToInt(qint64(X) - 3), ClampToInt(qint64(Y) - 3), 7, 7);
    if (!Handle->FScreenOffset.isNull()) {
        Handle->prepareGeometryChange();
        Handle->FScreenOffset = QPointF();
    }
    Handle->setPos(qreal(X) + 0.5, qreal(Y) + 0.5);
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
