#include "HtmlDocument.h"
#include "MapDiscovery.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QVector<ImageMapEntry> discover(const QString& html)
{
    HtmlDocument document;
    document.Write(html);
    return FindImageMaps(document);
}

// Every element the document holds, with its attributes, one per line.
QStringList contents(const HtmlDocument& document)
{
    QStringList lines;
    const auto add = [&lines](const char* kind, const HtmlElement& element) {
        QString line = QString::fromLatin1(kind);
        for (const auto& attribute : element.AttributesInOrder())
            line += QStringLiteral(" %1=[%2]").arg(attribute.first, attribute.second);
        lines.append(line);
    };
    for (const HtmlElement& image : document.Images())
        add("img", image);
    for (const HtmlDocument::MapElement& map : document.Maps()) {
        add("map", map.Element);
        for (const HtmlElement& area : map.Areas)
            add(" area", area);
    }
    return lines;
}

QString writeFile(QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath("page.htm");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

} // namespace

class TestMapDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void documentCollections();
    void attributesAsDecoded();
    void absentAttributeIsEmpty();
    void writeReplacesContent();
    void deeplyNestedDocument();
    void loadFromFile();
    void loadInPieces_data();
    void loadInPieces();
    void loadReportsAndCancels();
    void loadMissingFileNamesFileAndReason();
    void loadDirectoryFails();
};

void TestMapDiscovery::entries_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QVector<ImageMapEntry>>("expected");
    using E = QVector<ImageMapEntry>;
    QTest::newRow("usemap case-insensitive")
        << "<img src=a.gif usemap=#Map1><map name=map1></map>" << E{{"a.gif", "#Map1", 0}};
    QTest::newRow("hash required") << "<img src=a.gif usemap=Map1><map name=Map1></map>" << E{};
    QTest::newRow("no usemap") << "<img src=a.gif><map name=Map1></map>" << E{};
    QTest::newRow("map in another file") << "<img src=a.gif usemap=other.htm#M><map name=M></map>" << E{};
    QTest::newRow("two images one map")
        << "<map name=M></map><img src=a.gif usemap=#M><img src=b.gif usemap=#m>"
        << E{{"a.gif", "#M", 0}, {"b.gif", "#m", 0}};
    QTest::newRow("first map of a name")
        << "<map name=X></map><map name=M id=first></map><map name=m></map><img src=a usemap=#M>"
        << E{{"a", "#M", 1}};
    QTest::newRow("map position counts every map")
        << "<map></map><map name=A></map><map name=B></map><img src=i usemap=#B><img src=j usemap=#a>"
        << E{{"i", "#B", 2}, {"j", "#a", 1}};
    QTest::newRow("image without match in between")
        << "<img src=1 usemap=#M><img src=2 usemap=#nope><img src=3 usemap=#M><map name=M></map>"
        << E{{"1", "#M", 0}, {"3", "#M", 0}};
    QTest::newRow("no maps") << "<p>nothing</p><img src=a.gif>" << E{};
    QTest::newRow("upper-case markup")
        << "<IMG SRC=\"Pic.GIF\" USEMAP=\"#MAP\"><MAP NAME=\"Map\"></MAP>" << E{{"Pic.GIF", "#MAP", 0}};
    QTest::newRow("src absent reads empty") << "<img usemap=#M><map name=M></map>" << E{{"", "#M", 0}};
    QTest::newRow("image inside template is not in the document")
        << "<template><img src=t usemap=#M></template><map name=M></map>" << E{};
    QTest::newRow("svg image is no img") << "<svg><image href=s usemap=#M /></svg><map name=M></map>" << E{};
    QTest::newRow("image tag is read as img")
        << "<image src=i usemap=#M><map name=M></map>" << E{{"i", "#M", 0}};
}

void TestMapDiscovery::entries()
{
    QFETCH(QString, html);
    QFETCH(QVector<ImageMapEntry>, expected);
    const QVector<ImageMapEntry> found = discover(html);
    QCOMPARE(found.size(), expected.size());
    for (int i = 0; i < found.size(); ++i) {
        QCOMPARE(found[i].ImageSrc, expected[i].ImageSrc);
        QCOMPARE(found[i].UseMap, expected[i].UseMap);
        QCOMPARE(found[i].MapPosition, expected[i].MapPosition);
    }
}

