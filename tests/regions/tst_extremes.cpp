#include "GeometryPrinting.h"
#include "TGrabHandle.h"
#include "TSizeFrame.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

#include <QPainter>
#include <QtTest>
#include <limits>

Q_DECLARE_METATYPE(TPoint)
Q_DECLARE_METATYPE(TRect)

namespace {
constexpr int Max = std::numeric_limits<int>::max();
constexpr int Min = std::numeric_limits<int>::min();
} // namespace

// Coordinates at the ends of the int range, as an imported map may give them: the regions' geometry
// clamps where a result leaves the range and never overflows (the sanitizer build turns an overflow
// into a failure).
class TstExtremes : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TPTGroup> FGroup;

    // Everything a region goes through on the scene: hit tests, selection with its handles, painting,
    // a move there and back.
    void Exercise(TGUIRegion* Region, const TPoint& Inside)
    {
        QCOMPARE(FGroup->ShapeAt(Inside.X, Inside.Y), Region);
        Region->SetFocus();
        QCOMPARE(FGroup->FocusedRegion(), Region);
        (void)Region->boundingRect();
        QImage Img(300, 200, QImage::Format_RGB32);
        QPainter Painter(&Img);
        FGroup->scene()->render(&Painter, QRectF(0, 0, 300, 200), FGroup->scene()->itemsBoundingRect());
        Painter.end();
        FGroup->ClearRegionFocus();
    }

    // A move there and back: at an end of the range the move stops there.
    void MoveThereAndBack(TGUIRegion* Region)
    {
        Region->SetBoundsRect(OffsetRectBy(Region->BoundsRect(), 5, -5));
        Region->SetBoundsRect(OffsetRectBy(Region->BoundsRect(), -5, 5));
        const TRect R = Region->BoundsRect();
        QVERIFY(R.Left <= R.Right && R.Top <= R.Bottom);
    }

