#include "UPTFrame.h"

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

// Holds the handles; draws nothing and takes nothing itself.
class THandleLayer : public QGraphicsItem
{
public:
    THandleLayer()
    {
        setFlag(ItemHasNoContents);
        setAcceptedMouseButtons(Qt::NoButton);
        setZValue(HandleLayerZ);
    }
    QRectF boundingRect() const override { return QRectF(); }
    void paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) override {}
};

// The scene hands a press only to a visible item that takes that button (a grab handle, the editor's
// overlay); anything else is left to the view, which reports it to the editor. Qt's own handling would
// also move the focus, i.e. the selection, which is the editor's decision.
class TSceneGraphics : public QGraphicsScene
{
public:
    using QGraphicsScene::QGraphicsScene;

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

private:
    bool Forward(QGraphicsSceneMouseEvent* Event) const
    {
        if (mouseGrabberItem())
            return true;
        const QList<QGraphicsItem*> Under =
            items(Event->scenePos(), Qt::IntersectsItemShape, Qt::DescendingOrder, QTransform());
        for (QGraphicsItem* Item : Under)
            if (Item->isVisible() && Item->isEnabled() && (Item->acceptedMouseButtons() & Event->button()))
                return true;
        return false;
    }
};

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

TPTCustomGroup::TPTCustomGroup(QWidget* Parent) : QGraphicsView(Parent)
{
    FScene = new TSceneGraphics(this);
    setScene(FScene);
    FHandleLayer = new THandleLayer;
    FScene->addItem(FHandleLayer);
    // The scene is active for good (see viewportEvent); being empty, it has no item to tell.
    QEvent Activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(FScene, &Activate);
    FColor = palette().color(QPalette::Button);
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignCenter);
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

TPTCustomGroup::~TPTCustomGroup()
{
    EndControlDrag();
    if (ClippedGroup() == this)
        ClipCursorToControl(nullptr);
    DestroyRegions();
}

void TPTCustomGroup::SetClientSize(int Width, int Height)
{
    FClientWidth = std::max(Width, 0);
    FClientHeight = std::max(Height, 0);
    FScene->setSceneRect(0, 0, FClientWidth, FClientHeight);
    viewport()->update();
}

TGUIShape* TPTCustomGroup::ShapeAt(int X, int Y) const
{
    const TPoint P{X, Y};
    if (!FGridValid)
        RebuildGrid();
    if (!PointInRect(FGridArea, P))
        return nullptr;
    const int Cell = int((qint64(Y) - FGridArea.Top) / FGridCell) * FGridColumns +
                     int((qint64(X) - FGridArea.Left) / FGridCell);
    // From the top of the z-order down.
    for (int K = FGridStart[Cell + 1] - 1; K >= FGridStart[Cell]; --K) {
        const int I = FGridItems[K];
        if (PointInRect(FHitRects[I], P) && FShapes[I]->ContainsPoint(P))
            return FShapes[I];
    }
    return nullptr;
}

