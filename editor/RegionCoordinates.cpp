#include "RegionCoordinates.h"

#include "EditorDialogs.h"
#include "UPTFrame.h"

#include <QRegularExpression>
#include <limits>

namespace {

// How far from the origin a circle may reach: the scene shows no more.
constexpr qint64 CoordinateReachLimit = TPTCustomGroup::AreaLimit;

constexpr qint64 intMin = std::numeric_limits<int>::min();
constexpr qint64 intMax = std::numeric_limits<int>::max();

bool fitsInt(qint64 v)
{
    return v >= intMin && v <= intMax;
}

QString fieldName(MapArea::Shape Shape, int Field)
{
    return EditorText(CoordinateFieldNames(Shape).value(Field));
}

bool fail(TCoordinateError& Error, int Field, const QString& Message)
{
    Error.Field = Field;
    Error.Message = Message;
    return false;
}

// One whole decimal number within the int range; anything else fails naming the field.
bool readNumber(const QString& Text, MapArea::Shape Shape, int Field, qint64& Value, TCoordinateError& Error)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
    const QString text = Text.trimmed();
    const QString name = fieldName(Shape, Field);
    if (text.isEmpty())
        return fail(Error, Field, EditorText(QStringLiteral("%1 is empty.")).arg(name));
    if (!wholeNumber.match(text).hasMatch())
        return fail(Error, Field,
                    EditorText(QStringLiteral("%1: \"%2\" is not a whole number.")).arg(name, text));
    bool ok = false;
    Value = text.toLongLong(&ok);
    if (!ok || !fitsInt(Value))
        return fail(Error, Field,
                    EditorText(QStringLiteral("%1: %2 is outside the coordinate range (%3 to %4)."))
                        .arg(name, text, QString::number(intMin), QString::number(intMax)));
    return true;
}

bool failOutOfRange(TCoordinateError& Error, MapArea::Shape Shape, int Field)
{
    return fail(Error, Field,
                EditorText(QStringLiteral("%1: the region would reach beyond the coordinate range."))
                    .arg(fieldName(Shape, Field)));
}

bool failNotGreater(TCoordinateError& Error, MapArea::Shape Shape, int Field, const QString& Than)
{
    return fail(Error, Field,
                EditorText(QStringLiteral("%1 must be greater than %2.")).arg(fieldName(Shape, Field), Than));
}

} // namespace

bool PointsOnOneLine(const QVector<QPoint>& Points)
{
    // Every point against the first and the first that differs from it; the cross products of
    // coordinates at the ends of the int range need more than 64 bits.
    int other = 1;
    while (other < Points.size() && Points[other] == Points[0])
        ++other;
    if (other >= Points.size())
        return true;
    const qint64 dx = qint64(Points[other].x()) - Points[0].x(),
                 dy = qint64(Points[other].y()) - Points[0].y();
    for (const QPoint& p : Points) {
        const qint64 px = qint64(p.x()) - Points[0].x(), py = qint64(p.y()) - Points[0].y();
        if (__int128(dx) * py != __int128(dy) * px)
            return false;
    }
    return true;
}

QStringList CoordinateFieldNames(MapArea::Shape Shape)
{
    switch (Shape) {
    case MapArea::Shape::Rect:
        return {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Right"),
                QStringLiteral("Bottom")};
    case MapArea::Shape::Circle:
        return {QStringLiteral("Centre X"), QStringLiteral("Centre Y"), QStringLiteral("Radius")};
    case MapArea::Shape::Poly:
        break;
    }
    return {QStringLiteral("Points")};
}

