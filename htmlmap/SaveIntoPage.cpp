#include "SaveIntoPage.h"

#include "MapReferences.h"
#include "HtmlTexts.h"
#include "PageScan.h"
#include "PageText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString changedMessage(const PageMapOrigin& origin)
{
    return QCoreApplication::translate("SaveIntoPage",
                                       "The image map \"%1\" was changed in \"%2\" by another program since it "
                                       "was imported.")
        .arg(origin.MapName, origin.FileName);
}

// Markup a browser repairs (maps inside maps...): the map's areas are not those of its text.
QString apartMessage(const PageMapOrigin& origin)
{
    return QCoreApplication::translate("SaveIntoPage",
                                       "The areas of the image map \"%1\" in \"%2\" cannot be told apart in its "
                                       "text: the edited map cannot be written into it.")
        .arg(origin.MapName, origin.FileName);
}

QString lineBreakOf(QStringView text)
{
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    if (lf > 0 && text[lf - 1] == QLatin1Char('\r'))
        return QStringLiteral("\r\n");
    if (lf < 0 && text.contains(QLatin1Char('\r')))
        return QStringLiteral("\r");
    return QStringLiteral("\n");
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isWhiteSpace(QStringView text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return isBlank(c) || c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\f');
    });
}

// The blanks before a tag on its line, when it starts its line; null otherwise.
QString indentationBefore(const QString& text, int pos)
{
    int p = pos;
    while (p > 0 && isBlank(text[p - 1]))
        --p;
    if (p > 0 && text[p - 1] != QLatin1Char('\n') && text[p - 1] != QLatin1Char('\r'))
        return QString();
    return text.mid(p, pos - p);
}

// What goes before a drawn area: the white space between the map's first areas, or else the map's
// own line end and its areas' indentation. Never other text: a comment or markup between two
// areas belongs to them.
QString separatorOf(const QString& text, const ScannedMap& map)
{
    const auto& areas = map.Areas;
    if (areas.size() >= 2) {
        const QStringView gap = QStringView(text).mid(areas[0].End, areas[1].Start - areas[0].End);
        if (isWhiteSpace(gap))
            return gap.toString();
    }
    const QString lineBreak = lineBreakOf(QStringView(text).mid(map.StartTag.Start, map.End - map.StartTag.Start));
    if (!areas.isEmpty()) {
        const QStringView gap = QStringView(text).mid(map.StartTag.End, areas[0].Start - map.StartTag.End);
        if (isWhiteSpace(gap) && !gap.contains(QLatin1Char('\n')) && !gap.contains(QLatin1Char('\r')))
            return gap.toString(); // areas on the map's own line
        const QString indentation = indentationBefore(text, areas[0].Start);
        return lineBreak + indentation;
    }
    const QString indentation = indentationBefore(text, map.StartTag.Start);
    return lineBreak + indentation + (indentation.contains(QLatin1Char('\t')) ? QStringLiteral("\t")
                                                                              : QStringLiteral("  "));
}

// The text a deleted area takes with it: its own line when it stands alone on one, else the tag
// and the blanks that separated it from what stands before it on its line.
QPair<int, int> ownLine(const QString& text, const ScannedTag& tag, int from, int to)
{
    int start = tag.Start;
    while (start > from && isBlank(text[start - 1]))
        --start;
    int end = tag.End;
    while (end < to && isBlank(text[end]))
        ++end;
    const bool lineStart = start == 0 || text[start - 1] == QLatin1Char('\n') || text[start - 1] == QLatin1Char('\r');
    const bool lineEnd = end < text.size() && (text[end] == QLatin1Char('\n') || text[end] == QLatin1Char('\r'));
    if (lineStart && lineEnd) {
        if (text[end] == QLatin1Char('\r') && end + 1 < text.size() && text[end + 1] == QLatin1Char('\n'))
            ++end;
        return {start, end + 1};
    }
    if (lineStart)
        return {tag.Start, end};
    return {start, tag.End};
}

