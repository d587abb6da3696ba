// The helpers that drive a real web engine: preview files shown in a QWebEngineView, and the
// named browser windows. Runs under xvfb-run.
#include "PageLoad.h"
#include "PreviewFolder.h"
#include "PreviewScheme.h"
#include "TBrowserPage.h"
#include "TBrowserWindow.h"
#include "UnitWebHelpers.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWebEngineScript>
#include <QtTest>

#include "AppWorldScript.h"

#include <sys/file.h>

namespace {
constexpr int LoadTimeout = 20000;

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A click that comes through the window system, as the user's would: a window blocked by a
// modal one never gets it.
void ClickWindow(QWidget* widget)
{
    QWindow* window = widget->window()->windowHandle();
    QVERIFY(window);
    QTest::mouseClick(window, Qt::LeftButton, {}, widget->mapTo(widget->window(), widget->rect().center()));
}

int PageClicks(QWebEngineView* view)
{
    // Counted from the first call on.
    return RunAppScript(view->page(), QStringLiteral("(function(){if(window.clicks===undefined){window.clicks=0;"
                                                      "addEventListener('mousedown',function(){window.clicks++;},true);}"
                                                      "return window.clicks;})()"))
        .toInt();
}

QString Body(QWebEngineView* view)
{
    return RunAppScript(view->page(),
                         QStringLiteral("document.body ? document.body.innerText : '<no body>'"))
        .toString();
}
} // namespace

class TestWebView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void previewShowsWrittenPage();
    void secondPreviewRewritesAndShowsNewText();
    void emptyTextShowsBlankPage();
    void previewFallsBackToTemp2WhenTemp1IsAFolder();
    void previewFallsBackToTemp3WhenTemp1AndTemp2AreLocked();
    void previewFailureKeepsThePage();

    void namedWindowReusedForTwoAddresses();
    void otherNameOpensOtherWindow();
    void addressOfOnlyAnchorOpensBlankPage();
    void offlineAddressesThatNeedNoConnectionOpenWithoutAsking();
    void offlineHttpAsksAndYesOpens();
    void previewLinkGoesToOpenNamedWindow();
    void previewLinkOpensNamedWindowReusedLater();
    void browserWindowTakesInputOverAModalDialog_data();
    void browserWindowTakesInputOverAModalDialog();

private:
    bool LoadPreview(QWebEngineView& view, const QString& html);
    QString PageFile(const QString& name, const QString& text);
    QString ClickCountingPage(const QString& name);

    QTemporaryDir* FDir = nullptr;
    int FQuestions = 0;
    QMessageBox::StandardButton FAnswer = QMessageBox::No;
};

void TestWebView::init()
{
    FDir = new QTemporaryDir;
    QVERIFY(FDir->isValid());
    SetAppFolderOverride(FDir->path());
    SetPreviewFolderOverride(FDir->path());
    FQuestions = 0;
    FAnswer = QMessageBox::No;
    SetMessageBoxRunner([this](QMessageBox&) {
        ++FQuestions;
        return FAnswer;
    });
}

void TestWebView::cleanup()
{
    TBrowserWindow::CloseAll();
    SetMessageBoxRunner(nullptr);
    SetInternetConnectedProbe(nullptr);
    SetAppFolderOverride(QString());
    SetPreviewFolderOverride(QString());
    delete FDir;
    FDir = nullptr;
}

bool TestWebView::LoadPreview(QWebEngineView& view, const QString& html)
{
    return LoadAndWait(view, [&] { LoadHTMLIntoWebView(&view, html); }, LoadTimeout);
}

QString TestWebView::PageFile(const QString& name, const QString& text)
{
    const QString path = FDir->filePath(name);
    WriteFile(path,
              QStringLiteral("<html><head><title>%1</title></head><body><p id=\"t\">%1</p></body></html>")
                  .arg(text)
                  .toUtf8());
    return path;
}

