#include "ImportTestCase.h"

#include "ImageMapWriter.h"
#include "MapAreaGathering.h"
#include "MapImport.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "WindowParts.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>

class TestHTMLImport : public ImportTestCase
{
    Q_OBJECT

private slots:
    void layout();
    void listShowsImageSrcAndUseMap();
    void reloadRefillsListAndDisablesOK();
    void selectingAnEntryEnablesOK();
    void executeImportWithOK();
    void executeImportCancelChangesNothing();
    void executeImportEscapeChangesNothing();
    void openDialogCancelledChangesNothing();
    void noImageMapsFound();
    void missingFileShowsMessage();
    void startupImportWithoutShowing();
    void startupImportOfTheDemoMap();
    void relativeImageSourceResolvedAgainstHTMLFolder();
    void firstAreaEndsUpFrontMost();
    void importThenWriteIsByteIdentical();
    void importedRegionsAreNotFocused();
    void shapesAndTextsOfTheAreas();
    void okWithoutSelectionDoesNothing();
};

void TestHTMLImport::layout()
{
    TFormHTMLImport& d = *FDialog;
    QCOMPARE(d.windowTitle(), QStringLiteral("Import Image Map"));
    QCOMPARE(d.size(), QSize(433 + 16, 217 + 16));
    QCOMPARE(d.PageControl->geometry(), QRect(8, 8, 433, 185));
    QCOMPARE(d.PageControl->count(), 1);
    QCOMPARE(d.PageControl->tabText(0), QStringLiteral("Image Maps"));
    QCOMPARE(d.PageControl->focusPolicy(), Qt::NoFocus);
    QCOMPARE(d.PanelMessage->text(), QStringLiteral("Please select an image map from this list."));
    QCOMPARE(d.PanelMessage->height(), 22);
    QCOMPARE(d.ListView->headerItem()->text(0), QStringLiteral("Image Src"));
    QCOMPARE(d.ListView->headerItem()->text(1), QStringLiteral("UseMap"));
    QCOMPARE(d.ListView->header()->sectionSize(1), 100);
    QCOMPARE(d.ButtonOK->text(), QStringLiteral("OK"));
    QCOMPARE(d.ButtonOK->geometry(), QRect(8 + 264, 8 + 192, 81, 25));
    QVERIFY(d.ButtonOK->isDefault());
    QVERIFY(!d.ButtonOK->isEnabled());
    QCOMPARE(d.ButtonCancel->text(), QStringLiteral("Cancel"));
    QCOMPARE(d.ButtonCancel->geometry(), QRect(8 + 352, 8 + 192, 81, 25));
    QCOMPARE(FormHTMLImport, FDialog.get());

    // The first column takes the width that the second leaves, also at the dialog's real size.
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QHeaderView* header = d.ListView->header();
    QCOMPARE(header->sectionSize(0) + header->sectionSize(1), d.ListView->viewport()->width());
    d.hide();
}

