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
    QRectF Outline;
    if (PreparePaint(Painter, Outline))
        Painter->drawRect(Outline);
}
