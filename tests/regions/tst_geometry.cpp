#include "GeometryPrinting.h"
#include "Geometry.h"
#include "PTFrameStyle.h"
#include "TSizeFrame.h"

#include <QtTest>
#include <cmath>

Q_DECLARE_METATYPE(TRect)
Q_DECLARE_METATYPE(TPoint)
Q_DECLARE_METATYPE(TFloatPoint)

class TstGeometry : public QObject
{
    Q_OBJECT
private slots:
    void rectHelpers()
    {
        QCOMPARE(AddPoint(TPoint{1, 2}, TPoint{10, 20}), (TPoint{11, 22}));
        QCOMPARE(RectWidth(TRect{10, 20, 60, 70}), 50);
        QCOMPARE(RectHeight(TRect{10, 20, 60, 75}), 55);
        QCOMPARE(NormalizeRect(TRect{40, 30, 10, 20}), (TRect{10, 20, 40, 30}));
        QCOMPARE(OffsetRectBy(TRect{1, 2, 3, 4}, 5, -5), (TRect{6, -3, 8, -1}));
        QCOMPARE(InflateRectBy(TRect{10, 10, 20, 20}, 4, 2), (TRect{6, 8, 24, 22}));
        QCOMPARE(BoundsToRect(10, 20, 50, 50), (TRect{10, 20, 60, 70}));
        // QRect's right() is inclusive: the same pixels, one less.
        QCOMPARE(ToQRect(TRect{10, 20, 60, 70}), QRect(10, 20, 50, 50));
        QCOMPARE(ToQRect(TRect{10, 20, 60, 70}).right(), 59);
        QCOMPARE(FromQRect(QRect(10, 20, 50, 50)), (TRect{10, 20, 60, 70}));
    }

    void pointsBounds()
    {
        QCOMPARE(PointsBounds({TPoint{5, 7}}), (TRect{5, 7, 5, 7}));
        QCOMPARE(PointsBounds({{10, 10}, {22, 10}, {13, 30}}), (TRect{10, 10, 22, 30}));
        QCOMPARE(PointsBounds({}), (TRect{0, 0, 0, 0}));
    }

    void pointInRect_data()
    {
        QTest::addColumn<TPoint>("p");
        QTest::addColumn<bool>("inside");
        QTest::newRow("top-left included") << TPoint{10, 20} << true;
        QTest::newRow("last pixel included") << TPoint{59, 69} << true;
        QTest::newRow("right edge excluded") << TPoint{60, 20} << false;
        QTest::newRow("bottom edge excluded") << TPoint{10, 70} << false;
        QTest::newRow("left of it") << TPoint{9, 30} << false;
    }
    void pointInRect()
    {
        QFETCH(TPoint, p);
        QFETCH(bool, inside);
        QCOMPARE(PointInRect(TRect{10, 20, 60, 70}, p), inside);
    }

    void quadrants()
    {
        const TFloatPoint P{10, 10};
        QCOMPARE(Quadrant({11, 11}, P), 0);
        QCOMPARE(Quadrant({10, 11}, P), 1);
        QCOMPARE(Quadrant({10, 10}, P), 2);
        QCOMPARE(Quadrant({11, 10}, P), 3);
        QCOMPARE(CrossingX({0, 0}, {10, 10}, 5), 5.0f);
    }

    void pointInPolygon_data()
    {
        QTest::addColumn<QVector<TFloatPoint>>("poly");
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<bool>("inside");
        const QVector<TFloatPoint> Square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
        QTest::newRow("square centre") << Square << 5.f << 5.f << true;
        QTest::newRow("square outside") << Square << 15.f << 5.f << false;
        QTest::newRow("square reversed")
            << QVector<TFloatPoint>{{0, 10}, {10, 10}, {10, 0}, {0, 0}} << 5.f << 5.f << true;
        // Five-pointed star drawn as one self-crossing outline: the centre is wound twice, so outside.
        QVector<TFloatPoint> Star;
        for (int I = 0; I < 5; ++I) {
            const double A = -M_PI / 2 + I * 4 * M_PI / 5;
            Star.append(TFloatPoint{float(100 + 80 * std::cos(A)), float(100 + 80 * std::sin(A))});
        }
        QTest::newRow("star centre outside") << Star << 100.f << 100.f << false;
        QTest::newRow("star tip inside") << Star << 100.f << 35.f << true;
        QTest::newRow("star far outside") << Star << 0.f << 0.f << false;
        QTest::newRow("two vertices") << QVector<TFloatPoint>{{0, 0}, {10, 10}} << 5.f << 5.f << false;
        QTest::newRow("no vertex") << QVector<TFloatPoint>{} << 0.f << 0.f << false;
        QTest::newRow("concave notch") << QVector<TFloatPoint>{{0, 0},   {30, 0},  {30, 30}, {20, 30},
                                                               {20, 10}, {10, 10}, {10, 30}, {0, 30}}
                                       << 15.f << 20.f << false;
        QTest::newRow("concave arm") << QVector<TFloatPoint>{{0, 0},   {30, 0},  {30, 30}, {20, 30},
                                                             {20, 10}, {10, 10}, {10, 30}, {0, 30}}
                                     << 5.f << 20.f << true;
    }
    void pointInPolygon()
    {
        QFETCH(QVector<TFloatPoint>, poly);
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(bool, inside);
        QCOMPARE(PointInPolygon(poly, TFloatPoint{x, y}), inside);
    }

