#include "HtmlTexts.h"

#include <entity_prefix.h>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAsciiHexDigit(QChar c)
{
    return isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool isAsciiAlphanumeric(QChar c)
{
    return isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// The longest entity name has 32 characters with its ';'.
constexpr int kLongestEntityName = 32;

} // namespace

bool StartsCharacterReference(const QString& text, int pos)
{
    const int n = text.size();
    if (pos + 1 >= n)
        return false;
    const QChar next = text[pos + 1];
    if (next == QLatin1Char('#')) {
        if (pos + 2 >= n)
            return false;
        const QChar first = text[pos + 2];
        if (first == QLatin1Char('x') || first == QLatin1Char('X'))
            return pos + 3 < n && isAsciiHexDigit(text[pos + 3]);
        return isAsciiDigit(first);
    }
    if (!isAsciiAlphanumeric(next))
        return false;

    // The table holds ASCII names only; the first other character ends the search.
    unsigned char name[kLongestEntityName];
    int length = 0;
    for (int i = pos + 1; i < n && length < kLongestEntityName && text[i].unicode() < 0x80; ++i)
        name[length++] = static_cast<unsigned char>(text[i].unicode());
    int endsWithSemicolon = 0;
    const int matched = static_cast<int>(zq_html_entity_prefix(name, static_cast<size_t>(length), &endsWithSemicolon));
    if (matched == 0)
        return false;
    if (endsWithSemicolon)
        return true;
    // In attribute values a name without ';' followed by '=' or a letter or
    // digit stays literal, for historical reasons.
    const int after = pos + 1 + matched;
    return after >= n || (text[after] != QLatin1Char('=') && !isAsciiAlphanumeric(text[after]));
}

QString EscapeImportedText(const QString& text)
{
    QString escaped;
    int copied = 0;
    for (int pos = 0; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        // A carriage return (read from "&#13;") would come back as a line feed: the written
        // file's line ends are read as LF.
        if (c == QLatin1Char('\r')) {
            escaped += QStringView(text).mid(copied, pos - copied);
            escaped += QLatin1String("&#13;");
            copied = pos + 1;
        } else if (c == QLatin1Char('&') && StartsCharacterReference(text, pos)) {
            escaped += QStringView(text).mid(copied, pos + 1 - copied);
            escaped += QLatin1String("amp;");
            copied = pos + 1;
        }
    }
    if (copied == 0)
        return text;
    escaped += QStringView(text).mid(copied);
    return escaped;
}
