#include "UnitMain.h"

#include "EditorDialogs.h"
#include "InstanceMutex.h"
#include "MainWindowHelpers.h"
#include "MapDocument.h"
#include "ProblemsDock.h"
#include "RecentFiles.h"
#include "SceneTools.h"
#include "TPolyOverlay.h"
#include "ToolbarSettings.h"
#include "Translation.h"
#include "UPTFrame.h"
#include "UnitProperties.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSizeGrip>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <functional>

static void initEditorResources()
{
    Q_INIT_RESOURCE(editor_icons);
}

namespace {

// The images of the toolbar and the menus, by their index in the image list.
QIcon imageListIcon(int index)
{
    static const char* const names[] = {
        "new",        "open",         "save",       "arrow", "rect",   "circle", "poly", "delete",
        "sendtoback", "bringtofront", "properties", "about", "online", "exit",   "undo", "redo"};
    return QIcon(QStringLiteral(":/editor/icons/%1-%2.svg")
                     .arg(index, 2, 10, QLatin1Char('0'))
                     .arg(QLatin1String(names[index])));
}

QAction* makeAction(QObject* owner, const char* name, const QString& text, const QString& hint, int image)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    }
    if (image >= 0)
        action->setIcon(imageListIcon(image));
    return action;
}

// A change of page the user asks for, by its target index; the page control
// does not change the page itself then.
using TUserPageRequest = std::function<void(int Index)>;

// The next enabled tab from Index in direction Step, or -1.
int nextEnabledTab(const QTabBar& bar, int Index, int Step, bool Wrap)
{
    const int count = bar.count();
    int page = Index;
    for (int pass = 0; pass < count; ++pass) {
        page += Step;
        if (page < 0 || page >= count) {
            if (!Wrap)
                return -1;
            page = page < 0 ? count - 1 : 0;
        }
        if (bar.isTabEnabled(page))
            return page == Index ? -1 : page;
    }
    return -1;
}

// Every tab is 100 pixels wide. The user's clicks and wheel turns go to the
// window's handlers before the page changes.
class TFixedTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;

    TUserPageRequest OnUserPageRequest;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        size.setWidth(100);
        return size;
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && OnUserPageRequest) {
            const int index = tabAt(event->position().toPoint());
            if (index >= 0 && index != currentIndex() && isTabEnabled(index))
                OnUserPageRequest(index);
        }
        // The page is current by now, so the base class only keeps its press state.
        QTabBar::mousePressEvent(event);
    }

    void wheelEvent(QWheelEvent* event) override
    {
        if (!OnUserPageRequest) {
            QTabBar::wheelEvent(event);
            return;
        }
        const QPoint delta = event->angleDelta();
        const int step = (qAbs(delta.y()) > qAbs(delta.x()) ? delta.y() : delta.x()) > 0 ? -1 : 1;
        const int index = nextEnabledTab(*this, currentIndex(), step, false);
        if (index >= 0)
            OnUserPageRequest(index);
        event->accept();
    }
};

class TPageControl : public QTabWidget
{
public:
    explicit TPageControl(QWidget* parent) : QTabWidget(parent)
    {
        Bar = new TFixedTabBar(this);
        Bar->setFocusPolicy(Qt::NoFocus);
        setTabBar(Bar);
        setFocusPolicy(Qt::NoFocus);
    }

    TFixedTabBar* Bar = nullptr;

protected:
    // Ctrl+Tab and Ctrl+Shift+Tab, as QTabWidget has them, but through the
    // window's handlers.
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool tabKey = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
        if (!tabKey || !(event->modifiers() & Qt::ControlModifier) || !Bar->OnUserPageRequest) {
            QTabWidget::keyPressEvent(event);
            return;
        }
        const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        const int index = nextEnabledTab(*Bar, currentIndex(), back ? -1 : 1, true);
        if (index >= 0)
            Bar->OnUserPageRequest(index);
        event->accept();
    }
};

} // namespace

