#pragma once

#include "Geometry.h"
#include "MapArea.h"
#include "MapDocument.h"
#include "SaveIntoPage.h"
#include "SourceLines.h"
#include "TGUIRegion.h"

#include <QDateTime>
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QVector>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QPainter;
class QPushButton;
class QTabWidget;
class QToolBar;
class QWidget;
class TPTGroup;
class TPolyOverlay;
class TUIPolygon;
class TFormProperties;
class TFormBitmapLoader;
class TFormHTMLImport;
class TLongTask;
class TRecentFiles;
class TRegionListDock;
class TProblemsDock;
class TTraceOverlay;
class TTraceOptionsBar;
struct TTraceState;
class TSelectionMarks;
class QProgressBar;
class QTimer;
class TRecoveryFile;
class QsciScintilla;
class QDockWidget;
class QSettings;
class TSceneTools;
class TUserInterfaceControl;
class QWebEngineView;

// The program's document window: the menu bar and toolbar, the tabs and the
// editing scene with its tools and region commands.
class TFormCorvantaZonequilter : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFormCorvantaZonequilter(QWidget* parent = nullptr);
    ~TFormCorvantaZonequilter() override;

    // The selected region, which is the window's active control, or none.
    TGUIRegion* ActiveRegion() const;
    // Clears the window's active control, which deselects the selected region.
    void ClearActiveControl();

    // The properties dialog the commands use: the program's one dialog when it
    // exists, otherwise one of this window's own.
    TFormProperties* PropertiesDialog();

    // Loads a picture through the image loader, makes it the document's and sizes
    // the scene to it. False when the loader failed; *Reason then holds its reason,
    // which names the file, and the document and the scene's size are unchanged.
    bool LoadImage(const QString& FileName, QString* Reason = nullptr);
    // Makes Image the document's picture under FileName and sizes the scene to it.
    void ShowPicture(const QImage& Image, const QString& FileName);

    // The import dialog the commands use: the program's one dialog when it
    // exists, otherwise one of this window's own.
    TFormHTMLImport* ImportDialog();

    // A change of tab the user makes: PageControlChanging, the change, then
    // PageControlChange. Changes made from code set the page directly and run
    // neither handler.
    void SelectPageByUser(int Index);

    // Leaves out the first paint's demonstration import and splash, for a
    // window whose document is built otherwise (tests); call before showing.
    void SkipFirstPaint() { FFirstPaintDone = true; }

    // The writer's text in the Source tab made anew from the document, with a progress dialog
    // when it takes a while; false when the user cancelled it (the text is then the old one).
    bool RefreshHTML();
    // The same as part From to To (percent) of a longer task.
    bool RefreshHTML(TLongTask& Task, int From, int To);
    // How many times the Source's text has been generated: a document that has not changed since
    // the last time is not written again.
    int SourceFills() const { return FSourceFills; }
    // The Source tab's text as the view holds it.
    QByteArray SourceBytes() const;

    // Files opened by name rather than from the file dialogs: the command line, drops and
    // File > Open Recent (MainDropAndRecent.cpp).
    // An HTML file is imported (the list of its maps shows when it holds more than one), a
    // picture starts a new image map on it, anything else is refused with a message. True when
    // the file became the document.
    bool OpenDocumentFile(const QString& FileName);
    // New Image Map once its picture is chosen: the regions go and the picture is loaded.
    bool NewImageMapOn(const QString& FileName);
    // Whether a file dragged over Target may be dropped there: an HTML file anywhere in the
    // window, a picture on the Edit tab.
    bool AcceptsDroppedFile(const QString& FileName, const QWidget* Target) const;
    // At exit: the scene with its regions and the document with its history are left for the
    // system to take back with the rest of the process instead of being freed region by region,
    // which takes seconds for a million.
    void LeaveSceneToExit();

    // The file the first paint opens instead of the demonstration map; empty for the demo.
    void SetStartupFile(const QString& FileName) { FStartupFile = FileName; }
    // The HTML files last imported or saved, newest first; AddRecentFile puts one on top.
    const QStringList& RecentFiles() const;
    void AddRecentFile(const QString& FileName);

    // The document: its picture, names, file, page origin, regions, history and modified state.
    TMapDocument* Document() const { return FDocument; }

    // The recovery file this window keeps while its document is modified.
    TRecoveryFile* RecoveryFile() const { return FRecovery; }
    // Writes the recovery file now when the document is modified, removes it otherwise.
    void UpdateRecoveryFile();
    // Offers each document left by a run that did not end cleanly; true when one was recovered.
    bool OfferRecovery();

