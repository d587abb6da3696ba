#include "ImageMapWriter.h"

#include "HtmlTexts.h"

#include <initializer_list>

namespace {

const char* const kHead = "<!-- Created with Corvanta Zonequilter       -->\n"
                          "<!-- Cut & paste this code into your web page -->\n"
                          "\n"
                          "<HTML>\n"
                          "<HEAD>\n"
                          "<BASE target=CorvantaWebBrowser>\n"
                          "</HEAD>\n"
                          "<BODY scroll=auto bgColor=buttonshadow bottomMargin=0 leftMargin=0 topMargin=0 "
                          "rightMargin=0>\n"
                          "<TABLE WIDTH=100% HEIGHT=100%>\n"
                          "<TR>\n"
                          "<TD>\n"
                          "<CENTER>\n"
                          "\n"
                          "<!-- BEGINNING OF IMAGE MAP -->\n"
                          "\n";

const char* const kTail = "</MAP>\n"
                          "\n"
                          "<!-- END OF IMAGE MAP -->\n"
                          "\n"
                          "</CENTER>\n"
                          "</TD>\n"
                          "</TR>\n"
                          "</TABLE>\n"
                          "</BODY>\n"
                          "</HTML>\n";

// Sums are taken in 64 bits: bounds near the ends of the int range must not overflow. The digits go
// straight onto the text: a map of tens of thousands of areas has millions of numbers.
void appendNumber(QString& out, qint64 value)
{
    QChar digits[24];
    int start = 24;
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    do {
        digits[--start] = QChar(char16_t(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        digits[--start] = QLatin1Char('-');
    out.append(digits + start, 24 - start);
}

void appendNumbers(QString& out, std::initializer_list<qint64> values)
{
    bool first = true;
    for (qint64 value : values) {
        if (!first)
            out += QLatin1Char(',');
        first = false;
        appendNumber(out, value);
    }
}

// The generated page declares no encoding and its code is pasted into pages of any encoding: a
// character outside ASCII goes out as a numeric character reference, which reads the same in all.
void appendAscii(QString& out, QStringView text)
{
    qsizetype copied = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        // A reference to U+0080..U+009F reads as a Windows-1252 character: those controls stay as they are.
        if (c < 0xA0)
            continue;
        out += text.mid(copied, i - copied);
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++i].unicode());
        out += QLatin1String("&#");
        appendNumber(out, code);
        out += QLatin1Char(';');
        copied = i + 1;
    }
    out += text.mid(copied);
}

void appendEscaped(QString& out, const QString& text)
{
    if (text.contains(QLatin1Char('"')))
        appendAscii(out, EscapeAttributeQuotes(text));
    else
        appendAscii(out, text);
}

void appendAttributes(QString& out, const AttributeList& attributes)
{
    for (const auto& attribute : attributes) {
        out += QLatin1Char(' ');
        // A name cannot hold a character reference: it is written as it is.
        out += attribute.first;
        // An attribute written bare (nohref) comes back bare.
        if (!attribute.second.isEmpty()) {
            out += QLatin1String("=\"");
            appendEscaped(out, attribute.second);
            out += QLatin1Char('"');
        }
    }
}

void appendAreaLine(QString& out, const MapArea& area)
{
    static constexpr QStringView kShapes[] = {u"RECT", u"CIRCLE", u"POLY"};
    // UTF-16 literals are copied as they are; Latin-1 ones would be converted on every line.
    out += u"<AREA shape=";
    out += kShapes[static_cast<int>(area.shape)];
    // An area without an address is no link; href="" would make it a link to the page itself.
    if (!area.HRef.isEmpty()) {
        out += u" href=\"";
        appendEscaped(out, area.HRef);
        out += u'"';
    }
    out += u" alt=\"";
    appendEscaped(out, area.AltText);
    out += u"\" target=\"";
    appendEscaped(out, area.Target);
    out += u'"';
    appendAttributes(out, area.Attributes);
    out += u" coords=";
    switch (area.shape) {
    case MapArea::Shape::Rect:
        appendNumbers(out,
                      {area.Left, area.Top, qint64(area.Left) + area.Width, qint64(area.Top) + area.Height});
        break;
    case MapArea::Shape::Circle:
        // int division truncates toward zero, as the format wants for negative sizes too
        appendNumbers(
            out, {qint64(area.Left) + area.Width / 2, qint64(area.Top) + area.Height / 2, area.Width / 2});
        break;
    case MapArea::Shape::Poly:
        for (int i = 0; i < area.Vertices.size(); ++i) {
            if (i > 0)
                out += QLatin1Char(',');
            appendNumbers(out, {area.Vertices[i].x(), area.Vertices[i].y()});
        }
        break;
    }
    out += QLatin1Char('>');
}

} // namespace

