#include "ImportTestCase.h"
#include "WindowParts.h"

#include <QFileDialog>

// Pages as people write them: areas a browser reads although they are not written by the book,
// maps without an image, pictures that are not where the page says.
class TestImportPages : public ImportTestCase
{
    Q_OBJECT

private slots:
    void notesListedBeforeTheDocumentChanges_data();
    void notesListedBeforeTheDocumentChanges();
    void cleanMapImportsWithoutNotes();
    void mapWithoutImage();
    void saveAsProposesTheImportedFile();
    void importAgainShowsThePictureAsItIsNow();
    void missingPictureShowsPlaceholder_data();
    void missingPictureShowsPlaceholder();
};

void TestImportPages::notesListedBeforeTheDocumentChanges_data()
{
    QTest::addColumn<QString>("badArea");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("leftOut");
    QTest::newRow("rect with a unit")
        << areaLine(QStringLiteral("rect"), QStringLiteral("10,20px,30,40"), "u.htm")
        << QStringLiteral("3 | u.htm | '20px' is not a valid integer value: left out") << true;
    QTest::newRow("rect with three numbers")
        << areaLine(QStringLiteral("RECT"), QStringLiteral("10,20,30"), QString(), QStringLiteral("Three"))
        << QStringLiteral("3 | Three | List index out of bounds (3): left out") << true;
    QTest::newRow("circle with no radius")
        << areaLine(QStringLiteral("circle"), QStringLiteral("5,6,0"), "c.htm")
        << QStringLiteral("3 | c.htm | The radius is not above 0: left out") << true;
    QTest::newRow("default shape") << areaLine(QStringLiteral("default"), QString(), "d.htm")
                                   << QStringLiteral(
                                          "3 | d.htm | Shape \"default\" covers the whole picture: left out")
                                   << true;
    QTest::newRow("unknown shape") << areaLine(QStringLiteral("star"), QStringLiteral("1,2,3"), "s.htm")
                                   << QStringLiteral("3 | s.htm | Unknown shape \"star\": left out") << true;
    QTest::newRow("circle with a fraction")
        << areaLine(QStringLiteral("circle"), QStringLiteral("5,6,1.5"), "f.htm")
        << QStringLiteral("3 | f.htm | '1.5' is not a valid integer value: rounded to the nearest pixel")
        << false;
    QTest::newRow("missing shape") << QStringLiteral("<area coords=\"1,2,3,4\" href=\"m.htm\">\n")
                                   << QStringLiteral("3 | m.htm | No shape: read as a rectangle") << false;
    QTest::newRow("synonym") << areaLine(QStringLiteral("Polygon"), QStringLiteral("1,2,3,4,5,6"), "p.htm")
                             << QStringLiteral("3 | p.htm | Shape \"Polygon\" read as \"poly\"") << false;
}

