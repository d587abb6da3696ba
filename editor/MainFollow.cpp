// The window follows its document: after every step, undo and redo, whichever tab is shown, each
// view shows the document as it is now.
#include "UnitMain.h"

#include "MapDocument.h"
#include "SceneTools.h"
#include "UPTFrame.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>

void TFormCorvantaZonequilter::ConnectDocumentViews()
{
    // The views follow the document's steps; a selection or a name changed outside the history is
    // followed where it is made.
    connect(FDocument, &TMapDocument::Changed, this, [this](const TDocumentChange& Change) {
        if (Change.Step)
            DocumentChanged();
    });
    // The pointer's position belongs to the scene: on another tab, or off the picture, there is none.
    connect(PageControl, &QTabWidget::currentChanged, StatusPanel1, &QLabel::clear);
    connect(PanelScene, &TPTCustomGroup::PointerOffPicture, StatusPanel1, &QLabel::clear);
    // A press around the picture is a press on nothing: the selection goes, as on empty picture.
    connect(PanelScene, &TPTCustomGroup::PressedAroundPicture, this, [this](Qt::MouseButton Button) {
        if (Button == Qt::LeftButton && FTools->Corners().isEmpty())
            ClearActiveControl();
    });
}

void TFormCorvantaZonequilter::DocumentChanged()
{
    // Texts change through steps only: with the scene's revision, this tells the Source it is current.
    ++FDocumentSteps;
    // A step can move the selected region in the stacking order without selecting anew.
    UpdateRegionCommands();
    // The caption and Save Into Page follow the document's file and page.
    FormActivate();
    // The scene and the Regions dock follow the regions themselves; the text views are rewritten once
    // the step is over, once for a run of steps.
    if (FShownTabFollowPending)
        return;
    FShownTabFollowPending = true;
    QTimer::singleShot(0, this, [this] {
        FShownTabFollowPending = false;
        FollowDocumentOnShownTab();
    });
}

void TFormCorvantaZonequilter::FollowDocumentOnShownTab()
{
    QWidget* page = PageControl->currentWidget();
    if (page != TabSheetSource && page != TabSheetPreview)
        return;
    // Only the lines of the regions that changed are rewritten; an unchanged document is left alone.
    const int fills = FSourceFills;
    if (!RefreshHTML())
        return;
    if (page == TabSheetPreview && FSourceFills != fills)
        PageControlChange();
}
