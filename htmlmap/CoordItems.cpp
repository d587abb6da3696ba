#include "CoordItems.h"

#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
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

bool ParseWholeNumber(const QString& item, int* value)
{
    const int n = item.size();
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
    // The magnitude may reach 2^31 for the most negative value.
    const qint64 limit =
        negative ? qint64(std::numeric_limits<int>::max()) + 1 : std::numeric_limits<int>::max();
    qint64 magnitude = 0;
    for (; p < n; ++p) {
        const int digit = hexDigit(item[p]);
        if (digit < 0 || digit >= base)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    if (value)
        *value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

QString InvalidIntegerMessage(const QString& item)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(item);
}

QString ListIndexMessage(int index)
{
    return QStringLiteral("List index out of bounds (%1)").arg(index);
}

bool ReadCoordItem(const QStringList& items, int index, int* value, QString* errorMessage)
{
    if (index < 0 || index >= items.size()) {
        if (errorMessage)
            *errorMessage = ListIndexMessage(index);
        return false;
    }
    if (!ParseWholeNumber(items[index], value)) {
        if (errorMessage)
            *errorMessage = InvalidIntegerMessage(items[index]);
        return false;
    }
    return true;
}
