#include "UnitMain.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

static void initEditorResources()
{
    Q_INIT_RESOURCE(editor_icons);
}

namespace {

// The images of the toolbar and the menus, by their index in the image list.
QIcon imageListIcon(int index)
{
    static const char* const names[] = {"new",        "open",  "save",   "arrow",      "rect",
                                        "circle",     "poly",  "delete", "sendtoback", "bringtofront",
                                        "properties", "about", "online", "exit"};
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

// Every tab is 100 pixels wide.
class TFixedTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        size.setWidth(100);
        return size;
    }
};

class TPageControl : public QTabWidget
{
public:
    explicit TPageControl(QWidget* parent) : QTabWidget(parent)
    {
        auto* bar = new TFixedTabBar(this);
        bar->setFocusPolicy(Qt::NoFocus);
        setTabBar(bar);
        setFocusPolicy(Qt::NoFocus);
    }
};

} // namespace

TFormCorvantaZonequilter::TFormCorvantaZonequilter(QWidget* parent) : QMainWindow(parent)
{
    initEditorResources();
    setObjectName(QStringLiteral("TFormCorvantaZonequilter"));
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    resize(569, 500);

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
    MISaveAs = makeAction(this, "MISaveAs", QStringLiteral("Save &As..."), QString(), 2);
    MIExit = makeAction(this, "MIExit", QStringLiteral("E&xit"), QString(), 13);
    MIFile->addAction(MINew);
    MIFile->addSeparator();
    MIFile->addAction(MIOpen);
    MIFile->addAction(MISaveAs);
    MIFile->addSeparator();
    MIFile->addAction(MIExit);

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

    // Toolbar.
    TBToolbar = new QToolBar(this);
    TBToolbar->setObjectName(QStringLiteral("TBToolbar"));
    TBToolbar->setWindowTitle(QStringLiteral("Toolbar"));
    TBToolbar->setFloatable(false);
    TBToolbar->setIconSize(QSize(16, 16));
    TBNew = makeAction(this, "TBNew", QStringLiteral("New"), QStringLiteral("Create New Image Map"), 0);
    TBOpen = makeAction(this, "TBOpen", QStringLiteral("Open"), QStringLiteral("Open Image Map"), 1);
    TBSave = makeAction(this, "TBSave", QStringLiteral("Save"), QStringLiteral("Save Image Map"), 2);
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

    // Client area.
    PanelClient = new QFrame(this);
    PanelClient->setObjectName(QStringLiteral("PanelClient"));
    PanelClient->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* clientLayout = new QVBoxLayout(PanelClient);
    clientLayout->setContentsMargins(4, 4, 4, 4);
    PageControl = new TPageControl(PanelClient);
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

    // Status bar with its three panels; the first takes the hints.
    StatusPanel0 = new QLabel(this);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(400);
    StatusPanel1 = new QLabel(this);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setFixedWidth(70);
    StatusPanel1->setAlignment(Qt::AlignCenter);
    StatusPanel2 = new QLabel(this);
    StatusPanel2->setObjectName(QStringLiteral("StatusPanel2"));
    StatusPanel2->setFixedWidth(50);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1);
    statusBar()->addWidget(StatusPanel2);

    FormCreate();
}

TFormCorvantaZonequilter::~TFormCorvantaZonequilter()
{
    FormDestroy();
}

void TFormCorvantaZonequilter::FormCreate()
{
    // An opaque bitmap: the regions' hatch lets it show through.
    FBitmap = QImage(105, 105, QImage::Format_RGB32);
    FBitmap.fill(palette().color(QPalette::Button));
    TBArrow->setChecked(true);
    FMapName = QStringLiteral("ImageMap");
}

void TFormCorvantaZonequilter::FormDestroy() {}

bool TFormCorvantaZonequilter::event(QEvent* event)
{
    // Hints go to the first status panel; the bar itself never shows a message
    // over its panels.
    if (event->type() == QEvent::StatusTip) {
        StatusPanel0->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}
