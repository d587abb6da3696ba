#include "HtmlDocument.h"
#include "ImageMapWriter.h"
#include "MapDiscovery.h"
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
    void notes_data();
    void notes();
    void noteNamesAltWithoutHRefAndCountsEveryChange();
    void keptAttributes();
    void mapsWithoutImage();
    void imageSizeAttributes();
    void fallbackImagePaths_data();
    void fallbackImagePaths();
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
    void importReportsAndCancels();
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
    QTest::newRow("circle synonym") << "CiRc"
                                    << "50,60,10" << MapArea::circle(40, 50, 20, 20);
    QTest::newRow("rect synonym") << "RECTANGLE"
                                  << "10,20,30,40" << rect;
    QTest::newRow("poly synonym") << "polygon"
                                  << "1,2,3,4" << MapArea::polygon({{1, 2}, {3, 4}});
    QTest::newRow("missing shape is a rect") << QString() << "10,20,30,40" << rect;
    QTest::newRow("empty shape is a rect") << " "
                                           << "10,20,30,40" << rect;
    QTest::newRow("decimals rounded") << "rect"
                                      << "9.5,19.5,29.4,-0.5" << MapArea::rectangle(10, 20, 19, -21);
    QTest::newRow("decimal forms") << "poly"
                                   << ".5,10.,+2.5,-.4" << MapArea::polygon({{1, 10}, {3, 0}});
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
    const QString shapeAttribute = shape.isNull() ? QString() : QString(" shape=\"%1\"").arg(shape);
    const QVector<MapArea> areas = ReadMapAreas(mapOf(QString("<area%1 coords=\"%2\">").arg(shapeAttribute, coords)));
    QCOMPARE(areas.size(), 1);
    QVERIFY(areas[0] == area);
    QCOMPARE(areas[0].SourceArea, 0);
}

void TestMapImport::notes_data()
{
    // Each row: one area between two good ones; what the reader says about it, and whether it
    // became a region.
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("imported");
    using K = AreaNote::Kind;
    QTest::newRow("rect three numbers") << "<area shape=rect coords=1,2,3 href=x.html>" << int(K::BadCoords)
                                        << "" << "List index out of bounds (3)" << false;
    QTest::newRow("rect no coords") << "<area shape=rect href=x.html>" << int(K::BadCoords) << ""
                                    << "List index out of bounds (0)" << false;
    QTest::newRow("circle two numbers") << "<area shape=circle coords=\"5, 6\" href=x.html>" << int(K::BadCoords)
                                        << "" << "List index out of bounds (2)" << false;
    QTest::newRow("unit") << "<area shape=rect coords=10px,2,3,4 href=x.html>" << int(K::BadCoords) << ""
                          << "'10px' is not a valid integer value" << false;
    QTest::newRow("empty item") << "<area shape=rect coords=1,,3,4 href=x.html>" << int(K::BadCoords) << ""
                                << "'' is not a valid integer value" << false;
    QTest::newRow("too large") << "<area shape=rect coords=1,2,3,2147483648 href=x.html>" << int(K::BadCoords)
                               << "" << "'2147483648' is not a valid integer value" << false;
    QTest::newRow("decimal too large") << "<area shape=rect coords=1,2,3,2147483647.5 href=x.html>"
                                       << int(K::BadCoords) << ""
                                       << "'2147483647.5' is not a valid integer value" << false;
    QTest::newRow("poly bad vertex") << "<area shape=poly coords=1,2,a,4 href=x.html>" << int(K::BadCoords) << ""
                                     << "'a' is not a valid integer value" << false;
    QTest::newRow("circle bounds overflow") << "<area shape=circle coords=2147483647,0,1 href=x.html>"
                                            << int(K::BadCoords) << ""
                                            << "The coordinates \"2147483647,0,1\" are out of range" << false;
    QTest::newRow("zero radius") << "<area shape=circle coords=5,5,0 href=x.html>" << int(K::NoRadius) << ""
                                 << "" << false;
    QTest::newRow("negative radius") << "<area shape=circle coords=5,5,-2 href=x.html>" << int(K::NoRadius) << ""
                                     << "" << false;
    QTest::newRow("default") << "<area shape=DEFAULT href=x.html>" << int(K::DefaultShape) << "DEFAULT" << ""
                             << false;
    QTest::newRow("unknown") << "<area shape=star coords=1,2,3 href=x.html>" << int(K::UnknownShape) << "star"
                             << "" << false;
    QTest::newRow("no shape") << "<area coords=1,2,3,4 href=x.html>" << int(K::NoShape) << "" << "" << true;
    QTest::newRow("synonym") << "<area shape=Circ coords=1,2,3 href=x.html>" << int(K::ShapeSynonym) << "Circ"
                             << "" << true;
    QTest::newRow("rounded") << "<area shape=rect coords=1,2,9.5,4 href=x.html>" << int(K::Rounded) << ""
                             << "'9.5' is not a valid integer value" << true;
    QTest::newRow("PHP in an attribute") << "<area shape=rect coords=1,2,3,4 href=x.html alt=\"<?= $a['b'] ?>\">"
                                         << int(K::ServerCode) << "" << "" << true;
    QTest::newRow("ASP in an attribute") << "<area shape=rect coords=1,2,3,4 href=x.html title='<%= t %>'>"
                                         << int(K::ServerCode) << "" << "" << true;
}