void TPTCustomGroup::RebuildGrid() const
{
    FGridValid = true;
    FGridArea = TRect{};
    bool Any = false;
    for (const TRect& R : FHitRects) {
        if (R.Right <= R.Left || R.Bottom <= R.Top)
            continue;
        FGridArea = Any ? TRect{std::min(FGridArea.Left, R.Left), std::min(FGridArea.Top, R.Top),
                                std::max(FGridArea.Right, R.Right), std::max(FGridArea.Bottom, R.Bottom)}
                        : R;
        Any = true;
    }
    // Cells of about 32 pixels, coarser when the shapes spread far, so the grid stays near 4 cells per
    // shape at most.
    // Extents in 64 bits: shapes at both ends of the int range span more than an int holds.
    const qint64 SpanX = qint64(FGridArea.Right) - FGridArea.Left;
    const qint64 SpanY = qint64(FGridArea.Bottom) - FGridArea.Top;
    const double Area = double(SpanX) * double(SpanY);
    const double MaxCells = 4.0 * FShapes.size() + 1024;
    FGridCell = int(std::clamp(std::ceil(std::sqrt(Area / MaxCells)), 32.0, 1e9));
    FGridColumns = Any ? int((SpanX + FGridCell - 1) / FGridCell) : 0;
    FGridRows = Any ? int((SpanY + FGridCell - 1) / FGridCell) : 0;
    const int Cells = FGridColumns * FGridRows;
    FGridStart.fill(0, Cells + 1);
    auto CellRange = [this](const TRect& R, int& C0, int& C1, int& R0, int& R1) {
        C0 = int((qint64(R.Left) - FGridArea.Left) / FGridCell);
        C1 = int((qint64(R.Right) - 1 - FGridArea.Left) / FGridCell);
        R0 = int((qint64(R.Top) - FGridArea.Top) / FGridCell);
        R1 = int((qint64(R.Bottom) - 1 - FGridArea.Top) / FGridCell);
    };
    // Two passes: count per cell, then fill in ascending shape order.
    for (const TRect& R : FHitRects) {
        if (R.Right <= R.Left || R.Bottom <= R.Top)
            continue;
        int C0, C1, R0, R1;
        CellRange(R, C0, C1, R0, R1);
        for (int Row = R0; Row <= R1; ++Row)
            for (int Col = C0; Col <= C1; ++Col)
                ++FGridStart[Row * FGridColumns + Col + 1];
    }
    for (int C = 0; C < Cells; ++C)
        FGridStart[C + 1] += FGridStart[C];
    FGridItems.resize(FGridStart[Cells]);
    QVector<int> Fill(FGridStart.begin(), FGridStart.end() - 1);
    for (int I = 0; I < FHitRects.size(); ++I) {
        const TRect& R = FHitRects[I];
        if (R.Right <= R.Left || R.Bottom <= R.Top)
            continue;
        int C0, C1, R0, R1;
        CellRange(R, C0, C1, R0, R1);
        for (int Row = R0; Row <= R1; ++Row)
            for (int Col = C0; Col <= C1; ++Col)
                FGridItems[Fill[Row * FGridColumns + Col]++] = I;
    }
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

void TPTCustomGroup::DestroyRegions()
{
    ClearRegionFocus();
    EndControlDrag();
    // Items added since the event loop last ran wait in the scene's polish list, which each removal
    // would search: polish them now.
    QCoreApplication::sendPostedEvents(FScene, QEvent::MetaCall);
    // The shapes are the scene's top-level items apart from the handle layer, which holds everything
    // else (handles, overlays) and steps out for the moment. The scene then frees its items front to
    // back with no search in its lists, and an update mode that marks the whole viewport once keeps
    // each removal from growing the dirty region: the clear is linear in the number of shapes.
    for (TGUIShape* Shape : std::as_const(FShapes))
        Shape->FZIndex = -1;
    FShapes.clear();
    FHitRects.clear();
    FOtherShapes = 0;
    FGridValid = false;
    FFocused = nullptr;
    FScene->removeItem(FHandleLayer);
    const ViewportUpdateMode Mode = viewportUpdateMode();
    setViewportUpdateMode(FullViewportUpdate);
    FScene->clear();
    setViewportUpdateMode(Mode);
    FScene->addItem(FHandleLayer);
    FInverted.clear();
    viewport()->update();
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
    // On the handle layer, above every handle: the scene's other top-level items are all shapes.
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
        P.X = std::clamp(P.X, 0, std::max(FClientWidth - 1, 0));
        P.Y = std::clamp(P.Y, 0, std::max(FClientHeight - 1, 0));
    }
    return P;
}

bool TPTCustomGroup::InClientArea(const TPoint& P) const
{
    return PointInRect(TRect{0, 0, FClientWidth, FClientHeight}, P);
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
    FScene->update(InvertedShapeArea(Shape));
}

