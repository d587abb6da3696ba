#include "ImageMapWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

MapArea areaFromJson(const QJsonObject& o)
{
    MapArea a;
    const QString shape = o.value("shape").toString();
    if (shape == "poly") {
        QVector<QPoint> vertices;
        for (const QJsonValue& v : o.value("vertices").toArray())
            vertices.append(QPoint(v.toArray().at(0).toInt(), v.toArray().at(1).toInt()));
        a = MapArea::polygon(vertices);
    } else {
        const QJsonArray b = o.value("bounds").toArray();
        a = shape == "circle"
                ? MapArea::circle(b.at(0).toInt(), b.at(1).toInt(), b.at(2).toInt(), b.at(3).toInt())
                : MapArea::rectangle(b.at(0).toInt(), b.at(1).toInt(), b.at(2).toInt(), b.at(3).toInt());
    }
    a.HRef = o.value("href").toString();
    a.AltText = o.value("alt").toString();
    a.Target = o.value("target").toString();
    return a;
}

MapArea named(MapArea a, const QString& href)
{
    a.HRef = href;
    return a;
}

} // namespace

class TestImageMapWriter : public QObject
{
    Q_OBJECT

private slots:
    void goldenDocuments_data();
    void goldenDocuments();
    void areaLines_data();
    void areaLines();
    void emptyMapHasNoAreaLines();
    void writesAreasInGivenOrder();
    void everyLineEndsInLineFeed();
    void quotationMarkNoLongerEndsAttribute();
    void escapeLeavesEntitiesAlone_data();
    void escapeLeavesEntitiesAlone();
    void crLfForm_data();
    void crLfForm();
    void extremeBoundsDoNotOverflow();
    void quotationMarkInMapNameEscaped();
    void textsOutsideAsciiAsReferences_data();
    void textsOutsideAsciiAsReferences();
};

void TestImageMapWriter::goldenDocuments_data()
{
    QTest::addColumn<QString>("folder");
    const QDir cases(QStringLiteral(ZQ_TEST_SOURCE_DIR "/cases"));
    int rows = 0;
    for (const QString& name : cases.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!QFile::exists(cases.filePath(name + "/input.json")))
            continue;
        QTest::newRow(qPrintable(name)) << cases.filePath(name);
        ++rows;
    }
    QVERIFY2(rows >= 4, "the golden writer cases are missing");
}

void TestImageMapWriter::goldenDocuments()
{
    QFETCH(QString, folder);
    QJsonParseError error;
    const QJsonDocument input = QJsonDocument::fromJson(readText(folder + "/input.json").toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QVector<MapArea> areas;
    for (const QJsonValue& v : input.object().value("areas").toArray())
        areas.append(areaFromJson(v.toObject()));
    const QString expected = readText(folder + "/expected.htm");
    QVERIFY(!expected.isEmpty());

    const QString text = BuildImageMapHTML(input.object().value("image").toString(),
                                           input.object().value("map").toString(), areas);
    QCOMPARE(text.split('\n'), expected.split('\n')); // line by line first, for a readable failure
    QCOMPARE(text, expected);
    QCOMPARE(text.count('\n'), 27 + areas.size());
}

void TestImageMapWriter::areaLines_data()
{
    QTest::addColumn<MapArea>("area");
    QTest::addColumn<QString>("line");
    const QString head = "<AREA shape=%1 href=\"h\" alt=\"a\" target=\"t\" coords=%2>";
    auto texts = [](MapArea a) {
        a.HRef = "h";
        a.AltText = "a";
        a.Target = "t";
        return a;
    };
    QTest::newRow("rect 10,20,30,40")
        << texts(MapArea::rectangle(10, 20, 30, 40)) << head.arg("RECT", "10,20,40,60");
    QTest::newRow("circle 5,5,15,15")
        << texts(MapArea::circle(5, 5, 15, 15)) << head.arg("CIRCLE", "12,12,7");
    QTest::newRow("circle radius from width")
        << texts(MapArea::circle(0, 0, 20, 10)) << head.arg("CIRCLE", "10,5,10");
    QTest::newRow("circle negative width truncates toward zero")
        << texts(MapArea::circle(0, 0, -3, -5)) << head.arg("CIRCLE", "-1,-2,-1");
    QTest::newRow("poly three") << texts(MapArea::polygon({{1, 2}, {3, 4}, {5, 6}}))
                                << head.arg("POLY", "1,2,3,4,5,6");
    QTest::newRow("poly one") << texts(MapArea::polygon({{7, -8}})) << head.arg("POLY", "7,-8");
    QTest::newRow("poly none") << texts(MapArea::polygon({})) << head.arg("POLY", "");
    QTest::newRow("dragged off top left")
        << texts(MapArea::rectangle(-12, -3, 10, 10)) << head.arg("RECT", "-12,-3,-2,7");
}

void TestImageMapWriter::areaLines()
{
    QFETCH(MapArea, area);
    QFETCH(QString, line);
    QCOMPARE(BuildAreaLine(area), line);
}

void TestImageMapWriter::emptyMapHasNoAreaLines()
{
    const QStringList lines = BuildImageMapHTML(QString(), "ImageMap", {}).split('\n');
    QCOMPARE(lines.size(), 28); // 27 lines and the empty rest after the last LF
    QCOMPARE(lines[15], QString("<IMG src=\"\" useMap=\"#ImageMap\" border=0>"));
    QCOMPARE(lines[16], QString("<MAP name=\"ImageMap\">"));
    QCOMPARE(lines[17], QString("</MAP>"));
    QCOMPARE(lines[27], QString());
}

void TestImageMapWriter::writesAreasInGivenOrder()
{
    // The caller gathers front-most first: C, B, A for A, B, C created in that order.
    const MapArea a = named(MapArea::rectangle(0, 0, 5, 5), "A");
    const MapArea b = named(MapArea::circle(0, 0, 5, 5), "B");
    const MapArea c = named(MapArea::polygon({{0, 0}}), "C");
    const QStringList lines = BuildImageMapHTML("x.png", "M", {c, b, a}).split('\n');
    QVERIFY(lines[17].startsWith("<AREA shape=POLY href=\"C\""));
    QVERIFY(lines[18].startsWith("<AREA shape=CIRCLE href=\"B\""));
    QVERIFY(lines[19].startsWith("<AREA shape=RECT href=\"A\""));
    QCOMPARE(lines[20], QString("</MAP>"));
}

void TestImageMapWriter::everyLineEndsInLineFeed()
{
    const QString text = BuildImageMapHTML("a.png", "M", {MapArea::rectangle(1, 2, 3, 4)});
    QVERIFY(text.endsWith("</HTML>\n"));
    QVERIFY(!text.contains('\r'));
    QVERIFY(text.startsWith("<!-- Created with Corvanta Zonequilter       -->\n"));
}

void TestImageMapWriter::quotationMarkNoLongerEndsAttribute()
{
    MapArea area = MapArea::rectangle(0, 0, 1, 1);
    area.HRef = "a\"b";
    area.AltText = "\"";
    area.Target = "x\"\"y";
    QCOMPARE(
        BuildAreaLine(area),
        QString(
            "<AREA shape=RECT href=\"a&quot;b\" alt=\"&quot;\" target=\"x&quot;&quot;y\" coords=0,0,1,1>"));
}

void TestImageMapWriter::escapeLeavesEntitiesAlone_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("plain") << "index.html"
                           << "index.html";
    QTest::newRow("entity kept") << "&copy; 2024"
                                 << "&copy; 2024";
    QTest::newRow("angle brackets and ampersand kept") << "<a&b>"
                                                       << "<a&b>";
    QTest::newRow("apostrophe kept") << "it's"
                                     << "it's";
    QTest::newRow("quote") << "say \"x\""
                           << "say &quot;x&quot;";
    QTest::newRow("quote entity typed by the user kept") << "&quot;"
                                                         << "&quot;";
}

