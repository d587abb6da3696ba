#include "UPTFrame.h"

#include "RegionTiles.h"
#include "TGUIRegion.h"
#include "TGUIShape.h"
#include "TUserInterfaceControl.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace {

constexpr double HandleLayerZ = 1e12; // above the regions, whose z values count up and down from 0
constexpr double OverlayZ = 2e12;     // above the handles

// An item that only holds others: it draws nothing and takes nothing itself.
class TContainerItem : public QGraphicsItem
{
public:
    explicit TContainerItem(QGraphicsItem* Parent = nullptr) : QGraphicsItem(Parent)
    {
        setFlag(ItemHasNoContents);
        setAcceptedMouseButtons(Qt::NoButton);
    }
    QRectF boundingRect() const override { return QRectF(); }
    void paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) override {}
};

// Holds the handles.
class THandleLayer : public TContainerItem
{
public:
    THandleLayer() { setZValue(HandleLayerZ); }
};

class TShapeLayer;

// The scene hands a press only to a visible item that takes that button (a grab handle, the editor's
// overlay); anything else is left to the view, which reports it to the editor. Qt's own handling would
// also move the focus, i.e. the selection, which is the editor's decision.
class TSceneGraphics : public QGraphicsScene
{
public:
    using QGraphicsScene::QGraphicsScene;
    // Its items go while it is still this class: the shape layer forgets itself here.
    ~TSceneGraphics() override { clear(); }

    QGraphicsItem* ShapeLayer();
    TShapeLayer* Layer = nullptr;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* Event) override
    {
        if (Forward(Event))
            QGraphicsScene::mousePressEvent(Event);
        else
            Event->ignore();
    }
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* Event) override
    {
        if (Forward(Event))
            QGraphicsScene::mouseDoubleClickEvent(Event);
        else
            Event->ignore();
    }
    // Only the scene's own rendering comes here: the view paints its own background and the regions.
    void drawBackground(QPainter* Painter, const QRectF& Rect) override
    {
        QGraphicsScene::drawBackground(Painter, Rect);
        if (auto* Group = qobject_cast<TPTCustomGroup*>(parent()); Group && Group->scene() == this)
            Group->PaintRegions(Painter, Rect);
    }

private:
    // Grab handles keep their size on screen: finding them needs the view's transform.
    static QTransform ViewTransform(const QGraphicsSceneMouseEvent* Event)
    {
        const auto* View =
            Event->widget() ? qobject_cast<const QGraphicsView*>(Event->widget()->parentWidget()) : nullptr;
        return View ? View->viewportTransform() : QTransform();
    }
    bool Forward(QGraphicsSceneMouseEvent* Event) const
    {
        if (mouseGrabberItem())
            return true;
        const QList<QGraphicsItem*> Under =
            items(Event->scenePos(), Qt::IntersectsItemShape, Qt::DescendingOrder, ViewTransform(Event));
        for (QGraphicsItem* Item : Under)
            if (Item->isVisible() && Item->isEnabled() && (Item->acceptedMouseButtons() & Event->button()))
                return true;
        return false;
    }
};

// Holds the shapes. The panel paints them and finds them through its own grid, so Qt need not: the
// layer is fully transparent and contains its children, which leaves them out of the scene's item
// index, its painting walk and its tracking of changed items. A repaint then no longer visits each
// of tens of thousands of regions on screen, and focus (the selection) works as before.
// The shapes sit one level further down, in a holder of its own: to tell whether a transparent item
// hides its children, Qt looks at each of them, which with the shapes directly below would cost a
// pass over all of them at every look for the items under the pointer.
class TShapeLayer : public TContainerItem
{
public:
    explicit TShapeLayer(TSceneGraphics* Scene) : FScene(Scene), FHolder(new TContainerItem(this))
    {
        setFlag(ItemContainsChildrenInShape);
        setOpacity(0);
        FHolder->setFlag(ItemContainsChildrenInShape);
    }
    ~TShapeLayer() override { FScene->Layer = nullptr; }
    QGraphicsItem* Holder() const { return FHolder; }

private:
    TSceneGraphics* FScene;
    TContainerItem* FHolder;
};

QGraphicsItem* TSceneGraphics::ShapeLayer()
{
    if (!Layer) {
        Layer = new TShapeLayer(this);
        addItem(Layer);
    }
    return Layer->Holder();
}

QPointer<TPTCustomGroup>& ClippedGroup()
{
    static QPointer<TPTCustomGroup> Group;
    return Group;
}

QRectF InvertedShapeArea(const TInvertedShape& S)
{
    const TRect R = S.ShapeKind == TInvertedShape::Rectangle || S.ShapeKind == TInvertedShape::Ellipse
                        ? NormalizeRect(S.R)
                        : PointsBounds(S.Points);
    return QRectF(ToQRect(R)).adjusted(-2, -2, 3, 3);
}

} // namespace

