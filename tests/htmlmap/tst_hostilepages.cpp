// Pages from strangers: texts that must survive import and write-back as a
// browser reads them, charset declarations that must not be taken from the
// wrong place, nested maps, deeply nested pages, and inputs that once broke
// the HTML parser.
#include "HtmlDecoding.h"
#include "HtmlDocument.h"
#include "HtmlTexts.h"
#include "ImageMapWriter.h"
#include "MapDiscovery.h"
#include "MapImport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

namespace {

// The import of the first image map of the page's bytes.
ImportedMap importBytes(const QByteArray& bytes)
{
    HtmlDocument document;
    document.Write(DecodeHTMLBytes(bytes));
    return ImportImageMap(document, FindImageMaps(document).value(0), QStringLiteral("/site/page.htm"));
}

// What a browser reads from the saved form of an import.
QByteArray savedBytes(const ImportedMap& imported)
{
    return ToCrLfLines(BuildImageMapHTML(imported.ImagePath, imported.MapName, imported.Areas)).toUtf8();
}

QString browserText(const QString& markup)
{
    HtmlDocument document;
    document.Write("<map><area alt=\"" + markup + "\"></map>");
    return document.Maps().value(0).Areas.first().GetAttributeText(QStringLiteral("alt"));
}

} // namespace

class TestHostilePages : public QObject
{
    Q_OBJECT

private slots:
    void importedTextKeepsItsMeaning_data();
    void importedTextKeepsItsMeaning();
    void typedTextIsWrittenUnchanged();
    void charsetOnlyFromMetaElements_data();
    void charsetOnlyFromMetaElements();
    void declarationInATextDoesNotChangeTheSavedPage_data();
    void declarationInATextDoesNotChangeTheSavedPage();
    void inputsThatBrokeTheOldParser_data();
    void inputsThatBrokeTheOldParser();
    void nestedMapsShareTheirAreas();
    void tagWithManyAttributes();
    void deeplyNestedFormatting();
    void deepPageKeepsItsMaps_data();
    void deepPageKeepsItsMaps();
    void pageBeyondReasonStopsWithAMessage();
    void cancelStopsTheParse_data();
    void cancelStopsTheParse();
};

void TestHostilePages::importedTextKeepsItsMeaning_data()
{
    QTest::addColumn<QString>("markup");   // the attribute value as written in the page
    QTest::addColumn<QString>("imported"); // the text the editor holds after the import
    QTest::newRow("escaped entity in a query") << "page.php?id=7&amp;copy" << "page.php?id=7&amp;copy";
    QTest::newRow("escaped and real reference") << "Type &amp;lt; for &lt;" << "Type &amp;lt; for <";
    QTest::newRow("escaped decimal reference") << "&amp;#65;" << "&amp;#65;";
    QTest::newRow("escaped hex reference") << "&amp;#x41" << "&amp;#x41";
    QTest::newRow("escaped entity at the end") << "a&amp;not" << "a&amp;not";
    QTest::newRow("escaped name with semicolon before a letter") << "&amp;notin;x" << "&amp;notin;x";
    QTest::newRow("lone ampersand") << "A &amp; co" << "A & co";
    QTest::newRow("query parameters") << "x.html?a=1&amp;b=2" << "x.html?a=1&b=2";
    QTest::newRow("legacy name before equals") << "?a=1&amp;copy=2" << "?a=1&copy=2";
    QTest::newRow("legacy name before a letter") << "&amp;notit" << "&notit";
    QTest::newRow("number sign without digits") << "&amp;#;&amp;#x;" << "&#;&#x;";
    QTest::newRow("unknown name") << "&amp;nosuch;" << "&nosuch;";
    QTest::newRow("carriage return reference") << "a&#13;b&#xD;c&#xd" << "a&#13;b&#13;c&#13;";
    QTest::newRow("line feed reference") << "a&#10;b" << "a\nb";
    QTest::newRow("quotation marks") << "&quot;&amp;quot;&quot;" << "\"&amp;quot;\"";
}

