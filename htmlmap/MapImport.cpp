#include "MapImport.h"

#include "CoordItems.h"
#include "HtmlTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

#include <iterator>
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

// Reads coordinate items as a browser does: whole numbers as they are, decimals rounded. The first
// rounded item's message goes to `rounded`. One reader serves every area of a map, reusing its
// storage.
class CoordReader
{
public:
    void Assign(const QString& coords)
    {
        FItems.Assign(coords);
        Rounded.clear();
    }

    int Count() const { return FItems.size(); }

    bool Read(int index, int* value, QString* error)
    {
        if (index < FItems.size() && ParseWholeNumber(FItems[index], value))
            return true;
        QString message;
        ReadCoordItem(FItems, index, value, &message);
        if (index < FItems.size() && ParseRoundedDecimal(FItems[index], value)) {
            if (Rounded.isEmpty())
                Rounded = message;
            return true;
        }
        *error = message;
        return false;
    }

    bool ReadAll(int count, int* numbers, QString* error)
    {
        for (int i = 0; i < count; ++i)
            if (!Read(i, &numbers[i], error))
                return false;
        return true;
    }

    QString Rounded;

private:
    CoordItemViews FItems;
};

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

bool isOneOf(const QString& shape, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (shape.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A dimension attribute as browsers read it: the leading digits; percentages and nothing usable give 0.
int dimension(const QString& text)
{
    const QString t = text.trimmed();
    int digits = 0;
    while (digits < t.size() && t[digits].unicode() < 128 && t[digits].isDigit())
        ++digits;
    if (digits == 0 || (digits < t.size() && t[digits] == QLatin1Char('%')))
        return 0;
    bool ok = false;
    const int value = t.left(digits).toInt(&ok);
    return ok ? value : 0;
}

bool hasField(const QString& name)
{
    return isOneOf(name, {"shape", "coords", "href", "alt", "target"});
}

// A kept value is written back as it is, like the texts with a field: an '&' that a browser reads
// literally stays literal.
// Only names that read back as the same attribute are kept; the rest ('ref, ="x) is what broken
// markup leaves behind, and written out it would change the tag around it.
bool isPlainAttributeName(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char(':') ||
              c == QLatin1Char('.')))
            return false;
    return true;
}

QPair<QString, QString> keptAttribute(const QPair<QString, QString>& attribute)
{
    if (attribute.second.isEmpty())
        return attribute;
    return {attribute.first, EscapeImportedText(attribute.second)};
}

// What an area reads, found in one pass over its attributes: each field the first attribute of its
// name in any case (as GetAttributeText finds it), the other attributes kept as KeptAreaAttributes
// keeps them.
struct AreaFields
{
    QString Shape, Coords, HRef, Alt, Target;
    AttributeList Kept;

    explicit AreaFields(const HtmlElement& element)
    {
        static constexpr const char* names[] = {"shape", "coords", "href", "alt", "target"};
        QString* const fields[] = {&Shape, &Coords, &HRef, &Alt, &Target};
        bool found[std::size(names)] = {};
        for (const auto& attribute : element.AttributesInOrder()) {
            size_t field = 0;
            while (field < std::size(names) &&
                   attribute.first.compare(QLatin1String(names[field]), Qt::CaseInsensitive) != 0)
                ++field;
            if (field == std::size(names)) {
                if (isPlainAttributeName(attribute.first))
                    Kept.append(keptAttribute(attribute));
            } else if (!found[field]) {
                found[field] = true;
                *fields[field] = attribute.second;
            }
        }
    }
};

ImportedMap importMap(const HtmlDocument& document, int mapPosition, const HtmlReadProgress* progress)
{
    ImportedMap result;
    const HtmlDocument::MapElement& map = document.Maps()[mapPosition];
    result.MapPosition = mapPosition;
    result.MapName = EscapeImportedText(map.Name());
    for (const auto& attribute : map.Element.AttributesInOrder())
        if (attribute.first.compare(QLatin1String("name"), Qt::CaseInsensitive) != 0 &&
            isPlainAttributeName(attribute.first))
            result.MapAttributes.append(keptAttribute(attribute));
    result.SourceAreaCount = map.Areas.size();
    result.MapDigest = map.TextDigest;
    result.MapOffset = map.TextOffset;
    result.MapLength = map.TextLength;
    result.Areas = ReadMapAreas(map, &result.Notes, progress);
    result.Ok = !(progress && progress->Cancelled());
    return result;
}

} // namespace