void TestImageMapWriter::escapeLeavesEntitiesAlone()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(EscapeAttributeQuotes(text), escaped);
}

void TestImageMapWriter::crLfForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("crlf");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("lines") << "a\nb\n"
                           << "a\r\nb\r\n";
    QTest::newRow("empty lines") << "\n\na\n"
                                 << "\r\n\r\na\r\n";
    QTest::newRow("last line without LF") << "a\nb"
                                          << "a\r\nb\r\n";
    QTest::newRow("CR LF kept single") << "a\r\nb\n"
                                       << "a\r\nb\r\n";
    QTest::newRow("lone CR splits") << "a\rb\n"
                                    << "a\r\nb\r\n";
}

void TestImageMapWriter::crLfForm()
{
    QFETCH(QString, text);
    QFETCH(QString, crlf);
    QCOMPARE(ToCrLfLines(text), crlf);
}

void TestImageMapWriter::extremeBoundsDoNotOverflow()
{
    const int max = std::numeric_limits<int>::max();
    QCOMPARE(
        BuildAreaLine(MapArea::rectangle(max, max, max, 1)),
        QString("<AREA shape=RECT alt=\"\" target=\"\" coords=2147483647,2147483647,4294967294,"
                "2147483648>"));
    QCOMPARE(BuildAreaLine(MapArea::circle(max, 0, max, 0)),
             QString("<AREA shape=CIRCLE alt=\"\" target=\"\" coords=3221225470,0,1073741823>"));
}

void TestImageMapWriter::quotationMarkInMapNameEscaped()
{
    // An imported map may be named with a quotation mark (name="a&quot;b").
    const QStringList lines = BuildImageMapHTML("p&q.png", "a\"b", {}).split('\n');
    QCOMPARE(lines[15], QString("<IMG src=\"p&q.png\" useMap=\"#a&quot;b\" border=0>"));
    QCOMPARE(lines[16], QString("<MAP name=\"a&quot;b\">"));
}

void TestImageMapWriter::textsOutsideAsciiAsReferences_data()
{
    // The generated page declares no encoding: only ASCII reads the same in every one.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::newRow("Latin-1") << QString::fromUtf8("Caf\xc3\xa9") << "Caf&#233;";
    QTest::newRow("beyond Latin-1") << QString::fromUtf8("\xe2\x82\xac 5") << "&#8364; 5";
    QTest::newRow("outside the BMP") << QString::fromUtf8("\xf0\x9f\x8c\xb3!") << "&#127795;!";
    QTest::newRow("with a quotation mark") << QString::fromUtf8("\"\xc3\xa9\"") << "&quot;&#233;&quot;";
}

void TestImageMapWriter::textsOutsideAsciiAsReferences()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    MapArea area = MapArea::rectangle(0, 0, 1, 1);
    area.HRef = text;
    area.AltText = text;
    area.Target = text;
    area.Attributes = {{"title", text}};
    QCOMPARE(BuildAreaLine(area), QString("<AREA shape=RECT href=\"%1\" alt=\"%1\" target=\"%1\" title=\"%1\" "
                                          "coords=0,0,1,1>")
                                      .arg(written));
    const QStringList lines = BuildImageMapHTML(text + ".png", text, {}).split('\n');
    QCOMPARE(lines[15], QString("<IMG src=\"%1.png\" useMap=\"#%1\" border=0>").arg(written));
    QCOMPARE(lines[16], QString("<MAP name=\"%1\">").arg(written));
}

QTEST_APPLESS_MAIN(TestImageMapWriter)
#include "tst_imagemapwriter.moc"
