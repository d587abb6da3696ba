#include "TranslationTable.h"

#include "TranslationError.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned codes map to the
// C1 controls of the same value, as Windows itself does.
constexpr char16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeCp1252(const QByteArray& Bytes)
{
    QString result;
    result.reserve(Bytes.size());
    for (char c : Bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F)
            result += QChar(Cp1252High[b - 0x80]);
        else
            result += QChar(b);
    }
    return result;
}

int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool IsOctal(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '7';
}

QString AfterFirstEquals(const QString& Line)
{
    return TrimControls(Line.mid(Line.indexOf(QLatin1Char('=')) + 1));
}

// "<" header: the section is the text after the first "//" (or after the "<" when there is
// none) up to the first "-" of the line; anything else selects the empty section.
QString SectionOfHeader(const QString& Line)
{
    const int slashes = Line.indexOf(QLatin1String("//"));
    const int start = slashes >= 0 ? slashes + 2 : 1;
    const int dash = Line.indexOf(QLatin1Char('-'));
    if (dash <= start)
        return QString();
    return Line.mid(start, dash - start);
}
} // namespace

QString EscapeText(const QString& Text)
{
    QString result;
    result.reserve(Text.size());
    for (QChar c : Text) {
        switch (c.unicode()) {
        case 7:
            result += QLatin1String("\\a");
            break;
        case 8:
            result += QLatin1String("\\b");
            break;
        case 9:
            result += QLatin1String("\\t");
            break;
        case 10:
            result += QLatin1String("\\n");
            break;
        case 11:
            result += QLatin1String("\\v");
            break;
        case 12:
            result += QLatin1String("\\f");
            break;
        case 13:
            result += QLatin1String("\\r");
            break;
        case '"':
            result += QLatin1String("\\\"");
            break;
        case '\\':
            result += QLatin1String("\\\\");
            break;
        default:
            if (c.unicode() < 32)
                result += QLatin1String("\\x") +
                          QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
            else
                result += c;
        }
    }
    return result;
}

QString UnescapeText(const QString& Text)
{
    QString result;
    result.reserve(Text.size());
    const int n = Text.size();
    int i = 0;
    while (i < n) {
        const QChar c = Text[i];
        if (c != QLatin1Char('\\') || i + 1 >= n) {
            result += c;
            ++i;
            continue;
        }
        const QChar e = Text[i + 1];
        i += 2;
        switch (e.unicode()) {
        case '"':
        case '\'':
        case '?':
        case '\\':
            result += e;
            break;
        case 'a':
            result += QChar(7);
            break;
        case 'b':
            result += QChar(8);
            break;
        case 'f':
            result += QChar(12);
            break;
        case 'n':
            result += QChar(10);
            break;
        case 'r':
            result += QChar(13);
            break;
        case 't':
            result += QChar(9);
            break;
        case 'v':
            result += QChar(11);
            break;
        case 'x': {
            int value = 0;
            int digits = 0;
            while (digits < 2 && i < n && HexValue(Text[i]) >= 0) {
                value = value * 16 + HexValue(Text[i]);
                ++i;
                ++digits;
            }
            if (digits == 0)
                result += QLatin1String("\\x");
            else
                result += QChar(value);
            break;
        }
        default:
            if (IsOctal(e)) {
                int value = e.unicode() - '0';
                int digits = 1;
                while (digits < 3 && i < n && IsOctal(Text[i])) {
                    value = value * 8 + (Text[i].unicode() - '0');
                    ++i;
                    ++digits;
                }
                if (value > 255)
                    throw ETranslationError(QStringLiteral("Numeric constant too large."));
                result += QChar(value);
            } else {
                result += QLatin1Char('\\');
                result += e;
            }
        }
    }
    return result;
}

QString DecodeTranslationFile(const QByteArray& Bytes)
{
    QByteArray body = Bytes;
    const bool hasBom = body.startsWith("\xEF\xBB\xBF");
    if (hasBom)
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(body);
    if (!utf8.hasError() || hasBom)
        return text;
    return DecodeCp1252(body);
}

QString TrimControls(const QString& Text)
{
    int begin = 0;
    int end = Text.size();
    while (begin < end && Text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && Text[end - 1].unicode() <= 32)
        --end;
    return Text.mid(begin, end - begin);
}

void TTranslationTable::LoadLines(const QStringList& Lines)
{
    QString section;
    QString pendingEnglish;
    for (const QString& rawLine : Lines) {
        const QString line = TrimControls(rawLine);
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('<'))) {
            section = SectionOfHeader(line);
        } else if (line.startsWith(QLatin1String("E="))) {
            pendingEnglish = AfterFirstEquals(line);
        } else if (line.startsWith(QLatin1String("T="))) {
            const QString translation = AfterFirstEquals(line);
            // Entries under the empty section could never be looked up, so they are not kept.
            if (!pendingEnglish.isEmpty() && !translation.isEmpty() && translation != QLatin1String("*") &&
                !section.isEmpty())
                FSections[Fold(section)].insert(FoldKey(pendingEnglish), translation);
            pendingEnglish.clear();
        }
    }
}

void TTranslationTable::LoadBytes(const QByteArray& Bytes)
{
    // An empty piece after a final line end is skipped like any blank line.
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    LoadLines(DecodeTranslationFile(Bytes).split(lineEnd));
}

int TTranslationTable::EntryCount() const
{
    int count = 0;
    for (const auto& entries : FSections)
        count += entries.size();
    return count;
}

QString TTranslationTable::Lookup(const QString& Section, const QString& Key) const
{
    const auto section = FSections.constFind(Fold(Section));
    if (section == FSections.constEnd())
        return Key;
    return section->value(FoldKey(Key), Key);
}

QString TTranslationTable::FoldKey(const QString& Key)
{
    // A line break is "\r\n" in a file written on one system and "\n" in another, and a caption
    // holds whichever its toolkit uses; both match. Escapes are read in pairs, so that an escaped
    // backslash followed by "r" is not taken for a carriage return.
    QString result;
    result.reserve(Key.size());
    for (qsizetype i = 0; i < Key.size(); ++i) {
        const QChar c = Key.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= Key.size()) {
            result += c;
            continue;
        }
        const QChar next = Key.at(i + 1);
        const bool crlf = next == QLatin1Char('r') && i + 3 < Key.size() &&
                          Key.at(i + 2) == QLatin1Char('\\') && Key.at(i + 3) == QLatin1Char('n');
        if (crlf) {
            result += QLatin1String("\\n");
            i += 3;
        } else {
            result += c;
            result += next;
            ++i;
        }
    }
    return Fold(result);
}