TFormCorvantaZonequilter::TFormCorvantaZonequilter(QWidget* parent) : QMainWindow(parent)
{
    initEditorResources();
    setObjectName(QStringLiteral("TFormCorvantaZonequilter"));
    SetDesignFont(this);
    resize(569, 500);
    // Centred on the screen; a remembered placement, restored later, wins.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry())
                 .topLeft());

    CreateMenus();
    CreateToolbars();
    CreateTabs();
    CreateStatusBar();
    CreateSceneAndCommands();
    CreateSourceView();
    CreateServicesTab();
    ConnectDocumentCommands();
    CreateDropAndRecentFiles();
    ConnectHistory();
    CreateSceneTools();
    CreateViewMenu();
    DockProblems = InstallMapChecks(*this);
    CreateTraceTool();
    CreateClipboardCommands();
    FormCreate();
    ReadViewSettings();
}

void TFormCorvantaZonequilter::CreateMenus()
{
    // Menu bar, carried by a toolbar so it can move between the docks.
    TBMainMenu = new QToolBar(this);
    TBMainMenu->setObjectName(QStringLiteral("TBMainMenu"));
    TBMainMenu->setWindowTitle(QStringLiteral("Menu"));
    TBMainMenu->setFloatable(false);
    MainMenu = new QMenuBar(TBMainMenu);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MainMenu->setNativeMenuBar(false);
    TBMainMenu->addWidget(MainMenu);

    MIFile = MainMenu->addMenu(QStringLiteral("&File"));
    MIFile->setObjectName(QStringLiteral("MIFile"));
    MINew = makeAction(this, "MINew", QStringLiteral("&New Image Map..."), QString(), 0);
    MIOpen = makeAction(this, "MIOpen", QStringLiteral("&Import Image Map..."), QString(), 1);
    MISave = makeAction(this, "MISave", EditorText(QStringLiteral("&Save")), QString(), 2);
    MISaveAs = makeAction(this, "MISaveAs", QStringLiteral("Save &As..."), QString(), 2);
    MIExit = makeAction(this, "MIExit", QStringLiteral("E&xit"), QString(), 13);
    const QString section = QStringLiteral("TFormCorvantaZonequilter");
    MISaveIntoPage = makeAction(this, "MISaveIntoPage",
                                TranslateText(QStringLiteral("Save &Into Page"), section), QString(), -1);
    MIChangePicture = makeAction(this, "MIChangePicture",
                                 TranslateText(QStringLiteral("Change &Picture..."), section), QString(), -1);
    MINew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    MIOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    MISave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    MISaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    MIExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    MIFile->addAction(MINew);
    MIFile->addAction(MIChangePicture);
    MIFile->addSeparator();
    MIFile->addAction(MIOpen);
    MIFile->addAction(MISave);
    MIFile->addAction(MISaveAs);
    MIFile->addAction(MISaveIntoPage);
    MIFile->addSeparator();
    MIFile->addAction(MIExit);

    MIEdit = MainMenu->addMenu(EditorText(QStringLiteral("&Edit")));
    MIEdit->setObjectName(QStringLiteral("MIEdit"));
    MIUndo = makeAction(this, "MIUndo", EditorText(QStringLiteral("&Undo")), QString(), 14);
    MIRedo = makeAction(this, "MIRedo", EditorText(QStringLiteral("&Redo")), QString(), 15);
    MIUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    MIRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    MIEdit->addAction(MIUndo);
    MIEdit->addAction(MIRedo);

    MIHelp = MainMenu->addMenu(QStringLiteral("&Help"));
    MIHelp->setObjectName(QStringLiteral("MIHelp"));
    MIAbout = makeAction(this, "MIAbout", QStringLiteral("&About..."), QString(), 11);
    MICorvantaSoftware = makeAction(this, "MICorvantaSoftware",
                                    QStringLiteral("&Corvanta Software... (Online)"), QString(), 12);
    MICorvantaServices = makeAction(this, "MICorvantaServices",
                                    QStringLiteral("Corvanta &Services... (Online)"), QString(), -1);
    MIHelp->addAction(MIAbout);
    MIHelp->addSeparator();
    MIHelp->addAction(MICorvantaSoftware);
    MIHelp->addAction(MICorvantaServices);

    addToolBar(Qt::TopToolBarArea, TBMainMenu);
    addToolBarBreak(Qt::TopToolBarArea);
}

