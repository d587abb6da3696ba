// Tools > Check Map in the real window: the Problems dock lists the map's findings and follows
// every step, a double-click selects the region, the fix opens Properties on the alternate text;
// and the responsive page from File > Export Responsive Page... and Edit > Copy as SVG Overlay.
#include "EditorFixture.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "ProblemsDock.h"
#include "SharedDialogs.h"
#include "UnitHTMLImport.h"
#include "UnitProperties.h"
#include "WindowParts.h"

#include <QClipboard>
#include <QFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

class TestProblemsDock : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void checkMapListsFindingsAndFollowsSteps();
    void doubleClickSelectsTheRegion();
    void fixOpensPropertiesOnTheAlternateText();
    void importedPageFindings_data();
    void importedPageFindings();
    void pageFindingsFollowSaveIntoPage();
    void localLinksFollowTheSavedFile();
    void pageThatIsGoneIsNoted();
    void exportResponsivePage();
    void exportRefusesTheMapsOwnFile();
    void copyAsSvgOverlay();

private:
    // One line per row: severity|region|problem.
    QString Rows(TProblemsDock* Dock);
    QAction* Action(MainWindowFixture& f, const char* Name);
    // Writes Page into the temporary folder as Name and imports its first map as a user does.
    bool Import(MainWindowFixture& f, const QString& Name, const QByteArray& Page);

    QStringList FMessages;
    QTemporaryDir FFiles;
};

void TestProblemsDock::init()
{
    FMessages.clear();
    SetMessageBoxRunner([this](QMessageBox& Box) {
        FMessages << Box.text();
        return QMessageBox::Ok;
    });
}

void TestProblemsDock::cleanup()
{
    SetMessageBoxRunner({});
    SetDialogRunner({});
}

QString TestProblemsDock::Rows(TProblemsDock* Dock)
{
    QStringList rows;
    for (int i = 0; i < Dock->List()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = Dock->List()->topLevelItem(i);
        rows << QStringList{item->text(0), item->text(1), item->text(2)}.join(QLatin1Char('|'));
    }
    return rows.join(QLatin1Char('\n'));
}

QAction* TestProblemsDock::Action(MainWindowFixture& f, const char* Name)
{
    return f.Window->findChild<QAction*>(QString::fromLatin1(Name));
}

namespace {
MapArea Linked(MapArea Area, const char* HRef, const char* Alt)
{
    Area.HRef = QString::fromLatin1(HRef);
    Area.AltText = QString::fromLatin1(Alt);
    return Area;
}

// The document's regions replaced by Areas (bottom first) in one step, as an import does.
void SetAreas(MainWindowFixture& f, const QVector<MapArea>& Areas)
{
    TMapDocument* document = f.Window->Document();
    const TDocumentSnapshot before = document->Snapshot();
    TDocumentSnapshot after = before;
    after.Areas = Areas;
    after.Selected = -1;
    document->Restore(after);
    document->RecordReplacement(before, QStringLiteral("Test"));
}
} // namespace

void TestProblemsDock::checkMapListsFindingsAndFollowsSteps()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    QAction* check = Action(f, "MICheckMap");
    QVERIFY(check);
    QVERIFY(Find<QMenuBar>(*f.Window, "MainMenu")->findChild<QMenu*>("MITools")->actions().contains(check));
    TProblemsDock* dock = Find<TProblemsDock>(*f.Window, "DockProblems");
    QVERIFY(!dock->isVisible());
    check->trigger();
    QVERIFY(dock->isVisible());
    QCOMPARE(Rows(dock), QStringLiteral("||No problems found."));

    SetAreas(f, {Linked(MapArea::rectangle(20, 20, 60, 40), "a.html", "")});
    const QString noAlt = QStringLiteral("Warning|area 1 (\"a.html\")|no alternate text");
    QTRY_COMPARE(Rows(dock), noAlt);
    // A region put in front of it is area 1 from now on, as in the written map.
    SetAreas(f, {Linked(MapArea::rectangle(20, 20, 60, 40), "a.html", ""),
                 Linked(MapArea::rectangle(100, 10, 10, 30), "b.html", "B")});
    const QString both = QStringLiteral("Warning|area 1 (\"B\")|target of 10 x 30 pixels, smaller than "
                                        "24 x 24\nWarning|area 2 (\"a.html\")|no alternate text");
    QTRY_COMPARE(Rows(dock), both);
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QTRY_COMPARE(Rows(dock), noAlt);
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QTRY_COMPARE(Rows(dock), QStringLiteral("||No problems found."));
    Find<QAction>(*f.Window, "MIRedo")->trigger();
    Find<QAction>(*f.Window, "MIRedo")->trigger();
    QTRY_COMPARE(Rows(dock), both);
}

