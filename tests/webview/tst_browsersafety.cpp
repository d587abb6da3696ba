// Pages opened from a map, in the browser windows the program opens: a local page reads no other
// file and sends nothing, a web page gets nothing through the preview scheme, while pictures and
// ordinary links keep working. The listeners are the test's own, on 127.0.0.1. Runs under xvfb-run.
#include "AppFolder.h"
#include "MessageBoxes.h"
#include "PreviewFolder.h"
#include "PreviewScheme.h"
#include "TBrowserPage.h"
#include "TBrowserWindow.h"
#include "UnitWebHelpers.h"

#include <QImage>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QtTest>

#include "AppWorldScript.h"

namespace {
constexpr int LoadTimeout = 20000;
const QString kSecret = QStringLiteral("the-secret-1234");

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A one-page web server: every request gets Page.
class TPageServer : public QTcpServer
{
public:
    QByteArray Page;
    explicit TPageServer(QObject* parent = nullptr) : QTcpServer(parent)
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: " +
                                  QByteArray::number(Page.size()) + "\r\n\r\n" + Page);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
};

// Every way a page could send out what it read, with its outcome in the title once all are over:
// "done:" and name=outcome pairs, where "true" means it got through.
QString AttemptsScript(int tcpPort, int udpPort, const QString& secretUrl)
{
    return QStringLiteral(
               "document.documentElement.setAttribute('data-ran','1');"
               "var results=[],pending=0;"
               "function attempt(name,f){pending++;var over=false;"
               "  function r(ok){if(over)return;over=true;results.push(name+'='+ok);"
               "    if(--pending===0)document.title='done:'+results.join(',');}"
               "  try{f(r);}catch(e){r('threw');}}"
               "attempt('read-file',function(r){var x=new XMLHttpRequest();x.open('GET','%3');"
               "  x.onload=function(){r(x.responseText.indexOf('%4')>=0)};x.onerror=function(){r(false)};x.send();});"
               "attempt('xhr',function(r){var x=new XMLHttpRequest();x.open('GET','http://127.0.0.1:%1/xhr');"
               "  x.onload=function(){r(true)};x.onerror=function(){r(false)};x.send();});"
               "attempt('fetch',function(r){fetch('http://127.0.0.1:%1/fetch',{mode:'no-cors'})"
               "  .then(function(){r(true)},function(){r(false)});});"
               "attempt('websocket',function(r){var w=new WebSocket('ws://127.0.0.1:%1/ws');"
               "  w.onopen=function(){r(true)};w.onerror=function(){r(false)};});"
               "attempt('webrtc',function(r){var pc=new RTCPeerConnection({iceServers:[{urls:'stun:127.0.0.1:%2'}]});"
               "  pc.createDataChannel('d');pc.onicegatheringstatechange=function(){"
               "    if(pc.iceGatheringState==='complete')r('gathered');};"
               "  pc.createOffer().then(function(o){return pc.setLocalDescription(o);});"
               "  setTimeout(function(){r('timeout');},5000);});")
        .arg(tcpPort)
        .arg(udpPort)
        .arg(secretUrl, kSecret);
}

TBrowserWindow* WindowShowing(const QString& fileName)
{
    for (TBrowserWindow* window : TBrowserWindow::AllWindows())
        if (window->url().fileName() == fileName)
            return window;
    return nullptr;
}
} // namespace

class TestBrowserSafety : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void localPageSendsNothing_data();
    void localPageSendsNothing();
    void localPageShowsPicturesAndFollowsLinks();
    void webPageGetsNothingFromPreviewScheme();
    void webPageFollowsNoScriptLink();

private:
    // Shows the Preview of a map whose picture is pic.png, with one area linking to HRef.
    void ShowPreview(QWebEngineView& view, const QString& HRef, const QString& Target);
    QString Path(const QString& name) const { return FDir->filePath(name); }

    QTemporaryDir* FDir = nullptr;
    // Whatever reaches these was sent by a page.
    QTcpServer* FListener = nullptr;
    QUdpSocket* FUdpListener = nullptr;
    int FReceived = 0;
};

void TestBrowserSafety::init()
{
    FDir = new QTemporaryDir;
    QVERIFY(FDir->isValid());
    SetAppFolderOverride(FDir->path());
    SetPreviewFolderOverride(FDir->path());
    SetMessageBoxRunner([](QMessageBox&) { return QMessageBox::No; });
    WriteFile(Path("secret.txt"), kSecret.toUtf8());
    WriteFile(Path("linked.htm"), "<html><head><title>linked</title></head><body>linked</body></html>");
    QImage picture(300, 100, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(Path("pic.png")));
    FReceived = 0;
    FListener = new QTcpServer(this);
    QVERIFY(FListener->listen(QHostAddress::LocalHost));
    // Connections are dropped at once, so that what got through ends quickly and shows in the title.
    connect(FListener, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = FListener->nextPendingConnection()) {
            ++FReceived;
            socket->abort();
            socket->deleteLater();
        }
    });
    FUdpListener = new QUdpSocket(this);
    QVERIFY(FUdpListener->bind(QHostAddress::LocalHost));
    connect(FUdpListener, &QUdpSocket::readyRead, this, [this] {
        while (FUdpListener->hasPendingDatagrams()) {
            FUdpListener->receiveDatagram();
            ++FReceived;
        }
    });
}

