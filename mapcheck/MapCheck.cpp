#include "MapCheck.h"

#include "MapGeometry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {
QString Tr(const char* Text)
{
    return QCoreApplication::translate("MapCheck", Text);
}

// The smallest target WCAG 2.5.8 allows, in CSS pixels.
constexpr int kMinTarget = 24;

void Add(QVector<MapFinding>& Out, MapFinding::Severity Level, MapFinding::Rule What, int Area, QString Message,
         int Other = -1)
{
    MapFinding f;
    f.Level = Level;
    f.What = What;
    f.Area = Area;
    f.Other = Other;
    f.Message = std::move(Message);
    Out.append(f);
}

// The writer keeps texts as HTML; the few references a file name holds are read back.
QString DecodeSimpleReferences(QString Text)
{
    Text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    Text.replace(QLatin1String("&#13;"), QLatin1String("\r"));
    Text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return Text;
}

// The file a local link leads to, or empty for a link elsewhere (another site, an anchor, the
// site's root, which is not known here).
QString LocalLinkFile(const QString& HRef, const QString& Folder)
{
    const QString link = DecodeSimpleReferences(HRef.trimmed());
    if (link.isEmpty() || link.startsWith(QLatin1Char('#')) || link.startsWith(QLatin1Char('/')) ||
        link.startsWith(QLatin1Char('?')))
        return QString();
    const QUrl url(link);
    if (url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) == 0)
        return url.toLocalFile();
    // A scheme of one letter is a drive letter, not a scheme.
    if (url.scheme().size() > 1 || !url.isValid())
        return QString();
    const QString path = QUrl::fromPercentEncoding(link.section(QLatin1Char('#'), 0, 0)
                                                       .section(QLatin1Char('?'), 0, 0)
                                                       .toUtf8());
    if (path.isEmpty())
        return QString();
    return QDir::cleanPath(QDir(Folder).filePath(path));
}

bool IsDegenerate(const MapArea& Area, const AreaGeometry& G)
{
    switch (Area.shape) {
    case MapArea::Shape::Rect:
        return G.X1 == G.X2 || G.Y1 == G.Y2;
    case MapArea::Shape::Circle:
        return G.R == 0;
    case MapArea::Shape::Poly:
        return DistinctPoints(Area.Vertices) < 3 || AllOnOneLine(Area.Vertices);
    }
    return true;
}

void CheckShape(QVector<MapFinding>& Out, int Index, const MapArea& Area, const AreaGeometry& G)
{
    using R = MapFinding::Rule;
    const auto W = MapFinding::Severity::Warning;
    switch (Area.shape) {
    case MapArea::Shape::Rect:
    case MapArea::Shape::Circle:
        if (IsDegenerate(Area, G))
            Add(Out, W, R::ZeroSize, Index,
                Area.shape == MapArea::Shape::Rect ? Tr("rectangle of zero width or height")
                                                   : Tr("circle of zero radius"));
        break;
    case MapArea::Shape::Poly:
        if (DistinctPoints(Area.Vertices) < 3)
            Add(Out, W, R::TooFewPoints, Index, Tr("polygon of fewer than three different points"));
        else if (AllOnOneLine(Area.Vertices))
            Add(Out, W, R::ZeroArea, Index, Tr("polygon of zero area"));
        else if (PolygonCrossesItself(Area.Vertices))
            Add(Out, W, R::SelfCrossing, Index, Tr("polygon whose edges cross"));
        break;
    }
}

// Every area whose bounds meet Bounds, from a grid of cells over the areas' bounds: a big map
// asks this once per area.
class AreaGrid
{
public:
    AreaGrid(const QVector<QRect>& Bounds) : FBounds(Bounds)
    {
        QRect all;
        for (const QRect& r : Bounds)
            if (r.isValid())
                all = all.united(r);
        FOrigin = all.topLeft();
        const qint64 cells = std::max<qint64>(1, Bounds.size());
        const double side = std::sqrt(double(std::max(1, all.width())) * std::max(1, all.height()) / cells);
        FCell = std::max(16, int(std::ceil(side * 2)));
        FColumns = std::max(1, all.width() / FCell + 1);
        FRows = std::max(1, all.height() / FCell + 1);
        FCells.resize(qsizetype(FColumns) * FRows);
        for (int i = 0; i < Bounds.size(); ++i)
            if (Bounds[i].isValid())
                ForCells(Bounds[i], [&](QVector<int>& cell) { cell.append(i); });
    }

