#include "ProblemsDock.h"

#include "EditorDialogs.h"
#include "MapDocument.h"
#include "TGUIRegion.h"
#include "UPTFrame.h"
#include "UnitMain.h"
#include "UnitProperties.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace {
// The document's areas front-most first, as the writer and the checker take them.
QVector<MapArea> FrontFirstAreas(const TMapDocument& Document)
{
    QVector<MapArea> areas = Document.Snapshot().Areas;
    std::reverse(areas.begin(), areas.end());
    return areas;
}

// Local links are looked for beside the file the document is, or the page it came from.
QString PageFolder(const TMapDocument& Document)
{
    const QString file =
        !Document.FileName().isEmpty() ? Document.FileName() : Document.PageOrigin().FileName;
    return file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
}

// What the page findings depend on: the page file as it is on disk and the map's place in it.
QString PageKey(const PageMapOrigin& Origin)
{
    if (!Origin.IsValid())
        return QString();
    const QFileInfo info(Origin.FileName);
    return QStringLiteral("%1\n%2 %3 %4 %5 %6")
        .arg(info.absoluteFilePath(), QString::fromLatin1(Origin.MapDigest.toHex()))
        .arg(Origin.MapOffset)
        .arg(Origin.MapLength)
        .arg(info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1)
        .arg(info.size());
}
} // namespace

TProblemsDock::TProblemsDock(TFormCorvantaZonequilter& Window)
    : QDockWidget(EditorText(QStringLiteral("Problems")), &Window), FWindow(Window)
{
    setObjectName(QStringLiteral("DockProblems"));
    FList = new QTreeWidget(this);
    FList->setObjectName(QStringLiteral("ProblemsList"));
    FList->setRootIsDecorated(false);
    FList->setColumnCount(3);
    FList->setHeaderLabels({EditorText(QStringLiteral("Severity")), EditorText(QStringLiteral("Region")),
                            EditorText(QStringLiteral("Problem"))});
    FList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FList->header()->setStretchLastSection(true);
    FList->setContextMenuPolicy(Qt::CustomContextMenu);
    setWidget(FList);

    FAddAltText = new QAction(EditorText(QStringLiteral("Add alternate text...")), this);
    FAddAltText->setObjectName(QStringLiteral("MIAddAltText"));
    connect(FAddAltText, &QAction::triggered, this, [this] {
        if (!SelectFinding(FList->currentIndex().row()))
            return;
        // The properties dialog opens with the alternate text to be typed.
        QTimer::singleShot(0, this, [this] {
            if (TFormProperties* dialog = FWindow.PropertiesDialog(); dialog && dialog->isVisible())
                dialog->EditAltText->setFocus(Qt::OtherFocusReason);
        });
        FWindow.MenuItemProperties->trigger();
    });

    FRefresh = new QTimer(this);
    FRefresh->setSingleShot(true);
    FRefresh->setInterval(150);
    connect(FRefresh, &QTimer::timeout, this, &TProblemsDock::Refresh);
    TMapDocument* document = Window.Document();
    connect(document, &TMapDocument::Changed, this, [this](const TDocumentChange& Change) {
        if (Change.Step || Change.Has(TDocumentChange::Header))
            ScheduleRefresh();
    });
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool Visible) {
        if (Visible)
            ScheduleRefresh();
    });
    connect(FList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* Item) { SelectFinding(FList->indexOfTopLevelItem(Item)); });
    connect(FList, &QWidget::customContextMenuRequested, this, &TProblemsDock::ShowMenu);
}

void TProblemsDock::ScheduleRefresh()
{
    // A hidden panel checks nothing: a large map costs a moment per check.
    if (isVisible())
        FRefresh->start();
}