void TestBrowserSafety::cleanup()
{
    TBrowserWindow::CloseAll();
    ClearPreviewContent();
    SetMessageBoxRunner(nullptr);
    SetAppFolderOverride(QString());
    SetPreviewFolderOverride(QString());
    delete FListener;
    delete FUdpListener;
    delete FDir;
    FDir = nullptr;
}

void TestBrowserSafety::ShowPreview(QWebEngineView& view, const QString& HRef, const QString& Target)
{
    auto* page = new TBrowserPage(&view);
    view.setPage(page);
    page->RestrictToPreview();
    view.resize(500, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy finished(&view, &QWebEngineView::loadFinished);
    LoadHTMLIntoWebView(&view, QStringLiteral("<html><body><img src=\"%1\" usemap=\"#m\"><map name=\"m\">"
                                              "<area shape=rect coords=\"0,0,300,100\" href=\"%2\" target=\"%3\">"
                                              "</map></body></html>")
                                   .arg(Path("pic.png"), HRef.toHtmlEscaped(), Target));
    QVERIFY(finished.wait(LoadTimeout));
    QTRY_COMPARE_WITH_TIMEOUT(RunAppScript(page, QStringLiteral("document.images[0].naturalWidth")).toInt(), 300,
                              LoadTimeout);
}

void TestBrowserSafety::localPageSendsNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("browser window") << "browser window";
    QTest::newRow("named window") << "named window";
    QTest::newRow("preview address") << "preview address";
    QTest::newRow("refresh to it") << "refresh";
    QTest::newRow("from the Preview, _blank") << "_blank";
    QTest::newRow("from the Preview, browser window") << "preview link";
}

void TestBrowserSafety::localPageSendsNothing()
{
    QFETCH(QString, how);
    const QString hostile = Path("hostile.htm");
    WriteFile(hostile, QStringLiteral("<html><head><title>hostile</title><script>%1</script></head>"
                                      "<body><img src=\"pic.png\"></body></html>")
                           .arg(AttemptsScript(FListener->serverPort(), FUdpListener->localPort(),
                                               QUrl::fromLocalFile(Path("secret.txt")).toString()))
                           .toUtf8());
    WriteFile(Path("refresh.htm"), "<html><head><meta http-equiv=refresh content=\"0;url=hostile.htm\"></head></html>");
    QWebEngineView preview;
    if (how == QLatin1String("browser window"))
        OpenURL(hostile);
    else if (how == QLatin1String("named window"))
        OpenURLInNamedWindow(hostile, QStringLiteral("other"));
    else if (how == QLatin1String("preview address"))
        OpenURL(PreviewUrlForFile(hostile).toString());
    else if (how == QLatin1String("refresh"))
        OpenURL(Path("refresh.htm"));
    else {
        ShowPreview(preview, QUrl::fromLocalFile(hostile).toString(),
                    how == QLatin1String("_blank") ? QStringLiteral("_blank") : BrowserWindowName());
        // The user's click, as the program's world gives it.
        RunAppScript(preview.page(), QStringLiteral("document.querySelector('area').click()"));
    }
    QTRY_VERIFY_WITH_TIMEOUT(WindowShowing(QStringLiteral("hostile.htm")), LoadTimeout);
    TBrowserWindow* window = WindowShowing(QStringLiteral("hostile.htm"));
    // Once the picture is in, the page's scripts have run, if they run at all.
    QTRY_VERIFY_WITH_TIMEOUT(RunAppScript(window->page(), QStringLiteral("document.readyState==='complete'&&"
                                                                          "document.images[0].naturalWidth===300"))
                                 .toBool(),
                             LoadTimeout);
    if (RunAppScript(window->page(), QStringLiteral("document.documentElement.getAttribute('data-ran')")).toString() ==
        QLatin1String("1")) {
        QTRY_VERIFY_WITH_TIMEOUT(window->title().startsWith(QLatin1String("done:")), LoadTimeout);
        const QString results = window->title();
        QVERIFY2(!results.contains(QLatin1String("=true")) && !results.contains(QLatin1String("gathered")),
                 qPrintable(results));
    }
    QCOMPARE(window->url().fileName(), QStringLiteral("hostile.htm"));
    QCOMPARE(FReceived, 0);
}

