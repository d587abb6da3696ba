#include "RegionListDock.h"

#include "EditorDialogs.h"
#include "TGUIRegion.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTableView>

namespace {

QString Translate(const char* Text)
{
    return EditorText(QString::fromLatin1(Text));
}

QString KindText(const TGUIRegion* Region)
{
    if (qobject_cast<const TUIRectangle*>(Region))
        return Translate("Rectangle");
    if (qobject_cast<const TUICircle*>(Region))
        return Translate("Circle");
    if (qobject_cast<const TUIPolygon*>(Region))
        return Translate("Polygon");
    return QString();
}

} // namespace

TRegionListModel::TRegionListModel(TPTCustomGroup* Scene, QObject* parent)
    : QAbstractTableModel(parent), FScene(Scene)
{
}

TGUIRegion* TRegionListModel::RegionAt(int Row) const
{
    const QList<TGUIShape*>& shapes = FScene->Shapes();
    if (Row < 0 || Row >= shapes.size())
        return nullptr;
    // The front of the stack first.
    return qobject_cast<TGUIRegion*>(shapes[shapes.size() - 1 - Row]);
}

int TRegionListModel::RowOf(const TGUIRegion* Region) const
{
    const QList<TGUIShape*>& shapes = FScene->Shapes();
    const int index = shapes.indexOf(const_cast<TGUIRegion*>(Region));
    return index < 0 ? -1 : int(shapes.size()) - 1 - index;
}

void TRegionListModel::Reload()
{
    beginResetModel();
    endResetModel();
}

void TRegionListModel::TextsChanged()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

int TRegionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FScene->Shapes().size());
}

int TRegionListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant TRegionListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::EditRole)
        return QVariant();
    const TGUIRegion* region = RegionAt(index.row());
    if (!region)
        return QVariant();
    switch (index.column()) {
    case 0:
        return KindText(region);
    case 1:
        return region->HRef;
    case 2:
        return region->AltText;
    }
    return QVariant();
}

QVariant TRegionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case 0:
        return Translate("Kind");
    case 1:
        return Translate("Link");
    case 2:
        return Translate("Alternate Text");
    }
    return QVariant();
}

Qt::ItemFlags TRegionListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.column() == LinkColumn || index.column() == AltTextColumn)
        result |= Qt::ItemIsEditable;
    return result;
}

bool TRegionListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TGUIRegion* region = RegionAt(index.row());
    if (role != Qt::EditRole || !region || (index.column() != LinkColumn && index.column() != AltTextColumn))
        return false;
    emit TextEdited(region, index.column(), value.toString());
    return true;
}

TRegionListDock::TRegionListDock(TPTCustomGroup* Scene, QWidget* parent)
    : QDockWidget(Translate("Regions"), parent), FScene(Scene)
{
    setObjectName(QStringLiteral("DockRegions"));
    FModel = new TRegionListModel(Scene, this);
    FList = new QTableView(this);
    FList->setObjectName(QStringLiteral("ListRegions"));
    FList->setModel(FModel);
    FList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click is for the properties; a click on the selected row's text or F2 types in place.
    FList->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    FList->setAlternatingRowColors(true);
    FList->setWordWrap(false);
    // Uniform rows: thousands of regions must not be measured one by one.
    FList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FList->verticalHeader()->setDefaultSectionSize(FList->fontMetrics().height() + 4);
    FList->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    FList->horizontalHeader()->setStretchLastSection(true);
    setWidget(FList);

    connect(Scene, &TPTCustomGroup::ShapesChanged, this, [this] {
        FSyncing = true;
        FModel->Reload();
        SelectRow(FModel->RowOf(FScene->FocusedRegion()));
        FSyncing = false;
    });
    connect(Scene, &TPTCustomGroup::RegionFocused, this, [this](TGUIRegion* Region, int, int) {
        FSyncing = true;
        SelectRow(FModel->RowOf(Region));
        FSyncing = false;
    });
    connect(Scene, &TPTCustomGroup::RegionFocusLost, this, [this](TGUIRegion*) {
        // A region being dragged loses the focus for the drag's length: the row stays marked.
        if (FScene->DragControl())
            return;
        FSyncing = true;
        SelectRow(FModel->RowOf(FScene->FocusedRegion()));
        FSyncing = false;
    });
    connect(FModel, &TRegionListModel::TextEdited, this, &TRegionListDock::TextEdited);
    connect(FList, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& Index) {
        if (TGUIRegion* region = FModel->RegionAt(Index.row()); region && region == FScene->FocusedRegion())
            emit PropertiesRequested();
    });
    connect(FList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& Current) {
                if (!FSyncing && Current.isValid())
                    FColumn = Current.column();
            });
    connect(FList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& Current) { ListCurrentChanged(Current); });
}

void TRegionListDock::SelectRow(int Row)
{
    QItemSelectionModel* selection = FList->selectionModel();
    if (Row < 0) {
        selection->clear();
        return;
    }
    // The column the user is in stays current, so that F2 edits the text there.
    const QModelIndex index = FModel->index(Row, FColumn);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FList->scrollTo(index);
}

void TRegionListDock::ListCurrentChanged(const QModelIndex& Current)
{
    if (FSyncing || !Current.isValid())
        return;
    TGUIRegion* region = FModel->RegionAt(Current.row());
    if (!region || region == FScene->FocusedRegion())
        return;
    const bool listHadFocus = FList->hasFocus();
    FScene->ClearRegionFocus();
    region->SetFocus();
    // Selecting keeps the keyboard in the list, so the user can walk on through it.
    if (listHadFocus)
        FList->setFocus(Qt::OtherFocusReason);
    // Show it, wherever it lies.
    FScene->ensureVisible(QRectF(region->Left(), region->Top(), region->Width(), region->Height()), 20, 20);
}