void TestMapImport::notes()
{
    QFETCH(QString, area);
    QFETCH(int, kind);
    QFETCH(QString, shape);
    QFETCH(QString, reason);
    QFETCH(bool, imported);
    const QString good = "<area shape=rect coords=1,2,3,4 href=ok.html>";
    QVector<AreaNote> notes;
    const QVector<MapArea> areas = ReadMapAreas(mapOf(good + area + good), &notes);
    QCOMPARE(areas.size(), imported ? 3 : 2);
    QCOMPARE(areas.last().SourceArea, 2);
    QCOMPARE(notes.size(), 1);
    QCOMPARE(int(notes[0].What), kind);
    QCOMPARE(notes[0].AreaIndex, 1);
    QCOMPARE(notes[0].Link, QString("x.html"));
    QCOMPARE(notes[0].Shape, shape);
    QCOMPARE(notes[0].Reason, reason);
    QCOMPARE(notes[0].LeftOut(), !imported);
}

void TestMapImport::noteNamesAltWithoutHRefAndCountsEveryChange()
{
    QVector<AreaNote> notes;
    const QVector<MapArea> areas =
        ReadMapAreas(mapOf("<area coords=1.5,2,3,4 alt=Door><area shape=rect coords=1,2,3,4 href=a alt=b>"), &notes);
    QCOMPARE(areas.size(), 2);
    QVERIFY(areas[0] == withTexts(MapArea::rectangle(2, 2, 1, 2), "", "Door"));
    QCOMPARE(notes.size(), 2);
    QCOMPARE(notes[0].What, AreaNote::Kind::NoShape);
    QCOMPARE(notes[1].What, AreaNote::Kind::Rounded);
    QCOMPARE(notes[1].Link, QString("Door"));
    QCOMPARE(notes[1].Reason, QString("'1.5' is not a valid integer value"));
    // Nothing to say about a map read exactly as written.
    notes.clear();
    ReadMapAreas(mapOf("<area shape=rect coords=1,2,3,4 href=a alt=b>"), &notes);
    QVERIFY(notes.isEmpty());
}

void TestMapImport::keptAttributes()
{
    HtmlDocument document;
    document.Write("<img src=p.png usemap=#M><map name=M id=m1 class=nav>"
                   "<area title=\"Go &amp; see\" shape=rect coords=0,0,1,1 href=a.html id=a1 nohref onclick=\"f()\">"
                   "<area shape=circle coords=1,1,1></map>");
    const ImportedMap imported = ImportImageMap(document, FindImageMaps(document).value(0), "/p.htm");
    QVERIFY(imported.Ok);
    QCOMPARE(imported.MapAttributes, (AttributeList{{"id", "m1"}, {"class", "nav"}}));
    QCOMPARE(imported.Areas.size(), 2);
    QCOMPARE(imported.Areas[0].Attributes,
             (AttributeList{{"title", "Go & see"}, {"id", "a1"}, {"nohref", ""}, {"onclick", "f()"}}));
    QVERIFY(imported.Areas[1].Attributes.isEmpty());
    QCOMPARE(imported.SourceAreaCount, 2);
    // Written after target, valueless ones bare; a region without any gives the plain line.
    const QStringList lines = BuildImageMapHTML("p.png", "M", imported.Areas, imported.MapAttributes).split('\n');
    QCOMPARE(lines[16], QString("<MAP name=\"M\" id=\"m1\" class=\"nav\">"));
    QCOMPARE(lines[17], QString("<AREA shape=RECT href=\"a.html\" alt=\"\" target=\"\" title=\"Go & see\" id=\"a1\" "
                                "nohref onclick=\"f()\" coords=0,0,1,1>"));
    QCOMPARE(lines[18], QString("<AREA shape=CIRCLE alt=\"\" target=\"\" coords=1,1,1>"));
}

