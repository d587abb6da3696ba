#include "TUIRectangle.h"

#include "TSizeFrame.h"

#include <QPainter>

TUIRectangle::TUIRectangle(TPTCustomGroup* AOwner) : TGUIRegion(AOwner) {}

TUIRectangle::~TUIRectangle()
{
    PrepareDestruction();
    DestroySizeFrame();
}

TSizeFrame* TUIRectangle::SizeFrame()
{
    if (!FSizeFrame) {
        SaveChainBeforeControls();
        FSizeFrame = new TSizeFrame(this, this);
    }
    return FSizeFrame;
}

void TUIRectangle::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ApplyBounds(ALeft, ATop, AWidth, AHeight);
    if (FSizeFrame)
        FSizeFrame->FollowTarget();
}

void TUIRectangle::BeforeEnter()
{
    SizeFrame();
}

void TUIRectangle::AfterExit()
{
    if (!ControlDragged())
        DestroySizeFrame();
}

void TUIRectangle::DestroySizeFrame()
{
    if (!FSizeFrame)
        return;
    TSizeFrame* Doomed = FSizeFrame;
    FSizeFrame = nullptr;
    RestoreChainWithoutControls();
    delete Doomed;
}

void TUIRectangle::paint(QPainter* Painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    QRectF Outline;
    if (PreparePaint(Painter, Outline))
        Painter->drawRect(Outline);
}
