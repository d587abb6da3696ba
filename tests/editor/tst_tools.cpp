#include "EditorFixture.h"

#include "TPolyOverlay.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "WindowParts.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QSizeGrip>
#include <QStatusBar>
#include <QTabWidget>

// The editing tools and the scene's mouse handling, driven through the real
// main window's scene viewport.
class TestTools : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTheSelectionTool();
    void toolButtonsAreOneRadioGroup();
    void toolClickShowsTheEditTabAndDeselects();
    void rectangleSizes_data();
    void rectangleSizes();
    void rectangleDraggedBackwardsIsTheSame();
    void rectangleClickWithoutMovingCreatesNothing();
    void rectangleOutlineFollowsThePointerAndLeaves();
    void circleRadii_data();
    void circleRadii();
    void circleOutlineIsAnEllipse();
    void movingARegionByThePointersTravel();
    void movedRegionLeavesNoTraceBehind();
    void pressAndReleaseOnlySelects();
    void topmostRegionIsPicked();
    void pressInsideCircleSquareButOutsideCircleMisses();
    void pressOnEmptySpaceDeselects();
    void rightClickNeverChangesTheSelection();
    void contextMenuWaitsForTheLeftRelease();
    void statusPanelShowsThePointer();
    void cursorsFollowToolAndRegion();
    void dragCursorOnlyWhileMoving();
    void releaseOutsideTheSceneLeavesNoOutline();
    void toolChangeDuringADragLeavesNoOutline();
    void pressWithoutReleaseThenPressAgainLeavesNoOutline();
    void deleteDuringAMoveDoesNotCrash();
    void smallPictureIsCentred();
    void statusPanelFitsTheWindow();
    void statusPanelsAreFramedSideBySide_data();
    void statusPanelsAreFramedSideBySide();
};

void TestTools::startsWithTheSelectionTool()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
    QCOMPARE(Find<QTabWidget>(*f.Window, "PageControl")->currentWidget(),
             Find<QWidget>(*f.Window, "TabSheetEdit"));
    QCOMPARE(f.Window->Document()->MapName(), QStringLiteral("ImageMap"));
    QVERIFY(!Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->isVisible());
    QCOMPARE(Find<QAction>(*f.Window, "TBArrow")->toolTip(), QStringLiteral("Region Selection Tool"));
    QCOMPARE(Find<QAction>(*f.Window, "TBRect")->toolTip(), QStringLiteral("Create Rectangle Region"));
    QCOMPARE(Find<QAction>(*f.Window, "TBCircle")->toolTip(), QStringLiteral("Create Circle Region"));
    QCOMPARE(Find<QAction>(*f.Window, "TBPoly")->toolTip(), QStringLiteral("Create Polygon Region"));
    for (QAction* command :
         {Find<QAction>(*f.Window, "TBDelete"), Find<QAction>(*f.Window, "TBSendToBack"),
          Find<QAction>(*f.Window, "TBBringToFront"), Find<QAction>(*f.Window, "TBProperties")})
        QVERIFY(!command->isEnabled());
}

void TestTools::toolButtonsAreOneRadioGroup()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBRect")->trigger();
    QVERIFY(Find<QAction>(*f.Window, "TBRect")->isChecked());
    QVERIFY(!Find<QAction>(*f.Window, "TBArrow")->isChecked());
    Find<QAction>(*f.Window, "TBCircle")->trigger();
    QVERIFY(Find<QAction>(*f.Window, "TBCircle")->isChecked());
    QVERIFY(!Find<QAction>(*f.Window, "TBRect")->isChecked());
    // Clicking the active tool again keeps it active.
    Find<QAction>(*f.Window, "TBCircle")->trigger();
    QVERIFY(Find<QAction>(*f.Window, "TBCircle")->isChecked());
    Find<QAction>(*f.Window, "TBArrow")->trigger();
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
}

