// The main window's document commands, its caption, the user's tab changes
// and the source view, driven through the real window with the shared
// dialogs' and message boxes' replaceable runners.
#include "EditorFixture.h"

#include "ImageMapWriter.h"
#include "MapAreaGathering.h"
#include "MessageBoxes.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "TUICircle.h"
#include "TUIRectangle.h"
#include "TPolyOverlay.h"
#include "UnitMain.h"
#include "WindowParts.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <Qsci/qsciscintilla.h>
#include <csignal>
#include <sys/resource.h>

namespace {

QString title()
{
    return QStringLiteral("Corvanta Zonequilter");
}

bool writePicture(const QString& path, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    return picture.save(path, "PNG");
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void clickTab(TFormCorvantaZonequilter& window, QWidget* page)
{
    QTabBar* bar = Find<QTabWidget>(window, "PageControl")->tabBar();
    const int index = Find<QTabWidget>(window, "PageControl")->indexOf(page);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

QString writerText(TFormCorvantaZonequilter& window)
{
    return BuildImageMapHTML(window.Document()->ImageFileName(), window.Document()->MapName(),
                             GatherMapAreas(*Find<TPTGroup>(window, "PanelScene")));
}

// The data files of the program, from the source tree.
QString dataFile(const QString& name)
{
    return QStringLiteral(ZQ_TEST_SOURCE_DIR "/../../data/") + name;
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newCancelledChangesNothing();
    void newLoadsThePictureAndRemovesTheRegions();
    void newWithAPictureThatFailsShowsTheReason();
    void saveAsWritesCrLfAndAddsHtm();
    void saveAsOverAnExistingFileReplacesIt();
    void failingWriteKeepsTheOldFileAndShowsTheMessage();
    void captionRule();
    void userTabChangeRegenerates();
    void codeTabChangeRunsNoHandler();
    void userTabChangeDropsAnUnfinishedPolygon();
    void sourceViewIsReadOnly();
    void sourceViewSelectAllAndCopy();
    void sourceViewKeys_data();
    void sourceViewKeys();
    void copyWithoutSelectionLeavesTheClipboard();
    void sourceContextMenuLayout();
    void firstPaintImportsTheDemo();
    void firstPaintWithoutDemoStartsEmpty();
    void captionIsSetBeforeTheWindowIsActivated();

private:
    QStringList FMessages;
    QList<QMessageBox::Icon> FIcons;
    QTemporaryDir FFiles;
};

void TestDocument::init()
{
    FMessages.clear();
    FIcons.clear();
    SetMessageBoxRunner([this](QMessageBox& box) {
        FMessages << box.text();
        FIcons << box.icon();
        return QMessageBox::Ok;
    });
    SharedSaveDialog()->SetFileName(QString());
    SharedOpenDialog()->SetFileName(QString());
}

void TestDocument::cleanup()
{
    SetMessageBoxRunner({});
    SetDialogRunner({});
}

void TestDocument::newCancelledChangesNothing()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    new TUIRectangle(f.Scene());
    f.Window->Document()->SetPicture(f.Window->Document()->Picture(), QStringLiteral("/nowhere/old.png"));
    Find<QTabWidget>(*f.Window, "PageControl")->setCurrentWidget(Find<QWidget>(*f.Window, "TabSheetSource"));
    SetDialogRunner(CancelDialogRunner());

    Find<QAction>(*f.Window, "TBNew")->trigger();

    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(f.Window->Document()->ImageFileName(), QStringLiteral("/nowhere/old.png"));
    QCOMPARE(f.Scene()->ClientWidth(), 300);
    QCOMPARE(Find<QTabWidget>(*f.Window, "PageControl")->currentWidget(),
             Find<QWidget>(*f.Window, "TabSheetSource"));
    QVERIFY(FMessages.isEmpty());
}

void TestDocument::newLoadsThePictureAndRemovesTheRegions()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    new TUIRectangle(f.Scene());
    new TUICircle(f.Scene());
    f.Window->Document()->SetMap(QStringLiteral("KeptName"), f.Window->Document()->MapAttributes());
    Find<QAction>(*f.Window, "TBCircle")->trigger();
    Find<QTabWidget>(*f.Window, "PageControl")->setCurrentWidget(Find<QWidget>(*f.Window, "TabSheetSource"));
    const QString picture = FFiles.filePath(QStringLiteral("new picture.png"));
    QVERIFY(writePicture(picture, 123, 77));
    SetDialogRunner(ChooseFileRunner(picture));

    Find<QAction>(*f.Window, "MINew")->trigger();

    QVERIFY(f.Regions().isEmpty());
    QCOMPARE(f.Window->Document()->ImageFileName(), picture);
    QCOMPARE(f.Scene()->ClientWidth(), 123);
    QCOMPARE(f.Scene()->ClientHeight(), 77);
    QCOMPARE(f.Window->Document()->Picture().size(), QSize(123, 77));
    QCOMPARE(f.Window->Document()->Picture().pixelColor(5, 5), QColor(Qt::darkCyan));
    QCOMPARE(Find<QTabWidget>(*f.Window, "PageControl")->currentWidget(),
             Find<QWidget>(*f.Window, "TabSheetEdit"));
    QCOMPARE(f.Window->Document()->MapName(), QStringLiteral("KeptName"));
    QVERIFY(Find<QAction>(*f.Window, "TBCircle")->isChecked());
    QVERIFY(FMessages.isEmpty());
    // The picture dialog offers the picture filter and starts from the image.
    QCOMPARE(SharedOpenDialog()->Filter(),
             QStringLiteral("HTML Image Files|*.jpeg;*.jpg;*.gif;*.png|JPEG Files (*.jpg)|*.jpeg;*.jpg|"
                            "GIF Files (*.gif)|*.gif|PNG Files (*.png)|*.png|All Files (*.*)|*.*|"));
    QCOMPARE(SharedOpenDialog()->DefaultExt(), QString());
}

void TestDocument::newWithAPictureThatFailsShowsTheReason()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    new TUIRectangle(f.Scene());
    f.Window->Document()->SetPicture(f.Window->Document()->Picture(), QStringLiteral("/nowhere/old.png"));
    const QString broken = FFiles.filePath(QStringLiteral("broken.png"));
    {
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is no picture at all");
    }
    Find<QTabWidget>(*f.Window, "PageControl")->setCurrentWidget(Find<QWidget>(*f.Window, "TabSheetSource"));
    SetDialogRunner(ChooseFileRunner(broken));