void TestProblemsDock::doubleClickSelectsTheRegion()
{
    // A picture larger than the window: the region in its far corner is out of sight at first.
    MainWindowFixture f(2000, 1500);
    QVERIFY(f.Ready);
    SetAreas(f, {Linked(MapArea::rectangle(20, 20, 60, 40), "a.html", ""),
                 Linked(MapArea::rectangle(1900, 1400, 60, 40), "b.html", "")});
    f.Window->Document()->Select(0);
    f.Window->resize(900, 700);
    Action(f, "MICheckMap")->trigger();
    TProblemsDock* dock = Find<TProblemsDock>(*f.Window, "DockProblems");
    QCOMPARE(dock->List()->topLevelItemCount(), 2);
    QVERIFY(!f.Viewport()->rect().contains(f.At(1930, 1420)));
    // Row 0 is area 1, the front-most region: the top of the stack.
    QTreeWidgetItem* item = dock->List()->topLevelItem(0);
    const QRect rect = dock->List()->visualItemRect(item);
    // A double-click is a click and then the second press.
    QTest::mouseClick(dock->List()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(dock->List()->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(f.Window->Document()->SelectedPosition(), 1);
    QCOMPARE(f.Scene()->FocusedRegion()->HRef, QStringLiteral("b.html"));
    QVERIFY(f.Viewport()->rect().contains(QRect(f.At(1900, 1400), f.At(1960, 1440))));
}

void TestProblemsDock::fixOpensPropertiesOnTheAlternateText()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    TFormProperties properties;
    SetAreas(f, {Linked(MapArea::rectangle(20, 20, 60, 40), "a.html", "")});
    Action(f, "MICheckMap")->trigger();
    TProblemsDock* dock = Find<TProblemsDock>(*f.Window, "DockProblems");
    QAction* fix = dock->FixFor(0);
    QVERIFY(fix);
    QCOMPARE(fix->text(), QStringLiteral("Add alternate text..."));
    QWidget* focused = nullptr;
    QTimer::singleShot(100, [&] {
        focused = QApplication::focusWidget();
        properties.EditAltText->setPlainText(QStringLiteral("Home"));
        properties.ButtonOk->click();
    });
    dock->List()->setCurrentItem(dock->List()->topLevelItem(0));
    fix->trigger();
    QCOMPARE(focused, properties.EditAltText);
    QCOMPARE(f.Regions().first()->AltText, QStringLiteral("Home"));
    QTRY_COMPARE(Rows(dock), QStringLiteral("||No problems found."));
}

bool TestProblemsDock::Import(MainWindowFixture& f, const QString& Name, const QByteArray& Page)
{
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QFile file(FFiles.filePath(Name));
    if (!picture.save(FFiles.filePath("pic.png")) || !file.open(QIODevice::WriteOnly) ||
        file.write(Page) != Page.size())
        return false;
    file.close();
    TFormHTMLImport* dialog = f.Window->ImportDialog();
    return dialog->LoadHTMLFile(file.fileName()) && dialog->SelectEntry(0) && dialog->ButtonOKClick();
}

namespace {
const QByteArray kPageStart = "<html><body>\n<img src=\"pic.png\" usemap=\"#nav\">\n";
const QByteArray kNav =
    "<map name=\"nav\"><area shape=rect coords=\"0,0,50,50\" href=\"#a\" alt=\"A\"></map>\n";
const QByteArray kPageEnd = "</body></html>\n";
} // namespace

void TestProblemsDock::importedPageFindings_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("rows"); // %DIR% is the page's folder

    QTest::newRow("a clean page") << kPageStart + kNav + kPageEnd << "||No problems found.";
    QTest::newRow("two maps of one name")
        << kPageStart + kNav +
               "<map name=\"NAV\"><area shape=rect coords=\"60,0,110,50\" href=\"#b\" alt=\"B\"></map>\n" +
               kPageEnd
        << "Warning|map \"NAV\"|a map of this name comes earlier in the page; this one is never used";
    QTest::newRow("a usemap that names no map")
        << kPageStart + "<img src=\"pic.png\" usemap=\"#gone\">\n" + kNav + kPageEnd
        << "Warning|image \"pic.png\"|its usemap \"#gone\" names no map of the page";
    QTest::newRow("a map no image uses") << kPageStart + kNav + "<map name=\"spare\"></map>\n" + kPageEnd
                                         << "Note|map \"spare\"|no image uses this map";
    // The test runs elsewhere: the links are looked for beside the page.
    QTest::newRow("local links beside the page")
        << kPageStart +
               "<map name=\"nav\"><area shape=rect coords=\"0,0,50,50\" href=\"gone.html\" alt=\"G\">\n"
               "<area shape=rect coords=\"60,0,110,50\" href=\"pic.png\" alt=\"P\"></map>\n" +
               kPageEnd
        << "Warning|area 1 (\"G\")|the linked file \"%DIR%/gone.html\" does not exist";
}

