// The road of a typical use, end to end, with the real web view and real
// files: a new picture, three regions drawn with the mouse and given their
// texts, the source view, the preview's document, Save As, the import of the
// saved file and a second Save As.
#include "AppFolder.h"
#include "ImageMapWriter.h"
#include "InternetConnection.h"
#include "MapAreaGathering.h"
#include "MessageBoxes.h"
#include "PreviewFolder.h"
#include "PreviewScheme.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"
#include "UnitProperties.h"
#include "WebViewHelpers.h"
#include "WindowParts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QWindow>
#include <Qsci/qsciscintilla.h>
#include <functional>
#include <memory>

namespace {

struct Texts
{
    QString HRef;
    QString Target;
    QString AltText;
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

// The AREA lines of a generated document as (shape, href, alt, target, coords).
QList<QStringList> areaLines(const QString& html)
{
    static const QRegularExpression line(
        QStringLiteral(
            "^<AREA shape=(\\w+) href=\"([^\"]*)\" alt=\"([^\"]*)\" target=\"([^\"]*)\" coords=([-0-9,]*)>$"),
        QRegularExpression::MultilineOption);
    QList<QStringList> result;
    auto it = line.globalMatch(html);
    while (it.hasNext()) {
        const auto match = it.next();
        result.append(
            {match.captured(1), match.captured(2), match.captured(3), match.captured(4), match.captured(5)});
    }
    return result;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void roadOfATypicalUse();
    void previewFromCodeLoadsNothing();
    void previewBackgroundIsButtonShadowNotMagenta();
    void keyboardTabChangeRunsTheHandlers();
    void servicesOfflineShowsThePageBesideTheProgram();
    void regionCommandsOnlyOnTheEditTab();
    void desktopEntryNamesTheWindowClass();

private:
    void makeWindow();
    QPoint at(int x, int y) const
    {
        return Find<TPTGroup>(*FWindow, "PanelScene")->mapFromScene(QPointF(x, y));
    }
    QWidget* viewport() const { return Find<TPTGroup>(*FWindow, "PanelScene")->viewport(); }
    void drag(int x0, int y0, int x1, int y1);
    void click(int x, int y);
    void clickTab(QWidget* page);
    void setProperties(int x, int y, const Texts& texts);
    QVariant runJavaScript(QWebEngineView* view, const QString& script);

    std::unique_ptr<QTemporaryDir> FFolder;
    std::unique_ptr<TFormCorvantaZonequilter> FWindow;
    QStringList FMessages;
    QStringList FPrompts;
};

void TestEndToEnd::init()
{
    FFolder = std::make_unique<QTemporaryDir>();
    QVERIFY(FFolder->isValid());
    // The program folder (preview files, services page) is a folder of the test's own.
    SetAppFolderOverride(FFolder->path());
    QVERIFY(QFile::copy(QStringLiteral(ZQ_APP_DIR "/services.htm"), FFolder->filePath("services.htm")));
    FMessages.clear();
    FPrompts.clear();
    SetMessageBoxRunner([this](QMessageBox& box) {
        // The question before unsaved work is replaced: go on without saving.
        if (box.standardButtons().testFlag(QMessageBox::Discard)) {
            FPrompts << box.text();
            return QMessageBox::Discard;
        }
        FMessages << box.text();
        return QMessageBox::Ok;
    });
    SharedSaveDialog()->SetFileName(QString());
    SetInternetConnectedProbe([] { return false; });
    makeWindow();
}

void TestEndToEnd::cleanup()
{
    FWindow.reset();
    SetDialogRunner({});
    SetMessageBoxRunner({});
    SetInternetConnectedProbe({});
    SetAppFolderOverride(QString());
    RemovePrivatePreviewFolder();
    FFolder.reset();
}

void TestEndToEnd::makeWindow()
{
    FWindow = std::make_unique<TFormCorvantaZonequilter>();
    FWindow->SkipFirstPaint();
    FWindow->show();
    FWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
}

void TestEndToEnd::drag(int x0, int y0, int x1, int y1)
{
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, at(x0, y0));
    QTest::mouseMove(viewport(), at((x0 + x1) / 2, (y0 + y1) / 2));
    QTest::mouseMove(viewport(), at(x1, y1));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, at(x1, y1));
}

