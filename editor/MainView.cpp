// The main window's View menu: the scene's zoom, its readout and the region list.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "RegionCommands.h"
#include "RegionListDock.h"
#include "SettingsFile.h"
#include "TPolyOverlay.h"
#include "UPTFrame.h"

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QUndoStack>
#include <QUndoView>
#include <cmath>

namespace {

QString Translate(const char* Text)
{
    return EditorText(QString::fromLatin1(Text));
}

QAction* makeViewAction(QObject* owner, const char* name, const char* text)
{
    auto* action = new QAction(Translate(text), owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// The view's own section of the settings file; the toolbar layout's sections are left alone.
const QString viewSection = QStringLiteral("View");

} // namespace

void TFormCorvantaZonequilter::CreateViewMenu()
{
    MIView = new QMenu(Translate("&View"), MainMenu);
    MIView->setObjectName(QStringLiteral("MIView"));
    MainMenu->insertMenu(MIHelp->menuAction(), MIView);

    MIZoomIn = makeViewAction(this, "MIZoomIn", "Zoom &In");
    MIZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    MIZoomOut = makeViewAction(this, "MIZoomOut", "Zoom &Out");
    MIZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    MIActualSize = makeViewAction(this, "MIActualSize", "&Actual Size");
    MIActualSize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    MIFitPicture = makeViewAction(this, "MIFitPicture", "&Fit Picture");
    for (QAction* action : {MIZoomIn, MIZoomOut, MIActualSize, MIFitPicture}) {
        MIView->addAction(action);
        // The keys work wherever the focus is in the window, with the menu closed.
        addAction(action);
    }
    connect(MIZoomIn, &QAction::triggered, this, &TFormCorvantaZonequilter::MIZoomInClick);
    connect(MIZoomOut, &QAction::triggered, this, &TFormCorvantaZonequilter::MIZoomOutClick);
    connect(MIActualSize, &QAction::triggered, this, &TFormCorvantaZonequilter::MIActualSizeClick);
    connect(MIFitPicture, &QAction::triggered, this, &TFormCorvantaZonequilter::MIFitPictureClick);

    DockRegions = new TRegionListDock(PanelScene, this);
    addDockWidget(Qt::RightDockWidgetArea, DockRegions);
    DockRegions->hide();
    MIRegionList = DockRegions->toggleViewAction();
    MIRegionList->setObjectName(QStringLiteral("MIRegionList"));
    MIView->addSeparator();
    MIView->addAction(MIRegionList);
    CreateEditingDocks();

    // The scene's keys, before the view scrolls with the arrows and Tab moves the focus on.
    PanelScene->installEventFilter(this);
    connect(PanelScene, &TPTCustomGroup::MouseDoubleClick, this,
            &TFormCorvantaZonequilter::PanelSceneDoubleClick);
    connect(PaintBoxPoly, &TPolyOverlay::DoubleClick, this,
            &TFormCorvantaZonequilter::PaintBoxPolyDoubleClick);
    // Links and texts change through the history's steps.
    connect(FDocument, &TMapDocument::Changed, DockRegions->Model(), [this](const TDocumentChange& Change) {
        if (Change.Step)
            DockRegions->Model()->TextsChanged();
    });
    connect(PanelScene, &TPTCustomGroup::ZoomChanged, this, &TFormCorvantaZonequilter::ShowZoom);
    connect(PanelScene, &TPTCustomGroup::EditableAreaChanged, this,
            [this] { PaintBoxPoly->SetArea(EditableAreaRect()); });
    ShowZoom(PanelScene->Zoom());
}

QRectF TFormCorvantaZonequilter::EditableAreaRect() const
{
    const TRect area = PanelScene->EditableArea();
    return QRectF(area.Left, area.Top, RectWidth(area), RectHeight(area));
}

void TFormCorvantaZonequilter::ReadViewSettings()
{
    // A pipe would hold the start for ever, and what was left alone at start stays so.
    if (IsSettingsFileIgnored())
        return;
    QSettings ini(GetSettingsFileName(), QSettings::IniFormat);
    ini.beginGroup(viewSection);
    bool ok = false;
    const double percent = ini.value(QStringLiteral("Zoom")).toString().toDouble(&ok);
    if (ok && std::isfinite(percent))
        PanelScene->SetZoom(percent / 100);
    if (ini.value(QStringLiteral("RegionList")).toString() == QLatin1String("1"))
        DockRegions->show();
    if (ini.value(QStringLiteral("UndoHistory")).toString() == QLatin1String("1"))
        FDockUndoHistory->show();
    ReadSnapSettings(ini);
}

void TFormCorvantaZonequilter::WriteViewSettings()
{
    if (IsSettingsFileIgnored())
        return;
    QSettings ini(GetSettingsFileName(), QSettings::IniFormat);
    ini.beginGroup(viewSection);
    ini.setValue(QStringLiteral("Zoom"), QString::number(PanelScene->Zoom() * 100, 'g', 6));
    // At exit the window is closed already, and its docks with it: what counts is whether the
    // user had hidden them.
    ini.setValue(QStringLiteral("RegionList"),
                 DockRegions->isHidden() ? QStringLiteral("0") : QStringLiteral("1"));
    ini.setValue(QStringLiteral("UndoHistory"),
                 FDockUndoHistory->isHidden() ? QStringLiteral("0") : QStringLiteral("1"));
    WriteSnapSettings(ini);
}

void TFormCorvantaZonequilter::CreateEditingDocks()
{
    // Every step of the history, the one the document stands at marked; a click goes there.
    FDockUndoHistory = new QDockWidget(Translate("Undo History"), this);
    FDockUndoHistory->setObjectName(QStringLiteral("DockUndoHistory"));
    auto* view = new QUndoView(FDocument->UndoStack(), FDockUndoHistory);
    view->setObjectName(QStringLiteral("ListUndoHistory"));
    view->setEmptyLabel(Translate("<empty>"));
    FDockUndoHistory->setWidget(view);
    addDockWidget(Qt::RightDockWidgetArea, FDockUndoHistory);
    FDockUndoHistory->hide();
    QAction* history = FDockUndoHistory->toggleViewAction();
    history->setObjectName(QStringLiteral("MIUndoHistory"));
    history->setText(Translate("Undo &History"));
    MIView->addAction(history);

    // The Regions dock edits too: a double click opens the region's properties, a link or an
    // alternate text typed in place is one step.
    connect(DockRegions, &TRegionListDock::PropertiesRequested, this,
            &TFormCorvantaZonequilter::MenuItemPropertiesClick);
    connect(DockRegions, &TRegionListDock::TextEdited, this, &TFormCorvantaZonequilter::RegionTextEdited);
    CreateSnapMenu();
    CreateMapPropertiesCommand();
}

void TFormCorvantaZonequilter::RegionTextEdited(TGUIRegion* Region, int Column, const QString& Text)
{
    const int position = FDocument->PositionOf(Region);
    if (position < 0)
        return;
    const MapArea before = RegionArea(*Region);
    MapArea after = before;
    (Column == TRegionListModel::LinkColumn ? after.HRef : after.AltText) = Text;
    if (after == before)
        return;
    auto* command = new TChangePropertiesCommand(*FDocument, position, before, after, Column);
    command->setText(Column == TRegionListModel::LinkColumn ? Translate("Edit Link")
                                                            : Translate("Edit Alternate Text"));
    FDocument->Push(command);
}

void TFormCorvantaZonequilter::ShowZoom(double Zoom)
{
    StatusPanel2->setText(Translate("%1 %").arg(std::lround(Zoom * 100)));
}

void TFormCorvantaZonequilter::MIZoomInClick()
{
    PanelScene->SetZoom(TPTCustomGroup::NextZoomStep(PanelScene->Zoom(), true));
}

void TFormCorvantaZonequilter::MIZoomOutClick()
{
    PanelScene->SetZoom(TPTCustomGroup::NextZoomStep(PanelScene->Zoom(), false));
}

void TFormCorvantaZonequilter::MIActualSizeClick()
{
    PanelScene->SetZoom(1);
}

void TFormCorvantaZonequilter::MIFitPictureClick()
{
    PanelScene->SetZoom(PanelScene->FitZoom());
}