// The map of the page that is the one imported: found by its text as imported, wherever it stands
// now. -1 when it changed or is gone.
int findImportedMap(const PageText& page, const QVector<ScannedMap>& maps, const PageMapOrigin& origin)
{
    if (origin.MapDigest.isEmpty()) {
        // Imported without its text known: its position and area count are all there is to check.
        const int p = origin.MapPosition;
        return p < maps.size() && maps[p].EndTagStart >= 0 && !HoldsAnotherMap(maps, p) &&
                       maps[p].AreaEnd - maps[p].AreaBegin == origin.SourceAreaCount
                   ? p
                   : -1;
    }
    QVector<int> same;
    for (int i = 0; i < maps.size(); ++i) {
        const ScannedMap& map = maps[i];
        if (map.EndTagStart < 0 || HoldsAnotherMap(maps, i) ||
            page.ByteOffset(map.End) - page.ByteOffset(map.StartTag.Start) != origin.MapLength)
            continue;
        if (MapTextDigest(page.RawView(map.StartTag.Start, map.End)) == origin.MapDigest)
            same.append(i);
    }
    if (same.size() == 1)
        return same.first();
    // Copies of the same text: the one where it was, if any.
    for (int i : same)
        if (page.ByteOffset(maps[i].StartTag.Start) == origin.MapOffset)
            return i;
    for (int i : same)
        if (i == origin.MapPosition)
            return i;
    return -1;
}

} // namespace

PageMapOrigin PageMapOrigin::Of(const QString& fileName, const ImportedMap& map)
{
    PageMapOrigin origin;
    origin.FileName = fileName;
    origin.MapPosition = map.MapPosition;
    origin.MapName = map.MapName;
    origin.SourceAreaCount = map.SourceAreaCount;
    origin.Areas = map.Areas;
    origin.MapDigest = map.MapDigest;
    origin.MapOffset = map.MapOffset;
    origin.MapLength = map.MapLength;
    origin.ImageSrc = map.HasImage ? map.ImageSrc : QString();
    return origin;
}

QString PictureSourceFor(const QString& htmlFileName, const QString& pictureFile)
{
    const QDir folder(QFileInfo(htmlFileName).absolutePath());
    return QDir::fromNativeSeparators(folder.relativeFilePath(QFileInfo(pictureFile).absoluteFilePath()));
}

