#include "CoordItems.h"

#include <QStringView>
#include <cctype>
#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

// Only digits of the base: Qt's number parser would also take blanks, a sign or
// a second "0x", which the coords rules don't.
bool allDigitsOf(QStringView digits, int base)
{
    for (const QChar c : digits) {
        const ushort u = c.unicode();
        if (u > 127 || !(base == 16 ? std::isxdigit(u) : std::isdigit(u)))
            return false;
    }
    return true;
}

QString invalidIntegerMessage(QStringView item)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(item);
}

QString listIndexMessage(int index)
{
    return QStringLiteral("List index out of bounds (%1)").arg(index);
}

} // namespace

QStringList SplitCoordItems(const QString& coords)
{
    QStringList items;
    const int n = coords.size();
    int p = 0;
    while (p < n && isBlank(coords[p]))
        ++p;
    while (p < n) {
        QString item;
        if (coords[p] == QLatin1Char('"')) {
            ++p;
            while (p < n) {
                if (coords[p] == QLatin1Char('"')) {
                    if (p + 1 < n && coords[p + 1] == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        p += 2;
                        continue;
                    }
                    ++p; // the closing mark
                    break;
                }
                item += coords[p++];
            }
            // An unclosed quotation runs to the end of the text.
        } else {
            const int start = p;
            while (p < n && !isBlank(coords[p]) && coords[p] != QLatin1Char(','))
                ++p;
            item = coords.mid(start, p - start);
        }
        items.append(item);
        while (p < n && isBlank(coords[p]))
            ++p;
        if (p < n && coords[p] == QLatin1Char(',')) {
            if (p + 1 == n)
                items.append(QString()); // a trailing comma ends with an empty item
            do
                ++p;
            while (p < n && isBlank(coords[p]));
        }
    }
    return items;
}

void CoordItemViews::Assign(QStringView coords)
{
    // The rules of SplitCoordItems, kept apart from it so that the fuzzer can compare the two.
    FItems.clear();
    FUnquoted.clear();
    const int n = int(coords.size());
    int p = 0;
    while (p < n && isBlank(coords[p]))
        ++p;
    while (p < n) {
        if (coords[p] == QLatin1Char('"')) {
            const int start = ++p;
            bool doubled = false;
            while (p < n) {
                if (coords[p] == QLatin1Char('"')) {
                    if (p + 1 < n && coords[p + 1] == QLatin1Char('"')) {
                        doubled = true;
                        p += 2;
                        continue;
                    }
                    break;
                }
                ++p;
            }
            QStringView item = coords.mid(start, p - start);
            if (doubled) {
                FUnquoted.push_back(item.toString().replace(QLatin1String("\"\""), QLatin1String("\"")));
                item = FUnquoted.back();
            }
            FItems.append(item);
            if (p < n)
                ++p; // the closing mark; an unclosed quotation runs to the end of the text
        } else {
            const int start = p;
            while (p < n && !isBlank(coords[p]) && coords[p] != QLatin1Char(','))
                ++p;
            FItems.append(coords.mid(start, p - start));
        }
        while (p < n && isBlank(coords[p]))
            ++p;
        if (p < n && coords[p] == QLatin1Char(',')) {
            if (p + 1 == n)
                FItems.append(QStringView()); // a trailing comma ends with an empty item
            do
                ++p;
            while (p < n && isBlank(coords[p]));
        }
    }
}

bool ParseWholeNumber(QStringView item, int* value)
{
    const int n = int(item.size());
    int p = 0;
    bool negative = false;
    if (p < n && (item[p] == QLatin1Char('+') || item[p] == QLatin1Char('-'))) {
        negative = item[p] == QLatin1Char('-');
        ++p;
    }
    int base = 10;
    if (p < n &&
        (item[p] == QLatin1Char('$') || item[p] == QLatin1Char('x') || item[p] == QLatin1Char('X'))) {
        base = 16;
        ++p;
    } else if (p + 1 < n && item[p] == QLatin1Char('0') &&
               (item[p + 1] == QLatin1Char('x') || item[p + 1] == QLatin1Char('X'))) {
        base = 16;
        p += 2;
    }
    if (p >= n)
        return false;
    const QStringView digits = item.mid(p);
    if (!allDigitsOf(digits, base))
        return false;
    // The magnitude may reach 2^31 for the most negative value.
    const qint64 limit =
        negative ? qint64(std::numeric_limits<int>::max()) + 1 : std::numeric_limits<int>::max();
    qint64 magnitude = 0;
    for (const QChar c : digits) {
        const int u = c.unicode();
        const int digit = u <= '9' ? u - '0' : (u | 0x20) - 'a' + 10;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    if (value)
        *value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

namespace {
// The same for the items as texts and as views into the attribute.
template <typename Items>
bool readCoordItemOf(const Items& items, int index, int* value, QString* errorMessage)
{
    if (index < 0 || index >= items.size()) {
        if (errorMessage)
            *errorMessage = listIndexMessage(index);
        return false;
    }
    if (!ParseWholeNumber(items[index], value)) {
        if (errorMessage)
            *errorMessage = invalidIntegerMessage(items[index]);
        return false;
    }
    return true;
}
} // namespace

bool ReadCoordItem(const QStringList& items, int index, int* value, QString* errorMessage)
{
    return readCoordItemOf(items, index, value, errorMessage);
}

bool ReadCoordItem(const CoordItemViews& items, int index, int* value, QString* errorMessage)
{
    return readCoordItemOf(items, index, value, errorMessage);
}

bool ParseRoundedDecimal(QStringView item, int* value)
{
    const int n = int(item.size());
    int p = 0;
    if (p < n && (item[p] == QLatin1Char('+') || item[p] == QLatin1Char('-')))
        ++p;
    int digits = 0;
    int points = 0;
    for (int i = p; i < n; ++i) {
        const ushort u = item[i].unicode();
        if (u == '.')
            ++points;
        else if (u < 128 && std::isdigit(u))
            ++digits;
        else
            return false;
    }
    if (points != 1 || digits == 0)
        return false;
    bool converted = false;
    const double number = item.toDouble(&converted);
    if (!converted)
        return false;
    const double rounded = std::round(number);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return false;
    if (value)
        *value = static_cast<int>(rounded);
    return true;
}
