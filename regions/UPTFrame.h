#pragma once

#include "Geometry.h"
#include "PTFrameStyle.h"
#include "RegionStore.h"
#include "TInvertedCanvas.h"
#include "TUserInterfaceControl.h"

#include <QGraphicsView>
#include <QList>
#include <QPointer>
#include <functional>
#include <memory>

class TGUIShape;
class TGUIRegion;
class QElapsedTimer;
struct TRegionTile;
struct TRegionTiles;
class QGraphicsItem;
class QResizeEvent;
class QWheelEvent;

class TPTCustomGroup;
/// Paint callback: the panel and a painter in scene (image pixel) coordinates, clipped to the client area.
using TPTFramePaintEvent = std::function<void(TPTCustomGroup* aSender, QPainter* aCanvas)>;

/// The scene panel: a view over a scene whose coordinates are image pixels (the client area, initially
/// 105 x 105). It paints the picture through OnPaint at the origin, the area around it in the
/// button-shadow colour, centres the picture when smaller than the viewport and scrolls when larger.
/// It owns the shapes in z-order (bottom to top), keeps track of the selected (focused) region, and
/// reports presses, moves and releases that no handle takes as MouseDown/MouseMove/MouseUp.
class TPTCustomGroup : public QGraphicsView, public TRegionStore
{
    Q_OBJECT
public:
    explicit TPTCustomGroup(QWidget* Parent = nullptr);
    ~TPTCustomGroup() override;

    /// The client area is the image: scene rectangle (0, 0, Width, Height).
    void SetClientSize(int Width, int Height);
    int ClientWidth() const { return FClientWidth; }
    int ClientHeight() const { return FClientHeight; }
    /// (0, 0, ClientWidth, ClientHeight): the picture in scene coordinates.
    QRectF ClientRect() const { return QRectF(0, 0, FClientWidth, FClientHeight); }

    /// What the tools reach: the picture, widened where shapes lie beyond it (by their extent plus a
    /// small margin on each such side), so that every shape can be scrolled to, hit and moved. Equal to
    /// ClientRect's pixels while every shape lies on the picture.
    TRect EditableArea() const;
    /// How far from the origin the editable area reaches at most, on every side: what lies beyond
    /// cannot be scrolled to.
    static constexpr int AreaLimit = 1 << 24;

    /// View scale (1 = one image pixel per screen pixel), ZoomMin to ZoomMax. A view setting: nothing
    /// about the scene changes with it.
    double Zoom() const { return FZoom; }
    static constexpr double ZoomMin = 0.1;
    static constexpr double ZoomMax = 32;
    /// Sets the scale, keeping the image point under Anchor (a viewport position) where it is.
    void SetZoomAt(double Factor, const QPoint& Anchor);
    /// Sets the scale about the middle of the viewport.
    void SetZoom(double Factor);
    /// The next larger or smaller of the usual steps (10 %, 25 %, 50 %, 100 %, 200 % ... 3,200 %).
    static double NextZoomStep(double Factor, bool Larger);
    /// The largest scale at which the whole picture shows in the view (within ZoomMin..ZoomMax).
    double FitZoom() const;

    /// The visible grab handle or size frame under a viewport position, topmost first, or null.
    TUserInterfaceControl* ControlAt(const QPoint& ViewportPos) const;
    /// Topmost shape whose ContainsPoint(X, Y) is true, or null. Handles are not shapes.
    TGUIShape* ShapeAt(int X, int Y) const;
    /// Shapes bottom to top.
    const QList<TGUIShape*>& Shapes() const { return FShapes; }
    /// The shapes' hit rectangles (see TGUIShape::HitRect), parallel to Shapes().
    const QVector<TRect>& ShapeHitRects() const { return FHitRects; }
    /// Regions bottom to top.
    QList<TGUIRegion*> Regions() const;
    /// Frees every shape (the document is cleared); reports the loss of the selection first. Ends any
    /// handle drag. Linear in the number of shapes.
    void DestroyRegions();
    /// While a bulk addition is open (they nest), new shapes and their bounds update the editable area
    /// and announce ShapesChanged once, when the last one ends, not for each shape.
    void BeginBulkAdd();
    void EndBulkAdd();
    /// Builds now what the first paint and pointer event after a bulk add would build: the editable
    /// area, the hit grid and the scene's item index, calling Step between the parts. A million
    /// shapes take seconds there, which a caller with a progress dialog up spends better while it
    /// still shows.
    void PrepareLookups(const std::function<void()>& Step);
    /// Lets Qt's item index take in the shapes added since the last call (it keeps them out of its
    /// tree, but still looks at each), which a bulk add of a million shapes does a slice at a time
    /// rather than all at the first paint.
    void IndexNewShapes();
    /// While a change of many shapes at once is open (they nest), such as a move of hundreds of
    /// regions, the view repaints whole once the scene has taken the change in, rather than gathering
    /// every shape's old and new place into one region, which costs more than the shapes themselves.
    /// A change of Shapes below a few dozen keeps repainting only the places touched.
    void BeginManyChanges(qsizetype Shapes);
    void EndManyChanges();
    /// Grows at every change of the shapes: one added, removed, restacked or given new bounds or
    /// vertices. An equal count means the same shapes in the same places; texts change through the
    /// document's steps.
    quint64 ShapesRevision() const { return FShapesRevision; }
    /// Shapes of a cleared document not yet freed: a large document's shapes leave the scene at
    /// once and are freed in slices while the window goes on.
    qsizetype ShapesToFree() const;
    /// Frees them now.
    void FreeClearedShapes();
    /// The shapes step aside with their scene, kept whole, and an empty scene takes their place, as
    /// for a clear (the loss of the selection is reported): work that fills the panel anew can then be
    /// called off at no cost. RestoreHeldShapes frees what was added meanwhile and brings them back as
    /// they were, unselected; ReleaseHeldShapes frees them as a clear would.
    void HoldShapes();
    void RestoreHeldShapes();
    void ReleaseHeldShapes();
    /// How many shapes one slice frees; a document of no more is freed at once (tests make it small).
    static void SetFreeingSlice(int Shapes);
    /// Puts Shape at Index of the z-order (0 is the bottom; clamped), the others keeping their order.
    void PlaceShape(TGUIShape* Shape, int Index);