    Find<QAction>(*f.Window, "MINew")->trigger();

    // The regions are gone before the load; the rest of the document stays.
    QVERIFY(f.Regions().isEmpty());
    QCOMPARE(f.Window->Document()->ImageFileName(), QStringLiteral("/nowhere/old.png"));
    QCOMPARE(f.Scene()->ClientWidth(), 300);
    QCOMPARE(f.Scene()->ClientHeight(), 200);
    QCOMPARE(Find<QTabWidget>(*f.Window, "PageControl")->currentWidget(),
             Find<QWidget>(*f.Window, "TabSheetEdit"));
    QCOMPARE(FMessages.size(), 1);
    QVERIFY2(FMessages.first().contains(QStringLiteral("broken.png")), qPrintable(FMessages.first()));
    QCOMPARE(FIcons.first(), QMessageBox::Critical);
}

void TestDocument::saveAsWritesCrLfAndAddsHtm()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    auto* rect = new TUIRectangle(f.Scene());
    rect->SetBoundsRect(TRect{10, 20, 60, 70});
    rect->HRef = QStringLiteral("http://example.org/a.htm");
    rect->AltText = QStringLiteral("Café \"quoted\"");
    f.Window->Document()->SetPicture(f.Window->Document()->Picture(), QStringLiteral("/pictures/p.png"));
    const QString typed = FFiles.filePath(QStringLiteral("typed without extension"));
    SetDialogRunner(ChooseFileRunner(typed));

    Find<QAction>(*f.Window, "TBSave")->trigger();

    const QString saved = typed + QStringLiteral(".htm");
    QVERIFY(QFile::exists(saved));
    QVERIFY(!QFile::exists(typed));
    const QByteArray bytes = readAll(saved);
    QCOMPARE(bytes, ToCrLfLines(writerText(*f.Window)).toUtf8());
    QVERIFY(bytes.endsWith("</HTML>\r\n"));
    QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
    QVERIFY(bytes.contains("alt=\"Caf&#233; &quot;quoted&quot;\""));
    // The source view holds the writer's text, line feeds only.
    QCOMPARE(Find<QsciScintilla>(*f.Window, "SynEdit")->text(), writerText(*f.Window));
    QCOMPARE(ShownTitle(*f.Window), title() + QStringLiteral(" - [") + saved + QStringLiteral("]"));
    QCOMPARE(SharedSaveDialog()->Filter(),
             QStringLiteral("HTML Files (*.htm)|*.htm;*.html;*.shtml;*.asp|All Files (*.*)|*.*|"));
    QCOMPARE(SharedSaveDialog()->DefaultExt(), QStringLiteral("htm"));
    QVERIFY(FMessages.isEmpty());
}

