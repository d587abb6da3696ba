#pragma once

#include "TGUIRegion.h"

class TSizeFrame;

/// A rectangular region; its bounds are the rectangle. A size frame with 8 handles resizes it; the frame
/// exists while the rectangle is selected or being resized.
class TUIRectangle : public TGUIRegion
{
    Q_OBJECT
public:
    explicit TUIRectangle(TPTCustomGroup* AOwner);
    ~TUIRectangle() override;

    /// The size frame; calling this creates it (hidden, laid out around the bounds) if needed.
    TSizeFrame* SizeFrame();
    bool HasSizeFrame() const { return FSizeFrame != nullptr; }

    /// Moves the handles with the bounds: Properties, Undo and Redo change a selected rectangle too.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    void paint(QPainter* Painter, const QStyleOptionGraphicsItem* Option, QWidget* Widget) override;

protected:
    void BeforeEnter() override;
    void AfterExit() override;

private:
    void DestroySizeFrame();
    TSizeFrame* FSizeFrame = nullptr;
};
