#include "UnitHTMLImport.h"

#include "DefaultHRef.h"
#include "EditorDialogs.h"
#include "LongTask.h"
#include "MainWindowHelpers.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MapImport.h"
#include "MessageBoxes.h"
#include "PicturePlaceholder.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "Translation.h"
#include "UPTFrame.h"
#include "UnitImportNotes.h"
#include "UnitMain.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <optional>

#include <algorithm>

TFormHTMLImport* FormHTMLImport = nullptr;

namespace {

const int MapPositionRole = Qt::UserRole;
// True on the rows of maps that no image uses.
const int NoImageRole = Qt::UserRole + 1;

// The picture an import shows in place of one it cannot load: the size of the image's width and
// height attributes, or else of the areas' extent.
QSize placeholderSize(const ImportedMap& Map)
{
    qint64 right = 0;
    qint64 bottom = 0;
    for (const MapArea& area : Map.Areas) {
        if (area.shape == MapArea::Shape::Poly) {
            for (const QPoint& p : area.Vertices) {
                right = std::max<qint64>(right, p.x());
                bottom = std::max<qint64>(bottom, p.y());
            }
        } else {
            right = std::max(right, qint64(area.Left) + std::max(area.Width, 0));
            bottom = std::max(bottom, qint64(area.Top) + std::max(area.Height, 0));
        }
    }
    // A picture too small to read the path on helps nobody; one beyond any screen neither.
    const qint64 smallest = 100, largest = 1 << 14;
    const qint64 width = Map.ImageWidth > 0 ? Map.ImageWidth : std::clamp(right, smallest, largest);
    const qint64 height = Map.ImageHeight > 0 ? Map.ImageHeight : std::clamp(bottom, smallest, largest);
    return QSize(int(std::min(width, largest)), int(std::min(height, largest)));
}

} // namespace

TFormHTMLImport::TFormHTMLImport(TFormCorvantaZonequilter& MainForm, QWidget* parent)
    : QDialog(parent), FMainForm(MainForm)
{
    setObjectName(QStringLiteral("TFormHTMLImport"));
    setWindowTitle(QStringLiteral("Import Image Map"));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    SetDesignFont(this);

    // A client area of 433 x 217 inside a border of 8 pixels.
    const int border = 8;
    setFixedSize(433 + 2 * border, 217 + 2 * border);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setFocusPolicy(Qt::NoFocus);
    PageControl->tabBar()->setFocusPolicy(Qt::NoFocus);
    // The page caption is a full path: show it whole as far as it fits.
    PageControl->tabBar()->setElideMode(Qt::ElideLeft);
    PageControl->setGeometry(border, border, 433, 185);

    TabSheetImageMaps = new QWidget;
    TabSheetImageMaps->setObjectName(QStringLiteral("TabSheetImageMaps"));
    PageControl->addTab(TabSheetImageMaps, QStringLiteral("Image Maps"));

    PanelMessage =
        new QLabel(QStringLiteral("Please select an image map from this list."), TabSheetImageMaps);
    PanelMessage->setObjectName(QStringLiteral("PanelMessage"));
    PanelMessage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelMessage->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    PanelMessage->setMargin(3);
    PanelMessage->setFixedHeight(22);

    ListView = new QTreeWidget(TabSheetImageMaps);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setColumnCount(2);
    ListView->setHeaderLabels({QStringLiteral("Image Src"), QStringLiteral("UseMap")});
    ListView->setRootIsDecorated(false);
    ListView->setItemsExpandable(false);
    ListView->setUniformRowHeights(true);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    // "Image Src" takes whatever width "UseMap" leaves, at every size.
    QHeaderView* header = ListView->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->resizeSection(1, 100);

    auto* pageLayout = new QVBoxLayout(TabSheetImageMaps);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(PanelMessage);
    pageLayout->addWidget(ListView);

    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setGeometry(border + 264, border + 192, 81, 25);
    ButtonOK->setDefault(true);
    ButtonOK->setAutoDefault(true);

    ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setGeometry(border + 352, border + 192, 81, 25);
    ButtonCancel->setAutoDefault(false);

    connect(ButtonOK, &QPushButton::clicked, this, &TFormHTMLImport::ButtonOKClick);
    // QDialog closes with the Cancel result on Esc as well.
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListView, &QTreeWidget::itemSelectionChanged, this, &TFormHTMLImport::ListViewSelectionChanged);

    if (!FormHTMLImport)
        FormHTMLImport = this;
    FormCreate();
}

