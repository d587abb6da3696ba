#include "HtmlDecoding.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

QString decodeWindows1252(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1252");
    if (decoder.isValid())
        return decoder.decode(bytes);
    return QString::fromLatin1(bytes);
}

// The prescan of the HTML standard over the first 1024 bytes: only <meta>
// elements count; comments are skipped, and so are the attributes of every
// other tag, so text in an attribute value or a comment declares nothing.
class CharsetPrescan
{
public:
    explicit CharsetPrescan(const QByteArray& bytes) : FData(bytes.left(1024)) {}

    QByteArray Run()
    {
        while (FPos < FData.size()) {
            if (startsWith("<!--")) {
                // "<!-->" closes at once: the dashes may be shared.
                const int close = FData.indexOf("-->", FPos + 2);
                if (close < 0)
                    return {};
                FPos = close + 3;
            } else if (startsWith("<meta") && FPos + 5 < FData.size() &&
                       (isSpace(FData[FPos + 5]) || FData[FPos + 5] == '/')) {
                FPos += 6;
                bool complete = false;
                const QByteArray charset = readMeta(&complete);
                if (!complete)
                    return {};
                if (!charset.isEmpty())
                    return charset;
            } else if (FData[FPos] == '<' && FPos + 1 < FData.size() &&
                       (isAsciiLetter(FData[FPos + 1]) ||
                        (FData[FPos + 1] == '/' && FPos + 2 < FData.size() && isAsciiLetter(FData[FPos + 2])))) {
                // Any other tag: its name, then its attributes, unread.
                while (FPos < FData.size() && !isSpace(FData[FPos]) && FData[FPos] != '>')
                    ++FPos;
                QByteArray name, value;
                bool ended = false;
                while (nextAttribute(&name, &value, &ended)) {
                }
                if (!ended)
                    return {};
            } else if (startsWith("<!") || startsWith("</") || startsWith("<?")) {
                const int close = FData.indexOf('>', FPos + 2);
                if (close < 0)
                    return {};
                FPos = close + 1;
            } else {
                ++FPos;
            }
        }
        return {};
    }

private:
    bool startsWith(const char* text) const
    {
        int i = 0;
        for (; text[i]; ++i)
            if (FPos + i >= FData.size() || asciiLower(FData[FPos + i]) != text[i])
                return false;
        return true;
    }

    // The attributes of a <meta> after its name: the charset it declares, if
    // any. `complete` is false when the bytes end inside the tag.
    QByteArray readMeta(bool* complete)
    {
        QList<QByteArray> seen;
        bool gotPragma = false;
        int needPragma = -1; // -1: no charset seen; 0: from charset; 1: from content
        QByteArray charset;
        QByteArray name, value;
        bool ended = false;
        while (nextAttribute(&name, &value, &ended)) {
            if (seen.contains(name))
                continue;
            seen.append(name);
            if (name == "http-equiv") {
                if (value == "content-type")
                    gotPragma = true;
            } else if (name == "content") {
                const QByteArray found = charsetFromContent(value);
                if (!found.isEmpty() && needPragma < 0) {
                    charset = found;
                    needPragma = 1;
                }
            } else if (name == "charset") {
                charset = value.trimmed();
                needPragma = 0;
            }
        }
        *complete = ended;
        if (!ended || needPragma < 0 || (needPragma == 1 && !gotPragma))
            return {};
        return charset;
    }

