// Import, Save As and the Source's refresh of a large map through the real window: cancelled
// at any point, each leaves the document, the Source and the saved file as they were.
#include "EditorFixture.h"
#include "GeneratedMap.h"
#include "ImageMapWriter.h"
#include "LongTask.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "RecoveryFile.h"
#include "RegionCommands.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UPTFrame.h"
#include "UnitHTMLImport.h"
#include "WindowParts.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QUndoStack>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

namespace {
constexpr int LargeCount = 6000;

QString WriterText(const TFormCorvantaZonequilter& Window)
{
    return BuildImageMapHTML(Window.Document()->ImageFileName(), Window.Document()->MapName(),
                             GatherMapAreas(*Find<TPTGroup>(Window, "PanelScene")));
}

QByteArray FileBytes(const QString& Path)
{
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestLongTasks : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cancelLeavesEverythingAsItWas_data();
    void cancelLeavesEverythingAsItWas();
    void uncancelledTasksComplete();
    void undoOfALargeMapShowsProgress();
    void sourceIsWrittenOnlyAfterAChange_data();
    void sourceIsWrittenOnlyAfterAChange();
    void sourceFollowsEachEditInPlace();
    void recoveryWaitsForTheImport();
    void newFreesALargeMapInSlices();
    void exitLeavesTheSceneToTheSystem();

private:
    // A page of Count generated areas on a picture in the test's folder.
    QString WritePage(const QString& Name, int Count);
    // Cancels the first task whose label holds Label once it reaches Percent.
    void CancelAt(const QString& Label, int Percent);

    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<MainWindowFixture> FWindow;
    QStringList FMessages;
    bool FCancelled = false;
};

QString TestLongTasks::WritePage(const QString& Name, int Count)
{
    QImage picture(3200, 2200, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.save(FDir->filePath("big.png"));
    const QString path = FDir->filePath(Name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(ToCrLfLines(BuildImageMapHTML("big.png", Name, GenerateMapAreas(Count))).toUtf8());
    return path;
}

void TestLongTasks::CancelAt(const QString& Label, int Percent)
{
    FCancelled = false;
    TLongTask::SetObserver([=](TLongTask& Task, int At) {
        if (!FCancelled && At >= Percent && Task.Dialog()->labelText().contains(Label)) {
            FCancelled = true;
            Task.Cancel();
        }
    });
}

void TestLongTasks::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    FMessages.clear();
    SetMessageBoxRunner([this](QMessageBox& box) {
        FMessages += box.text();
        return QMessageBox::Ok;
    });
    FWindow = std::make_unique<MainWindowFixture>();
    QVERIFY(FWindow->Ready);
    // The document the cancelled tasks must leave alone: a map of its own, saved once.
    QVERIFY(FWindow->Window->ImportDialog()->ImportNamedFile(WritePage("small.htm", 40)));
    QCOMPARE(FWindow->Regions().size(), 40);
}

void TestLongTasks::cleanup()
{
    TLongTask::SetObserver({});
    SetDialogRunner({});
    FWindow.reset();
    SetMessageBoxRunner({});
    QCOMPARE(FMessages, QStringList());
}

void TestLongTasks::cancelLeavesEverythingAsItWas_data()
{
    QTest::addColumn<QString>("task");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("percent");

    QTest::newRow("import, reading") << "import"
                                     << "Reading" << 0;
    QTest::newRow("import, reading, a third") << "import"
                                              << "Reading" << 33;
    QTest::newRow("import, parsing") << "import"
                                     << "Reading" << 60;
    QTest::newRow("import, parsed") << "import"
                                    << "Reading" << 100;
    QTest::newRow("import, checking the areas") << "import"
                                                << "Importing" << 0;
    QTest::newRow("import, reading the areas") << "import"
                                               << "Importing" << 10;
    QTest::newRow("import, first regions") << "import"
                                           << "Importing" << 21;
    QTest::newRow("import, last regions") << "import"
                                          << "Importing" << 70;
    QTest::newRow("save, refreshing") << "save"
                                      << "Saving" << 10;
    QTest::newRow("save, writing the text") << "save"
                                            << "Saving" << 39;
    QTest::newRow("save, on disk") << "save"
                                   << "Saving" << 60;
    QTest::newRow("save into page, reading the page") << "page"
                                                      << "Saving" << 0;
    QTest::newRow("save into page, reading the regions") << "page"
                                                         << "Saving" << 20;
    QTest::newRow("save into page, rewriting the page") << "page"
                                                        << "Saving" << 40;
    QTest::newRow("save into page, on disk") << "page"
                                             << "Saving" << 70;
    QTest::newRow("Source tab, reading the regions") << "source"
                                                     << "Writing" << 10;
    QTest::newRow("Source tab, writing the text") << "source"
                                                  << "Writing" << 50;
}

void TestLongTasks::cancelLeavesEverythingAsItWas()
{
    QFETCH(QString, task);
    QFETCH(QString, label);
    QFETCH(int, percent);
    TFormCorvantaZonequilter& window = *FWindow->Window;
    // Save and the Source work on a large document; the import replaces the small one by one.
    if (task != "import")
        QVERIFY(window.ImportDialog()->ImportNamedFile(WritePage("large.htm", LargeCount)));
    const QString saved = FDir->filePath("saved.htm");
    QFile old(saved);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the old file\r\n");
    old.close();
    window.RefreshHTML();
    // A change since the Source was written: the save and the Source have the text to write again.
    // The Source's own rows move every region, so that its text is written whole on another thread
    // rather than line by line.
    const auto moving = FWindow->Regions();
    for (int i = 0; i < (task == "source" ? moving.size() : 1); ++i)
        moving[i]->SetBounds(moving[i]->Left() + 1, moving[i]->Top(), moving[i]->Width(),
                             moving[i]->Height());
    const QString writer = WriterText(window);
    const QString source = Find<QsciScintilla>(window, "SynEdit")->text();
    const QString documentName = SharedSaveDialog()->FileName();
    const QString page = window.Document()->PageOrigin().FileName;
    const QByteArray pageBytes = FileBytes(page);
    const auto before = FWindow->Regions();
    const int regions = before.size();
    const int steps = window.Document()->UndoStack()->count();
    const bool modified = window.Document()->IsModified();
    before[5]->SetFocus();

    CancelAt(label, percent);
    if (task == "import") {
        QVERIFY(!window.ImportDialog()->ImportNamedFile(WritePage("large.htm", LargeCount)));
    } else if (task == "save") {
        SetDialogRunner(ChooseFileRunner(saved));
        Find<QAction>(window, "MISaveAs")->trigger();
    } else if (task == "page") {
        QVERIFY(!InvokeBool(window, "MISaveIntoPageClick"));
    } else {
        window.SelectPageByUser(
            Find<QTabWidget>(window, "PageControl")->indexOf(Find<QWidget>(window, "TabSheetSource")));
        QCOMPARE(Find<QTabWidget>(window, "PageControl")->currentWidget(),
                 Find<QWidget>(window, "TabSheetEdit"));
    }
    QVERIFY(FCancelled);
    QCOMPARE(FWindow->Regions().size(), regions);
    // The map comes back as it was, not built anew (a million regions took seconds), and selected
    // where it was.
    QCOMPARE(FWindow->Regions(), before);
    QCOMPARE(Find<TPTGroup>(window, "PanelScene")->FocusedRegion(), before[5]);
    QCOMPARE(WriterText(window), writer);
    // A save cancelled once its text is written has brought the Source up to date on the way.
    const QString shown = Find<QsciScintilla>(window, "SynEdit")->text();
    QVERIFY(shown == source || (task == "save" && shown == writer));
    QCOMPARE(SharedSaveDialog()->FileName(), documentName);
    QCOMPARE(FileBytes(saved), QByteArray("the old file\r\n"));
    QCOMPARE(FileBytes(page), pageBytes);
    QCOMPARE(window.Document()->UndoStack()->count(), steps);
    QCOMPARE(window.Document()->IsModified(), modified);
    // The text given up is written at the next refresh.
    TLongTask::SetObserver({});
    window.SelectPageByUser(
        Find<QTabWidget>(window, "PageControl")->indexOf(Find<QWidget>(window, "TabSheetSource")));
    QCOMPARE(Find<QsciScintilla>(window, "SynEdit")->text(), WriterText(window));
}

void TestLongTasks::uncancelledTasksComplete()
{
    TFormCorvantaZonequilter& window = *FWindow->Window;
    const QString page = WritePage("large.htm", LargeCount);
    QVERIFY(window.ImportDialog()->ImportNamedFile(page));
    QCOMPARE(FWindow->Regions().size(), LargeCount);
    const QString saved = FDir->filePath("saved.htm");
    SetDialogRunner(ChooseFileRunner(saved));
    Find<QAction>(window, "MISaveAs")->trigger();
    QCOMPARE(FileBytes(saved), ToCrLfLines(WriterText(window)).toUtf8());
    QVERIFY(FileBytes(saved).count("<AREA ") == LargeCount);
    QCOMPARE(SharedSaveDialog()->FileName(), saved);

    // Into the page it came from, after a change.
    TGUIRegion* first = FWindow->Regions().first();
    first->SetBounds(first->Left() + 2, first->Top(), first->Width(), first->Height());
    const QByteArray before = FileBytes(page);
    QVERIFY(InvokeBool(window, "MISaveIntoPageClick"));
    QVERIFY(FileBytes(page) != before);
    QCOMPARE(FileBytes(page).count("<AREA "), before.count("<AREA "));
    QCOMPARE(window.Document()->PageOrigin().Areas, GatherMapAreas(*Find<TPTGroup>(window, "PanelScene")));
}

void TestLongTasks::sourceIsWrittenOnlyAfterAChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("fills");
    QTest::newRow("nothing") << "" << 0;
    QTest::newRow("a region moved") << "move" << 1;
    QTest::newRow("a region brought to front") << "front" << 1;
    QTest::newRow("a step undone") << "undo" << 1;
    QTest::newRow("the map renamed") << "rename" << 1;
}

void TestLongTasks::sourceIsWrittenOnlyAfterAChange()
{
    QFETCH(QString, change);
    QFETCH(int, fills);
    TFormCorvantaZonequilter& window = *FWindow->Window;
    const int edit = Find<QTabWidget>(window, "PageControl")->indexOf(Find<QWidget>(window, "TabSheetEdit"));
    const int source =
        Find<QTabWidget>(window, "PageControl")->indexOf(Find<QWidget>(window, "TabSheetSource"));
    window.SelectPageByUser(source);
    window.SelectPageByUser(edit);
    const QString before = Find<QsciScintilla>(window, "SynEdit")->text();
    const int filled = window.SourceFills();

    TGUIRegion* first = FWindow->Regions().first();
    if (change == "move")
        first->SetBounds(first->Left(), first->Top() + 3, first->Width(), first->Height());
    else if (change == "front")
        first->BringToFront();
    else if (change == "undo")
        Find<QAction>(window, "MIUndo")->trigger();
    else if (change == "rename")
        window.Document()->SetMap(QStringLiteral("Renamed"), window.Document()->MapAttributes());
    window.SelectPageByUser(source);
    QCOMPARE(Find<QTabWidget>(window, "PageControl")->currentWidget(),
             Find<QWidget>(window, "TabSheetSource"));
    QCOMPARE(window.SourceFills() - filled, fills);
    QCOMPARE(Find<QsciScintilla>(window, "SynEdit")->text(), WriterText(window));
    QCOMPARE(Find<QsciScintilla>(window, "SynEdit")->text() == before, fills == 0);
}

void TestLongTasks::sourceFollowsEachEditInPlace()
{
    TFormCorvantaZonequilter& window = *FWindow->Window;
    TMapDocument& document = *window.Document();
    const int edit = Find<QTabWidget>(window, "PageControl")->indexOf(Find<QWidget>(window, "TabSheetEdit"));
    const int source =
        Find<QTabWidget>(window, "PageControl")->indexOf(Find<QWidget>(window, "TabSheetSource"));
    window.SelectPageByUser(source);
    const auto changeTexts = [&](int Position, const QString& Alt) {
        const MapArea before = RegionArea(*document.RegionAt(Position));
        MapArea after = before;
        after.AltText = Alt;
        document.Push(new TChangePropertiesCommand(document, Position, before, after));
    };
    // Texts beyond ASCII take more bytes than characters: the lines after them must still be found.
    // Each edit, and whether it is a single change after which the reader keeps their place.
    const std::vector<std::tuple<const char*, bool, std::function<void()>>> edits = {
        {"a text beyond ASCII", true, [&] { changeTexts(35, QStringLiteral("Größe € 😀 \"x\" & y")); }},
        // Written whole: the places of the lines after that text are counted in bytes anew.
        {"the map renamed", false,
         [&] { window.Document()->SetMap(QStringLiteral("Ömap"), window.Document()->MapAttributes()); }},
        {"a region after it moved", true,
         [&] {
             TGUIRegion* r = document.RegionAt(2);
             r->SetBounds(r->Left() + 1, r->Top(), r->Width(), r->Height());
         }},
        {"a text of the front-most", true, [&] { changeTexts(39, QStringLiteral("ü")); }},
        {"a region deleted", true, [&] { document.Push(new TDeleteRegionCommand(document, 30)); }},
        {"a region drawn", true,
         [&] { document.Push(new TCreateRegionCommand(document, MapArea::rectangle(5, 6, 70, 80))); }},
        {"a region brought to front", true,
         [&] { document.Push(new TRestackCommand(document, 1, 39, QStringLiteral("Front"))); }},
        {"a step undone", true, [&] { Find<QAction>(window, "MIUndo")->trigger(); }},
        {"another step undone", true, [&] { Find<QAction>(window, "MIUndo")->trigger(); }},
        {"every region deleted", false,
         [&] {
             while (document.RegionCount() > 0)
                 document.Push(new TDeleteRegionCommand(document, 0));
         }},
        {"all undone", false,
         [&] {
             while (document.UndoStack()->canUndo())
                 document.UndoStack()->undo();
         }},
    };
    // The line at the top of the view.
    Find<QsciScintilla>(window, "SynEdit")->setFirstVisibleLine(37);
    for (const auto& [name, keepsPlace, change] : edits) {
        const QString top = Find<QsciScintilla>(window, "SynEdit")
                                ->text(Find<QsciScintilla>(window, "SynEdit")->firstVisibleLine());
        window.SelectPageByUser(edit);
        change();
        window.SelectPageByUser(source);
        QVERIFY2(Find<QsciScintilla>(window, "SynEdit")->text() == WriterText(window), name);
        if (keepsPlace)
            QVERIFY2(Find<QsciScintilla>(window, "SynEdit")
                             ->text(Find<QsciScintilla>(window, "SynEdit")->firstVisibleLine()) == top,
                     name);
    }
    const QString saved = FDir->filePath("saved.htm");
    SetDialogRunner(ChooseFileRunner(saved));
    Find<QAction>(window, "MISaveAs")->trigger();
    QCOMPARE(FileBytes(saved), ToCrLfLines(WriterText(window)).toUtf8());
}

void TestLongTasks::recoveryWaitsForTheImport()
{
    TFormCorvantaZonequilter& window = *FWindow->Window;
    const QString path = window.RecoveryFile()->FilePath();
    const auto writtenAreas = [&] {
        TRecoveryState state;
        return TRecoveryFile::Read(path, state) ? int(state.HTML.count(QStringLiteral("<AREA "))) : -1;
    };
    // A modified document (the first import undone), whose recovery file's turn comes in the
    // middle of the next import, with part of the regions built.
    Find<QAction>(window, "MIUndo")->trigger();
    QVERIFY(window.Document()->IsModified());
    bool asked = false;
    TLongTask::SetObserver([&](TLongTask& Task, int At) {
        if (!asked && At >= 50 && Task.Dialog()->labelText().contains("Importing")) {
            asked = true;
            window.UpdateRecoveryFile();
        }
    });
    QVERIFY(window.ImportDialog()->ImportNamedFile(WritePage("large.htm", LargeCount)));
    QVERIFY(asked);
    QTRY_VERIFY(!window.RecoveryFile()->Writing());
    // Never a half-built map: the document before the import, or none.
    QVERIFY(QList<int>({-1, 0}).contains(writtenAreas()));
    // The imported file is the document now, with nothing to recover once the work is over.
    QVERIFY(!window.Document()->IsModified());
    QTRY_COMPARE(writtenAreas(), -1);
}

// Undoing or redoing an import of many regions takes seconds: a progress dialog shows, with no
// Cancel, since the history has already moved; a dialog closed all the same stops nothing.
void TestLongTasks::undoOfALargeMapShowsProgress()
{
    TFormCorvantaZonequilter& window = *FWindow->Window;
    TMapDocument::SetLargeRestore(1000);
    const QString before = WriterText(window);
    QVERIFY(window.ImportDialog()->ImportNamedFile(WritePage("large.htm", LargeCount)));
    const QString imported = WriterText(window);
    QStringList labels;
    bool cancelButton = false;
    TLongTask::SetObserver([&](TLongTask& Task, int) {
        labels << Task.Dialog()->labelText();
        cancelButton = cancelButton || Task.Dialog()->findChild<QPushButton*>() != nullptr;
        Task.Dialog()->cancel();
    });
    Find<QAction>(window, "MIUndo")->trigger();
    QCOMPARE(WriterText(window), before);
    Find<QAction>(window, "MIRedo")->trigger();
    QCOMPARE(WriterText(window), imported);
    TMapDocument::SetLargeRestore(20000);
    QVERIFY(labels.contains("Restoring the image map..."));
    QVERIFY(!cancelButton);
}

void TestLongTasks::newFreesALargeMapInSlices()
{
    TFormCorvantaZonequilter& window = *FWindow->Window;
    TPTCustomGroup::SetFreeingSlice(1000);
    QVERIFY(window.ImportDialog()->ImportNamedFile(WritePage("large.htm", LargeCount)));
    const QString writer = WriterText(window);
    QList<QPointer<TGUIRegion>> regions;
    for (TGUIRegion* region : FWindow->Regions())
        regions.append(region);
    const auto alive = [&] { return regions.size() - regions.count(nullptr); };

    QVERIFY(window.NewImageMapOn(FDir->filePath("big.png")));
    // The map is gone from the document at once; its regions are freed while the window goes on.
    QVERIFY(FWindow->Regions().isEmpty());
    QVERIFY(alive() > 0);
    QVERIFY(Find<TPTGroup>(window, "PanelScene")->ShapesToFree() > 0);
    QTRY_COMPARE(alive(), 0);
    QCOMPARE(Find<TPTGroup>(window, "PanelScene")->ShapesToFree(), 0);
    // Undone, the map is back as it was.
    Find<QAction>(window, "MIUndo")->trigger();
    QCOMPARE(FWindow->Regions().size(), LargeCount);
    QCOMPARE(WriterText(window), writer);
    // An import over it that is called off frees what it built in slices and gives the map back;
    // one that completes frees the map in slices.
    regions.clear();
    for (TGUIRegion* region : FWindow->Regions())
        regions.append(region);
    CancelAt("Importing", 70);
    QVERIFY(!window.ImportDialog()->ImportNamedFile(WritePage("other.htm", LargeCount)));
    QVERIFY(Find<TPTGroup>(window, "PanelScene")->ShapesToFree() > 0);
    QTRY_COMPARE(Find<TPTGroup>(window, "PanelScene")->ShapesToFree(), 0);
    QCOMPARE(alive(), LargeCount);
    QCOMPARE(WriterText(window), writer);
    TLongTask::SetObserver({});
    QVERIFY(window.ImportDialog()->ImportNamedFile(WritePage("other.htm", 30)));
    QVERIFY(alive() > 0);
    QTRY_COMPARE(alive(), 0);
    Find<QAction>(window, "MIUndo")->trigger();
    QCOMPARE(WriterText(window), writer);
    // A second clear before the first is freed, and the window's end with shapes still to free.
    QVERIFY(window.NewImageMapOn(FDir->filePath("big.png")));
    Find<QAction>(window, "MIUndo")->trigger();
    QVERIFY(window.NewImageMapOn(FDir->filePath("big.png")));
    QVERIFY(Find<TPTGroup>(window, "PanelScene")->ShapesToFree() > 0);
    TPTCustomGroup::SetFreeingSlice(20000);
}

void TestLongTasks::exitLeavesTheSceneToTheSystem()
{
    QPointer<TPTGroup> scene = Find<TPTGroup>(*FWindow->Window, "PanelScene");
    QPointer<TMapDocument> document = FWindow->Window->Document();
    FWindow->Window->LeaveSceneToExit();
    QVERIFY(!scene->isVisible());
    FWindow->Window.reset();
    // The window is gone, its map and history not freed; the test frees them to stay clean under
    // the sanitizers.
    QVERIFY(scene && document);
    QCOMPARE(scene->Regions().size(), 40);
    QCOMPARE(document->UndoStack()->count(), 1);
    delete document;
    delete scene;
}

QTEST_MAIN(TestLongTasks)
#include "tst_longtasks.moc"
