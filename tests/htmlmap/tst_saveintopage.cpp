#include "HtmlDocument.h"
#include "MapImport.h"
#include "PageScan.h"
#include "SaveIntoPage.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readPage(const QString& name)
{
    QFile file(QStringLiteral(ZQ_TEST_SOURCE_DIR "/pages/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

// A page imported as the editor imports it: its first listed map (image or not).
struct ImportedPage
{
    QByteArray Bytes;
    ImportedMap Map;
    PageMapOrigin Origin;

    explicit ImportedPage(const QString& name, int entry = 0) : Bytes(readPage(name))
    {
        const QString fileName = QStringLiteral("/site/") + name;
        HtmlDocument document;
        QFile file(QStringLiteral(ZQ_TEST_SOURCE_DIR "/pages/") + name);
        QString error;
        if (!document.LoadFromFile(file.fileName(), &error))
            qFatal("%s", qPrintable(error));
        const QVector<ImageMapEntry> entries = FindImageMaps(document);
        Map = entries.isEmpty() ? ImportMapWithoutImage(document, MapsWithoutImage(document).value(0))
                                : ImportImageMap(document, entries.value(entry), fileName);
        Origin = PageMapOrigin::Of(fileName, Map);
    }

    QByteArray Save(const QVector<MapArea>& areas, const QString& mapName = QString()) const
    {
        return SaveInto(Bytes, areas, mapName);
    }

    // Saved into `page` (the file as it is now); with a failure, its message instead.
    QByteArray SaveInto(const QByteArray& page, const QVector<MapArea>& areas, const QString& mapName = QString(),
                        const QString& picture = QString()) const
    {
        PageRewrite out;
        QString error;
        if (!RewritePageMap(page, Origin, mapName.isNull() ? Map.MapName : mapName, areas, &out, &error, picture))
            return error.toUtf8();
        return out.Bytes;
    }

    // The bytes of the page's AREA tag at `index` among the map's tags.
    QByteArray AreaBytes(int index) const
    {
        ScannedMap scanned;
        const QString text = QString::fromLatin1(Bytes);
        if (!FindMapElement(text, Map.MapPosition, &scanned))
            return {};
        const ScannedTag& tag = scanned.Areas.value(index);
        return Bytes.mid(tag.Start, tag.End - tag.Start);
    }
};

} // namespace

class TestSaveIntoPage : public QObject
{
    Q_OBJECT

private slots:
    void unchangedMapLeavesThePageAlone_data();
    void unchangedMapLeavesThePageAlone();
    void oneChangedAreaIsAllThatChanges_data();
    void oneChangedAreaIsAllThatChanges();
    void scannerAndParserAgreeOnTheMap();
    void linklessAreasStayLinkless();
    void drawnAndDeletedAreas();
    void charactersThePageCannotHoldBecomeReferences();
    void utf16PageStaysUtf16();
    void renamedMapTakesItsImagesAlong();
    void pageChangedSinceImport_data();
    void pageChangedSinceImport();
    void unchangedSaveKeepsEveryByte_data();
    void unchangedSaveKeepsEveryByte();
    void editedTagKeepsWhatDidNotChange_data();
    void editedTagKeepsWhatDidNotChange();
    void addedAndDeletedAreasTakeTheirOwnLines_data();
    void addedAndDeletedAreasTakeTheirOwnLines();
    void renamedMapTakesEveryUsemapAlong();
    void newPictureGoesIntoItsImages();
    void namelessMapGetsItsName();
    void bareValuesNeverTakeTheSlash();
    void mapInsideAMapIsNotGuessed();
    void emptiedLinkLeavesNoHref();
};

void TestSaveIntoPage::unchangedMapLeavesThePageAlone_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("upper case, CR LF, windows-1252") << "upper-crlf.htm";
    QTest::newRow("lower case, self-closing, UTF-8") << "lower-xhtml.htm";
    QTest::newRow("single quotes, no image") << "single-quoted.htm";
    QTest::newRow("UTF-16 with its mark") << "utf16.htm";
}

void TestSaveIntoPage::unchangedMapLeavesThePageAlone()
{
    QFETCH(QString, page);
    const ImportedPage imported(page);
    QVERIFY(imported.Map.Ok);
    QVERIFY(!imported.Map.Areas.isEmpty());
    QCOMPARE(imported.Save(imported.Map.Areas), imported.Bytes);
}

void TestSaveIntoPage::oneChangedAreaIsAllThatChanges_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("region"); // index among the imported regions
    QTest::addColumn<int>("tag");    // index among the map's AREA tags
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("upper") << "upper-crlf.htm" << 1 << 1
                           << QByteArray("<AREA SHAPE=CIRCLE COORDS=101,51,20 HREF=new.htm ALT=\"Round table\" "
                                         "TITLE=\"Caf\xe9 table\">");
    QTest::newRow("lower, kept attributes and self-closing")
        << "lower-xhtml.htm" << 0 << 0
        << QByteArray("<area shape=\"rect\" coords=\"11,11,61,41\" href=\"new.htm\" alt=\"Hall\" title=\"The hall\" />");
    QTest::newRow("lower, synonym kept as written") << "lower-xhtml.htm" << 2 << 2
                                                    << QByteArray("<area shape=\"circ\" coords=\"152,26,15\" href=\"new.htm\" "
                                                                  "alt=\"Stairs\" onclick=\"track('stairs')\" />");
    QTest::newRow("single quotes") << "single-quoted.htm" << 1 << 1
                                   << QByteArray("<area shape='rect' coords='31,2,51,21' href='new.htm' alt='Node 2'>");
}