void TestMapDiscovery::documentCollections()
{
    HtmlDocument document;
    document.Write(
        "<img src=1><div><map name=A><area id=a1><p><area id=a2></p><map name=B><area id=b1></map></map>"
        "<area id=outside><img src=2></div><map name=C><area id=c1></map>");
    QCOMPARE(document.Images().size(), 2);
    QCOMPARE(document.Images()[1].GetAttributeText("src"), QString("2"));
    QCOMPARE(document.Maps().size(), 3);
    auto ids = [](const HtmlDocument::MapElement& map) {
        QStringList list;
        for (const HtmlElement& area : map.Areas)
            list << area.GetAttributeText("id");
        return list;
    };
    // A map's areas are all its AREA descendants, nested maps' areas included.
    QCOMPARE(ids(document.Maps()[0]), (QStringList{"a1", "a2", "b1"}));
    QCOMPARE(ids(document.Maps()[1]), (QStringList{"b1"}));
    QCOMPARE(ids(document.Maps()[2]), (QStringList{"c1"}));
    QCOMPARE(document.Maps()[2].Name(), QString("C"));
}

void TestMapDiscovery::attributesAsDecoded()
{
    HtmlDocument document;
    document.Write("<map name=\"a&amp;b\"><area href=\"x?a=1&copy=2\" alt=\"&copy; &lt;3 &quot;q&quot;\" "
                   "target='t&#65;'></map>");
    const HtmlElement& area = document.Maps()[0].Areas[0];
    QCOMPARE(document.Maps()[0].Name(), QString("a&b"));
    QCOMPARE(area.GetAttributeText("href"), QString("x?a=1&copy=2")); // no ";": stays literal in attributes
    QCOMPARE(area.GetAttributeText("alt"), QString(QChar(0xA9)) + " <3 \"q\"");
    QCOMPARE(area.GetAttributeText("TARGET"), QString("tA"));
}

void TestMapDiscovery::absentAttributeIsEmpty()
{
    HtmlDocument document;
    document.Write("<map><area></map>");
    const HtmlElement& area = document.Maps()[0].Areas[0];
    QVERIFY(area.GetAttributeText("href").isEmpty());
    QVERIFY(area.GetAttributeText("coords").isEmpty());
    QVERIFY(document.Maps()[0].Name().isEmpty());
}

void TestMapDiscovery::writeReplacesContent()
{
    HtmlDocument document;
    document.Write("<img src=a usemap=#M><map name=M></map>");
    QCOMPARE(document.Maps().size(), 1);
    document.Write("<p>");
    QVERIFY(document.Images().isEmpty());
    QVERIFY(document.Maps().isEmpty());
}

void TestMapDiscovery::deeplyNestedDocument()
{
    // A hostile file must not exhaust the stack.
    const int depth = 20000;
    QString html = QString("<div>").repeated(depth) + "<img src=deep usemap=#M><map name=M><area shape=rect>";
    const QVector<ImageMapEntry> found = discover(html);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].ImageSrc, QString("deep"));
}

void TestMapDiscovery::loadFromFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("page.htm");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // Windows-1252 bytes, as old pages were saved
    file.write("<img src=\"caf\xe9.gif\" usemap=\"#m\"><map name=m><area alt=\"\x93quoted\x94\"></map>");
    file.close();
    HtmlDocument document;
    QString error;
    QVERIFY(document.LoadFromFile(path, &error));
    QVERIFY(error.isEmpty());
    const QVector<ImageMapEntry> found = FindImageMaps(document);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].ImageSrc, QString("caf") + QChar(0xE9) + ".gif");
    QCOMPARE(document.Maps()[0].Areas[0].GetAttributeText("alt"),
             QString(QChar(0x201C)) + "quoted" + QChar(0x201D));
}