private slots:
    void FormCreate();
    void FormDestroy();
    // The caption names the document's file (the shared save dialog's file name).
    void FormActivate();
    // The first paint: the demonstration map becomes the document, then the splash.
    void FormPaint();

    // Document commands.
    void MINewClick();
    void MIOpenClick();
    // Save writes to the document's file, or runs Save As when there is none; both return true
    // when the document is on disk.
    bool MISaveClick();
    bool MISaveAsClick();
    // Writes the edited map back into the page it was imported from; true when the page is written.
    bool MISaveIntoPageClick();
    // Replaces the picture and keeps the regions, one step.
    void MIChangePictureClick();
    void MIExitClick();
    void MIUndoClick();
    void MIRedoClick();
    void MIAboutClick();
    void MICorvantaSoftwareClick();
    void MICorvantaServicesClick();
    // Fills File > Open Recent: the files, missing ones greyed, then "Clear List".
    void MIOpenRecentPopup();

    // View.
    void MIZoomInClick();
    void MIZoomOutClick();
    void MIActualSizeClick();
    void MIFitPictureClick();
    // The zoom in the third status panel.
    void ShowZoom(double Zoom);

    // Tabs. PageControlChanging is false when the user cancelled the Source's refresh: the tab
    // then stays.
    bool PageControlChanging();
    void PageControlChange();
    void EmbeddedWBStatusTextChange(const QString& Text);
    void CopytoClipboard1Click();
    void SelectAll1Click();
    void TabSheetServicesShow();
    void WebBrowserServicesTitleChange(const QString& Title);
    void WebBrowserServicesStatusTextChange(const QString& Text);
    void WebBrowserServicesProgressChange(int Progress, int ProgressMax);
    void FormResize();

    // Tools.
    void TBArrowClick();
    void TBRectClick();
    void TBCircleClick();
    void TBPolyClick();
    void TBTraceClick();
    // Every area of the picture becomes a region, one step, after a preview (MainTraceAll.cpp).
    void MITraceAllClick();

    // The scene's mouse handling; X and Y are scene (image pixel) coordinates.
    void PanelSceneMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void PanelSceneMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void PanelSceneMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void PanelScenePaint(QPainter* Canvas);
    void ScrollBoxResize();

    // The polygon tool's overlay.
    void PaintBoxPolyMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void PaintBoxPolyMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    // A double click places its corner (once) and finishes a polygon of three corners or more.
    void PaintBoxPolyDoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    // A double click on a region with the selection tool opens its properties at the release; on the
    // selected polygon's outline it puts a corner there instead.
    void PanelSceneDoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void PaintBoxPolyPaint();

    // Region commands: one handler each for the toolbar button and the menu item.
    void MenuItemDeleteClick();
    void MenuItemSendtoBackClick();
    void MenuItemBringtoFrontClick();
    void MenuItemPropertiesClick();
    void PopupMenu1Popup();

    // The writer: gathers the document and produces its HTML text.
    void ButtonRefreshHTMLClick();

signals:
    // Help > About: the program shows its about box, which lives above the editor.
    void AboutRequested();