void TestEndToEnd::click(int x, int y)
{
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, at(x, y));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, at(x, y));
}

void TestEndToEnd::clickTab(QWidget* page)
{
    QTabBar* bar = Find<QTabWidget>(*FWindow, "PageControl")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->tabRect(Find<QTabWidget>(*FWindow, "PageControl")->indexOf(page)).center());
}

void TestEndToEnd::setProperties(int x, int y, const Texts& texts)
{
    click(x, y);
    QVERIFY(FWindow->ActiveRegion() != nullptr);
    TFormProperties* dialog = FWindow->PropertiesDialog();
    bool filled = false;
    QTimer::singleShot(0, dialog, [&] {
        QVERIFY(dialog->isVisible());
        dialog->EditHRef->setText(texts.HRef);
        dialog->EditTarget->setCurrentText(texts.Target);
        dialog->EditAltText->setPlainText(texts.AltText);
        QTest::mouseClick(dialog->ButtonOk, Qt::LeftButton);
        filled = true;
    });
    Find<QAction>(*FWindow, "TBProperties")->trigger();
    QVERIFY(filled);
}

QVariant TestEndToEnd::runJavaScript(QWebEngineView* view, const QString& script)
{
    QVariant result;
    bool done = false;
    // The program's own world: the Preview runs no script of the page.
    view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 20000))
        return QStringLiteral("<no answer>");
    return result;
}