AttributeList KeptAreaAttributes(const HtmlElement& area)
{
    AttributeList kept;
    for (const auto& attribute : area.AttributesInOrder())
        if (!hasField(attribute.first) && isPlainAttributeName(attribute.first))
            kept.append(keptAttribute(attribute));
    return kept;
}

QVector<MapArea> ReadMapAreas(const HtmlDocument::MapElement& map, QVector<AreaNote>* notes,
                              const HtmlReadProgress* progress)
{
    QVector<MapArea> result;
    result.reserve(map.Areas.size());
    CoordReader reader;
    constexpr int slice = 4096;
    for (int index = 0; index < map.Areas.size(); ++index) {
        if (progress && index % slice == 0) {
            if (progress->Cancelled())
                break;
            if (progress->Report)
                progress->Report(index, map.Areas.size());
        }
        AreaFields fields(map.Areas[index]);
        const QString& href = fields.HRef;
        auto note = [&](AreaNote::Kind what, const QString& shape = QString(),
                        const QString& reason = QString()) {
            if (!notes)
                return;
            AreaNote n;
            n.AreaIndex = index;
            n.What = what;
            n.Link = href.isEmpty() ? fields.Alt : href;
            n.Shape = shape;
            n.Reason = reason;
            notes->append(n);
        };
        // An empty shape reads like a missing one: browsers take both as a rectangle.
        const QString shape = fields.Shape.trimmed();
        const bool shapeWritten = !shape.isEmpty();
        const QString& coords = fields.Coords;
        reader.Assign(coords);
        MapArea area;
        QString error;
        // Read as a browser reads the template, not as the server will send it: the page keeps the
        // tag's text as written unless the user edits the area.
        for (const auto& attribute : map.Areas[index].AttributesInOrder()) {
            if (attribute.second.contains(QLatin1String("<?")) || attribute.second.contains(QLatin1String("<%"))) {
                note(AreaNote::Kind::ServerCode);
                break;
            }
        }
        if (!shapeWritten)
            note(AreaNote::Kind::NoShape);
        else if (isOneOf(shape, {"rectangle", "circ", "polygon"}))
            note(AreaNote::Kind::ShapeSynonym, shape);

        if (!shapeWritten || isOneOf(shape, {"rect", "rectangle"})) {
            int n[4];
            if (!reader.ReadAll(4, n, &error)) {
                note(AreaNote::Kind::BadCoords, QString(), error);
                continue;
            }
            area.shape = MapArea::Shape::Rect;
            if (!setBounds(area, n[0], n[1], n[2], n[3])) {
                note(AreaNote::Kind::BadCoords, QString(), outOfRangeMessage(coords));
                continue;
            }
        } else if (isOneOf(shape, {"circle", "circ"})) {
            int n[3];
            if (!reader.ReadAll(3, n, &error)) {
                note(AreaNote::Kind::BadCoords, QString(), error);
                continue;
            }
            if (n[2] <= 0) {
                note(AreaNote::Kind::NoRadius);
                continue;
            }
            area.shape = MapArea::Shape::Circle;
            const qint64 x = n[0], y = n[1], r = n[2];
            if (!setBounds(area, x - r, y - r, x + r, y + r)) {
                note(AreaNote::Kind::BadCoords, QString(), outOfRangeMessage(coords));
                continue;
            }
        } else if (isOneOf(shape, {"poly", "polygon"})) {
            const int count = reader.Count() / 2;
            area.shape = MapArea::Shape::Poly;
            area.Vertices.reserve(count);
            bool ok = true;
            for (int i = 0; ok && i < count; ++i) {
                int x = 0, y = 0;
                ok = reader.Read(2 * i, &x, &error) && reader.Read(2 * i + 1, &y, &error);
                area.Vertices.append(QPoint(x, y));
            }
            if (!ok) {
                note(AreaNote::Kind::BadCoords, QString(), error);
                continue;
            }
        } else {
            note(isOneOf(shape, {"default"}) ? AreaNote::Kind::DefaultShape : AreaNote::Kind::UnknownShape,
                 shape);
            continue;
        }
        if (!reader.Rounded.isEmpty())
            note(AreaNote::Kind::Rounded, QString(), reader.Rounded);
        // Texts are kept as they must be written to mean what the browser read.
        area.HRef = EscapeImportedText(href);
        area.Target = EscapeImportedText(fields.Target);
        area.AltText = EscapeImportedText(fields.Alt);
        area.Attributes = std::move(fields.Kept);
        area.SourceArea = index;
        result.append(std::move(area));
    }
    return result;
}

