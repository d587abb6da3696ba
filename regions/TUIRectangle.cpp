#include "TUIRectangle.h"

#include "TSizeFrame.h"

#include <QPainter>

TUIRectangle::TUIRectangle(TPTCustomGroup* AOwner) : TGUIRegion(AOwner)
{
    FSizeFrame = new TSizeFrame(this, this);
}

TUIRectangle::~TUIRectangle()
{
    PrepareDestruction();
    delete FSizeFrame;
}

void TUIRectangle::paint(QPainter* Painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const TRect R = NormalizeRect(TRect{0, 0, Width(), Height()});
    if (RectWidth(R) <= 0 || RectHeight(R) <= 0)
        return;
    Painter->setRenderHint(QPainter::Antialiasing, false);
    Painter->setPen(Pen());
    Painter->setBrush(Brush());
    // The outline runs along the outermost pixels of the bounds.
    Painter->drawRect(QRect(R.Left, R.Top, RectWidth(R) - 1, RectHeight(R) - 1));
}