void TestHTMLImport::listShowsImageSrcAndUseMap()
{
    const QString html = QStringLiteral("<html><body>\n"
                                        "<img src=\"a.png\" usemap=\"#Map1\">\n"
                                        "<img src=\"b.png\" usemap=\"Map1\">\n" // no leading '#': not listed
                                        "<img src=\"c.png\">\n"                 // no map
                                        "<img src=\"d.png\" usemap=\"other.htm#Map1\">\n"
                                        "<map name=\"first\"><area shape=rect coords=\"0,0,1,1\"></map>\n"
                                        "<map name=\"map1\"><area shape=rect coords=\"0,0,2,2\"></map>\n"
                                        "<map name=\"MAP1\"><area shape=rect coords=\"0,0,3,3\"></map>\n"
                                        "<img src=\"e.png\" usemap=\"#first\">\n"
                                        "<img src=\"f.png\" usemap=\"#MAP1\">\n"
                                        "</body></html>\n");
    const QString path = writeFile(QStringLiteral("list.htm"), html.toUtf8());
    QVERIFY(FDialog->LoadHTMLFile(path));

    QTreeWidget* list = FDialog->ListView;
    QCOMPARE(list->topLevelItemCount(), 4);
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("a.png"));
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("#Map1"));
    QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("e.png"));
    QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("#first"));
    QCOMPARE(list->topLevelItem(2)->text(0), QStringLiteral("f.png"));
    // The first map of a name counts, whatever the case of the letters.
    QCOMPARE(FDialog->Entry(0).MapPosition, 1);
    QCOMPARE(FDialog->Entry(1).MapPosition, 0);
    QCOMPARE(FDialog->Entry(2).MapPosition, 1);
    // The map that no image uses comes last.
    QCOMPARE(list->topLevelItem(3)->text(0), QStringLiteral("(no image)"));
    QCOMPARE(list->topLevelItem(3)->text(1), QStringLiteral("#MAP1"));
    QCOMPARE(FDialog->Entry(3).MapPosition, 2);
    QCOMPARE(FDialog->PageControl->tabText(0), path);
    QCOMPARE(FDialog->HTMLFileName(), path);
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(!FDialog->ButtonOK->isEnabled());
}

void TestHTMLImport::reloadRefillsListAndDisablesOK()
{
    const QString pic = writePicture(QStringLiteral("pic.png"), 40, 30);
    const QString one = writeMapPage(QStringLiteral("one.htm"), pic, QStringLiteral("M"),
                                     areaLine(QStringLiteral("rect"), QStringLiteral("1,2,3,4")));
    const QString two = writeFile(QStringLiteral("two.htm"),
                                  "<img src=x.png usemap=#a><img src=y.png usemap=#a><map name=a></map>");
    QVERIFY(FDialog->LoadHTMLFile(one));
    QVERIFY(FDialog->SelectEntry(0));
    QVERIFY(FDialog->ButtonOK->isEnabled());
    QVERIFY(FDialog->LoadHTMLFile(two));
    QCOMPARE(FDialog->EntryCount(), 2);
    QCOMPARE(FDialog->Entry(1).ImageSrc, QStringLiteral("y.png"));
    QCOMPARE(FDialog->Entry(1).MapPosition, 0);
    QVERIFY(FDialog->ListView->selectedItems().isEmpty());
    QVERIFY(!FDialog->ButtonOK->isEnabled());
    QCOMPARE(FDialog->PageControl->tabText(0), two);
}

void TestHTMLImport::selectingAnEntryEnablesOK()
{
    const QString path = writeFile(QStringLiteral("sel.htm"),
                                   "<img src=x.png usemap=#a><img src=y.png usemap=#a><map name=a></map>");
    QVERIFY(FDialog->LoadHTMLFile(path));
    FDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(FDialog.get()));
    QVERIFY(!FDialog->ButtonOK->isEnabled());
    clickRow(*FDialog, 1);
    QVERIFY(FDialog->ButtonOK->isEnabled());
    QCOMPARE(FDialog->ListView->selectedItems().size(), 1);
    clickRow(*FDialog, 0);
    QVERIFY(FDialog->ButtonOK->isEnabled());
    // Ctrl+click takes the selection away again.
    const QRect rect = FDialog->ListView->visualItemRect(FDialog->ListView->topLevelItem(0));
    QTest::mouseClick(FDialog->ListView->viewport(), Qt::LeftButton, Qt::ControlModifier, rect.center());
    QVERIFY(FDialog->ListView->selectedItems().isEmpty());
    QVERIFY(!FDialog->ButtonOK->isEnabled());
    FDialog->hide();
}