void TestMapImport::mapsWithoutImage()
{
    HtmlDocument document;
    document.Write("<map name=A><area shape=rect coords=1,2,3,4></map><img src=p.png usemap=#b>"
                   "<map name=B></map><map name=b><area coords=5,6,7,8 href=x></map>");
    QCOMPARE(MapsWithoutImage(document), (QVector<int>{0, 2}));
    const ImportedMap imported = ImportMapWithoutImage(document, 2);
    QVERIFY(imported.Ok);
    QVERIFY(!imported.HasImage);
    QCOMPARE(imported.MapName, QString("b"));
    QCOMPARE(imported.Areas.size(), 1);
    QVERIFY(!ImportMapWithoutImage(document, 3).Ok);
}

void TestMapImport::imageSizeAttributes()
{
    HtmlDocument document;
    document.Write("<img src=a.png usemap=#M width=\"120px\" height=80><img src=b.png usemap=#M width=50%>"
                   "<map name=M></map>");
    const QVector<ImageMapEntry> entries = FindImageMaps(document);
    const ImportedMap a = ImportImageMap(document, entries.value(0), "/p.htm");
    QCOMPARE(a.ImageWidth, 120);
    QCOMPARE(a.ImageHeight, 80);
    const ImportedMap b = ImportImageMap(document, entries.value(1), "/p.htm");
    QCOMPARE(b.ImageWidth, 0);
    QCOMPARE(b.ImageHeight, 0);
}

void TestMapImport::fallbackImagePaths_data()
{
    QTest::addColumn<QString>("src");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("web address") << "http://example.org/pics/a%20b.png?v=2"
                                 << QStringList{"/site/a b.png", "/site/images/a b.png"};
    QTest::newRow("site root") << "/images/x.png" << QStringList{"/site/x.png", "/site/images/x.png"};
    QTest::newRow("relative has none") << "images/x.png" << QStringList{};
    QTest::newRow("folder address has none") << "https://example.org/" << QStringList{};
}

void TestMapImport::fallbackImagePaths()
{
    QFETCH(QString, src);
    QFETCH(QStringList, paths);
    QCOMPARE(FallbackImagePaths("/site/page.htm", src), paths);
}

void TestMapImport::textsFromAttributes()
{
    const QVector<MapArea> areas =
        ReadMapAreas(mapOf("<area shape=rect coords=0,0,1,1 href=\"a.html\" target=_top alt=\"Alt &amp; more\">"
                           "<area shape=circle coords=1,1,1>"));
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
    const QVector<MapArea> areas =
        ReadMapAreas(mapOf("<area shape=rect coords=0,0,1,1 href=A><area shape=circle coords=1,1,1 href=B>"
                           "<area shape=poly coords=1,1,2,2,3,1 href=C>"));
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
    const QVector<MapArea> areas = ReadMapAreas(
        mapOf("<area shape=default href=d><area shape=star coords=1,2,3,4><area shape=rect coords=1,2,3,4 href=kept>"));
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

void TestMapImport::importReportsAndCancels()
{
    QString areas;
    for (int i = 0; i < 10000; ++i)
        areas += QStringLiteral("<area shape=rect coords=%1,0,10,10 href=a.htm>").arg(i);
    HtmlDocument document;
    document.Write("<img src=p.png usemap=#M><map name=M>" + areas + "</map>");
    const ImageMapEntry entry = FindImageMaps(document).value(0);

    QList<qint64> reported;
    HtmlReadProgress progress;
    progress.Report = [&](qint64 done, qint64 total) {
        QCOMPARE(total, qint64(10000));
        reported.append(done);
    };
    const ImportedMap whole = ImportImageMap(document, entry, "/site/page.htm", &progress);
    QVERIFY(whole.Ok);
    QCOMPARE(whole.Areas.size(), 10000);
    QCOMPARE(whole.Areas, ImportImageMap(document, entry, "/site/page.htm").Areas);
    QCOMPARE(reported, QList<qint64>({0, 4096, 8192}));

    std::atomic<bool> cancel{false};
    progress.Cancel = &cancel;
    progress.Report = [&](qint64 done, qint64) { cancel = done > 0; };
    const ImportedMap cancelled = ImportImageMap(document, entry, "/site/page.htm", &progress);
    QVERIFY(!cancelled.Ok);
    QVERIFY(cancelled.ErrorMessage.isEmpty());
}

QTEST_APPLESS_MAIN(TestMapImport)
#include "tst_mapimport.moc"