void TestTools::toolClickShowsTheEditTabAndDeselects()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(10, 10, 60, 60);
    QVERIFY(f.Window->ActiveRegion());
    Find<QTabWidget>(*f.Window, "PageControl")->setCurrentWidget(Find<QWidget>(*f.Window, "TabSheetSource"));
    Find<QAction>(*f.Window, "TBCircle")->trigger();
    QCOMPARE(Find<QTabWidget>(*f.Window, "PageControl")->currentWidget(),
             Find<QWidget>(*f.Window, "TabSheetEdit"));
    QVERIFY(!f.Window->ActiveRegion());
    QVERIFY(!Find<QAction>(*f.Window, "TBDelete")->isEnabled());
}

void TestTools::rectangleSizes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("created");
    QTest::newRow("10 by 10 is discarded") << 10 << 10 << false;
    QTest::newRow("11 by 10 is discarded") << 11 << 10 << false;
    QTest::newRow("10 by 11 is discarded") << 10 << 11 << false;
    QTest::newRow("11 by 11 is created") << 11 << 11 << true;
    QTest::newRow("large") << 120 << 80 << true;
}

void TestTools::rectangleSizes()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, created);
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(20, 30, 20 + width, 30 + height);
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
    QCOMPARE(f.Regions().size(), created ? 1 : 0);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    if (!created) {
        QVERIFY(!f.Window->ActiveRegion());
        return;
    }
    auto* rect = qobject_cast<TUIRectangle*>(f.Regions().first());
    QVERIFY(rect);
    QCOMPARE(rect->BoundsRect(), (TRect{20, 30, 20 + width, 30 + height}));
    QCOMPARE(f.Window->ActiveRegion(), rect);
    QCOMPARE(rect->AltText, QStringLiteral("Click Here!"));
    QVERIFY(rect->Target.isEmpty());
    QVERIFY(Find<QAction>(*f.Window, "TBDelete")->isEnabled());
}

void TestTools::rectangleDraggedBackwardsIsTheSame()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(90, 70, 40, 20);
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(f.Regions().first()->BoundsRect(), (TRect{40, 20, 90, 70}));
}

void TestTools::rectangleClickWithoutMovingCreatesNothing()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Click(50, 50);
    QVERIFY(f.Regions().isEmpty());
    QVERIFY(!f.Window->ActiveRegion());
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
}

void TestTools::rectangleOutlineFollowsThePointerAndLeaves()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Press(10, 10);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    f.Move(40, 30);
    QCOMPARE(f.Scene()->InvertedShapes().size(), 1);
    QCOMPARE(f.Scene()->InvertedShapes().first().ShapeKind, TInvertedShape::Rectangle);
    QCOMPARE(f.Scene()->InvertedShapes().first().R, (TRect{10, 10, 40, 30}));
    f.Move(60, 50);
    QCOMPARE(f.Scene()->InvertedShapes().size(), 1);
    QCOMPARE(f.Scene()->InvertedShapes().first().R, (TRect{10, 10, 60, 50}));
    f.Release(60, 50);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
}

void TestTools::circleRadii_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<bool>("created");
    QTest::addColumn<int>("radius");
    QTest::newRow("5 across and 3 down: radius 5, discarded") << 5 << 3 << false << 5;
    QTest::newRow("5 across: discarded") << 5 << 0 << false << 5;
    QTest::newRow("6 across: radius 6") << 6 << 0 << true << 6;
    QTest::newRow("4 across and 5 down: 6.4, radius 6") << 4 << 5 << true << 6;
    QTest::newRow("30 up: radius 30") << 0 << -30 << true << 30;
}

void TestTools::circleRadii()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(bool, created);
    QFETCH(int, radius);
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBCircle")->trigger();
    f.Drag(100, 80, 100 + dx, 80 + dy);
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    QCOMPARE(f.Regions().size(), created ? 1 : 0);
    if (!created)
        return;
    auto* circle = qobject_cast<TUICircle*>(f.Regions().first());
    QVERIFY(circle);
    QCOMPARE(circle->BoundsRect(), (TRect{100 - radius, 80 - radius, 100 + radius, 80 + radius}));
    QCOMPARE(f.Window->ActiveRegion(), circle);
}