void TPTCustomGroup::AddShape(TGUIShape* Shape)
{
    FGridValid = false;
    FScene->addItem(Shape);
    Shape->setZValue(FNextTopZ);
    FNextTopZ += 1;
    Shape->FZIndex = FShapes.size();
    // Every shape counts as another shape until the region constructor says otherwise.
    ++FOtherShapes;
    FShapes.append(Shape);
    FHitRects.append(Shape->HitRect());
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
    FShapes.removeAt(Index);
    FHitRects.removeAt(Index);
    FGridValid = false;
    Shape->FZIndex = -1;
    for (int I = Index; I < FShapes.size(); ++I)
        FShapes[I]->FZIndex = I;
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
    for (int I = std::min(Index, NewIndex); I <= std::max(Index, NewIndex); ++I)
        FShapes[I]->FZIndex = I;
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
        FHitRects[Index] = Shape->HitRect();
        FGridValid = false;
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

void TPTCustomGroup::BeginControlDrag(TUserInterfaceControl* Control)
{
    EndControlDrag();
    FDragControl = Control;
    ClipCursorToControl(this);
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    if (Control && Control->TargetControl)
        emit ShapeDragStarted(Control->TargetControl);
}

void TPTCustomGroup::EndControlDrag()
{
    if (!FDragControl)
        return;
    FDragControl = nullptr;
    // A drag cut short (its handle or region freed) leaves no outline behind; a finished one has erased
    // its own already.
    if (!FInverted.isEmpty()) {
        FInverted.clear();
        viewport()->update();
    }
    ClipCursorToControl(nullptr);
    QGuiApplication::restoreOverrideCursor();
}

void TPTCustomGroup::mousePressEvent(QMouseEvent* Event)
{
    Event->accept();
    // During a handle drag other buttons do nothing.
    if (FDragControl)
        return;
    QGraphicsView::mousePressEvent(Event);
    if (Event->isAccepted())
        return; // a handle or the editor's overlay took it
    Event->accept();
    const TPoint P = ViewportToClient(Event->position().toPoint());
    // Around the picture is the scroll box, not the scene.
    if (!InClientArea(P))
        return;
    FButtonsPressedInside |= Event->button();
    if (Event->button() == Qt::LeftButton)
        FLeftButtonDown = true;
    emit MouseDown(Event->button(), Event->modifiers(), P.X, P.Y);
}

void TPTCustomGroup::mouseDoubleClickEvent(QMouseEvent* Event)
{
    // The second press of a double click is a press like any other.
    mousePressEvent(Event);
}

void TPTCustomGroup::mouseMoveEvent(QMouseEvent* Event)
{
    const TPoint P = ViewportToClient(Event->position().toPoint());
    if (FDragControl) {
        if (Event->buttons() & Qt::LeftButton)
            FDragControl->DragMove(P);
        return;
    }
    const bool Grabbed = FScene->mouseGrabberItem() != nullptr;
    QGraphicsView::mouseMoveEvent(Event);
    if (Grabbed)
        return;
    const bool Inside = InClientArea(P);
    // A press on the scene keeps its moves coming until the release, as a mouse capture would.
    if (Inside || (FButtonsPressedInside & Event->buttons()))
        emit MouseMove(Event->modifiers(), P.X, P.Y);
}

void TPTCustomGroup::mouseReleaseEvent(QMouseEvent* Event)
{
    const TPoint P = ViewportToClient(Event->position().toPoint());
    if (FDragControl) {
        if (Event->button() == Qt::LeftButton) {
            const QPointer<TGUIShape> Target = FDragControl->TargetControl;
            FDragControl->DragEnd();
            if (Target)
                emit ShapeDragFinished(Target);
        }
        return;
    }
    const bool Grabbed = FScene->mouseGrabberItem() != nullptr;
    QGraphicsView::mouseReleaseEvent(Event);
    if (Grabbed)
        return;
    const bool Inside = InClientArea(P);
    const bool PressedInside = FButtonsPressedInside & Event->button();
    FButtonsPressedInside &= ~Event->button();
    if (!Inside && !PressedInside)
        return;
    if (Event->button() == Qt::LeftButton)
        FLeftButtonDown = false;
    emit MouseUp(Event->button(), Event->modifiers(), P.X, P.Y);
}

void TPTCustomGroup::drawBackground(QPainter* Painter, const QRectF& Rect)
{
    // Around the picture: the scroll box's button-shadow colour.
    Painter->fillRect(Rect, palette().color(QPalette::Dark));
    const QRectF Client = ClientRect();
    Painter->save();
    Painter->setClipRect(Client);
    Painter->fillRect(Client, FColor);
    Painter->setFont(font());
    if (FDefaultDrawing && FFrameStyle != ptfsGroup && !FCaption.isEmpty()) {
        const QRectF TextArea = Client.adjusted(FFrameSpace, 0, -FFrameSpace, 0);
        const Qt::Alignment Align = FAlignment == taLeftJustify    ? Qt::AlignLeft
                                    : FAlignment == taRightJustify ? Qt::AlignRight
                                                                   : Qt::AlignHCenter;
        const QString Text = fontMetrics().elidedText(FCaption, Qt::ElideRight, int(TextArea.width()));
        Painter->setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::Dark));
        Painter->drawText(TextArea, Align | Qt::AlignVCenter | Qt::TextSingleLine, Text);
    }
    if (OnPaint)
        OnPaint(this, Painter);
    Painter->restore();
}

void TPTCustomGroup::drawForeground(QPainter* Painter, const QRectF& /*Rect*/)
{
    if (FInverted.isEmpty())
        return;
    Painter->save();
    Painter->setRenderHint(QPainter::Antialiasing, false);
    // Inverting the pixels under a dotted pen: visible on any picture, and nothing underneath changes.
    Painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    Painter->setPen(QPen(Qt::white, 0, Qt::DotLine));
    Painter->setBrush(Qt::NoBrush);
    for (const TInvertedShape& S : std::as_const(FInverted)) {
        switch (S.ShapeKind) {
        case TInvertedShape::Rectangle:
        case TInvertedShape::Ellipse: {
            const TRect R = NormalizeRect(S.R);
            if (RectWidth(R) <= 0 || RectHeight(R) <= 0)
                break;
            const QRect Q(R.Left, R.Top, RectWidth(R) - 1, RectHeight(R) - 1);
            if (S.ShapeKind == TInvertedShape::Rectangle)
                Painter->drawRect(Q);
            else
                Painter->drawEllipse(Q);
            break;
        }
        case TInvertedShape::Polygon:
        case TInvertedShape::Polyline: {
            QPolygon Poly;
            for (const TPoint& P : S.Points)
                Poly << QPoint(P.X, P.Y);
            if (S.ShapeKind == TInvertedShape::Polygon)
                Painter->drawPolygon(Poly);
            else
                Painter->drawPolyline(Poly);
            break;
        }
        }
    }
    Painter->restore();
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