void TestHostilePages::importedTextKeepsItsMeaning()
{
    QFETCH(QString, markup);
    QFETCH(QString, imported);
    const QString link = "<area shape=rect coords=1,2,3,4 href=\"" + markup + "\" alt=\"" + markup +
                         "\" target=\"" + markup + "\">";
    const ImportedMap first =
        importBytes(("<img src=p.png usemap=#m><map name=\"" + markup + "\">" + link + "</map>").toUtf8());
    QVERIFY2(first.Ok, qPrintable(first.ErrorMessage));
    QCOMPARE(first.Areas.size(), 1);
    QCOMPARE(first.Areas[0].HRef, imported);
    QCOMPARE(first.Areas[0].AltText, imported);
    QCOMPARE(first.Areas[0].Target, imported);
    QCOMPARE(first.MapName, imported);

    // Written and read back, a browser gets the texts of the original page.
    HtmlDocument saved;
    saved.Write(DecodeHTMLBytes(savedBytes(first)));
    const QString read = browserText(markup);
    QCOMPARE(saved.Maps().value(0).Name(), read);
    const HtmlElement& area = saved.Maps().value(0).Areas.first();
    QCOMPARE(area.GetAttributeText("href"), read);
    QCOMPARE(area.GetAttributeText("alt"), read);
    QCOMPARE(area.GetAttributeText("target"), read);
    // and importing the saved page gives the same texts again
    const ImportedMap second = importBytes(savedBytes(first));
    QVERIFY(second.Ok);
    QVERIFY(second.Areas == first.Areas);
    QCOMPARE(second.MapName, first.MapName);
}

void TestHostilePages::typedTextIsWrittenUnchanged()
{
    MapArea typed = MapArea::rectangle(0, 0, 5, 5);
    typed.HRef = QStringLiteral("a.html?x=1&copy;");
    typed.AltText = QStringLiteral("&copy; 2024 &amp; more");
    const QString line = BuildAreaLine(typed);
    QVERIFY2(line.contains("href=\"a.html?x=1&copy;\" alt=\"&copy; 2024 &amp; more\""), qPrintable(line));
    QCOMPARE(browserText(typed.AltText), QString(QChar(0xA9)) + " 2024 & more");
}

void TestHostilePages::charsetOnlyFromMetaElements_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("charset");
    QTest::newRow("meta in an attribute value")
        << QByteArray("<img alt=\"<meta charset=koi8-r>\"><meta charset=utf-8>") << QByteArray("utf-8");
    QTest::newRow("meta only in an attribute value")
        << QByteArray("<area alt='x <meta charset=ibm037>'>") << QByteArray();
    QTest::newRow("commented-out meta") << QByteArray("<!-- <meta charset=koi8-r> -->") << QByteArray();
    QTest::newRow("comment closed at once") << QByteArray("<!--><meta charset=koi8-r>") << QByteArray("koi8-r");
    QTest::newRow("meta after a comment")
        << QByteArray("<!-- x --><meta charset=windows-1251>") << QByteArray("windows-1251");
    QTest::newRow("link charset after a meta")
        << QByteArray("<meta name=author content=me><link rel=stylesheet charset=koi8-r>") << QByteArray();
    QTest::newRow("content without http-equiv")
        << QByteArray("<meta content='text/html; charset=koi8-r'>") << QByteArray();
    QTest::newRow("charset word in text") << QByteArray("<p>charset=koi8-r <meta name=x>") << QByteArray();
    QTest::newRow("metadata is no meta") << QByteArray("<metadata charset=koi8-r>") << QByteArray();
    QTest::newRow("first of two metas")
        << QByteArray("<meta charset=koi8-r><meta charset=utf-8>") << QByteArray("koi8-r");
    QTest::newRow("quoted content charset")
        << QByteArray("<meta http-equiv=\"content-type\" content='text/html;charset=\"KOI8-R\"'>")
        << QByteArray("koi8-r");
    QTest::newRow("tag cut off at 1024 bytes")
        << QByteArray(1015, ' ') + "<meta charset=koi8-r>" << QByteArray();
}

void TestHostilePages::charsetOnlyFromMetaElements()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, charset);
    QCOMPARE(DeclaredHTMLCharset(bytes), charset);
}

void TestHostilePages::declarationInATextDoesNotChangeTheSavedPage_data()
{
    QTest::addColumn<QString>("alt");
    QTest::newRow("koi8-r") << "<meta charset=koi8-r>";
    QTest::newRow("ibm037") << "<meta charset=ibm037>";
    QTest::newRow("http-equiv") << "<meta http-equiv=content-type content='text/html; charset=ibm037'>";
}

void TestHostilePages::declarationInATextDoesNotChangeTheSavedPage()
{
    QFETCH(QString, alt);
    MapArea area = MapArea::rectangle(1, 2, 3, 4);
    area.AltText = alt + QChar(0xE9) + QChar(0x416);
    area.HRef = QStringLiteral("caf") + QChar(0xE9) + ".html";
    const QVector<MapArea> areas{area, MapArea::circle(10, 10, 20, 20)};
    const QByteArray saved = ToCrLfLines(BuildImageMapHTML("p.png", "M", areas)).toUtf8();
    const ImportedMap imported = importBytes(saved);
    QVERIFY2(imported.Ok, qPrintable(imported.ErrorMessage));
    QCOMPARE(imported.MapName, QString("M"));
    QVERIFY(imported.Areas == areas);
}