void TestProblemsDock::importedPageFindings()
{
    QFETCH(QByteArray, page);
    QFETCH(QString, rows);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Action(f, "MICheckMap")->trigger();
    TProblemsDock* dock = Find<TProblemsDock>(*f.Window, "DockProblems");
    QVERIFY(Import(f, "page.html", page));
    const QString expected = rows.replace("%DIR%", FFiles.path());
    QTRY_COMPARE(Rows(dock), expected);
    // Without the import the document is no page's; with it again, the page's findings are back.
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QTRY_COMPARE(Rows(dock), QStringLiteral("||No problems found."));
    Find<QAction>(*f.Window, "MIRedo")->trigger();
    QTRY_COMPARE(Rows(dock), expected);
}

void TestProblemsDock::pageFindingsFollowSaveIntoPage()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Action(f, "MICheckMap")->trigger();
    TProblemsDock* dock = Find<TProblemsDock>(*f.Window, "DockProblems");
    QVERIFY(Import(f, "twice.html", kPageStart + kNav + kNav + kPageEnd));
    QTRY_COMPARE(
        Rows(dock),
        QStringLiteral(
            "Warning|map \"nav\"|a map of this name comes earlier in the page; this one is never used"));
    // Renamed and written back, the map leaves the other "nav" the page's only one, which no image uses.
    f.Window->Document()->SetMap(QStringLiteral("home"), f.Window->Document()->MapAttributes());
    Find<QAction>(*f.Window, "MISaveIntoPage")->trigger();
    QVERIFY2(FMessages.isEmpty(), qPrintable(FMessages.join('\n')));
    QTRY_COMPARE(Rows(dock), QStringLiteral("Note|map \"nav\"|no image uses this map"));
}

void TestProblemsDock::localLinksFollowTheSavedFile()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Action(f, "MICheckMap")->trigger();
    TProblemsDock* dock = Find<TProblemsDock>(*f.Window, "DockProblems");
    QVERIFY(Import(
        f, "links.html",
        kPageStart +
            "<map name=\"nav\"><area shape=rect coords=\"0,0,50,50\" href=\"pic.png\" alt=\"P\"></map>\n" +
            kPageEnd));
    QTRY_COMPARE(Rows(dock), QStringLiteral("||No problems found."));
    // Saved in another folder, the map's links lead into that folder.
    QVERIFY(QDir(FFiles.path()).mkpath("out"));
    SetDialogRunner(ChooseFileRunner(FFiles.filePath("out/links.htm")));
    Find<QAction>(*f.Window, "MISaveAs")->trigger();
    QTRY_COMPARE(Rows(dock),
                 QStringLiteral("Warning|area 1 (\"P\")|the linked file \"%1/out/pic.png\" does not exist")
                     .arg(FFiles.path()));
}