protected:
    // The toolbars' context menu, which cannot hide the last toolbar shown (the menu bar rides
    // on one of them).
    QMenu* createPopupMenu() override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The import dialog and the Problems dock with its menu items are parts of this window: they
    // show the Edit tab, reach the scene and join the menus.
    friend class TFormHTMLImport;
    friend class TProblemsDock;
    friend TProblemsDock* InstallMapChecks(TFormCorvantaZonequilter& Window);

    // The preview and services web views are made when their tab is first
    // shown; these make them now if they don't exist yet.
    QWebEngineView* CreateEmbeddedWB();
    QWebEngineView* CreateWebBrowserServices();
    // Asks whether to save a modified document before it is replaced or the program ends: true
    // when the caller may go on (saved, discarded, or nothing to save), false when the user
    // cancelled or the save failed. Every path that replaces the document asks through it.
    bool MaybeSaveChanges();

    // Menu bar and its items.
    QToolBar* TBMainMenu = nullptr;
    QMenuBar* MainMenu = nullptr;
    QMenu* MIFile = nullptr;
    QAction* MINew = nullptr;
    QAction* MIOpen = nullptr;
    QMenu* MIOpenRecent = nullptr;
    QAction* MISave = nullptr;
    QAction* MISaveAs = nullptr;
    QAction* MISaveIntoPage = nullptr;
    QAction* MIChangePicture = nullptr;
    QAction* MIExit = nullptr;
    QMenu* MIEdit = nullptr;
    QAction* MIUndo = nullptr;
    QAction* MIRedo = nullptr;
    QMenu* MIHelp = nullptr;
    QAction* MIAbout = nullptr;
    QAction* MICorvantaSoftware = nullptr;
    QAction* MICorvantaServices = nullptr;
    // View: the scene's zoom and the region list.
    QMenu* MIView = nullptr;
    QAction* MIZoomIn = nullptr;
    QAction* MIZoomOut = nullptr;
    QAction* MIActualSize = nullptr;
    QAction* MIFitPicture = nullptr;
    QAction* MIRegionList = nullptr;
    TRegionListDock* DockRegions = nullptr;
    TProblemsDock* DockProblems = nullptr;

    // Toolbar; the four tools are one exclusive group.
    QToolBar* TBToolbar = nullptr;
    QAction* TBNew = nullptr;
    QAction* TBOpen = nullptr;
    QAction* TBSave = nullptr;
    QAction* TBUndo = nullptr;
    QAction* TBRedo = nullptr;
    QActionGroup* ToolGroup = nullptr;
    QAction* TBArrow = nullptr;
    QAction* TBRect = nullptr;
    QAction* TBCircle = nullptr;
    QAction* TBPoly = nullptr;
    QAction* TBDelete = nullptr;
    QAction* TBSendToBack = nullptr;
    QAction* TBBringToFront = nullptr;
    QAction* TBProperties = nullptr;
    // The Trace Region tool after the four, its menu items and options (MainTrace.cpp).
    QAction* TBTrace = nullptr;
    QAction* MITraceRegion = nullptr;
    QAction* MITraceAll = nullptr;
    TTraceOverlay* PaintBoxTrace = nullptr;
    TTraceOptionsBar* TBTraceOptions = nullptr;

    // Client area.
    QFrame* PanelClient = nullptr;
    QTabWidget* PageControl = nullptr;
    QWidget* TabSheetEdit = nullptr;
    QWidget* TabSheetPreview = nullptr;
    QWidget* TabSheetSource = nullptr;
    QWidget* TabSheetServices = nullptr;
    QWidget* ScrollBox = nullptr;
    TPTGroup* PanelScene = nullptr;
    TPolyOverlay* PaintBoxPoly = nullptr;
    QPushButton* ButtonRefreshHTML = nullptr;

    // The Preview tab's web view (made when the tab is first shown).
    QWebEngineView* EmbeddedWB = nullptr;

    // The Source tab: the read-only source view and its context menu.
    QsciScintilla* SynEdit = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* CopytoClipboard1 = nullptr;
    QAction* SelectAll1 = nullptr;

    // The Services tab (its web view is made when the tab is first shown).
    QLabel* PanelTitle = nullptr;
    QWebEngineView* WebBrowserServices = nullptr;
    QLabel* PanelStatusText = nullptr;
    QProgressBar* ProgressBar = nullptr;

    // The scene's context menu.
    QMenu* PopupMenu1 = nullptr;
    QAction* MenuItemDelete = nullptr;
    QAction* MenuItemSendtoBack = nullptr;
    QAction* MenuItemBringtoFront = nullptr;
    QAction* MenuItemProperties = nullptr;
    // The menu of a polygon's corner handle.
    QMenu* PopupMenuPoint = nullptr;
    QAction* MenuItemDeletePoint = nullptr;

    // The status bar's three panels (400, 70 centred, 50).
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QLabel* StatusPanel2 = nullptr;

    enum class TWriteResult
    {
        Written,
        Failed,
        Cancelled
    };
    // Save As once the file is chosen: the Source made anew, then its text written to FileName
    // whole or not at all, with progress; Failed gives the reason.
    TWriteResult WriteHTMLFile(const QString& FileName, QString* Reason);
    // Bytes written to FileName in steps from From to 100 percent of Task, replacing the old file
    // only once they are all on disk; a cancel or a failure leaves the old file untouched.
    TWriteResult WriteBytesInSteps(TLongTask& Task, const QString& FileName, const QByteArray& Bytes,
                                   QString* Reason, int From);

    // The constructor's parts, in this order: the menu bar, the toolbar, the tabs of the client
    // area, the status bar's panels; then the scene and its commands.
    void CreateMenus();
    void CreateToolbars();
    void CreateTabs();
    void CreateStatusBar();
    void CreateSceneAndCommands();
    // The scene's editing tools, which the scene's and the polygon overlay's handlers forward to.
    void CreateSceneTools();
    QPointer<TSceneTools> FTools;
    void CreateSourceView();
    void CreateServicesTab();
    void ConnectDocumentCommands();
    void CreateDropAndRecentFiles();
    void ConnectPageCommands();
    void ConnectHistory();
    // FileName is the page the document's map was imported from.
    bool IsPageOrigin(const QString& FileName) const;
    // Every view follows the document from its one "changed" notification (MainFollow.cpp).
    void ConnectDocumentViews();
    void DocumentChanged();
    // The Source or the Preview, when shown, is brought up to date with the document.
    void FollowDocumentOnShownTab();
    // Writes the writer's text to FileName; shows the error and returns false when it cannot.
    bool WriteDocumentFile(const QString& FileName);
    // The toolbar's and the context menu's region commands, from the selection and the current tab.
    void UpdateRegionCommands();
    void ShapeDragStarted(TGUIShape* Shape);
    void ShapeDragFinished(TGUIShape* Shape);
    void CreateViewMenu();
    // Zoom and the region list's visibility, in their own section of the settings file.
    void ReadViewSettings();
    void WriteViewSettings();
    // The scene's editable area (the picture and whatever regions lie beyond it).
    QRectF EditableAreaRect() const;
    void ShowSourceContextMenu(const QPoint& Pos);
    // The services page's address, or "services.htm" beside the program when
    // the computer is offline.
    static QUrl ServicesPageUrl(bool Online);
    static QString HomePageAddress();
    void WebBrowserServicesLoadFinished(bool Ok);
    // Steps every tool button runs.
    void ToolCommonSteps();
    void ShowPointerPosition(int X, int Y);
    void RegionFocused(TGUIRegion* Region, int Index, int Count);
    void RegionFocusLost(TGUIRegion* Region);
    void ShowSceneContextMenu(const QPoint& Pos);
    // The corner menu when Pos is on a corner handle of the selected polygon; false otherwise.
    bool ShowPointContextMenu(const QPoint& Pos);
    void MenuItemDeletePointClick();
    void CreatePointMenu();
    // The Trace Region tool (MainTrace.cpp).
    void CreateTraceTool();
    void LeaveTraceTool();
    void ShowTraceOptions(bool Shown);
    void TraceMouseMove(int X, int Y);
    void TraceMouseDown(Qt::MouseButton Button, int X, int Y);
    std::shared_ptr<TTraceState> FTrace;
    // The clipboard's commands and Select All (MainClipboard.cpp).
    void CreateClipboardCommands();
    void UpdateClipboardCommands();
    void MICutClick();
    void MICopyClick();
    // Paste from the Edit menu or its key lands 10 pixels off the copied place; from the scene's
    // context menu, at the pointer.
    void MIPasteClick();
    void MenuItemPasteClick();
    void MIDuplicateClick();
    void MISelectAllClick();
    // The selected regions' values, bottom first.
    QVector<MapArea> SelectedAreas() const;
    // The clipboard's regions, bottom first: ours, or areas of HTML text read as an import reads them
    // (after the import's report, when something was read differently). False on another tab, when
    // the user declined, or when there are none, which the status bar then says.
    bool ClipboardAreas(QVector<MapArea>& Areas, QByteArray& Key);
    void PasteAreas(QVector<MapArea> Areas, const QString& Text, const TPoint* At, int Offset);
    void DeleteSelection(const QString& Text);
    void SelectionPropertiesClick();
    enum class Restack
    {
        Back,
        Backward,
        Forward,
        Front
    };
    void RestackSelection(Restack How);
    void MenuItemBringForwardClick();
    void MenuItemSendBackwardClick();
    // The marks of the selected regions brought up to date: all of them after a step (Whole), else
    // those whose selection changed.
    void UpdateSelectionMarks(bool Whole);
    QAction* MICut = nullptr;
    QAction* MICopy = nullptr;
    QAction* MIPaste = nullptr;
    QAction* MIDuplicate = nullptr;
    QAction* MISelectAll = nullptr;
    QAction* MenuItemPaste = nullptr;
    QAction* MenuItemBringForward = nullptr;
    QAction* MenuItemSendBackward = nullptr;
    TSelectionMarks* FSelectionMarks = nullptr;
    // Where the scene's context menu was opened, in image pixels.
    TPoint FMenuPoint;
    // The clipboard's content last pasted and how often in a row: each paste lands 10 pixels further.
    QByteArray FLastPasted;
    int FPasteRepeat = 0;

    TFormProperties* FOwnProperties = nullptr;
    TFormBitmapLoader* FBitmapLoader = nullptr;
    // The picture last read from a file: loading the same unchanged file again (a re-import, New on
    // the same picture) shows the window's copy of it rather than decoding it anew.
    struct TLoadedPicture
    {
        QString Path;
        QDateTime Modified;
        qint64 Size = -1;
        qint64 Key = 0; // the window's image as loaded; any change to it gives another key
    };
    TLoadedPicture FLoadedPicture;
    TFormHTMLImport* FOwnImport = nullptr;
    bool FFirstPaintDone = false;
    bool FSceneLeftToExit = false;
    // ShowPicture sizes the scene itself, with the scene hidden meanwhile.
    bool FShowingPicture = false;
    QString FStartupFile;
    std::unique_ptr<TRecentFiles> FRecentFiles;
    bool FServicesLoaded = false;
    bool FServicesOnline = false;
    TMapDocument* FDocument = nullptr;
    TRecoveryFile* FRecovery = nullptr;
    QTimer* FRecoveryDebounce = nullptr;
    QTimer* FRecoveryTimer = nullptr;
    // The corner the corner menu was opened on.
    QPointer<TGUIRegion> FMenuPolygon;
    int FMenuVertex = -1;
    bool FRecoveryGathering = false;
    // A handle drag's region before it: its stacking position and value.
    int FReshapePosition = -1;
    MapArea FReshapeBefore;
    // The writer's text last put into the source view, and what it was written from: the scene's
    // shapes revision, the document's steps and the header's texts.
    TSourceLines FSourceLines;
    struct TSourceKey
    {
        quint64 Shapes = 0;
        quint64 Steps = 0;
        QString ImageFileName;
        QString MapName;
        AttributeList MapAttributes;
        bool operator==(const TSourceKey& Other) const;
    };
    TSourceKey SourceKey() const;

    // The Undo History and the Regions dock's editing (MainView.cpp).
    void CreateEditingDocks();
    void RegionTextEdited(TGUIRegion* Region, int Column, const QString& Text);
    QDockWidget* FDockUndoHistory = nullptr;
    // The View > Snap menu and its settings (MainSnap.cpp); the drags snap in the scene's tools.
    void CreateSnapMenu();
    void ReadSnapSettings(QSettings& Ini);
    void WriteSnapSettings(QSettings& Ini) const;
    QAction* FMISnapGrid = nullptr;
    QAction* FMIGridSize = nullptr;
    QAction* FMISnapPicture = nullptr;
    QAction* FMISnapRegions = nullptr;
    // Map Properties (MainMapProperties.cpp): the name, the picture and how paths are written.
    void CreateMapPropertiesCommand();
    void MIMapPropertiesClick();
    // The picture's path as the written HTML gives it: relative to the file written, when the
    // document writes relative paths and that file is known.
    QString WrittenPictureName() const;
    QAction* FMIMapProperties = nullptr;
    // The file a save is writing, which relative paths are taken against until it is the document's.
    QString FWritingTo;
    std::optional<TSourceKey> FSourceKey;
    quint64 FDocumentSteps = 0;
    int FSourceFills = 0;
    bool FShownTabFollowPending = false;
};
