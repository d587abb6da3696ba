#include "PageCheck.h"

#include "HtmlDecoding.h"
#include "MapDiscovery.h"
#include "PageScan.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace {
QString Tr(const char* Text)
{
    return QCoreApplication::translate("MapCheck", Text);
}

bool IsPicture(const QString& Path)
{
    return !Path.isEmpty() && QFileInfo(Path).isFile() && QImageReader(Path).canRead();
}

// The picture an import shows: the resolved source, else a copy beside the page; the name the
// editor then gives it, and the picture's own size.
void FindPicture(const QString& PageFile, PageMap& Map)
{
    const ImportedMap& m = Map.Map;
    QStringList candidates{m.ImagePath};
    candidates += FallbackImagePaths(PageFile, m.ImageSrc);
    for (const QString& path : candidates) {
        if (IsPicture(path)) {
            Map.ImageFileName = path;
            QImageReader reader(path);
            Map.PictureSize = reader.size();
            if (Map.PictureSize.isEmpty())
                Map.PictureSize = reader.read().size();
            return;
        }
    }
    const QUrl url(m.ImageSrc);
    const bool webAddress = url.scheme().size() > 1 && !url.host().isEmpty();
    Map.ImageFileName = webAddress ? m.ImageSrc : m.ImagePath;
    if (m.ImageWidth > 0 && m.ImageHeight > 0)
        Map.PictureSize = QSize(m.ImageWidth, m.ImageHeight);
}

void ScanPositions(LoadedPage& Page)
{
    PageScanner scanner(Page.Text);
    ScannedTag tag;
    QVector<ScannedMap> maps;
    while (scanner.Next(&tag))
        if (!tag.EndTag && tag.Is(Page.Text, "img"))
            Page.ImageOffsets.append(tag.Start);
    for (int m = 0; m < Page.Maps.size(); ++m) {
        ScannedMap scanned;
        PageMap& map = Page.Maps[m];
        if (!FindMapElement(Page.Text, map.Map.MapPosition, &scanned))
            continue;
        map.MapOffset = scanned.StartTag.Start;
        for (const ScannedTag& area : scanned.Areas)
            map.AreaOffsets.append(area.Start);
    }
}

class LineIndex
{
public:
    explicit LineIndex(const QString& Text)
    {
        FStarts.append(0);
        for (int i = 0; i < Text.size(); ++i)
            if (Text[i] == QLatin1Char('\n'))
                FStarts.append(i + 1);
    }
    void Place(int Offset, PageFinding& F) const
    {
        const auto it = std::upper_bound(FStarts.begin(), FStarts.end(), Offset);
        const int line = int(it - FStarts.begin());
        F.Line = line;
        F.Column = Offset - FStarts[line - 1] + 1;
    }

private:
    QVector<int> FStarts;
};
} // namespace

bool LoadPage(const QString& FileName, LoadedPage* Page, QString* ErrorMessage)
{
    *Page = LoadedPage();
    Page->FileName = FileName;
    QFile file(FileName);
    if (QFileInfo(FileName).isDir() || !file.open(QIODevice::ReadOnly)) {
        *ErrorMessage =
            Tr("Cannot read \"%1\": %2")
                .arg(FileName, QFileInfo(FileName).isDir() ? Tr("it is a folder") : file.errorString());
        return false;
    }
    if (file.size() > HtmlDocument::kMaxFileSize) {
        *ErrorMessage = Tr("Cannot read \"%1\": the file is too large").arg(FileName);
        return false;
    }
    Page->Text = DecodeHTMLBytes(file.readAll());
    QString parseError;
    if (!Page->Document.Write(Page->Text, &parseError)) {
        *ErrorMessage = Tr("Cannot read \"%1\": %2").arg(FileName, parseError);
        return false;
    }
    const QVector<ImageMapEntry> entries = FindImageMaps(Page->Document);
    for (int m = 0; m < Page->Document.Maps().size(); ++m) {
        PageMap map;
        const auto entry = std::find_if(entries.begin(), entries.end(),
                                        [m](const ImageMapEntry& e) { return e.MapPosition == m; });
        if (entry != entries.end()) {
            map.Map = ImportImageMap(Page->Document, *entry, FileName);
            if (map.Map.Ok)
                FindPicture(FileName, map);
        } else {
            map.Map = ImportMapWithoutImage(Page->Document, m);
        }
        map.Map.MapPosition = m;
        Page->Maps.append(std::move(map));
    }
    ScanPositions(*Page);
    return true;
}

int FindPageMap(const LoadedPage& Page, const QString& Name)
{
    for (int m = 0; m < Page.Maps.size(); ++m)
        if (Name.isEmpty() || Page.Maps[m].Map.MapName.compare(Name, Qt::CaseInsensitive) == 0)
            return m;
    return -1;
}

