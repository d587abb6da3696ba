#include "HtmlDocument.h"
#include "ImageMapWriter.h"
#include "MapImport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

HtmlDocument::MapElement mapOf(const QString& areasHtml)
{
    HtmlDocument document;
    document.Write("<map name=M>" + areasHtml + "</map>");
    return document.Maps().value(0);
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

MapArea withTexts(MapArea a, const QString& href, const QString& alt = QString(),
                  const QString& target = QString())
{
    a.HRef = href;
    a.AltText = alt;
    a.Target = target;
    return a;
}

} // namespace

class TestMapImport : public QObject
{
    Q_OBJECT

private slots:
    void areaGeometry_data();
    void areaGeometry();
    void allOrNothingErrors_data();
    void allOrNothingErrors();
    void textsFromAttributes();
    void areasKeepDocumentOrder();
    void unknownShapesSkipped();
    void resolveImageSource_data();
    void resolveImageSource();
    void importEntry();
    void importRoundTrip_data();
    void importRoundTrip();
    void saveImportSaveIsByteIdentical();
    void typedEntityComesBackAsItsCharacter();
};

void TestMapImport::areaGeometry_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("coords");
    QTest::addColumn<MapArea>("area");
    const MapArea rect = MapArea::rectangle(10, 20, 20, 20);
    QTest::newRow("rect commas") << "rect"
                                 << "10,20,30,40" << rect;
    QTest::newRow("rect comma blank") << "Rect"
                                      << "10, 20, 30, 40" << rect;
    QTest::newRow("rect blanks") << "RECT"
                                 << "10 20 30 40" << rect;
    QTest::newRow("rect trailing comma") << "rEcT"
                                         << "10,20,30,40," << rect;
    QTest::newRow("rect extra items ignored") << "rect"
                                              << "10,20,30,40,junk" << rect;
    QTest::newRow("rect hex") << "rect"
                              << "$A,x14,0x1e,+40" << rect;
    QTest::newRow("rect reversed edges kept") << "rect"
                                              << "30,40,10,20" << MapArea::rectangle(30, 40, -20, -20);
    QTest::newRow("circle") << "circle"
                            << "50,60,10" << MapArea::circle(40, 50, 20, 20);
    QTest::newRow("circle negative radius kept") << "CIRCLE"
                                                 << "5,5,-2" << MapArea::circle(7, 7, -4, -4);
    QTest::newRow("poly odd item ignored") << "poly"
                                           << "1,2,3,4,5" << MapArea::polygon({{1, 2}, {3, 4}});
    QTest::newRow("poly three") << "POLY"
                                << "1 2 3 4 5 6" << MapArea::polygon({{1, 2}, {3, 4}, {5, 6}});
    QTest::newRow("poly one number") << "poly"
                                     << "7" << MapArea::polygon({});
    QTest::newRow("poly empty") << "poly"
                                << "" << MapArea::polygon({});
    QTest::newRow("poly odd invalid last ignored") << "poly"
                                                   << "1,2,x" << MapArea::polygon({{1, 2}});
}

void TestMapImport::areaGeometry()
{
    QFETCH(QString, shape);
    QFETCH(QString, coords);
    QFETCH(MapArea, area);
    QVector<MapArea> areas;
    QString error;
    QVERIFY2(
        ReadMapAreas(mapOf(QString("<area shape=\"%1\" coords=\"%2\">").arg(shape, coords)), &areas, &error),
        qPrintable(error));
    QCOMPARE(areas.size(), 1);
    QVERIFY(areas[0] == area);
}