void TestDocument::saveAsOverAnExistingFileReplacesIt()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    const QString path = FFiles.filePath(QStringLiteral("existing.html"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(20000, 'x'));
    }
    SetDialogRunner(ChooseFileRunner(path));
    Find<QAction>(*f.Window, "MISaveAs")->trigger();
    QCOMPARE(readAll(path), ToCrLfLines(writerText(*f.Window)).toUtf8());
}

void TestDocument::failingWriteKeepsTheOldFileAndShowsTheMessage()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    for (int i = 0; i < 20; ++i) {
        auto* rect = new TUIRectangle(f.Scene());
        rect->SetBoundsRect(TRect{i, i, i + 20, i + 20});
    }
    QTemporaryDir folder;
    const QString earlier = folder.filePath(QStringLiteral("earlier.htm"));
    f.Window->Document()->SetFileName(earlier, earlier);
    Invoke(*f.Window, "FormActivate");
    const QString path = folder.filePath(QStringLiteral("precious.htm"));
    const QByteArray old = "<HTML>the user's earlier work</HTML>\r\n";
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    SetDialogRunner(ChooseFileRunner(path));

    // Files may not grow past 512 bytes while the command runs, so the write
    // fails part of the way through, as on a full disk.
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 512;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    Find<QAction>(*f.Window, "MISaveAs")->trigger();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(readAll(path), old);
    QCOMPARE(FMessages.size(), 1);
    QVERIFY2(
        FMessages.first().startsWith(QStringLiteral("Cannot create file \"") + path + QStringLiteral("\". ")),
        qPrintable(FMessages.first()));
    QVERIFY(FMessages.first().size() > QStringLiteral("Cannot create file \"\". ").size() + path.size());
    QCOMPARE(FIcons.first(), QMessageBox::Critical);
    // The caption and the document's name still name the file the work is in.
    QCOMPARE(ShownTitle(*f.Window), title() + QStringLiteral(" - [") + earlier + QStringLiteral("]"));
    QCOMPARE(SharedSaveDialog()->FileName(), earlier);
    // No temporary file is left beside it.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("precious.htm")});
}

void TestDocument::captionRule()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Invoke(*f.Window, "FormActivate");
    QCOMPARE(ShownTitle(*f.Window), title());
    f.Window->Document()->SetFileName(QStringLiteral("/maps/one.htm"), QStringLiteral("/maps/one.htm"));
    Invoke(*f.Window, "FormActivate");
    QCOMPARE(ShownTitle(*f.Window), QStringLiteral("Corvanta Zonequilter - [/maps/one.htm]"));
}

void TestDocument::userTabChangeRegenerates()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    auto* rect = new TUIRectangle(f.Scene());
    rect->SetBoundsRect(TRect{10, 10, 50, 50});
    QVERIFY(Find<QsciScintilla>(*f.Window, "SynEdit")->text().isEmpty());

    clickTab(*f.Window, Find<QWidget>(*f.Window, "TabSheetSource"));
    QCOMPARE(Find<QTabWidget>(*f.Window, "PageControl")->currentWidget(),
             Find<QWidget>(*f.Window, "TabSheetSource"));
    QCOMPARE(Find<QsciScintilla>(*f.Window, "SynEdit")->text(), writerText(*f.Window));
    QCOMPARE(Find<QsciScintilla>(*f.Window, "SynEdit")->text().count(QStringLiteral("<AREA ")), 1);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Find<QsciScintilla>(*f.Window, "SynEdit")));

    // Back to Edit is a change too: the text follows the document again.
    auto* circle = new TUICircle(f.Scene());
    circle->SetBoundsRect(TRect{100, 10, 150, 60});
    clickTab(*f.Window, Find<QWidget>(*f.Window, "TabSheetEdit"));
    QCOMPARE(Find<QTabWidget>(*f.Window, "PageControl")->currentWidget(),
             Find<QWidget>(*f.Window, "TabSheetEdit"));
    QCOMPARE(Find<QsciScintilla>(*f.Window, "SynEdit")->text().count(QStringLiteral("<AREA ")), 2);
}

