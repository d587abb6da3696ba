// The Trace Region tool of the main window: the outline under the pointer, and a click that makes
// it a polygon region.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "MapDocument.h"
#include "RegionCommands.h"
#include "TPolyOverlay.h"
#include "TUIPolygon.h"
#include "TraceTool.h"
#include "UPTFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QToolBar>

namespace {

// Escape leaves the tool. The window's own key handling sees the key only when this lets it pass.
class TTraceKeys : public QObject
{
public:
    TTraceKeys(QObject* Parent, std::function<bool()> Escape) : QObject(Parent), FEscape(std::move(Escape)) {}

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape)
            return FEscape();
        return false;
    }

private:
    std::function<bool()> FEscape;
};

} // namespace

void TFormCorvantaZonequilter::CreateTraceTool()
{
    FTrace = std::make_shared<TTraceState>();

    TBTrace = new QAction(EditorText(QStringLiteral("Trace Region")), this);
    TBTrace->setObjectName(QStringLiteral("TBTrace"));
    TBTrace->setToolTip(EditorText(QStringLiteral("Trace Region From Picture")));
    TBTrace->setStatusTip(TBTrace->toolTip());
    TBTrace->setIcon(QIcon(QStringLiteral(":/editor/icons/trace.svg")));
    TBTrace->setCheckable(true);
    ToolGroup->addAction(TBTrace);
    // Right after the polygon tool.
    const QList<QAction*> tools = TBToolbar->actions();
    const int poly = int(tools.indexOf(TBPoly));
    TBToolbar->insertAction(poly + 1 < tools.size() ? tools.at(poly + 1) : nullptr, TBTrace);

    MITraceRegion = new QAction(TBTrace->icon(), EditorText(QStringLiteral("&Trace Region")), this);
    MITraceRegion->setObjectName(QStringLiteral("MITraceRegion"));
    MITraceRegion->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    MIEdit->addSeparator();
    MIEdit->addAction(MITraceRegion);
    MITraceAll = new QAction(EditorText(QStringLiteral("Trace &All Regions...")), this);
    MITraceAll->setObjectName(QStringLiteral("MITraceAll"));
    MITraceAll->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    MIEdit->addAction(MITraceAll);
    connect(MITraceAll, &QAction::triggered, this, &TFormCorvantaZonequilter::MITraceAllClick);

    PaintBoxTrace = new TTraceOverlay;
    PanelScene->AddOverlayItem(PaintBoxTrace);
    // The options ride at the end of the toolbar, so that showing them moves nothing else.
    TBTraceOptions = new TTraceOptionsBar(this);
    FTrace->OptionsSeparator = TBToolbar->addSeparator();
    FTrace->OptionsAction = TBToolbar->addWidget(TBTraceOptions);
    ShowTraceOptions(false);

    connect(TBTrace, &QAction::triggered, this, &TFormCorvantaZonequilter::TBTraceClick);
    connect(MITraceRegion, &QAction::triggered, this, &TFormCorvantaZonequilter::TBTraceClick);
    // Any other tool, chosen by the user or by code, unchecks this one through the group.
    connect(TBTrace, &QAction::toggled, this, [this](bool On) {
        if (!On)
            LeaveTraceTool();
    });
    connect(PaintBoxTrace, &TTraceOverlay::MouseMove, this, &TFormCorvantaZonequilter::TraceMouseMove);
    connect(PaintBoxTrace, &TTraceOverlay::MouseDown, this, &TFormCorvantaZonequilter::TraceMouseDown);
    connect(PaintBoxTrace, &TTraceOverlay::MouseLeave, this, [this] {
        FTrace->PointerOver = false;
        PaintBoxTrace->SetOutline(QPolygon());
    });
    connect(TBTraceOptions, &TTraceOptionsBar::OptionsChanged, this, [this] {
        if (FTrace->PointerOver)
            TraceMouseMove(FTrace->Pointer.x(), FTrace->Pointer.y());
    });
    // A new picture (New, Change Picture, an undo of it) has other areas and maybe another size.
    connect(FDocument, &TMapDocument::HeaderChanged, this, [this] {
        PaintBoxTrace->SetOutline(QPolygon());
        PaintBoxTrace->SetArea(EditableAreaRect());
    });
    connect(PanelScene, &TPTCustomGroup::EditableAreaChanged, this,
            [this] { PaintBoxTrace->SetArea(EditableAreaRect()); });
    PanelScene->installEventFilter(new TTraceKeys(this, [this] {
        if (!TBTrace->isChecked() || PageControl->currentWidget() != TabSheetEdit)
            return false;
        TBArrowClick();
        return true;
    }));
}