QString ResolveImageSource(const QString& htmlFileName, const QString& imageSrc)
{
    if (QFileInfo(imageSrc).isAbsolute())
        return imageSrc;
    const QString folder = QFileInfo(htmlFileName).absolutePath();
    return QDir::cleanPath(QDir(folder).filePath(imageSrc));
}

QStringList FallbackImagePaths(const QString& htmlFileName, const QString& imageSrc)
{
    const QUrl url(imageSrc);
    const bool webAddress = url.isValid() && url.scheme().size() > 1 && !url.host().isEmpty();
    const bool siteRoot = imageSrc.startsWith(QLatin1Char('/')) && !imageSrc.startsWith(QLatin1String("//"));
    if (!webAddress && !siteRoot)
        return {};
    // The query and fragment of an address are no part of the file's name.
    const QString path =
        webAddress ? url.path() : imageSrc.section(QLatin1Char('?'), 0, 0).section(QLatin1Char('#'), 0, 0);
    const QString name = QUrl::fromPercentEncoding(path.section(QLatin1Char('/'), -1).toUtf8());
    if (name.isEmpty())
        return {};
    const QDir folder(QFileInfo(htmlFileName).absolutePath());
    return {folder.filePath(name), folder.filePath(QStringLiteral("images/") + name)};
}

ImportedMap ImportImageMap(const HtmlDocument& document, const ImageMapEntry& entry,
                           const QString& htmlFileName, const HtmlReadProgress* progress)
{
    if (entry.MapPosition < 0 || entry.MapPosition >= document.Maps().size()) {
        ImportedMap result;
        result.ErrorMessage =
            QStringLiteral("The image map of \"%1\" is no longer in the document").arg(entry.ImageSrc);
        return result;
    }
    ImportedMap result = importMap(document, entry.MapPosition, progress);
    if (!result.Ok)
        return result;
    result.ImageSrc = entry.ImageSrc;
    result.ImagePath = ResolveImageSource(htmlFileName, entry.ImageSrc);
    for (const HtmlElement& image : document.Images()) {
        if (image.GetAttributeText(QStringLiteral("src")) == entry.ImageSrc &&
            image.GetAttributeText(QStringLiteral("usemap")) == entry.UseMap) {
            result.ImageWidth = dimension(image.GetAttributeText(QStringLiteral("width")));
            result.ImageHeight = dimension(image.GetAttributeText(QStringLiteral("height")));
            break;
        }
    }
    return result;
}

QVector<int> MapsWithoutImage(const HtmlDocument& document)
{
    QSet<int> used;
    for (const ImageMapEntry& entry : FindImageMaps(document))
        used.insert(entry.MapPosition);
    QVector<int> unused;
    for (int i = 0; i < document.Maps().size(); ++i)
        if (!used.contains(i))
            unused.append(i);
    return unused;
}

ImportedMap ImportMapWithoutImage(const HtmlDocument& document, int mapPosition,
                                  const HtmlReadProgress* progress)
{
    if (mapPosition < 0 || mapPosition >= document.Maps().size()) {
        ImportedMap result;
        result.ErrorMessage = QStringLiteral("The image map is no longer in the document");
        return result;
    }
    ImportedMap result = importMap(document, mapPosition, progress);
    result.HasImage = false;
    return result;
}
