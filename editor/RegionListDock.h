#pragma once

#include <QAbstractTableModel>
#include <QDockWidget>

class QTableView;
class TGUIRegion;
class TPTCustomGroup;

// The scene's regions as a table, front to back: kind, link and alternate text. It reads the
// scene's stacking order live and is reset when the scene reports a change of it.
class TRegionListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TRegionListModel(TPTCustomGroup* Scene, QObject* parent = nullptr);

    // The columns whose texts can be typed in place.
    static constexpr int LinkColumn = 1;
    static constexpr int AltTextColumn = 2;

    // The region shown in Row, or null.
    TGUIRegion* RegionAt(int Row) const;
    // The row of Region, or -1.
    int RowOf(const TGUIRegion* Region) const;
    // The stacking order changed: every row is read again.
    void Reload();
    // Links or texts changed: the rows repaint.
    void TextsChanged();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A typed link or alternate text is reported, not stored: the editor makes it a step.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void TextEdited(TGUIRegion* Region, int Column, const QString& Text);

private:
    TPTCustomGroup* FScene;
};

// The dockable "Regions" panel: finds and selects a region that is tiny, hidden behind another or
// beyond the picture. Its selection and the scene's are kept the same both ways.
class TRegionListDock : public QDockWidget
{
    Q_OBJECT

public:
    explicit TRegionListDock(TPTCustomGroup* Scene, QWidget* parent = nullptr);

    QTableView* List() const { return FList; }
    TRegionListModel* Model() const { return FModel; }

signals:
    // A row was double-clicked: its region, selected already, wants its properties.
    void PropertiesRequested();
    void TextEdited(TGUIRegion* Region, int Column, const QString& Text);

private:
    void SelectRow(int Row);
    void ListCurrentChanged(const QModelIndex& Current);

    TPTCustomGroup* FScene;
    TRegionListModel* FModel;
    QTableView* FList;
    bool FSyncing = false;
    int FColumn = 0; // the column last made current by the user
};