    /// The selected region (the one holding the focus), or null.
    TGUIRegion* FocusedRegion() const { return FFocused; }
    /// Deselects: the focused region loses the focus (handles hide, loss reported).
    void ClearRegionFocus();

    /// True from a left press on the scene (not on a handle) until the scene gets the left release.
    bool LeftButtonDown() const { return FLeftButtonDown; }
    /// The control whose handle drag is in progress, or null.
    TUserInterfaceControl* DragControl() const { return FDragControl; }
    /// Ends the handle drag in progress without a result: the outline goes, the target keeps its
    /// shape and is selected again; the release still to come does nothing.
    void CancelControlDrag();

    /// Adds an editor item (such as the polygon overlay) above the regions and handles. It keeps its own
    /// mouse handling; a press it accepts never changes the selection. The panel's scene owns it from
    /// then on (deleting it earlier removes it).
    void AddOverlayItem(QGraphicsItem* Item);
    /// The item that holds every grab handle and size frame, and the overlay items above them, over all
    /// regions. Children of one layer come and go cheaply, which matters when a polygon with many
    /// vertices gains and loses the focus; only the selected region has handles on it.
    QGraphicsItem* HandleLayer() const { return FHandleLayer; }
    /// Sets Enabled of every shape.
    void EnableChildren(bool Enabled);
    /// Pointer shape over the scene (crosshair, size-all, arrow: chosen by the editor).
    void SetSceneCursor(Qt::CursorShape Shape);

    /// Scene pixel under a viewport position (floor), and clamped to the client area while the pointer
    /// is confined (ClipCursorToControl).
    TPoint ViewportToClient(const QPoint& ViewportPos) const;
    bool CursorClipped() const { return FCursorClipped; }