void TFormCorvantaZonequilter::CreateToolbars()
{
    // Toolbar.
    TBToolbar = new QToolBar(this);
    TBToolbar->setObjectName(QStringLiteral("TBToolbar"));
    TBToolbar->setWindowTitle(QStringLiteral("Toolbar"));
    TBToolbar->setFloatable(false);
    TBToolbar->setIconSize(QSize(16, 16));
    TBNew = makeAction(this, "TBNew", QStringLiteral("New"), QStringLiteral("Create New Image Map"), 0);
    TBOpen = makeAction(this, "TBOpen", QStringLiteral("Open"), QStringLiteral("Open Image Map"), 1);
    TBSave = makeAction(this, "TBSave", QStringLiteral("Save"), QStringLiteral("Save Image Map"), 2);
    TBUndo = makeAction(this, "TBUndo", EditorText(QStringLiteral("Undo")),
                        EditorText(QStringLiteral("Undo")), 14);
    TBRedo = makeAction(this, "TBRedo", EditorText(QStringLiteral("Redo")),
                        EditorText(QStringLiteral("Redo")), 15);
    TBArrow =
        makeAction(this, "TBArrow", QStringLiteral("Select"), QStringLiteral("Region Selection Tool"), 3);
    TBRect =
        makeAction(this, "TBRect", QStringLiteral("Rectangle"), QStringLiteral("Create Rectangle Region"), 4);
    TBCircle =
        makeAction(this, "TBCircle", QStringLiteral("Circle"), QStringLiteral("Create Circle Region"), 5);
    TBPoly =
        makeAction(this, "TBPoly", QStringLiteral("Polygon"), QStringLiteral("Create Polygon Region"), 6);
    TBDelete = makeAction(this, "TBDelete", QStringLiteral("Delete"), QStringLiteral("Delete Region"), 7);
    TBSendToBack = makeAction(this, "TBSendToBack", QStringLiteral("Send to Back"),
                              QStringLiteral("Send Region to Back"), 8);
    TBBringToFront = makeAction(this, "TBBringToFront", QStringLiteral("Bring to Front"),
                                QStringLiteral("Bring Region to Front"), 9);
    TBProperties = makeAction(this, "TBProperties", QStringLiteral("Properties"),
                              QStringLiteral("Show Region Properties"), 10);

    ToolGroup = new QActionGroup(this);
    ToolGroup->setObjectName(QStringLiteral("ToolGroup"));
    ToolGroup->setExclusive(true);
    for (QAction* tool : {TBArrow, TBRect, TBCircle, TBPoly}) {
        tool->setCheckable(true);
        ToolGroup->addAction(tool);
    }
    TBArrow->setChecked(true);

    TBToolbar->addAction(TBNew);
    TBToolbar->addAction(TBOpen);
    TBToolbar->addAction(TBSave);
    TBToolbar->addSeparator();
    TBToolbar->addAction(TBUndo);
    TBToolbar->addAction(TBRedo);
    TBToolbar->addSeparator();
    TBToolbar->addAction(TBArrow);
    TBToolbar->addAction(TBRect);
    TBToolbar->addAction(TBCircle);
    TBToolbar->addAction(TBPoly);
    TBToolbar->addSeparator();
    TBToolbar->addAction(TBDelete);
    TBToolbar->addSeparator();
    TBToolbar->addAction(TBSendToBack);
    TBToolbar->addAction(TBBringToFront);
    TBToolbar->addSeparator();
    TBToolbar->addAction(TBProperties);
    addToolBar(Qt::TopToolBarArea, TBToolbar);
}

