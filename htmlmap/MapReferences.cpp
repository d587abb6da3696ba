#include "MapReferences.h"

#include "HtmlDocument.h"
#include "HtmlTexts.h"

#include <QCoreApplication>

namespace {

// An attribute text as a browser reads it, character references decoded.
QString decodedValue(const QString& raw, QChar quote)
{
    if (!raw.contains(QLatin1Char('&')))
        return raw;
    HtmlDocument document;
    const QString q = quote.isNull() ? QString() : QString(quote);
    if (!document.Write(QStringLiteral("<img usemap=") + q + raw + q + QLatin1Char('>')) ||
        document.Images().isEmpty())
        return raw;
    return document.Images().first().GetAttributeText(QStringLiteral("usemap"));
}

QString attributeValue(const PageText& page, const ScannedAttribute& a)
{
    return a.ValueStart < 0 ? QString() : decodedValue(page.Decode(a.ValueStart, a.ValueEnd), a.Quote);
}

// A text as the editor holds it (HTML, see EscapeImportedText) as a browser reads it.
QString readText(const QString& html)
{
    return decodedValue(EscapeForQuote(html, QLatin1Char('"')), QLatin1Char('"'));
}

QString mapNameOf(const PageText& page, const ScannedMap& map)
{
    const ScannedAttribute* a = map.StartTag.Find(page.Text, "name");
    return a ? attributeValue(page, *a) : QString();
}

int attributeEnd(const ScannedAttribute& a, const ScannedTag& tag)
{
    if (a.ValueStart < 0)
        return a.NameEnd;
    return a.Quote.isNull() ? a.ValueEnd : std::min(a.ValueEnd + 1, tag.End);
}

// The edit that gives the attribute `value` (HTML text), keeping its quotes; a bare value that
// cannot stay bare is quoted as `style` quotes.
PageEdit valueEdit(const PageText& page, const ScannedAttribute& a, const QString& value, const AreaStyle& style)
{
    if (a.ValueStart < 0)
        return {a.NameEnd, a.NameEnd, page.Encode(QLatin1Char('=') + style.Value(value))};
    if (!a.Quote.isNull())
        return {a.ValueStart, a.ValueEnd, page.Encode(EscapeForQuote(value, a.Quote))};
    return {a.ValueStart, a.ValueEnd, page.Encode(style.Value(value))};
}

} // namespace

bool RenameMapReferences(const PageText& page, const QVector<ScannedMap>& maps, int mapIndex,
                         const PageMapOrigin& origin, const QString& mapName, const QString& pictureSrc,
                         QVector<PageEdit>* edits, QString* errorMessage)
{
    const bool renamed = mapName != origin.MapName;
    const bool newPicture = !pictureSrc.isNull() && pictureSrc != origin.ImageSrc;
    if (!renamed && !newPicture)
        return true;
    const QString& text = page.Text;
    const ScannedMap& map = maps[mapIndex];
    const AreaStyle style = AreaStyle::OfTag(text, map.StartTag, AreaStyle());
    const QString oldName = mapNameOf(page, map);
    // A usemap names the first map of its name: one that an earlier map's name hides has no image.
    bool named = !oldName.isEmpty();
    for (int i = 0; i < mapIndex && named; ++i)
        named = mapNameOf(page, maps[i]).toCaseFolded() != oldName.toCaseFolded();
    if (renamed) {
        // Another map's name would take that map's images over, or give this map's to it.
        const QString newName = readText(mapName).toCaseFolded();
        for (int i = 0; i < maps.size(); ++i) {
            if (i != mapIndex && mapNameOf(page, maps[i]).toCaseFolded() == newName) {
                if (errorMessage)
                    *errorMessage = QCoreApplication::translate("SaveIntoPage",
                                                                "The image map cannot be named \"%1\": \"%2\" has "
                                                                "another image map of that name.")
                                        .arg(mapName, origin.FileName);
                return false;
            }
        }
        if (const ScannedAttribute* a = map.StartTag.Find(text, "name"))
            edits->append(valueEdit(page, *a, mapName, style));
        else {
            const int at = map.StartTag.Attributes.isEmpty() ? map.StartTag.NameEnd
                                                             : attributeEnd(map.StartTag.Attributes.last(), map.StartTag);
            QString added;
            style.Append(added, style.Name("name"), mapName);
            edits->append({at, at, page.Encode(added)});
        }
    }
    int pictures = 0;
    if (named) {
        const QString reference = (QLatin1Char('#') + oldName).toCaseFolded();
        const QString src = EscapeImportedText(pictureSrc);
        PageScanner scanner(text);
        ScannedTag tag;
        while (scanner.Next(&tag)) {
            if (tag.EndTag ||
                !(tag.Is(text, "img") || tag.Is(text, "image") || tag.Is(text, "input") || tag.Is(text, "object")))
                continue;
            const ScannedAttribute* usemap = tag.Find(text, "usemap");
            if (!usemap || attributeValue(page, *usemap).toCaseFolded() != reference)
                continue;
            const AreaStyle own = AreaStyle::OfTag(text, tag, style);
            if (renamed)
                edits->append(valueEdit(page, *usemap, QLatin1Char('#') + mapName, own));
            if (newPicture && !tag.Is(text, "object")) {
                if (const ScannedAttribute* a = tag.Find(text, "src")) {
                    edits->append(valueEdit(page, *a, src, own));
                    ++pictures;
                }
            }
        }
    }
    if (newPicture && pictures == 0) {
        if (errorMessage)
            *errorMessage = QCoreApplication::translate("SaveIntoPage",
                                                        "No image in \"%2\" uses the image map \"%1\": the name of "
                                                        "its new picture cannot be written into the page.")
                                .arg(origin.MapName, origin.FileName);
        return false;
    }
    return true;
}