void TestImportPages::notesListedBeforeTheDocumentChanges()
{
    QFETCH(QString, badArea);
    QFETCH(QString, note);
    QFETCH(bool, leftOut);
    MessageRecorder messages;
    TFormCorvantaZonequilter& w = *FFixture->Window;
    const QString oldPic = writePicture(QStringLiteral("old.png"), 80, 60, Qt::blue);
    w.Document()->SetPicture(QImage(oldPic).convertToFormat(QImage::Format_RGB32), oldPic);
    Find<TPTGroup>(w, "PanelScene")->SetClientSize(80, 60);
    QPointer<TUIRectangle> a = new TUIRectangle(Find<TPTGroup>(w, "PanelScene"));
    a->SetBoundsRect(TRect{5, 5, 25, 25});
    a->HRef = QStringLiteral("old.htm");
    auto* b = new TUICircle(Find<TPTGroup>(w, "PanelScene"));
    b->SetBoundsRect(TRect{30, 30, 50, 50});
    {
        const QString name = FDir->filePath(QStringLiteral("saved.htm"));
        w.Document()->SetFileName(name, name);
    }
    Invoke(w, "FormActivate");
    Find<QTabWidget>(w, "PageControl")->setCurrentWidget(Find<QWidget>(w, "TabSheetSource"));
    const DocumentState before = DocumentState::Of(w);

    writePicture(QStringLiteral("new.png"), 200, 150, Qt::green);
    const QString page =
        writeMapPage(QStringLiteral("bad.htm"), QStringLiteral("new.png"), QStringLiteral("NewMap"),
                     areaLine(QStringLiteral("rect"), QStringLiteral("1,1,9,9")) +
                         areaLine(QStringLiteral("poly"), QStringLiteral("1,1,20,1,10,10")) + badArea +
                         areaLine(QStringLiteral("circle"), QStringLiteral("40,40,5")));
    // Cancel in the list of notes: the document stays as it was and the import list stays open.
    for (const bool import : {false, true}) {
        DialogChoice choice(page);
        NotesAnswer answer(import);
        runExecuteImport(*FDialog, [this, import](TFormHTMLImport& d) {
            clickRow(d, 0);
            QTest::mouseClick(d.ButtonOK, Qt::LeftButton);
            QCOMPARE(d.isVisible(), !import);
            if (d.isVisible())
                d.reject();
        });
        QVERIFY2(answer.Answered(), qPrintable(answer.Failure()));
        QCOMPARE(answer.Rows, QStringList{note});
        QVERIFY(messages.Messages.isEmpty());
        if (!import) {
            before.Compare(DocumentState::Of(w));
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(Find<QTabWidget>(w, "PageControl")->currentWidget(), Find<QWidget>(w, "TabSheetSource"));
            QVERIFY(a);
        }
    }
    QCOMPARE(w.Document()->MapName(), QStringLiteral("NewMap"));
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->Regions().size(), leftOut ? 3 : 4);
    QCOMPARE(w.Document()->Picture().size(), QSize(200, 150));
}

void TestImportPages::cleanMapImportsWithoutNotes()
{
    const QString page =
        writeMapPage(QStringLiteral("clean.htm"), QStringLiteral("pic.png"), QStringLiteral("M"),
                     areaLine(QStringLiteral("rect"), QStringLiteral("1,1,9,9")));
    writePicture(QStringLiteral("pic.png"), 20, 20);
    NotesAnswer answer(false);
    QVERIFY(FDialog->LoadHTMLFile(page));
    QVERIFY(FDialog->SelectEntry(0));
    QVERIFY(FDialog->ButtonOKClick());
    QVERIFY(!answer.Shown);
    QCOMPARE(Find<TPTGroup>(*FFixture->Window, "PanelScene")->Regions().size(), 1);
}

void TestImportPages::mapWithoutImage()
{
    MessageRecorder messages;
    TFormCorvantaZonequilter& w = *FFixture->Window;
    const QString page = writeFile(QStringLiteral("fragment.htm"),
                                   "<map name=graph id=g>" + areaLine("rect", "1,2,30,40", "a.htm").toUtf8() +
                                       areaLine("circle", "50,50,10", "b.htm").toUtf8() + "</map>");
    // With a picture: it stays.
    const QString kept = writePicture(QStringLiteral("kept.png"), 70, 80, Qt::blue);
    QVERIFY(w.LoadImage(kept));
    QVERIFY(FDialog->LoadHTMLFile(page));
    QCOMPARE(FDialog->EntryCount(), 1);
    QVERIFY(FDialog->SelectEntry(0));
    QVERIFY(FDialog->ButtonOKClick());
    QCOMPARE(w.Document()->ImageFileName(), kept);
    QCOMPARE(w.Document()->Picture().size(), QSize(70, 80));
    QCOMPARE(w.Document()->MapName(), QStringLiteral("graph"));
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->Regions().size(), 2);

    // Without one: the user is asked; cancelling keeps the document as it is.
    w.Document()->SetPicture(w.Document()->Picture(), QString());
    const DocumentState before = DocumentState::Of(w);
    {
        DialogChoice cancel{QString()};
        QVERIFY(FDialog->SelectEntry(0));
        QVERIFY(!FDialog->ButtonOKClick());
        before.Compare(DocumentState::Of(w));
    }
    const QString chosen = writePicture(QStringLiteral("chosen.png"), 90, 60, Qt::green);
    DialogChoice choose(chosen);
    QVERIFY(FDialog->ButtonOKClick());
    QCOMPARE(w.Document()->ImageFileName(), chosen);
    QCOMPARE(w.Document()->Picture().size(), QSize(90, 60));
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->Regions().size(), 2);
    QVERIFY(messages.Messages.isEmpty());
}