QStringList CoordinateTexts(const MapArea& Area)
{
    switch (Area.shape) {
    case MapArea::Shape::Rect:
        return {QString::number(Area.Left), QString::number(Area.Top),
                QString::number(qint64(Area.Left) + Area.Width),
                QString::number(qint64(Area.Top) + Area.Height)};
    case MapArea::Shape::Circle:
        // As the writer puts them: division truncating toward zero.
        return {QString::number(qint64(Area.Left) + Area.Width / 2),
                QString::number(qint64(Area.Top) + Area.Height / 2), QString::number(Area.Width / 2)};
    case MapArea::Shape::Poly:
        break;
    }
    QStringList pairs;
    pairs.reserve(Area.Vertices.size());
    for (const QPoint& p : Area.Vertices)
        pairs.append(QStringLiteral("%1,%2").arg(p.x()).arg(p.y()));
    return {pairs.join(QLatin1Char(' '))};
}

bool ReadCoordinateTexts(const QStringList& Texts, MapArea& Area, TCoordinateError& Error)
{
    const MapArea::Shape shape = Area.shape;
    if (shape == MapArea::Shape::Poly) {
        static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
        const QStringList numbers = Texts.value(0).split(separators, Qt::SkipEmptyParts);
        if (numbers.size() % 2 != 0)
            return fail(Error, 0,
                        EditorText(QStringLiteral("%1: the last point has no y coordinate."))
                            .arg(fieldName(shape, 0)));
        if (numbers.size() < 6)
            return fail(Error, 0,
                        EditorText(QStringLiteral("%1: a polygon needs at least 3 points."))
                            .arg(fieldName(shape, 0)));
        QVector<QPoint> vertices;
        vertices.reserve(numbers.size() / 2);
        for (int i = 0; i < numbers.size(); i += 2) {
            qint64 x = 0, y = 0;
            if (!readNumber(numbers[i], shape, 0, x, Error) ||
                !readNumber(numbers[i + 1], shape, 0, y, Error))
                return false;
            vertices.append(QPoint(int(x), int(y)));
        }
        if (PointsOnOneLine(vertices))
            return fail(
                Error, 0,
                EditorText(QStringLiteral("%1: all points lie on one line, so the polygon has no area."))
                    .arg(fieldName(shape, 0)));
        Area.Vertices = vertices;
        return true;
    }

    const int count = CoordinateFieldNames(shape).size();
    qint64 n[4] = {};
    for (int i = 0; i < count; ++i)
        if (!readNumber(Texts.value(i), shape, i, n[i], Error))
            return false;
    if (shape == MapArea::Shape::Rect) {
        // Reversed corners would be normalised silently; a typed mistake is better pointed out.
        if (n[2] <= n[0])
            return failNotGreater(Error, shape, 2, fieldName(shape, 0));
        if (n[3] <= n[1])
            return failNotGreater(Error, shape, 3, fieldName(shape, 1));
        if (!fitsInt(n[2] - n[0]))
            return failOutOfRange(Error, shape, 2);
        if (!fitsInt(n[3] - n[1]))
            return failOutOfRange(Error, shape, 3);
        Area.Left = int(n[0]);
        Area.Top = int(n[1]);
        Area.Width = int(n[2] - n[0]);
        Area.Height = int(n[3] - n[1]);
        return true;
    }
    const qint64 x = n[0], y = n[1], r = n[2];
    if (r <= 0)
        return failNotGreater(Error, shape, 2, QStringLiteral("0"));
    if (!fitsInt(x - r) || !fitsInt(x + r) || !fitsInt(y - r) || !fitsInt(y + r) || !fitsInt(2 * r))
        return failOutOfRange(Error, shape, 2);
    if (x - r < -CoordinateReachLimit || x + r > CoordinateReachLimit || y - r < -CoordinateReachLimit ||
        y + r > CoordinateReachLimit)
        return fail(Error, 2,
                    EditorText(QStringLiteral("%1: a circle this large cannot be shown; it must stay within "
                                              "%2 to %3."))
                        .arg(fieldName(shape, 2), QString::number(-CoordinateReachLimit),
                             QString::number(CoordinateReachLimit)));
    Area.Left = int(x - r);
    Area.Top = int(y - r);
    Area.Width = int(2 * r);
    Area.Height = int(2 * r);
    return true;
}