void TestTools::circleOutlineIsAnEllipse()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBCircle")->trigger();
    f.Press(100, 80);
    f.Move(110, 80);
    QCOMPARE(f.Scene()->InvertedShapes().size(), 1);
    QCOMPARE(f.Scene()->InvertedShapes().first().ShapeKind, TInvertedShape::Ellipse);
    QCOMPARE(f.Scene()->InvertedShapes().first().R, (TRect{90, 70, 110, 90}));
    f.Release(110, 80);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
}

void TestTools::movingARegionByThePointersTravel()
{
    MainWindowFixture f;
    auto* circle = new TUICircle(f.Scene());
    circle->SetBoundsRect(TRect{70, 50, 130, 110});
    f.Press(100, 80);
    QCOMPARE(f.Scene()->InvertedShapes().size(), 1);
    // The outline is the bounding rectangle, also for a circle.
    QCOMPARE(f.Scene()->InvertedShapes().first().ShapeKind, TInvertedShape::Rectangle);
    QCOMPARE(f.Scene()->InvertedShapes().first().R, (TRect{70, 50, 130, 110}));
    f.Move(110, 85);
    QCOMPARE(f.Scene()->InvertedShapes().first().R, (TRect{80, 55, 140, 115}));
    // The region stays until the release.
    QCOMPARE(circle->BoundsRect(), (TRect{70, 50, 130, 110}));
    f.Move(120, 95);
    f.Release(120, 95);
    QCOMPARE(circle->BoundsRect(), (TRect{90, 65, 150, 125}));
    QCOMPARE(f.Window->ActiveRegion(), circle);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    // The drag is over: the pointer passing on moves nothing and draws no outline.
    HoverMove(f.Viewport(), f.At(140, 120));
    QCOMPARE(circle->BoundsRect(), (TRect{90, 65, 150, 125}));
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
}

void TestTools::movedRegionLeavesNoTraceBehind()
{
    MainWindowFixture f(200, 150);
    const QColor picture(200, 50, 50);
    QImage filled = f.Window->Document()->Picture();
    filled.fill(picture);
    f.Window->Document()->SetPicture(filled, f.Window->Document()->ImageFileName());
    f.Scene()->viewport()->update();
    auto* rect = new TUIRectangle(f.Scene());
    rect->SetBoundsRect(TRect{10, 10, 60, 60});
    // What the window shows: a grab of the widget would paint it anew and hide a stale place.
    auto shown = [&f](int x, int y) {
        QTest::qWait(20);
        const QImage image = QGuiApplication::primaryScreen()->grabWindow(f.Window->winId()).toImage();
        return QColor(image.pixel(f.Viewport()->mapTo(f.Window.get(), f.At(x, y))));
    };
    QVERIFY(shown(10, 30) != picture);
    // Paints run between the steps, as they do under a real pointer.
    f.Press(30, 30);
    QTest::qWait(20);
    for (int step = 1; step <= 4; ++step) {
        f.Move(30 + 15 * step, 30 + 10 * step);
        QTest::qWait(20);
    }
    f.Release(90, 70);
    QCOMPARE(rect->BoundsRect(), (TRect{70, 50, 120, 100}));
    // The old left and top edges show the picture again; the new place is drawn.
    QCOMPARE(shown(10, 30), picture);
    QCOMPARE(shown(30, 10), picture);
    QVERIFY(shown(70, 80) != picture);
}

void TestTools::pressAndReleaseOnlySelects()
{
    MainWindowFixture f;
    auto* rect = new TUIRectangle(f.Scene());
    rect->SetBoundsRect(TRect{10, 20, 60, 70});
    QVERIFY(!f.Window->ActiveRegion());
    f.Click(30, 30);
    QCOMPARE(f.Window->ActiveRegion(), rect);
    QCOMPARE(rect->BoundsRect(), (TRect{10, 20, 60, 70}));
}

void TestTools::topmostRegionIsPicked()
{
    MainWindowFixture f;
    auto* bottom = new TUIRectangle(f.Scene());
    bottom->SetBoundsRect(TRect{10, 10, 100, 100});
    auto* top = new TUIRectangle(f.Scene());
    top->SetBoundsRect(TRect{50, 50, 150, 150});
    f.Drag(60, 60, 70, 75);
    QCOMPARE(f.Window->ActiveRegion(), top);
    QCOMPARE(top->BoundsRect(), (TRect{60, 65, 160, 165}));
    QCOMPARE(bottom->BoundsRect(), (TRect{10, 10, 100, 100}));
    // Where only the bottom one lies, it is picked.
    f.Click(20, 20);
    QCOMPARE(f.Window->ActiveRegion(), bottom);
}

