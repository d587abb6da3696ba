// The coords text of an AREA on arbitrary input: splitting and reading items
// must agree with each other, and every number read must come back from the
// form the writer gives it.
#include "CoordItems.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "coords broken: %s\n%s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString coords = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList items = SplitCoordItems(coords);
    const CoordItemViews views(coords);
    if (views.size() != items.size())
        fail("the import's split counts differently", coords);
    QList<int> numbers;
    for (int i = 0; i < items.size(); ++i) {
        int fromItem = 0, fromList = 0;
        QString error;
        const bool parsed = ParseWholeNumber(items[i], &fromItem);
        if (ReadCoordItem(items, i, &fromList, &error) != parsed || (parsed && fromList != fromItem))
            fail("ReadCoordItem and ParseWholeNumber disagree", items[i]);
        int fromView = 0;
        QString viewError;
        if (views[i] != items[i] || ReadCoordItem(views, i, &fromView, &viewError) != parsed ||
            (parsed && fromView != fromItem) || viewError != error)
            fail("the import's split reads differently", items[i]);
        if (!parsed && error.isEmpty())
            fail("no message for a bad item", items[i]);
        if (!parsed)
            continue;
        int again = 0;
        if (!ParseWholeNumber(QString::number(fromItem), &again) || again != fromItem)
            fail("decimal form not read back", items[i]);
        const qint64 magnitude = fromItem < 0 ? -qint64(fromItem) : qint64(fromItem);
        const QString hex = (fromItem < 0 ? QStringLiteral("-0x") : QStringLiteral("0x")) + QString::number(magnitude, 16);
        if (!ParseWholeNumber(hex, &again) || again != fromItem)
            fail("hexadecimal form not read back", items[i]);
        numbers.append(fromItem);
    }
    int unused = 0;
    QString error;
    if (ReadCoordItem(items, items.size(), &unused, &error) || error.isEmpty())
        fail("item past the end read", coords);

    // The writer's form: numbers joined by commas.
    QStringList written;
    for (int n : numbers)
        written.append(QString::number(n));
    const QStringList split = SplitCoordItems(written.join(QLatin1Char(',')));
    if (split.size() != numbers.size())
        fail("written numbers split differently", written.join(QLatin1Char(',')));
    for (int i = 0; i < numbers.size(); ++i) {
        int back = 0;
        if (!ReadCoordItem(split, i, &back, nullptr) || back != numbers[i])
            fail("written number not read back", written.join(QLatin1Char(',')));
    }
    return 0;
}