TFormHTMLImport::~TFormHTMLImport()
{
    if (FormHTMLImport == this)
        FormHTMLImport = nullptr;
}

void TFormHTMLImport::FormCreate()
{
    FDocument.Clear();
    FHTMLFileName.clear();
    FChosenInDialog = false;
    ButtonOK->setEnabled(false);
}

QString TFormHTMLImport::GetAttributeText(const HtmlElement& Element, const QString& Name)
{
    return Element.GetAttributeText(Name);
}

bool TFormHTMLImport::ExecuteImport()
{
    PageControl->setCurrentWidget(TabSheetImageMaps);
    TSharedFileDialog* openDialog = SharedOpenDialog();
    if (!ExecuteOpenDialog(openDialog->FileName(), HTMLFileFilter(), QString()))
        return false;
    return ImportChosenFile(openDialog->FileName(), false);
}

bool TFormHTMLImport::ImportNamedFile(const QString& FileName)
{
    PageControl->setCurrentWidget(TabSheetImageMaps);
    SharedOpenDialog()->SetFileName(FileName);
    return ImportChosenFile(FileName, true);
}

bool TFormHTMLImport::ImportChosenFile(const QString& FileName, bool OneMapAtOnce)
{
    if (!LoadHTMLFile(FileName))
        return false;
    FChosenInDialog = true;
    if (FDocument.Maps().isEmpty()) {
        AppMessageBox(QStringLiteral("No image maps were found in the selected HTML file."));
        return false;
    }
    if (OneMapAtOnce && EntryCount() == 1) {
        SelectEntry(0);
        return ButtonOKClick();
    }
    return exec() == QDialog::Accepted;
}

bool TFormHTMLImport::LoadHTMLFile(const QString& FileName)
{
    PageControl->setTabText(PageControl->indexOf(TabSheetImageMaps), FileName);
    FHTMLFileName = FileName;
    FChosenInDialog = false;
    // Entries of an earlier file would point into a document that is gone; it goes before the new
    // one is read, so that two large pages are never held at once, and on the reading thread: a
    // page of a million areas takes seconds to free.
    auto earlier = std::make_shared<HtmlDocument>(std::move(FDocument));
    FDocument.Clear();
    ListView->clear();
    ButtonOK->setEnabled(false);

    struct TLoaded
    {
        HtmlDocument Document;
        bool Ok = false;
        QString Error;
    };
    // Read and parsed on another thread: a large page takes seconds.
    std::optional<TLoaded> loaded;
    {
        TLongTask task(&FMainForm, QStringLiteral("Reading the HTML file..."));
        loaded = task.RunMeasured<TLoaded>(
            [FileName, earlier = std::move(earlier)](TWorkerProgress& progress) mutable {
                earlier.reset();
                HtmlReadProgress read;
                read.Cancel = &progress.Cancelled;
                read.Report = [&progress](qint64 done, qint64 total) { progress.Report(done, total); };
                TLoaded result;
                result.Ok = result.Document.LoadFromFile(FileName, &result.Error, &read);
                return result;
            },
            0, 100);
    }
    if (!loaded)
        return false;
    if (!loaded->Ok) {
        ShowError(loaded->Error);
        return false;
    }
    FDocument = std::move(loaded->Document);

    const QVector<ImageMapEntry> entries = FindImageMaps(FDocument);
    QList<QTreeWidgetItem*> items;
    items.reserve(entries.size());
    for (const ImageMapEntry& entry : entries) {
        auto* item = new QTreeWidgetItem({entry.ImageSrc, entry.UseMap});
        item->setData(0, MapPositionRole, entry.MapPosition);
        items.append(item);
    }
    // Maps that no image uses come after the images, named as an image would name them.
    const QString noImage = TranslateText(QStringLiteral("(no image)"), QStringLiteral("TFormHTMLImport"));
    for (int position : MapsWithoutImage(FDocument)) {
        auto* item = new QTreeWidgetItem({noImage, QLatin1Char('#') + FDocument.Maps()[position].Name()});
        item->setData(0, MapPositionRole, position);
        item->setData(0, NoImageRole, true);
        items.append(item);
    }
    ListView->addTopLevelItems(items);
    ListView->clearSelection();
    ListView->setCurrentItem(nullptr);
    ButtonOK->setEnabled(false);
    return true;
}