TPTCustomGroup::TPTCustomGroup(QWidget* Parent) : QGraphicsView(Parent), FTiles(std::make_unique<TRegionTiles>())
{
    FHandleLayer = new THandleLayer;
    MakeScene();
    FColor = palette().color(QPalette::Button);
    setFrameShape(QFrame::NoFrame);
    // Placement is the panel's own (UpdateSceneRect); Qt's alignment only anchors the scene rectangle.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHint(QPainter::Antialiasing, false);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    // Inverted outlines need the raster viewport and a full repaint of what they cover.
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setCacheMode(QGraphicsView::CacheNone);
    resize(64, 48);
    SetClientSize(FClientWidth, FClientHeight);
    ApplyFrame();
}

void TPTCustomGroup::MakeScene()
{
    FScene = new TSceneGraphics(this);
    // Qt's own choice grows with the item count: 20 levels at a million regions, whose leaves are a
    // few pixels wide, so that each region went into a thousand of them and the first paint of a
    // restored map took over a minute. A fixed depth keeps leaves about the size of a region.
    FScene->setBspTreeDepth(10);
    setScene(FScene);
    FScene->addItem(FHandleLayer);
    // The scene is active for good (see viewportEvent); being empty, it has no item to tell.
    QEvent Activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(FScene, &Activate);
}

TPTCustomGroup::~TPTCustomGroup()
{
    ReleaseHeldShapes();
    FreeClearedShapes();
    EndControlDrag();
    if (ClippedGroup() == this)
        ClipCursorToControl(nullptr);
    DestroyRegions();
}

void TPTCustomGroup::SetClientSize(int Width, int Height)
{
    FClientWidth = std::max(Width, 0);
    FClientHeight = std::max(Height, 0);
    FAreaValid = false;
    UpdateSceneRect();
    viewport()->update();
}

QList<TGUIRegion*> TPTCustomGroup::Regions() const
{
    QList<TGUIRegion*> Result;
    Result.reserve(FShapes.size());
    for (TGUIShape* Shape : FShapes)
        if (auto* Region = qobject_cast<TGUIRegion*>(Shape))
            Result.append(Region);
    return Result;
}

void TPTCustomGroup::ClearRegionFocus()
{
    if (FScene->focusItem())
        FScene->setFocusItem(nullptr, Qt::OtherFocusReason);
    if (FFocused)
        RegionFocusOut(FFocused);
}

void TPTCustomGroup::AddOverlayItem(QGraphicsItem* Item)
{
    if (!Item)
        return;
    Item->setFlag(QGraphicsItem::ItemStopsFocusHandling);
    Item->setZValue(OverlayZ);
    // On the handle layer, above every handle and above the shape layer.
    Item->setParentItem(FHandleLayer);
}

void TPTCustomGroup::EnableChildren(bool Enabled)
{
    for (TGUIShape* Shape : FShapes)
        Shape->setEnabled(Enabled);
}

void TPTCustomGroup::SetSceneCursor(Qt::CursorShape Shape)
{
    viewport()->setCursor(Shape);
}

TPoint TPTCustomGroup::ViewportToClient(const QPoint& ViewportPos) const
{
    const QPointF S = mapToScene(ViewportPos);
    TPoint P{int(std::floor(S.x() + 1e-6)), int(std::floor(S.y() + 1e-6))};
    if (FCursorClipped) {
        TRect A = EditableArea();
        // A handle drag is confined to where its press could reach too (a handle may stand just
        // outside the area), so that the drag changes the bounds by exactly the pointer's travel.
        if (FDragControl && FDragControl->OnPointerArea) {
            A = FDragControl->OnPointerArea(A);
        } else if (FDragControl) {
            const TPoint S = FDragControl->StartPos;
            A = TRect{std::min(A.Left, S.X), std::min(A.Top, S.Y), std::max(A.Right, S.X + 1),
                      std::max(A.Bottom, S.Y + 1)};
        }
        P.X = std::clamp(P.X, A.Left, std::max(A.Right - 1, A.Left));
        P.Y = std::clamp(P.Y, A.Top, std::max(A.Bottom - 1, A.Top));
    }
    return P;
}

bool TPTCustomGroup::InEditableArea(const TPoint& P) const
{
    return PointInRect(EditableArea(), P);
}

void TPTCustomGroup::SetFrameStyle(TPTFrameStyle Style)
{
    if (Style == FFrameStyle)
        return;
    FFrameStyle = Style;
    ApplyFrame();
}

void TPTCustomGroup::SetAlignment(TPTAlignment Value)
{
    FAlignment = Value;
    viewport()->update();
}