void TestImportPages::importAgainShowsThePictureAsItIsNow()
{
    TFormCorvantaZonequilter& w = *FFixture->Window;
    const QString picture = writePicture(QStringLiteral("pic.png"), 70, 80, Qt::blue);
    const QString page =
        writeMapPage(QStringLiteral("page.htm"), QStringLiteral("pic.png"), QStringLiteral("M"),
                     areaLine(QStringLiteral("rect"), QStringLiteral("1,1,9,9")));
    const auto import = [&] {
        return FDialog->LoadHTMLFile(page) && FDialog->SelectEntry(0) && FDialog->ButtonOKClick();
    };
    QVERIFY(import());
    QCOMPARE(w.Document()->Picture().size(), QSize(70, 80));
    QCOMPARE(w.Document()->Picture().pixelColor(5, 5), QColor(Qt::blue));
    QVERIFY(import());
    QCOMPARE(w.Document()->Picture().size(), QSize(70, 80));
    QCOMPARE(w.Document()->ImageFileName(), picture);

    // Changed on disk, or replaced in the window meanwhile: the picture is read again.
    writePicture(QStringLiteral("pic.png"), 90, 60, Qt::green);
    QVERIFY(import());
    QCOMPARE(w.Document()->Picture().size(), QSize(90, 60));
    QCOMPARE(w.Document()->Picture().pixelColor(5, 5), QColor(Qt::green));
    QVERIFY(w.LoadImage(writePicture(QStringLiteral("other.png"), 30, 30, Qt::red)));
    QVERIFY(import());
    QCOMPARE(w.Document()->Picture().size(), QSize(90, 60));
    QCOMPARE(w.Document()->ImageFileName(), picture);

    // New on the same picture shows the window's copy, and the file as it is once it changed.
    const qint64 shown = w.Document()->Picture().cacheKey();
    QVERIFY(w.NewImageMapOn(picture));
    QCOMPARE(w.Document()->Picture().cacheKey(), shown);
    QVERIFY(Find<TPTGroup>(w, "PanelScene")->Regions().isEmpty());
    writePicture(QStringLiteral("pic.png"), 50, 40, Qt::yellow);
    QVERIFY(w.NewImageMapOn(picture));
    QCOMPARE(w.Document()->Picture().size(), QSize(50, 40));
    QCOMPARE(w.Document()->Picture().pixelColor(5, 5), QColor(Qt::yellow));
}

void TestImportPages::saveAsProposesTheImportedFile()
{
    writePicture(QStringLiteral("pic.png"), 20, 20);
    const QString page =
        writeMapPage(QStringLiteral("index.html"), QStringLiteral("pic.png"), QStringLiteral("M"),
                     areaLine(QStringLiteral("rect"), QStringLiteral("1,1,9,9")));
    {
        DialogChoice choice(page);
        QVERIFY(runExecuteImport(*FDialog, [this](TFormHTMLImport& d) {
            clickRow(d, 0);
            QTest::mouseClick(d.ButtonOK, Qt::LeftButton);
        }));
    }
    QString proposed;
    const DialogRunner previous = SetDialogRunner([&](QFileDialog& d) {
        proposed = d.selectedFiles().value(0);
        return false;
    });
    InvokeBool(*FFixture->Window, "MISaveAsClick");
    SetDialogRunner(previous);
    QCOMPARE(proposed, page);
}

