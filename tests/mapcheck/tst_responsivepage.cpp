// The responsive page in the real embedded browser: at several widths a click at each region's
// scaled point follows that region's link, overlapping areas resolve as in the image map, and Tab
// goes through the links in the map's order with a visible focus.
#include "ResponsivePage.h"
#include "WebViewHelpers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace {
constexpr int kTimeout = 20000;

// Records where a click would go instead of going there.
class TRecordingPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList Followed;

protected:
    bool acceptNavigationRequest(const QUrl& Url, NavigationType Type, bool MainFrame) override
    {
        if (Type == NavigationTypeLinkClicked) {
            Followed << Url.fileName();
            return false;
        }
        return QWebEnginePage::acceptNavigationRequest(Url, Type, MainFrame);
    }
};

QVariant RunJavaScript(QWebEnginePage* Page, const QString& Script)
{
    QVariant result;
    bool done = false;
    Page->runJavaScript(Script, [&](const QVariant& Value) {
        result = Value;
        done = true;
    });
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < kTimeout)
        QTest::qWait(10);
    return result;
}

MapArea Linked(MapArea Area, const char* HRef, const char* Alt)
{
    Area.HRef = QString::fromLatin1(HRef);
    Area.AltText = QString::fromLatin1(Alt);
    return Area;
}

// Front-most first, on a picture of 200 x 100: two overlapping rectangles, a circle and a concave
// polygon (an arch whose middle, between its legs, is not in it).
QVector<MapArea> TestAreas()
{
    return {Linked(MapArea::rectangle(10, 10, 50, 50), "front.html", "Front"),
            Linked(MapArea::rectangle(40, 40, 60, 50), "behind.html", "Behind"),
            Linked(MapArea::circle(85, 5, 30, 30), "circle.html", "Circle"),
            Linked(MapArea::polygon({{120, 10}, {190, 10}, {190, 90}, {170, 90}, {170, 30}, {140, 30}, {140, 90},
                                     {120, 90}}),
                   "arch.html", "Arch")};
}
} // namespace

class TestResponsivePage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void clicks_data();
    void clicks();
    void tabOrder();

private:
    bool Show(QWebEngineView& View, double Scale);

    QTemporaryDir FDir;
    QString FPage;
};

void TestResponsivePage::initTestCase()
{
    QVERIFY(FDir.isValid());
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QVERIFY(picture.save(FDir.filePath("picture.png")));
    FPage = FDir.filePath("map.html");
    QFile file(FPage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(BuildResponsivePage(QStringLiteral("picture.png"), QStringLiteral("Test"), TestAreas(), {200, 100})
                   .toUtf8());
}

bool TestResponsivePage::Show(QWebEngineView& View, double Scale)
{
    // The page is as wide as the view; the view tall enough to need no scroll bar.
    View.resize(qRound(200 * Scale), qRound(100 * Scale) + 40);
    View.show();
    if (!QTest::qWaitForWindowExposed(&View))
        return false;
    QSignalSpy finished(&View, &QWebEngineView::loadFinished);
    View.load(QUrl::fromLocalFile(FPage));
    if (!finished.wait(kTimeout) || !finished.first().first().toBool())
        return false;
    // Laid out at this width with the picture loaded.
    QElapsedTimer timer;
    timer.start();
    const QString ready = QStringLiteral("document.querySelector('img').complete && "
                                         "Math.round(document.querySelector('svg').getBoundingClientRect().width)");
    while (RunJavaScript(View.page(), ready).toInt() != qRound(200 * Scale) && timer.elapsed() < kTimeout)
        QTest::qWait(20);
    return timer.elapsed() < kTimeout;
}

void TestResponsivePage::clicks_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPoint>("point"); // in picture pixels
    QTest::addColumn<QString>("link"); // empty: no link

    const struct
    {
        const char* Name;
        QPoint Point;
        const char* Link;
    } points[] = {{"front rectangle's centre", {35, 35}, "front.html"},
                  {"where the two overlap: the front one", {50, 50}, "front.html"},
                  {"behind rectangle's centre", {70, 65}, "behind.html"},
                  {"circle's centre", {100, 20}, "circle.html"},
                  {"circle's bounds outside the circle", {87, 7}, ""},
                  {"arch's leg", {130, 60}, "arch.html"},
                  {"arch's middle, between its legs", {155, 60}, ""}};
    for (double scale : {0.5, 1.0, 2.3})
        for (const auto& p : points)
            QTest::addRow("%d %% %s", qRound(scale * 100), p.Name) << scale << p.Point << QString::fromLatin1(p.Link);
}

void TestResponsivePage::clicks()
{
    QFETCH(double, scale);
    QFETCH(QPoint, point);
    QFETCH(QString, link);

    QWebEngineView view;
    auto* page = new TRecordingPage(&view);
    view.setPage(page);
    QVERIFY(Show(view, scale));
    QWidget* target = view.focusProxy();
    QVERIFY(target);
    const QPoint at(qRound((point.x() + 0.5) * scale), qRound((point.y() + 0.5) * scale));
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    if (link.isEmpty()) {
        QTest::qWait(300);
        QCOMPARE(page->Followed, QStringList());
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(page->Followed, QStringList{link}, 5000);
    }
}

void TestResponsivePage::tabOrder()
{
    QWebEngineView view;
    auto* page = new TRecordingPage(&view);
    view.setPage(page);
    QVERIFY(Show(view, 1.0));
    // A page shows focus only in the active window.
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    view.setFocus();
    QStringList reached;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(view.focusProxy(), Qt::Key_Tab);
        QString href;
        QElapsedTimer timer;
        timer.start();
        // Each link is focused, and shows it: its shape gets a stroke.
        const QString script = QStringLiteral(
            "(function(){var a=document.activeElement; if(!a||a.tagName!='a') return '';"
            "var s=a.querySelector('rect,circle,polygon');"
            "return a.getAttribute('href')+' '+getComputedStyle(s).stroke;})()");
        while ((href = RunJavaScript(page, script).toString()) == reached.value(reached.size() - 1) &&
               timer.elapsed() < kTimeout)
            QTest::qWait(20);
        reached << href;
    }
    const QString outline = QStringLiteral(" rgb(255, 191, 0)");
    QCOMPARE(reached, (QStringList{"front.html" + outline, "behind.html" + outline, "circle.html" + outline,
                                   "arch.html" + outline}));
}

int main(int argc, char** argv)
{
    PrepareWebEngineEnvironment();
    QApplication app(argc, argv);
    TestResponsivePage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_responsivepage.moc"