void TestTools::pressInsideCircleSquareButOutsideCircleMisses()
{
    MainWindowFixture f;
    auto* rect = new TUIRectangle(f.Scene());
    rect->SetBoundsRect(TRect{0, 0, 40, 40});
    auto* circle = new TUICircle(f.Scene());
    circle->SetBoundsRect(TRect{10, 10, 70, 70});
    // (12, 12) is in the circle's square but not in the circle: the rectangle below is found.
    f.Click(12, 12);
    QCOMPARE(f.Window->ActiveRegion(), rect);
    // (65, 65) is in neither.
    f.Click(65, 65);
    QVERIFY(!f.Window->ActiveRegion());
    f.Click(40, 40);
    QCOMPARE(f.Window->ActiveRegion(), circle);
}

void TestTools::pressOnEmptySpaceDeselects()
{
    MainWindowFixture f;
    auto* rect = new TUIRectangle(f.Scene());
    rect->SetBoundsRect(TRect{10, 10, 50, 50});
    f.Click(20, 20);
    QVERIFY(Find<QAction>(*f.Window, "TBDelete")->isEnabled());
    f.Click(200, 150);
    QVERIFY(!f.Window->ActiveRegion());
    for (QAction* command :
         {Find<QAction>(*f.Window, "TBDelete"), Find<QAction>(*f.Window, "TBSendToBack"),
          Find<QAction>(*f.Window, "TBBringToFront"), Find<QAction>(*f.Window, "TBProperties")})
        QVERIFY(!command->isEnabled());
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
}

void TestTools::rightClickNeverChangesTheSelection()
{
    MainWindowFixture f;
    auto* a = new TUIRectangle(f.Scene());
    a->SetBoundsRect(TRect{10, 10, 50, 50});
    auto* b = new TUIRectangle(f.Scene());
    b->SetBoundsRect(TRect{100, 100, 150, 150});
    f.Click(20, 20);
    QCOMPARE(f.Window->ActiveRegion(), a);
    for (QAction* tool : {Find<QAction>(*f.Window, "TBArrow"), Find<QAction>(*f.Window, "TBRect"),
                          Find<QAction>(*f.Window, "TBCircle"), Find<QAction>(*f.Window, "TBPoly")}) {
        tool->trigger();
        f.Click(20, 20);
        f.Click(120, 120);
        a->SetFocus();
        f.Click(120, 120, Qt::RightButton);
        f.Click(250, 180, Qt::RightButton);
        QCOMPARE(f.Window->ActiveRegion(), a);
        QCOMPARE(b->BoundsRect(), (TRect{100, 100, 150, 150}));
        QCOMPARE(f.Regions().size(), 2);
    }
}

void TestTools::contextMenuWaitsForTheLeftRelease()
{
    MainWindowFixture f;
    f.Press(20, 20);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, f.At(20, 20),
                                f.Viewport()->mapToGlobal(f.At(20, 20)));
    QApplication::sendEvent(f.Viewport(), &menuEvent);
    QVERIFY(!Find<QMenu>(*f.Window, "PopupMenu1")->isVisible());
    f.Release(20, 20);
    QApplication::sendEvent(f.Viewport(), &menuEvent);
    QTRY_VERIFY(Find<QMenu>(*f.Window, "PopupMenu1")->isVisible());
    Find<QMenu>(*f.Window, "PopupMenu1")->hide();
}

void TestTools::statusPanelShowsThePointer()
{
    MainWindowFixture f;
    HoverMove(f.Viewport(), f.At(120, 45));
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel1")->text(), QStringLiteral("120 x 45"));
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Press(10, 10);
    f.Move(33, 17);
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel1")->text(), QStringLiteral("33 x 17"));
    f.Release(33, 17);
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel1")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
}