namespace {
using PlacedFindings = QVector<QPair<int, PageFinding>>; // text offset, finding

// The findings of the page itself: duplicate map names, maps no image uses, usemaps that name no
// map.
void AddPageFindings(const LoadedPage& Page, PlacedFindings& Placed)
{
    QSet<QString> names;
    const QVector<int> withoutImage = MapsWithoutImage(Page.Document);
    const auto pageFinding = [&](int Offset, MapFinding::Severity Level, MapFinding::Rule What,
                                 const QString& Map, const QString& Subject, const QString& Message) {
        PageFinding f;
        f.Finding.Level = Level;
        f.Finding.What = What;
        f.Finding.Message = Message;
        f.MapName = Map;
        f.Subject = Subject;
        Placed.append({Offset, f});
    };

    for (const PageMap& map : Page.Maps) {
        const QString name = map.Map.MapName;
        const QString mapSubject = Tr("map \"%1\"").arg(name);
        const QString key = name.toLower();
        const bool duplicate = names.contains(key);
        if (duplicate)
            pageFinding(map.MapOffset, MapFinding::Severity::Warning, MapFinding::Rule::DuplicateMapName,
                        name, mapSubject,
                        Tr("a map of this name comes earlier in the page; this one is never used"));
        else
            names.insert(key);
        // A second map of a name is unused too, which its own finding says already.
        if (!duplicate && withoutImage.contains(map.Map.MapPosition))
            pageFinding(map.MapOffset, MapFinding::Severity::Note, MapFinding::Rule::MapWithoutImage, name,
                        mapSubject, Tr("no image uses this map"));
    }

    // An image whose usemap names no map of the page.
    const QVector<HtmlElement>& images = Page.Document.Images();
    for (int i = 0; i < images.size(); ++i) {
        const HtmlElement& image = images[i];
        const auto& attributes = image.AttributesInOrder();
        const bool hasUseMap = std::any_of(attributes.begin(), attributes.end(),
                                           [](const auto& a) { return a.first == QLatin1String("usemap"); });
        if (!hasUseMap)
            continue;
        const QString useMap = image.GetAttributeText(QStringLiteral("usemap")).trimmed();
        const QString target = useMap.startsWith(QLatin1Char('#')) ? useMap.mid(1).toLower() : QString();
        if (!target.isEmpty() && names.contains(target))
            continue;
        const int offset = i < Page.ImageOffsets.size() ? Page.ImageOffsets[i] : 0;
        pageFinding(offset, MapFinding::Severity::Warning, MapFinding::Rule::UseMapWithoutMap, QString(),
                    Tr("image \"%1\"").arg(image.GetAttributeText(QStringLiteral("src"))),
                    Tr("its usemap \"%1\" names no map of the page").arg(useMap));
    }
}

void AddAreaFindings(const LoadedPage& Page, PlacedFindings& Placed)
{
    const QString folder = QFileInfo(Page.FileName).absolutePath();
    for (const PageMap& map : Page.Maps) {
        if (!map.Map.Ok)
            continue;
        MapCheckContext context;
        context.Picture = map.PictureSize;
        context.PageFolder = folder;
        for (const MapFinding& finding : CheckMapAreas(map.Map.Areas, context)) {
            const MapArea& area = map.Map.Areas[finding.Area];
            PageFinding f;
            f.Finding = finding;
            f.MapName = map.Map.MapName;
            // The area's number as written in the page, whatever the reader left out before it.
            f.Subject = AreaLabel(area.SourceArea + 1, area);
            f.Finding.Area = area.SourceArea;
            if (finding.Other >= 0)
                f.Finding.Other = map.Map.Areas[finding.Other].SourceArea;
            const int offset =
                area.SourceArea < map.AreaOffsets.size() ? map.AreaOffsets[area.SourceArea] : map.MapOffset;
            Placed.append({offset, f});
        }
    }
}

// The findings in the order of the text, each with its line and column.
QVector<PageFinding> PlaceInText(const LoadedPage& Page, PlacedFindings& Placed)
{
    // A map's own findings come before those of its areas at the same place.
    std::stable_sort(Placed.begin(), Placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const LineIndex lines(Page.Text);
    QVector<PageFinding> out;
    out.reserve(Placed.size());
    for (auto& [offset, finding] : Placed) {
        lines.Place(offset, finding);
        out.append(std::move(finding));
    }
    return out;
}
} // namespace

QVector<PageFinding> CheckPage(const LoadedPage& Page)
{
    PlacedFindings placed;
    AddPageFindings(Page, placed);
    AddAreaFindings(Page, placed);
    return PlaceInText(Page, placed);
}

QVector<PageFinding> CheckPageItself(const LoadedPage& Page)
{
    PlacedFindings placed;
    AddPageFindings(Page, placed);
    return PlaceInText(Page, placed);
}

QString FindingLine(const QString& FileName, const PageFinding& F)
{
    QString line = QStringLiteral("%1:%2:%3: %4: ")
                       .arg(FileName)
                       .arg(F.Line)
                       .arg(F.Column)
                       .arg(SeverityName(F.Finding.Level));
    if (!F.Subject.isEmpty())
        line += F.Subject + QStringLiteral(": ");
    return line + F.Finding.Message;
}

QByteArray FindingJson(const QString& FileName, const PageFinding& F)
{
    QJsonObject o;
    o.insert(QStringLiteral("file"), FileName);
    o.insert(QStringLiteral("line"), F.Line);
    o.insert(QStringLiteral("column"), F.Column);
    o.insert(QStringLiteral("severity"), SeverityName(F.Finding.Level));
    o.insert(QStringLiteral("rule"), RuleName(F.Finding.What));
    o.insert(QStringLiteral("map"), F.MapName);
    if (F.Finding.Area >= 0)
        o.insert(QStringLiteral("area"), F.Finding.Area + 1);
    o.insert(QStringLiteral("subject"), F.Subject);
    o.insert(QStringLiteral("message"), F.Finding.Message);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}