int TFormHTMLImport::EntryCount() const
{
    return ListView->topLevelItemCount();
}

bool TFormHTMLImport::SelectEntry(int Index)
{
    QTreeWidgetItem* item = ListView->topLevelItem(Index);
    if (!item)
        return false;
    ListView->setCurrentItem(item);
    item->setSelected(true);
    return true;
}

ImageMapEntry TFormHTMLImport::Entry(int Index) const
{
    ImageMapEntry entry;
    if (QTreeWidgetItem* item = ListView->topLevelItem(Index)) {
        entry.ImageSrc = item->text(0);
        entry.UseMap = item->text(1);
        entry.MapPosition = item->data(0, MapPositionRole).toInt();
    }
    return entry;
}

void TFormHTMLImport::ListViewSelectionChanged()
{
    const QList<QTreeWidgetItem*> selected = ListView->selectedItems();
    ListViewSelectItem(selected.isEmpty() ? nullptr : selected.first(), !selected.isEmpty());
}

void TFormHTMLImport::ListViewSelectItem(QTreeWidgetItem* Item, bool Selected)
{
    Q_UNUSED(Item);
    ButtonOK->setEnabled(Selected);
}

bool TFormHTMLImport::ButtonOKClick()
{
    const QList<QTreeWidgetItem*> selected = ListView->selectedItems();
    if (selected.isEmpty())
        return false;
    const int row = ListView->indexOfTopLevelItem(selected.first());
    const bool withImage = !selected.first()->data(0, NoImageRole).toBool();

    TLongTask task(&FMainForm, QStringLiteral("Importing the image map..."));
    // Everything is read and checked first, on another thread: a map that cannot be imported, or an
    // import the user calls off, leaves the document exactly as it was.
    std::optional<ImportedMap> read = task.RunMeasured<ImportedMap>(
        [document = FDocument, entry = Entry(row), file = FHTMLFileName,
         withImage](TWorkerProgress& progress) {
            HtmlReadProgress reading;
            reading.Cancel = &progress.Cancelled;
            reading.Report = [&progress](qint64 done, qint64 total) { progress.Report(done, total); };
            return withImage ? ImportImageMap(document, entry, file, &reading)
                             : ImportMapWithoutImage(document, entry.MapPosition, &reading);
        },
        0, 20);
    if (!read)
        return false;
    const ImportedMap& map = *read;
    if (!map.Ok) {
        ShowError(map.ErrorMessage);
        accept();
        return false;
    }
    if (!map.Notes.isEmpty()) {
        // Over the list when it shows, else (an import without the list) over the main window.
        TFormImportNotes notes(isVisible() ? static_cast<QWidget*>(this) : &FMainForm);
        if (!notes.Confirm(map.MapName, map.Notes))
            return false;
    }
    // A map without a picture of its own goes on the current one; with none yet, the user picks one.
    QString chosenPicture;
    if (!withImage && FMainForm.Document()->ImageFileName().isEmpty()) {
        if (!ExecuteOpenDialog(QString(), PictureFileFilter(), QString()))
            return false;
        chosenPicture = SharedOpenDialog()->FileName();
    }

    TMapDocument* document = FMainForm.Document();
    // The map before is read with the window going on; a Cancel meanwhile stops the building.
    const TDocumentSnapshot before =
        document->Snapshot([&task](qsizetype Done, qsizetype Total) { task.Step(Done, Total, 20, 20); });
    if (!BuildRegions(task, map.Areas)) {
        // The previous map was only set aside: it comes back at once, whatever its size.
        FMainForm.PanelScene->RestoreHeldShapes();
        document->Select(before.Selected);
        FreeInPool(std::move(*read));
        return false;
    }
    FMainForm.PanelScene->ReleaseHeldShapes();
    QString imageError;
    if (withImage)
        ShowImportedPicture(map);
    else if (!chosenPicture.isEmpty())
        FMainForm.LoadImage(chosenPicture, &imageError);
    document->SetMap(map.MapName, map.MapAttributes);
    PageMapOrigin origin = PageMapOrigin::Of(FHTMLFileName, map);
    origin.PictureFile = document->ImageFileName();
    document->SetPageOrigin(std::move(origin));
    FMainForm.PageControl->setCurrentWidget(FMainForm.TabSheetEdit);
    const QString documentFile = FChosenInDialog ? FHTMLFileName : QString();
    document->SetFileName(documentFile, documentFile);
    FMainForm.FormActivate();
    if (FChosenInDialog)
        FMainForm.AddRecentFile(FHTMLFileName);
    // With the picture in place, so that the scene's rectangle stays as it is afterwards.
    FMainForm.PanelScene->PrepareLookups([&task] { task.Step(95); });
    // The page's areas are regions now; a million of them take a while to free.
    QVector<MapArea> pageAreas = std::move(read->Areas);
    read.reset();
    FreeInSlices(pageAreas, [&task] { task.Step(95); });
    // The map is the document's by now: the step is recorded whatever the user does meanwhile.
    document->RecordReplacement(before, EditorText(QStringLiteral("Import Image Map")),
                                [&task](qsizetype Done, qsizetype Total) { task.Step(Done, Total, 95, 100); });
    // A map read from the file the document is now named after is what that file holds: nothing
    // to save until the next change (undoing the import is one).
    if (FChosenInDialog)
        document->MarkSaved();
    if (!imageError.isEmpty())
        ShowError(imageError);
    accept();
    return true;
}

