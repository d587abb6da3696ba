#include "PointerQueries.h"
#include "TGrabHandle.h"
#include "TSizeFrame.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

#include <QtTest>

// What many regions cost beyond their own items: grab handles exist for the selected region only, and
// neither they nor anything else ask the window system where the pointer is while regions come and go.
class TstScale : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TPTGroup> FGroup;

    int HandleItems() const { return FGroup->HandleLayer()->childItems().size(); }

    // Rectangles, circles and polygons in turn.
    QList<TGUIRegion*> CreateRegions(int Count)
    {
        QList<TGUIRegion*> Result;
        for (int I = 0; I < Count; ++I) {
            const int X = (I * 37) % 250, Y = (I * 53) % 150;
            TGUIRegion* Region = nullptr;
            switch (I % 3) {
            case 0:
                Region = new TUIRectangle(FGroup.get());
                Region->SetBoundsRect(TRect{X, Y, X + 40, Y + 30});
                break;
            case 1:
                Region = new TUICircle(FGroup.get());
                Region->SetBoundsRect(TRect{X, Y, X + 30, Y + 30});
                break;
            default: {
                auto* Polygon = new TUIPolygon(FGroup.get());
                Polygon->SetPoints({{X, Y}, {X + 30, Y}, {X + 15, Y + 40}});
                Region = Polygon;
                break;
            }
            }
            Result.append(Region);
        }
        return Result;
    }

private slots:
    void init()
    {
        FGroup = std::make_unique<TPTGroup>();
        FGroup->SetFrameStyle(ptfsNone);
        FGroup->SetClientSize(300, 200);
        FGroup->resize(420, 320);
        FGroup->show();
        FGroup->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FGroup.get()));
        // As when the pointer rests over the scene: Qt then asks for the pointer's position whenever an
        // item in the scene gets a cursor.
        FGroup->setAttribute(Qt::WA_UnderMouse);
    }
    void cleanup() { FGroup.reset(); }

    void handlesExistForTheSelectedRegionOnly()
    {
        const QList<TGUIRegion*> Regions = CreateRegions(30);
        QCOMPARE(HandleItems(), 0);
        Regions[0]->SetFocus(); // a rectangle: its frame and 8 handles
        QCOMPARE(HandleItems(), 9);
        Regions[1]->SetFocus(); // a circle
        QCOMPARE(HandleItems(), 4);
        Regions[2]->SetFocus(); // a triangle
        QCOMPARE(HandleItems(), 3);
        FGroup->ClearRegionFocus();
        QCOMPARE(HandleItems(), 0);
        FGroup->DestroyRegions();
        QCOMPARE(HandleItems(), 0);
        QVERIFY(FGroup->Shapes().isEmpty());
    }

    void selectedHandlesKeepTheirCursors_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("cursors");
        QTest::newRow("rectangle") << 0
                                   << QList<int>{Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeFDiagCursor,
                                                 Qt::SizeBDiagCursor, Qt::SizeVerCursor,   Qt::SizeHorCursor,
                                                 Qt::SizeVerCursor,   Qt::SizeHorCursor};
        QTest::newRow("circle") << 1
                                << QList<int>{Qt::SizeHorCursor, Qt::SizeHorCursor, Qt::SizeVerCursor,
                                              Qt::SizeVerCursor};
        QTest::newRow("polygon") << 2 << QList<int>{Qt::CrossCursor, Qt::CrossCursor, Qt::CrossCursor};
    }
    void selectedHandlesKeepTheirCursors()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, cursors);
        TGUIRegion* Region = CreateRegions(3)[kind];
        Region->SetFocus();
        QList<TGrabHandle*> Handles;
        if (auto* R = qobject_cast<TUIRectangle*>(Region))
            Handles = R->SizeFrame()->Handles();
        else if (auto* C = qobject_cast<TUICircle*>(Region))
            Handles = C->Handles();
        else
            Handles = static_cast<TUIPolygon*>(Region)->Handles();
        QList<int> Shapes;
        for (TGrabHandle* H : Handles) {
            QVERIFY(H->isVisible());
            QVERIFY(H->hasCursor());
            Shapes.append(H->cursor().shape());
        }
        QCOMPARE(Shapes, cursors);
    }

    // Over a remote display each question is a round trip: creating, selecting and clearing regions must
    // ask none, however many regions there are.
    void regionsAskNoPointerPosition_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("30") << 30;
        QTest::newRow("3,000") << 3000;
    }
    void regionsAskNoPointerPosition()
    {
        QFETCH(int, count);
        QVERIFY(FGroup->underMouse());
        const int Before = PointerQueries();
        const QList<TGUIRegion*> Regions = CreateRegions(count);
        for (int I = 0; I < 3; ++I)
            Regions[I]->SetFocus();
        FGroup->ClearRegionFocus();
        FGroup->DestroyRegions();
        QCOMPARE(PointerQueries() - Before, 0);
    }

    void clearingLeavesTheOverlayAndHandleLayer()
    {
        auto* Overlay = new QGraphicsRectItem(0, 0, 10, 10);
        FGroup->AddOverlayItem(Overlay);
        CreateRegions(10)[0]->SetFocus();
        FGroup->DestroyRegions();
        QCOMPARE(FGroup->scene()->items(Qt::AscendingOrder),
                 (QList<QGraphicsItem*>{FGroup->HandleLayer(), Overlay}));
        // The panel still works as before.
        TGUIRegion* Region = CreateRegions(1)[0];
        Region->SetFocus();
        QCOMPARE(HandleItems(), 10);
        QCOMPARE(FGroup->ShapeAt(5, 5), Region);
    }
};

QTEST_MAIN(TstScale)
#include "tst_scale.moc"
