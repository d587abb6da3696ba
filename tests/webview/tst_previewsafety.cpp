// Hostile maps in the Preview and the named browser window: an area whose link
// is a script that reads a local file and moves the page must do nothing, while
// the picture and ordinary links keep working. Runs under xvfb-run.
#include "AppFolder.h"
#include "ImageMapWriter.h"
#include "MessageBoxes.h"
#include "PreviewFolder.h"
#include "PreviewScheme.h"
#include "TBrowserPage.h"
#include "TBrowserWindow.h"
#include "UnitWebHelpers.h"

#include <QImage>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtTest>

#include "AppWorldScript.h"
#include "PageLoad.h"

namespace {
constexpr int LoadTimeout = 20000;
const QString kSecret = QStringLiteral("the-secret-1234");

// The script an imported area might carry: read a local file, show it in the
// title and move the page to an address that carries it.
QString StealingScript(const QString& secretPath)
{
    return QStringLiteral("javascript:(function(){var r='';try{var x=new XMLHttpRequest();"
                          "x.open('GET','%1',false);x.send();r=x.responseText;}catch(e){r='error';}"
                          "document.title='stolen:'+r;location.href='about:blank#stolen:'+r;})()")
        .arg(QUrl::fromLocalFile(secretPath).toString());
}

// A click that comes through the window system, as the user's would.
void ClickAt(QWidget& view, const QPoint& at)
{
    QWindow* window = view.window()->windowHandle();
    QVERIFY(window);
    const QPoint inWindow = view.mapTo(view.window(), at);
    QTest::mouseMove(window, inWindow);
    QTest::qWait(50);
    QTest::mouseClick(window, Qt::LeftButton, {}, inWindow);
}

bool AnyWindowShows(const QString& text)
{
    for (TBrowserWindow* window : TBrowserWindow::AllWindows())
        if (window->title().contains(text) || window->url().toString().contains(text))
            return true;
    return false;
}
} // namespace

class TestPreviewSafety : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void scriptLinksInThePreviewDoNothing();
    void unprotectedPageIsRobbed();
    void previewPageReadsNoFileEvenWithScripts();
    void previewSchemeServesOnlyPagesAndMedia_data();
    void previewSchemeServesOnlyPagesAndMedia();

private:
    // The writer's page for a 300 x 100 picture with three areas side by side:
    // a script aimed at the page itself, a script aimed at the browser window,
    // and an ordinary link to linked.htm.
    QString HostileMap();
    bool Load(QWebEngineView& view, const QString& html);
    // As the program showed the page before the preview scheme: straight from the local file.
    bool LoadAsLocalFile(QWebEngineView& view, const QString& html);
    // A real mouse click on the picture, x pixels from its left edge.
    void ClickPicture(QWebEngineView& view, int x);

    QTemporaryDir* FDir = nullptr;
};

void TestPreviewSafety::init()
{
    FDir = new QTemporaryDir;
    QVERIFY(FDir->isValid());
    SetAppFolderOverride(FDir->path());
    SetPreviewFolderOverride(FDir->path());
    SetMessageBoxRunner([](QMessageBox&) { return QMessageBox::No; });
    QFile secret(FDir->filePath("secret.txt"));
    QVERIFY(secret.open(QIODevice::WriteOnly));
    secret.write(kSecret.toUtf8());
    secret.close();
    QFile linked(FDir->filePath("linked.htm"));
    QVERIFY(linked.open(QIODevice::WriteOnly));
    linked.write("<html><head><title>linked</title></head><body>linked</body></html>");
    linked.close();
    QImage picture(300, 100, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(FDir->filePath("pic.png")));
}

void TestPreviewSafety::cleanup()
{
    TBrowserWindow::CloseAll();
    ClearPreviewContent();
    SetMessageBoxRunner(nullptr);
    SetAppFolderOverride(QString());
    SetPreviewFolderOverride(QString());
    delete FDir;
    FDir = nullptr;
}

QString TestPreviewSafety::HostileMap()
{
    const QString steal = StealingScript(FDir->filePath("secret.txt"));
    MapArea self = MapArea::rectangle(0, 0, 100, 100);
    self.HRef = steal;
    self.Target = QStringLiteral("_self");
    MapArea window = MapArea::rectangle(100, 0, 100, 100);
    window.HRef = steal; // no target: the page's base target, the browser window
    MapArea link = MapArea::rectangle(200, 0, 100, 100);
    link.HRef = QUrl::fromLocalFile(FDir->filePath("linked.htm")).toString();
    return ToCrLfLines(BuildImageMapHTML(FDir->filePath("pic.png"), QStringLiteral("Map"), {self, window, link}));
}

