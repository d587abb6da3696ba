#include "UnitHTMLImport.h"

#include "EditorDialogs.h"
#include "LongTask.h"
#include "MainWindowHelpers.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MapImport.h"
#include "MessageBoxes.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"
#include "UnitMain.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

TFormHTMLImport* FormHTMLImport = nullptr;

namespace {

const int MapPositionRole = Qt::UserRole;

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
    if (EntryCount() == 0) {
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
        loaded = task.Run<TLoaded>(
            [FileName] {
                TLoaded result;
                result.Ok = result.Document.LoadFromFile(FileName, &result.Error);
                return result;
            },
            0);
    }
    // Entries of an earlier file would point into a document that is gone.
    FDocument.Clear();
    ListView->clear();
    ButtonOK->setEnabled(false);
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
    const ImageMapEntry entry = Entry(ListView->indexOfTopLevelItem(selected.first()));

    TLongTask task(&FMainForm, QStringLiteral("Importing the image map..."));
    // Everything is read and checked first, on another thread: a map that cannot be imported
    // leaves the document exactly as it was.
    const std::optional<ImportedMap> map = task.Run<ImportedMap>(
        [document = FDocument, entry, file = FHTMLFileName] { return ImportImageMap(document, entry, file); },
        0);
    if (!map)
        return false;
    if (!map->Ok) {
        ShowError(map->ErrorMessage);
        accept();
        return false;
    }
    TMapDocument* document = FMainForm.Document();
    const TDocumentSnapshot before = document->Snapshot();
    if (!BuildRegions(task, map->Areas)) {
        document->Restore(before);
        return false;
    }

    QString imageError;
    const bool imageLoaded = FMainForm.LoadImage(map->ImagePath, &imageError);
    FMainForm.FMapName = map->MapName;
    FMainForm.PageControl->setCurrentWidget(FMainForm.TabSheetEdit);
    SharedSaveDialog()->SetFileName(FChosenInDialog ? SharedOpenDialog()->FileName() : QString());
    FMainForm.FormActivate();
    if (FChosenInDialog)
        FMainForm.AddRecentFile(FHTMLFileName);
    document->RecordReplacement(before, EditorText(QStringLiteral("Import Image Map")));
    // A map read from the file the document is now named after is what that file holds: nothing
    // to save until the next change (undoing the import is one).
    if (FChosenInDialog)
        document->MarkSaved();
    if (!imageLoaded)
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
    scene->DestroyRegions();
    // Each region is put on top of those before it: creating them from the last area back makes
    // the first area front-most, so the writer gives the areas back in the file's order and a
    // browser picks the same area where areas overlap.
    constexpr int slice = 2048;
    const qint64 count = Areas.size();
    bool built = true;
    for (qint64 done = 0; built && done < count; ++done) {
        built = done % slice != 0 || Task.Step(done, count, 20, 95);
        if (built)
            CreateRegion(scene, Areas[int(count - 1 - done)]);
    }
    scene->setUpdatesEnabled(true);
    return built;
}

void TFormHTMLImport::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