void TestDocument::codeTabChangeRunsNoHandler()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    new TUIRectangle(f.Scene());
    Find<QTabWidget>(*f.Window, "PageControl")->setCurrentWidget(Find<QWidget>(*f.Window, "TabSheetSource"));
    QVERIFY(Find<QsciScintilla>(*f.Window, "SynEdit")->text().isEmpty());
    Find<QTabWidget>(*f.Window, "PageControl")->setCurrentIndex(0);
    // A tool button brings the Edit tab from code as well.
    Find<QTabWidget>(*f.Window, "PageControl")->setCurrentWidget(Find<QWidget>(*f.Window, "TabSheetSource"));
    Find<QAction>(*f.Window, "TBRect")->trigger();
    QCOMPARE(Find<QTabWidget>(*f.Window, "PageControl")->currentWidget(),
             Find<QWidget>(*f.Window, "TabSheetEdit"));
    QVERIFY(Find<QsciScintilla>(*f.Window, "SynEdit")->text().isEmpty());
    QVERIFY(Find<QAction>(*f.Window, "TBRect")->isChecked());
}

void TestDocument::userTabChangeDropsAnUnfinishedPolygon()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    f.Click(20, 20);
    f.Click(80, 20);
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().size(), 2);

    clickTab(*f.Window, Find<QWidget>(*f.Window, "TabSheetSource"));

    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
    QVERIFY(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().isEmpty());
    QVERIFY(f.Regions().isEmpty());
    QCOMPARE(Find<QTabWidget>(*f.Window, "PageControl")->currentWidget(),
             Find<QWidget>(*f.Window, "TabSheetSource"));
    QCOMPARE(Find<QsciScintilla>(*f.Window, "SynEdit")->text(), writerText(*f.Window));
}

void TestDocument::sourceViewIsReadOnly()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    clickTab(*f.Window, Find<QWidget>(*f.Window, "TabSheetSource"));
    const QString text = Find<QsciScintilla>(*f.Window, "SynEdit")->text();
    QVERIFY(!text.isEmpty());
    QTest::keyClicks(Find<QsciScintilla>(*f.Window, "SynEdit"), QStringLiteral("typed"));
    QTest::keyClick(Find<QsciScintilla>(*f.Window, "SynEdit"), Qt::Key_Delete);
    QTest::keyClick(Find<QsciScintilla>(*f.Window, "SynEdit"), Qt::Key_Return);
    QCOMPARE(Find<QsciScintilla>(*f.Window, "SynEdit")->text(), text);
}

void TestDocument::sourceViewSelectAllAndCopy()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    new TUIRectangle(f.Scene());
    clickTab(*f.Window, Find<QWidget>(*f.Window, "TabSheetSource"));
    QVERIFY(!Find<QsciScintilla>(*f.Window, "SynEdit")->hasSelectedText());

    Find<QAction>(*f.Window, "SelectAll1")->trigger();
    QCOMPARE(Find<QsciScintilla>(*f.Window, "SynEdit")->selectedText(),
             Find<QsciScintilla>(*f.Window, "SynEdit")->text());
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Find<QAction>(*f.Window, "CopytoClipboard1")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), Find<QsciScintilla>(*f.Window, "SynEdit")->text());
}

void TestDocument::sourceViewKeys_data()
{
    QTest::addColumn<int>("copyKey");
    QTest::newRow("Ctrl+C") << int(Qt::Key_C);
    QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert);
}

void TestDocument::sourceViewKeys()
{
    QFETCH(int, copyKey);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    clickTab(*f.Window, Find<QWidget>(*f.Window, "TabSheetSource"));
    QsciScintilla* view = Find<QsciScintilla>(*f.Window, "SynEdit");
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(view->selectedText(), view->text());
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(view, Qt::Key(copyKey), Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), view->text());
}