    // One attribute (name and value in lower case); false at the tag's end,
    // with `ended` telling whether that end is a '>' inside the bytes.
    bool nextAttribute(QByteArray* name, QByteArray* value, bool* ended)
    {
        name->clear();
        value->clear();
        *ended = false;
        const int n = FData.size();
        while (FPos < n && (isSpace(FData[FPos]) || FData[FPos] == '/'))
            ++FPos;
        if (FPos >= n)
            return false;
        if (FData[FPos] == '>') {
            *ended = true;
            return false;
        }
        for (;;) {
            if (FPos >= n)
                return false;
            const char c = FData[FPos];
            if (c == '=' && !name->isEmpty()) {
                ++FPos;
                break;
            }
            if (isSpace(c)) {
                while (FPos < n && isSpace(FData[FPos]))
                    ++FPos;
                if (FPos >= n)
                    return false;
                if (FData[FPos] != '=')
                    return true;
                ++FPos;
                break;
            }
            if (c == '/' || c == '>')
                return true;
            name->append(asciiLower(c));
            ++FPos;
        }
        while (FPos < n && isSpace(FData[FPos]))
            ++FPos;
        if (FPos >= n)
            return false;
        const char first = FData[FPos];
        if (first == '"' || first == '\'') {
            for (++FPos; FPos < n; ++FPos) {
                if (FData[FPos] == first) {
                    ++FPos;
                    return true;
                }
                value->append(asciiLower(FData[FPos]));
            }
            return false;
        }
        if (first == '>')
            return true;
        for (; FPos < n; ++FPos) {
            const char c = FData[FPos];
            if (isSpace(c) || c == '>')
                return true;
            value->append(asciiLower(c));
        }
        return false;
    }

    // The charset named in a content attribute such as "text/html; charset=x".
    static QByteArray charsetFromContent(const QByteArray& content)
    {
        int pos = 0;
        const int n = content.size();
        for (;;) {
            const int found = content.indexOf("charset", pos);
            if (found < 0)
                return {};
            pos = found + 7;
            while (pos < n && isSpace(content[pos]))
                ++pos;
            if (pos < n && content[pos] == '=')
                break;
        }
        ++pos;
        while (pos < n && isSpace(content[pos]))
            ++pos;
        if (pos >= n)
            return {};
        if (content[pos] == '"' || content[pos] == '\'') {
            const int close = content.indexOf(content[pos], pos + 1);
            if (close < 0)
                return {};
            return content.mid(pos + 1, close - pos - 1).trimmed();
        }
        int end = pos;
        while (end < n && !isSpace(content[end]) && content[end] != ';')
            ++end;
        return content.mid(pos, end - pos);
    }

    QByteArray FData;
    int FPos = 0;
};

} // namespace

QByteArray DeclaredHTMLCharset(const QByteArray& bytes)
{
    return CharsetPrescan(bytes).Run();
}

bool DecodesAsUtf8Whole(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    constexpr qsizetype piece = qsizetype(1) << 20;
    QString scratch;
    for (qsizetype at = 0; at < bytes.size() && !utf8.hasError(); at += piece) {
        scratch = utf8.decode(QByteArrayView(bytes.constData() + at, std::min(piece, bytes.size() - at)));
        scratch.clear();
    }
    if (utf8.hasError())
        return false;
    // The last lead byte and the continuation bytes after it.
    qsizetype lead = bytes.size() - 1;
    while (lead >= 0 && bytes.size() - lead <= 4 && (uchar(bytes[lead]) & 0xC0) == 0x80)
        --lead;
    if (lead < 0)
        return bytes.isEmpty();
    const uchar c = uchar(bytes[lead]);
    const qsizetype length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    return bytes.size() - lead == length;
}

QByteArray DecodeHTMLBytesToUtf8(const QByteArray& bytes)
{
    if (!QStringConverter::encodingForData(bytes)) {
        const QByteArray charset = DeclaredHTMLCharset(bytes);
        // The declarations DecodeHTMLBytes reads as UTF-8, and none at all.
        const auto named = QStringConverter::encodingForName(charset.constData());
        const bool utf8 = charset.isEmpty() || charset.startsWith("utf-16") || charset == "unicode" ||
                          (named && *named == QStringConverter::Utf8);
        if (utf8 && DecodesAsUtf8Whole(bytes))
            return bytes;
    }
    return DecodeHTMLBytes(bytes).toUtf8();
}

QString DecodeHTMLBytes(const QByteArray& bytes)
{
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom); // drops the mark itself
        return decoder.decode(bytes);
    }

    QByteArray charset = DeclaredHTMLCharset(bytes);
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "l1" || charset == "iso8859-1" ||
        charset == "us-ascii" || charset == "ascii" || charset == "cp1252" || charset == "windows-1252" ||
        charset == "x-user-defined")
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
