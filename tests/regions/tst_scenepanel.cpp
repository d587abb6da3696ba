#include "DefaultHRef.h"
#include "TGrabHandle.h"
#include "TSizeFrame.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

#include <QGraphicsRectItem>
#include <QGraphicsSceneMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(TRect)

namespace {

// An editor overlay that takes left presses, as the polygon tool's does.
class TOverlay : public QGraphicsRectItem
{
public:
    using QGraphicsRectItem::QGraphicsRectItem;
    int Presses = 0;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* Event) override
    {
        ++Presses;
        Event->accept();
    }
};

} // namespace

class TstScenePanel : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TPTGroup> FGroup;
    QPoint At(int X, int Y) const { return FGroup->mapFromScene(QPointF(X, Y)); }

private slots:
    void init()
    {
        SetInstallRecordFile(QStringLiteral("/nonexistent/record.ini"));
        FGroup = std::make_unique<TPTGroup>();
        FGroup->SetFrameStyle(ptfsNone);
        FGroup->SetClientSize(300, 200);
        FGroup->resize(500, 400);
        FGroup->show();
        FGroup->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FGroup.get()));
    }
    void cleanup() { FGroup.reset(); }

    void placeShapeKeepsTheOthersInOrder_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("up into the middle") << 0 << 2;
        QTest::newRow("down into the middle") << 4 << 1;
        QTest::newRow("to the top") << 1 << 4;
        QTest::newRow("to the bottom") << 3 << 0;
        QTest::newRow("beyond the top") << 2 << 99;
    }
    void placeShapeKeepsTheOthersInOrder()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QList<TGUIShape*> Expected;
        for (int I = 0; I < 5; ++I) {
            auto* R = new TUIRectangle(FGroup.get());
            R->SetBoundsRect(TRect{10, 10, 100, 100});
            Expected.append(R);
        }
        TGUIShape* Moved = Expected.takeAt(from);
        Expected.insert(std::min(to, 4), Moved);
        FGroup->PlaceShape(Moved, to);
        QCOMPARE(FGroup->Shapes(), Expected);
        // The painting order and the hit test agree with the list.
        for (int I = 1; I < Expected.size(); ++I)
            QVERIFY(Expected[I - 1]->zValue() < Expected[I]->zValue());
        QCOMPARE(FGroup->ShapeAt(50, 50), Expected.last());
    }

    void placeShapeManyTimesAtOnePlace()
    {
        // Halving the gap between two neighbours runs out after some fifty moves; the order holds.
        QList<TGUIShape*> Shapes;
        for (int I = 0; I < 4; ++I)
            Shapes.append(new TUIRectangle(FGroup.get()));
        for (int Round = 0; Round < 200; ++Round) {
            FGroup->PlaceShape(FGroup->Shapes().at(3), 1);
            for (int I = 1; I < 4; ++I)
                QVERIFY(FGroup->Shapes()[I - 1]->zValue() < FGroup->Shapes()[I]->zValue());
        }
    }

    void handleDragReportsItsStartAndEnd()
    {
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{20, 20, 80, 80});
        R->SetFocus();
        QSignalSpy Started(FGroup.get(), &TPTCustomGroup::ShapeDragStarted);
        QSignalSpy Finished(FGroup.get(), &TPTCustomGroup::ShapeDragFinished);
        TRect AtStart;
        connect(FGroup.get(), &TPTCustomGroup::ShapeDragStarted, this,
                [&AtStart](TGUIShape* S) { AtStart = S->BoundsRect(); });
        const TPoint Corner = TSizeFrame::HandleCentreFor(2, R->BoundsRect());
        QTest::mousePress(FGroup->viewport(), Qt::LeftButton, Qt::NoModifier, At(Corner.X, Corner.Y));
        QTest::mouseMove(FGroup->viewport(), At(Corner.X + 10, Corner.Y + 5));
        QTest::mouseMove(FGroup->viewport(), At(Corner.X + 20, Corner.Y + 10));
        QCOMPARE(Started.size(), 1);
        QCOMPARE(Finished.size(), 0);
        QCOMPARE(AtStart, (TRect{20, 20, 80, 80}));
        QTest::mouseRelease(FGroup->viewport(), Qt::LeftButton, Qt::NoModifier,
                            At(Corner.X + 20, Corner.Y + 10));
        QCOMPARE(Finished.size(), 1);
        QCOMPARE(Finished.first().first().value<TGUIShape*>(), R);
        QCOMPARE(R->BoundsRect(), (TRect{20, 20, 100, 90}));
    }

    void defaults()
    {
        TPTGroup G;
        QCOMPARE(G.ClientWidth(), 105);
        QCOMPARE(G.ClientHeight(), 105);
        QCOMPARE(G.FrameStyle(), ptfsGroup);
        QCOMPARE(G.Alignment(), taCenter);
        QVERIFY(G.DefaultDrawing());
        QCOMPARE(G.FrameSpace(), 2);
        QCOMPARE(G.size(), QSize(64, 48));
        // Group frame without a caption: inset by 2 on every side.
        QCOMPARE(G.ClientInsets(), QMargins(2, 2, 2, 2));
    }

    void mouseReportsInSceneCoordinates()
    {
        QSignalSpy Down(FGroup.get(), &TPTCustomGroup::MouseDown);
        QSignalSpy Moves(FGroup.get(), &TPTCustomGroup::MouseMove);
        QSignalSpy Up(FGroup.get(), &TPTCustomGroup::MouseUp);
        QTest::mousePress(FGroup->viewport(), Qt::LeftButton, Qt::ShiftModifier, At(120, 45));
        QCOMPARE(Down.count(), 1);
        QCOMPARE(Down[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
        QCOMPARE(Down[0][1].value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
        QCOMPARE(Down[0][2].toInt(), 120);
        QCOMPARE(Down[0][3].toInt(), 45);
        QVERIFY(FGroup->LeftButtonDown());
        QTest::mouseMove(FGroup->viewport(), At(130, 50));
        QVERIFY(Moves.count() >= 1);
        QCOMPARE(Moves.last()[1].toInt(), 130);
        QCOMPARE(Moves.last()[2].toInt(), 50);
        // A press on the scene keeps its moves coming outside the picture.
        QTest::mouseMove(FGroup->viewport(), At(320, 50));
        QCOMPARE(Moves.last()[1].toInt(), 320);
        QTest::mouseRelease(FGroup->viewport(), Qt::LeftButton, {}, At(320, 50));
        QCOMPARE(Up.count(), 1);
        QCOMPARE(Up[0][2].toInt(), 320);
        QVERIFY(!FGroup->LeftButtonDown());
    }

    void pressAroundThePictureIsNotTheScene()
    {
        QSignalSpy Down(FGroup.get(), &TPTCustomGroup::MouseDown);
        QTest::mousePress(FGroup->viewport(), Qt::LeftButton, {}, At(-10, 20));
        QTest::mouseRelease(FGroup->viewport(), Qt::LeftButton, {}, At(-10, 20));
        QCOMPARE(Down.count(), 0);
        QVERIFY(!FGroup->LeftButtonDown());
    }

    void pressOverRegionReachesTheSceneAndKeepsSelection()
    {
        QSignalSpy Down(FGroup.get(), &TPTCustomGroup::MouseDown);
        auto* A = new TUIRectangle(FGroup.get());
        A->SetBoundsRect(TRect{10, 10, 100, 100});
        auto* B = new TUICircle(FGroup.get());
        B->SetBoundsRect(TRect{150, 50, 210, 110});
        A->SetFocus();
        for (Qt::MouseButton Button : {Qt::LeftButton, Qt::RightButton}) {
            QTest::mouseClick(FGroup->viewport(), Button, {}, At(180, 80));
            QCOMPARE(FGroup->FocusedRegion(), A); // only the editor changes the selection
            QVERIFY(A->hasFocus());
        }
        QCOMPARE(Down.count(), 2);
        QCOMPARE(Down[1][0].value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(FGroup->ShapeAt(Down[0][2].toInt(), Down[0][3].toInt()), B);
        // Empty space does not deselect by itself either.
        QTest::mouseClick(FGroup->viewport(), Qt::LeftButton, {}, At(250, 180));
        QCOMPARE(FGroup->FocusedRegion(), A);
    }

    void clipCursorClampsReports()
    {
        QSignalSpy Moves(FGroup.get(), &TPTCustomGroup::MouseMove);
        QTest::mousePress(FGroup->viewport(), Qt::LeftButton, {}, At(100, 100));
        ClipCursorToControl(FGroup.get());
        QTest::mouseMove(FGroup->viewport(), At(400, -40));
        QCOMPARE(Moves.last()[1].toInt(), 299);
        QCOMPARE(Moves.last()[2].toInt(), 0);
        ClipCursorToControl(nullptr);
        QTest::mouseMove(FGroup->viewport(), At(400, -40));
        QCOMPARE(Moves.last()[1].toInt(), 400);
        QTest::mouseRelease(FGroup->viewport(), Qt::LeftButton, {}, At(400, -40));
    }

    void centring()
    {
        const QSize Vp = FGroup->viewport()->size();
        TPoint Origin = CentreInScrollBox(FGroup.get());
        QCOMPARE(Origin, CentreInScrollBoxPos(Vp.width(), Vp.height(), 300, 200, 0, 0));
        // Larger than the viewport: at the origin, scrolled.
        FGroup->SetClientSize(1200, 900);
        FGroup->horizontalScrollBar()->setValue(FGroup->horizontalScrollBar()->minimum() + 120);
        Origin = CentreInScrollBox(FGroup.get());
        QCOMPARE(Origin.X, -120);
        QCOMPARE(Origin.Y, 0);
    }

    void invertedShapesToggleAndLeaveNoTrace()
    {
        FGroup->OnPaint = [](TPTCustomGroup*, QPainter* Canvas) {
            QLinearGradient G(0, 0, 300, 200);
            G.setColorAt(0, Qt::yellow);
            G.setColorAt(1, Qt::darkBlue);
            Canvas->fillRect(0, 0, 300, 200, G);
        };
        FGroup->viewport()->repaint();
        const QImage Before = FGroup->viewport()->grab().toImage();
        DrawInvertedShape(FGroup.get(), TRect{10, 10, 50, 30}, stEllipse);
        QCOMPARE(FGroup->InvertedShapes().size(), 1);
        FGroup->viewport()->repaint();
        const QImage During = FGroup->viewport()->grab().toImage();
        QVERIFY(During != Before);
        // Inverted: every pixel that changed became the inverse of the picture there, all of them on
        // the ellipse's outline.
        int Changed = 0;
        for (int Y = 0; Y < Before.height(); ++Y)
            for (int X = 0; X < Before.width(); ++X)
                if (During.pixel(X, Y) != Before.pixel(X, Y)) {
                    ++Changed;
                    QCOMPARE(During.pixel(X, Y) & 0xFFFFFF, ~Before.pixel(X, Y) & 0xFFFFFF);
                    QVERIFY(QRect(At(10, 10), At(49, 29)).contains(X, Y));
                }
        QVERIFY(Changed > 20);
        DrawInvertedShape(FGroup.get(), TRect{10, 10, 50, 30}, stEllipse);
        QVERIFY(FGroup->InvertedShapes().isEmpty());
        FGroup->viewport()->repaint();
        QCOMPARE(FGroup->viewport()->grab().toImage(), Before);
        DrawInvertedShape(FGroup.get(), TRect{10, 10, 50, 30}, 1); // other kinds draw nothing
        QVERIFY(FGroup->InvertedShapes().isEmpty());
        DrawInvertedShape(FGroup.get(), TRect{10, 10, 50, 30}, stRectangle);
        QCOMPARE(FGroup->InvertedShapes()[0].ShapeKind, TInvertedShape::Rectangle);
    }

    void changedRegionLeavesNoTrace_data()
    {
        QTest::addColumn<int>("Kind");
        QTest::addColumn<TRect>("NewBounds");
        QTest::addColumn<int>("Edge"); // where the outline runs at the top and left
        QTest::addRow("rectangle moved") << int(stRectangle) << TRect{120, 90, 170, 140} << 10;
        QTest::addRow("rectangle shrunk") << int(stRectangle) << TRect{40, 40, 60, 60} << 10;
        QTest::addRow("circle moved") << int(stCircle) << TRect{120, 90, 170, 140} << 10;
        QTest::addRow("polygon moved") << int(stSquare) << TRect{120, 90, 170, 140} << 14;
    }
    // A drag ends by erasing its outline at the new place and then changing the bounds. The erase used
    // to bring a paint before the scene had dealt with the change, and the old place kept the region.
    void changedRegionLeavesNoTrace()
    {
        QFETCH(int, Kind);
        QFETCH(TRect, NewBounds);
        QFETCH(int, Edge);
        const QColor Picture(200, 50, 50);
        FGroup->OnPaint = [Picture](TPTCustomGroup*, QPainter* Canvas) {
            Canvas->fillRect(0, 0, 300, 200, Picture);
        };
        TGUIRegion* Region = nullptr;
        if (Kind == stRectangle)
            Region = new TUIRectangle(FGroup.get());
        else if (Kind == stCircle)
            Region = new TUICircle(FGroup.get());
        else
            Region = new TUIPolygon(FGroup.get());
        if (auto* Polygon = qobject_cast<TUIPolygon*>(Region))
            Polygon->SetPoints({{14, 14}, {55, 14}, {55, 55}, {14, 55}});
        else
            Region->SetBoundsRect(TRect{10, 10, 60, 60});
        // What the window shows: grabbing the widget would paint it anew.
        auto Shown = [this](int X, int Y) {
            QTest::qWait(20);
            const QImage Screen = QGuiApplication::primaryScreen()->grabWindow(FGroup->winId()).toImage();
            return QColor(Screen.pixel(FGroup->viewport()->mapTo(FGroup.get(), At(X, Y))));
        };
        QVERIFY(Shown(35, Edge) != Picture);
        QVERIFY(Shown(Edge, 35) != Picture);
        DrawInvertedShape(FGroup.get(), NewBounds, stRectangle);
        QTest::qWait(20);
        DrawInvertedShape(FGroup.get(), NewBounds, stRectangle);
        Region->SetBoundsRect(NewBounds);
        QCOMPARE(Shown(35, Edge), Picture);
        QCOMPARE(Shown(Edge, 35), Picture);
    }

    void paintsPictureAndSurroundings()
    {
        int Calls = 0;
        FGroup->OnPaint = [&Calls](TPTCustomGroup* Sender, QPainter* Canvas) {
            QVERIFY(Sender);
            ++Calls;
            Canvas->fillRect(0, 0, 300, 200, QColor(10, 200, 30));
        };
        FGroup->viewport()->repaint();
        const QImage Img = FGroup->viewport()->grab().toImage();
        QVERIFY(Calls > 0);
        QCOMPARE(QColor(Img.pixel(At(0, 0))), QColor(10, 200, 30));
        QCOMPARE(QColor(Img.pixel(At(299, 199))), QColor(10, 200, 30));
        QCOMPARE(Img.pixel(1, 1), FGroup->palette().color(QPalette::Dark).rgb());
    }

    void overlayItemTakesItsPresses()
    {
        QSignalSpy Down(FGroup.get(), &TPTCustomGroup::MouseDown);
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{0, 0, 300, 200});
        R->SetFocus();
        auto* Overlay = new TOverlay(0, 0, 300, 200);
        Overlay->setPen(Qt::NoPen);
        FGroup->AddOverlayItem(Overlay);
        QVERIFY(Overlay->zValue() > FGroup->HandleLayer()->zValue());
        QVERIFY(FGroup->HandleLayer()->zValue() > R->zValue());
        QTest::mouseClick(FGroup->viewport(), Qt::LeftButton, {}, At(100, 100));
        QCOMPARE(Overlay->Presses, 1);
        QCOMPARE(Down.count(), 0);
        QCOMPARE(FGroup->FocusedRegion(), R);
        Overlay->hide(); // a hidden overlay lets the scene have the presses again
        QTest::mouseClick(FGroup->viewport(), Qt::LeftButton, {}, At(100, 100));
        QCOMPARE(Down.count(), 1);
    }

    void frameStyleInsetsTheViewport()
    {
        FGroup->SetFrameStyle(ptfsLowered);
        QCOMPARE(FGroup->viewport()->geometry().topLeft(), QPoint(2, 2));
        FGroup->SetFrameStyle(ptfsHorzLine);
        QCOMPARE(FGroup->viewport()->geometry().topLeft(), QPoint(0, 2));
        FGroup->SetFrameStyle(ptfsNone);
        QCOMPARE(FGroup->viewport()->geometry(), FGroup->rect());
    }

    void disablingDisablesShapes()
    {
        auto* R = new TUIRectangle(FGroup.get());
        FGroup->setEnabled(false);
        QVERIFY(!R->isEnabled());
        FGroup->setEnabled(true);
        QVERIFY(R->isEnabled());
    }

    void screenshot()
    {
        const QString Out = qEnvironmentVariable("ZQ_REGIONS_SCREENSHOT");
        if (Out.isEmpty())
            QSKIP("set ZQ_REGIONS_SCREENSHOT to a PNG path to write the screenshot");
        QImage Picture(300, 200, QImage::Format_RGB32);
        {
            QPainter P(&Picture);
            QLinearGradient G(0, 0, 300, 200);
            G.setColorAt(0, QColor(250, 230, 170));
            G.setColorAt(1, QColor(120, 180, 220));
            P.fillRect(Picture.rect(), G);
            P.setPen(QColor(60, 60, 60));
            for (int X = 0; X < 300; X += 25)
                P.drawLine(X, 0, X, 200);
        }
        FGroup->OnPaint = [Picture](TPTCustomGroup*, QPainter* Canvas) { Canvas->drawImage(0, 0, Picture); };
        FGroup->resize(340, 240);
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{20, 20, 110, 90});
        auto* C = new TUICircle(FGroup.get());
        C->SetBoundsRect(TRect{150, 20, 230, 100});
        auto* P = new TUIPolygon(FGroup.get());
        P->SetPoints({{40, 120}, {140, 110}, {170, 180}, {90, 150}, {30, 185}});
        // Three focused looks in one picture: grab each region's handles while it holds the focus.
        R->SetFocus();
        QImage Shot = FGroup->grab().toImage();
        QPainter Compose(&Shot);
        C->SetFocus();
        const QImage WithCircle = FGroup->grab().toImage();
        P->SetFocus();
        const QImage WithPolygon = FGroup->grab().toImage();
        const QRect CircleArea(At(140, 10), At(240, 110));
        const QRect PolygonArea(At(20, 100), At(180, 195));
        Compose.drawImage(CircleArea.topLeft(), WithCircle.copy(CircleArea));
        Compose.drawImage(PolygonArea.topLeft(), WithPolygon.copy(PolygonArea));
        Compose.end();
        QVERIFY(Shot.save(Out));
    }
};

QTEST_MAIN(TstScenePanel)
#include "tst_scenepanel.moc"
