#include "HtmlDecoding.h"

#include <QStringDecoder>

namespace {

bool isNameEnd(char c)
{
    return c == '"' || c == '\'' || c == '>' || c == '/' || c == ';' || c == ' ' || c == '\t' || c == '\n' ||
           c == '\r' || c == '\f';
}

QString decodeWindows1252(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1252");
    if (decoder.isValid())
        return decoder.decode(bytes);
    return QString::fromLatin1(bytes);
}

} // namespace

QByteArray DeclaredHTMLCharset(const QByteArray& bytes)
{
    // Only the head is searched, as browsers and QStringDecoder::decoderForHtml do;
    // both <meta charset=x> and <meta http-equiv ... content="...; charset=x"> match.
    const QByteArray head = bytes.left(1024).toLower();
    int pos = head.indexOf("<meta");
    if (pos < 0)
        return {};
    pos = head.indexOf("charset=", pos);
    if (pos < 0)
        return {};
    pos += 8;
    while (pos < head.size() && (head[pos] == ' ' || head[pos] == '"' || head[pos] == '\''))
        ++pos;
    int end = pos;
    while (end < head.size() && !isNameEnd(head[end]))
        ++end;
    return head.mid(pos, end - pos);
}

QString DecodeHTMLBytes(const QByteArray& bytes)
{
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom); // drops the mark itself
        return decoder.decode(bytes);
    }

    QByteArray charset = DeclaredHTMLCharset(bytes);
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "l1" || charset == "iso8859-1" ||
        charset == "us-ascii" || charset == "ascii" || charset == "cp1252" || charset == "windows-1252")
        return decodeWindows1252(bytes);
    // A UTF-16 declaration inside bytes that are not UTF-16 means UTF-8 (HTML standard).
    if (charset.startsWith("utf-16") || charset == "unicode")
        charset = "utf-8";
    if (!charset.isEmpty()) {
        QStringDecoder declared(charset.constData());
        if (declared.isValid())
            return declared.decode(bytes); // bad bytes become U+FFFD, as in a browser
        // An unknown name counts as no declaration.
    }

    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}
