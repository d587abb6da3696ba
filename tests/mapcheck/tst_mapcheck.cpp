// The map checker over small pages: one row per rule with the findings it must give, where, and
// rows that must give none.
#include "PageCheck.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestMapCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void areaRules_data();
    void areaRules();
    void pageRules_data();
    void pageRules();
    void findingLine();

private:
    QStringList Check(const QByteArray& Page);

    QTemporaryDir FDir;
};

namespace {
// Line 1 the page, line 2 the image (200 x 100), line 3 the map; the areas from line 4.
QByteArray MapPage(const QByteArray& Areas)
{
    return "<html><body>\n"
           "<img src=\"picture.png\" width=200 height=100 usemap=\"#m\">\n"
           "<map name=\"m\">\n" +
           Areas + "</map>\n</body></html>\n";
}

QByteArray Area(const char* Shape, const char* Coords, const char* HRef = "exists.html", const char* Alt = "Text")
{
    QByteArray line = QByteArray("<area shape=") + Shape + " coords=\"" + Coords + "\"";
    if (HRef)
        line += QByteArray(" href=\"") + HRef + "\"";
    if (Alt)
        line += QByteArray(" alt=\"") + Alt + "\"";
    return line + ">\n";
}
} // namespace

void TestMapCheck::initTestCase()
{
    QVERIFY(FDir.isValid());
    QFile linked(FDir.filePath(QStringLiteral("exists.html")));
    QVERIFY(linked.open(QIODevice::WriteOnly));
}

