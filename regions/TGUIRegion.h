#pragma once

#include "TGUIShape.h"

#include <QBrush>
#include <QPen>
#include <QPair>
#include <QString>
#include <QVector>

/// A hotspot of the image map: link address, target frame and alternate text over a shape. Its focus
/// is the selection: gaining it runs the enter chain (handles show) and the panel reports the region's
/// z-position; losing it runs the exit chain and the panel reports the loss.
class TGUIRegion : public TGUIShape
{
    Q_OBJECT
public:
    explicit TGUIRegion(TPTCustomGroup* AOwner);
    ~TGUIRegion() override;

    QString HRef;    ///< link address; DefaultHRef() at construction
    QString Target;  ///< target frame; empty at construction
    QString AltText; ///< alternate text; "Click Here!" at construction
    /// Attributes of the imported area that have no field of their own (title, id...), name and value
    /// in the order written; empty for a region drawn in the editor.
    QVector<QPair<QString, QString>> Attributes;
    /// The position of the imported area in its map; -1 for a region drawn in the editor.
    int SourceArea = -1;

    /// Count = regions among the panel's shapes; Index = this region's position among them from 0 at
    /// the bottom. Both -1 when the region is not on a panel.
    void GetZPosition(int& Index, int& Count) const;

    /// Blue one-pixel pen; backward-diagonal hatch in the panel's colour, leaving the image visible.
    QPen Pen() const { return FPen; }
    QBrush Brush() const;

protected:
    /// Sets the painter's pen and brush for the region; false when the bounds are empty. Outline gets
    /// the local rectangle whose one-screen-pixel outline runs along the outermost pixels of the bounds,
    /// at the painter's scale.
    bool PreparePaint(QPainter* Painter, QRectF& Outline) const;
    /// How far inside an image pixel the outline runs at the painter's scale: none at 1:1 and below,
    /// nearly to its middle when magnified (1/2 - 1/2 of a screen pixel), so that outlines and vertex
    /// handles meet.
    static double PixelInset(const QPainter* Painter);
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    /// Runs before the enter chain when the region becomes the selected one.
    virtual void BeforeEnter() {}
    /// Runs after the exit chain when the region stops being the selected one.
    virtual void AfterExit() {}

    // A region's grab handles and size frame exist only while it is selected or one of them is dragged:
    // a map of thousands of regions then carries the items of one region, not of all of them.
    /// Controls hook into the enter/exit chain as they are made; this records the chain before the first
    /// of them is made, and RestoreChainWithoutControls puts it back once they are freed.
    void SaveChainBeforeControls();
    void RestoreChainWithoutControls();
    /// True while a control of this region is being dragged: it must outlive the loss of the focus.
    bool ControlDragged() const;

private:
    friend class TPTCustomGroup;
    void Enter();
    void Exit();
    QPen FPen;
    TNotifyEvent FEnterBeforeControls;
    TNotifyEvent FExitBeforeControls;
};