bool TestPreviewSafety::Load(QWebEngineView& view, const QString& html)
{
    view.resize(500, 300);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return false;
    return LoadAndWait(view, [&] { LoadHTMLIntoWebView(&view, html); }, LoadTimeout);
}

bool TestPreviewSafety::LoadAsLocalFile(QWebEngineView& view, const QString& html)
{
    view.resize(500, 300);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return false;
    return LoadAndWait(view, [&] { view.setUrl(QUrl::fromLocalFile(WritePreviewFile(html))); }, LoadTimeout);
}

void TestPreviewSafety::ClickPicture(QWebEngineView& view, int x)
{
    // Presses are counted in the program's own world, so that a click the page never got
    // cannot pass for a click that did nothing.
    const QString count = QStringLiteral(
        "(function(){if(window.presses===undefined){window.presses=0;"
        "window.addEventListener('mouseup',function(){window.presses++;},true);}return window.presses;})()");
    const int before = RunAppScript(view.page(), count).toInt();
    const QVariantList box =
        RunAppScript(view.page(), QStringLiteral("(function(){var r=document.images[0].getBoundingClientRect();"
                                                 "return [r.left, r.top];})()"))
            .toList();
    QCOMPARE(box.size(), 2);
    const QPoint at(qRound(box[0].toDouble()) + x, qRound(box[1].toDouble()) + 50);
    // Right after loading, the first click can be lost on its way: clicks are repeated until one
    // arrives.
    // A page that leaves at the click (the unprotected one) takes its count with it: its leaving
    // is the proof that the click arrived, and the callers check where it went.
    const QString read = QStringLiteral("(function(){return window.presses===undefined?-1:window.presses;})()");
    const QUrl start = view.url();
    auto left = [&] { return view.url() != start || RunAppScript(view.page(), read).toInt() < 0; };
    auto waiting = [&] { return !left() && RunAppScript(view.page(), read).toInt() == before; };
    for (int attempt = 0; attempt < 10 && waiting(); ++attempt) {
        ClickAt(view, at);
        QElapsedTimer timer;
        timer.start();
        while (waiting() && timer.elapsed() < 1000)
            QTest::qWait(50);
    }
    if (left())
        return;
    QCOMPARE(RunAppScript(view.page(), count).toInt(), before + 1);
}

void TestPreviewSafety::unprotectedPageIsRobbed()
{
    // The same page as a local file in a web view with the engine's defaults: the script runs and
    // reads the file, which shows that the page is hostile and that the checks below can see it.
    QWebEngineView view;
    QVERIFY(LoadAsLocalFile(view, HostileMap()));
    ClickPicture(view, 50);
    QTRY_VERIFY_WITH_TIMEOUT(view.url().toString().contains("stolen:" + kSecret), LoadTimeout);
}

void TestPreviewSafety::scriptLinksInThePreviewDoNothing()
{
    QWebEngineView view;
    auto* page = new TBrowserPage(&view);
    view.setPage(page);
    page->RestrictToPreview();
    QVERIFY(!page->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
    QVERIFY(!page->settings()->testAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls));
    QVERIFY(!page->settings()->testAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls));
    QVERIFY(Load(view, HostileMap()));
    // The picture shows.
    QCOMPARE(RunAppScript(page, QStringLiteral("document.images[0].naturalWidth")).toInt(), 300);
    const QUrl url = view.url();
    const QString title = view.title();

    ClickPicture(view, 50);
    ClickPicture(view, 150);
    // An ordinary link, clicked last, still opens in the browser window. The page handles its
    // clicks in order, so once this page has loaded, whatever the two script links could have
    // done has been done.
    ClickPicture(view, 250);
    QTRY_VERIFY_WITH_TIMEOUT(TBrowserWindow::FindNamed(BrowserWindowName()), LoadTimeout);
    TBrowserWindow* window = TBrowserWindow::FindNamed(BrowserWindowName());
    QTRY_COMPARE_WITH_TIMEOUT(window->url(), QUrl::fromLocalFile(FDir->filePath("linked.htm")), LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(window->title(), QStringLiteral("linked"), LoadTimeout);
    QCOMPARE(view.url(), url);
    QCOMPARE(view.title(), title);
    QVERIFY(!AnyWindowShows(QStringLiteral("stolen")));
    QVERIFY(!AnyWindowShows(kSecret));
}