void TestHTMLImport::executeImportWithOK()
{
    MessageRecorder messages;
    const QString pic = writePicture(QStringLiteral("site/pic.png"), 120, 90);
    const QString page = writeMapPage(
        QStringLiteral("site/page.htm"), QStringLiteral("pic.png"), QStringLiteral("Imported"),
        areaLine(QStringLiteral("RECT"), QStringLiteral("10,20,30,40"), QStringLiteral("a.htm"),
                 QStringLiteral("A"), QStringLiteral("_top")) +
            areaLine(QStringLiteral("circle"), QStringLiteral("50,60,10"), QStringLiteral("b.htm")));
    Find<QTabWidget>(*FFixture->Window, "PageControl")
        ->setCurrentWidget(Find<QWidget>(*FFixture->Window, "TabSheetSource"));
    DialogChoice choice(page);
    const bool ok = runExecuteImport(*FDialog, [this](TFormHTMLImport& d) {
        QCOMPARE(d.EntryCount(), 1);
        QCOMPARE(d.PageControl->tabText(0), d.HTMLFileName());
        clickRow(d, 0);
        QVERIFY(d.ButtonOK->isEnabled());
        QTest::mouseClick(d.ButtonOK, Qt::LeftButton);
    });
    QVERIFY(ok);
    QVERIFY(!FDialog->isVisible());
    QVERIFY(messages.Messages.isEmpty());

    TFormCorvantaZonequilter& w = *FFixture->Window;
    QCOMPARE(w.Document()->MapName(), QStringLiteral("Imported"));
    QCOMPARE(w.Document()->ImageFileName(), pic);
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->ClientWidth(), 120);
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->ClientHeight(), 90);
    QCOMPARE(w.Document()->Picture().size(), QSize(120, 90));
    QCOMPARE(Find<QTabWidget>(w, "PageControl")->currentWidget(), Find<QWidget>(w, "TabSheetEdit"));
    QCOMPARE(SharedSaveDialog()->FileName(), page);
    QCOMPARE(ShownTitle(w), QStringLiteral("Corvanta Zonequilter - [%1]").arg(page));
    const QVector<MapArea> areas = GatherMapAreas(*Find<TPTGroup>(w, "PanelScene"));
    QCOMPARE(areas.size(), 2);
    QCOMPARE(areas[0].shape, MapArea::Shape::Rect);
    QCOMPARE(areas[0].HRef, QStringLiteral("a.htm"));
    QCOMPARE(areas[0].AltText, QStringLiteral("A"));
    QCOMPARE(areas[0].Target, QStringLiteral("_top"));
    QCOMPARE(areas[1].shape, MapArea::Shape::Circle);
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->Regions().first()->BoundsRect(), (TRect{40, 50, 60, 70}));
}

void TestHTMLImport::executeImportCancelChangesNothing()
{
    TFormCorvantaZonequilter& w = *FFixture->Window;
    auto* old = new TUIRectangle(Find<TPTGroup>(w, "PanelScene"));
    old->SetBoundsRect(TRect{5, 5, 50, 50});
    const QString pic = writePicture(QStringLiteral("pic.png"), 70, 70);
    const QString page = writeMapPage(QStringLiteral("page.htm"), pic, QStringLiteral("Other"),
                                      areaLine(QStringLiteral("rect"), QStringLiteral("1,1,9,9")));
    const DocumentState before = DocumentState::Of(w);
    DialogChoice choice(page);
    const bool ok = runExecuteImport(*FDialog, [this](TFormHTMLImport& d) {
        clickRow(d, 0);
        QTest::mouseClick(d.ButtonCancel, Qt::LeftButton);
    });
    QVERIFY(!ok);
    QCOMPARE(FDialog->result(), int(QDialog::Rejected));
    before.Compare(DocumentState::Of(w));
}

void TestHTMLImport::executeImportEscapeChangesNothing()
{
    TFormCorvantaZonequilter& w = *FFixture->Window;
    const QString page = writeMapPage(QStringLiteral("page.htm"), QStringLiteral("pic.png"),
                                      QStringLiteral("Other"), QString());
    const DocumentState before = DocumentState::Of(w);
    DialogChoice choice(page);
    const bool ok = runExecuteImport(*FDialog, [this](TFormHTMLImport& d) {
        clickRow(d, 0);
        QTest::keyClick(d.ListView, Qt::Key_Escape);
    });
    QVERIFY(!ok);
    before.Compare(DocumentState::Of(w));
}