// Each finding as "line:column severity rule area".
QStringList TestMapCheck::Check(const QByteArray& Page)
{
    const QString name = FDir.filePath(QStringLiteral("page.html"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(Page) != Page.size())
        return {QStringLiteral("cannot write the page")};
    file.close();
    LoadedPage page;
    QString error;
    if (!LoadPage(name, &page, &error))
        return {error};
    QStringList out;
    for (const PageFinding& f : CheckPage(page))
        out << QStringLiteral("%1:%2 %3 %4 %5")
                   .arg(f.Line)
                   .arg(f.Column)
                   .arg(SeverityName(f.Finding.Level), RuleName(f.Finding.What))
                   .arg(f.Finding.Area + 1);
    return out;
}

void TestMapCheck::areaRules_data()
{
    QTest::addColumn<QByteArray>("areas");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("sound map: shapes, a concave polygon, overlaps that leave each area a point")
        << Area("rect", "0,0,50,50") + Area("circle", "100,50,30", "exists.html#b", "B") +
               Area("poly", "140,0,199,0,199,99,170,99,170,40,140,40", "exists.html#c", "C") +
               Area("rect", "10,10,60,60", "exists.html#d", "D") +
               Area("rect", "0,60,100,99", "https://example.com/", "Web") +
               Area("rect", "0,60,150,99", "mailto:a@example.com", "Mail")
        << QStringList();
    QTest::newRow("linked area without alternate text")
        << Area("rect", "0,0,50,50", "exists.html", nullptr) + Area("rect", "60,0,110,50", "exists.html#x", "")
        << QStringList{"4:1 warning no-alt 1", "5:1 warning no-alt 2"};
    QTest::newRow("empty link, but not an area marked nohref")
        << Area("rect", "0,0,50,50", "", "Text") + "<area shape=rect coords=\"60,0,110,50\" nohref alt=\"\">\n"
        << QStringList{"4:1 warning empty-link 1"};
    QTest::newRow("same text, other link")
        << Area("rect", "0,0,50,50", "exists.html#a", "Home") + Area("rect", "60,0,110,50", "exists.html#b", "Home")
        << QStringList{"5:1 warning same-alt-other-link 2"};
    QTest::newRow("same link, other text (a note)")
        << Area("rect", "0,0,50,50", "exists.html", "Home") + Area("rect", "60,0,110,50", "exists.html", "Start")
        << QStringList{"5:1 note same-link-other-alt 2"};
    QTest::newRow("target under 24 x 24")
        << Area("rect", "0,0,23,50") + Area("circle", "100,50,11", "exists.html#c", "C")
        << QStringList{"4:1 warning small-target 1", "5:1 warning small-target 2"};
    QTest::newRow("wholly outside the picture")
        << Area("rect", "200,0,250,50") << QStringList{"4:1 warning outside-picture 1"};
    QTest::newRow("partly outside the picture (a note)")
        << Area("circle", "10,50,30") << QStringList{"4:1 note partly-outside 1"};
    QTest::newRow("covered by one area in front")
        << Area("rect", "0,0,100,100", "exists.html#a", "A") + Area("circle", "50,50,20", "exists.html#b", "B")
        << QStringList{"5:1 warning unreachable 2"};
    QTest::newRow("covered by two areas in front together")
        << Area("rect", "0,0,50,99", "exists.html#a", "A") + Area("rect", "50,0,100,99", "exists.html#b", "B") +
               Area("rect", "30,10,80,80", "exists.html#c", "C")
        << QStringList{"6:1 warning unreachable 3"};
    QTest::newRow("self-crossing polygon")
        << Area("poly", "0,0,60,60,60,0,0,60") << QStringList{"4:1 warning self-crossing 1"};
    QTest::newRow("polygon of two different points")
        << Area("poly", "0,0,60,60,0,0") << QStringList{"4:1 warning too-few-points 1"};
    QTest::newRow("polygon on one line")
        << Area("poly", "0,0,30,30,60,60,90,90") << QStringList{"4:1 warning zero-area 1"};
    // A page's circle of radius 0 is left out on reading; the editor's are checked there.
    QTest::newRow("rectangles of zero width and height")
        << Area("rect", "10,10,10,60") + Area("rect", "100,50,160,50", "exists.html#c", "C")
        << QStringList{"4:1 warning zero-size 1", "5:1 warning zero-size 2"};
    QTest::newRow("javascript: link")
        << Area("rect", "0,0,50,50", " JavaScript:go()", "Go") << QStringList{"4:1 warning javascript-link 1"};
    QTest::newRow("local link to a missing file")
        << Area("rect", "0,0,50,50", "missing.html#top", "A") + Area("rect", "60,0,110,50", "sub/none.htm?x=1", "B")
        << QStringList{"4:1 warning missing-file 1", "5:1 warning missing-file 2"};
    QTest::newRow("links elsewhere are not files")
        << Area("rect", "0,0,50,50", "#top", "A") + Area("rect", "60,0,110,50", "/site/root.html", "B") +
               Area("rect", "120,0,170,50", "ftp://example.com/x", "C")
        << QStringList();
    QTest::newRow("numbers follow the page's areas, left-out ones included")
        << Area("oval", "1,2,3", "exists.html#a", "A") + Area("rect", "0,0,50,50", "exists.html", nullptr)
        << QStringList{"5:1 warning no-alt 2"};
}

void TestMapCheck::areaRules()
{
    QFETCH(QByteArray, areas);
    QFETCH(QStringList, expected);
    QCOMPARE(Check(MapPage(areas)).join(QLatin1Char('\n')), expected.join(QLatin1Char('\n')));
}

void TestMapCheck::pageRules_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QStringList>("expected");
    const QByteArray area = Area("rect", "0,0,50,50");

    QTest::newRow("two images on one map") << "<img src=a.png usemap=\"#m\">\n<img src=b.png usemap=\"#M\">\n"
                                              "<map name=\"m\">\n" +
                                                  area + "</map>\n"
                                           << QStringList();
    QTest::newRow("duplicate map name")
        << "<img src=a.png usemap=\"#m\">\n<map name=\"m\">\n" + area + "</map>\n  <map name=\"M\">\n" + area +
               "</map>\n"
        << QStringList{"5:3 warning duplicate-map-name 0"};
    QTest::newRow("usemap naming no map")
        << "<img src=a.png usemap=\"#m\">\n<map name=\"m\">\n" + area + "</map>\n <img src=b.png usemap=\"#nav\">\n"
        << QStringList{"5:2 warning usemap-without-map 0"};
    QTest::newRow("map no image uses")
        << "<img src=a.png>\n<map name=\"m\">\n" + area + "</map>\n" << QStringList{"2:1 note map-without-image 0"};
}

void TestMapCheck::pageRules()
{
    QFETCH(QByteArray, page);
    QFETCH(QStringList, expected);
    QCOMPARE(Check(page).join(QLatin1Char('\n')), expected.join(QLatin1Char('\n')));
}

void TestMapCheck::findingLine()
{
    const QString name = FDir.filePath(QStringLiteral("line.html"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(MapPage(Area("rect", "0,0,50,50", "exists.html", nullptr) +
                       Area("rect", "60,0,110,50", "exists.html#b", "Home") +
                       Area("rect", "120,0,170,50", "exists.html#c", "Home")));
    file.close();
    LoadedPage page;
    QString error;
    QVERIFY2(LoadPage(name, &page, &error), qPrintable(error));
    const QVector<PageFinding> findings = CheckPage(page);
    QCOMPARE(findings.size(), 2);
    QCOMPARE(FindingLine(QStringLiteral("page.html"), findings[0]),
             QStringLiteral("page.html:4:1: warning: area 1 (\"exists.html\"): no alternate text"));
    QCOMPARE(FindingLine(QStringLiteral("page.html"), findings[1]),
             QStringLiteral("page.html:6:1: warning: area 3 (\"Home\"): the same alternate text as area 2, but "
                            "another link"));
}

QTEST_GUILESS_MAIN(TestMapCheck)
#include "tst_mapcheck.moc"