void TestMapDiscovery::loadInPieces_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // Characters of two to four bytes, references and tags that pieces of a few bytes cut apart.
    QTest::newRow("cut everywhere")
        << QByteArray("<!DOCTYPE html><title>Caf\xc3\xa9</title><img src=\"\xe2\x82\xac.png\" usemap=\"#m\" "
                      "alt=\"&copy;&#x1F600;&amp\"><map name=m><area shape=rect coords=\"1, 2,3,4\" "
                      "href=\"a?b=1&copy=2\" alt='\xf0\x9f\x98\x80 &lt;'><!-- <area> --><area coords=5,6,7,8></map>");
    QTest::newRow("Windows-1252") << QByteArray("<img src=\"caf\xe9.gif\" usemap=#m><map name=m><area alt=\"\x93q\x94\"></map>");
    for (const QString& folder : {QStringLiteral("/pages"), QStringLiteral("/cases")}) {
        QDirIterator files(QStringLiteral(ZQ_TEST_SOURCE_DIR) + folder, {QStringLiteral("*.htm")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTest::newRow(qPrintable(files.fileInfo().dir().dirName() + "/" + files.fileName())) << file.readAll();
        }
    }
}

void TestMapDiscovery::loadInPieces()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = writeFile(dir, bytes);
    HtmlDocument whole;
    QString error;
    QVERIFY(whole.LoadFromFile(path, &error));
    QVERIFY(!contents(whole).isEmpty());
    for (const qsizetype piece : {1, 2, 3, 7, 64}) {
        HtmlReadProgress progress;
        progress.PieceBytes = piece;
        HtmlDocument inPieces;
        QVERIFY(inPieces.LoadFromFile(path, &error, &progress));
        QCOMPARE(contents(inPieces), contents(whole));
    }
}

void TestMapDiscovery::loadReportsAndCancels()
{
    QByteArray page = "<img src=p.png usemap=#m><map name=m>";
    for (int i = 0; i < 2000; ++i)
        page += "<area shape=rect coords=\"" + QByteArray::number(i) + ",0,10,10\" href=a.htm>";
    page += "</map>";
    QTemporaryDir dir;
    const QString path = writeFile(dir, page);

    // Reading and parsing report how far they are, up to the whole.
    QList<qint64> reported;
    qint64 whole = 0;
    HtmlReadProgress progress;
    progress.PieceBytes = 4096;
    progress.Report = [&](qint64 done, qint64 total) {
        reported.append(done);
        whole = total;
    };
    HtmlDocument document;
    QString error;
    QVERIFY(document.LoadFromFile(path, &error, &progress));
    QCOMPARE(document.Maps().value(0).Areas.size(), 2000);
    QVERIFY(reported.size() > 2 * page.size() / 4096);
    QVERIFY(std::is_sorted(reported.begin(), reported.end()));
    QCOMPARE(whole, 2 * page.size());
    QCOMPARE(reported.last(), whole);

    // Cancelled while reading, then while parsing: nothing is kept, and nothing is said.
    for (const qint64 cancelAt : {qint64(4096), qint64(page.size() + 4096)}) {
        std::atomic<bool> cancel{false};
        progress.Cancel = &cancel;
        progress.Report = [&](qint64 done, qint64) { cancel = cancel || done >= cancelAt; };
        error = QStringLiteral("unchanged");
        QVERIFY(!document.LoadFromFile(path, &error, &progress));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(document.Maps().isEmpty() && document.Images().isEmpty());
    }
}

void TestMapDiscovery::loadMissingFileNamesFileAndReason()
{
    HtmlDocument document;
    document.Write("<img src=a usemap=#M><map name=M></map>");
    QTemporaryDir dir;
    const QString path = dir.filePath("missing.htm");
    QString error;
    QVERIFY(!document.LoadFromFile(path, &error));
    QCOMPARE(error, QString("Cannot open file \"%1\". No such file or directory").arg(path));
    QVERIFY(document.Maps().isEmpty()); // emptied before the failed load
}

void TestMapDiscovery::loadDirectoryFails()
{
    QTemporaryDir dir;
    HtmlDocument document;
    QString error;
    QVERIFY(!document.LoadFromFile(dir.path(), &error));
    QVERIFY2(error.startsWith(QString("Cannot open file \"%1\". ").arg(dir.path())), qPrintable(error));
    QVERIFY(error.size() > QString("Cannot open file \"%1\". ").arg(dir.path()).size());
}

QTEST_APPLESS_MAIN(TestMapDiscovery)
#include "tst_mapdiscovery.moc"
