#include "GeometryPrinting.h"
#include "DefaultHRef.h"
#include "TGrabHandle.h"
#include "TSizeFrame.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(TRect)
Q_DECLARE_METATYPE(TPoint)

class TstHandles : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TPTGroup> FGroup;

    QPoint At(int X, int Y) const { return FGroup->mapFromScene(QPointF(X, Y)); }
    void Press(int X, int Y, Qt::MouseButton B = Qt::LeftButton)
    {
        QTest::mousePress(FGroup->viewport(), B, {}, At(X, Y));
    }
    void Move(int X, int Y) { QTest::mouseMove(FGroup->viewport(), At(X, Y)); }
    void Release(int X, int Y, Qt::MouseButton B = Qt::LeftButton)
    {
        QTest::mouseRelease(FGroup->viewport(), B, {}, At(X, Y));
    }
    void Drag(const TPoint& From, int DX, int DY)
    {
        Press(From.X, From.Y);
        Move(From.X + DX / 2, From.Y + DY / 2);
        Move(From.X + DX, From.Y + DY);
        Release(From.X + DX, From.Y + DY);
    }
    static TPoint Centre(const TGrabHandle* H) { return TPoint{HandleCentreX(H), HandleCentreY(H)}; }

private slots:
    void init()
    {
        SetInstallRecordFile(QStringLiteral("/nonexistent/record.ini"));
        FGroup = std::make_unique<TPTGroup>();
        FGroup->SetFrameStyle(ptfsNone);
        FGroup->SetClientSize(300, 200);
        FGroup->resize(420, 320);
        FGroup->show();
        FGroup->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FGroup.get()));
    }
    void cleanup() { FGroup.reset(); }

    void rectangleHandleDrag_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<TRect>("result");
        QTest::newRow("bottom-right far up-left") << 2 << -100 << -100 << TRect{10, 20, 17, 27};
        QTest::newRow("top-left far right") << 0 << 100 << 0 << TRect{53, 20, 60, 70};
        QTest::newRow("top down") << 4 << 0 << 30 << TRect{10, 50, 60, 70};
        QTest::newRow("right, vertical travel ignored") << 5 << 5 << 40 << TRect{10, 20, 65, 70};
        QTest::newRow("bottom-left out") << 3 << -5 << 12 << TRect{5, 20, 60, 82};
    }
    void rectangleHandleDrag()
    {
        QFETCH(int, index);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(TRect, result);
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{10, 20, 60, 70});
        R->SetFocus();
        TGrabHandle* H = R->SizeFrame()->Handles()[index];
        Drag(Centre(H), dx, dy);
        QCOMPARE(R->BoundsRect(), result);
        QCOMPARE(FGroup->FocusedRegion(), R);
        QVERIFY(H->isVisible());
        QCOMPARE(Centre(H), TSizeFrame::HandleCentreFor(index, result));
        QVERIFY(FGroup->InvertedShapes().isEmpty());
        QCOMPARE(FGroup->DragControl(), nullptr);
    }

    void dragShowsOutlineAndHidesHandles()
    {
        QSignalSpy Focused(FGroup.get(), &TPTCustomGroup::RegionFocused);
        QSignalSpy Lost(FGroup.get(), &TPTCustomGroup::RegionFocusLost);
        QSignalSpy Down(FGroup.get(), &TPTCustomGroup::MouseDown);
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{10, 20, 60, 70});
        R->SetFocus();
        TGrabHandle* H = R->SizeFrame()->Handles()[2];
        Press(63, 73);
        QCOMPARE(FGroup->DragControl(), H);
        QCOMPARE(FGroup->FocusedRegion(), nullptr);
        QCOMPARE(Lost.count(), 1);
        for (TGrabHandle* Each : R->SizeFrame()->Handles())
            QVERIFY(!Each->isVisible());
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QCOMPARE(FGroup->InvertedShapes().size(), 1);
        QCOMPARE(FGroup->InvertedShapes()[0].R, (TRect{10, 20, 60, 70}));
        Move(73, 83);
        QCOMPARE(FGroup->InvertedShapes().size(), 1); // the old outline is erased
        QCOMPARE(FGroup->InvertedShapes()[0].ShapeKind, TInvertedShape::Rectangle);
        QCOMPARE(FGroup->InvertedShapes()[0].R, (TRect{10, 20, 70, 80}));
        QCOMPARE(R->BoundsRect(), (TRect{10, 20, 60, 70})); // unchanged until the release
        Release(73, 83);
        QCOMPARE(R->BoundsRect(), (TRect{10, 20, 70, 80}));
        QVERIFY(FGroup->InvertedShapes().isEmpty());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(FGroup->FocusedRegion(), R);
        QCOMPARE(Focused.count(), 2);
        QCOMPARE(Down.count(), 0); // handles take their presses; the editor sees none
        QVERIFY(!FGroup->CursorClipped());
    }

    void pressAndReleaseWithoutMoving()
    {
        auto* P = new TUIPolygon(FGroup.get());
        const QVector<TPoint> Points{{10, 10}, {22, 10}, {13, 30}};
        P->SetPoints(Points);
        P->SetFocus();
        Press(13, 30);
        QCOMPARE(FGroup->FocusedRegion(), nullptr);
        Release(13, 30);
        QCOMPARE(P->Points(), Points);
        QCOMPARE(P->BoundsRect(), (TRect{6, 6, 26, 34}));
        QCOMPARE(FGroup->FocusedRegion(), P);
        QCOMPARE(P->Handles().size(), 3);
        QVERIFY(P->Handles()[2]->isVisible());
    }

    void rightButtonDoesNothing()
    {
        QSignalSpy Down(FGroup.get(), &TPTCustomGroup::MouseDown);
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{10, 20, 60, 70});
        R->SetFocus();
        Press(63, 73, Qt::RightButton);
        QCOMPARE(FGroup->DragControl(), nullptr);
        QCOMPARE(FGroup->FocusedRegion(), R);
        Release(63, 73, Qt::RightButton);
        QCOMPARE(R->BoundsRect(), (TRect{10, 20, 60, 70}));
        // A right release during a left drag neither ends nor changes it.
        Press(63, 73);
        Move(70, 80);
        QTest::mouseRelease(FGroup->viewport(), Qt::RightButton, {}, At(90, 90));
        QCOMPARE(FGroup->DragControl(), R->SizeFrame()->Handles()[2]);
        QCOMPARE(R->BoundsRect(), (TRect{10, 20, 60, 70}));
        Release(70, 80);
        QCOMPARE(R->BoundsRect(), (TRect{10, 20, 67, 77}));
    }

    void circleHandleDrag_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<TRect>("result");
        QTest::newRow("right grows") << 1 << 10 << 0 << TRect{60, 40, 140, 120};
        QTest::newRow("left through the centre") << 0 << 70 << 0 << TRect{60, 40, 140, 120};
        QTest::newRow("left to the centre") << 0 << 30 << 0 << TRect{100, 80, 100, 80};
        QTest::newRow("top shrinks") << 2 << 5 << 10 << TRect{80, 60, 120, 100};
        QTest::newRow("bottom grows") << 3 << 0 << 4 << TRect{66, 46, 134, 114};
    }
    void circleHandleDrag()
    {
        QFETCH(int, index);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(TRect, result);
        auto* C = new TUICircle(FGroup.get());
        C->SetBoundsRect(TRect{70, 50, 130, 110});
        C->SetFocus();
        TGrabHandle* H = C->Handles()[index];
        const TPoint From = Centre(H);
        Press(From.X, From.Y);
        Move(From.X + dx, From.Y + dy);
        QCOMPARE(FGroup->InvertedShapes().size(), 1);
        QCOMPARE(FGroup->InvertedShapes()[0].ShapeKind, TInvertedShape::Ellipse);
        QCOMPARE(FGroup->InvertedShapes()[0].R, result);
        Release(From.X + dx, From.Y + dy);
        QCOMPARE(C->BoundsRect(), result);
        QCOMPARE(FGroup->FocusedRegion(), C);
        QCOMPARE(FGroup->Regions().size(), 1); // an empty circle remains a region
    }

    void polygonVertexDragMovesThatVertexOnly()
    {
        auto* P = new TUIPolygon(FGroup.get());
        P->SetPoints({{10, 10}, {22, 10}, {13, 30}, {40, 60}});
        P->SetFocus();
        Drag(TPoint{13, 30}, 50, 7);
        const QVector<TPoint> Expected{{10, 10}, {22, 10}, {63, 37}, {40, 60}};
        QCOMPARE(P->Points(), Expected);
        QCOMPARE(P->BoundsRect(), InflateRectBy(PointsBounds(Expected), 4, 4));
        QVector<TPoint> Centres;
        for (TGrabHandle* H : P->Handles())
            Centres.append(Centre(H));
        QCOMPARE(Centres, Expected);
        QCOMPARE(FGroup->FocusedRegion(), P);
        // Moving it afterwards still shifts every vertex exactly.
        P->SetBoundsRect(OffsetRectBy(P->BoundsRect(), 3, -2));
        QCOMPARE(P->Points(), (QVector<TPoint>{{13, 8}, {25, 8}, {66, 35}, {43, 58}}));
    }

    void polygonOutlineDuringVertexDrag()
    {
        auto* P = new TUIPolygon(FGroup.get());
        P->SetPoints({{10, 10}, {22, 10}, {13, 30}});
        P->SetFocus();
        Press(22, 10);
        Move(32, 15);
        QCOMPARE(FGroup->InvertedShapes().size(), 1);
        QCOMPARE(FGroup->InvertedShapes()[0].ShapeKind, TInvertedShape::Polygon);
        QCOMPARE(FGroup->InvertedShapes()[0].Points, (QVector<TPoint>{{10, 10}, {32, 15}, {13, 30}}));
        QCOMPARE(P->Points(), (QVector<TPoint>{{10, 10}, {22, 10}, {13, 30}}));
        Release(32, 15);
        QVERIFY(FGroup->InvertedShapes().isEmpty());
        QCOMPARE(P->Points(), (QVector<TPoint>{{10, 10}, {32, 15}, {13, 30}}));
    }

    void dragIsConfinedToTheClientArea()
    {
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{200, 100, 250, 150});
        R->SetFocus();
        Press(253, 153); // handle 2
        QVERIFY(FGroup->CursorClipped());
        // Far beyond the picture: the pointer is held where the edges it moves reach the picture's.
        QTest::mouseMove(FGroup->viewport(), At(299, 199) + QPoint(40, 40));
        QTest::mouseRelease(FGroup->viewport(), Qt::LeftButton, {}, At(299, 199) + QPoint(40, 40));
        QCOMPARE(R->BoundsRect(), (TRect{200, 100, 300, 200}));
        QVERIFY(!FGroup->CursorClipped());
    }

    void deletingRegionDuringDragEndsIt()
    {
        auto* C = new TUICircle(FGroup.get());
        C->SetBoundsRect(TRect{70, 50, 130, 110});
        C->SetFocus();
        Press(129, 80);
        QVERIFY(FGroup->DragControl());
        delete C;
        QCOMPARE(FGroup->DragControl(), nullptr);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY(FGroup->InvertedShapes().isEmpty());
        Move(140, 80);
        Release(140, 80); // nothing left to drag: must not crash
    }
};

QTEST_MAIN(TstHandles)
#include "tst_handles.moc"
