#include "SaveIntoPage.h"

#include "HtmlDecoding.h"
#include "PageScan.h"

#include <QHash>
#include <QStringConverter>

#include <algorithm>
#include <memory>

namespace {

// The page's characters for scanning, with the way back to its bytes. Pages in a one-byte or
// ASCII-based multi-byte encoding are scanned byte by byte (every tag and attribute name is ASCII,
// so offsets are byte offsets); UTF-16 pages are decoded, two bytes a unit after the mark.
class PageText
{
public:
    explicit PageText(const QByteArray& bytes) : FBytes(bytes)
    {
        const auto bom = QStringConverter::encodingForData(bytes);
        if (bom && (*bom == QStringConverter::Utf16LE || *bom == QStringConverter::Utf16BE)) {
            FEncoding = *bom;
            FUnit = 2;
            FBom = 2;
            QStringDecoder decoder(*bom);
            Text = decoder.decode(bytes);
            return;
        }
        Text = QString::fromLatin1(bytes);
        if (bom) {
            FEncoding = *bom;
            return;
        }
        // The encoding the page was read in (see DecodeHTMLBytes).
        QByteArray charset = DeclaredHTMLCharset(bytes);
        if (charset == "iso-8859-1" || charset == "latin1" || charset == "l1" || charset == "iso8859-1" ||
            charset == "us-ascii" || charset == "ascii" || charset == "cp1252")
            charset = "windows-1252";
        if (charset.startsWith("utf-16") || charset == "unicode")
            charset = "utf-8";
        if (!charset.isEmpty() && QStringEncoder(charset.constData()).isValid()) {
            FCharset = charset;
            return;
        }
        QStringDecoder utf8(QStringConverter::Utf8);
        utf8.decode(bytes);
        if (utf8.hasError())
            FCharset = "windows-1252";
    }

    QString Text;

    QByteArray Raw(int from, int to) const { return FBytes.mid(FBom + FUnit * from, FUnit * (to - from)); }
    QByteArray Head(int to) const { return FBytes.left(FBom + FUnit * to); }
    QByteArray Tail(int from) const { return FBytes.mid(FBom + FUnit * from); }

    // A new text in the page's encoding; a character the encoding lacks is written as a
    // character reference.
    QByteArray Encode(const QString& text) const
    {
        if (FUnit == 1 && FCharset.isEmpty() && FEncoding == QStringConverter::Utf8)
            return text.toUtf8();
        const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 128; });
        if (FUnit == 1 && ascii)
            return text.toLatin1();
        if (FCharset.isEmpty()) {
            QStringEncoder encoder(FEncoding, QStringConverter::Flag::Stateless);
            return encoder.encode(text);
        }
        QStringEncoder encoder(FCharset.constData(), QStringConverter::Flag::Stateless);
        QByteArray out;
        for (int i = 0; i < text.size(); ++i) {
            const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            const QString one = text.mid(i, pair ? 2 : 1);
            if (pair)
                ++i;
            if (one[0].unicode() < 128) {
                out += one.toLatin1();
                continue;
            }
            const QByteArray encoded = encoder.encode(one);
            QStringDecoder back(FCharset.constData(), QStringConverter::Flag::Stateless);
            if (back.decode(encoded) == one && !encoded.isEmpty())
                out += encoded;
            else
                out += "&#" + QByteArray::number(one.toUcs4().value(0)) + ';';
        }
        return out;
    }

private:
    QByteArray FBytes;
    QStringConverter::Encoding FEncoding = QStringConverter::Utf8;
    QByteArray FCharset; // a named encoding when the page is not in a Unicode one
    int FUnit = 1;
    int FBom = 0;
};

bool isAllUpper(QStringView s)
{
    bool letter = false;
    for (QChar c : s) {
        if (c.isLower())
            return false;
        letter = letter || c.isLetter();
    }
    return letter;
}

// How the page writes its areas, taken from its first area.
struct AreaStyle
{
    QString TagName = QStringLiteral("area");
    bool UpperNames = false;
    bool UpperShapes = false;
    QChar Quote = QLatin1Char('"');
    QString Close = QStringLiteral(">");

    static AreaStyle Of(QStringView text, const ScannedMap& map)
    {
        AreaStyle style;
        if (map.Areas.isEmpty()) {
            style.UpperNames = isAllUpper(map.StartTag.Name(text));
            style.TagName = style.UpperNames ? QStringLiteral("AREA") : QStringLiteral("area");
            return style;
        }
        const ScannedTag& first = map.Areas.first();
        style.TagName = first.Name(text).toString();
        if (!first.Attributes.isEmpty()) {
            const ScannedAttribute& a = first.Attributes.first();
            style.UpperNames = isAllUpper(text.mid(a.NameStart, a.NameEnd - a.NameStart));
        } else {
            style.UpperNames = isAllUpper(first.Name(text));
        }
        for (const ScannedAttribute& a : first.Attributes) {
            if (a.ValueStart >= 0) {
                style.Quote = a.Quote;
                break;
            }
        }
        if (const ScannedAttribute* shape = first.Find(text, "shape"); shape && shape->ValueStart >= 0)
            style.UpperShapes = isAllUpper(text.mid(shape->ValueStart, shape->ValueEnd - shape->ValueStart));
        if (first.SelfClosing)
            style.Close = text.mid(first.End - 3, 1) == QLatin1String(" ") ? QStringLiteral(" />")
                                                                            : QStringLiteral("/>");
        return style;
    }

