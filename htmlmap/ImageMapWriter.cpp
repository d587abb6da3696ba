#include "ImageMapWriter.h"

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

// Sums are taken in 64 bits: bounds near the ends of the int range must not overflow.
QString number(qint64 value)
{
    return QString::number(value);
}

void appendAttributes(QString& out, const AttributeList& attributes)
{
    for (const auto& attribute : attributes) {
        out += QLatin1Char(' ');
        out += attribute.first;
        // An attribute written bare (nohref) comes back bare.
        if (!attribute.second.isEmpty())
            out += QLatin1String("=\"") + EscapeAttributeQuotes(attribute.second) + QLatin1Char('"');
    }
}

void appendAreaLine(QString& out, const MapArea& area)
{
    static const QString kShapes[] = {QStringLiteral("RECT"), QStringLiteral("CIRCLE"),
                                      QStringLiteral("POLY")};
    out += QLatin1String("<AREA shape=");
    out += kShapes[static_cast<int>(area.shape)];
    out += QLatin1String(" href=\"");
    out += EscapeAttributeQuotes(area.HRef);
    out += QLatin1String("\" alt=\"");
    out += EscapeAttributeQuotes(area.AltText);
    out += QLatin1String("\" target=\"");
    out += EscapeAttributeQuotes(area.Target);
    out += QLatin1Char('"');
    appendAttributes(out, area.Attributes);
    out += QLatin1String(" coords=");
    switch (area.shape) {
    case MapArea::Shape::Rect:
        out += number(area.Left) + QLatin1Char(',') + number(area.Top) + QLatin1Char(',') +
               number(qint64(area.Left) + area.Width) + QLatin1Char(',') +
               number(qint64(area.Top) + area.Height);
        break;
    case MapArea::Shape::Circle:
        // int division truncates toward zero, as the format wants for negative sizes too
        out += number(qint64(area.Left) + area.Width / 2) + QLatin1Char(',') +
               number(qint64(area.Top) + area.Height / 2) + QLatin1Char(',') + number(area.Width / 2);
        break;
    case MapArea::Shape::Poly:
        for (int i = 0; i < area.Vertices.size(); ++i) {
            if (i > 0)
                out += QLatin1Char(',');
            out += number(area.Vertices[i].x()) + QLatin1Char(',') + number(area.Vertices[i].y());
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
    out.reserve(1024 + areas.size() * 160);
    out += QLatin1String(kHead);
    // A quotation mark in the file or map name would end its attribute early just as in the area texts.
    const QString map = EscapeAttributeQuotes(mapName);
    out += QLatin1String("<IMG src=\"") + EscapeAttributeQuotes(imageFileName) +
           QLatin1String("\" useMap=\"#") + map + QLatin1String("\" border=0>\n");
    out += QLatin1String("<MAP name=\"") + map + QLatin1Char('"');
    appendAttributes(out, mapAttributes);
    out += QLatin1String(">\n");
    for (const MapArea& area : areas) {
        appendAreaLine(out, area);
        out += QLatin1Char('\n');
    }
    out += QLatin1String(kTail);
    return out;
}

QString ToCrLfLines(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16 + 2);
    const int n = text.size();
    int i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            out += QLatin1String("\r\n");
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            out += c;
        }
        ++i;
    }
    // The last line gets its line end too.
    if (n > 0 && !out.endsWith(QLatin1String("\r\n")))
        out += QLatin1String("\r\n");
    return out;
}