QString TestWebView::ClickCountingPage(const QString& name)
{
    const QString path = FDir->filePath(name);
    WriteFile(path, QByteArrayLiteral("<html><body style=\"margin:0\"><div style=\"height:100vh\">"
                                      "click</div></body></html>"));
    return path;
}

void TestWebView::previewShowsWrittenPage()
{
    QWebEngineView view;
    view.resize(400, 300);
    view.show();
    // No charset in the page: the view must read the preview file as UTF-8.
    const QString html = QStringLiteral("<html><head><title>Preview</title></head>"
                                        "<body><p id=\"x\">Caf\u00e9 \u20ac</p></body></html>");
    QVERIFY(LoadPreview(view, html));
    QCOMPARE(view.url(), PreviewUrlForFile(FDir->filePath(QStringLiteral("Temp1.html"))));
    QCOMPARE(
        RunAppScript(view.page(), QStringLiteral("document.getElementById('x').textContent")).toString(),
        QStringLiteral("Caf\u00e9 \u20ac"));
    QCOMPARE(view.title(), QStringLiteral("Preview"));
}

void TestWebView::secondPreviewRewritesAndShowsNewText()
{
    QWebEngineView view;
    QVERIFY(LoadPreview(view, QStringLiteral("<p>first</p>")));
    QCOMPARE(Body(&view), QStringLiteral("first"));
    QVERIFY(LoadPreview(view, QStringLiteral("<p>second</p>")));
    QCOMPARE(Body(&view), QStringLiteral("second"));
    QCOMPARE(view.url(), PreviewUrlForFile(FDir->filePath(QStringLiteral("Temp1.html"))));
}

void TestWebView::emptyTextShowsBlankPage()
{
    QWebEngineView view;
    QVERIFY(LoadPreview(view, QString()));
    QCOMPARE(QFileInfo(FDir->filePath(QStringLiteral("Temp1.html"))).size(), 0);
    QCOMPARE(RunAppScript(view.page(), QStringLiteral("document.body.childNodes.length")).toInt(), 0);
}

void TestWebView::previewFallsBackToTemp2WhenTemp1IsAFolder()
{
    QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("Temp1.html")));
    QWebEngineView view;
    QVERIFY(LoadPreview(view, QStringLiteral("<p>in two</p>")));
    QCOMPARE(view.url(), PreviewUrlForFile(FDir->filePath(QStringLiteral("Temp2.html"))));
    QCOMPARE(Body(&view), QStringLiteral("in two"));
}

void TestWebView::previewFallsBackToTemp3WhenTemp1AndTemp2AreLocked()
{
    QList<QFile*> holders;
    for (const QString& name : {QStringLiteral("Temp1.html"), QStringLiteral("Temp2.html")}) {
        WriteFile(FDir->filePath(name), "held");
        auto* holder = new QFile(FDir->filePath(name), this);
        QVERIFY(holder->open(QIODevice::ReadOnly));
        QCOMPARE(::flock(holder->handle(), LOCK_EX | LOCK_NB), 0);
        holders.append(holder);
    }
    QWebEngineView view;
    QVERIFY(LoadPreview(view, QStringLiteral("<p>in three</p>")));
    QCOMPARE(view.url(), PreviewUrlForFile(FDir->filePath(QStringLiteral("Temp3.html"))));
    QCOMPARE(Body(&view), QStringLiteral("in three"));
    qDeleteAll(holders);
}