void TestTools::cursorsFollowToolAndRegion()
{
    MainWindowFixture f;
    auto* rect = new TUIRectangle(f.Scene());
    rect->SetBoundsRect(TRect{10, 10, 50, 50});
    HoverMove(f.Viewport(), f.At(20, 20));
    QCOMPARE(f.Viewport()->cursor().shape(), Qt::SizeAllCursor);
    HoverMove(f.Viewport(), f.At(100, 100));
    QCOMPARE(f.Viewport()->cursor().shape(), Qt::ArrowCursor);
    Find<QAction>(*f.Window, "TBRect")->trigger();
    HoverMove(f.Viewport(), f.At(20, 20));
    QCOMPARE(f.Viewport()->cursor().shape(), Qt::CrossCursor);
    Find<QAction>(*f.Window, "TBCircle")->trigger();
    HoverMove(f.Viewport(), f.At(100, 100));
    QCOMPARE(f.Viewport()->cursor().shape(), Qt::CrossCursor);
}

void TestTools::dragCursorOnlyWhileMoving()
{
    MainWindowFixture f;
    auto* rect = new TUIRectangle(f.Scene());
    rect->SetBoundsRect(TRect{10, 10, 50, 50});
    QVERIFY(!QGuiApplication::overrideCursor());
    f.Press(20, 20);
    QVERIFY(QGuiApplication::overrideCursor());
    QVERIFY(f.Scene()->CursorClipped());
    f.Move(30, 30);
    f.Release(30, 30);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!f.Scene()->CursorClipped());
    // A press on empty space starts no drag.
    f.Press(200, 150);
    QVERIFY(!QGuiApplication::overrideCursor());
    f.Release(200, 150);
}

void TestTools::releaseOutsideTheSceneLeavesNoOutline()
{
    MainWindowFixture f(200, 150);
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Press(150, 100);
    f.Move(190, 140);
    QCOMPARE(f.Scene()->InvertedShapes().size(), 1);
    // Beyond the picture, then released there.
    f.Move(260, 230);
    QCOMPARE(f.Scene()->InvertedShapes().size(), 1);
    f.Release(260, 230);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
    // The drag ended where it was released, as dragged.
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(f.Regions().first()->BoundsRect(), (TRect{150, 100, 260, 230}));
    QVERIFY(!f.Scene()->LeftButtonDown());

    // A region moved against the edge stays with the pointer confined to the editable area: the
    // picture and the region that reaches beyond it, with a 10-pixel margin (right 270, bottom 240).
    QCOMPARE(f.Scene()->EditableArea(), (TRect{0, 0, 270, 240}));
    f.Press(160, 110);
    f.Move(400, 400);
    f.Release(400, 400);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    QCOMPARE(f.Regions().first()->BoundsRect(), (TRect{259, 229, 369, 359}));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestTools::toolChangeDuringADragLeavesNoOutline()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Press(10, 10);
    f.Move(80, 80);
    QCOMPARE(f.Scene()->InvertedShapes().size(), 1);
    Find<QAction>(*f.Window, "TBCircle")->trigger();
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    f.Move(90, 90);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    f.Release(90, 90);
    QVERIFY(f.Regions().isEmpty());
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());

    // The same while a region is being moved.
    Find<QAction>(*f.Window, "TBArrow")->trigger();
    auto* rect = new TUIRectangle(f.Scene());
    rect->SetBoundsRect(TRect{10, 10, 50, 50});
    f.Press(20, 20);
    f.Move(40, 40);
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!f.Scene()->CursorClipped());
    f.Release(40, 40);
    QCOMPARE(rect->BoundsRect(), (TRect{10, 10, 50, 50}));
}

void TestTools::pressWithoutReleaseThenPressAgainLeavesNoOutline()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Press(10, 10);
    f.Move(50, 50);
    // The release got lost (another window took it); the next press starts over.
    f.Press(100, 100);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    f.Move(130, 140);
    QCOMPARE(f.Scene()->InvertedShapes().size(), 1);
    QCOMPARE(f.Scene()->InvertedShapes().first().R, (TRect{100, 100, 130, 140}));
    f.Release(130, 140);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(f.Regions().first()->BoundsRect(), (TRect{100, 100, 130, 140}));
}