void TestImportPages::missingPictureShowsPlaceholder_data()
{
    QTest::addColumn<QString>("imageTag");
    QTest::addColumn<QString>("picture"); // a picture to put beside the page, if any
    QTest::addColumn<QString>("imageFile");
    QTest::addColumn<QSize>("size");
    QTest::newRow("not a picture, areas' extent") << "<img src=\"broken.png\" usemap=\"#M\">"
                                                  << ""
                                                  << "broken.png" << QSize(160, 100);
    QTest::newRow("missing, size attributes")
        << "<img src=\"gone.png\" width=320 height=\"240\" usemap=\"#M\">"
        << ""
        << "gone.png" << QSize(320, 240);
    QTest::newRow("web address found beside the page")
        << "<img src=\"http://example.org/art/pic.png?x=1\" usemap=\"#M\">"
        << "pic.png"
        << "pic.png" << QSize(33, 44);
    QTest::newRow("web address missing keeps its address")
        << "<img src=\"http://example.org/art/nowhere.png\" width=50 height=60 usemap=\"#M\">"
        << ""
        << "http://example.org/art/nowhere.png" << QSize(50, 60);
    QTest::newRow("site root found in images") << "<img src=\"/art/pic.png\" usemap=\"#M\">"
                                               << "images/pic.png"
                                               << "images/pic.png" << QSize(33, 44);
}

void TestImportPages::missingPictureShowsPlaceholder()
{
    QFETCH(QString, imageTag);
    QFETCH(QString, picture);
    QFETCH(QString, imageFile);
    QFETCH(QSize, size);
    MessageRecorder messages;
    TFormCorvantaZonequilter& w = *FFixture->Window;
    writeFile(QStringLiteral("broken.png"), "this is not a picture");
    if (!picture.isEmpty())
        writePicture(picture, 33, 44);
    const QString page =
        writeFile(QStringLiteral("page.htm"), (imageTag + "<map name=M>" + areaLine("rect", "1,2,30,40") +
                                               areaLine("circle", "150,50,10") + "</map>")
                                                  .toUtf8());
    QVERIFY(FDialog->LoadHTMLFile(page));
    QVERIFY(FDialog->SelectEntry(0));
    QVERIFY(FDialog->ButtonOKClick());
    QVERIFY(messages.Messages.isEmpty());
    QCOMPARE(w.Document()->Picture().size(), size);
    QCOMPARE(QSize(Find<TPTGroup>(w, "PanelScene")->ClientWidth(),
                   Find<TPTGroup>(w, "PanelScene")->ClientHeight()),
             size);
    QCOMPARE(Find<TPTGroup>(w, "PanelScene")->Regions().size(), 2);
    QCOMPARE(Find<QTabWidget>(w, "PageControl")->currentWidget(), Find<QWidget>(w, "TabSheetEdit"));
    if (picture.isEmpty()) {
        // The written page still names the page's own picture.
        QCOMPARE(w.Document()->ImageFileName(),
                 imageFile.startsWith("http:") ? imageFile : FDir->filePath(imageFile));
        // A neutral checkerboard: two greys, no colour.
        const QColor corner = w.Document()->Picture().pixelColor(1, 1);
        QCOMPARE(corner.red(), corner.blue());
        QVERIFY(corner != w.Document()->Picture().pixelColor(17, 1));
    } else {
        QCOMPARE(w.Document()->ImageFileName(), FDir->filePath(imageFile));
        QCOMPARE(w.Document()->Picture().pixelColor(0, 0), QColor(Qt::red));
    }
}

QTEST_MAIN(TestImportPages)
#include "tst_importpages.moc"