void TestSaveIntoPage::oneChangedAreaIsAllThatChanges()
{
    QFETCH(QString, page);
    QFETCH(int, region);
    QFETCH(int, tag);
    QFETCH(QByteArray, text);
    const ImportedPage imported(page);
    QVector<MapArea> areas = imported.Map.Areas;
    MapArea& changed = areas[region];
    changed.HRef = QStringLiteral("new.htm");
    changed.Left += 1;
    changed.Top += 1;
    QByteArray expected = imported.Bytes;
    const QByteArray old = imported.AreaBytes(tag);
    QVERIFY(!old.isEmpty());
    expected.replace(expected.indexOf(old), old.size(), text);
    QCOMPARE(imported.Save(areas), expected);
}

void TestSaveIntoPage::scannerAndParserAgreeOnTheMap()
{
    // Maps in a comment, a script and a template are no maps of the document.
    const ImportedPage imported("lower-xhtml.htm");
    QCOMPARE(imported.Map.MapPosition, 0);
    QCOMPARE(imported.Map.SourceAreaCount, 6);
    QCOMPARE(imported.Map.Areas.size(), 5);
    QCOMPARE(imported.Map.MapAttributes, (AttributeList{{"id", "floor-map"}}));
    QVERIFY(imported.AreaBytes(0).startsWith("<area shape=\"rect\" coords=\"10,10,60,40\""));
}

void TestSaveIntoPage::linklessAreasStayLinkless()
{
    const ImportedPage imported("lower-xhtml.htm");
    QVector<MapArea> areas = imported.Map.Areas;
    areas[3].Left = 1;    // the nohref wall
    areas[4].Vertices[0] = QPoint(71, 51); // the corner without href
    const QByteArray saved = imported.Save(areas);
    QVERIFY(saved.contains("<area shape=\"rect\" coords=\"1,50,61,90\" nohref alt=\"Wall\" />"));
    QVERIFY(saved.contains("<area shape=\"poly\" coords=\"71,51,120,50,95,90\" alt=\"Caf\xc3\xa9 corner\" />"));
    // The area the import left out stays as it was.
    QVERIFY(saved.contains("\n    <area shape=\"default\" href=\"floor.html\" alt=\"Elsewhere\" />\n  </map>"));
}