void TProblemsDock::Refresh()
{
    FRefresh->stop();
    const TMapDocument& document = *FWindow.Document();
    const QVector<MapArea> areas = FrontFirstAreas(document);
    FAreaCount = areas.size();
    MapCheckContext context;
    context.Picture = document.Picture().size();
    context.PageFolder = PageFolder(document);
    FFindings = CheckMapAreas(areas, context);
    UpdatePageFindings();

    FList->clear();
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QIcon note = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    QList<QTreeWidgetItem*> items;
    const auto addRow = [&](const MapFinding& Finding, const QString& Subject, const QString& Tip) {
        const bool isWarning = Finding.Level == MapFinding::Severity::Warning;
        auto* item = new QTreeWidgetItem(
            {isWarning ? EditorText(QStringLiteral("Warning")) : EditorText(QStringLiteral("Note")), Subject,
             Finding.Message});
        item->setIcon(0, isWarning ? warning : note);
        for (int column = 0; column < 3; ++column)
            item->setToolTip(column, Tip);
        items.append(item);
    };
    for (const MapFinding& finding : std::as_const(FFindings))
        addRow(finding, finding.Area >= 0 ? AreaLabel(finding.Area + 1, areas[finding.Area]) : QString(),
               finding.Message);
    // The page's own findings have no region; their place in the page is in the tip.
    const QString pageName = QDir::toNativeSeparators(document.PageOrigin().FileName);
    for (const PageFinding& finding : std::as_const(FPageFindings)) {
        FFindings.append(finding.Finding);
        addRow(finding.Finding, finding.Subject, FindingLine(pageName, finding));
    }
    if (!FPageError.isEmpty()) {
        MapFinding unread;
        unread.Level = MapFinding::Severity::Note;
        unread.Message = FPageError;
        FFindings.append(unread);
        addRow(unread, QString(), FPageError);
    }
    if (items.isEmpty()) {
        auto* item =
            new QTreeWidgetItem({QString(), QString(), EditorText(QStringLiteral("No problems found."))});
        item->setFlags(Qt::ItemIsEnabled);
        items.append(item);
    }
    FList->addTopLevelItems(items);
    FList->viewport()->update();
}

void TProblemsDock::UpdatePageFindings()
{
    const PageMapOrigin& origin = FWindow.Document()->PageOrigin();
    const QString key = PageKey(origin);
    if (key == FPageKey)
        return;
    FPageKey = key;
    FPageFindings.clear();
    FPageError.clear();
    if (key.isEmpty())
        return;
    LoadedPage page;
    if (LoadPage(origin.FileName, &page, &FPageError))
        FPageFindings = CheckPageItself(page);
}

bool TProblemsDock::SelectFinding(int Row)
{
    if (Row < 0 || Row >= FFindings.size() || FFindings[Row].Area < 0)
        return false;
    TMapDocument* document = FWindow.Document();
    // Findings count front to back; the document's positions bottom to top.
    const int position = FAreaCount - 1 - FFindings[Row].Area;
    TGUIRegion* region = document->RegionAt(position);
    if (!region)
        return false;
    document->Select(position);
    FWindow.PageControl->setCurrentWidget(FWindow.TabSheetEdit);
    FWindow.PanelScene->ensureVisible(
        QRectF(region->Left(), region->Top(), region->Width(), region->Height()), 20, 20);
    return true;
}

QAction* TProblemsDock::FixFor(int Row)
{
    if (Row < 0 || Row >= FFindings.size())
        return nullptr;
    return FFindings[Row].What == MapFinding::Rule::NoAltText ? FAddAltText : nullptr;
}

void TProblemsDock::ShowMenu(const QPoint& Pos)
{
    const QModelIndex index = FList->indexAt(Pos);
    if (QAction* fix = FixFor(index.row())) {
        FList->setCurrentIndex(index);
        QMenu menu(this);
        QAction* offered = menu.addAction(fix->text());
        // The fix runs once the menu and the list's own event are done with: its dialog steps the
        // map, and the list is filled anew under it.
        if (menu.exec(FList->viewport()->mapToGlobal(Pos)) == offered)
            QMetaObject::invokeMethod(fix, &QAction::trigger, Qt::QueuedConnection);
    }
}
