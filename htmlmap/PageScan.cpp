#include "PageScan.h"

namespace {

bool isSpace(QChar c)
{
    const ushort u = c.unicode();
    return u == ' ' || u == '\t' || u == '\n' || u == '\r' || u == '\f';
}

bool isAsciiLetter(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

bool startsWithAt(QStringView text, int pos, const char* what)
{
    return text.mid(pos).startsWith(QLatin1String(what), Qt::CaseInsensitive);
}

// Elements whose content the tokenizer reads as text until their end tag.
bool isRawTextElement(QStringView name)
{
    for (const char* raw : {"script", "style", "title", "textarea", "xmp", "iframe", "noembed", "noframes"})
        if (name.compare(QLatin1String(raw), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

const ScannedAttribute* ScannedTag::Find(QStringView text, const char* name) const
{
    for (const ScannedAttribute& a : Attributes)
        if (text.mid(a.NameStart, a.NameEnd - a.NameStart).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

bool PageScanner::Next(ScannedTag* tag)
{
    const int n = FText.size();
    while (FPos < n) {
        const int lt = FText.indexOf(QLatin1Char('<'), FPos);
        if (lt < 0) {
            FPos = n;
            return false;
        }
        FPos = lt;
        if (startsWithAt(FText, FPos, "<!--")) {
            // "<!-->" and "<!--->" close at once, as in the tokenizer.
            int close = FText.indexOf(QLatin1String("-->"), FPos + 2);
            FPos = close < 0 ? n : close + 3;
            continue;
        }
        if (startsWithAt(FText, FPos, "<!") || startsWithAt(FText, FPos, "<?") ||
            (startsWithAt(FText, FPos, "</") && FPos + 2 < n && !isAsciiLetter(FText[FPos + 2]) &&
             FText[FPos + 2] != QLatin1Char('>'))) {
            const int close = FText.indexOf(QLatin1Char('>'), FPos);
            FPos = close < 0 ? n : close + 1;
            continue;
        }
        const bool endTag = startsWithAt(FText, FPos, "</");
        const int nameStart = FPos + (endTag ? 2 : 1);
        if (nameStart >= n || !isAsciiLetter(FText[nameStart])) {
            ++FPos; // a '<' that starts no tag is text
            continue;
        }
        if (!ReadTag(tag))
            return false;
        if (!tag->EndTag) {
            const QStringView name = tag->Name(FText);
            if (name.compare(QLatin1String("template"), Qt::CaseInsensitive) == 0)
                SkipTemplate();
            else if (isRawTextElement(name))
                SkipRawText(name);
            else if (name.compare(QLatin1String("plaintext"), Qt::CaseInsensitive) == 0)
                FPos = n;
        }
        return true;
    }
    return false;
}

bool PageScanner::ReadTag(ScannedTag* tag)
{
    const int n = FText.size();
    *tag = ScannedTag();
    tag->Start = FPos;
    tag->EndTag = startsWithAt(FText, FPos, "</");
    int p = FPos + (tag->EndTag ? 2 : 1);
    tag->NameStart = p;
    while (p < n && !isSpace(FText[p]) && FText[p] != QLatin1Char('/') && FText[p] != QLatin1Char('>'))
        ++p;
    tag->NameEnd = p;
    for (;;) {
        while (p < n && (isSpace(FText[p]) || FText[p] == QLatin1Char('/'))) {
            tag->SelfClosing = FText[p] == QLatin1Char('/');
            ++p;
        }
        if (p >= n) {
            tag->End = FPos = n;
            return true;
        }
        if (FText[p] == QLatin1Char('>')) {
            tag->End = FPos = p + 1;
            return true;
        }
        tag->SelfClosing = false;
        ScannedAttribute attribute;
        attribute.NameStart = p;
        ++p; // a name may start with '='
        while (p < n && !isSpace(FText[p]) && FText[p] != QLatin1Char('/') && FText[p] != QLatin1Char('>') &&
               FText[p] != QLatin1Char('='))
            ++p;
        attribute.NameEnd = p;
        int q = p;
        while (q < n && isSpace(FText[q]))
            ++q;
        if (q < n && FText[q] == QLatin1Char('=')) {
            ++q;
            while (q < n && isSpace(FText[q]))
                ++q;
            if (q < n && (FText[q] == QLatin1Char('"') || FText[q] == QLatin1Char('\''))) {
                attribute.Quote = FText[q];
                attribute.ValueStart = q + 1;
                const int close = FText.indexOf(attribute.Quote, q + 1);
                attribute.ValueEnd = close < 0 ? n : close;
                p = close < 0 ? n : close + 1;
            } else {
                attribute.ValueStart = q;
                while (q < n && !isSpace(FText[q]) && FText[q] != QLatin1Char('>'))
                    ++q;
                attribute.ValueEnd = p = q;
            }
        }
        if (!tag->EndTag && FKeepAttributes)
            tag->Attributes.append(attribute);
    }
}

void PageScanner::SkipRawText(QStringView name)
{
    const int n = FText.size();
    for (;;) {
        const int close = FText.indexOf(QLatin1String("</"), FPos);
        if (close < 0) {
            FPos = n;
            return;
        }
        const int after = close + 2 + name.size();
        if (FText.mid(close + 2, name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
            (after >= n || isSpace(FText[after]) || FText[after] == QLatin1Char('/') ||
             FText[after] == QLatin1Char('>'))) {
            FPos = close;
            return;
        }
        FPos = close + 2;
    }
}

void PageScanner::SkipTemplate()
{
    // A nested template is skipped whole by the Next that returns its start tag.
    ScannedTag tag;
    while (Next(&tag)) {
        if (tag.EndTag && tag.Is(FText, "template"))
            return;
    }
}

bool FindMapElement(QStringView text, int mapPosition, ScannedMap* map)
{
    PageScanner scanner(text);
    ScannedTag tag;
    int maps = 0;
    bool inside = false;
    while (scanner.Next(&tag)) {
        if (!inside) {
            if (!tag.EndTag && tag.Is(text, "map") && maps++ == mapPosition) {
                *map = ScannedMap();
                map->StartTag = tag;
                inside = true;
            }
            continue;
        }
        if (tag.Is(text, "map") && tag.EndTag) {
            map->EndTagStart = tag.Start;
            map->End = tag.End;
            return true;
        }
        if (!tag.EndTag && tag.Is(text, "area"))
            map->Areas.append(tag);
    }
    return false;
}

QVector<ScannedMap> ScanMapElements(QStringView text, QVector<ScannedTag>* areas)
{
    QVector<ScannedMap> maps;
    QVector<int> open; // maps whose end tag is still to come: nested ones share the first end tag
    int areaCount = 0;
    PageScanner scanner(text, false);
    ScannedTag tag;
    while (scanner.Next(&tag)) {
        if (tag.Is(text, "map")) {
            if (!tag.EndTag) {
                open.append(maps.size());
                maps.append(ScannedMap());
                maps.last().StartTag = PageScanner::ReadTagAt(text, tag.Start);
                maps.last().AreaBegin = areaCount;
            } else {
                for (int i : open) {
                    maps[i].EndTagStart = tag.Start;
                    maps[i].End = tag.End;
                    maps[i].AreaEnd = areaCount;
                }
                open.clear();
            }
        } else if (!tag.EndTag && !open.isEmpty() && tag.Is(text, "area")) {
            if (areas)
                areas->append(tag);
            ++areaCount;
        }
    }
    for (int i : open) {
        maps[i].End = text.size();
        maps[i].AreaEnd = areaCount;
    }
    return maps;
}

bool HoldsAnotherMap(const QVector<ScannedMap>& maps, int i)
{
    return i + 1 < maps.size() && maps[i + 1].StartTag.Start < maps[i].End;
}

ScannedTag PageScanner::ReadTagAt(QStringView text, int start)
{
    PageScanner scanner(text);
    scanner.FPos = start;
    ScannedTag tag;
    scanner.ReadTag(&tag);
    return tag;
}