void TestWebView::previewFailureKeepsThePage()
{
    QWebEngineView view;
    QVERIFY(LoadPreview(view, QStringLiteral("<p>kept</p>")));
    const QUrl shown = view.url();

    QTemporaryDir blocked;
    for (const QString& name : PreviewFileNames())
        QVERIFY(QDir(blocked.path()).mkdir(name));
    SetPreviewFolderOverride(blocked.path());
    QSignalSpy started(&view, &QWebEngineView::loadStarted);
    bool thrown = false;
    try {
        LoadHTMLIntoWebView(&view, QStringLiteral("<p>lost</p>"));
    } catch (const EFileCreateError& error) {
        thrown = true;
        QCOMPARE(error.Path(), blocked.filePath(QStringLiteral("Temp3.html")));
    }
    QVERIFY(thrown);
    QTest::qWait(300);
    QCOMPARE(started.count(), 0);
    QCOMPARE(view.url(), shown);
    QCOMPARE(Body(&view), QStringLiteral("kept"));
}

void TestWebView::namedWindowReusedForTwoAddresses()
{
    const QString first = PageFile(QStringLiteral("first.htm"), QStringLiteral("one"));
    const QString second = PageFile(QStringLiteral("second.htm"), QStringLiteral("two"));

    OpenURLInNamedWindow(first + QStringLiteral("#top"), BrowserWindowName());
    TBrowserWindow* window = TBrowserWindow::FindNamed(BrowserWindowName());
    QVERIFY(window);
    QSignalSpy finished(window, &QWebEngineView::loadFinished);
    QVERIFY(finished.wait(LoadTimeout));
    QCOMPARE(window->url(), QUrl::fromLocalFile(first));
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("one"));

    OpenURLInNamedWindow(second, BrowserWindowName());
    QCOMPARE(TBrowserWindow::FindNamed(BrowserWindowName()), window);
    QVERIFY(finished.wait(LoadTimeout));
    QCOMPARE(window->url(), QUrl::fromLocalFile(second));
    QCOMPARE(Body(window), QStringLiteral("two"));
    QCOMPARE(TBrowserWindow::AllWindows().size(), 1);
}

void TestWebView::otherNameOpensOtherWindow()
{
    const QString page = PageFile(QStringLiteral("p.htm"), QStringLiteral("p"));
    OpenURLInNamedWindow(page, BrowserWindowName());
    OpenURLInNamedWindow(page, QStringLiteral("Other"));
    QVERIFY(TBrowserWindow::FindNamed(QStringLiteral("Other")));
    QVERIFY(TBrowserWindow::FindNamed(QStringLiteral("Other")) !=
            TBrowserWindow::FindNamed(BrowserWindowName()));
    QCOMPARE(TBrowserWindow::AllWindows().size(), 2);

    // Closing a window frees its name.
    TBrowserWindow::FindNamed(QStringLiteral("Other"))->close();
    QTRY_VERIFY(!TBrowserWindow::FindNamed(QStringLiteral("Other")));
    QCOMPARE(TBrowserWindow::AllWindows().size(), 1);
}

void TestWebView::addressOfOnlyAnchorOpensBlankPage()
{
    OpenURLInNamedWindow(QStringLiteral("#top"), BrowserWindowName());
    TBrowserWindow* window = TBrowserWindow::FindNamed(BrowserWindowName());
    QVERIFY(window);
    QCOMPARE(window->url(), QUrl(QStringLiteral("about:blank")));
}

void TestWebView::offlineAddressesThatNeedNoConnectionOpenWithoutAsking()
{
    SetInternetConnectedProbe([] { return false; });
    const QString page = PageFile(QStringLiteral("local.htm"), QStringLiteral("local"));
    OpenURL(QUrl::fromLocalFile(page).toString());
    QCOMPARE(FQuestions, 0);
    TBrowserWindow* window = TBrowserWindow::FindNamed(BrowserWindowName());
    QVERIFY(window);
    QCOMPARE(window->url(), QUrl::fromLocalFile(page));

    OpenURL(QStringLiteral("https://127.0.0.1:9/"));
    QCOMPARE(FQuestions, 0);
    QCOMPARE(TBrowserWindow::FindNamed(BrowserWindowName()), window);
    QCOMPARE(window->url(), QUrl(QStringLiteral("https://127.0.0.1:9/")));
}

