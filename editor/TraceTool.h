#pragma once

#include "PictureTracer.h"

#include <QGraphicsObject>
#include <QPolygon>
#include <QRectF>
#include <QToolBar>

class QAction;
class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;

// The Trace Region tool's overlay: covers the picture above the regions while the tool is active,
// takes the left presses and the pointer's moves and shows the outline a click would make.
class TTraceOverlay : public QGraphicsObject
{
    Q_OBJECT

public:
    explicit TTraceOverlay(QGraphicsItem* parent = nullptr);

    // The area that takes the presses: the picture, in scene coordinates.
    void SetArea(const QRectF& area);
    QRectF Area() const { return FArea; }

    // The outline to show, in picture pixels, and those of the areas it keeps out; empty shows none.
    void SetOutline(const QPolygon& outline, const QVector<QPolygon>& enclosed = {});
    QPolygon Outline() const { return FOutline; }
    QVector<QPolygon> Enclosed() const { return FEnclosed; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

signals:
    void MouseDown(Qt::MouseButton Button, int X, int Y);
    void MouseMove(int X, int Y);
    void MouseLeave();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;

private:
    QRectF FArea;
    QPolygon FOutline;
    QVector<QPolygon> FEnclosed;
};

// The tolerances of the Trace tools, shown while the Trace Region tool is active and kept in the
// settings file.
class TTraceOptionsBar : public QToolBar
{
    Q_OBJECT

public:
    explicit TTraceOptionsBar(QWidget* parent = nullptr);

    TTraceOptions Options() const;
    void SetOptions(const TTraceOptions& Options);

    // The settings file's "Trace" section.
    void ReadSettings();
    void WriteSettings() const;

    QSpinBox* ColourTolerance = nullptr;
    QDoubleSpinBox* Smoothness = nullptr;
    QSpinBox* SmallestArea = nullptr;
    QCheckBox* KeepEnclosedOut = nullptr;

signals:
    void OptionsChanged();
};

// What a trace that made nothing tells the user, in the status bar.
QString TraceStatusText(TTraceStatus Status, QSize Picture);

// What the window keeps of the Trace Region tool: the tracer of the document's picture, with the
// area of the last pointer position, and where the pointer is.
struct TTraceState
{
    // Made ready for Picture; a large picture's copy is made on a worker, with a progress dialog
    // over Parent. False when the user cancelled, or while a click's trace runs.
    bool Prepare(QWidget* Parent, const QImage& Picture);
    // A click's trace, on a worker so that a vast area shows a progress dialog and can be
    // cancelled (then Cancelled).
    TTraceResult TraceClick(QWidget* Parent, const QImage& Picture, QPoint Point, const TTraceOptions& Options);

    // Shared with a worker, which keeps it when the user cancels; a new one takes its place.
    std::shared_ptr<TPictureTracer> Tracer = std::make_shared<TPictureTracer>();
    bool Busy = false;
    QPoint Pointer;
    bool PointerOver = false;
    // The options bar's place on the toolbar, and the separator before it.
    QAction* OptionsAction = nullptr;
    QAction* OptionsSeparator = nullptr;
};