void TestHTMLImport::openDialogCancelledChangesNothing()
{
    MessageRecorder messages;
    const QString page = writeMapPage(QStringLiteral("page.htm"), QStringLiteral("pic.png"),
                                      QStringLiteral("Other"), QString());
    QVERIFY(FDialog->LoadHTMLFile(page));
    const DocumentState before = DocumentState::Of(*FFixture->Window);
    DialogChoice cancel{QString()};
    QVERIFY(!FDialog->ExecuteImport());
    QVERIFY(!FDialog->isVisible());
    QVERIFY(messages.Messages.isEmpty());
    QCOMPARE(FDialog->EntryCount(), 1);
    before.Compare(DocumentState::Of(*FFixture->Window));
}

void TestHTMLImport::noImageMapsFound()
{
    MessageRecorder messages;
    const QString page =
        writeFile(QStringLiteral("none.htm"), "<html><img src=a.png usemap=#nowhere><img src=b.png usemap=m>"
                                              "<!-- <map name=m></map> --></html>");
    const DocumentState before = DocumentState::Of(*FFixture->Window);
    DialogChoice choice(page);
    bool shown = false;
    QTimer::singleShot(0, FDialog.get(), [&] {
        shown = FDialog->isVisible();
        FDialog->reject();
    });
    QVERIFY(!FDialog->ExecuteImport());
    QVERIFY(!shown);
    QCOMPARE(messages.Messages.size(), 1);
    QCOMPARE(messages.Messages[0].Text,
             QStringLiteral("No image maps were found in the selected HTML file."));
    QCOMPARE(messages.Messages[0].Icon, QMessageBox::Information);
    QCOMPARE(messages.Messages[0].Title, QStringLiteral("Corvanta Zonequilter"));
    QCOMPARE(FDialog->PageControl->tabText(0), page);
    before.Compare(DocumentState::Of(*FFixture->Window));
    if (QTest::currentTestFailed())
        return;
    QCoreApplication::processEvents();
}

void TestHTMLImport::missingFileShowsMessage()
{
    MessageRecorder messages;
    const QString good =
        writeMapPage(QStringLiteral("good.htm"), QStringLiteral("pic.png"), QStringLiteral("M"), QString());
    QVERIFY(FDialog->LoadHTMLFile(good));
    QCOMPARE(FDialog->EntryCount(), 1);
    QVERIFY(FDialog->SelectEntry(0));

    const QString missing = FDir->filePath(QStringLiteral("missing.htm"));
    const DocumentState before = DocumentState::Of(*FFixture->Window);
    QVERIFY(!FDialog->LoadHTMLFile(missing));
    QCOMPARE(messages.Messages.size(), 1);
    QVERIFY2(messages.Messages[0].Text.startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(missing)),
             qPrintable(messages.Messages[0].Text));
    // The reason follows the file name.
    QVERIFY(messages.Messages[0].Text.size() >
            QStringLiteral("Cannot open file \"%1\". ").arg(missing).size());
    QCOMPARE(messages.Messages[0].Icon, QMessageBox::Critical);
    QCOMPARE(FDialog->PageControl->tabText(0), missing);
    // Entries of the earlier file are gone with its document: none can be imported by mistake.
    QCOMPARE(FDialog->EntryCount(), 0);
    QVERIFY(!FDialog->ButtonOK->isEnabled());
    QVERIFY(!FDialog->ButtonOKClick());
    before.Compare(DocumentState::Of(*FFixture->Window));
}

