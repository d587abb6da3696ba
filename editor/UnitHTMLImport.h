#pragma once

#include "HtmlDocument.h"
#include "MapArea.h"
#include "MapDiscovery.h"
#include "MapImport.h"

#include <QDateTime>
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TFormCorvantaZonequilter;
class TLongTask;

// The dialog that lists the image maps of an HTML file and imports the chosen
// one into the main window's document. The import is all or nothing: every
// area of the map is read and checked before the document is touched.
class TFormHTMLImport : public QDialog
{
    Q_OBJECT

public:
    explicit TFormHTMLImport(TFormCorvantaZonequilter& MainForm, QWidget* parent = nullptr);
    ~TFormHTMLImport() override;

    // Asks for an HTML file, lists its image maps and shows the dialog
    // modally; true exactly when the dialog was closed with OK.
    bool ExecuteImport();
    // Imports from a file named outside the dialog (command line, drop, recent files): one map
    // is imported at once, several are listed as by ExecuteImport. The file then counts as
    // chosen: the next open dialog starts there and the document takes its name.
    bool ImportNamedFile(const QString& FileName);

    // Loads the file into FDocument and fills the list; no entry is selected
    // afterwards. False, after the error message has been shown, when the file
    // cannot be read: the document and the list are then empty.
    bool LoadHTMLFile(const QString& FileName);

    // The number of entries in the list, and selecting one of them (as the
    // start-up import does with the first); false for an index out of range.
    int EntryCount() const;
    bool SelectEntry(int Index);
    // The entry of a list row, as listed.
    ImageMapEntry Entry(int Index) const;

    // The HTML file last given to LoadHTMLFile.
    QString HTMLFileName() const { return FHTMLFileName; }

    // An attribute's value as text; empty when the element lacks it.
    static QString GetAttributeText(const HtmlElement& Element, const QString& Name);

    QTabWidget* PageControl = nullptr;
    QWidget* TabSheetImageMaps = nullptr;
    QLabel* PanelMessage = nullptr;
    QTreeWidget* ListView = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

public slots:
    void FormCreate();
    // Enables OK exactly while an entry is selected.
    void ListViewSelectItem(QTreeWidgetItem* Item, bool Selected);
    // Imports the selected entry into the main window and closes the dialog
    // with the OK result. True when the map became the document; with no entry
    // selected nothing happens.
    bool ButtonOKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ListViewSelectionChanged();
    // Replaces the scene's regions with Areas' in slices, as part of Task; false when the user
    // cancelled, with the scene holding part of them.
    bool BuildRegions(TLongTask& Task, const QVector<MapArea>& Areas);
    // Loads and lists the chosen file, then imports: at once when OneMapAtOnce and it holds one
    // map, else through the dialog.
    bool ImportChosenFile(const QString& FileName, bool OneMapAtOnce);
    // Loads the map's picture, trying the page's own folders for a web address or a site-root
    // path; shows a placeholder naming the missing file when none loads.
    void ShowImportedPicture(const ImportedMap& Map);
    // Loads the picture at Path into the window; false when it cannot be read.
    bool LoadPicture(const QString& Path);

    TFormCorvantaZonequilter& FMainForm;
    HtmlDocument FDocument;
    QString FHTMLFileName;
    // True when the file in FDocument was chosen in the shared open dialog:
    // the import then makes it the document's file name.
    bool FChosenInDialog = false;
};

// The program's one import dialog, set by the first TFormHTMLImport that is
// created and cleared when it is destroyed.
extern TFormHTMLImport* FormHTMLImport;
