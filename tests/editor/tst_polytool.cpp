#include "EditorFixture.h"

#include "TPolyOverlay.h"
#include "TUIPolygon.h"
#include "WindowParts.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>

// The polygon tool: corners by left clicks on the overlay, finished near the first corner.
class TestPolyTool : public QObject
{
    Q_OBJECT

private slots:
    void overlayShowsOnlyWithThePolygonTool();
    void closedAtExactlyFourPixels();
    void notClosedAtFourPointOneTwo();
    void clickOnTheFirstCornerRightAwayCreatesNothing();
    void twoCornersCreateNothing();
    void cornersOnOneLine_data();
    void cornersOnOneLine();
    void doubleClickAddsTheCornerOnce();
    void onlyTheFirstCornerCloses();
    void otherButtonsAddNothing();
    void toolChangeDropsTheCorners();
    void tabChangeFromCodeKeepsTheCorners();
    void overlayPaintsTheCorners();
    void statusPanelOverTheOverlay();
    void nextEdgeFirstCornerMarkAndHint();

private:
    static void clickCorners(MainWindowFixture& f, const QVector<TPoint>& corners)
    {
        for (const TPoint& p : corners)
            f.Click(p.X, p.Y);
    }
};

void TestPolyTool::overlayShowsOnlyWithThePolygonTool()
{
    MainWindowFixture f;
    QVERIFY(!Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->isVisible());
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    QVERIFY(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->isVisible());
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Area(), QRectF(0, 0, 300, 200));
    Find<QAction>(*f.Window, "TBRect")->trigger();
    QVERIFY(!Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->isVisible());
}

void TestPolyTool::closedAtExactlyFourPixels()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    clickCorners(f, {{10, 10}, {60, 10}, {40, 50}});
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().size(), 3);
    f.Click(14, 10);
    QCOMPARE(f.Regions().size(), 1);
    auto* polygon = qobject_cast<TUIPolygon*>(f.Regions().first());
    QVERIFY(polygon);
    QCOMPARE(polygon->Points(), (QVector<TPoint>{{10, 10}, {60, 10}, {40, 50}}));
    QCOMPARE(polygon->BoundsRect(), (TRect{6, 6, 64, 54}));
    QCOMPARE(f.Window->ActiveRegion(), polygon);
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
    QVERIFY(!Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->isVisible());
    QVERIFY(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().isEmpty());
    QVERIFY(Find<QAction>(*f.Window, "TBDelete")->isEnabled());
}

void TestPolyTool::notClosedAtFourPointOneTwo()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    clickCorners(f, {{10, 10}, {60, 10}, {40, 50}});
    f.Click(14, 11);
    QVERIFY(f.Regions().isEmpty());
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().size(), 4);
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().last(), (TPoint{14, 11}));
    QVERIFY(Find<QAction>(*f.Window, "TBPoly")->isChecked());
    f.Click(10, 13);
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(qobject_cast<TUIPolygon*>(f.Regions().first())->PointCount(), 4);
}

void TestPolyTool::clickOnTheFirstCornerRightAwayCreatesNothing()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    f.Click(50, 50);
    f.Click(50, 50);
    QVERIFY(f.Regions().isEmpty());
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
    QVERIFY(!Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->isVisible());
    QVERIFY(!f.Window->ActiveRegion());
}

void TestPolyTool::twoCornersCreateNothing()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    clickCorners(f, {{10, 10}, {60, 40}, {10, 10}});
    QVERIFY(f.Regions().isEmpty());
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
}

void TestPolyTool::cornersOnOneLine_data()
{
    QTest::addColumn<QVector<TPoint>>("corners");
    QTest::addColumn<bool>("created");
    QTest::newRow("diagonal: flat but created") << QVector<TPoint>{{0, 0}, {5, 5}, {10, 10}} << true;
    QTest::newRow("other diagonal") << QVector<TPoint>{{40, 10}, {30, 20}, {20, 30}} << true;
    QTest::newRow("horizontal: nothing") << QVector<TPoint>{{10, 20}, {30, 20}, {50, 20}} << false;
    QTest::newRow("vertical: nothing") << QVector<TPoint>{{20, 10}, {20, 30}, {20, 50}} << false;
}

void TestPolyTool::cornersOnOneLine()
{
    QFETCH(QVector<TPoint>, corners);
    QFETCH(bool, created);
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    clickCorners(f, corners);
    f.Click(corners.first().X, corners.first().Y);
    QCOMPARE(f.Regions().size(), created ? 1 : 0);
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
    if (created) {
        auto* polygon = qobject_cast<TUIPolygon*>(f.Regions().first());
        QCOMPARE(polygon->Points(), corners);
        QCOMPARE(f.Window->ActiveRegion(), polygon);
    }
}

void TestPolyTool::doubleClickAddsTheCornerOnce()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    clickCorners(f, {{10, 10}, {80, 10}});
    // A double click: press, release, then the second press arrives as a double click.
    f.Press(60, 60);
    f.Release(60, 60);
    QTest::mouseDClick(f.Viewport(), Qt::LeftButton, Qt::NoModifier, f.At(60, 60));
    f.Release(60, 60);
    // The corner is placed once, and the double click finishes the polygon.
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(qobject_cast<TUIPolygon*>(f.Regions().first())->Points(),
             (QVector<TPoint>{{10, 10}, {80, 10}, {60, 60}}));
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
}