    void centreInScrollBox()
    {
        QCOMPARE(CentreInScrollBoxPos(500, 400, 200, 100, 0, 0), (TPoint{150, 150}));
        QCOMPARE(CentreInScrollBoxPos(500, 400, 800, 100, 120, 0), (TPoint{-120, 150}));
        QCOMPARE(CentreInScrollBoxPos(501, 400, 200, 100, 0, 0), (TPoint{150, 150})); // div truncates
    }

    void frameInsets_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("caption");
        QTest::addColumn<QMargins>("insets");
        QTest::newRow("none") << int(ptfsNone) << false << QMargins(0, 0, 0, 0);
        QTest::newRow("group without caption") << int(ptfsGroup) << false << QMargins(2, 2, 2, 2);
        QTest::newRow("group with caption") << int(ptfsGroup) << true << QMargins(2, 13, 2, 2);
        QTest::newRow("lowered") << int(ptfsLowered) << false << QMargins(2, 2, 2, 2);
        QTest::newRow("raised") << int(ptfsRaised) << true << QMargins(2, 2, 2, 2);
        QTest::newRow("dint") << int(ptfsDint) << false << QMargins(1, 1, 1, 1);
        QTest::newRow("bump") << int(ptfsBump) << false << QMargins(1, 1, 1, 1);
        QTest::newRow("single") << int(ptfsSingle) << false << QMargins(1, 1, 1, 1);
        QTest::newRow("horz line") << int(ptfsHorzLine) << false << QMargins(0, 2, 0, 0);
        QTest::newRow("horz edge") << int(ptfsHorzEdge) << false << QMargins(0, 2, 0, 2);
        QTest::newRow("vert line") << int(ptfsVertLine) << false << QMargins(2, 0, 0, 0);
        QTest::newRow("vert edge") << int(ptfsVertEdge) << false << QMargins(2, 0, 2, 0);
    }
    void frameInsets()
    {
        QFETCH(int, style);
        QFETCH(bool, caption);
        QFETCH(QMargins, insets);
        QCOMPARE(FrameClientInsets(TPTFrameStyle(style), caption, 13), insets);
    }

    void sizeFrameLayout_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<TPoint>("centre");
        QTest::addColumn<int>("cursor");
        QTest::newRow("0 top-left") << 0 << TPoint{6, 16} << int(Qt::SizeFDiagCursor);
        QTest::newRow("1 top-right") << 1 << TPoint{63, 16} << int(Qt::SizeBDiagCursor);
        QTest::newRow("2 bottom-right") << 2 << TPoint{63, 73} << int(Qt::SizeFDiagCursor);
        QTest::newRow("3 bottom-left") << 3 << TPoint{6, 73} << int(Qt::SizeBDiagCursor);
        QTest::newRow("4 top") << 4 << TPoint{35, 16} << int(Qt::SizeVerCursor);
        QTest::newRow("5 right") << 5 << TPoint{63, 45} << int(Qt::SizeHorCursor);
        QTest::newRow("6 bottom") << 6 << TPoint{35, 73} << int(Qt::SizeVerCursor);
        QTest::newRow("7 left") << 7 << TPoint{6, 45} << int(Qt::SizeHorCursor);
    }
    void sizeFrameLayout()
    {
        QFETCH(int, index);
        QFETCH(TPoint, centre);
        QFETCH(int, cursor);
        QCOMPARE(TSizeFrame::HandleCentreFor(index, TRect{10, 20, 60, 70}), centre);
        QCOMPARE(int(TSizeFrame::HandleCursorFor(index)), cursor);
    }

    void sizeFrameDrag_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<TRect>("result");
        QTest::newRow("bottom-right far up-left keeps 7") << 2 << -100 << -100 << TRect{10, 20, 17, 27};
        QTest::newRow("top-left far right keeps 7") << 0 << 100 << 0 << TRect{53, 20, 60, 70};
        QTest::newRow("top down 30") << 4 << 0 << 30 << TRect{10, 50, 60, 70};
        QTest::newRow("right ignores vertical") << 5 << 5 << 40 << TRect{10, 20, 65, 70};
        QTest::newRow("top-right") << 1 << 10 << -5 << TRect{10, 15, 70, 70};
        QTest::newRow("bottom-left") << 3 << -10 << 5 << TRect{0, 20, 60, 75};
        QTest::newRow("bottom") << 6 << 3 << 7 << TRect{10, 20, 60, 77};
        QTest::newRow("left") << 7 << -3 << 7 << TRect{7, 20, 60, 70};
        QTest::newRow("no travel") << 2 << 0 << 0 << TRect{10, 20, 60, 70};
    }
    void sizeFrameDrag()
    {
        QFETCH(int, index);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(TRect, result);
        QCOMPARE(TSizeFrame::DraggedRect(index, TRect{10, 20, 60, 70}, dx, dy), result);
    }
};

QTEST_APPLESS_MAIN(TstGeometry)
#include "tst_geometry.moc"