void TFormCorvantaZonequilter::CreateTabs()
{
    // Client area.
    PanelClient = new QFrame(this);
    PanelClient->setObjectName(QStringLiteral("PanelClient"));
    PanelClient->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* clientLayout = new QVBoxLayout(PanelClient);
    clientLayout->setContentsMargins(4, 4, 4, 4);
    auto* pageControl = new TPageControl(PanelClient);
    pageControl->Bar->OnUserPageRequest = [this](int Index) { SelectPageByUser(Index); };
    PageControl = pageControl;
    PageControl->setObjectName(QStringLiteral("PageControl"));
    clientLayout->addWidget(PageControl);
    TabSheetEdit = new QWidget;
    TabSheetEdit->setObjectName(QStringLiteral("TabSheetEdit"));
    TabSheetPreview = new QWidget;
    TabSheetPreview->setObjectName(QStringLiteral("TabSheetPreview"));
    TabSheetSource = new QWidget;
    TabSheetSource->setObjectName(QStringLiteral("TabSheetSource"));
    TabSheetServices = new QWidget;
    TabSheetServices->setObjectName(QStringLiteral("TabSheetServices"));
    PageControl->addTab(TabSheetEdit, QStringLiteral("Edit"));
    PageControl->addTab(TabSheetPreview, QStringLiteral("Preview"));
    PageControl->addTab(TabSheetSource, QStringLiteral("Source"));
    PageControl->addTab(TabSheetServices, QStringLiteral("Services"));
    setCentralWidget(PanelClient);

    ButtonRefreshHTML = new QPushButton(QStringLiteral("Refresh HTML"), this);
    ButtonRefreshHTML->setObjectName(QStringLiteral("ButtonRefreshHTML"));
    ButtonRefreshHTML->hide();
}