bool TFormHTMLImport::BuildRegions(TLongTask& Task, const QVector<MapArea>& Areas)
{
    TPTGroup* scene = FMainForm.PanelScene;
    // The scene is not drawn while it fills: a repaint of a half-built map costs more than the
    // building.
    scene->setUpdatesEnabled(false);
    scene->HoldShapes();
    // Each region is put on top of those before it: creating them from the last area back makes
    // the first area front-most, so the writer gives the areas back in the file's order and a
    // browser picks the same area where areas overlap.
    constexpr int slice = 2048;
    const qint64 count = Areas.size();
    bool built = true;
    {
        // One update of the editable area and one ShapesChanged for the whole map, and one look at
        // the default link's record: each region's own link replaces it anyway.
        TDefaultHRefBatch oneLookup;
        scene->BeginBulkAdd();
        for (qint64 done = 0; built && done < count; ++done) {
            if (done % slice == 0) {
                scene->IndexNewShapes();
                built = Task.Step(done, count, 20, 95);
            }
            if (built)
                CreateRegion(scene, Areas[int(count - 1 - done)]);
        }
        scene->EndBulkAdd();
    }
    scene->setUpdatesEnabled(true);
    return built;
}

bool TFormHTMLImport::LoadPicture(const QString& Path)
{
    return FMainForm.LoadImage(Path);
}

void TFormHTMLImport::ShowImportedPicture(const ImportedMap& Map)
{
    if (LoadPicture(Map.ImagePath))
        return;
    for (const QString& path : FallbackImagePaths(FHTMLFileName, Map.ImageSrc))
        if (LoadPicture(path))
            return;
    // The page keeps naming its own picture: the written IMG points where the page pointed, a web
    // address included.
    const QUrl url(Map.ImageSrc);
    const bool webAddress = url.scheme().size() > 1 && !url.host().isEmpty();
    const QString name = webAddress ? Map.ImageSrc : Map.ImagePath;
    FMainForm.ShowPicture(MakePicturePlaceholder(placeholderSize(Map), name), name);
}

void TFormHTMLImport::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
