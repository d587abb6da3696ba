#include "HtmlDecoding.h"

#include <QTest>

class TestHtmlDecoding : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void declaredCharset_data();
    void declaredCharset();
};

void TestHtmlDecoding::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString eAcute(QChar(0xE9));
    QTest::newRow("ascii") << QByteArray("<p>plain</p>") << "<p>plain</p>";
    QTest::newRow("valid utf-8 without declaration") << QByteArray("caf\xc3\xa9") << "caf" + eAcute;
    QTest::newRow("invalid utf-8 falls back to windows-1252")
        << QByteArray("caf\xe9 \x80") << "caf" + eAcute + " " + QChar(0x20AC);
    QTest::newRow("utf-8 byte-order mark") << QByteArray("\xef\xbb\xbf<meta charset=windows-1252>\xc3\xa9")
                                           << "<meta charset=windows-1252>" + eAcute;
    QTest::newRow("utf-16le byte-order mark") << QByteArray("\xff\xfe<\0p\0>\0\xe9\0", 10) << "<p>" + eAcute;
    QTest::newRow("utf-16be byte-order mark") << QByteArray("\xfe\xff\0<\0p\0>\0\xe9", 10) << "<p>" + eAcute;
    QTest::newRow("meta charset iso-8859-1 is windows-1252")
        << QByteArray("<meta charset=\"ISO-8859-1\">\x80\xe9")
        << QString("<meta charset=\"ISO-8859-1\">") + QChar(0x20AC) + eAcute;
    QTest::newRow("meta charset wins over valid utf-8")
        << QByteArray("<meta charset='windows-1252'>\xc3\xa9")
        << QString("<meta charset='windows-1252'>") + QChar(0xC3) + QChar(0xA9);
    QTest::newRow("http-equiv content charset")
        << QByteArray("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">\xc0")
        << "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">" +
               QString(QChar(0x410));
    QTest::newRow("declared utf-8 keeps its text with a replacement")
        << QByteArray("<meta charset=utf-8>\xc3\xa9\xff") << "<meta charset=utf-8>" + eAcute + QChar(0xFFFD);
    QTest::newRow("unknown charset counts as none")
        << QByteArray("<meta charset=no-such-thing>\xc3\xa9") << "<meta charset=no-such-thing>" + eAcute;
    QTest::newRow("utf-16 declared in ascii bytes means utf-8")
        << QByteArray("<meta charset=utf-16>\xc3\xa9") << "<meta charset=utf-16>" + eAcute;
    QTest::newRow("declaration past the first 1024 bytes is ignored")
        << QByteArray(1100, ' ') + "<meta charset=windows-1252>\xc3\xa9"
        << QString(1100, ' ') + "<meta charset=windows-1252>" + eAcute;
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestHtmlDecoding::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeHTMLBytes(bytes), text);
}

void TestHtmlDecoding::declaredCharset_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("charset");
    QTest::newRow("none") << QByteArray("<html><body>charset=x</body>") << QByteArray();
    QTest::newRow("html5") << QByteArray("<head><meta charset=\"UTF-8\"/>") << QByteArray("utf-8");
    QTest::newRow("unquoted") << QByteArray("<meta charset=koi8-r>") << QByteArray("koi8-r");
    QTest::newRow("http-equiv") << QByteArray(
                                       "<meta http-equiv=Content-Type content='text/html;charset=Shift_JIS'>")
                                << QByteArray("shift_jis");
}

void TestHtmlDecoding::declaredCharset()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, charset);
    QCOMPARE(DeclaredHTMLCharset(bytes), charset);
}

QTEST_APPLESS_MAIN(TestHtmlDecoding)
#include "tst_htmldecoding.moc"