void TestMapImport::allOrNothingErrors_data()
{
    QTest::addColumn<QString>("areasHtml");
    QTest::addColumn<QString>("message");
    const QString good = "<area shape=rect coords=1,2,3,4 href=ok.html>";
    QTest::newRow("rect three numbers") << good + "<area shape=rect coords=1,2,3>"
                                        << "List index out of bounds (3)";
    QTest::newRow("rect no coords") << good + "<area shape=rect>"
                                    << "List index out of bounds (0)";
    QTest::newRow("circle two numbers") << "<area shape=circle coords=\"5, 6\">"
                                        << "List index out of bounds (2)";
    QTest::newRow("unit") << good + "<area shape=rect coords=10px,2,3,4>"
                          << "'10px' is not a valid integer value";
    QTest::newRow("fraction") << "<area shape=circle coords=1,2,3.5>"
                              << "'3.5' is not a valid integer value";
    QTest::newRow("empty item") << "<area shape=rect coords=1,,3,4>"
                                << "'' is not a valid integer value";
    QTest::newRow("too large") << "<area shape=rect coords=1,2,3,2147483648>"
                               << "'2147483648' is not a valid integer value";
    QTest::newRow("poly bad vertex") << good + "<area shape=poly coords=1,2,a,4>"
                                     << "'a' is not a valid integer value";
    QTest::newRow("first error wins") << "<area shape=rect coords=x,1><area shape=rect coords=y,1,1,1>"
                                      << "'x' is not a valid integer value";
    QTest::newRow("error after skipped shape") << "<area shape=default coords=q><area shape=circle coords=z>"
                                               << "'z' is not a valid integer value";
    QTest::newRow("circle bounds overflow") << "<area shape=circle coords=2147483647,0,1>"
                                            << "The coordinates \"2147483647,0,1\" are out of range";
    QTest::newRow("circle left overflow") << "<area shape=circle coords=\"-2147483648, 0, 5\">"
                                          << "The coordinates \"-2147483648, 0, 5\" are out of range";
    QTest::newRow("rect width overflow") << "<area shape=rect coords=-2147483648,0,2147483647,1>"
                                         << "The coordinates \"-2147483648,0,2147483647,1\" are out of range";
}

void TestMapImport::allOrNothingErrors()
{
    // A failing area leaves the caller with nothing but the message: no half-imported map.
    QFETCH(QString, areasHtml);
    QFETCH(QString, message);
    QVector<MapArea> areas{MapArea::rectangle(9, 9, 9, 9)};
    const QVector<MapArea> before = areas;
    QString error;
    QVERIFY(!ReadMapAreas(mapOf(areasHtml), &areas, &error));
    QCOMPARE(error, message);
    QVERIFY(areas == before);

    HtmlDocument document;
    document.Write("<img src=x.png usemap=#M><map name=M>" + areasHtml + "</map>");
    const ImportedMap imported = ImportImageMap(document, FindImageMaps(document).value(0), "/site/page.htm");
    QVERIFY(!imported.Ok);
    QCOMPARE(imported.ErrorMessage, message);
    QVERIFY(imported.Areas.isEmpty());
}

void TestMapImport::textsFromAttributes()
{
    QVector<MapArea> areas;
    QVERIFY(ReadMapAreas(
        mapOf("<area shape=rect coords=0,0,1,1 href=\"a.html\" target=_top alt=\"Alt &amp; more\">"
              "<area shape=circle coords=1,1,1>"),
        &areas, nullptr));
    QCOMPARE(areas.size(), 2);
    QCOMPARE(areas[0].HRef, QString("a.html"));
    QCOMPARE(areas[0].Target, QString("_top"));
    QCOMPARE(areas[0].AltText, QString("Alt & more"));
    // absent attributes give empty texts, not the editor's defaults
    QVERIFY(areas[1].HRef.isEmpty());
    QVERIFY(areas[1].Target.isEmpty());
    QVERIFY(areas[1].AltText.isEmpty());
}