    // The areas before Index whose bounds meet those of Index, in ascending order.
    QVector<int> InFront(int Index)
    {
        QVector<int> found;
        const QRect& r = FBounds[Index];
        ForCells(r, [&](QVector<int>& cell) {
            for (int i : cell) {
                if (i >= Index)
                    break;
                if (FBounds[i].intersects(r))
                    found.append(i);
            }
        });
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        return found;
    }

private:
    template <typename F> void ForCells(const QRect& r, F f)
    {
        const int c1 = std::clamp((r.left() - FOrigin.x()) / FCell, 0, FColumns - 1);
        const int c2 = std::clamp((r.right() - FOrigin.x()) / FCell, 0, FColumns - 1);
        const int r1 = std::clamp((r.top() - FOrigin.y()) / FCell, 0, FRows - 1);
        const int r2 = std::clamp((r.bottom() - FOrigin.y()) / FCell, 0, FRows - 1);
        for (int y = r1; y <= r2; ++y)
            for (int x = c1; x <= c2; ++x)
                f(FCells[qsizetype(y) * FColumns + x]);
    }

    const QVector<QRect>& FBounds;
    QPoint FOrigin;
    int FCell = 16;
    int FColumns = 1;
    int FRows = 1;
    QVector<QVector<int>> FCells;
};

// Whether a rectangle or circle in front holds the whole of Bounds: both are convex, so holding
// the corners' pixel centres is enough. Most hidden areas are found so, without a pixel scan.
int ConvexCover(const QRect& Bounds, const QVector<int>& Front, const QVector<AreaGeometry>& All)
{
    const double l = Bounds.left() + 0.5, t = Bounds.top() + 0.5, r = Bounds.right() + 0.5,
                 b = Bounds.bottom() + 0.5;
    for (int f : Front) {
        const AreaGeometry& g = All[f];
        if (g.Shape != MapArea::Shape::Poly && g.Contains(l, t) && g.Contains(r, t) && g.Contains(l, b) &&
            g.Contains(r, b))
            return f;
    }
    return -1;
}

// The first area in front that holds every pixel centre of the area, or -1 when a pixel centre of
// it is left to it. Areas too big to go through pixel by pixel count as reachable.
int CoveringArea(const AreaGeometry& G, const QRect& Bounds, const QVector<int>& Front,
                 const QVector<AreaGeometry>& All)
{
    if (Front.isEmpty() || qint64(Bounds.width()) * Bounds.height() > 4'000'000)
        return -1;
    if (const int cover = ConvexCover(Bounds, Front, All); cover >= 0)
        return cover;
    int last = -1;
    bool any = false;
    // A coarse pass first: an area left a point is mostly left a whole patch of them.
    for (const int step : {7, 1}) {
        for (int y = Bounds.top(); y <= Bounds.bottom(); y += step) {
            for (int x = Bounds.left(); x <= Bounds.right(); x += step) {
                const double px = x + 0.5, py = y + 0.5;
                if (!G.Contains(px, py))
                    continue;
                any = true;
                // The area that covered the pixel before most often covers this one too.
                if (last >= 0 && All[last].Contains(px, py))
                    continue;
                const auto covering =
                    std::find_if(Front.begin(), Front.end(), [&](int f) { return All[f].Contains(px, py); });
                if (covering == Front.end())
                    return -1;
                last = *covering;
            }
        }
    }
    return any ? last : -1;
}
} // namespace