private slots:
    void init()
    {
        FGroup = std::make_unique<TPTGroup>();
        FGroup->SetClientSize(300, 200);
        FGroup->show();
    }
    void cleanup() { FGroup.reset(); }

    void geometryClamps_data()
    {
        QTest::addColumn<TRect>("result");
        QTest::addColumn<TRect>("expected");
        QTest::newRow("bounds beyond the right end") << BoundsToRect(Max - 10, 0, 100, 5) << TRect{Max - 10, 0, Max, 5};
        QTest::newRow("inflated at both ends")
            << InflateRectBy(TRect{Min, Min, Max, Max}, 4, 4) << TRect{Min, Min, Max, Max};
        QTest::newRow("offset below the left end")
            << OffsetRectBy(TRect{Min + 2, 0, 10, 10}, -5, 0) << TRect{Min, 0, 5, 10};
        QTest::newRow("width of the whole range") << TRect{RectWidth(TRect{Min, 0, Max, 0}), 0, 0, 0}
                                                  << TRect{Max, 0, 0, 0};
        QTest::newRow("handle beyond the top-left")
            << TRect{TSizeFrame::HandleCentreFor(0, TRect{Min, Min, 0, 0}).X, 0, 0, 0} << TRect{Min, 0, 0, 0};
        QTest::newRow("dragged handle") << TSizeFrame::DraggedRect(2, TRect{0, 0, Max - 3, 10}, 10, 0)
                                        << TRect{0, 0, Max, 10};
    }
    void geometryClamps()
    {
        QFETCH(TRect, result);
        QFETCH(TRect, expected);
        QCOMPARE(result, expected);
    }

    void polygonsKeepTheirVertices_data()
    {
        QTest::addColumn<QVector<TPoint>>("points");
        QTest::addColumn<TPoint>("inside");
        QTest::newRow("vertex at the largest int") << QVector<TPoint>{{10, 10}, {Max, 10}, {10, 150}} << TPoint{20, 20};
        QTest::newRow("vertex at the smallest int") << QVector<TPoint>{{Min, 10}, {250, 10}, {250, 150}}
                                                    << TPoint{240, 20};
        QTest::newRow("both ends") << QVector<TPoint>{{Min, Min}, {Max, Min}, {Max, Max}, {Min, Max}}
                                   << TPoint{100, 100};
    }
    void polygonsKeepTheirVertices()
    {
        QFETCH(QVector<TPoint>, points);
        QFETCH(TPoint, inside);
        auto* Polygon = new TUIPolygon(FGroup.get());
        Polygon->SetPoints(points);
        QCOMPARE(Polygon->Points(), points);
        Exercise(Polygon, inside);
        QCOMPARE(Polygon->Points(), points);
        MoveThereAndBack(Polygon);
    }

    void polygonAtTheEndsAtEveryZoom_data()
    {
        QTest::addColumn<QVector<TPoint>>("points");
        QTest::addColumn<TRect>("area");
        constexpr int Reach = 1 << 24; // how far the editable area grows at most
        QTest::newRow("vertex at 2^31 - 1") << QVector<TPoint>{{10, 10}, {Max, 10}, {10, 150}}
                                            << TRect{0, 0, Reach, 200};
        QTest::newRow("vertex at -2^31") << QVector<TPoint>{{Min, 10}, {250, 10}, {250, 150}}
                                         << TRect{-Reach, 0, 300, 200};
        QTest::newRow("both ends") << QVector<TPoint>{{Min, Min}, {Max, Min}, {Max, Max}, {Min, Max}}
                                   << TRect{-Reach, -Reach, Reach, Reach};
    }
    void polygonAtTheEndsAtEveryZoom()
    {
        // The editable area and the view's scroll range follow the polygon at every scale, the
        // screen positions of its corners included.
        QFETCH(QVector<TPoint>, points);
        QFETCH(TRect, area);
        auto* Polygon = new TUIPolygon(FGroup.get());
        Polygon->SetPoints(points);
        for (double Zoom = TPTGroup::ZoomMin;; Zoom = TPTGroup::NextZoomStep(Zoom, true)) {
            FGroup->SetZoom(Zoom);
            QCOMPARE(FGroup->EditableArea(), area);
            for (const TPoint& P : points)
                (void)FGroup->mapFromScene(QPointF(P.X, P.Y));
            QCOMPARE(FGroup->sceneRect().isValid(), true);
            Exercise(Polygon, points.size() == 4 ? TPoint{100, 100} : TPoint{20 + 200 * (points[0].X == Min), 20});
            if (Zoom >= TPTGroup::ZoomMax)
                break;
        }
        QCOMPARE(Polygon->Points(), points);
    }

    void rectanglesAndCirclesAtTheEnds_data()
    {
        QTest::addColumn<bool>("circle");
        QTest::addColumn<TRect>("bounds");
        QTest::addColumn<TPoint>("inside");
        // The largest rectangle an import accepts there: its width is the largest int.
        QTest::newRow("rectangle at the smallest int") << false << TRect{Min, Min, -1, -1} << TPoint{-2, -2};
        QTest::newRow("small rectangle at the smallest int") << false << TRect{Min, 0, Min + 100, 100}
                                                             << TPoint{Min, 0};
        QTest::newRow("rectangle to the largest int") << false << TRect{50, 50, Max, Max} << TPoint{60, 60};
        QTest::newRow("circle at the smallest int") << true << TRect{Min, Min, Min + 200, Min + 200}
                                                    << TPoint{Min + 100, Min + 100};
        QTest::newRow("circle to the largest int") << true << TRect{Max - 200, Max - 200, Max, Max}
                                                   << TPoint{Max - 100, Max - 100};
    }
    void rectanglesAndCirclesAtTheEnds()
    {
        QFETCH(bool, circle);
        QFETCH(TRect, bounds);
        QFETCH(TPoint, inside);
        TGUIRegion* Region = circle ? static_cast<TGUIRegion*>(new TUICircle(FGroup.get()))
                                    : static_cast<TGUIRegion*>(new TUIRectangle(FGroup.get()));
        Region->SetBoundsRect(bounds);
        QCOMPARE(Region->BoundsRect(), bounds);
        Exercise(Region, inside);
        QCOMPARE(Region->BoundsRect(), bounds);
        MoveThereAndBack(Region);
    }
};

QTEST_MAIN(TstExtremes)
#include "tst_extremes.moc"