bool RewritePageMap(const QByteArray& page, const PageMapOrigin& origin, const QString& mapName,
                    const QVector<MapArea>& areas, PageRewrite* result, QString* errorMessage,
                    const QString& pictureSrc)
{
    const PageText pageText(page);
    const QString& text = pageText.Text;
    QVector<ScannedTag> areaTags;
    const QVector<ScannedMap> maps = ScanMapElements(text, &areaTags);
    const int found = findImportedMap(pageText, maps, origin);
    if (found < 0) {
        if (errorMessage) {
            const int p = origin.MapPosition;
            // Without its own end tag, a map ends at the next map's, or nowhere. One that held
            // another map already at the import never had its own.
            const bool nested = p < maps.size() && HoldsAnotherMap(maps, p);
            if (p < maps.size() && (maps[p].EndTagStart < 0 || (nested && !origin.MapDigest.isEmpty())))
                *errorMessage = QCoreApplication::translate("SaveIntoPage",
                                                            "The image map \"%1\" in \"%2\" has no end tag "
                                                            "</map>: the edited map cannot be written into it.")
                                    .arg(origin.MapName, origin.FileName);
            else if (nested)
                *errorMessage = apartMessage(origin);
            else
                *errorMessage = changedMessage(origin);
        }
        return false;
    }
    ScannedMap map = maps[found];
    map.Areas = areaTags.mid(map.AreaBegin, map.AreaEnd - map.AreaBegin);
    if (map.Areas.size() != origin.SourceAreaCount) {
        if (errorMessage)
            *errorMessage = apartMessage(origin);
        return false;
    }

    QVector<PageEdit> edits;
    QVector<const MapArea*> imported(map.Areas.size(), nullptr);
    for (const MapArea& area : origin.Areas)
        if (area.SourceArea >= 0 && area.SourceArea < imported.size())
            imported[area.SourceArea] = &area;
    const QByteArray separator = pageText.Encode(separatorOf(text, map));
    const AreaStyle style = AreaStyle::Of(text, map);
    auto areaBytes = [&](const MapArea& area, int j) {
        if (j < 0)
            return pageText.Encode(NewAreaText(style, area));
        if (SameArea(*imported[j], area))
            return pageText.Raw(map.Areas[j].Start, map.Areas[j].End);
        return EditedAreaBytes(pageText, PageScanner::ReadTagAt(text, map.Areas[j].Start), *imported[j], area, style);
    };

    QByteArray body;
    body.reserve(pageText.RawView(map.StartTag.End, map.EndTagStart).size() + areas.size() * 16);
    QVector<int> positions;
    positions.reserve(areas.size());
    int written = 0;
    int cursor = map.StartTag.End; // the original text is copied up to here
    int nextOriginal = 0;
    auto copyTo = [&](int pos) {
        body += pageText.RawView(cursor, pos);
        cursor = pos;
    };
    // The page's areas before `before` that were not given: those the import left out stay, those
    // the user deleted go with their own line.
    auto passOriginals = [&](int before) {
        for (; nextOriginal < before; ++nextOriginal) {
            const ScannedTag& tag = map.Areas[nextOriginal];
            if (!imported[nextOriginal]) {
                copyTo(tag.End);
                ++written;
                continue;
            }
            const QPair<int, int> line = ownLine(text, tag, cursor, map.EndTagStart);
            copyTo(line.first);
            cursor = line.second;
        }
    };
    auto fromPage = [&](const MapArea& area) {
        const int j = area.SourceArea;
        return j >= 0 && j < map.Areas.size() && imported[j] ? j : -1;
    };
    bool inOrder = true;
    for (int i = 0, last = -1; i < areas.size() && inOrder; ++i) {
        const int j = fromPage(areas[i]);
        inOrder = j < 0 || j > last;
        last = std::max(last, j);
    }
    if (inOrder) {
        // Every given area in its place: the text between them stays where it was.
        for (const MapArea& area : areas) {
            const int j = fromPage(area);
            if (j < 0) {
                copyTo(cursor);
                body += separator;
                body += areaBytes(area, -1);
            } else {
                passOriginals(j);
                copyTo(map.Areas[j].Start);
                body += areaBytes(area, j);
                cursor = map.Areas[j].End;
                nextOriginal = j + 1;
            }
            positions.append(written++);
        }
        passOriginals(map.Areas.size());
        copyTo(map.EndTagStart);
    } else {
        // Areas in a new order: each takes the text before it along.
        auto gapStart = [&](int j) { return j == 0 ? map.StartTag.End : map.Areas[j - 1].End; };
        auto keepLeftOut = [&](int before) {
            for (; nextOriginal < before; ++nextOriginal) {
                if (imported[nextOriginal])
                    continue;
                body += pageText.RawView(gapStart(nextOriginal), map.Areas[nextOriginal].End);
                ++written;
            }
        };
        for (const MapArea& area : areas) {
            const int j = fromPage(area);
            if (j >= 0)
                keepLeftOut(j);
            body += j >= 0 ? pageText.Raw(gapStart(j), map.Areas[j].Start) : separator;
            body += areaBytes(area, j);
            positions.append(written++);
        }
        keepLeftOut(map.Areas.size());
        cursor = map.Areas.isEmpty() ? map.StartTag.End : map.Areas.last().End;
        copyTo(map.EndTagStart);
    }
    edits.append({map.StartTag.End, map.EndTagStart, body});

    QString referenceError;
    if (!RenameMapReferences(pageText, maps, found, origin, mapName, pictureSrc, &edits, &referenceError)) {
        if (errorMessage)
            *errorMessage = referenceError;
        return false;
    }
    SortPageEdits(edits);

    QByteArray out;
    out.reserve(page.size() + body.size());
    int done = 0;
    // Where the map now stands: its start and end are outside every edit.
    qint64 shiftBeforeMap = 0, shiftAfterMap = 0;
    out += pageText.Head(0);
    for (const PageEdit& edit : edits) {
        out += pageText.RawView(done, edit.Start);
        out += edit.Bytes;
        const qint64 shift = edit.Bytes.size() - (pageText.ByteOffset(edit.End) - pageText.ByteOffset(edit.Start));
        if (edit.End <= map.StartTag.Start)
            shiftBeforeMap += shift;
        if (edit.End <= map.End)
            shiftAfterMap += shift;
        done = edit.End;
    }
    out += pageText.Tail(done);
    result->MapOffset = pageText.ByteOffset(map.StartTag.Start) + shiftBeforeMap;
    result->MapLength = pageText.ByteOffset(map.End) + shiftAfterMap - result->MapOffset;
    result->MapDigest = MapTextDigest(QByteArrayView(out.constData() + result->MapOffset, result->MapLength));
    result->Bytes = std::move(out);
    result->AreaPositions = std::move(positions);
    result->AreaCount = written;
    return true;
}