QVector<MapFinding> CheckMapAreas(const QVector<MapArea>& Areas, const MapCheckContext& Context)
{
    using R = MapFinding::Rule;
    const auto W = MapFinding::Severity::Warning;
    const auto N = MapFinding::Severity::Note;
    QVector<MapFinding> out;
    QVector<AreaGeometry> geometry;
    QVector<QRect> bounds;
    geometry.reserve(Areas.size());
    bounds.reserve(Areas.size());
    for (const MapArea& area : Areas) {
        geometry.append(AreaGeometry::Of(area));
        bounds.append(IsDegenerate(area, geometry.last()) ? QRect() : geometry.last().Bounds());
    }
    AreaGrid grid(bounds);
    QHash<QString, int> firstByAlt, firstByLink;
    const QRect picture(QPoint(0, 0), Context.Picture);

    for (int i = 0; i < Areas.size(); ++i) {
        const MapArea& area = Areas[i];
        const QString link = area.HRef.trimmed();
        const QString alt = area.AltText.trimmed();
        // An area marked nohref is meant to lead nowhere.
        const bool noHRef = std::any_of(area.Attributes.begin(), area.Attributes.end(), [](const auto& a) {
            return a.first.compare(QLatin1String("nohref"), Qt::CaseInsensitive) == 0;
        });
        if (link.isEmpty() && !noHRef)
            Add(out, W, R::EmptyLink, i, Tr("empty link"));
        else if (!link.isEmpty() && alt.isEmpty())
            Add(out, W, R::NoAltText, i, Tr("no alternate text"));
        if (!link.isEmpty() && !alt.isEmpty()) {
            const auto sameAlt = firstByAlt.constFind(alt);
            if (sameAlt == firstByAlt.cend())
                firstByAlt.insert(alt, i);
            else if (Areas[*sameAlt].HRef.trimmed() != link)
                Add(out, W, R::SameAltOtherLink, i,
                    Tr("the same alternate text as area %1, but another link").arg(*sameAlt + 1), *sameAlt);
            const auto sameLink = firstByLink.constFind(link);
            if (sameLink == firstByLink.cend())
                firstByLink.insert(link, i);
            else if (Areas[*sameLink].AltText.trimmed() != alt)
                Add(out, N, R::SameLinkOtherAlt, i,
                    Tr("the same link as area %1, but another alternate text").arg(*sameLink + 1), *sameLink);
        }
        if (link.startsWith(QLatin1String("javascript:"), Qt::CaseInsensitive))
            Add(out, W, R::ScriptLink, i, Tr("a javascript: link, which needs a script to work"));
        if (!Context.PageFolder.isEmpty()) {
            const QString file = LocalLinkFile(link, Context.PageFolder);
            if (!file.isEmpty() && !QFileInfo::exists(file))
                Add(out, W, R::MissingFile, i,
                    Tr("the linked file \"%1\" does not exist").arg(QDir::toNativeSeparators(file)));
        }

        CheckShape(out, i, area, geometry[i]);
        if (!bounds[i].isValid())
            continue;
        const QRect& box = bounds[i];
        if (box.width() < kMinTarget || box.height() < kMinTarget)
            Add(out, W, R::SmallTarget, i,
                Tr("target of %1 x %2 pixels, smaller than 24 x 24").arg(box.width()).arg(box.height()));
        if (!picture.isEmpty()) {
            if (!picture.intersects(box))
                Add(out, W, R::OutsidePicture, i, Tr("wholly outside the picture"));
            else if (!picture.contains(box))
                Add(out, N, R::PartlyOutside, i, Tr("partly outside the picture"));
        }
        const int cover = CoveringArea(geometry[i], box, grid.InFront(i), geometry);
        if (cover >= 0)
            Add(out, W, R::Unreachable, i, Tr("cannot be clicked: areas in front of it cover it wholly"), cover);
    }
    return out;
}

QString RuleName(MapFinding::Rule Rule)
{
    using R = MapFinding::Rule;
    switch (Rule) {
    case R::NoAltText: return QStringLiteral("no-alt");
    case R::SameAltOtherLink: return QStringLiteral("same-alt-other-link");
    case R::SameLinkOtherAlt: return QStringLiteral("same-link-other-alt");
    case R::SmallTarget: return QStringLiteral("small-target");
    case R::OutsidePicture: return QStringLiteral("outside-picture");
    case R::PartlyOutside: return QStringLiteral("partly-outside");
    case R::Unreachable: return QStringLiteral("unreachable");
    case R::SelfCrossing: return QStringLiteral("self-crossing");
    case R::TooFewPoints: return QStringLiteral("too-few-points");
    case R::ZeroArea: return QStringLiteral("zero-area");
    case R::ZeroSize: return QStringLiteral("zero-size");
    case R::ScriptLink: return QStringLiteral("javascript-link");
    case R::EmptyLink: return QStringLiteral("empty-link");
    case R::MissingFile: return QStringLiteral("missing-file");
    case R::DuplicateMapName: return QStringLiteral("duplicate-map-name");
    case R::UseMapWithoutMap: return QStringLiteral("usemap-without-map");
    case R::MapWithoutImage: return QStringLiteral("map-without-image");
    }
    return QString();
}

QString SeverityName(MapFinding::Severity Level)
{
    return Level == MapFinding::Severity::Warning ? QStringLiteral("warning") : QStringLiteral("note");
}

QString AreaLabel(int Number, const MapArea& Area)
{
    const QString text = Area.AltText.trimmed().isEmpty() ? Area.HRef.trimmed() : Area.AltText.trimmed();
    return Tr("area %1 (\"%2\")").arg(Number).arg(text);
}