void TFormCorvantaZonequilter::ShowTraceOptions(bool Shown)
{
    FTrace->OptionsSeparator->setVisible(Shown);
    FTrace->OptionsAction->setVisible(Shown);
}

void TFormCorvantaZonequilter::TBTraceClick()
{
    TBTrace->setChecked(true);
    ToolCommonSteps();
    PaintBoxTrace->SetArea(EditableAreaRect());
    PaintBoxTrace->SetOutline(QPolygon());
    PaintBoxTrace->show();
    ShowTraceOptions(true);
    // A large picture's copy for tracing is made now, with progress, rather than at the first move.
    FTrace->Prepare(this, FDocument->Picture());
    if (FTrace->Tracer->PictureTooLarge())
        StatusPanel0->setText(TraceStatusText(TTraceStatus::PictureTooLarge, FDocument->Picture().size()));
}

void TFormCorvantaZonequilter::LeaveTraceTool()
{
    PaintBoxTrace->SetOutline(QPolygon());
    PaintBoxTrace->hide();
    ShowTraceOptions(false);
    FTrace->PointerOver = false;
}

void TFormCorvantaZonequilter::TraceMouseMove(int X, int Y)
{
    ShowPointerPosition(X, Y);
    FTrace->Pointer = QPoint(X, Y);
    FTrace->PointerOver = true;
    if (!FTrace->Prepare(this, FDocument->Picture())) {
        PaintBoxTrace->SetOutline(QPolygon());
        return;
    }
    const TTraceResult result = FTrace->Tracer->TraceAt(QPoint(X, Y), TBTraceOptions->Options(), true);
    if (result.Status != TTraceStatus::Traced) {
        PaintBoxTrace->SetOutline(QPolygon());
        // No outline anywhere on a picture too large: the status bar says why.
        if (result.Status == TTraceStatus::PictureTooLarge)
            StatusPanel0->setText(TraceStatusText(result.Status, FDocument->Picture().size()));
        return;
    }
    QVector<QPolygon> enclosed;
    for (const TTracedArea& area : result.Enclosed)
        enclosed.append(area.Polygon);
    PaintBoxTrace->SetOutline(result.Area.Polygon, enclosed);
}

void TFormCorvantaZonequilter::TraceMouseDown(Qt::MouseButton Button, int X, int Y)
{
    if (Button != Qt::LeftButton)
        return;
    if (FTrace->Busy)
        return;
    const TTraceResult result = FTrace->TraceClick(this, FDocument->Picture(), QPoint(X, Y), TBTraceOptions->Options());
    if (result.Status != TTraceStatus::Traced) {
        StatusPanel0->setText(TraceStatusText(result.Status, FDocument->Picture().size()));
        return;
    }
    QVector<TPoint> points;
    points.reserve(result.Area.Polygon.size());
    for (const QPoint& p : result.Area.Polygon)
        points.append(TPoint{p.x(), p.y()});
    auto* polygon = new TUIPolygon(PanelScene);
    polygon->SetPoints(points);
    auto* command = new TCreateRegionCommand(*FDocument, *polygon);
    const QString step = EditorText(QStringLiteral("Trace Region"));
    command->setText(step);
    if (result.Enclosed.isEmpty()) {
        FDocument->Push(command);
        StatusPanel0->clear();
        return;
    }
    // The areas it keeps out go on top of it, each made as a new region would be, all one step;
    // the traced one stays selected.
    const int traced = FDocument->PositionOf(polygon);
    FDocument->UndoStack()->beginMacro(step);
    FDocument->Push(command);
    for (const TTracedArea& area : result.Enclosed)
        FDocument->Push(new TCreateRegionCommand(*FDocument, MapArea::polygon(area.Polygon)));
    FDocument->UndoStack()->endMacro();
    FDocument->Select(traced);
    StatusPanel0->setText(EditorText(QStringLiteral("Region traced; %1 enclosed areas became regions in front of it"))
                              .arg(result.Enclosed.size()));
}