void TestEndToEnd::roadOfATypicalUse()
{
    // New Image Map with a picture of our own.
    const QString picture = FFolder->filePath(QStringLiteral("garden.png"));
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(QColor(120, 180, 90));
    QVERIFY(image.save(picture, "PNG"));
    SetDialogRunner(ChooseFileRunner(picture));
    Find<QAction>(*FWindow, "TBNew")->trigger();
    QCOMPARE(FWindow->Document()->ImageFileName(), picture);
    QCOMPARE(Find<TPTGroup>(*FWindow, "PanelScene")->ClientWidth(), 400);

    // A rectangle, a circle and a polygon, drawn with the mouse.
    Find<QAction>(*FWindow, "TBRect")->trigger();
    drag(20, 30, 120, 110);
    Find<QAction>(*FWindow, "TBCircle")->trigger();
    drag(200, 40, 260, 100);
    Find<QAction>(*FWindow, "TBPoly")->trigger();
    for (const QPoint& corner : {QPoint(100, 180), QPoint(220, 170), QPoint(260, 260), QPoint(120, 280)})
        click(corner.x(), corner.y());
    click(101, 181);
    QCOMPARE(Find<TPTGroup>(*FWindow, "PanelScene")->Regions().size(), 3);
    QVERIFY(qobject_cast<TUIRectangle*>(Find<TPTGroup>(*FWindow, "PanelScene")->Regions()[0]));
    QVERIFY(qobject_cast<TUICircle*>(Find<TPTGroup>(*FWindow, "PanelScene")->Regions()[1]));
    QVERIFY(qobject_cast<TUIPolygon*>(Find<TPTGroup>(*FWindow, "PanelScene")->Regions()[2]));
    QVERIFY(Find<QAction>(*FWindow, "TBArrow")->isChecked());

    // Their texts, through the properties dialog.
    setProperties(60, 70,
                  {QStringLiteral("http://example.org/door.htm"), QStringLiteral("_blank"),
                   QStringLiteral("The door & the porch")});
    setProperties(230, 70, {QStringLiteral("sun.htm"), QString(), QStringLiteral("The sun")});
    setProperties(180, 230,
                  {QStringLiteral("http://example.org/lawn.htm?x=1&y=2"),
                   QStringLiteral("CorvantaWebBrowser"), QStringLiteral("Lawn, \"mown\"")});
    const QVector<MapArea> drawn = GatherMapAreas(*Find<TPTGroup>(*FWindow, "PanelScene"));
    QCOMPARE(drawn.size(), 3);
    QCOMPARE(drawn[0].AltText, QStringLiteral("Lawn, \"mown\""));
    QCOMPARE(drawn[2].HRef, QStringLiteral("http://example.org/door.htm"));

    // The Source tab shows exactly the writer's text.
    clickTab(Find<QWidget>(*FWindow, "TabSheetSource"));
    const QString expected = BuildImageMapHTML(picture, QStringLiteral("ImageMap"), drawn);
    QCOMPARE(Find<QsciScintilla>(*FWindow, "SynEdit")->text(), expected);
    const QList<QStringList> areas = areaLines(expected);
    QCOMPARE(areas.size(), 3);

    // The Preview shows the page; its document holds the same areas in the same order.
    clickTab(Find<QWidget>(*FWindow, "TabSheetPreview"));
    QVERIFY(Find<QWebEngineView>(*FWindow, "EmbeddedWB") != nullptr);
    QSignalSpy loaded(Find<QWebEngineView>(*FWindow, "EmbeddedWB"), &QWebEngineView::loadFinished);
    QVERIFY(loaded.wait(30000));
    QCOMPARE(loaded.first().first().toBool(), true);
    QCOMPARE(Find<QWebEngineView>(*FWindow, "EmbeddedWB")->url(),
             PreviewUrlForFile(GetPreviewFolder() + "Temp1.html"));
    const QVariant dom = runJavaScript(
        Find<QWebEngineView>(*FWindow, "EmbeddedWB"),
        QStringLiteral("JSON.stringify(Array.from(document.querySelectorAll('map[name=\"ImageMap\"] area'))"
                       ".map(a => [a.getAttribute('shape'), a.getAttribute('href'), a.getAttribute('alt'),"
                       " a.getAttribute('target'), a.getAttribute('coords')]))"));
    const QJsonArray domAreas = QJsonDocument::fromJson(dom.toString().toUtf8()).array();
    QCOMPARE(domAreas.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QStringList fields;
        for (const QJsonValue& v : domAreas[i].toArray())
            fields << v.toString();
        QStringList written = areas[i];
        written[2].replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        QCOMPARE(fields, written);
    }
    QCOMPARE(runJavaScript(Find<QWebEngineView>(*FWindow, "EmbeddedWB"),
                           QStringLiteral("document.images[0].naturalWidth"))
                 .toInt(),
             400);

    // Save As writes the text with CR LF.
    const QString first = FFolder->filePath(QStringLiteral("garden.htm"));
    SetDialogRunner(ChooseFileRunner(FFolder->filePath(QStringLiteral("garden"))));
    Find<QAction>(*FWindow, "TBSave")->trigger();
    const QByteArray saved = readAll(first);
    QCOMPARE(saved, ToCrLfLines(expected).toUtf8());
    QCOMPARE(saved.count("\n"), saved.count("\r\n"));
    QCOMPARE(FWindow->windowHandle()->title(), QStringLiteral("Corvanta Zonequilter - [%1]").arg(first));

    // A fresh document, then the import of the saved file.
    SetDialogRunner(ChooseFileRunner(picture));
    Find<QAction>(*FWindow, "TBNew")->trigger();
    QVERIFY(Find<TPTGroup>(*FWindow, "PanelScene")->Regions().isEmpty());
    SetDialogRunner(ChooseFileRunner(first));
    TFormHTMLImport* import = FWindow->ImportDialog();
    bool accepted = false;
    std::function<void()> acceptWhenShown = [&] {
        if (!import->isVisible()) {
            QTimer::singleShot(10, import, acceptWhenShown);
            return;
        }
        QVERIFY(import->SelectEntry(0));
        QVERIFY(import->ButtonOK->isEnabled());
        QTest::mouseClick(import->ButtonOK, Qt::LeftButton);
        accepted = true;
    };
    QTimer::singleShot(0, import, acceptWhenShown);
    Find<QAction>(*FWindow, "TBOpen")->trigger();
    QVERIFY(accepted);
    QVERIFY(FMessages.isEmpty());
    // The new picture was not saved: the import asked first.
    QCOMPARE(FPrompts, QStringList{QStringLiteral("Save changes to the image map?")});
    QCOMPARE(Find<TPTGroup>(*FWindow, "PanelScene")->Regions().size(), 3);
    QVERIFY(qobject_cast<TUIRectangle*>(Find<TPTGroup>(*FWindow, "PanelScene")->Regions()[0]));
    QVERIFY(qobject_cast<TUICircle*>(Find<TPTGroup>(*FWindow, "PanelScene")->Regions()[1]));
    QVERIFY(qobject_cast<TUIPolygon*>(Find<TPTGroup>(*FWindow, "PanelScene")->Regions()[2]));
    QCOMPARE(GatherMapAreas(*Find<TPTGroup>(*FWindow, "PanelScene")), drawn);
    QCOMPARE(FWindow->Document()->MapName(), QStringLiteral("ImageMap"));
    QCOMPARE(FWindow->windowHandle()->title(), QStringLiteral("Corvanta Zonequilter - [%1]").arg(first));

    // Save As again gives the same bytes.
    const QString second = FFolder->filePath(QStringLiteral("garden again.htm"));
    SetDialogRunner(ChooseFileRunner(second));
    Find<QAction>(*FWindow, "MISaveAs")->trigger();
    QCOMPARE(readAll(second), saved);
    QVERIFY(FMessages.isEmpty());
}