void TestSaveIntoPage::drawnAndDeletedAreas()
{
    const ImportedPage imported("upper-crlf.htm");
    QVector<MapArea> areas = imported.Map.Areas;
    areas.removeAt(1);
    MapArea drawn = MapArea::rectangle(5, 6, 10, 10);
    drawn.HRef = QStringLiteral("drawn.htm");
    drawn.AltText = QStringLiteral("Click Here!");
    areas.prepend(drawn);
    const QByteArray saved = imported.Save(areas);
    const QByteArray map = saved.mid(saved.indexOf("<MAP"), saved.indexOf("</MAP>") + 6 - saved.indexOf("<MAP"));
    QCOMPARE(map, QByteArray("<MAP NAME=Plan>\r\n"
                             "<AREA SHAPE=RECT COORDS=5,6,15,16 HREF=drawn.htm ALT=\"Click Here!\">\r\n"
                             "<AREA SHAPE=RECT COORDS=0,0,50,50 HREF=kitchen.htm ALT=K\xfc"
                             "che>\r\n"
                             "<AREA SHAPE=POLY COORDS=150,0,200,0,200,100 HREF=\"garden.htm\" ALT=Garden>\r\n"
                             "</MAP>"));
    QVERIFY(saved.startsWith(imported.Bytes.left(imported.Bytes.indexOf("<MAP"))));
    QVERIFY(saved.endsWith(imported.Bytes.mid(imported.Bytes.indexOf("</MAP>"))));
}

void TestSaveIntoPage::charactersThePageCannotHoldBecomeReferences()
{
    const ImportedPage imported("upper-crlf.htm");
    QVector<MapArea> areas = imported.Map.Areas;
    areas[0].AltText = QString::fromUtf8("Caf\xc3\xa9 \xe2\x98\x83");
    const QByteArray saved = imported.Save(areas);
    QVERIFY(saved.contains("ALT=\"Caf\xe9 &#9731;\">"));
}

void TestSaveIntoPage::utf16PageStaysUtf16()
{
    const ImportedPage imported("utf16.htm");
    QVector<MapArea> areas = imported.Map.Areas;
    areas[1].AltText = QString::fromUtf8("Zw\xc3\xb6lf");
    const QByteArray saved = imported.Save(areas);
    QVERIFY(saved.startsWith("\xff\xfe"));
    QStringDecoder decoder(QStringConverter::Utf16LE);
    const QString text = decoder.decode(saved.mid(2));
    QStringDecoder original(QStringConverter::Utf16LE);
    QString expected = original.decode(imported.Bytes.mid(2));
    expected.replace("alt=\"Zwei\"", QString::fromUtf8("alt=\"Zw\xc3\xb6lf\""));
    QCOMPARE(text, expected);
}

void TestSaveIntoPage::renamedMapTakesItsImagesAlong()
{
    const ImportedPage imported("upper-crlf.htm");
    const QByteArray saved = imported.Save(imported.Map.Areas, QStringLiteral("Floor plan"));
    QByteArray expected = imported.Bytes;
    expected.replace("USEMAP=\"#Plan\"", "USEMAP=\"#Floor plan\"");
    expected.replace("<MAP NAME=Plan>", "<MAP NAME=\"Floor plan\">");
    QCOMPARE(saved, expected);
}

namespace {

QByteArray replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to)
{
    const int at = bytes.indexOf(from);
    if (at < 0)
        qFatal("fixture text not found: %s", from.constData());
    return bytes.replace(at, from.size(), to);
}

// The regions as the editor gives them back: rectangles drawn left to right, top to bottom.
QVector<MapArea> asEdited(QVector<MapArea> areas)
{
    for (MapArea& a : areas) {
        if (a.shape != MapArea::Shape::Rect)
            continue;
        if (a.Width < 0) {
            a.Left += a.Width;
            a.Width = -a.Width;
        }
        if (a.Height < 0) {
            a.Top += a.Height;
            a.Height = -a.Height;
        }
    }
    return areas;
}

} // namespace