void TestMapImport::areasKeepDocumentOrder()
{
    QVector<MapArea> areas;
    QVERIFY(
        ReadMapAreas(mapOf("<area shape=rect coords=0,0,1,1 href=A><area shape=circle coords=1,1,1 href=B>"
                           "<area shape=poly coords=1,1,2,2,3,1 href=C>"),
                     &areas, nullptr));
    QCOMPARE(areas.size(), 3);
    QCOMPARE(areas[0].HRef, QString("A"));
    QCOMPARE(areas[1].HRef, QString("B"));
    QCOMPARE(areas[2].HRef, QString("C"));
    // Written back front-most first, the first area stays first.
    const QStringList lines = BuildImageMapHTML("p.png", "M", areas).split('\n');
    QVERIFY(lines[17].contains("href=\"A\""));
    QVERIFY(lines[19].contains("href=\"C\""));
}

void TestMapImport::unknownShapesSkipped()
{
    QVector<MapArea> areas;
    QVERIFY(ReadMapAreas(
        mapOf("<area shape=default href=d><area shape=rectangle coords=1,2,3,4><area shape=circ "
              "coords=1,2,3><area shape=polygon coords=1,2><area coords=1,2,3,4><area shape=\"\">"
              "<area shape=rect coords=1,2,3,4 href=kept>"),
        &areas, nullptr));
    QCOMPARE(areas.size(), 1);
    QVERIFY(areas[0] == withTexts(MapArea::rectangle(1, 2, 2, 2), "kept"));
}

void TestMapImport::resolveImageSource_data()
{
    QTest::addColumn<QString>("htmlFile");
    QTest::addColumn<QString>("src");
    QTest::addColumn<QString>("path");
    QTest::newRow("relative folder") << "/site/page.htm"
                                     << "images/pic.gif"
                                     << "/site/images/pic.gif";
    QTest::newRow("same folder") << "/site/page.htm"
                                 << "pic.gif"
                                 << "/site/pic.gif";
    QTest::newRow("parent folder") << "/site/sub/page.htm"
                                   << "../pic.gif"
                                   << "/site/pic.gif";
    QTest::newRow("absolute unchanged") << "/site/page.htm"
                                        << "/pics/a.png"
                                        << "/pics/a.png";
    QTest::newRow("web address taken as path") << "/site/page.htm"
                                               << "http://host/a.png"
                                               << "/site/http:/host/a.png";
    QTest::newRow("blanks kept") << "/site/page.htm"
                                 << "my pic.gif"
                                 << "/site/my pic.gif";
}

void TestMapImport::resolveImageSource()
{
    QFETCH(QString, htmlFile);
    QFETCH(QString, src);
    QFETCH(QString, path);
    QCOMPARE(ResolveImageSource(htmlFile, src), path);
}

void TestMapImport::importEntry()
{
    HtmlDocument document;
    document.Write("<map name=Other><area shape=rect coords=x></map>"
                   "<img src=\"pics/a.png\" usemap=\"#TheMap\"><map name=\"themap\"><area shape=RECT "
                   "coords=\"1,2,3,4\" href=h alt=a target=t></map>");
    const QVector<ImageMapEntry> entries = FindImageMaps(document);
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].MapPosition, 1);
    const ImportedMap imported = ImportImageMap(document, entries[0], "/web/index.html");
    QVERIFY2(imported.Ok, qPrintable(imported.ErrorMessage));
    QCOMPARE(imported.MapName, QString("themap"));
    QCOMPARE(imported.ImagePath, QString("/web/pics/a.png"));
    QCOMPARE(imported.Areas.size(), 1);
    QVERIFY(imported.Areas[0] == withTexts(MapArea::rectangle(1, 2, 2, 2), "h", "a", "t"));

    ImageMapEntry stale = entries[0];
    stale.MapPosition = 7;
    QVERIFY(!ImportImageMap(document, stale, "/web/index.html").Ok);
}

void TestMapImport::importRoundTrip_data()
{
    QTest::addColumn<QString>("folder");
    const QDir cases(QStringLiteral(ZQ_TEST_SOURCE_DIR "/cases"));
    int rows = 0;
    for (const QString& name : cases.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!QFile::exists(cases.filePath(name + "/source.htm")))
            continue;
        QTest::newRow(qPrintable(name)) << cases.filePath(name);
        ++rows;
    }
    QVERIFY2(rows >= 1, "the golden import cases are missing");
}