void TestEndToEnd::previewFromCodeLoadsNothing()
{
    Find<QTabWidget>(*FWindow, "PageControl")->setCurrentWidget(Find<QWidget>(*FWindow, "TabSheetPreview"));
    QTest::qWait(200);
    // The view is made when its tab shows, but nothing is written or loaded.
    QVERIFY(Find<QWebEngineView>(*FWindow, "EmbeddedWB") != nullptr);
    QVERIFY(Find<QWebEngineView>(*FWindow, "EmbeddedWB")->url().isEmpty());
    QVERIFY(Find<QsciScintilla>(*FWindow, "SynEdit")->text().isEmpty());
    QVERIFY(!QFile::exists(GetPreviewFolder() + "Temp1.html"));
}

void TestEndToEnd::previewBackgroundIsButtonShadowNotMagenta()
{
    clickTab(Find<QWidget>(*FWindow, "TabSheetPreview"));
    QVERIFY(Find<QWebEngineView>(*FWindow, "EmbeddedWB") != nullptr);
    QSignalSpy loaded(Find<QWebEngineView>(*FWindow, "EmbeddedWB"), &QWebEngineView::loadFinished);
    QVERIFY(loaded.wait(30000));
    // The text keeps the system colour name; the page shows the Edit tab's grey.
    QVERIFY(
        Find<QsciScintilla>(*FWindow, "SynEdit")->text().contains(QStringLiteral("bgColor=buttonshadow")));
    QCOMPARE(runJavaScript(Find<QWebEngineView>(*FWindow, "EmbeddedWB"),
                           QStringLiteral("document.body.getAttribute('bgcolor')"))
                 .toString(),
             QStringLiteral("buttonshadow"));
    const QColor grey = Find<TPTGroup>(*FWindow, "PanelScene")->palette().color(QPalette::Dark);
    const QString expected =
        QStringLiteral("rgb(%1, %2, %3)").arg(grey.red()).arg(grey.green()).arg(grey.blue());
    const QString script = QStringLiteral("getComputedStyle(document.body).backgroundColor");
    // The page's script runs when its document is ready, at about the time the load finishes.
    QTRY_COMPARE_WITH_TIMEOUT(runJavaScript(Find<QWebEngineView>(*FWindow, "EmbeddedWB"), script).toString(),
                              expected, 10000);
}