void TestHostilePages::inputsThatBrokeTheOldParser_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("alt"); // what a browser reads as the area's alt text
    const QByteArray map = "<img src=p.png usemap=#m><map name=m><area shape=rect coords=1,2,3,4 alt=";
    QTest::newRow("huge numeric reference") << map + "\"&#x100000041;&#99999999999;\"></map>"
                                            << QString(QChar(0xFFFD)) + QChar(0xFFFD);
    QTest::newRow("doctype inside noscript")
        << "<noscript><!DOCTYPE html>" + map + "x></map></noscript>" << QString("x");
    QTest::newRow("null reference before a carriage return")
        << map + "y></map><i o=&#0\r" << QString("y");
    QTest::newRow("null reference") << map + "&#0></map>" << QString(QChar(0xFFFD));
}

void TestHostilePages::inputsThatBrokeTheOldParser()
{
    QFETCH(QByteArray, page);
    QFETCH(QString, alt);
    const ImportedMap imported = importBytes(page);
    QVERIFY2(imported.Ok, qPrintable(imported.ErrorMessage));
    QCOMPARE(imported.Areas.size(), 1);
    QCOMPARE(imported.Areas[0].AltText, alt);
}

void TestHostilePages::nestedMapsShareTheirAreas()
{
    // Maps nested in each other, the areas in the innermost: each enclosing map has all of
    // them, held once. As in a browser, maps nested past a few hundred deep are siblings that
    // enclose no areas.
    const int maps = 5000, areas = 5000;
    QString page = "<img src=p usemap=#m0>";
    for (int i = 0; i < maps; ++i)
        page += QString("<map name=m%1>").arg(i);
    page += QString("<area shape=circle coords=5,5,5>").repeated(areas);
    HtmlDocument document;
    QVERIFY(document.Write(page));
    QCOMPARE(document.Maps().size(), maps);
    const HtmlElement* first = &document.Maps().first().Areas.first();
    int mapsWithAreas = 0;
    for (const HtmlDocument::MapElement& map : document.Maps()) {
        if (map.Areas.isEmpty())
            continue;
        ++mapsWithAreas;
        QCOMPARE(map.Areas.size(), areas);
        QCOMPARE(&map.Areas.first(), first);
    }
    QVERIFY(mapsWithAreas >= 500);
    const ImportedMap imported = ImportImageMap(document, FindImageMaps(document).value(0), "/p.htm");
    QVERIFY(imported.Ok);
    QCOMPARE(imported.Areas.size(), areas);
}

void TestHostilePages::tagWithManyAttributes()
{
    const int count = 100000;
    QString page = "<img src=p usemap=#m";
    for (int i = 0; i < count; ++i)
        page += QString(" a%1=%1").arg(i);
    page += " src=second a7=again><map name=m><area shape=rect coords=1,2,3,4></map>";
    HtmlDocument document;
    QVERIFY(document.Write(page));
    QCOMPARE(document.Images().size(), 1);
    const HtmlElement& image = document.Images().first();
    // Every name once, the first of equal names kept.
    QCOMPARE(image.Attributes.size(), count + 2);
    QCOMPARE(image.GetAttributeText("src"), QString("p"));
    QCOMPARE(image.GetAttributeText("a7"), QString("7"));
    QCOMPARE(image.Attributes.last(), qMakePair(QString("a%1").arg(count - 1), QString::number(count - 1)));
    QCOMPARE(FindImageMaps(document).size(), 1);
}

void TestHostilePages::deeplyNestedFormatting()
{
    HtmlDocument document;
    QVERIFY(document.Write(QString("<b>").repeated(100000) +
                           "<img src=p usemap=#m><map name=m><area shape=rect coords=1,2,3,4></map>"));
    QCOMPARE(FindImageMaps(document).size(), 1);
    QCOMPARE(document.Maps().first().Areas.size(), 1);
}

void TestHostilePages::deepPageKeepsItsMaps_data()
{
    QTest::addColumn<QString>("open");  // the start tag nested
    QTest::addColumn<QString>("close"); // its end tag, written after the first map
    QTest::addColumn<int>("depth");
    QTest::newRow("10 divs") << "<div>" << "</div>" << 10;
    QTest::newRow("600 divs, past the depth browsers keep") << "<div>" << "</div>" << 600;
    QTest::newRow("1,000,000 divs never closed") << "<div>" << "" << 1000000;
    QTest::newRow("100,000 spans") << "<span>" << "</span>" << 100000;
    QTest::newRow("5,000 different formatting elements") << "<b id=%1>" << "</b>" << 5000;
    QTest::newRow("100,000 list items") << "<ul><li>" << "</li></ul>" << 100000;
    QTest::newRow("divs inside 100 table cells") << "<table><tr><td><div>" << "</div></td></tr></table>" << 100;
}

