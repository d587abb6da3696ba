#include "HtmlDocument.h"
#include "MapImport.h"
#include "PageScan.h"
#include "SaveIntoPage.h"

#include <QFile>
#include <QStringDecoder>
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

    explicit ImportedPage(const QString& name) : Bytes(readPage(name))
    {
        const QString fileName = QStringLiteral("/site/") + name;
        HtmlDocument document;
        QFile file(QStringLiteral(ZQ_TEST_SOURCE_DIR "/pages/") + name);
        QString error;
        if (!document.LoadFromFile(file.fileName(), &error))
            qFatal("%s", qPrintable(error));
        const QVector<ImageMapEntry> entries = FindImageMaps(document);
        Map = entries.isEmpty() ? ImportMapWithoutImage(document, MapsWithoutImage(document).value(0))
                                : ImportImageMap(document, entries.first(), fileName);
        Origin = {fileName, Map.MapPosition, Map.MapName, Map.SourceAreaCount, Map.Areas};
    }

    QByteArray Save(const QVector<MapArea>& areas, const QString& mapName = QString()) const
    {
        PageRewrite out;
        QString error;
        if (!RewritePageMap(Bytes, Origin, mapName.isNull() ? Map.MapName : mapName, areas, &out, &error))
            qWarning("%s", qPrintable(error));
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
    void changedPageIsRefused();
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
    QTest::newRow("lower, rounded synonym") << "lower-xhtml.htm" << 2 << 2
                                            << QByteArray("<area shape=\"circle\" coords=\"152,26,15\" href=\"new.htm\" "
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
    QVERIFY(saved.contains("<area shape=\"rect\" coords=\"1,50,61,90\" alt=\"Wall\" nohref />"));
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

void TestSaveIntoPage::changedPageIsRefused()
{
    const ImportedPage imported("single-quoted.htm");
    QByteArray changed = imported.Bytes;
    changed.replace("</map>", "<area shape='rect' coords='1,2,3,4'></map>");
    PageRewrite out;
    QString error;
    QVERIFY(!RewritePageMap(changed, imported.Origin, imported.Map.MapName, imported.Map.Areas, &out, &error));
    QCOMPARE(error, QStringLiteral("The image map \"frag\" is no longer in \"/site/single-quoted.htm\" as it was "
                                   "imported"));
}

QTEST_APPLESS_MAIN(TestSaveIntoPage)
#include "tst_saveintopage.moc"
