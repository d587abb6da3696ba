#include "AreaTagEdit.h"

#include <QRect>

#include <algorithm>

namespace {

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

QString shapeText(const MapArea& area)
{
    static const char* const kShapes[] = {"rect", "circle", "poly"};
    return QString::fromLatin1(kShapes[static_cast<int>(area.shape)]);
}

// A rectangle's edges from left to right and top to bottom.
QRect normalised(const MapArea& a)
{
    const qint64 right = qint64(a.Left) + a.Width, bottom = qint64(a.Top) + a.Height;
    return QRect(QPoint(int(std::min<qint64>(a.Left, right)), int(std::min<qint64>(a.Top, bottom))),
                 QPoint(int(std::max<qint64>(a.Left, right)), int(std::max<qint64>(a.Top, bottom))));
}

bool sameRegion(const MapArea& a, const MapArea& b)
{
    if (a.shape != b.shape)
        return false;
    switch (a.shape) {
    case MapArea::Shape::Rect:
        return normalised(a) == normalised(b);
    case MapArea::Shape::Circle:
        return coordsText(a) == coordsText(b);
    case MapArea::Shape::Poly:
        return a.Vertices == b.Vertices;
    }
    return false;
}

const QString* findValue(const AttributeList& list, QStringView name)
{
    for (const auto& attribute : list)
        if (name.compare(attribute.first, Qt::CaseInsensitive) == 0)
            return &attribute.second;
    return nullptr;
}

int attributeEnd(const ScannedAttribute& a, const ScannedTag& tag)
{
    if (a.ValueStart < 0)
        return a.NameEnd;
    if (a.Quote.isNull())
        return a.ValueEnd;
    return std::min(a.ValueEnd + 1, tag.End);
}

} // namespace

AreaStyle AreaStyle::Of(QStringView text, const ScannedMap& map)
{
    AreaStyle style;
    if (map.Areas.isEmpty()) {
        style.UpperNames = isAllUpper(map.StartTag.Name(text));
        style.TagName = style.UpperNames ? QStringLiteral("AREA") : QStringLiteral("area");
        return style;
    }
    style.TagName = map.Areas.first().Name(text).toString();
    return OfTag(text, PageScanner::ReadTagAt(text, map.Areas.first().Start), style);
}

AreaStyle AreaStyle::OfTag(QStringView text, const ScannedTag& tag, const AreaStyle& fallback)
{
    AreaStyle style = fallback;
    if (!tag.Attributes.isEmpty()) {
        const ScannedAttribute& a = tag.Attributes.first();
        style.UpperNames = isAllUpper(text.mid(a.NameStart, a.NameEnd - a.NameStart));
    } else {
        style.UpperNames = isAllUpper(tag.Name(text));
    }
    for (const ScannedAttribute& a : tag.Attributes) {
        if (a.ValueStart >= 0) {
            style.Quote = a.Quote;
            break;
        }
    }
    if (const ScannedAttribute* shape = tag.Find(text, "shape"); shape && shape->ValueStart >= 0)
        style.UpperShapes = isAllUpper(text.mid(shape->ValueStart, shape->ValueEnd - shape->ValueStart));
    if (tag.SelfClosing)
        style.Close = text.mid(tag.End - 3, 1) == QLatin1String(" ") ? QStringLiteral(" />") : QStringLiteral("/>");
    return style;
}

QString AreaStyle::Name(const char* name) const
{
    const QString n = QString::fromLatin1(name);
    return UpperNames ? n.toUpper() : n;
}

QString EscapeForQuote(const QString& value, QChar quote)
{
    QString escaped = value;
    escaped.replace(quote, quote == QLatin1Char('"') ? QLatin1String("&quot;") : QLatin1String("&#39;"));
    return escaped;
}

QString AreaStyle::Value(const QString& value) const
{
    if (Quote.isNull()) {
        const bool bare = !value.isEmpty() && std::none_of(value.cbegin(), value.cend(), [](QChar c) {
            return c.unicode() <= ' ' || c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char('=') ||
                   c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('`');
        });
        if (bare)
            return value;
    }
    const QChar quote = Quote.isNull() ? QChar(QLatin1Char('"')) : Quote;
    return quote + EscapeForQuote(value, quote) + quote;
}

void AreaStyle::Append(QString& out, const QString& name, const QString& value, bool bare) const
{
    out += QLatin1Char(' ') + name;
    if (!bare)
        out += QLatin1Char('=') + Value(value);
}

bool SameArea(const MapArea& imported, const MapArea& now)
{
    return sameRegion(imported, now) && imported.HRef == now.HRef && imported.AltText == now.AltText &&
           imported.Target == now.Target && imported.Attributes == now.Attributes;
}

