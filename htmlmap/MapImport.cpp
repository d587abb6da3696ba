#include "MapImport.h"

#include "CoordItems.h"
#include "HtmlTexts.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

namespace {

bool fitsInt(qint64 v)
{
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

QString outOfRangeMessage(const QString& coords)
{
    return QStringLiteral("The coordinates \"%1\" are out of range").arg(coords);
}

bool readNumbers(const QStringList& items, int count, int* numbers, QString* errorMessage)
{
    for (int i = 0; i < count; ++i)
        if (!ReadCoordItem(items, i, &numbers[i], errorMessage))
            return false;
    return true;
}

// Bounds given by their edges; false when an edge or a size does not fit the region model's ints.
bool setBounds(MapArea& area, qint64 left, qint64 top, qint64 right, qint64 bottom)
{
    if (!fitsInt(left) || !fitsInt(top) || !fitsInt(right) || !fitsInt(bottom) || !fitsInt(right - left) ||
        !fitsInt(bottom - top))
        return false;
    area.Left = static_cast<int>(left);
    area.Top = static_cast<int>(top);
    area.Width = static_cast<int>(right - left);
    area.Height = static_cast<int>(bottom - top);
    return true;
}

} // namespace

bool ReadMapAreas(const HtmlDocument::MapElement& map, QVector<MapArea>* areas, QString* errorMessage)
{
    QVector<MapArea> result;
    result.reserve(map.Areas.size());
    QString error;
    for (const HtmlElement& element : map.Areas) {
        const QString shape = element.GetAttributeText(QStringLiteral("shape"));
        const QString coords = element.GetAttributeText(QStringLiteral("coords"));
        const QStringList items = SplitCoordItems(coords);
        MapArea area;
        if (shape.compare(QLatin1String("RECT"), Qt::CaseInsensitive) == 0) {
            int n[4];
            if (!readNumbers(items, 4, n, &error))
                break;
            area.shape = MapArea::Shape::Rect;
            if (!setBounds(area, n[0], n[1], n[2], n[3])) {
                error = outOfRangeMessage(coords);
                break;
            }
        } else if (shape.compare(QLatin1String("CIRCLE"), Qt::CaseInsensitive) == 0) {
            int n[3];
            if (!readNumbers(items, 3, n, &error))
                break;
            area.shape = MapArea::Shape::Circle;
            const qint64 x = n[0], y = n[1], r = n[2];
            if (!setBounds(area, x - r, y - r, x + r, y + r)) {
                error = outOfRangeMessage(coords);
                break;
            }
        } else if (shape.compare(QLatin1String("POLY"), Qt::CaseInsensitive) == 0) {
            const int count = items.size() / 2;
            area.shape = MapArea::Shape::Poly;
            area.Vertices.reserve(count);
            bool ok = true;
            for (int i = 0; ok && i < count; ++i) {
                int x = 0, y = 0;
                ok = ReadCoordItem(items, 2 * i, &x, &error) && ReadCoordItem(items, 2 * i + 1, &y, &error);
                area.Vertices.append(QPoint(x, y));
            }
            if (!ok)
                break;
        } else {
            continue; // unknown shapes ("default", "circ", ...) make no region
        }
        // Texts are kept as they must be written to mean what the browser read.
        area.HRef = EscapeImportedText(element.GetAttributeText(QStringLiteral("href")));
        area.Target = EscapeImportedText(element.GetAttributeText(QStringLiteral("target")));
        area.AltText = EscapeImportedText(element.GetAttributeText(QStringLiteral("alt")));
        result.append(area);
    }
    if (!error.isEmpty()) {
        if (errorMessage)
            *errorMessage = error;
        return false;
    }
    if (areas)
        *areas = std::move(result);
    return true;
}

QString ResolveImageSource(const QString& htmlFileName, const QString& imageSrc)
{
    if (QFileInfo(imageSrc).isAbsolute())
        return imageSrc;
    const QString folder = QFileInfo(htmlFileName).absolutePath();
    return QDir::cleanPath(QDir(folder).filePath(imageSrc));
}

ImportedMap ImportImageMap(const HtmlDocument& document, const ImageMapEntry& entry,
                           const QString& htmlFileName)
{
    ImportedMap result;
    if (entry.MapPosition < 0 || entry.MapPosition >= document.Maps().size()) {
        result.ErrorMessage =
            QStringLiteral("The image map of \"%1\" is no longer in the document").arg(entry.ImageSrc);
        return result;
    }
    const HtmlDocument::MapElement& map = document.Maps()[entry.MapPosition];
    if (!ReadMapAreas(map, &result.Areas, &result.ErrorMessage))
        return result;
    result.ImagePath = ResolveImageSource(htmlFileName, entry.ImageSrc);
    result.MapName = EscapeImportedText(map.Name());
    result.Ok = true;
    return result;
}
