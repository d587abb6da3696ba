#pragma once
// How a failed comparison prints the regions' rectangles and points.
#include "Geometry.h"

#include <QString>
#include <QtTest>

namespace QTest {
template <> inline char* toString(const TRect& R)
{
    return qstrdup(
        QString::asprintf("(%d, %d, %d, %d)", R.Left, R.Top, R.Right, R.Bottom).toUtf8().constData());
}
template <> inline char* toString(const TPoint& P)
{
    return qstrdup(QString::asprintf("(%d, %d)", P.X, P.Y).toUtf8().constData());
}
} // namespace QTest