void TestWebView::offlineHttpAsksAndYesOpens()
{
    SetInternetConnectedProbe([] { return false; });
    FAnswer = QMessageBox::Yes;
    OpenURL(QStringLiteral("http://127.0.0.1:9/page.htm#part"));
    QCOMPARE(FQuestions, 1);
    TBrowserWindow* window = TBrowserWindow::FindNamed(BrowserWindowName());
    QVERIFY(window);
    QCOMPARE(window->url(), QUrl(QStringLiteral("http://127.0.0.1:9/page.htm")));

    // Online, no question.
    SetInternetConnectedProbe([] { return true; });
    OpenURL(QStringLiteral("http://127.0.0.1:9/other.htm"));
    QCOMPARE(FQuestions, 1);
}

void TestWebView::previewLinkGoesToOpenNamedWindow()
{
    const QString first = PageFile(QStringLiteral("first.htm"), QStringLiteral("one"));
    const QString linked = PageFile(QStringLiteral("linked.htm"), QStringLiteral("linked"));
    const QString again = PageFile(QStringLiteral("again.htm"), QStringLiteral("again"));
    OpenURLInNamedWindow(first, BrowserWindowName());
    TBrowserWindow* window = TBrowserWindow::FindNamed(BrowserWindowName());
    QVERIFY(window);

    QWebEngineView preview;
    auto* page = new TBrowserPage(&preview);
    preview.setPage(page);
    page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    const QString html =
        QStringLiteral("<a id=\"a\" target=\"CorvantaWebBrowser\" href=\"%1\">a</a>"
                       "<a id=\"b\" target=\"CorvantaWebBrowser\" href=\"%2\">b</a>")
            .arg(QUrl::fromLocalFile(linked).toString(), QUrl::fromLocalFile(again).toString());
    QVERIFY(LoadPreview(preview, html));

    RunAppScript(page, QStringLiteral("document.getElementById('a').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(window->url(), QUrl::fromLocalFile(linked), LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(Body(window), QStringLiteral("linked"), LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(TBrowserWindow::AllWindows().size(), 1, LoadTimeout);
    QCOMPARE(TBrowserWindow::FindNamed(BrowserWindowName()), window);

    RunAppScript(page, QStringLiteral("document.getElementById('b').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(window->url(), QUrl::fromLocalFile(again), LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(Body(window), QStringLiteral("again"), LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(TBrowserWindow::AllWindows().size(), 1, LoadTimeout);

    // A relative link names a file beside the preview file, as from a local page.
    QVERIFY(LoadPreview(
        preview, QStringLiteral("<a id=\"c\" target=\"CorvantaWebBrowser\" href=\"linked.htm#x\">c</a>")));
    RunAppScript(page, QStringLiteral("document.getElementById('c').click()"));
    QUrl expected = QUrl::fromLocalFile(linked);
    expected.setFragment(QStringLiteral("x"));
    QTRY_COMPARE_WITH_TIMEOUT(window->url(), expected, LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(Body(window), QStringLiteral("linked"), LoadTimeout);
}

void TestWebView::previewLinkOpensNamedWindowReusedLater()
{
    const QString linked = PageFile(QStringLiteral("linked.htm"), QStringLiteral("linked"));
    const QString later = PageFile(QStringLiteral("later.htm"), QStringLiteral("later"));
    QVERIFY(TBrowserWindow::AllWindows().isEmpty());

    QWebEngineView preview;
    auto* page = new TBrowserPage(&preview);
    preview.setPage(page);
    page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    QVERIFY(LoadPreview(preview, QStringLiteral("<a id=\"a\" target=\"CorvantaWebBrowser\" href=\"%1\">a</a>")
                                     .arg(QUrl::fromLocalFile(linked).toString())));
    RunAppScript(page, QStringLiteral("document.getElementById('a').click()"));
    QTRY_VERIFY_WITH_TIMEOUT(TBrowserWindow::FindNamed(BrowserWindowName()), LoadTimeout);
    TBrowserWindow* window = TBrowserWindow::FindNamed(BrowserWindowName());
    QTRY_COMPARE_WITH_TIMEOUT(Body(window), QStringLiteral("linked"), LoadTimeout);
    QVERIFY(window->isVisible());

    OpenURLInNamedWindow(later, BrowserWindowName());
    QCOMPARE(TBrowserWindow::FindNamed(BrowserWindowName()), window);
    QTRY_COMPARE_WITH_TIMEOUT(Body(window), QStringLiteral("later"), LoadTimeout);
    QCOMPARE(TBrowserWindow::AllWindows().size(), 1);

    // The same link again still lands in that one window.
    RunAppScript(page, QStringLiteral("document.getElementById('a').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(Body(window), QStringLiteral("linked"), LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(TBrowserWindow::AllWindows().size(), 1, LoadTimeout);
}

void TestWebView::browserWindowTakesInputOverAModalDialog_data()
{
    QTest::addColumn<bool>("openBefore");
    QTest::newRow("opened from the dialog") << false;
    QTest::newRow("already open, reused") << true;
}

void TestWebView::browserWindowTakesInputOverAModalDialog()
{
    QFETCH(bool, openBefore);
    const QString before = ClickCountingPage(QStringLiteral("before.htm"));
    const QString fromDialog = ClickCountingPage(QStringLiteral("dialog.htm"));

    QPushButton mainWindow(QStringLiteral("main"));
    mainWindow.resize(200, 100);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    QSignalSpy mainClicks(&mainWindow, &QPushButton::clicked);

    QPointer<TBrowserWindow> window;
    if (openBefore) {
        OpenURLInNamedWindow(before, BrowserWindowName());
        window = TBrowserWindow::FindNamed(BrowserWindowName());
        QVERIFY(window);
        QTRY_COMPARE_WITH_TIMEOUT(window->url(), QUrl::fromLocalFile(before), LoadTimeout);
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    QDialog dialog(&mainWindow);
    dialog.resize(300, 200);
    bool ranInDialog = false;
    QTimer::singleShot(0, &dialog, [&] {
        [&] {
            QTRY_COMPARE(QApplication::activeModalWidget(), &dialog);
            // The main window is still held by the dialog.
            ClickWindow(&mainWindow);
            QCOMPARE(mainClicks.count(), 0);

            OpenURLInNamedWindow(fromDialog, BrowserWindowName());
            TBrowserWindow* opened = TBrowserWindow::FindNamed(BrowserWindowName());
            QVERIFY(opened);
            if (openBefore)
                QCOMPARE(opened, window.data());
            window = opened;
            QCOMPARE(TBrowserWindow::AllWindows().size(), 1);
            QTRY_COMPARE_WITH_TIMEOUT(window->url(), QUrl::fromLocalFile(fromDialog), LoadTimeout);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            // The page takes the user's clicks while the dialog is still open.
            QTRY_VERIFY_WITH_TIMEOUT((ClickWindow(window), PageClicks(window) > 0), LoadTimeout);
            QVERIFY(dialog.isVisible());
            ranInDialog = true;
        }();
        dialog.reject();
    });
    dialog.exec();
    QVERIFY(ranInDialog);

    // Once the dialog is gone, the main window takes input again and the browser window still does.
    QVERIFY(window);
    ClickWindow(&mainWindow);
    QTRY_COMPARE(mainClicks.count(), 1);
    const int clicks = PageClicks(window);
    ClickWindow(window);
    QTRY_VERIFY_WITH_TIMEOUT(PageClicks(window) > clicks, LoadTimeout);
    QCOMPARE(TBrowserWindow::FindNamed(BrowserWindowName()), window.data());
}

int main(int argc, char** argv)
{
    PrepareWebEngineEnvironment();
    QApplication app(argc, argv);
    TestWebView test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_webview.moc"
