#pragma once

#include <QImage>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QString>

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QToolBar;
class QWidget;
class TGUIRegion;
class TPTGroup;
class TPolyOverlay;
class TFormProperties;

// The program's document window: the menu bar and toolbar, the tabs and the
// editing scene with its tools and region commands.
class TFormCorvantaZonequilter : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFormCorvantaZonequilter(QWidget* parent = nullptr);
    ~TFormCorvantaZonequilter() override;

    // The region that is the window's active control (the selected region), or none.
    TGUIRegion* ActiveRegion() const;
    // Clears the window's active control, which deselects the selected region.
    void ClearActiveControl();

    // The document.
    QImage FBitmap;
    QString FImageFileName;
    QString FMapName;
    // The generated HTML of the last refresh.
    QString FHTMLText;

    // Editing state.
    QPointer<TGUIRegion> FMovingRegion;
    QPoint FDragStart;
    QPoint FDragCurrent;
    QList<QPoint> FPolyPoints;

    // Menu bar and its items.
    QToolBar* TBMainMenu = nullptr;
    QMenuBar* MainMenu = nullptr;
    QMenu* MIFile = nullptr;
    QAction* MINew = nullptr;
    QAction* MIOpen = nullptr;
    QAction* MISaveAs = nullptr;
    QAction* MIExit = nullptr;
    QMenu* MIHelp = nullptr;
    QAction* MIAbout = nullptr;
    QAction* MICorvantaSoftware = nullptr;
    QAction* MICorvantaServices = nullptr;

    // Toolbar.
    QToolBar* TBToolbar = nullptr;
    QAction* TBNew = nullptr;
    QAction* TBOpen = nullptr;
    QAction* TBSave = nullptr;
    QActionGroup* ToolGroup = nullptr;
    QAction* TBArrow = nullptr;
    QAction* TBRect = nullptr;
    QAction* TBCircle = nullptr;
    QAction* TBPoly = nullptr;
    QAction* TBDelete = nullptr;
    QAction* TBSendToBack = nullptr;
    QAction* TBBringToFront = nullptr;
    QAction* TBProperties = nullptr;

    // Client area.
    QFrame* PanelClient = nullptr;
    QTabWidget* PageControl = nullptr;
    QWidget* TabSheetEdit = nullptr;
    QWidget* TabSheetPreview = nullptr;
    QWidget* TabSheetSource = nullptr;
    QWidget* TabSheetServices = nullptr;
    TPTGroup* PanelScene = nullptr;
    TPolyOverlay* PaintBoxPoly = nullptr;
    QPushButton* ButtonRefreshHTML = nullptr;

    // Scene context menu.
    QMenu* PopupMenu1 = nullptr;
    QAction* MenuItemDelete = nullptr;
    QAction* MenuItemSendtoBack = nullptr;
    QAction* MenuItemBringtoFront = nullptr;
    QAction* MenuItemProperties = nullptr;

    // Status bar panels.
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QLabel* StatusPanel2 = nullptr;

public slots:
    void FormCreate();
    void FormDestroy();

protected:
    bool event(QEvent* event) override;
};