void TestTools::deleteDuringAMoveDoesNotCrash()
{
    MainWindowFixture f;
    auto* rect = new TUIRectangle(f.Scene());
    rect->SetBoundsRect(TRect{10, 10, 50, 50});
    f.Press(20, 20);
    f.Move(30, 30);
    delete rect;
    f.Move(40, 40);
    f.Release(40, 40);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(f.Regions().isEmpty());
}

void TestTools::smallPictureIsCentred()
{
    MainWindowFixture f(40, 30);
    const QPoint origin = f.Scene()->mapFromScene(QPointF(0, 0));
    const QSize view = f.Viewport()->size();
    QVERIFY(qAbs(origin.x() - (view.width() - 40) / 2) <= 1);
    QVERIFY(qAbs(origin.y() - (view.height() - 30) / 2) <= 1);
}

void TestTools::statusPanelFitsTheWindow()
{
    MainWindowFixture f;
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel1")->width(), 70);
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel2")->width(), 50);
    f.Window->resize(800, 500);
    QTRY_VERIFY(Find<QLabel>(*f.Window, "StatusPanel0")->width() > 400);
    QVERIFY(Find<QLabel>(*f.Window, "StatusPanel0")->width() + 120 <= f.Window->statusBar()->width());
    // Hints go to the first panel.
    Find<QAction>(*f.Window, "TBRect")->showStatusText(f.Window.get());
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel0")->text(), QStringLiteral("Create Rectangle Region"));
}

void TestTools::statusPanelsAreFramedSideBySide_data()
{
    QTest::addColumn<int>("width"); // 0: as first shown; -1: maximised; -2: maximised and restored
    QTest::newRow("as first shown") << 0;
    QTest::newRow("narrow 569") << 569;
    QTest::newRow("wide 1100") << 1100;
    QTest::newRow("narrowed again 640") << 640;
    QTest::newRow("maximised") << -1;
    QTest::newRow("maximised and restored") << -2;
}

void TestTools::statusPanelsAreFramedSideBySide()
{
    QFETCH(int, width);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    if (width > 0) {
        f.Window->resize(1100, 500);
        QTest::qWait(20);
        f.Window->resize(width, 500);
    } else if (width < 0) {
        f.Window->showMaximized();
        QTRY_VERIFY(f.Window->isMaximized());
        if (width == -2) {
            QTest::qWait(20);
            f.Window->showNormal();
            QTRY_VERIFY(!f.Window->isMaximized());
        }
    }
    QStatusBar* bar = f.Window->statusBar();
    const QList<QLabel*> panels{Find<QLabel>(*f.Window, "StatusPanel0"),
                                Find<QLabel>(*f.Window, "StatusPanel1"),
                                Find<QLabel>(*f.Window, "StatusPanel2")};
    // The first panel takes what the other two leave: the last one ends just before the size
    // grip, or near the bar's end while the grip is hidden.
    auto* grip = bar->findChild<QSizeGrip*>();
    QVERIFY(grip);
    const auto spaceAfterLastPanel = [&] {
        const int end = grip->isVisible() ? grip->x() : bar->width();
        return end - panels[2]->geometry().right() - 1;
    };
    QTRY_VERIFY2(spaceAfterLastPanel() >= 0 && spaceAfterLastPanel() <= 8,
                 qPrintable(QStringLiteral("%1 pixels after the last panel").arg(spaceAfterLastPanel())));
    // Each panel shows its whole lowered bevel, none overlapping the next.
    QVERIFY(panels[0]->geometry().right() < panels[1]->geometry().left());
    QVERIFY(panels[1]->geometry().right() < panels[2]->geometry().left());
    QCOMPARE(panels[1]->width(), 70);
    QCOMPARE(panels[2]->width(), 50);
    for (QLabel* panel : panels) {
        QCOMPARE(panel->frameShape(), QFrame::Panel);
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
        QVERIFY(panel->geometry().top() >= 0);
        QVERIFY(panel->geometry().bottom() < bar->height());
    }
}

QTEST_MAIN(TestTools)
#include "tst_tools.moc"
