#pragma once

#include "TGUIRegion.h"

class TSizeFrame;

/// A rectangular region; its bounds are the rectangle. A size frame with 8 handles resizes it.
class TUIRectangle : public TGUIRegion
{
    Q_OBJECT
public:
    explicit TUIRectangle(TPTCustomGroup* AOwner);
    ~TUIRectangle() override;

    TSizeFrame* SizeFrame() const { return FSizeFrame; }

    void paint(QPainter* Painter, const QStyleOptionGraphicsItem* Option, QWidget* Widget) override;

private:
    TSizeFrame* FSizeFrame;
};