void TestHTMLImport::startupImportWithoutShowing()
{
    MessageRecorder messages;
    const QString pic = writePicture(QStringLiteral("demo.png"), 64, 48);
    const QString page =
        writeMapPage(QStringLiteral("demo.htm"), QStringLiteral("demo.png"), QStringLiteral("DemoMap"),
                     areaLine(QStringLiteral("rect"), QStringLiteral("1,2,30,40")));
    // An open dialog that ran earlier must not make the start-up import a document file.
    SharedOpenDialog()->SetFileName(FDir->filePath(QStringLiteral("elsewhere.jpg")));
    QVERIFY(FDialog->LoadHTMLFile(page));
    QVERIFY(FDialog->SelectEntry(0));
    QVERIFY(FDialog->ButtonOKClick());
    QVERIFY(!FDialog->isVisible());
    QCOMPARE(FDialog->result(), int(QDialog::Accepted));
    QVERIFY(messages.Messages.isEmpty());
    TFormCorvantaZonequilter& w = *FFixture->Window;
    QCOMPARE(w.Document()->ImageFileName(), pic);
    QCOMPARE(w.Document()->MapName(), QStringLiteral("DemoMap"));
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->Regions().size(), 1);
    QCOMPARE(SharedSaveDialog()->FileName(), QString());
    // A map without a file of its own is unsaved work; the first paint clears the history after
    // the demonstration import.
    QCOMPARE(ShownTitle(w), QStringLiteral("Corvanta Zonequilter*"));
}

void TestHTMLImport::startupImportOfTheDemoMap()
{
    // The demonstration map that lies beside the program imports cleanly.
    const QString demo = QStringLiteral(ZQ_TEST_SOURCE_DIR "/../../data/demo.htm");
    QVERIFY(QFile::exists(demo));
    MessageRecorder messages;
    QVERIFY(FDialog->LoadHTMLFile(demo));
    QVERIFY(FDialog->SelectEntry(0));
    QVERIFY(FDialog->ButtonOKClick());
    QVERIFY(messages.Messages.isEmpty());
    TFormCorvantaZonequilter& w = *FFixture->Window;
    QCOMPARE(w.Document()->MapName(), QStringLiteral("DemoMap"));
    HtmlDocument document;
    QVERIFY(document.LoadFromFile(demo, nullptr));
    const QVector<MapArea> expected = GatherMapAreas(*Find<TPTGroup>(w, "PanelScene"));
    QVector<AreaNote> notes;
    const QVector<MapArea> areas = ReadMapAreas(document.Maps().first(), &notes);
    QVERIFY(notes.isEmpty());
    QVERIFY(!areas.isEmpty());
    QCOMPARE(expected, areas);
    QVERIFY(!w.Document()->Picture().isNull());
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->ClientWidth(), w.Document()->Picture().width());
}

void TestHTMLImport::relativeImageSourceResolvedAgainstHTMLFolder()
{
    const QString pic = writePicture(QStringLiteral("site/images/pic.png"), 33, 44);
    const QString page = writeMapPage(QStringLiteral("site/page.htm"), QStringLiteral("images/pic.png"),
                                      QStringLiteral("M"), QString());
    // The current folder plays no part.
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    QVERIFY(FDialog->LoadHTMLFile(page));
    QVERIFY(FDialog->SelectEntry(0));
    QVERIFY(FDialog->ButtonOKClick());
    QDir::setCurrent(oldCurrent);
    QCOMPARE(FFixture->Window->Document()->ImageFileName(), pic);
    QCOMPARE(FFixture->Window->Document()->Picture().size(), QSize(33, 44));
}