void TPTCustomGroup::SetDefaultDrawing(bool Value)
{
    FDefaultDrawing = Value;
    viewport()->update();
}

void TPTCustomGroup::SetFrameSpace(int Value)
{
    FFrameSpace = Value;
    viewport()->update();
}

void TPTCustomGroup::SetCaption(const QString& Value)
{
    FCaption = Value;
    ApplyFrame();
}

void TPTCustomGroup::SetColor(const QColor& Value)
{
    FColor = Value;
    DropRegionTiles();
    viewport()->update();
}

QMargins TPTCustomGroup::ClientInsets() const
{
    return FrameClientInsets(FFrameStyle, !FCaption.isEmpty(),
                             fontMetrics().boundingRect(QStringLiteral("0")).height());
}

void TPTCustomGroup::ApplyFrame()
{
    setViewportMargins(ClientInsets());
    update();
    viewport()->update();
}

void TPTCustomGroup::ToggleInvertedShape(const TInvertedShape& Shape)
{
    const int Index = FInverted.indexOf(Shape);
    if (Index >= 0)
        FInverted.removeAt(Index);
    else
        FInverted.append(Shape);
    const QRectF Area = InvertedShapeArea(Shape);
    // A rectangle's outline is repainted along its four sides only: what lies inside it (a rubber band
    // across thousands of regions) need not be drawn again.
    constexpr double Side = 5;
    if (Shape.ShapeKind == TInvertedShape::Rectangle && Area.width() > 4 * Side && Area.height() > 4 * Side) {
        FScene->update(QRectF(Area.left(), Area.top(), Area.width(), Side));
        FScene->update(QRectF(Area.left(), Area.bottom() - Side, Area.width(), Side));
        FScene->update(QRectF(Area.left(), Area.top(), Side, Area.height()));
        FScene->update(QRectF(Area.right() - Side, Area.top(), Side, Area.height()));
        return;
    }
    FScene->update(Area);
}

void TPTCustomGroup::AddShape(TGUIShape* Shape)
{
    FGridValid = false;
    // In a bulk addition the scene is to be redrawn whole: marked so, it skips recording each new
    // item as dirty, and its next round of events does not walk every item it holds.
    if (FBulkAdds > 0)
        FScene->update();
    ++FShapesRevision;
    RegionsChanged(Shape->HitRect());
    Shape->setParentItem(static_cast<TSceneGraphics*>(FScene)->ShapeLayer());
    Shape->setZValue(FNextTopZ);
    FNextTopZ += 1;
    Shape->FZIndex = FShapes.size();
    // Every shape counts as another shape until the region constructor says otherwise.
    ++FOtherShapes;
    FShapes.append(Shape);
    FHitRects.append(Shape->HitRect());
    AreaMayHaveChanged();
    PostShapesChanged();
}

void TPTCustomGroup::RemoveShape(TGUIShape* Shape)
{
    if (FFocused == Shape)
        FFocused = nullptr;
    const int Index = Shape->FZIndex;
    if (Index < 0 || Index >= FShapes.size() || FShapes[Index] != Shape)
        return;
    if (!Shape->FIsRegion)
        --FOtherShapes;
    const TRect Before = FHitRects[Index];
    FShapes.removeAt(Index);
    FHitRects.removeAt(Index);
    FGridValid = false;
    ++FShapesRevision;
    RegionsChanged(Before);
    Shape->FZIndex = -1;
    for (int I = Index; I < FShapes.size(); ++I)
        FShapes[I]->FZIndex = I;
    AreaMayHaveChanged();
    PostShapesChanged();
}

void TPTCustomGroup::MoveShape(TGUIShape* Shape, bool ToFront)
{
    const int Index = Shape->FZIndex;
    if (Index < 0 || Index >= FShapes.size() || FShapes[Index] != Shape)
        return;
    FShapes.removeAt(Index);
    FHitRects.removeAt(Index);
    if (ToFront) {
        FShapes.append(Shape);
        FHitRects.append(Shape->HitRect());
        Shape->setZValue(FNextTopZ);
        FNextTopZ += 1;
    } else {
        FShapes.prepend(Shape);
        FHitRects.prepend(Shape->HitRect());
        Shape->setZValue(FNextBottomZ);
        FNextBottomZ -= 1;
    }
    RenumberShapes();
    ++FShapesRevision;
    RegionsChanged(Shape->HitRect());
    PostShapesChanged();
}