QString NewAreaText(const AreaStyle& style, const MapArea& area)
{
    QString out = QLatin1Char('<') + style.TagName;
    const QString shape = shapeText(area);
    style.Append(out, style.Name("shape"), style.UpperShapes ? shape.toUpper() : shape);
    style.Append(out, style.Name("coords"), coordsText(area));
    // No address, no link: href="" would link to the page itself.
    if (!area.HRef.isEmpty())
        style.Append(out, style.Name("href"), area.HRef);
    style.Append(out, style.Name("alt"), area.AltText);
    if (!area.Target.isEmpty())
        style.Append(out, style.Name("target"), area.Target);
    for (const auto& attribute : area.Attributes)
        style.Append(out, style.UpperNames ? attribute.first.toUpper() : attribute.first, attribute.second,
                     attribute.second.isEmpty());
    // A bare value right before "/>" would take the slash in: alt=A/> reads as "A/".
    return out + (style.Quote.isNull() && style.Close == QLatin1String("/>") ? QStringLiteral(" />") : style.Close);
}

QByteArray EditedAreaBytes(const PageText& page, const ScannedTag& tag, const MapArea& before,
                           const MapArea& after, const AreaStyle& mapStyle)
{
    const QString& text = page.Text;
    const AreaStyle style = AreaStyle::OfTag(text, tag, mapStyle);
    QVector<PageEdit> edits;
    // New attributes go after the last one, before the blanks and the closing.
    const int insertAt = tag.Attributes.isEmpty() ? tag.NameEnd : attributeEnd(tag.Attributes.last(), tag);
    auto setValue = [&](const ScannedAttribute& a, const QString& value) {
        if (a.ValueStart < 0) {
            if (!value.isEmpty())
                edits.append({a.NameEnd, a.NameEnd, page.Encode(QLatin1Char('=') + style.Value(value))});
        } else if (!a.Quote.isNull()) {
            edits.append({a.ValueStart, a.ValueEnd, page.Encode(EscapeForQuote(value, a.Quote))});
        } else {
            edits.append({a.ValueStart, a.ValueEnd, page.Encode(style.Value(value))});
        }
    };
    // A bare value right before "/>" would take the slash in: such a one is quoted.
    AreaStyle added = style;
    if (added.Quote.isNull() && insertAt < tag.End && text[insertAt] == QLatin1Char('/'))
        added.Quote = QLatin1Char('"');
    auto add = [&](const QString& name, const QString& value, bool bare = false) {
        QString out;
        added.Append(out, name, value, bare);
        edits.append({insertAt, insertAt, page.Encode(out)});
    };
    // An attribute goes with the blanks before it.
    auto remove = [&](const ScannedAttribute& a) {
        const int i = int(&a - tag.Attributes.constData());
        const int start = i == 0 ? tag.NameEnd : attributeEnd(tag.Attributes[i - 1], tag);
        edits.append({start, attributeEnd(a, tag), QByteArray()});
    };
    auto field = [&](const char* name, const QString& was, const QString& now, bool addEmpty) {
        if (was == now)
            return;
        if (const ScannedAttribute* a = tag.Find(text, name)) {
            // An emptied address makes no link: href="" would link to the page itself.
            if (now.isEmpty() && qstrcmp(name, "href") == 0)
                remove(*a);
            else
                setValue(*a, now);
        } else if (!now.isEmpty() || addEmpty) {
            add(style.Name(name), now);
        }
    };
    if (before.shape != after.shape) {
        const ScannedAttribute* a = tag.Find(text, "shape");
        const bool upper =
            a && a->ValueStart >= 0 ? isAllUpper(QStringView(text).mid(a->ValueStart, a->ValueEnd - a->ValueStart))
                                    : style.UpperShapes;
        field("shape", QString(), upper ? shapeText(after).toUpper() : shapeText(after), true);
    }
    if (!sameRegion(before, after))
        field("coords", QString(), coordsText(after), true);
    field("href", before.HRef, after.HRef, false);
    field("alt", before.AltText, after.AltText, false);
    field("target", before.Target, after.Target, false);

    // The other attributes, by name: the first of each name is the one a browser reads.
    QVector<QString> seen;
    for (int i = 0; i < tag.Attributes.size(); ++i) {
        const ScannedAttribute& a = tag.Attributes[i];
        const QStringView name = QStringView(text).mid(a.NameStart, a.NameEnd - a.NameStart);
        const QString folded = name.toString().toLower();
        if (seen.contains(folded))
            continue;
        seen.append(folded);
        const QString* was = findValue(before.Attributes, name);
        if (!was)
            continue; // a field, or what the import did not keep: as written
        const QString* now = findValue(after.Attributes, name);
        if (!now)
            remove(a);
        else if (*now != *was)
            setValue(a, *now);
    }
    for (const auto& attribute : after.Attributes)
        if (!findValue(before.Attributes, attribute.first))
            add(style.UpperNames ? attribute.first.toUpper() : attribute.first, attribute.second,
                attribute.second.isEmpty());

    SortPageEdits(edits);
    QByteArray out;
    int done = tag.Start;
    for (const PageEdit& edit : edits) {
        out += page.RawView(done, edit.Start);
        out += edit.Bytes;
        done = edit.End;
    }
    out += page.RawView(done, tag.End);
    return out;
}

void SortPageEdits(QVector<PageEdit>& edits)
{
    // An insertion before a removal that starts at the same place.
    std::stable_sort(edits.begin(), edits.end(), [](const PageEdit& a, const PageEdit& b) {
        return a.Start != b.Start ? a.Start < b.Start : a.End < b.End;
    });
}