void TestHTMLImport::firstAreaEndsUpFrontMost()
{
    const QString pic = writePicture(QStringLiteral("pic.png"), 100, 100);
    // Three areas over the point (20, 20).
    const QString page = writeMapPage(
        QStringLiteral("page.htm"), pic, QStringLiteral("M"),
        areaLine(QStringLiteral("rect"), QStringLiteral("10,10,30,30"), QStringLiteral("first.htm")) +
            areaLine(QStringLiteral("circle"), QStringLiteral("20,20,15"), QStringLiteral("second.htm")) +
            areaLine(QStringLiteral("poly"), QStringLiteral("0,0,40,0,40,40,0,40"),
                     QStringLiteral("third.htm")));
    QVERIFY(FDialog->LoadHTMLFile(page));
    QVERIFY(FDialog->SelectEntry(0));
    QVERIFY(FDialog->ButtonOKClick());
    TPTGroup* scene = FFixture->Scene();
    const QList<TGUIRegion*> regions = scene->Regions(); // bottom to top
    QCOMPARE(regions.size(), 3);
    QCOMPARE(regions[0]->HRef, QStringLiteral("third.htm"));
    QCOMPARE(regions[1]->HRef, QStringLiteral("second.htm"));
    QCOMPARE(regions[2]->HRef, QStringLiteral("first.htm"));
    QVERIFY(qobject_cast<TUIRectangle*>(regions[2]));
    auto* hit = qobject_cast<TGUIRegion*>(scene->ShapeAt(20, 20));
    QVERIFY(hit);
    QCOMPARE(hit->HRef, QStringLiteral("first.htm"));
    // A click there selects the first area's region.
    FFixture->Click(20, 20);
    QCOMPARE(scene->FocusedRegion(), regions[2]);
}

void TestHTMLImport::importThenWriteIsByteIdentical()
{
    const QString pic = writePicture(QStringLiteral("pic.png"), 200, 200);
    QVector<MapArea> areas;
    for (int i = 0; i < 6; ++i) {
        MapArea a;
        switch (i % 3) {
        case 0:
            a = MapArea::rectangle(5 * i, 4 * i, 50, 40);
            break;
        case 1:
            a = MapArea::circle(10 * i, 10 * i, 30, 30);
            break;
        default:
            a = MapArea::polygon({QPoint(i, i), QPoint(100 + i, 3), QPoint(60, 90 + i)});
            break;
        }
        a.HRef = QStringLiteral("http://www.corvanta.example/%1.htm").arg(i);
        a.AltText = QStringLiteral("Area \"%1\" & more").arg(i);
        a.Target = i % 2 ? QStringLiteral("_blank") : QString();
        areas.append(a);
    }
    const QString text = ToCrLfLines(BuildImageMapHTML(pic, QStringLiteral("RoundTrip"), areas));
    const QString page = writeFile(QStringLiteral("written.htm"), text.toUtf8());
    QVERIFY(FDialog->LoadHTMLFile(page));
    QCOMPARE(FDialog->EntryCount(), 1);
    QVERIFY(FDialog->SelectEntry(0));
    QVERIFY(FDialog->ButtonOKClick());

    TFormCorvantaZonequilter& w = *FFixture->Window;
    QCOMPARE(GatherMapAreas(*Find<TPTGroup>(w, "PanelScene")), areas);
    const QString again =
        ToCrLfLines(BuildImageMapHTML(w.Document()->ImageFileName(), w.Document()->MapName(),
                                      GatherMapAreas(*Find<TPTGroup>(w, "PanelScene"))));
    QCOMPARE(again.toUtf8(), text.toUtf8());
}

void TestHTMLImport::importedRegionsAreNotFocused()
{
    TFormCorvantaZonequilter& w = *FFixture->Window;
    auto* old = new TUIRectangle(Find<TPTGroup>(w, "PanelScene"));
    old->SetBoundsRect(TRect{5, 5, 50, 50});
    old->SetFocus();
    QVERIFY(old->Focused());
    const QString pic = writePicture(QStringLiteral("pic.png"), 100, 100);
    const QString page = writeMapPage(QStringLiteral("page.htm"), pic, QStringLiteral("M"),
                                      areaLine(QStringLiteral("rect"), QStringLiteral("10,10,30,30")) +
                                          areaLine(QStringLiteral("poly"), QStringLiteral("1,1,50,1,20,30")));
    QVERIFY(FDialog->LoadHTMLFile(page));
    QVERIFY(FDialog->SelectEntry(0));
    QVERIFY(FDialog->ButtonOKClick());
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->Regions().size(), 2);
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->FocusedRegion(), nullptr);
    QCOMPARE(w.ActiveRegion(), nullptr);
    for (TGUIRegion* region : Find<TPTGroup>(w, "PanelScene")->Regions())
        QVERIFY(!region->Focused());
    QVERIFY(!Find<QAction>(w, "TBDelete")->isEnabled());
    QVERIFY(!Find<QAction>(w, "TBProperties")->isEnabled());
}