QString EscapeAttributeQuotes(const QString& text)
{
    if (!text.contains(QLatin1Char('"')))
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return escaped;
}

QString BuildAreaLine(const MapArea& area)
{
    QString line;
    appendAreaLine(line, area);
    return line;
}

QString BuildImageMapHTML(const QString& imageFileName, const QString& mapName, const QVector<MapArea>& areas,
                          const AttributeList& mapAttributes)
{
    QString out;
    AppendImageMapHTML(out, imageFileName, mapName, areas, mapAttributes);
    return out;
}

namespace {
void appendImageMapHTML(QString& out, const QString& imageFileName, const QString& mapName,
                        const QVector<MapArea>& areas, const AttributeList& mapAttributes,
                        QVector<qsizetype>* areaStarts, const std::function<bool()>* stop)
{
    qsizetype expected = out.size() + 1024;
    for (const MapArea& area : areas)
        expected +=
            120 + area.HRef.size() + area.AltText.size() + area.Target.size() + area.Vertices.size() * 10;
    out.reserve(expected);
    out += QLatin1String(kHead);
    // A quotation mark in the file or map name would end its attribute early just as in the area texts.
    QString map;
    appendEscaped(map, mapName);
    // The picture's name is a file name, not HTML: it is written so that a browser reads that name.
    out += QLatin1String("<IMG src=\"");
    appendEscaped(out, EscapeImportedText(imageFileName));
    out += QLatin1String("\" useMap=\"#") + map + QLatin1String("\" border=0>\n");
    out += QLatin1String("<MAP name=\"") + map + QLatin1Char('"');
    appendAttributes(out, mapAttributes);
    out += QLatin1String(">\n");
    if (areaStarts) {
        areaStarts->clear();
        areaStarts->reserve(areas.size() + 1);
    }
    qsizetype written = 0;
    for (const MapArea& area : areas) {
        if (stop && *stop && ++written % 4096 == 0 && (*stop)()) {
            out.clear();
            return;
        }
        if (areaStarts)
            areaStarts->append(out.size());
        appendAreaLine(out, area);
        out += QLatin1Char('\n');
    }
    if (areaStarts)
        areaStarts->append(out.size());
    out += QLatin1String(kTail);
}
} // namespace

void AppendImageMapHTML(QString& out, const QString& imageFileName, const QString& mapName,
                        const QVector<MapArea>& areas, const AttributeList& mapAttributes,
                        QVector<qsizetype>* areaStarts)
{
    appendImageMapHTML(out, imageFileName, mapName, areas, mapAttributes, areaStarts, nullptr);
}

QString BuildImageMapHTMLUnlessStopped(const QString& imageFileName, const QString& mapName,
                                       const QVector<MapArea>& areas, const AttributeList& mapAttributes,
                                       const std::function<bool()>& Stop)
{
    QString out;
    appendImageMapHTML(out, imageFileName, mapName, areas, mapAttributes, nullptr, &Stop);
    return out;
}

namespace {

template <typename Text, typename Char> Text toCrLfLines(const Text& text, Char cr, Char lf)
{
    const qsizetype n = text.size();
    const Char* in = text.constData();
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < n; ++i)
        breaks += in[i] == lf || in[i] == cr;
    // Written through a pointer into a text of the final size at most: a big map has a million lines.
    Text out(n + breaks + 2, Qt::Uninitialized);
    Char* o = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const Char c = in[i];
        if (c == cr || c == lf) {
            *o++ = cr;
            *o++ = lf;
            if (c == cr && i + 1 < n && in[i + 1] == lf)
                ++i;
        } else {
            *o++ = c;
        }
    }
    // The last line gets its line end too.
    const qsizetype written = o - out.constData();
    if (n > 0 && !(written >= 2 && o[-2] == cr && o[-1] == lf)) {
        *o++ = cr;
        *o++ = lf;
    }
    out.truncate(o - out.constData());
    return out;
}

} // namespace

QString ToCrLfLines(const QString& text)
{
    return toCrLfLines(text, QChar(u'\r'), QChar(u'\n'));
}

QByteArray ToCrLfLines(const QByteArray& text)
{
    return toCrLfLines(text, '\r', '\n');
}