void TestEndToEnd::keyboardTabChangeRunsTheHandlers()
{
    // Ctrl+Tab from the Edit tab goes to Preview, through both handlers.
    Find<QAction>(*FWindow, "TBArrow")->trigger();
    Find<TPTGroup>(*FWindow, "PanelScene")->setFocus();
    QTest::keyClick(Find<TPTGroup>(*FWindow, "PanelScene"), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(Find<QTabWidget>(*FWindow, "PageControl")->currentWidget(),
             Find<QWidget>(*FWindow, "TabSheetPreview"));
    QVERIFY(!Find<QsciScintilla>(*FWindow, "SynEdit")->text().isEmpty());
    QVERIFY(Find<QWebEngineView>(*FWindow, "EmbeddedWB") != nullptr);
    QCOMPARE(Find<QWebEngineView>(*FWindow, "EmbeddedWB")->url(),
             PreviewUrlForFile(GetPreviewFolder() + "Temp1.html"));
    QCOMPARE(readAll(GetPreviewFolder() + "Temp1.html"),
             Find<QsciScintilla>(*FWindow, "SynEdit")->text().toUtf8());
}

void TestEndToEnd::servicesOfflineShowsThePageBesideTheProgram()
{
    clickTab(Find<QWidget>(*FWindow, "TabSheetServices"));
    QVERIFY(Find<QWebEngineView>(*FWindow, "WebBrowserServices") != nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(Find<QWebEngineView>(*FWindow, "WebBrowserServices")->url(),
                              QUrl::fromLocalFile(FFolder->filePath("services.htm")), 30000);
    // The page's own title, once it has loaded.
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(*FWindow, "PanelTitle")->text(),
                              QStringLiteral("Corvanta Services"), 30000);
    QCOMPARE(Find<QWebEngineView>(*FWindow, "WebBrowserServices")->title(),
             QStringLiteral("Corvanta Services"));
}

int main(int argc, char** argv)
{
    PrepareWebEngineEnvironment();
    QApplication app(argc, argv);
    TestEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e.moc"

void TestEndToEnd::regionCommandsOnlyOnTheEditTab()
{
    // Two regions, the upper one selected: every command but Bring to Front applies.
    Find<QAction>(*FWindow, "TBRect")->trigger();
    drag(20, 20, 80, 80);
    Find<QAction>(*FWindow, "TBRect")->trigger();
    drag(40, 40, 120, 120);
    QVERIFY(FWindow->ActiveRegion() != nullptr);
    const QList<QAction*> commands{
        Find<QAction>(*FWindow, "TBDelete"), Find<QAction>(*FWindow, "TBSendToBack"),
        Find<QAction>(*FWindow, "TBBringToFront"), Find<QAction>(*FWindow, "TBProperties"),
        Find<QAction>(*FWindow, "MenuItemDelete")};
    const QList<bool> onEdit{true, true, false, true, true};
    const auto enabled = [&commands] {
        QList<bool> states;
        for (QAction* command : commands)
            states.append(command->isEnabled());
        return states;
    };
    QCOMPARE(enabled(), onEdit);
    for (QWidget* page :
         {Find<QWidget>(*FWindow, "TabSheetPreview"), Find<QWidget>(*FWindow, "TabSheetSource"),
          Find<QWidget>(*FWindow, "TabSheetServices")}) {
        clickTab(page);
        QCOMPARE(Find<QTabWidget>(*FWindow, "PageControl")->currentWidget(), page);
        QCOMPARE(enabled(), QList<bool>(commands.size(), false));
        // Del on another tab deletes nothing.
        Find<QAction>(*FWindow, "MenuItemDelete")->trigger();
        QCOMPARE(Find<TPTGroup>(*FWindow, "PanelScene")->Regions().size(), 2);
    }
    clickTab(Find<QWidget>(*FWindow, "TabSheetEdit"));
    QCOMPARE(enabled(), onEdit);
}

void TestEndToEnd::desktopEntryNamesTheWindowClass()
{
    // A desktop groups the program's windows under its entry (name, icon) by the class X11 gives
    // them, which the entry's StartupWMClass must name.
    const QSettings entry(
        QStringLiteral(ZQ_TEST_SOURCE_DIR "/../../desktop/example.corvanta.Zonequilter.desktop"),
        QSettings::IniFormat);
    const QString wanted = entry.value("Desktop Entry/StartupWMClass").toString();
    QVERIFY(!wanted.isEmpty());
    QProcess program;
    program.start(QStringLiteral(ZQ_APP_DIR "/zonequilter"), {QStringLiteral("-nosplash")});
    QVERIFY(program.waitForStarted());
    // xwininfo lists each window with its WM_CLASS: ("instance" "class").
    const QRegularExpression classOf(QStringLiteral("\\(\"zonequilter\" \"([^\"]*)\"\\)"));
    QString found;
    for (QDeadlineTimer deadline(60000); found.isEmpty() && !deadline.hasExpired(); QTest::qWait(200)) {
        QProcess windows;
        windows.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
        QVERIFY2(windows.waitForFinished(10000) && windows.exitCode() == 0, "xwininfo (x11-utils) is needed");
        const QRegularExpressionMatch match =
            classOf.match(QString::fromLocal8Bit(windows.readAllStandardOutput()));
        if (match.hasMatch())
            found = match.captured(1);
    }
    program.kill();
    program.waitForFinished();
    QCOMPARE(found, wanted);
}