void TestHTMLImport::shapesAndTextsOfTheAreas()
{
    const QString pic = writePicture(QStringLiteral("pic.png"), 100, 100);
    const QString page =
        writeMapPage(QStringLiteral("page.htm"), pic, QStringLiteral("Shapes"),
                     areaLine(QStringLiteral("Rect"), QStringLiteral(" 10 20 30 40 "),
                              QStringLiteral("r.htm"), QStringLiteral("R &amp; r"), QStringLiteral("_self")) +
                         areaLine(QStringLiteral("default"), QString(), QStringLiteral("d.htm")) +
                         areaLine(QStringLiteral("rectangle"), QStringLiteral("1,1,5,5")) +
                         areaLine(QStringLiteral("CIRCLE"), QStringLiteral("50,60,10,")) +
                         QStringLiteral("<area shape=poly coords=\"1,2,3,4,5\">\n"));
    QVERIFY(FDialog->LoadHTMLFile(page));
    QVERIFY(FDialog->SelectEntry(0));
    NotesAnswer answer(true);
    QVERIFY(FDialog->ButtonOKClick());
    QCOMPARE(answer.Rows, (QStringList{"2 | d.htm | Shape \"default\" covers the whole picture: left out",
                                       "3 |  | Shape \"rectangle\" read as \"rect\""}));
    const QList<TGUIRegion*> regions = FFixture->Scene()->Regions();
    QCOMPARE(regions.size(), 4);
    QCOMPARE(regions[2]->BoundsRect(), (TRect{1, 1, 5, 5}));
    // Front-most (last child) is the first area.
    auto* rect = qobject_cast<TUIRectangle*>(regions[3]);
    QVERIFY(rect);
    QCOMPARE(rect->BoundsRect(), (TRect{10, 20, 30, 40}));
    QCOMPARE(rect->HRef, QStringLiteral("r.htm"));
    QCOMPARE(rect->AltText, QStringLiteral("R & r"));
    QCOMPARE(rect->Target, QStringLiteral("_self"));
    auto* circle = qobject_cast<TUICircle*>(regions[1]);
    QVERIFY(circle);
    QCOMPARE(circle->BoundsRect(), (TRect{40, 50, 60, 70}));
    // Absent attributes replace the defaults of a new region with empty text.
    QCOMPARE(circle->HRef, QString());
    QCOMPARE(circle->AltText, QString());
    auto* poly = qobject_cast<TUIPolygon*>(regions[0]);
    QVERIFY(poly);
    QCOMPARE(poly->Points(), (QVector<TPoint>{{1, 2}, {3, 4}}));
    QCOMPARE(poly->HRef, QString());
    QCOMPARE(FFixture->Window->Document()->MapName(), QStringLiteral("Shapes"));
}

void TestHTMLImport::okWithoutSelectionDoesNothing()
{
    const QString page =
        writeMapPage(QStringLiteral("page.htm"), QStringLiteral("pic.png"), QStringLiteral("M"), QString());
    QVERIFY(FDialog->LoadHTMLFile(page));
    const DocumentState before = DocumentState::Of(*FFixture->Window);
    QVERIFY(!FDialog->ButtonOKClick());
    before.Compare(DocumentState::Of(*FFixture->Window));
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!FDialog->SelectEntry(1));
    QVERIFY(!FDialog->SelectEntry(-1));
}

QTEST_MAIN(TestHTMLImport)
#include "tst_htmlimport.moc"