void TestDocument::copyWithoutSelectionLeavesTheClipboard()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    clickTab(*f.Window, Find<QWidget>(*f.Window, "TabSheetSource"));
    QVERIFY(!Find<QsciScintilla>(*f.Window, "SynEdit")->hasSelectedText());
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    Find<QAction>(*f.Window, "CopytoClipboard1")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

void TestDocument::sourceContextMenuLayout()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    const QList<QAction*> items = Find<QMenu>(*f.Window, "PopupMenu2")->actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0]->text(), QStringLiteral("Copy to Clipboard"));
    QVERIFY(items[1]->isSeparator());
    QCOMPARE(items[2]->text(), QStringLiteral("Select All"));
    QCOMPARE(Find<QsciScintilla>(*f.Window, "SynEdit")->contextMenuPolicy(), Qt::CustomContextMenu);
}

void TestDocument::firstPaintImportsTheDemo()
{
    QTemporaryDir folder;
    for (const char* name : {"demo.htm", "demo.jpg"})
        QVERIFY(QFile::copy(dataFile(QString::fromLatin1(name)), folder.filePath(QString::fromLatin1(name))));
    SetAppFolderOverride(folder.path());
    const QString startFolder = QDir::currentPath();
    {
        TFormCorvantaZonequilter window;
        window.show();
        QTRY_COMPARE(Find<TPTGroup>(window, "PanelScene")->Regions().size(), 6);
        QCOMPARE(window.Document()->MapName(), QStringLiteral("DemoMap"));
        QCOMPARE(window.Document()->ImageFileName(), folder.filePath(QStringLiteral("demo.jpg")));
        QCOMPARE(Find<TPTGroup>(window, "PanelScene")->ClientWidth(), window.Document()->Picture().width());
        QCOMPARE(QDir(QDir::currentPath()), QDir(folder.path()));
        // The first area of the file is the front-most region.
        QCOMPARE(GatherMapAreas(*Find<TPTGroup>(window, "PanelScene")).first().AltText,
                 QStringLiteral("The front door"));
        QVERIFY(Find<TPTGroup>(window, "PanelScene")->FocusedRegion() == nullptr);
        QCOMPARE(Find<QTabWidget>(window, "PageControl")->currentWidget(),
                 Find<QWidget>(window, "TabSheetEdit"));
        // Save As proposes no name yet.
        QCOMPARE(SharedSaveDialog()->FileName(), QString());
        QCOMPARE(ShownTitle(window), title());
        QVERIFY(FMessages.isEmpty());
    }
    QDir::setCurrent(startFolder);
    SetAppFolderOverride(QString());
}

void TestDocument::firstPaintWithoutDemoStartsEmpty()
{
    QTemporaryDir folder;
    SetAppFolderOverride(folder.path());
    const QString startFolder = QDir::currentPath();
    {
        TFormCorvantaZonequilter window;
        window.show();
        QTRY_COMPARE(FMessages.size(), 1);
        QVERIFY2(FMessages.first().startsWith(QStringLiteral("Cannot open file \"") +
                                              folder.filePath(QStringLiteral("demo.htm"))),
                 qPrintable(FMessages.first()));
        QTest::qWait(50);
        QVERIFY(Find<TPTGroup>(window, "PanelScene")->Regions().isEmpty());
        QVERIFY(window.Document()->ImageFileName().isEmpty());
        QCOMPARE(Find<TPTGroup>(window, "PanelScene")->ClientWidth(), 105);
        QCOMPARE(Find<TPTGroup>(window, "PanelScene")->ClientHeight(), 105);
        QCOMPARE(window.Document()->MapName(), QStringLiteral("ImageMap"));
        QCOMPARE(FMessages.size(), 1);
    }
    QDir::setCurrent(startFolder);
    SetAppFolderOverride(QString());
}

void TestDocument::captionIsSetBeforeTheWindowIsActivated()
{
    SetAppFolderOverride(FFiles.path());
    TFormCorvantaZonequilter window;
    QCOMPARE(ShownTitle(window), QStringLiteral("Corvanta Zonequilter"));
    SetAppFolderOverride(QString());
}

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