    QString Name(const char* name) const
    {
        const QString n = QString::fromLatin1(name);
        return UpperNames ? n.toUpper() : n;
    }

    QString Value(const QString& value) const
    {
        if (Quote.isNull()) {
            const bool bare = !value.isEmpty() && std::none_of(value.cbegin(), value.cend(), [](QChar c) {
                return c.unicode() <= ' ' || c == QLatin1Char('"') || c == QLatin1Char('\'') ||
                       c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>') ||
                       c == QLatin1Char('`');
            });
            if (bare)
                return value;
        }
        const QChar quote = Quote.isNull() ? QChar(QLatin1Char('"')) : Quote;
        QString escaped = value;
        escaped.replace(quote, quote == QLatin1Char('"') ? QLatin1String("&quot;") : QLatin1String("&#39;"));
        return quote + escaped + quote;
    }

    void Append(QString& out, const QString& name, const QString& value, bool bare = false) const
    {
        out += QLatin1Char(' ') + name;
        if (!bare)
            out += QLatin1Char('=') + Value(value);
    }
};

QString coordsText(const MapArea& area)
{
    auto n = [](qint64 v) { return QString::number(v); };
    QString s;
    switch (area.shape) {
    case MapArea::Shape::Rect:
        return n(area.Left) + QLatin1Char(',') + n(area.Top) + QLatin1Char(',') + n(qint64(area.Left) + area.Width) +
               QLatin1Char(',') + n(qint64(area.Top) + area.Height);
    case MapArea::Shape::Circle:
        return n(qint64(area.Left) + area.Width / 2) + QLatin1Char(',') + n(qint64(area.Top) + area.Height / 2) +
               QLatin1Char(',') + n(area.Width / 2);
    case MapArea::Shape::Poly:
        for (int i = 0; i < area.Vertices.size(); ++i) {
            if (i > 0)
                s += QLatin1Char(',');
            s += n(area.Vertices[i].x()) + QLatin1Char(',') + n(area.Vertices[i].y());
        }
        break;
    }
    return s;
}

// A new area tag in the page's style. `source` is the tag the area was imported from, if any: an
// attribute it had stays even when empty, and one it lacked is not added empty. An area that had
// no link (no href, or nohref) stays without one while its address is empty.
QString areaText(QStringView text, const AreaStyle& style, const MapArea& area, const ScannedTag* source)
{
    static const char* const kShapes[] = {"rect", "circle", "poly"};
    auto had = [&](const char* name) { return source && source->Find(text, name); };
    QString out = QLatin1Char('<') + style.TagName;
    const QString shape = QString::fromLatin1(kShapes[static_cast<int>(area.shape)]);
    style.Append(out, style.Name("shape"), style.UpperShapes ? shape.toUpper() : shape);
    style.Append(out, style.Name("coords"), coordsText(area));
    const bool linkless = source ? (!had("href") || had("nohref")) : true;
    if (!area.HRef.isEmpty() || !linkless)
        style.Append(out, style.Name("href"), area.HRef);
    if (!area.AltText.isEmpty() || had("alt") || !source)
        style.Append(out, style.Name("alt"), area.AltText);
    if (!area.Target.isEmpty() || had("target"))
        style.Append(out, style.Name("target"), area.Target);
    for (const auto& attribute : area.Attributes) {
        // A kept name keeps its letters as the page wrote them when the area came from it.
        QString name = style.UpperNames ? attribute.first.toUpper() : attribute.first;
        if (source) {
            for (const ScannedAttribute& a : source->Attributes) {
                const QStringView written = text.mid(a.NameStart, a.NameEnd - a.NameStart);
                if (written.compare(attribute.first, Qt::CaseInsensitive) == 0) {
                    name = written.toString();
                    break;
                }
            }
        }
        style.Append(out, name, attribute.second, attribute.second.isEmpty());
    }
    return out + style.Close;
}

QString lineBreakOf(const QString& text)
{
    const int lf = text.indexOf(QLatin1Char('\n'));
    if (lf > 0 && text[lf - 1] == QLatin1Char('\r'))
        return QStringLiteral("\r\n");
    if (lf < 0 && text.contains(QLatin1Char('\r')))
        return QStringLiteral("\r");
    return QStringLiteral("\n");
}

// The blanks before a tag on its line.
QString indentationBefore(const QString& text, int pos)
{
    int p = pos;
    while (p > 0 && (text[p - 1] == QLatin1Char(' ') || text[p - 1] == QLatin1Char('\t')))
        --p;
    return text.mid(p, pos - p);
}

struct Edit
{
    int Start;
    int End;
    QByteArray Bytes;
};

} // namespace