void TestSaveIntoPage::pageChangedSinceImport_data()
{
    // The page on disk as another program left it, and what Save Into Page makes of it after the
    // pond (third area of "beds") moved one pixel right.
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QByteArray>("saved"); // empty: the page's own bytes with the pond moved
    const QByteArray beds = "<map name=\"beds\">";
    const QByteArray sameCount = "<map name=\"other\"><area shape=\"rect\" coords=\"1,1,2,2\" href=\"x\">"
                                 "<area coords=\"0,0,1,1\"><area coords=\"2,2,3,3\"></map>\n";
    QTest::newRow("a map with as many areas inserted before it")
        << QByteArray("<img src=\"garden.png\"") << sameCount + "<img src=\"garden.png\"" << QByteArray();
    QTest::newRow("text changed before and after it")
        << QByteArray("<h1>Our garden</h1>") << QByteArray("<h1>Our lovely garden</h1>\n<p>New!</p>")
        << QByteArray();
    const QByteArray changed =
        "The image map \"beds\" was changed in \"/site/handwritten.htm\" by another program since it was imported.";
    QTest::newRow("an area of the map changed")
        << QByteArray("href=\"pond.html\"") << QByteArray("href=\"lake.html\"") << changed;
    QTest::newRow("the map removed")
        << QByteArray("<map name=\"beds\">") << QByteArray("<div name=\"beds\">") << changed;
    QTest::newRow("the map's end tag removed")
        << QByteArray("</map>\n<p>Other") << QByteArray("\n<p>Other")
        << QByteArray("The image map \"beds\" in \"/site/handwritten.htm\" has no end tag </map>: the edited map "
                      "cannot be written into it.");
}

void TestSaveIntoPage::pageChangedSinceImport()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QByteArray, saved);
    const ImportedPage imported("handwritten.htm");
    QVector<MapArea> areas = asEdited(imported.Map.Areas);
    areas[2].Left += 1;
    const QByteArray page = replaced(imported.Bytes, from, to);
    if (saved.isEmpty())
        saved = replaced(page, "coords=\"250,50,40\"", "coords=\"251,50,40\"");
    QCOMPARE(imported.SaveInto(page, areas), saved);
}

void TestSaveIntoPage::unchangedSaveKeepsEveryByte_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("entry");
    QTest::newRow("hand-written, reversed rectangle") << "handwritten.htm" << 0;
    QTest::newRow("areas on one line") << "handwritten.htm" << 1;
    QTest::newRow("windows-1252, CR LF") << "legacy-1252.htm" << 0;
    QTest::newRow("XHTML entities") << "entities.htm" << 0;
    QTest::newRow("PHP template") << "template.php" << 0;
}

void TestSaveIntoPage::unchangedSaveKeepsEveryByte()
{
    QFETCH(QString, page);
    QFETCH(int, entry);
    const ImportedPage imported(page, entry);
    QVERIFY(imported.Map.Ok);
    QCOMPARE(imported.Save(asEdited(imported.Map.Areas)), imported.Bytes);
}

void TestSaveIntoPage::editedTagKeepsWhatDidNotChange_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("region");
    QTest::addColumn<QString>("alt"); // null: the alt as it was
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::newRow("XHTML: references, quotes and closing kept")
        << "entities.htm" << 0 << QString() << QByteArray("coords=\"0,0,40,40\"") << QByteArray("coords=\"1,0,41,40\"");
    QTest::newRow("XHTML: attribute order and bare closing kept")
        << "entities.htm" << 1 << QString() << QByteArray("coords=\"40,0,80,40\"")
        << QByteArray("coords=\"41,0,81,40\"");
    QTest::newRow("XHTML: a new alt among references")
        << "entities.htm" << 0 << QString::fromUtf8("Caf&eacute; \xe2\x82\xac 4")
        << QByteArray("alt=\"Caf&eacute; &#8364; 3\"") << QByteArray("alt=\"Caf&eacute; \xe2\x82\xac 4\"");
    QTest::newRow("PHP: code in a link kept")
        << "template.php" << 0 << QString() << QByteArray("coords=\"0,0,10,10\"") << QByteArray("coords=\"1,0,11,10\"");
    QTest::newRow("PHP: code in an alt kept")
        << "template.php" << 1 << QString() << QByteArray("coords=\"10,0,20,10\"")
        << QByteArray("coords=\"11,0,21,10\"");
    QTest::newRow("windows-1252: edited text in the page's encoding")
        << "legacy-1252.htm" << 1 << QString::fromUtf8("Th\xc3\xa9 \xe2\x82\xac \xe2\x98\x83")
        << QByteArray("coords=\"0,20,50,40\" href=\"the.htm\" alt=\"Th\xe9\"")
        << QByteArray("coords=\"1,20,51,40\" href=\"the.htm\" alt=\"Th\xe9 \x80 &#9731;\"");
}

