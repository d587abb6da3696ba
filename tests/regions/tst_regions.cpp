#include "GeometryPrinting.h"
#include "DefaultHRef.h"
#include "TGrabHandle.h"
#include "TSizeFrame.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

Q_DECLARE_METATYPE(TPoint)

namespace {

QVector<TPoint> HandleCentres(TUIPolygon* Polygon)
{
    QVector<TPoint> Result;
    for (TGrabHandle* H : Polygon->Handles())
        Result.append(TPoint{HandleCentreX(H), HandleCentreY(H)});
    return Result;
}

QVector<TPoint> StarPoints()
{
    QVector<TPoint> Star;
    for (int I = 0; I < 5; ++I) {
        const double A = -M_PI / 2 + I * 4 * M_PI / 5;
        Star.append(
            TPoint{int(std::lround(100 + 80 * std::cos(A))), int(std::lround(100 + 80 * std::sin(A)))});
    }
    return Star;
}

} // namespace

class TstRegions : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir FDir;
    std::unique_ptr<TPTGroup> FGroup;

    void ShowGroup()
    {
        FGroup->resize(400, 300);
        FGroup->show();
        FGroup->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FGroup.get()));
    }

private slots:
    void init()
    {
        // No installation record unless a test writes one.
        SetInstallRecordFile(FDir.filePath(QStringLiteral("missing.ini")));
        FGroup = std::make_unique<TPTGroup>();
        FGroup->SetClientSize(300, 200);
    }
    void cleanup() { FGroup.reset(); }

    void newRegionDefaults()
    {
        TUIRectangle R(FGroup.get());
        QCOMPARE(R.AltText, QStringLiteral("Click Here!"));
        QCOMPARE(R.Target, QString());
        QCOMPARE(R.HRef, HomePageURL());
        QCOMPARE(HomePageURL(), QStringLiteral("http://www.corvanta.example/"));
        QCOMPARE(R.Pen().color(), QColor(0, 0, 255));
        QCOMPARE(R.Pen().width(), 1);
        QCOMPARE(R.Brush().style(), Qt::BDiagPattern);
    }

    void defaultHRefFromInstallationRecord()
    {
        const QString Path = FDir.filePath(QStringLiteral("Corvanta Zonequilter_is1.ini"));
        SetInstallRecordFile(Path);
        QCOMPARE(DefaultHRef(), HomePageURL()); // record missing
        {
            QFile F(Path);
            QVERIFY(F.open(QIODevice::WriteOnly));
            F.write("[General]\nDisplayName=Corvanta Zonequilter\n");
        }
        QCOMPARE(DefaultHRef(), QString()); // record without the value
        QTest::qWait(10);
        {
            QFile F(Path);
            QVERIFY(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
            F.write("[General]\nURLInfoAbout=http://maker.example/about\n");
        }
        TUICircle C(FGroup.get());
        QCOMPARE(C.HRef, QStringLiteral("http://maker.example/about"));
        QCOMPARE(InstallRecordFile(), Path);
        SetInstallRecordFile(QString());
        QVERIFY(InstallRecordFile().endsWith(QStringLiteral("Corvanta Zonequilter_is1.ini")));
    }

    // QSettings splits a value at its commas; the link must come back whole, not empty.
    void defaultHRefWithCommaReadsWhole()
    {
        const QString Path = FDir.filePath(QStringLiteral("comma_is1.ini"));
        {
            QFile F(Path);
            QVERIFY(F.open(QIODevice::WriteOnly));
            F.write("[General]\nURLInfoAbout=http://maker.example/a,b?x=1,2\n");
        }
        SetInstallRecordFile(Path);
        QCOMPARE(DefaultHRef(), QStringLiteral("http://maker.example/a,b?x=1,2"));
    }

    void rectangleHitTest()
    {
        TUIRectangle R(FGroup.get());
        R.SetBoundsRect(TRect{10, 20, 60, 70});
        QCOMPARE(R.Left(), 10);
        QCOMPARE(R.Width(), 50);
        QVERIFY(R.ContainsPoint({10, 20}));
        QVERIFY(R.ContainsPoint({59, 69}));
        QVERIFY(!R.ContainsPoint({60, 20}));
        QVERIFY(!R.ContainsPoint({10, 70}));
    }

    void circleHitTest()
    {
        TUICircle C(FGroup.get());
        C.SetBoundsRect(TRect{70, 50, 130, 110});
        QVERIFY(C.ContainsPoint({129, 80}));
        QVERIFY(!C.ContainsPoint({130, 80})); // exactly the radius away
        QVERIFY(!C.ContainsPoint({72, 52}));  // in the square, outside the circle
        QCOMPARE(FGroup->ShapeAt(129, 80), &C);
        QCOMPARE(FGroup->ShapeAt(72, 52), nullptr);
        // Handles on the left, right, top and bottom points.
        QCOMPARE((TPoint{HandleCentreX(C.Handles()[0]), HandleCentreY(C.Handles()[0])}), (TPoint{70, 80}));
        QCOMPARE((TPoint{HandleCentreX(C.Handles()[1]), HandleCentreY(C.Handles()[1])}), (TPoint{129, 80}));
        QCOMPARE((TPoint{HandleCentreX(C.Handles()[2]), HandleCentreY(C.Handles()[2])}), (TPoint{100, 50}));
        QCOMPARE((TPoint{HandleCentreX(C.Handles()[3]), HandleCentreY(C.Handles()[3])}), (TPoint{100, 109}));
    }

    void circleRadiusIgnoresHeightInShapeAt()
    {
        // Non-square bounds: the radius is Width / 2, so the circle reaches beyond the bounds vertically.
        TUICircle C(FGroup.get());
        C.SetBoundsRect(TRect{100, 100, 160, 110});
        QVERIFY(C.ContainsPoint({130, 130}));
        QCOMPARE(FGroup->ShapeAt(130, 130), &C);
    }

    void polygonVerticesStayWherePut()
    {
        // Regression: vertices kept as 32-bit fractions moved (13,30) to (12,30).
        TUIPolygon P(FGroup.get());
        const QVector<TPoint> Points{{10, 10}, {22, 10}, {13, 30}};
        P.SetPoints(Points);
        QCOMPARE(P.BoundsRect(), (TRect{6, 6, 26, 34}));
        QCOMPARE(P.Points(), Points);
        QCOMPARE(HandleCentres(&P), Points);
    }

    void polygonMoveShiftsEveryVertexExactly()
    {
        TUIPolygon P(FGroup.get());
        P.SetPoints({{10, 10}, {22, 10}, {13, 30}});
        P.SetBounds(P.Left() + 5, P.Top() + 5, P.Width(), P.Height());
        QCOMPARE(P.Points(), (QVector<TPoint>{{15, 15}, {27, 15}, {18, 35}}));
        QCOMPARE(HandleCentres(&P), P.Points());
        P.SetBounds(P.Left() - 5, P.Top() - 5, P.Width(), P.Height());
        QCOMPARE(P.Points(), (QVector<TPoint>{{10, 10}, {22, 10}, {13, 30}}));
    }

    void polygonResizeScalesRoundingToNearest()
    {
        TUIPolygon P(FGroup.get());
        P.SetPoints({{10, 10}, {22, 10}, {13, 30}}); // bounds (6, 6, 26, 34): 20 x 28
        P.SetBounds(6, 6, 30, 28);                   // 1.5 times as wide
        // x offsets 4, 16, 7 -> 6, 24, 10.5 (rounded to 11)
        QCOMPARE(P.Points(), (QVector<TPoint>{{12, 10}, {30, 10}, {17, 30}}));
        // Scaling back restores the recorded vertices: nothing accumulates.
        P.SetBounds(6, 6, 20, 28);
        QCOMPARE(P.Points(), (QVector<TPoint>{{10, 10}, {22, 10}, {13, 30}}));
    }

    void randomPolygonsComeBackUnchanged()
    {
        QRandomGenerator Rng(20240601);
        for (int Round = 0; Round < 300; ++Round) {
            QVector<TPoint> Points;
            const int N = 1 + int(Rng.bounded(40));
            for (int I = 0; I < N; ++I)
                Points.append(TPoint{int(Rng.bounded(-500, 3000)), int(Rng.bounded(-500, 3000))});
            TUIPolygon P(FGroup.get());
            P.SetPoints(Points);
            QCOMPARE(HandleCentres(&P), Points);
            QCOMPARE(P.BoundsRect(), InflateRectBy(PointsBounds(Points), 4, 4));
            const int DX = int(Rng.bounded(-200, 200)), DY = int(Rng.bounded(-200, 200));
            P.SetBoundsRect(OffsetRectBy(P.BoundsRect(), DX, DY));
            P.SetBoundsRect(OffsetRectBy(P.BoundsRect(), -DX, -DY));
            QCOMPARE(HandleCentres(&P), Points);
        }
    }

    void polygonWithoutVertices()
    {
        TUIPolygon P(FGroup.get());
        P.SetPoints({});
        QCOMPARE(P.PointCount(), 0);
        QVERIFY(P.Handles().isEmpty());
        QVERIFY(!P.ContainsPoint({0, 0}));
        QCOMPARE(FGroup->ShapeAt(0, 0), nullptr);
        P.SetFocus(); // no handles to show, nothing to fail
    }

    void polygonWithTwoVerticesContainsNothing()
    {
        TUIPolygon P(FGroup.get());
        P.SetPoints({{10, 10}, {30, 30}});
        QCOMPARE(P.BoundsRect(), (TRect{6, 6, 34, 34}));
        QVERIFY(!P.ContainsPoint({20, 20}));
    }

    void starCentreIsOutside()
    {
        TUIPolygon P(FGroup.get());
        P.SetPoints(StarPoints());
        QVERIFY(!P.ContainsPoint({100, 100}));
        QVERIFY(P.ContainsPoint({100, 35}));
    }

    void zOrderAndShapeAt()
    {
        auto* A = new TUIRectangle(FGroup.get());
        A->SetBoundsRect(TRect{0, 0, 50, 50});
        auto* B = new TUIRectangle(FGroup.get());
        B->SetBoundsRect(TRect{25, 25, 75, 75});
        QCOMPARE(FGroup->ShapeAt(30, 30), B);
        B->SendToBack();
        QCOMPARE(FGroup->ShapeAt(30, 30), A);
        QCOMPARE(FGroup->Shapes(), (QList<TGUIShape*>{B, A}));
        B->BringToFront();
        QCOMPARE(FGroup->ShapeAt(30, 30), B);
        QVERIFY(B->zValue() > A->zValue());
        int Index = -2, Count = -2;
        A->GetZPosition(Index, Count);
        QCOMPARE(Index, 0);
        QCOMPARE(Count, 2);
        QCOMPARE(FGroup->ShapeAt(70, 70), B);
        QCOMPARE(FGroup->ShapeAt(80, 80), nullptr);
        delete A;
        QCOMPARE(FGroup->Regions(), (QList<TGUIRegion*>{B}));
        QCOMPARE(FGroup->ShapeAt(10, 10), nullptr);
    }

    void shapeAtSkipsVisibleHandles()
    {
        ShowGroup();
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{20, 20, 60, 60});
        R->SetFocus();
        QVERIFY(R->SizeFrame()->Handles()[0]->isVisible());
        QCOMPARE(FGroup->ShapeAt(16, 16), nullptr); // on handle 0 only
    }

    void focusReportsZPosition()
    {
        ShowGroup();
        QSignalSpy Focused(FGroup.get(), &TPTCustomGroup::RegionFocused);
        QSignalSpy Lost(FGroup.get(), &TPTCustomGroup::RegionFocusLost);
        auto* A = new TUIRectangle(FGroup.get());
        auto* B = new TUICircle(FGroup.get());
        auto* C = new TUIPolygon(FGroup.get());
        C->SetPoints({{1, 1}, {20, 1}, {1, 20}});
        A->SetFocus();
        QCOMPARE(Focused.count(), 1);
        QCOMPARE(Focused.last().at(1).toInt(), 0);
        QCOMPARE(Focused.last().at(2).toInt(), 3);
        QVERIFY(A->hasFocus());
        QVERIFY(A->Focused());
        C->SetFocus();
        QCOMPARE(Lost.count(), 1);
        QCOMPARE(Lost.last().at(0).value<TGUIRegion*>(), A);
        QCOMPARE(Focused.last().at(1).toInt(), 2);
        B->SetFocus();
        QCOMPARE(Focused.last().at(1).toInt(), 1);
        QCOMPARE(FGroup->FocusedRegion(), B);
        FGroup->ClearRegionFocus();
        QCOMPARE(Lost.count(), 3);
        QCOMPARE(FGroup->FocusedRegion(), nullptr);
        QVERIFY(!B->hasFocus());
    }

    void handlesShowOnFocusAndHideOnExit()
    {
        ShowGroup();
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{10, 20, 60, 70});
        auto* C = new TUICircle(FGroup.get());
        C->SetBoundsRect(TRect{100, 50, 160, 110});
        auto* P = new TUIPolygon(FGroup.get());
        P->SetPoints({{200, 20}, {250, 30}, {220, 90}});
        for (TGrabHandle* H : R->SizeFrame()->Handles())
            QVERIFY(!H->isVisible());
        R->SetFocus();
        for (int I = 0; I < 8; ++I) {
            TGrabHandle* H = R->SizeFrame()->Handles()[I];
            QVERIFY(H->isVisible());
            QCOMPARE((TPoint{HandleCentreX(H), HandleCentreY(H)}),
                     TSizeFrame::HandleCentreFor(I, R->BoundsRect()));
        }
        // Handle 0 covers the pixels (3..9, 13..19).
        QCOMPARE(R->SizeFrame()->Handles()[0]->BoundsRect(), (TRect{3, 13, 10, 20}));
        C->SetFocus();
        for (TGrabHandle* H : R->SizeFrame()->Handles())
            QVERIFY(!H->isVisible());
        for (TGrabHandle* H : C->Handles())
            QVERIFY(H->isVisible());
        P->SetFocus();
        for (TGrabHandle* H : C->Handles())
            QVERIFY(!H->isVisible());
        QCOMPARE(P->Handles().size(), 3);
        for (TGrabHandle* H : P->Handles())
            QVERIFY(H->isVisible());
        QCOMPARE(P->Handles()[2]->cursor().shape(), Qt::CrossCursor);
        FGroup->ClearRegionFocus();
        // The polygon's handle items go away with the focus; the vertices stay.
        QCOMPARE(P->Points(), (QVector<TPoint>{{200, 20}, {250, 30}, {220, 90}}));
    }

    void rectangleFrameFollowsMoveAtNextFocus()
    {
        ShowGroup();
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{10, 20, 60, 70});
        R->SetFocus();
        FGroup->ClearRegionFocus();
        R->SetBoundsRect(TRect{110, 120, 160, 170});
        R->SetFocus();
        TGrabHandle* H = R->SizeFrame()->Handles()[2];
        QCOMPARE((TPoint{HandleCentreX(H), HandleCentreY(H)}), (TPoint{163, 173}));
    }

    void enterChainRunsLatestFirst()
    {
        TUIPolygon Target(FGroup.get());
        QStringList Log;
        Target.OnEnter = [&Log](QObject*) { Log << QStringLiteral("original"); };
        struct TLogged : TUserInterfaceControl
        {
            TLogged(QObject* O, TGUIShape* T, QStringList& L, QString N)
                : TUserInterfaceControl(O, T), Log(L), Name(std::move(N))
            {
            }
            void TargetEnter(QObject* S) override
            {
                Log << Name;
                TUserInterfaceControl::TargetEnter(S);
            }
            void TargetExit(QObject* S) override
            {
                Log << Name + QStringLiteral(" exit");
                TUserInterfaceControl::TargetExit(S);
            }
            QStringList& Log;
            QString Name;
        };
        new TLogged(&Target, &Target, Log, QStringLiteral("A"));
        new TLogged(&Target, &Target, Log, QStringLiteral("B"));
        Target.SetFocus();
        QCOMPARE(Log, (QStringList{"B", "A", "original"}));
        Log.clear();
        FGroup->ClearRegionFocus();
        QCOMPARE(Log, (QStringList{"B exit", "A exit"}));
    }

    void windowFocusLossKeepsSelection()
    {
        ShowGroup();
        QSignalSpy Lost(FGroup.get(), &TPTCustomGroup::RegionFocusLost);
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{10, 20, 60, 70});
        R->SetFocus();
        QLineEdit Other;
        Other.show();
        Other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Other));
        QCOMPARE(Lost.count(), 0);
        QCOMPARE(FGroup->FocusedRegion(), R);
        QVERIFY(R->SizeFrame()->Handles()[0]->isVisible());
        FGroup->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FGroup.get()));
        QCOMPARE(FGroup->FocusedRegion(), R);
    }

    void deselectWhileWindowInactiveStays()
    {
        ShowGroup();
        auto* R = new TUIRectangle(FGroup.get());
        R->SetFocus();
        QLineEdit Other;
        Other.show();
        Other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Other));
        FGroup->ClearRegionFocus();
        QCOMPARE(FGroup->FocusedRegion(), nullptr);
        FGroup->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FGroup.get()));
        QTRY_COMPARE(FGroup->FocusedRegion(), nullptr);
        QVERIFY(!R->SizeFrame()->Handles()[0]->isVisible());
    }

    void deletingFocusedRegionReportsLoss()
    {
        ShowGroup();
        QSignalSpy Lost(FGroup.get(), &TPTCustomGroup::RegionFocusLost);
        auto* P = new TUIPolygon(FGroup.get());
        P->SetPoints({{1, 1}, {40, 1}, {1, 40}});
        P->SetFocus();
        delete P;
        QCOMPARE(Lost.count(), 1);
        QCOMPARE(FGroup->FocusedRegion(), nullptr);
        QVERIFY(FGroup->Shapes().isEmpty());
    }

    void destroyRegionsClearsTheScene()
    {
        ShowGroup();
        QSignalSpy Lost(FGroup.get(), &TPTCustomGroup::RegionFocusLost);
        for (int I = 0; I < 10; ++I)
            (new TUIRectangle(FGroup.get()))->SetBoundsRect(TRect{I, I, I + 20, I + 20});
        auto* C = new TUICircle(FGroup.get());
        C->SetFocus();
        FGroup->DestroyRegions();
        QCOMPARE(Lost.count(), 1);
        QVERIFY(FGroup->Shapes().isEmpty());
        QCOMPARE(FGroup->ShapeAt(5, 5), nullptr);
        // Only the scene's own items are gone; nothing of the regions is left behind.
        QCOMPARE(FGroup->scene()->items(), (QList<QGraphicsItem*>{FGroup->HandleLayer()}));
        auto* R = new TUIRectangle(FGroup.get());
        int Index = -1, Count = -1;
        R->GetZPosition(Index, Count);
        QCOMPARE(Index, 0);
        QCOMPARE(Count, 1);
    }

    void paintingHatchesAndOutlines()
    {
        FGroup->SetColor(QColor(255, 0, 255));
        auto* R = new TUIRectangle(FGroup.get());
        R->SetBoundsRect(TRect{10, 20, 60, 70});
        auto* P = new TUIPolygon(FGroup.get());
        P->SetPoints(StarPoints());
        P->SetBounds(P->Left() + 100, P->Top(), P->Width(), P->Height());
        QImage Img(300, 200, QImage::Format_RGB32);
        Img.fill(Qt::white); // the scene's own render has no picture behind the regions
        QPainter Painter(&Img);
        FGroup->scene()->render(&Painter, QRectF(0, 0, 300, 200), QRectF(0, 0, 300, 200));
        Painter.end();
        const QRgb Blue = qRgb(0, 0, 255), Hatch = qRgb(255, 0, 255), White = qRgb(255, 255, 255);
        // Outline along the outermost pixels of the bounds, nothing outside.
        QCOMPARE(Img.pixel(10, 20), Blue);
        QCOMPARE(Img.pixel(59, 69), Blue);
        QCOMPARE(Img.pixel(60, 69), White);
        QCOMPARE(Img.pixel(59, 70), White);
        // Inside: hatch lines with the picture showing between them.
        int HatchCount = 0, WhiteCount = 0;
        for (int Y = 30; Y < 60; ++Y)
            for (int X = 20; X < 50; ++X)
                if (Img.pixel(X, Y) == Hatch)
                    ++HatchCount;
                else if (Img.pixel(X, Y) == White)
                    ++WhiteCount;
        QVERIFY(HatchCount > 50);
        QVERIFY(WhiteCount > HatchCount * 4);
        // The star's centre is not filled (even-odd): no hatch around it.
        for (int Y = 95; Y < 105; ++Y)
            for (int X = 195; X < 205; ++X)
                QCOMPARE(Img.pixel(X, Y), White);
    }
};

QTEST_MAIN(TstRegions)
#include "tst_regions.moc"