void TPTCustomGroup::PlaceShape(TGUIShape* Shape, int NewIndex)
{
    const int Index = Shape ? Shape->FZIndex : -1;
    if (Index < 0 || Index >= FShapes.size() || FShapes[Index] != Shape)
        return;
    NewIndex = std::clamp(NewIndex, 0, int(FShapes.size()) - 1);
    if (NewIndex == Index)
        return;
    if (NewIndex == FShapes.size() - 1 || NewIndex == 0) {
        MoveShape(Shape, NewIndex != 0);
        return;
    }
    FShapes.move(Index, NewIndex);
    FHitRects.move(Index, NewIndex);
    // Between its new neighbours; when the two are too close for a value between them, every shape
    // gets a new whole-number z value.
    const double Below = FShapes[NewIndex - 1]->zValue();
    const double Above = FShapes[NewIndex + 1]->zValue();
    const double Z = Below + (Above - Below) / 2;
    if (Z > Below && Z < Above) {
        Shape->setZValue(Z);
    } else {
        for (int I = 0; I < FShapes.size(); ++I)
            FShapes[I]->setZValue(I);
        FNextTopZ = FShapes.size();
        FNextBottomZ = -1;
    }
    FGridValid = false;
    ++FShapesRevision;
    RegionsChanged(Shape->HitRect());
    for (int I = std::min(Index, NewIndex); I <= std::max(Index, NewIndex); ++I)
        FShapes[I]->FZIndex = I;
    PostShapesChanged();
}

void TPTCustomGroup::RenumberShapes()
{
    FGridValid = false;
    for (int I = 0; I < FShapes.size(); ++I)
        FShapes[I]->FZIndex = I;
}

void TPTCustomGroup::ShapeBoundsChanged(TGUIShape* Shape)
{
    const int Index = Shape->FZIndex;
    if (Index >= 0 && Index < FShapes.size() && FShapes[Index] == Shape) {
        const TRect Before = FHitRects[Index];
        FHitRects[Index] = Shape->HitRect();
        FGridValid = false;
        ++FShapesRevision;
        RegionsChanged(Before, FHitRects[Index]);
        AreaMayHaveChanged();
    }
}

void TPTCustomGroup::RegionFocusIn(TGUIRegion* Region)
{
    if (FFocused == Region || !Region)
        return;
    if (FFocused)
        RegionFocusOut(FFocused);
    FFocused = Region;
    Region->Enter();
    int Index = 0, Count = 0;
    Region->GetZPosition(Index, Count);
    emit RegionFocused(Region, Index, Count);
}

void TPTCustomGroup::RegionFocusOut(TGUIRegion* Region)
{
    if (FFocused != Region || !Region)
        return;
    FFocused = nullptr;
    Region->Exit();
    emit RegionFocusLost(Region);
}

bool TPTCustomGroup::viewportEvent(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        // The view passes these on to the scene as its activation, and the scene then sends an event to
        // every item, sorted: at tens of thousands of regions every tab change or dialog would stall.
        // No item here reacts to activation; the window's focus still reaches the scene through the
        // view's focus events, which is what keeps or restores the selection.
        return false;
    case QEvent::Leave:
        emit PointerOffPicture();
        return QGraphicsView::viewportEvent(Event);
    default:
        return QGraphicsView::viewportEvent(Event);
    }
}

bool TPTCustomGroup::event(QEvent* Event)
{
    const bool Result = QGraphicsView::event(Event);
    if (Event->type() == QEvent::Paint && FFrameStyle != ptfsNone) {
        QPainter Painter(this);
        PaintFrame(Painter, rect(), FFrameStyle, palette(), FColor, FCaption, font(), isEnabled());
    }
    return Result;
}

void TPTCustomGroup::changeEvent(QEvent* Event)
{
    QGraphicsView::changeEvent(Event);
    switch (Event->type()) {
    case QEvent::EnabledChange:
        EnableChildren(isEnabled());
        update();
        break;
    case QEvent::FontChange:
        ApplyFrame();
        break;
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
}

void ClipCursorToControl(TPTCustomGroup* Control)
{
    QPointer<TPTCustomGroup>& Current = ClippedGroup();
    if (Current)
        Current->FCursorClipped = false;
    Current = Control;
    if (Control)
        Control->FCursorClipped = true;
}

TPoint CentreInScrollBox(TPTCustomGroup* Group)
{
    if (!Group)
        return TPoint{};
    Group->SetClientSize(Group->ClientWidth(), Group->ClientHeight());
    const QPoint Origin = Group->mapFromScene(QPointF(0, 0));
    return TPoint{Origin.x(), Origin.y()};
}

void RepaintOldPlace(QGraphicsItem* Item)
{
    if (Item && Item->scene() && Item->isVisible())
        Item->scene()->update(Item->sceneBoundingRect());
}

void DrawInvertedShape(TPTCustomGroup* Group, const TRect& R, int Kind)
{
    TInvertedCanvas Canvas(Group);
    if (Kind == stRectangle)
        Canvas.Rectangle(R);
    else if (Kind == stEllipse)
        Canvas.Ellipse(R);
}