void TestPreviewSafety::previewPageReadsNoFileEvenWithScripts()
{
    // Should a script ever run in the Preview, the page it runs in still reads no local file,
    // neither as a file nor through the scheme that shows the page.
    QWebEngineView view;
    auto* page = new TBrowserPage(&view);
    view.setPage(page);
    page->RestrictToPreview();
    page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    // Nor does it load anything from the web: a picture on a web server is never asked for.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const QString remote = QStringLiteral("<img src=\"http://127.0.0.1:%1/x.png\">").arg(server.serverPort());
    QVERIFY(Load(view, HostileMap().replace(QStringLiteral("</MAP>"), QStringLiteral("</MAP>") + remote)));
    QCOMPARE(RunAppScript(page, QStringLiteral("document.images[0].naturalWidth")).toInt(), 300);
    const QString read = QStringLiteral(
        "(function(){try{var x=new XMLHttpRequest();x.open('GET','%1',false);x.send();return x.responseText;}"
        "catch(e){return 'refused';}})()");
    for (const QUrl& secret : {QUrl::fromLocalFile(FDir->filePath("secret.txt")),
                               PreviewUrlForFile(FDir->filePath("secret.txt"))}) {
        QVariant result;
        bool done = false;
        page->runJavaScript(read.arg(secret.toString()), [&](const QVariant& value) {
            result = value;
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done, LoadTimeout);
        QVERIFY2(!result.toString().contains(kSecret), qPrintable(secret.toString()));
    }
    QVERIFY(!server.waitForNewConnection(1000));
}

void TestPreviewSafety::previewSchemeServesOnlyPagesAndMedia_data()
{
    // The page shown names pic.png; a path is given as the page would write it after the scheme.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("initiator");
    QTest::addColumn<bool>("served");
    const QString preview = PreviewScheme() + QLatin1Char(':');
    QTest::newRow("page, by the program") << "Temp1.html" << QString() << true;
    QTest::newRow("page, from the Preview") << "Temp1.html" << preview << true;
    QTest::newRow("picture, from the Preview") << "pic.png" << preview << true;
    QTest::newRow("picture, by the program") << "pic.png" << QString() << false;
    QTest::newRow("picture, from a web page") << "pic.png" << "http://127.0.0.1:8080" << false;
    QTest::newRow("picture, from a local page") << "pic.png" << "file://" << false;
    QTest::newRow("picture, from an opaque origin") << "pic.png" << "null" << false;
    QTest::newRow("page, from a web page") << "Temp1.html" << "https://example.org" << false;
    QTest::newRow("picture not shown") << "other.png" << preview << false;
    QTest::newRow("text file") << "secret.txt" << preview << false;
    QTest::newRow("text named as the picture") << "sub/pic.png" << preview << false;
    QTest::newRow("other page") << "linked.htm" << preview << false;
    QTest::newRow("preview name elsewhere") << "sub/Temp1.html" << preview << false;
    QTest::newRow("folder") << "sub" << preview << false;
    QTest::newRow("missing") << "none.png" << preview << false;
    QTest::newRow("dot dot") << "sub/../pic.png" << preview << false;
    QTest::newRow("dot") << "./pic.png" << preview << false;
    QTest::newRow("encoded dot dot") << "sub/%2e%2e/pic.png" << preview << false;
    QTest::newRow("encoded separator") << "sub%2F..%2Fpic.png" << preview << false;
    QTest::newRow("link out of the list") << "secretlink.png" << preview << false;
    QTest::newRow("link to the picture") << "piclink.png" << preview << true;
}

void TestPreviewSafety::previewSchemeServesOnlyPagesAndMedia()
{
    QFETCH(QString, path);
    QFETCH(QString, initiator);
    QFETCH(bool, served);
    QVERIFY(QFile::copy(FDir->filePath("pic.png"), FDir->filePath("other.png")));
    QVERIFY(QDir(FDir->path()).mkpath("sub"));
    QVERIFY(QFile::copy(FDir->filePath("secret.txt"), FDir->filePath("sub/pic.png")));
    QFile elsewhere(FDir->filePath("sub/Temp1.html"));
    QVERIFY(elsewhere.open(QIODevice::WriteOnly));
    elsewhere.write("<p>not ours</p>");
    elsewhere.close();
    QVERIFY(QFile::link(FDir->filePath("secret.txt"), FDir->filePath("secretlink.png")));
    QVERIFY(QFile::link(FDir->filePath("pic.png"), FDir->filePath("piclink.png")));
    const QString html = HostileMap();
    SetPreviewContent(WritePreviewFile(html), html);
    const QUrl url(PreviewScheme() + QLatin1Char(':') + QDir::fromNativeSeparators(FDir->path()) + QLatin1Char('/') + path);
    QCOMPARE(PreviewServes(url, QUrl(initiator)) == TPreviewServe::Serve, served);
}

QTEST_MAIN(TestPreviewSafety)
#include "tst_previewsafety.moc"