bool RewritePageMap(const QByteArray& page, const PageMapOrigin& origin, const QString& mapName,
                    const QVector<MapArea>& areas, PageRewrite* result, QString* errorMessage)
{
    const PageText pageText(page);
    const QString& text = pageText.Text;
    ScannedMap map;
    if (!FindMapElement(text, origin.MapPosition, &map) || map.Areas.size() != origin.SourceAreaCount) {
        if (errorMessage)
            *errorMessage =
                QStringLiteral("The image map \"%1\" is no longer in \"%2\" as it was imported")
                    .arg(origin.MapName, origin.FileName);
        return false;
    }

    QVector<const MapArea*> imported(map.Areas.size(), nullptr);
    for (const MapArea& area : origin.Areas)
        if (area.SourceArea >= 0 && area.SourceArea < imported.size())
            imported[area.SourceArea] = &area;

    // The text before each original area (from the end of the tag before it), the separator for
    // areas drawn since, and what follows the last area up to the end tag.
    QVector<int> gapStart(map.Areas.size());
    for (int i = 0; i < map.Areas.size(); ++i)
        gapStart[i] = i == 0 ? map.StartTag.End : map.Areas[i - 1].End;
    const int tailStart = map.Areas.isEmpty() ? map.StartTag.End : map.Areas.last().End;
    QString separator;
    if (map.Areas.size() >= 2)
        separator = text.mid(gapStart[1], map.Areas[1].Start - gapStart[1]);
    else if (map.Areas.size() == 1 && text.mid(gapStart[0], map.Areas[0].Start - gapStart[0]).contains('\n'))
        separator = text.mid(gapStart[0], map.Areas[0].Start - gapStart[0]);
    else
        separator = lineBreakOf(text) + indentationBefore(text, map.Areas.isEmpty() ? map.StartTag.Start
                                                                                      : map.Areas[0].Start);
    const QByteArray encodedSeparator = pageText.Encode(separator);
    const AreaStyle style = AreaStyle::Of(text, map);

    QVector<Edit> edits;
    QByteArray body;
    body.reserve(pageText.Raw(map.StartTag.End, map.EndTagStart).size() + areas.size() * 16);
    QVector<int> positions;
    positions.reserve(areas.size());
    int written = 0;
    // Areas the import left out keep their place before the next area that came from the page.
    int nextLeftOut = 0;
    auto keepLeftOut = [&](int before) {
        for (; nextLeftOut < before; ++nextLeftOut) {
            if (imported[nextLeftOut])
                continue;
            body += pageText.Raw(gapStart[nextLeftOut], map.Areas[nextLeftOut].End);
            ++written;
        }
    };
    for (const MapArea& area : areas) {
        const int j = area.SourceArea;
        const bool fromPage = j >= 0 && j < map.Areas.size() && imported[j];
        if (fromPage)
            keepLeftOut(j);
        body += fromPage ? pageText.Raw(gapStart[j], map.Areas[j].Start) : encodedSeparator;
        if (fromPage && *imported[j] == area)
            body += pageText.Raw(map.Areas[j].Start, map.Areas[j].End);
        else
            body += pageText.Encode(areaText(text, style, area, fromPage ? &map.Areas[j] : nullptr));
        positions.append(written++);
    }
    keepLeftOut(map.Areas.size());
    body += pageText.Raw(tailStart, map.EndTagStart);
    edits.append({map.StartTag.End, map.EndTagStart, body});

    if (mapName != origin.MapName) {
        // The map's name and every usemap that named it follow the new name.
        auto renameValue = [&](const ScannedTag& tag, const char* attributeName, const QString& value) {
            if (const ScannedAttribute* a = tag.Find(text, attributeName); a && a->ValueStart >= 0) {
                const QString v = a->Quote.isNull() ? AreaStyle{}.Value(value) : value;
                QString escaped = v;
                if (!a->Quote.isNull())
                    escaped.replace(a->Quote, a->Quote == QLatin1Char('"') ? QLatin1String("&quot;")
                                                                           : QLatin1String("&#39;"));
                edits.append({a->ValueStart, a->ValueEnd, pageText.Encode(escaped)});
            }
        };
        renameValue(map.StartTag, "name", mapName);
        PageScanner scanner(text);
        ScannedTag tag;
        const QString oldRef = QLatin1Char('#') + origin.MapName;
        while (scanner.Next(&tag)) {
            if (tag.EndTag || !tag.Is(text, "img"))
                continue;
            const ScannedAttribute* a = tag.Find(text, "usemap");
            if (a && a->ValueStart >= 0 &&
                QStringView(text).mid(a->ValueStart, a->ValueEnd - a->ValueStart).compare(oldRef, Qt::CaseInsensitive) == 0)
                renameValue(tag, "usemap", QLatin1Char('#') + mapName);
        }
        std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.Start < b.Start; });
    }

    QByteArray out;
    out.reserve(page.size() + body.size());
    int done = 0;
    out += pageText.Head(0);
    for (const Edit& edit : edits) {
        out += pageText.Raw(done, edit.Start);
        out += edit.Bytes;
        done = edit.End;
    }
    out += pageText.Tail(done);
    result->Bytes = std::move(out);
    result->AreaPositions = std::move(positions);
    result->AreaCount = written;
    return true;
}
