// Pages from strangers: texts that must survive import and write-back as a
// browser reads them, charset declarations that must not be taken from the
// wrong place, nested maps, and inputs that once broke the HTML parser.
#include "HtmlDecoding.h"
#include "HtmlDocument.h"
#include "HtmlTexts.h"
#include "ImageMapWriter.h"
#include "MapDiscovery.h"
#include "MapImport.h"

#include <QTest>

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

QTEST_APPLESS_MAIN(TestHostilePages)
#include "tst_hostilepages.moc"
