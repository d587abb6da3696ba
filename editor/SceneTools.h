#pragma once

#include "Geometry.h"

#include <QObject>
#include <QPointer>
#include <QVector>
#include <memory>

class QEvent;
class QKeyEvent;
class QPainter;
class TGUIRegion;
class TMapDocument;
class TPolyOverlay;
class TPTGroup;
class TSceneSnap;
class TUIPolygon;
class TUserInterfaceControl;

// The scene's editing tools: the selection tool's drags (one region, several, the rubber band),
// drawing rectangles, circles and polygons, corners put on a polygon's outline, the keys that move
// and walk through the regions, and snapping. It sees the document, the scene panel and the polygon
// tool's overlay; what the window shows in answer (the pointer's position, a hint, the properties,
// the selection tool coming back) it asks for through its signals.
class TSceneTools : public QObject
{
    Q_OBJECT

public:
    enum class TTool
    {
        Select,
        Rectangle,
        Circle,
        Polygon,
        // A tool of the window's own (tracing), which takes the scene's presses itself.
        Other
    };

    TSceneTools(TMapDocument& Document, TPTGroup& Scene, TPolyOverlay& Corners, QObject* Parent = nullptr);
    ~TSceneTools() override;

    // The tool the user has chosen.
    void SetTool(TTool Tool) { FTool = Tool; }
    TTool Tool() const { return FTool; }
    // A tool is chosen anew: any drag ends, the polygon's corners go and its overlay hides.
    void Reset();
    // Ends any drag on the scene without a result: outline, cursor, confinement.
    void CancelDrag();

    // The scene's mouse handling; X and Y are scene (image pixel) coordinates.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    // A double click on a region with the selection tool opens its properties at the release; on the
    // selected polygon's outline it puts a corner there instead.
    void DoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    // No context menu while the left button is down on the scene.
    bool ContextMenuSuppressed() const { return FContextMenuSuppressed; }

    // The polygon tool's overlay: its presses place corners; a double click places its corner (once)
    // and finishes a polygon of three corners or more.
    void CornerMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void CornerMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void CornerDoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    // The corners placed so far, shown on the overlay with the hint how to finish.
    const QVector<TPoint>& Corners() const { return FPolyPoints; }
    void ShowCorners();

    // The scene's keys (the Edit tab's); true when the key was used.
    bool KeyPress(QKeyEvent* Event);
    void KeyRelease(QKeyEvent* Event);
    // Anything but the arrows themselves ends a run of key moves.
    void KeyInterrupt(QEvent* Event);

    // Polygon corners. The selected polygon when (X, Y) lies on its outline, else null; Edge and
    // OnEdge as TUIPolygon::EdgeAt.
    TUIPolygon* SelectedPolygonEdgeAt(int X, int Y, int* Edge = nullptr, TPoint* OnEdge = nullptr) const;
    // A corner on the selected polygon's outline at (X, Y), one step; false when there is none to add.
    bool InsertPolygonPoint(int X, int Y);

    // Snapping of the drags. Alt held during a drag leaves it unsnapped.
    TSceneSnap& Snap() const { return *FSnap; }
    void PaintSnapGrid(QPainter* Canvas) const;

signals:
    // The pointer over the scene, for the status bar.
    void PointerMoved(int X, int Y);
    // How to go on with the polygon being drawn; empty when none is.
    void HintChanged(const QString& Text);
    // A region was drawn: the selection tool comes back.
    void SelectionToolWanted();
    // The selected region's properties: Enter, or the release of a double click.
    void PropertiesWanted();

private:
    enum class TDrag
    {
        None,
        Moving,
        Rectangle,
        Circle,
        // Several selected regions moved together, and the selection tool's rubber band.
        MovingMany,
        Band
    };

    TGUIRegion* Selected() const;
    // The one rubber band on the scene; showing a new one erases the old.
    void ShowOutline(const TRect& R, int Kind);
    void HideOutline();
    void SetOverrideDragCursor(bool On);
    TRect MovingOutline() const;
    TRect CircleSquare() const;
    // The corners become a polygon region (three corners or more spanning both directions), and the
    // selection tool comes back.
    void FinishPolygon();
    TPoint SnapDragPoint(const TPoint& P, Qt::KeyboardModifiers Shift,
                         const QObject* Exclude = nullptr) const;
    TPoint SnapHandlePoint(TUserInterfaceControl* Control, const TPoint& P,
                           Qt::KeyboardModifiers Shift) const;
    // The release of a double click: the properties once the mouse handling is over.
    void PropertiesAfterRelease();

    // Keys (SceneToolsKeys.cpp). Arrow keys: the region moves at once; a burst of repeats is one change.
    void MoveRegionByKey(TGUIRegion* Region, int DX, int DY);
    void FinishKeyMove();
    // Tab and Shift+Tab: the next region up the stacking order, or the previous one, wrapping.
    void SelectNeighbourRegion(bool Previous);
    void CancelDragByKey();

    // Several regions at once (SceneToolsSelection.cpp). A press of the selection tool that adds or
    // takes away a region (Shift or Ctrl), starts a rubber band or moves the selection: true when taken.
    bool SelectionMouseDown(Qt::KeyboardModifiers Shift, int X, int Y, TGUIRegion* Region);
    void SelectionMouseMove(int X, int Y);
    void SelectionMouseUp(TDrag Drag);
    // Stacking positions of the regions the rectangle touches, ascending.
    QVector<int> RegionsTouching(const TRect& R) const;
    void MoveSelectionByKey(int DX, int DY);

    TMapDocument& FDocument;
    TPTGroup& FScene;
    TPolyOverlay& FCorners;
    std::unique_ptr<TSceneSnap> FSnap;
    TTool FTool = TTool::Select;

    TDrag FDrag = TDrag::None;
    QPointer<TGUIRegion> FMovingRegion;
    TPoint FDragStart;
    TPoint FDragCurrent;
    Qt::KeyboardModifiers FDragModifiers;
    QVector<TPoint> FPolyPoints;
    bool FPropertiesAtRelease = false;
    bool FContextMenuSuppressed = false;
    // Key moves of one burst (until the key comes up or anything else happens) are one step.
    quint64 FKeyBurst = 0;
    bool FOutlineShown = false;
    TRect FOutlineRect;
    int FOutlineKind = 0;
    bool FDragCursorSet = false;
    // The moved regions' joint bounds when the drag began.
    TRect FMovingBounds;
    // The selection a rubber band adds to, and what it selects as it is now.
    QVector<int> FBandBase;
    QVector<int> FBandShown;
};