void TestSaveIntoPage::editedTagKeepsWhatDidNotChange()
{
    QFETCH(QString, page);
    QFETCH(int, region);
    QFETCH(QString, alt);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    const ImportedPage imported(page);
    QVector<MapArea> areas = imported.Map.Areas;
    if (alt.isNull())
        areas[region].Left += 1;
    else
        areas[region].AltText = alt;
    if (page == "legacy-1252.htm")
        areas[region].Left += 1;
    QCOMPARE(imported.Save(areas), replaced(imported.Bytes, from, to));
}

void TestSaveIntoPage::addedAndDeletedAreasTakeTheirOwnLines_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("deleted"); // -1: none
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    const QByteArray herbs = "\t<area shape=\"rect\" coords=\"166,267,105,295\" href=\"herbs.html\" alt=\"Herbs\">\n";
    QTest::newRow("deleted after a comment that is not its own")
        << "handwritten.htm" << 1 << herbs << QByteArray();
    QTest::newRow("drawn after a comment: indentation only")
        << "handwritten.htm" << -1 << QByteArray("alt=\"Pond\">\n</map>")
        << QByteArray("alt=\"Pond\">\n\t<area shape=\"rect\" coords=\"5,5,15,15\" href=\"new.html\" alt=\"New\">\n</map>");
    QTest::newRow("drawn in a CR LF page")
        << "legacy-1252.htm" << -1 << QByteArray("alt=\"Th\xe9\">\r\n</map>")
        << QByteArray("alt=\"Th\xe9\">\r\n  <area shape=\"rect\" coords=\"5,5,15,15\" href=\"new.html\" alt=\"New\">\r\n"
                      "</map>");
}

void TestSaveIntoPage::addedAndDeletedAreasTakeTheirOwnLines()
{
    QFETCH(QString, page);
    QFETCH(int, deleted);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    const ImportedPage imported(page);
    QVector<MapArea> areas = asEdited(imported.Map.Areas);
    if (deleted >= 0) {
        areas.removeAt(deleted);
    } else {
        MapArea drawn = MapArea::rectangle(5, 5, 10, 10);
        drawn.HRef = QStringLiteral("new.html");
        drawn.AltText = QStringLiteral("New");
        areas.append(drawn);
    }
    QCOMPARE(imported.Save(areas), replaced(imported.Bytes, from, to));
}