void TestHostilePages::deepPageKeepsItsMaps()
{
    QFETCH(QString, open);
    QFETCH(QString, close);
    QFETCH(int, depth);
    QString page = "<img src=p usemap=#m>";
    page.reserve(depth * (open.size() + close.size() + 2) + 200);
    for (int i = 0; i < depth; ++i)
        page += open.contains("%1") ? open.arg(i) : open;
    page += "<map name=m><area shape=rect coords=1,2,3,4><area shape=circle coords=5,5,5></map>";
    for (int i = 0; i < depth; ++i)
        page += close;
    page += "<img src=q usemap=#after><map name=after><area shape=rect coords=0,0,9,9></map>";
    HtmlDocument document;
    QString error;
    QVERIFY2(document.Write(page, &error), qPrintable(error));
    const QVector<ImageMapEntry> entries = FindImageMaps(document);
    QCOMPARE(entries.size(), 2);
    const ImportedMap deep = ImportImageMap(document, entries[0], "/p.htm");
    QVERIFY2(deep.Ok, qPrintable(deep.ErrorMessage));
    QCOMPARE(deep.MapName, QString("m"));
    QCOMPARE(deep.Areas.size(), 2);
    const ImportedMap after = ImportImageMap(document, entries[1], "/p.htm");
    QCOMPARE(after.MapName, QString("after"));
    QCOMPARE(after.Areas.size(), 1);
}

void TestHostilePages::pageBeyondReasonStopsWithAMessage()
{
    // Table cells nested in each other far beyond any real page: the parser cannot close them
    // early as it closes other elements nested too deeply.
    const QString page = QString("<table><tr><td>").repeated(2000) + "<img src=p usemap=#m><map name=m></map>";
    HtmlDocument document;
    document.Write("<img src=p usemap=#m><map name=m></map>");
    QString error;
    QVERIFY(!document.Write(page, &error));
    QCOMPARE(error, QString("The HTML file nests too many elements inside each other to be read"));
    QVERIFY(document.Images().isEmpty());
    QVERIFY(document.Maps().isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath("page.htm");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(page.toUtf8());
    file.close();
    QVERIFY(!document.LoadFromFile(path, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    // A hundred of them is an ordinary page.
    QVERIFY(document.Write(QString("<table><tr><td>").repeated(100) + "<img src=p>"));
    QCOMPARE(document.Images().size(), 1);
}

void TestHostilePages::cancelStopsTheParse_data()
{
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<int>("cancelAt"); // the progress report at which the user cancels
    // A file is reported once while it is read (five pieces), then while it is parsed.
    QTest::newRow("text, first piece") << false << 1;
    QTest::newRow("text, third piece") << false << 3;
    QTest::newRow("file, while reading") << true << 2;
    QTest::newRow("file, while parsing") << true << 7;
}

void TestHostilePages::cancelStopsTheParse()
{
    QFETCH(bool, fromFile);
    QFETCH(int, cancelAt);
    // The page that kept a core busy long after Cancel: a million elements nested, 5 MB.
    const QByteArray page = QByteArray("<div>").repeated(1000000) + "<img src=p usemap=#m><map name=m></map>";
    std::atomic<bool> cancel{false};
    int reports = 0, reportsAfterCancel = 0;
    qint64 doneAtCancel = 0, total = 0;
    HtmlReadProgress progress;
    progress.Cancel = &cancel;
    progress.Report = [&](qint64 done, qint64 all) {
        if (cancel)
            ++reportsAfterCancel;
        else if (++reports == cancelAt) {
            cancel = true;
            doneAtCancel = done;
            total = all;
        }
    };
    HtmlDocument document;
    QString error = "unset";
    bool ok = false;
    QTemporaryDir dir;
    if (fromFile) {
        QFile file(dir.filePath("deep.htm"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(page) == page.size());
        file.close();
        ok = document.LoadFromFile(file.fileName(), &error, &progress);
    } else {
        ok = document.WriteUtf8(page, &error, &progress);
    }
    QVERIFY(cancel);
    QVERIFY(doneAtCancel < total);
    // Nothing more was read or parsed once the user had cancelled.
    QCOMPARE(reportsAfterCancel, 0);
    QVERIFY(!ok);
    QCOMPARE(error, QString());
    QVERIFY(document.Images().isEmpty());
}

QTEST_APPLESS_MAIN(TestHostilePages)
#include "tst_hostilepages.moc"
