#include "EditorFixture.h"

#include "MapAreaGathering.h"
#include "TPolyOverlay.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "WindowParts.h"

#include <QAction>
#include <QPushButton>
#include <Qsci/qsciscintilla.h>

// Gathering the document's areas from a real scene for the writer.
class TestMapGathering : public QObject
{
    Q_OBJECT

private slots:
    void emptySceneHasNoAreas();
    void frontMostFirstWithKindsAndTexts();
    void restackingChangesTheOrder();
    void handlesAndOverlayAreLeftOut();
    void negativeCoordinatesStay();
    void refreshWritesTheDocument();
};

void TestMapGathering::emptySceneHasNoAreas()
{
    TPTGroup scene;
    QVERIFY(GatherMapAreas(scene).isEmpty());
}

void TestMapGathering::frontMostFirstWithKindsAndTexts()
{
    TPTGroup scene;
    auto* rect = new TUIRectangle(&scene);
    rect->SetBoundsRect(TRect{10, 20, 40, 60});
    rect->HRef = "a.htm";
    rect->AltText = "A";
    rect->Target = "_top";
    auto* circle = new TUICircle(&scene);
    circle->SetBounds(0, 0, 20, 10);
    auto* polygon = new TUIPolygon(&scene);
    polygon->SetPoints({{1, 2}, {3, 4}, {5, 6}});
    polygon->HRef = "p";

    const QVector<MapArea> areas = GatherMapAreas(scene);
    QCOMPARE(areas.size(), 3);
    QCOMPARE(areas[0].shape, MapArea::Shape::Poly);
    QCOMPARE(areas[0].Vertices, (QVector<QPoint>{{1, 2}, {3, 4}, {5, 6}}));
    QCOMPARE(areas[0].HRef, QStringLiteral("p"));
    QCOMPARE(areas[1].shape, MapArea::Shape::Circle);
    QCOMPARE(areas[1].Left, 0);
    QCOMPARE(areas[1].Width, 20);
    QCOMPARE(areas[1].Height, 10);
    QCOMPARE(areas[1].AltText, QStringLiteral("Click Here!"));
    MapArea expectedRect = MapArea::rectangle(10, 20, 30, 40);
    expectedRect.HRef = "a.htm";
    expectedRect.AltText = "A";
    expectedRect.Target = "_top";
    QCOMPARE(areas[2], expectedRect);
}

void TestMapGathering::restackingChangesTheOrder()
{
    TPTGroup scene;
    auto* a = new TUIRectangle(&scene);
    a->SetBoundsRect(TRect{0, 0, 11, 11});
    a->AltText = "A";
    auto* b = new TUIRectangle(&scene);
    b->SetBoundsRect(TRect{0, 0, 12, 12});
    b->AltText = "B";
    auto* c = new TUIRectangle(&scene);
    c->SetBoundsRect(TRect{0, 0, 13, 13});
    c->AltText = "C";
    auto order = [&] {
        QString s;
        for (const MapArea& area : GatherMapAreas(scene))
            s += area.AltText;
        return s;
    };
    QCOMPARE(order(), QStringLiteral("CBA"));
    c->SendToBack();
    QCOMPARE(order(), QStringLiteral("BAC"));
    a->BringToFront();
    QCOMPARE(order(), QStringLiteral("ABC"));
    delete b;
    QCOMPARE(order(), QStringLiteral("AC"));
}

void TestMapGathering::handlesAndOverlayAreLeftOut()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    for (const TPoint& p : QVector<TPoint>{{10, 10}, {60, 10}, {40, 50}, {10, 10}})
        f.Click(p.X, p.Y);
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(100, 100, 150, 150);
    // The rectangle is selected: its frame and handles are on the scene.
    QVERIFY(f.Window->ActiveRegion());
    QCOMPARE(GatherMapAreas(*f.Scene()).size(), 2);
    // And now the overlay with a corner on it.
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    f.Click(200, 20);
    const QVector<MapArea> areas = GatherMapAreas(*f.Scene());
    QCOMPARE(areas.size(), 2);
    QCOMPARE(areas[0].shape, MapArea::Shape::Rect);
    QCOMPARE(areas[1].shape, MapArea::Shape::Poly);
    QCOMPARE(areas[1].Vertices, (QVector<QPoint>{{10, 10}, {60, 10}, {40, 50}}));
}

void TestMapGathering::negativeCoordinatesStay()
{
    TPTGroup scene;
    auto* rect = new TUIRectangle(&scene);
    rect->SetBoundsRect(TRect{-15, -5, 20, 30});
    const QVector<MapArea> areas = GatherMapAreas(scene);
    QCOMPARE(areas.size(), 1);
    QCOMPARE(areas[0].Left, -15);
    QCOMPARE(areas[0].Top, -5);
    QCOMPARE(areas[0].Width, 35);
}

void TestMapGathering::refreshWritesTheDocument()
{
    MainWindowFixture f;
    f.Window->Document()->SetPicture(f.Window->Document()->Picture(), "/pictures/map.png");
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(10, 20, 40, 60);
    Find<QAction>(*f.Window, "TBCircle")->trigger();
    f.Drag(100, 80, 130, 80);
    Find<QPushButton>(*f.Window, "ButtonRefreshHTML")->click();
    const QStringList lines = Find<QsciScintilla>(*f.Window, "SynEdit")->text().split('\n');
    QCOMPARE(lines.size(), 30); // 29 lines and the end of the last
    QCOMPARE(lines[15], QStringLiteral("<IMG src=\"/pictures/map.png\" useMap=\"#ImageMap\" border=0>"));
    QCOMPARE(lines[16], QStringLiteral("<MAP name=\"ImageMap\">"));
    QVERIFY(lines[17].startsWith(QStringLiteral("<AREA shape=CIRCLE ")));
    QVERIFY(lines[17].endsWith(QStringLiteral("coords=100,80,30>")));
    QVERIFY(lines[18].startsWith(QStringLiteral("<AREA shape=RECT ")));
    QVERIFY(lines[18].endsWith(QStringLiteral("coords=10,20,40,60>")));
    QCOMPARE(lines[19], QStringLiteral("</MAP>"));
}

QTEST_MAIN(TestMapGathering)
#include "tst_mapgathering.moc"