void TestBrowserSafety::localPageShowsPicturesAndFollowsLinks()
{
    WriteFile(Path("page.htm"), "<html><head><title>page</title></head><body style='margin:0'>"
                                "<a href='linked.htm' style='display:block;height:100px'><img src='pic.png'></a>"
                                "</body></html>");
    OpenURL(Path("page.htm"));
    TBrowserWindow* window = TBrowserWindow::FindNamed(BrowserWindowName());
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE_WITH_TIMEOUT(window->title(), QStringLiteral("page"), LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(RunAppScript(window->page(), QStringLiteral("document.images[0].naturalWidth")).toInt(),
                              300, LoadTimeout);
    RunAppScript(window->page(), QStringLiteral("document.querySelector('a').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(window->title(), QStringLiteral("linked"), LoadTimeout);
    QCOMPARE(window->url(), QUrl::fromLocalFile(Path("linked.htm")));
}

void TestBrowserSafety::webPageGetsNothingFromPreviewScheme()
{
    // The Preview shows pic.png, which the scheme hands to the Preview alone.
    QWebEngineView preview;
    ShowPreview(preview, QStringLiteral("linked.htm"), QString());
    QVERIFY(QDir(FDir->path()).mkpath("sub"));
    const QString folder = PreviewScheme() + QLatin1Char(':') + QDir::fromNativeSeparators(FDir->path());
    const QStringList addresses = {folder + "/pic.png", folder + "/sub/../pic.png", folder + "/sub/%2e%2e/pic.png",
                                   folder + "%2Fpic.png", folder + "/Temp1.html", folder + "/secret.txt"};
    QString attempts;
    for (int i = 0; i < addresses.size(); ++i)
        attempts += QStringLiteral(
                        "attempt('img%1',function(r){var i=new Image();i.onload=function(){"
                        "  var c=document.createElement('canvas');c.width=c.height=1;var g=c.getContext('2d');"
                        "  g.drawImage(i,0,0);try{g.getImageData(0,0,1,1);r(true);}catch(e){r('tainted');}};"
                        "  i.onerror=function(){r(false)};i.src='%2';});"
                        "attempt('fetch%1',function(r){fetch('%2').then(function(){r(true)},function(){r(false)});});"
                        "attempt('xhr%1',function(r){var x=new XMLHttpRequest();x.open('GET','%2');"
                        "  x.onload=function(){r(true)};x.onerror=function(){r(false)};x.send();});")
                        .arg(i)
                        .arg(addresses[i]);
    TPageServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    server.Page = QStringLiteral("<html><head><title>web</title><script>"
                                 "var results=[],pending=1;"
                                 "function attempt(name,f){pending++;var over=false;"
                                 "  function r(ok){if(over)return;over=true;results.push(name+'='+ok);finish();}"
                                 "  try{f(r);}catch(e){r('threw');}}"
                                 "function finish(){if(--pending===0)document.title='done:'+results.join(',');}"
                                 "%1 finish();</script></head><body>web</body></html>")
                      .arg(attempts)
                      .toUtf8();
    OpenURLInNamedWindow(QStringLiteral("http://127.0.0.1:%1/page.html").arg(server.serverPort()), BrowserWindowName());
    TBrowserWindow* window = TBrowserWindow::FindNamed(BrowserWindowName());
    QVERIFY(window);
    QTRY_VERIFY_WITH_TIMEOUT(window->title().startsWith(QLatin1String("done:")), LoadTimeout);
    QVERIFY2(!window->title().contains(QLatin1String("=true")), qPrintable(window->title()));
    QVERIFY2(!window->title().contains(QLatin1String("=tainted")), qPrintable(window->title()));
}

void TestBrowserSafety::webPageFollowsNoScriptLink()
{
    // A web page runs its own scripts, but no javascript: link; the click on the link comes first,
    // the one on the marker after it.
    TPageServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    server.Page = "<html><head><title>page</title></head><body style='margin:0'>"
                  "<a href=\"javascript:document.title='followed'\" style='display:block;height:100px'>x</a>"
                  "<div style='height:100px' onclick=\"setTimeout(function(){document.title='clicked'},500)\">y</div>"
                  "</body></html>";
    OpenURLInNamedWindow(QStringLiteral("http://127.0.0.1:%1/page.html").arg(server.serverPort()), BrowserWindowName());
    TBrowserWindow* window = TBrowserWindow::FindNamed(BrowserWindowName());
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE_WITH_TIMEOUT(window->title(), QStringLiteral("page"), LoadTimeout);
    QWindow* handle = window->windowHandle();
    for (const QPoint at : {QPoint(20, 50), QPoint(20, 150)}) {
        QTest::mouseMove(handle, at);
        QTest::qWait(50);
        QTest::mouseClick(handle, Qt::LeftButton, {}, at);
    }
    QTRY_VERIFY_WITH_TIMEOUT(window->title() != QLatin1String("page"), LoadTimeout);
    QCOMPARE(window->title(), QStringLiteral("clicked"));
}

QTEST_MAIN(TestBrowserSafety)
#include "tst_browsersafety.moc"
