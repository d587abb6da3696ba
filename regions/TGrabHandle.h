#pragma once

#include "TUserInterfaceControl.h"

/// A 7 x 7 lime square with a black border whose centre is the point it stands for.
class TGrabHandle : public TUserInterfaceControl
{
    Q_OBJECT
public:
    TGrabHandle(QObject* AOwner, TGUIShape* ATarget, Qt::CursorShape Cursor);

    double RelX = 0; ///< centre x as a fraction of the width of the rectangle last recorded against
    double RelY = 0; ///< the same for y and the height

    /// Stands at ImagePoint on the scene, its centre ScreenOffset screen pixels from there at any zoom.
    void SetScreenPlace(const QPointF& ImagePoint, const QPointF& ScreenOffset);

    QRectF boundingRect() const override;
    void paint(QPainter* Painter, const QStyleOptionGraphicsItem* Option, QWidget* Widget) override;

private:
    friend void SetHandleCentre(TGrabHandle* Handle, int X, int Y);
    QPointF FScreenOffset;
};

/// Bounds (X - 3, Y - 3, 7, 7).
void SetHandleCentre(TGrabHandle* Handle, int X, int Y);
int HandleCentreX(const TGrabHandle* Handle);
int HandleCentreY(const TGrabHandle* Handle);
/// Records (X, Y) as fractions of R (a zero width or height counts as 1). Kept in double precision.
void SetRelativePosition(TGrabHandle* Handle, int X, int Y, const TRect& R);
/// Centres the handle at R.Left + Width(R) * RelX, R.Top + Height(R) * RelY, rounded to nearest.
void PlaceRelative(TGrabHandle* Handle, const TRect& R);