void TestSaveIntoPage::renamedMapTakesEveryUsemapAlong()
{
    const QByteArray page = "<html><body>\n"
                            "<img src=a.png usemap=\"#Plan\"><image src=b.png usemap='&#35;plan'>\n"
                            "<input type=image src=c.png usemap=#PLAN><object data=d.svg usemap=\"#Pl&#97;n\"></object>\n"
                            "<img src=e.png usemap=\"#Planet\"><img src=f.png usemap=\"#Other\">\n"
                            "<map name=\"Plan\"><area shape=rect coords=0,0,1,1 href=x></map>\n"
                            "<map name=\"Other\"><area shape=rect coords=0,0,1,1 href=y></map>\n"
                            "</body></html>\n";
    QTemporaryDir folder;
    QFile file(folder.filePath("page.htm"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(page);
    file.close();
    HtmlDocument document;
    QVERIFY(document.LoadFromFile(file.fileName(), nullptr));
    const ImportedMap map = ImportImageMap(document, FindImageMaps(document).value(0), file.fileName());
    const PageMapOrigin origin = PageMapOrigin::Of(file.fileName(), map);
    PageRewrite out;
    QString error;
    QVERIFY(RewritePageMap(page, origin, QString::fromUtf8("Gr\xc3\xbcn"), map.Areas, &out, &error));
    QByteArray expected = page;
    expected.replace("usemap=\"#Plan\"", "usemap=\"#Gr\xc3\xbcn\"");
    expected.replace("usemap='&#35;plan'", "usemap='#Gr\xc3\xbcn'");
    expected.replace("usemap=#PLAN", "usemap=#Gr\xc3\xbcn");
    expected.replace("usemap=\"#Pl&#97;n\"", "usemap=\"#Gr\xc3\xbcn\"");
    expected.replace("<map name=\"Plan\">", "<map name=\"Gr\xc3\xbcn\">");
    QCOMPARE(out.Bytes, expected);
    // Another map's name would move that map's images to this one.
    QVERIFY(!RewritePageMap(page, origin, "other", map.Areas, &out, &error));
    QCOMPARE(error, "The image map cannot be named \"other\": \"" + file.fileName() +
                        "\" has another image map of that name.");
}

void TestSaveIntoPage::newPictureGoesIntoItsImages()
{
    const ImportedPage imported("handwritten.htm");
    QCOMPARE(imported.SaveInto(imported.Bytes, imported.Map.Areas, QString(), "pics/new & old.png"),
             replaced(imported.Bytes, "<img src=\"garden.png\"", "<img src=\"pics/new & old.png\""));
    const ImportedPage withoutImage("single-quoted.htm");
    QCOMPARE(withoutImage.SaveInto(withoutImage.Bytes, withoutImage.Map.Areas, QString(), "new.png"),
             QByteArray("No image in \"/site/single-quoted.htm\" uses the image map \"frag\": the name of its new "
                        "picture cannot be written into the page."));
}

void TestSaveIntoPage::namelessMapGetsItsName()
{
    const QByteArray page = "<p>Nav</p>\n<MAP><AREA shape=rect coords=0,0,1,1 href=x></MAP>\n";
    HtmlDocument document;
    QVERIFY(document.Write(QString::fromLatin1(page)));
    const ImportedMap map = ImportMapWithoutImage(document, 0);
    PageRewrite out;
    QString error;
    QVERIFY(RewritePageMap(page, PageMapOrigin::Of("/site/nav.htm", map), "Nav", map.Areas, &out, &error));
    QCOMPARE(out.Bytes, QByteArray("<p>Nav</p>\n<MAP NAME=\"Nav\"><AREA shape=rect coords=0,0,1,1 href=x></MAP>\n"));
}

void TestSaveIntoPage::bareValuesNeverTakeTheSlash()
{
    // Bare values and "/>": a value written bare right before the slash would end in it.
    const ImportedPage imported("bare-xhtml.htm");
    QVector<MapArea> areas = imported.Map.Areas;
    areas[0].HRef = QStringLiteral("new.htm");
    MapArea drawn = MapArea::rectangle(5, 5, 10, 10);
    drawn.AltText = QStringLiteral("B");
    areas.append(drawn);
    QCOMPARE(imported.Save(areas), replaced(imported.Bytes, "<area shape=rect coords=0,0,10,10 alt=\"A\"/>\n",
                                            "<area shape=rect coords=0,0,10,10 alt=\"A\" href=\"new.htm\"/>\n"
                                            "<area shape=rect coords=5,5,15,15 alt=B />\n"));
}

void TestSaveIntoPage::mapInsideAMapIsNotGuessed()
{
    // A browser gives the outer map the inner one's areas too; its text cannot say which is which.
    const QByteArray page = "<img src=p.png usemap=#a><map name=a><area shape=rect coords=0,0,1,1 href=x>"
                            "<map name=b><area shape=rect coords=1,1,2,2 href=y></map>"
                            "<area shape=rect coords=2,2,3,3 href=z></map>";
    QTemporaryDir folder;
    QFile file(folder.filePath("nested.htm"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(page);
    file.close();
    HtmlDocument document;
    QVERIFY(document.LoadFromFile(file.fileName(), nullptr));
    const ImportedMap map = ImportImageMap(document, FindImageMaps(document).value(0), file.fileName());
    QCOMPARE(map.Areas.size(), 3);
    PageRewrite out;
    QString error;
    QVERIFY(!RewritePageMap(page, PageMapOrigin::Of(file.fileName(), map), "a", map.Areas, &out, &error));
    QCOMPARE(error, "The areas of the image map \"a\" in \"" + file.fileName() +
                        "\" cannot be told apart in its text: the edited map cannot be written into it.");
}

void TestSaveIntoPage::emptiedLinkLeavesNoHref()
{
    // href="" would make the area a link to the page itself.
    const ImportedPage imported("handwritten.htm");
    QVector<MapArea> areas = asEdited(imported.Map.Areas);
    areas[0].HRef.clear();
    QCOMPARE(imported.Save(areas), replaced(imported.Bytes, " href=\"roses.html\"", ""));
}

QTEST_APPLESS_MAIN(TestSaveIntoPage)
#include "tst_saveintopage.moc"