    // Panel properties.
    TPTFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TPTFrameStyle Style);
    TPTAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPTAlignment Value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    int FrameSpace() const { return FFrameSpace; }
    void SetFrameSpace(int Value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    /// Face colour (button face by default): fills the client area and colours the regions' hatch.
    QColor Color() const { return FColor; }
    void SetColor(const QColor& Value);
    /// The client inset of the current frame style and caption.
    QMargins ClientInsets() const;

    TPTFramePaintEvent OnPaint;
    /// The pointer's position for a handle drag, as the editor would have it (snapped); none: as it is.
    std::function<TPoint(TUserInterfaceControl* Control, const TPoint& P, Qt::KeyboardModifiers Shift)>
        OnDragPoint;
    /// Short guide lines over everything (scene coordinates), one screen pixel wide; empty hides them.
    void SetGuides(const QVector<QLineF>& Lines);
    const QVector<QLineF>& Guides() const { return FGuides; }
    /// The shapes whose hit rectangles meet R, from the hit grid, bottom to top: the tiles paint them
    /// in this order.
    QList<TGUIShape*> ShapesNear(const TRect& R) const;

    // The regions as a document's store (SceneRegionStore.cpp): positions are those of Shapes().
    int AreaCount() const override;
    MapArea AreaAt(int Position) const override;
    QVector<MapArea> AllAreas() const override;
    QVector<MapArea> AllAreasStepped(const std::function<void(qsizetype, qsizetype)>& Step) const override;
    void InsertArea(int Position, const MapArea& Area) override;
    void AppendAreas(const QVector<MapArea>& Areas, const std::function<void(qsizetype)>& Step = {}) override;
    void RemoveArea(int Position) override;
    void ClearAreas() override;
    void ReplaceArea(int Position, const MapArea& Area) override;
    void MoveArea(int From, int To) override;
    int SelectedArea() const override;
    void SelectArea(int Position) override;
    quint64 AreasRevision() const override { return FShapesRevision; }
    void ObserveSelection(std::function<void()> Observer) override;

    /// Whether the view paints the regions from tiles painted once at its scale (the default) or every
    /// region anew at each repaint. Either way they look the same.
    void SetRegionCache(bool On);
    bool RegionCache() const;
    /// Paints the regions that may show in Rect (scene coordinates), bottom to top, with Painter's
    /// transform: how the scene's own rendering shows them.
    void PaintRegions(QPainter* Painter, const QRectF& Rect) const;
    /// True while tiles of the visible area are still to be painted from the event loop.
    bool RegionTilesPending() const;

    /// The inverting overlay: toggles Shape (draw once shows it, again erases it).
    void ToggleInvertedShape(const TInvertedShape& Shape);
    const QList<TInvertedShape>& InvertedShapes() const { return FInverted; }

signals:
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    /// The second press of a double click, reported after its MouseDown.
    void MouseDoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    /// A region became the selected one; Index and Count as its GetZPosition.
    void RegionFocused(TGUIRegion* Region, int Index, int Count);
    /// The selected region lost the focus (deselected, deleted, or another region selected).
    void RegionFocusLost(TGUIRegion* Region);
    /// A handle drag on Shape begins; its bounds and vertices are still those before the drag.
    void ShapeDragStarted(TGUIShape* Shape);
    /// A handle drag on Shape has ended at the release and given Shape its new bounds or vertices.
    void ShapeDragFinished(TGUIShape* Shape);
    /// The scale changed (SetZoom, SetZoomAt, Ctrl+wheel).
    void ZoomChanged(double Zoom);
    /// EditableArea changed (a shape reached beyond the picture or came back, the picture's size).
    void EditableAreaChanged();
    /// Shapes were added, removed or restacked; posted once for a run of such changes.
    void ShapesChanged();
    /// A press on the area around the picture, where there is nothing to edit.
    void PressedAroundPicture(Qt::MouseButton Button);
    /// The pointer went off the picture: around it, or out of the view.
    void PointerOffPicture();

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void drawBackground(QPainter* Painter, const QRectF& Rect) override;
    void drawForeground(QPainter* Painter, const QRectF& Rect) override;
    bool viewportEvent(QEvent* Event) override;
    bool event(QEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;

private:
    friend class TGUIShape;
    friend class TGUIRegion;
    friend class TUserInterfaceControl;
    friend void ClipCursorToControl(TPTCustomGroup* Control);
    void AddShape(TGUIShape* Shape);
    void RemoveShape(TGUIShape* Shape);
    void MoveShape(TGUIShape* Shape, bool ToFront);
    void ShapeBoundsChanged(TGUIShape* Shape);
    void RenumberShapes();
    void RegionFocusIn(TGUIRegion* Region);
    void RegionFocusOut(TGUIRegion* Region);
    void BeginControlDrag(TUserInterfaceControl* Control);
    void EndControlDrag();
    void ApplyFrame();
    bool InEditableArea(const TPoint& P) const;
    // A press no item took, reported to the editor when it lies in the editable area.
    bool ReportPress(QMouseEvent* Event);
    // Scene placement (SceneZoom.cpp): the scene rectangle covers the editable area and, where that is
    // smaller than the viewport, the rest of the viewport, so that the area sits where
    // CentreInScrollBoxPos puts it rather than where Qt's own centring would.
    void UpdateSceneRect();
    void AreaMayHaveChanged();
    void PostShapesChanged();
    void DrawPixelGrid(QPainter* Painter, const QRectF& Rect) const;
    // Tiles of painted regions (SceneTiles.cpp). Every change of the shapes tells them where it was
    // before and after; a change not told of (its revision skipped) drops them all.
    void RegionsChanged(const TRect& Before, const TRect& After = TRect{});
    void RegionTilesUnder(const TRect& R);
    void DropRegionTiles();
    double TileScale() const;
    void SyncRegionTiles();
    bool PaintTile(qint64 X, qint64 Y, TRegionTile& Tile, const QElapsedTimer& Timer, qint64 BudgetMs, int& Painted);
    void DrawRegionTiles(QPainter* Painter, const QRectF& Rect);
    void PostTileSlice();
    void PaintTileSlice();
    std::unique_ptr<TRegionTiles> FTiles;
    // A new scene for the view, active, with the handle layer on it.
    void MakeScene();
    // Clearing (SceneClearing.cpp): the scene of a large cleared document is put aside with its
    // shapes, which are freed a slice at a time.
    // The shapes leave the panel's lists, their scene still holding them; the loss of the selection
    // is reported first.
    QList<TGUIShape*> TakeShapes();
    bool PutShapesAside(QList<TGUIShape*>& Shapes);
    void FreeInSlices(QGraphicsScene* Scene, QList<TGUIShape*> Shapes);
    void FreeSlice();

    QGraphicsScene* FScene;
    QGraphicsItem* FHandleLayer;
    int FClientWidth = 105;
    int FClientHeight = 105;
    QList<TGUIShape*> FShapes;
    QVector<TRect> FHitRects; // parallel to FShapes, for a cache-friendly ShapeAt
    // A uniform grid over the hit rectangles, rebuilt lazily after any change: cell C lists the indices
    // (ascending z) of the shapes whose hit rectangle touches it, in FGridItems[FGridStart[C]..[C + 1]).
    void RebuildGrid() const;
    mutable bool FGridValid = false;
    mutable TRect FGridArea;
    mutable int FGridCell = 32;
    mutable int FGridColumns = 0;
    mutable int FGridRows = 0;
    mutable QVector<int> FGridStart;
    mutable QVector<int> FGridItems;
    int FOtherShapes = 0; // shapes that are not regions
    quint64 FShapesRevision = 0;
    double FNextTopZ = 0;
    double FNextBottomZ = -1;
    TGUIRegion* FFocused = nullptr;
    bool FLeftButtonDown = false;
    Qt::MouseButtons FButtonsPressedInside;
    bool FCursorClipped = false;
    QPointer<TUserInterfaceControl> FDragControl;
    QList<TInvertedShape> FInverted;
    QVector<QLineF> FGuides;
    TPTFrameStyle FFrameStyle = ptfsGroup;
    TPTAlignment FAlignment = taCenter;
    bool FDefaultDrawing = true;
    int FFrameSpace = 2;
    QString FCaption;
    QColor FColor;
    double FZoom = 1;
    mutable bool FAreaValid = false;
    mutable TRect FArea;
    TRect FSceneArea; // the editable area the scene rectangle was last made for
    bool FSceneRectPosted = false;
    bool FShapesChangedPosted = false;
    int FBulkAdds = 0;
    // Open BeginManyChanges that asked for whole repaints, and the update mode to go back to.
    int FManyChanges = 0;
    bool FWholeRepaints = false;
    ViewportUpdateMode FUpdateModeBefore = MinimalViewportUpdate;
    // Cleared documents' scenes and shapes, freed oldest first; FClearedNext counts the first one's
    // shapes already freed.
    struct TCleared
    {
        QGraphicsScene* Scene;
        QList<TGUIShape*> Shapes;
    };
    QList<TCleared> FCleared;
    qsizetype FClearedNext = 0;
    bool FSlicePosted = false;
    // Held shapes (HoldShapes) and what the panel knew of them.
    QGraphicsScene* FHeldScene = nullptr;
    QList<TGUIShape*> FHeld;
    QVector<TRect> FHeldHitRects;
    int FHeldOtherShapes = 0;
    // Told of every change of the selection (ObserveSelection).
    std::function<void()> FSelectionObserver;
    bool FSelectionObserved = false;
};

/// The published panel.
class TPTGroup : public TPTCustomGroup
{
    Q_OBJECT
public:
    using TPTCustomGroup::TPTCustomGroup;
};

/// Confines pointer positions to the panel's client area (0..Width-1, 0..Height-1) for the scene's mouse
/// reports and drags; null releases any confinement.
void ClipCursorToControl(TPTCustomGroup* Control);
/// Keeps the picture centred in the viewport when smaller and at the origin when larger (see
/// CentreInScrollBoxPos); returns where the client origin now lies in the viewport.
TPoint CentreInScrollBox(TPTCustomGroup* Group);
/// Asks the item's scene to repaint the place where the visible Item is now; called just before Item
/// moves or changes size. Qt repaints a moved item's old place from the rectangle it last painted the
/// item in, and a paint that comes between the change and the scene's processing of it (an outline
/// erased at the new place brings one) records the new place there, leaving the old picture on screen.
void RepaintOldPlace(QGraphicsItem* Item);
/// Draws R as a dotted inverted rectangle (stRectangle) or inscribed ellipse (stEllipse) on the panel;
/// other kinds draw nothing. Drawing the same outline again erases it.
void DrawInvertedShape(TPTCustomGroup* Group, const TRect& R, int Kind);