void TestProblemsDock::pageThatIsGoneIsNoted()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Action(f, "MICheckMap")->trigger();
    TProblemsDock* dock = Find<TProblemsDock>(*f.Window, "DockProblems");
    QVERIFY(Import(f, "gone.html", kPageStart + kNav + kPageEnd));
    QTRY_COMPARE(Rows(dock), QStringLiteral("||No problems found."));
    // The page's findings are unknown now: the dock must not call it clean.
    QVERIFY(QFile::remove(FFiles.filePath("gone.html")));
    Action(f, "MICheckMap")->trigger();
    QVERIFY2(
        Rows(dock).startsWith(QStringLiteral("Note||Cannot read \"%1\"").arg(FFiles.filePath("gone.html"))),
        qPrintable(Rows(dock)));
}

void TestProblemsDock::exportResponsivePage()
{
    MainWindowFixture f(200, 100);
    QVERIFY(f.Ready);
    SetAreas(f, {Linked(MapArea::circle(100, 20, 40, 40), "c.html", "C"),
                 Linked(MapArea::rectangle(10, 10, 50, 40), "r.html", "R")});
    const QString path = FFiles.filePath("page-responsive.html");
    SetDialogRunner(ChooseFileRunner(path));
    Action(f, "MIExportResponsivePage")->trigger();
    QVERIFY2(FMessages.isEmpty(), qPrintable(FMessages.join('\n')));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    QVERIFY2(page.contains("viewBox=\"0 0 200 100\""), qPrintable(page));
    QVERIFY2(page.contains("<rect x=\"10\" y=\"10\" width=\"50\" height=\"40\"/>"), qPrintable(page));
    QVERIFY2(page.contains("<circle cx=\"120\" cy=\"40\" r=\"20\"/>"), qPrintable(page));
    // The pointer's layer has the front-most region (the rectangle) last, the keyboard's first.
    const qsizetype keys = page.indexOf("<g class=\"zq-keys\">");
    QVERIFY(page.indexOf("<circle") < page.indexOf("<rect"));
    QVERIFY(page.indexOf("<rect", keys) < page.indexOf("<circle", keys));
    QVERIFY(Action(f, "MIExportResponsivePage")->parent() == f.Window.get());
    const QList<QAction*> fileMenu = Find<QMenu>(*f.Window, "MIFile")->actions();
    QCOMPARE(fileMenu.indexOf(Action(f, "MIExportResponsivePage")),
             fileMenu.indexOf(Find<QAction>(*f.Window, "MISaveIntoPage")) + 1);
}

void TestProblemsDock::exportRefusesTheMapsOwnFile()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    SetAreas(f, {Linked(MapArea::rectangle(10, 10, 50, 40), "r.html", "R")});
    const QString path = FFiles.filePath("own.htm");
    const QByteArray own = "<HTML>the user's map</HTML>\r\n";
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(own);
    }
    f.Window->Document()->SetFileName(path, path);
    SetDialogRunner(ChooseFileRunner(path));
    Action(f, "MIExportResponsivePage")->trigger();
    QCOMPARE(FMessages.size(), 1);
    QVERIFY2(FMessages.first().contains("holds the image map itself"), qPrintable(FMessages.first()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), own);
}

void TestProblemsDock::copyAsSvgOverlay()
{
    MainWindowFixture f(200, 100);
    QVERIFY(f.Ready);
    SetAreas(f, {Linked(MapArea::rectangle(10, 10, 50, 40), "r.html", "R")});
    QAction* copy = Action(f, "MICopySvgOverlay");
    QVERIFY(Find<QMenu>(*f.Window, "MIEdit")->actions().contains(copy));
    copy->trigger();
    const QString text = QGuiApplication::clipboard()->text();
    QVERIFY2(text.startsWith("<style>"), qPrintable(text));
    QVERIFY2(text.contains("<rect x=\"10\" y=\"10\" width=\"50\" height=\"40\"/>"), qPrintable(text));
    QVERIFY(!text.contains("<html"));
}

QTEST_MAIN(TestProblemsDock)
#include "tst_problemsdock.moc"