void TestMapImport::importRoundTrip()
{
    // source.htm imported (first entry) and written back gives expected.htm;
    // {{folder}} stands for the case's folder.
    QFETCH(QString, folder);
    const QString source = folder + "/source.htm";
    HtmlDocument document;
    QString error;
    QVERIFY2(document.LoadFromFile(source, &error), qPrintable(error));
    const QVector<ImageMapEntry> entries = FindImageMaps(document);
    QVERIFY(!entries.isEmpty());
    const ImportedMap imported = ImportImageMap(document, entries[0], source);
    QVERIFY2(imported.Ok, qPrintable(imported.ErrorMessage));
    const QString text = BuildImageMapHTML(imported.ImagePath, imported.MapName, imported.Areas);
    const QString expected =
        readText(folder + "/expected.htm").replace("{{folder}}", QDir(folder).absolutePath());
    QCOMPARE(text.split('\n'), expected.split('\n'));
    QCOMPARE(text, expected);
}

void TestMapImport::saveImportSaveIsByteIdentical()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    MapArea rect = withTexts(MapArea::rectangle(-4, 5, 30, 20), "a \"b\".html", "caf\u00e9", "_blank");
    MapArea circle = withTexts(MapArea::circle(50, 60, 21, 21), "c.html", "", "main");
    MapArea poly = withTexts(MapArea::polygon({{1, 2}, {30, 4}, {15, 40}}), "", "poly", "");
    const QVector<MapArea> areas{rect, circle, poly};
    const QString imagePath = dir.filePath("pic.png");

    const QByteArray saved = ToCrLfLines(BuildImageMapHTML(imagePath, "My Map", areas)).toUtf8();
    const QString file = dir.filePath("saved.htm");
    QVERIFY(writeBytes(file, saved));

    HtmlDocument document;
    QString error;
    QVERIFY2(document.LoadFromFile(file, &error), qPrintable(error));
    const QVector<ImageMapEntry> entries = FindImageMaps(document);
    QCOMPARE(entries.size(), 1);
    const ImportedMap imported = ImportImageMap(document, entries[0], file);
    QVERIFY2(imported.Ok, qPrintable(imported.ErrorMessage));
    QCOMPARE(imported.ImagePath, imagePath);
    QCOMPARE(imported.MapName, QString("My Map"));
    QCOMPARE(imported.Areas.size(), 3);
    // the odd circle width comes back even: the format keeps only the radius
    circle.Width = circle.Height = 20;
    QVERIFY(imported.Areas[0] == rect);
    QVERIFY(imported.Areas[1] == circle);
    QVERIFY(imported.Areas[2] == poly);

    const QByteArray again =
        ToCrLfLines(BuildImageMapHTML(imported.ImagePath, imported.MapName, imported.Areas)).toUtf8();
    QCOMPARE(again, saved);
}

void TestMapImport::typedEntityComesBackAsItsCharacter()
{
    // The writer leaves "&copy;" for the browser to read; the importer reads it as a browser does.
    MapArea rect = withTexts(MapArea::rectangle(0, 0, 5, 5), "x.html?a=1&amp;b=2", "&copy; me", "");
    HtmlDocument document;
    document.Write(BuildImageMapHTML("p.png", "M", {rect}));
    const ImportedMap imported = ImportImageMap(document, FindImageMaps(document).value(0), "/p.htm");
    QVERIFY(imported.Ok);
    QCOMPARE(imported.Areas.value(0).AltText, QString(QChar(0xA9)) + " me");
    QCOMPARE(imported.Areas.value(0).HRef, QString("x.html?a=1&b=2"));
}

QTEST_APPLESS_MAIN(TestMapImport)
#include "tst_mapimport.moc"