void TFormCorvantaZonequilter::CreateStatusBar()
{
    // Status bar with its three panels; the first takes the hints.
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    StatusPanel0 = new QLabel(bar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(400);
    StatusPanel1 = new QLabel(bar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setFixedWidth(70);
    StatusPanel1->setAlignment(Qt::AlignCenter);
    StatusPanel2 = new QLabel(bar);
    StatusPanel2->setObjectName(QStringLiteral("StatusPanel2"));
    StatusPanel2->setFixedWidth(50);
    // Each panel draws its own lowered bevel: the default style frames no status bar items, and
    // unframed panels leave the bar a blank strip.
    for (QLabel* panel : {StatusPanel0, StatusPanel1, StatusPanel2}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(2);
    }
    bar->addWidget(StatusPanel0);
    bar->addWidget(StatusPanel1);
    bar->addWidget(StatusPanel2);
    // The bar's room for the panels changes without a resize of the window too: its size grip
    // appears when the window is first shown and hides while it is maximised (a grip that shows
    // lays the bar out at once, without a layout request). The first panel follows.
    bar->installEventFilter(this);
    if (auto* grip = bar->findChild<QSizeGrip*>())
        grip->installEventFilter(this);
}

TFormCorvantaZonequilter::~TFormCorvantaZonequilter()
{
    FormDestroy();
    // The scene goes first: its regions report their last focus change to this window.
    disconnect(PanelScene, nullptr, this, nullptr);
    disconnect(PageControl, nullptr, this, nullptr);
    if (!FSceneLeftToExit)
        delete PanelScene;
    PanelScene = nullptr;
}

void TFormCorvantaZonequilter::LeaveSceneToExit()
{
    disconnect(PanelScene, nullptr, this, nullptr);
    // Out of the window, so that the window's own end does not free it; the history, whose
    // steps hold the map's areas as values, goes the same way.
    PanelScene->hide();
    PanelScene->setParent(nullptr);
    FDocument->disconnect(this);
    FDocument->setParent(nullptr);
    FSceneLeftToExit = true;
}

TFormProperties* TFormCorvantaZonequilter::PropertiesDialog()
{
    if (FormProperties)
        return FormProperties;
    if (!FOwnProperties)
        FOwnProperties = new TFormProperties(this);
    return FOwnProperties;
}

void TFormCorvantaZonequilter::CreateSceneAndCommands()
{
    // The Edit tab: the scene fills the scroll box and scrolls a picture larger
    // than itself; the area around a smaller one is in the button-shadow colour.
    ScrollBox = new QWidget(TabSheetEdit);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setBackgroundRole(QPalette::Dark);
    ScrollBox->setAutoFillBackground(true);
    auto* editLayout = new QVBoxLayout(TabSheetEdit);
    editLayout->setContentsMargins(0, 0, 0, 0);
    editLayout->addWidget(ScrollBox);
    auto* scrollLayout = new QVBoxLayout(ScrollBox);
    scrollLayout->setContentsMargins(0, 0, 0, 0);
    PanelScene = new TPTGroup(ScrollBox);
    PanelScene->setObjectName(QStringLiteral("PanelScene"));
    PanelScene->SetDefaultDrawing(false);
    PanelScene->SetFrameStyle(ptfsNone);
    PanelScene->SetColor(palette().color(QPalette::Button));
    PanelScene->OnPaint = [this](TPTCustomGroup*, QPainter* canvas) { PanelScenePaint(canvas); };
    scrollLayout->addWidget(PanelScene);
    ScrollBox->installEventFilter(this);

    PaintBoxPoly = new TPolyOverlay;
    PanelScene->AddOverlayItem(PaintBoxPoly);
    PaintBoxPoly->SetArea(PanelScene->ClientRect());
    connect(PaintBoxPoly, &TPolyOverlay::MouseDown, this, &TFormCorvantaZonequilter::PaintBoxPolyMouseDown);
    connect(PaintBoxPoly, &TPolyOverlay::MouseMove, this, &TFormCorvantaZonequilter::PaintBoxPolyMouseMove);

    connect(PanelScene, &TPTCustomGroup::MouseDown, this, &TFormCorvantaZonequilter::PanelSceneMouseDown);
    connect(PanelScene, &TPTCustomGroup::MouseMove, this, &TFormCorvantaZonequilter::PanelSceneMouseMove);
    connect(PanelScene, &TPTCustomGroup::MouseUp, this, &TFormCorvantaZonequilter::PanelSceneMouseUp);
    connect(PanelScene, &TPTCustomGroup::RegionFocused, this, &TFormCorvantaZonequilter::RegionFocused);
    connect(PanelScene, &TPTCustomGroup::RegionFocusLost, this, &TFormCorvantaZonequilter::RegionFocusLost);
    connect(PanelScene, &TPTCustomGroup::ShapeDragStarted, this, &TFormCorvantaZonequilter::ShapeDragStarted);
    connect(PanelScene, &TPTCustomGroup::ShapeDragFinished, this,
            &TFormCorvantaZonequilter::ShapeDragFinished);

    // The scene's context menu; Del reaches its Delete item while the Edit tab has the focus.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    MenuItemDelete = makeAction(this, "MenuItemDelete", QStringLiteral("Delete"), QString(), 7);
    MenuItemDelete->setShortcut(QKeySequence(Qt::Key_Delete));
    MenuItemDelete->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    MenuItemSendtoBack = makeAction(this, "MenuItemSendtoBack", QStringLiteral("Send to Back"), QString(), 8);
    MenuItemBringtoFront =
        makeAction(this, "MenuItemBringtoFront", QStringLiteral("Bring to Front"), QString(), 9);
    MenuItemProperties =
        makeAction(this, "MenuItemProperties", QStringLiteral("Properties..."), QString(), 10);
    PopupMenu1->addAction(MenuItemDelete);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(MenuItemSendtoBack);
    PopupMenu1->addAction(MenuItemBringtoFront);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(MenuItemProperties);
    PopupMenu1->setDefaultAction(MenuItemProperties);
    TabSheetEdit->addAction(MenuItemDelete);
    CreatePointMenu();
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TFormCorvantaZonequilter::PopupMenu1Popup);
    PanelScene->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PanelScene, &QWidget::customContextMenuRequested, this,
            &TFormCorvantaZonequilter::ShowSceneContextMenu);

    connect(TBArrow, &QAction::triggered, this, &TFormCorvantaZonequilter::TBArrowClick);
    connect(TBRect, &QAction::triggered, this, &TFormCorvantaZonequilter::TBRectClick);
    connect(TBCircle, &QAction::triggered, this, &TFormCorvantaZonequilter::TBCircleClick);
    connect(TBPoly, &QAction::triggered, this, &TFormCorvantaZonequilter::TBPolyClick);

    connect(TBDelete, &QAction::triggered, this, &TFormCorvantaZonequilter::MenuItemDeleteClick);
    connect(MenuItemDelete, &QAction::triggered, this, &TFormCorvantaZonequilter::MenuItemDeleteClick);
    connect(TBSendToBack, &QAction::triggered, this, &TFormCorvantaZonequilter::MenuItemSendtoBackClick);
    connect(MenuItemSendtoBack, &QAction::triggered, this,
            &TFormCorvantaZonequilter::MenuItemSendtoBackClick);
    connect(TBBringToFront, &QAction::triggered, this, &TFormCorvantaZonequilter::MenuItemBringtoFrontClick);
    connect(MenuItemBringtoFront, &QAction::triggered, this,
            &TFormCorvantaZonequilter::MenuItemBringtoFrontClick);
    connect(TBProperties, &QAction::triggered, this, &TFormCorvantaZonequilter::MenuItemPropertiesClick);
    connect(MenuItemProperties, &QAction::triggered, this,
            &TFormCorvantaZonequilter::MenuItemPropertiesClick);
    connect(PageControl, &QTabWidget::currentChanged, this, &TFormCorvantaZonequilter::UpdateRegionCommands);
    UpdateRegionCommands();

    connect(ButtonRefreshHTML, &QPushButton::clicked, this,
            &TFormCorvantaZonequilter::ButtonRefreshHTMLClick);
}