void TestPolyTool::onlyTheFirstCornerCloses()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    clickCorners(f, {{10, 10}, {80, 10}, {60, 60}});
    f.Click(60, 61);
    f.Click(81, 10);
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().size(), 5);
    QVERIFY(f.Regions().isEmpty());
}

void TestPolyTool::otherButtonsAddNothing()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    f.Click(10, 10);
    f.Click(50, 50, Qt::RightButton);
    f.Click(50, 50, Qt::MiddleButton);
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points(), (QVector<TPoint>{{10, 10}}));
    QVERIFY(Find<QAction>(*f.Window, "TBPoly")->isChecked());
}

void TestPolyTool::toolChangeDropsTheCorners()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    clickCorners(f, {{10, 10}, {80, 10}, {60, 60}});
    Find<QAction>(*f.Window, "TBArrow")->trigger();
    QVERIFY(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().isEmpty());
    QVERIFY(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().isEmpty());
    QVERIFY(!Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->isVisible());
    QVERIFY(f.Regions().isEmpty());
    // Starting again starts with no corners.
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    clickCorners(f, {{100, 100}});
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    QVERIFY(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().isEmpty());
    // A press on the old first corner is a new first corner.
    f.Click(10, 10);
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points(), (QVector<TPoint>{{10, 10}}));
}

void TestPolyTool::tabChangeFromCodeKeepsTheCorners()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    clickCorners(f, {{10, 10}, {80, 10}});
    Find<QTabWidget>(*f.Window, "PageControl")->setCurrentWidget(Find<QWidget>(*f.Window, "TabSheetSource"));
    Find<QTabWidget>(*f.Window, "PageControl")->setCurrentWidget(Find<QWidget>(*f.Window, "TabSheetEdit"));
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().size(), 2);
}

void TestPolyTool::overlayPaintsTheCorners()
{
    MainWindowFixture f(100, 100);
    const QColor picture(200, 50, 50);
    QImage filled = f.Window->Document()->Picture();
    filled.fill(picture);
    f.Window->Document()->SetPicture(filled, f.Window->Document()->ImageFileName());
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    clickCorners(f, {{20, 20}, {80, 20}, {80, 80}});
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points(),
             Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points());
    const QImage shot = f.Scene()->viewport()->grab().toImage();
    const QPoint corner = f.At(20, 20);
    // The corner square: white inside, black border 3 pixels out.
    QCOMPARE(QColor(shot.pixel(corner)), QColor(Qt::white));
    QCOMPARE(QColor(shot.pixel(corner + QPoint(2, 2))), QColor(Qt::white));
    QCOMPARE(QColor(shot.pixel(corner + QPoint(3, 0))), QColor(Qt::black));
    QCOMPARE(QColor(shot.pixel(corner + QPoint(4, 0))), QColor(55, 205, 205));
    // The line between two corners inverts the picture.
    QCOMPARE(QColor(shot.pixel(f.At(50, 20))), QColor(55, 205, 205));
    // The line is open: nothing from the last corner back to the first.
    QCOMPARE(QColor(shot.pixel(f.At(50, 50))), picture);
    // Dropping the corners leaves the picture as it was.
    Find<QAction>(*f.Window, "TBArrow")->trigger();
    const QImage after = f.Scene()->viewport()->grab().toImage();
    QCOMPARE(QColor(after.pixel(corner)), picture);
    QCOMPARE(QColor(after.pixel(f.At(50, 20))), picture);
}

void TestPolyTool::statusPanelOverTheOverlay()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    f.Press(30, 40);
    f.Move(31, 42);
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel1")->text(), QStringLiteral("31 x 42"));
    f.Release(31, 42);
}

void TestPolyTool::nextEdgeFirstCornerMarkAndHint()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    HoverMove(f.Viewport(), f.At(40, 40));
    QVERIFY(!Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->PointerShown());
    QVERIFY(Find<QLabel>(*f.Window, "StatusPanel0")->text().isEmpty());
    clickCorners(f, {{10, 10}, {80, 10}});
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel0")->text(),
             QStringLiteral("Click the first point or press Enter to finish; Esc cancels"));
    HoverMove(f.Viewport(), f.At(60, 60));
    QVERIFY(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->PointerShown());
    QVERIFY(!Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->FirstCornerMarked());
    // Within the 4-pixel closing distance of the first corner, and just beyond it.
    HoverMove(f.Viewport(), f.At(13, 13));
    QVERIFY(!Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->FirstCornerMarked());
    HoverMove(f.Viewport(), f.At(14, 10));
    QVERIFY(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->FirstCornerMarked());
    Find<QAction>(*f.Window, "TBArrow")->trigger();
    QVERIFY(!Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->PointerShown());
    QVERIFY(Find<QLabel>(*f.Window, "StatusPanel0")->text().isEmpty());
}

QTEST_MAIN(TestPolyTool)
#include "tst_polytool.moc"