void TFormCorvantaZonequilter::FormCreate()
{
    // An opaque bitmap: the regions' hatch lets it show through.
    QImage blank(105, 105, QImage::Format_RGB32);
    blank.fill(palette().color(QPalette::Button));
    FDocument->SetPicture(blank, QString());
    CreateInstanceMutex();
    ReadToolbarLayout(*this, QStringLiteral("TFormCorvantaZonequilter"), {TBMainMenu, TBToolbar});
    KeepOneToolbarShown({TBMainMenu, TBToolbar});
    TBArrow->setChecked(true);
    TBArrowClick();
    FDocument->SetMap(QStringLiteral("ImageMap"), {});
    // A window that starts minimised is not activated, and would show no title until then.
    FormActivate();
}

QMenu* TFormCorvantaZonequilter::createPopupMenu()
{
    return ToolbarsMenu(this, {TBMainMenu, TBToolbar});
}

void TFormCorvantaZonequilter::FormDestroy()
{
    WriteViewSettings();
    WriteToolbarLayout(*this, QStringLiteral("TFormCorvantaZonequilter"), {TBMainMenu, TBToolbar});
    FDocument->SetPicture(QImage(), FDocument->ImageFileName());
}

void TFormCorvantaZonequilter::FormResize()
{
    FitStatusPanel(statusBar(), 0);
}

void TFormCorvantaZonequilter::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TFormCorvantaZonequilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScrollBox && event->type() == QEvent::Resize)
        ScrollBoxResize();
    else if (watched == PanelScene && event->type() == QEvent::KeyPress && FTools &&
             PageControl->currentWidget() == TabSheetEdit && FTools->KeyPress(static_cast<QKeyEvent*>(event)))
        return true;
    else if (watched == PanelScene && event->type() == QEvent::KeyRelease && FTools)
        FTools->KeyRelease(static_cast<QKeyEvent*>(event));
    else if (watched == PanelScene && FTools &&
             (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::FocusOut))
        // A key move in progress becomes its step before any command (Undo among them) runs; every key
        // press asks first whether it is a shortcut, the arrows of the move itself too.
        FTools->KeyInterrupt(event);
    else if (watched == statusBar() && event->type() == QEvent::LayoutRequest)
        FormResize();
    else if (qobject_cast<QSizeGrip*>(watched) && watched->parent() == statusBar() &&
             (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        FormResize();
    else if (watched == TabSheetPreview && event->type() == QEvent::Show)
        CreateEmbeddedWB();
    else if (watched == TabSheetServices && event->type() == QEvent::Show)
        TabSheetServicesShow();
    return QMainWindow::eventFilter(watched, event);
}

bool TFormCorvantaZonequilter::event(QEvent* event)
{
    // Hints go to the first status panel; the bar itself never shows a message
    // over its panels.
    if (event->type() == QEvent::StatusTip) {
        StatusPanel0->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    if (event->type() == QEvent::Paint && !FFirstPaintDone) {
        // The first paint runs once, after this paint: it loads files and lets
        // events run, which must not happen inside a paint.
        FFirstPaintDone = true;
        QMetaObject::invokeMethod(this, &TFormCorvantaZonequilter::FormPaint, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}
