// The scene at other scales than 1:1, the editable area beyond the picture and the centring of
// odd sizes, through the real main window.
#include "EditorFixture.h"

#include "MessageBoxes.h"
#include "SettingsFile.h"
#include "TGrabHandle.h"
#include "TPolyOverlay.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UnitHTMLImport.h"
#include "WindowParts.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TRect)

namespace {

// The viewport position of the middle of image pixel (X, Y) at the scene's scale, or of the
// pixel's corner when several image pixels share a screen pixel.
QPoint PixelAt(const TPTGroup* Scene, int X, int Y)
{
    const double Z = Scene->Zoom();
    const double Inside = Z > 1 ? Z / 2 : 0;
    return Scene->mapFromScene(QPointF(X, Y)) + QPoint(int(Inside), int(Inside));
}

// Keeps a picture of the window when ZQ_SCREENSHOTS names a folder (run under xvfb-run to look).
void Shot(QWidget* Window, const QString& Name)
{
    const QString Folder = qEnvironmentVariable("ZQ_SCREENSHOTS");
    if (!Folder.isEmpty())
        Window->grab().save(Folder + QLatin1Char('/') + Name + QStringLiteral(".png"));
}

void WheelAt(QWidget* Viewport, const QPoint& Pos, int Delta, Qt::KeyboardModifiers Modifiers)
{
    QWheelEvent Wheel(QPointF(Pos), QPointF(Viewport->mapToGlobal(Pos)), QPoint(), QPoint(0, Delta),
                      Qt::NoButton, Modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Viewport, &Wheel);
}

} // namespace

class TestZoom : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SetMessageBoxRunner([](QMessageBox&) { return QMessageBox::Ok; });
    }
    // Each case starts from a settings file of its own, so no zoom is carried over.
    void init()
    {
        FSettings = std::make_unique<QTemporaryDir>();
        SetSettingsFileName(FSettings->filePath(QStringLiteral("Settings.ini")));
    }
    void cleanup() { SetSettingsFileName(QString()); }

    void drawingAndReadoutInImagePixels_data();
    void drawingAndReadoutInImagePixels();
    void zoomCommandsAndStatus();
    void ctrlWheelKeepsThePointUnderThePointer();
    void fitPictureShowsTheWholePicture();
    void zoomIsRememberedAndWritesNothing();
    void centringOfOddSizes_data();
    void centringOfOddSizes();
    void regionsBeyondThePictureCanBeReached();
    void reversedRectangleIsNormalisedOnImport();
    void handlePressAtThePictureEdge_data();
    void handlePressAtThePictureEdge();
    void handlesStaySevenScreenPixels_data();
    void handlesStaySevenScreenPixels();

private:
    std::unique_ptr<QTemporaryDir> FSettings;
};

void TestZoom::drawingAndReadoutInImagePixels_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<TRect>("drawn");
    // At 25 % four image pixels share a screen pixel: the corners are multiples of 4.
    QTest::newRow("25 %") << 0.25 << TRect{40, 20, 240, 180};
    QTest::newRow("100 %") << 1.0 << TRect{41, 23, 203, 151};
    QTest::newRow("400 %") << 4.0 << TRect{41, 23, 93, 71};
    QTest::newRow("1,600 %") << 16.0 << TRect{41, 23, 60, 39};
}

void TestZoom::drawingAndReadoutInImagePixels()
{
    QFETCH(double, zoom);
    QFETCH(TRect, drawn);
    MainWindowFixture f(300, 200);
    QVERIFY(f.Ready);
    f.Scene()->SetZoom(zoom);
    // The drawn corners on screen: keep the first in view.
    f.Scene()->ensureVisible(QRectF(drawn.Left, drawn.Top, 1, 1), 0, 0);
    Find<QAction>(*f.Window, "TBRect")->trigger();
    QTest::mousePress(f.Viewport(), Qt::LeftButton, Qt::NoModifier,
                      PixelAt(f.Scene(), drawn.Left, drawn.Top));
    QTest::mouseMove(f.Viewport(), PixelAt(f.Scene(), drawn.Right, drawn.Bottom));
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel1")->text(),
             QStringLiteral("%1 x %2").arg(drawn.Right).arg(drawn.Bottom));
    QTest::mouseRelease(f.Viewport(), Qt::LeftButton, Qt::NoModifier,
                        PixelAt(f.Scene(), drawn.Right, drawn.Bottom));
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(f.Regions().first()->BoundsRect(), drawn);
    Shot(f.Window.get(), QStringLiteral("drawn-%1").arg(int(zoom * 100)));

    // A move snaps to whole image pixels, and a click hits the region at any scale.
    Find<QAction>(*f.Window, "TBArrow")->trigger();
    const int Step = zoom < 1 ? 4 : 1;
    QTest::mousePress(f.Viewport(), Qt::LeftButton, Qt::NoModifier,
                      PixelAt(f.Scene(), drawn.Left + 8, drawn.Top + 8));
    QTest::mouseMove(f.Viewport(), PixelAt(f.Scene(), drawn.Left + 8 + Step, drawn.Top + 8 + 2 * Step));
    QTest::mouseRelease(f.Viewport(), Qt::LeftButton, Qt::NoModifier,
                        PixelAt(f.Scene(), drawn.Left + 8 + Step, drawn.Top + 8 + 2 * Step));
    QCOMPARE(f.Regions().first()->BoundsRect(), OffsetRectBy(drawn, Step, 2 * Step));
    QCOMPARE(f.Window->ActiveRegion(), f.Regions().first());
}

void TestZoom::zoomCommandsAndStatus()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel2")->text(), QStringLiteral("100 %"));
    QVERIFY(
        Find<QAction>(*f.Window, "MIZoomIn")->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl++"))));
    QVERIFY(
        Find<QAction>(*f.Window, "MIZoomIn")->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+="))));
    QCOMPARE(Find<QAction>(*f.Window, "MIZoomOut")->shortcut(), QKeySequence(QStringLiteral("Ctrl+-")));
    QCOMPARE(Find<QAction>(*f.Window, "MIActualSize")->shortcut(), QKeySequence(QStringLiteral("Ctrl+0")));
    QCOMPARE(Find<QMenu>(*f.Window, "MIView")->title(), QStringLiteral("&View"));

    QTest::keyClick(f.Window.get(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(f.Scene()->Zoom(), 1.5);
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel2")->text(), QStringLiteral("150 %"));
    QTest::keyClick(f.Window.get(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(f.Scene()->Zoom(), 1.0);
    // The steps end at 10 % and 3,200 %.
    for (int I = 0; I < 30; ++I)
        Find<QAction>(*f.Window, "MIZoomOut")->trigger();
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel2")->text(), QStringLiteral("10 %"));
    for (int I = 0; I < 30; ++I)
        Find<QAction>(*f.Window, "MIZoomIn")->trigger();
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel2")->text(), QStringLiteral("3200 %"));
    // A faint grid separates the pixels from 800 %; outlines stay one screen pixel (cosmetic pens).
    QVERIFY(Find<TPTGroup>(*f.Window, "PanelScene")->Zoom() >= 8);
}

void TestZoom::ctrlWheelKeepsThePointUnderThePointer()
{
    MainWindowFixture f(2000, 1500);
    QVERIFY(f.Ready);
    const QPoint Pointer(f.Viewport()->width() / 3, f.Viewport()->height() / 4);
    const QPointF Before = f.Scene()->mapToScene(Pointer);
    WheelAt(f.Viewport(), Pointer, 120, Qt::ControlModifier);
    QCOMPARE(f.Scene()->Zoom(), 1.5);
    WheelAt(f.Viewport(), Pointer, 120, Qt::ControlModifier);
    QCOMPARE(f.Scene()->Zoom(), 2.0);
    const QPointF After = f.Scene()->mapToScene(Pointer);
    QVERIFY2(
        std::abs(After.x() - Before.x()) <= 1 && std::abs(After.y() - Before.y()) <= 1,
        qPrintable(
            QStringLiteral("%1,%2 -> %3,%4").arg(Before.x()).arg(Before.y()).arg(After.x()).arg(After.y())));
    // Without Ctrl the wheel scrolls and the scale stays.
    WheelAt(f.Viewport(), Pointer, -120, Qt::NoModifier);
    QCOMPARE(f.Scene()->Zoom(), 2.0);
}

void TestZoom::fitPictureShowsTheWholePicture()
{
    MainWindowFixture f(8000, 6000);
    QVERIFY(f.Ready);
    f.Window->resize(1200, 900);
    QTRY_VERIFY(f.Viewport()->width() > 1000);
    Find<QAction>(*f.Window, "MIFitPicture")->trigger();
    QVERIFY(f.Scene()->Zoom() > 0.1);
    const QRect Shown(f.Scene()->mapFromScene(QPointF(0, 0)),
                      f.Scene()->mapFromScene(QPointF(8000, 6000)) - QPoint(1, 1));
    QTRY_VERIFY2(f.Viewport()->rect().contains(Shown), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                                      .arg(Shown.x())
                                                                      .arg(Shown.y())
                                                                      .arg(Shown.width())
                                                                      .arg(Shown.height())
                                                                      .arg(f.Viewport()->width())
                                                                      .arg(f.Viewport()->height())));
    Shot(f.Window.get(), QStringLiteral("fitted-8000x6000"));
    QVERIFY(f.Scene()->Zoom() < 0.1 + 1e-9 || Shown.width() >= f.Viewport()->width() - 2 ||
            Shown.height() >= f.Viewport()->height() - 2);
}

void TestZoom::zoomIsRememberedAndWritesNothing()
{
    const QString Ini = GetSettingsFileName();
    {
        MainWindowFixture f;
        QVERIFY(f.Ready);
        auto* Region = new TUIRectangle(f.Scene());
        Region->SetBoundsRect(TRect{10, 20, 110, 120});
        f.Scene()->SetZoom(4);
        QCOMPARE(Region->BoundsRect(), (TRect{10, 20, 110, 120}));
        QCOMPARE(f.Scene()->ClientRect(), QRectF(0, 0, 300, 200));
    }
    QCOMPARE(QSettings(Ini, QSettings::IniFormat).value(QStringLiteral("View/Zoom")).toString(),
             QStringLiteral("400"));
    {
        MainWindowFixture f;
        QCOMPARE(f.Scene()->Zoom(), 4.0);
        QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel2")->text(), QStringLiteral("400 %"));
    }
}

void TestZoom::centringOfOddSizes_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("picture");
    QTest::newRow("odd in odd") << 501 << 201;
    QTest::newRow("odd in even") << 500 << 201;
    QTest::newRow("even in odd") << 501 << 200;
    QTest::newRow("one pixel") << 101 << 1;
}

void TestZoom::centringOfOddSizes()
{
    QFETCH(int, view);
    QFETCH(int, picture);
    TPTGroup Group;
    Group.SetFrameStyle(ptfsNone);
    Group.resize(view, view);
    Group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Group));
    Group.SetClientSize(picture, picture);
    QTRY_COMPARE(Group.viewport()->width(), view);
    const TPoint Origin = CentreInScrollBox(&Group);
    const int Expected = (view - picture) / 2;
    QCOMPARE(Origin, (TPoint{Expected, Expected}));
    QCOMPARE(Group.mapToScene(QPoint(Expected, Expected)), QPointF(0, 0));
    QCOMPARE(Group.ViewportToClient(QPoint(Expected - 1, Expected)).X, -1);
}

void TestZoom::regionsBeyondThePictureCanBeReached()
{
    MainWindowFixture f(300, 200);
    QVERIFY(f.Ready);
    QCOMPARE(f.Scene()->EditableArea(), (TRect{0, 0, 300, 200}));
    auto* Left = new TUIRectangle(f.Scene());
    Left->SetBoundsRect(TRect{-60, -40, -10, -5});
    auto* Far = new TUIRectangle(f.Scene());
    Far->SetBoundsRect(TRect{1500, 1200, 1550, 1250});
    QCOMPARE(f.Scene()->EditableArea(), (TRect{-70, -50, 1560, 1260}));
    QTRY_VERIFY(f.Scene()->sceneRect().contains(QRectF(-70, -50, 1630, 1310)));
    QTRY_COMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Area(), QRectF(-70, -50, 1630, 1310));

    // Selected with a click on the grey surround, moved, and deleted.
    f.Scene()->ensureVisible(QRectF(-70, -50, 10, 10), 0, 0);
    f.Click(-30, -20);
    QCOMPARE(f.Window->ActiveRegion(), Left);
    f.Drag(-30, -20, -25, -18);
    QCOMPARE(Left->BoundsRect(), (TRect{-55, -38, -5, -3}));
    f.Scene()->ensureVisible(QRectF(1500, 1200, 50, 50), 0, 0);
    f.Click(1520, 1220);
    QCOMPARE(f.Window->ActiveRegion(), Far);
    Find<QAction>(*f.Window, "TBDelete")->trigger();
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(f.Scene()->EditableArea(), (TRect{-65, -48, 300, 200}));
}

void TestZoom::reversedRectangleIsNormalisedOnImport()
{
    MainWindowFixture f(300, 200);
    QVERIFY(f.Ready);
    QTemporaryDir Dir;
    const QString Page = Dir.filePath(QStringLiteral("reversed.htm"));
    QImage(300, 200, QImage::Format_RGB32).save(Dir.filePath(QStringLiteral("p.png")));
    QFile File(Page);
    QVERIFY(File.open(QIODevice::WriteOnly));
    File.write("<img src=\"p.png\" usemap=\"#m\"><map name=\"m\">"
               "<area shape=\"rect\" coords=\"200,150,50,40\" href=\"a.htm\"></map>");
    File.close();
    TFormHTMLImport* Dialog = f.Window->ImportDialog();
    QVERIFY(Dialog->LoadHTMLFile(Page));
    QVERIFY(Dialog->SelectEntry(0));
    QVERIFY(Dialog->ButtonOKClick());
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(f.Regions().first()->BoundsRect(), (TRect{50, 40, 200, 150}));
    f.Click(100, 100);
    QCOMPARE(f.Window->ActiveRegion(), f.Regions().first());
}

void TestZoom::handlePressAtThePictureEdge_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("400 %") << 4.0;
    QTest::newRow("1,600 %") << 16.0;
}

void TestZoom::handlePressAtThePictureEdge()
{
    QFETCH(double, zoom);
    MainWindowFixture f(300, 200);
    QVERIFY(f.Ready);
    auto* Region = new TUIRectangle(f.Scene());
    Region->SetBoundsRect(TRect{0, 0, 200, 150});
    f.Scene()->SetZoom(zoom);
    f.Scene()->ensureVisible(QRectF(-10, -10, 20, 20), 0, 0);
    Region->SetFocus();
    // The top-left handle stands 4 screen pixels up and left of the picture's corner, outside it;
    // the path is in image pixels from the press.
    const auto At = [&](const TPoint& P) {
        return f.Scene()->mapFromScene(QPointF(0, 0)) - QPoint(4, 4) + QPoint(P.X, P.Y) * int(zoom);
    };
    auto Drag = [&](const QVector<TPoint>& Path) {
        QTest::mousePress(f.Viewport(), Qt::LeftButton, Qt::NoModifier, At({}));
        QVERIFY(f.Scene()->DragControl());
        for (const TPoint& P : Path)
            QTest::mouseMove(f.Viewport(), At(P));
        QTest::mouseRelease(f.Viewport(), Qt::LeftButton, Qt::NoModifier,
                            At(Path.isEmpty() ? TPoint{} : Path.last()));
    };
    Drag({});
    QCOMPARE(Region->BoundsRect(), (TRect{0, 0, 200, 150}));
    Drag({{1, 0}, {0, 0}});
    QCOMPARE(Region->BoundsRect(), (TRect{0, 0, 200, 150}));
    Region->SetFocus();
    // Two pixels: at 400 % one would end on the viewport's origin, which Qt Test takes for its middle.
    Drag({{2, 2}});
    QCOMPARE(Region->BoundsRect(), (TRect{2, 2, 200, 150}));
}

void TestZoom::handlesStaySevenScreenPixels_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("25 %") << 0.25;
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("400 %") << 4.0;
    QTest::newRow("1,600 %") << 16.0;
}

void TestZoom::handlesStaySevenScreenPixels()
{
    QFETCH(double, zoom);
    MainWindowFixture f(300, 200);
    QVERIFY(f.Ready);
    auto* Polygon = new TUIPolygon(f.Scene());
    Polygon->SetPoints({{40, 40}, {120, 48}, {80, 100}});
    f.Scene()->SetZoom(zoom);
    f.Scene()->ensureVisible(QRectF(112, 40, 16, 16), 0, 0);
    Polygon->SetFocus();
    TGrabHandle* Handle = Polygon->Handles().at(1);
    const QRectF OnScreen =
        Handle->deviceTransform(f.Scene()->viewportTransform()).mapRect(Handle->boundingRect());
    QCOMPARE(OnScreen.size(), QSizeF(7, 7));
    QVERIFY(OnScreen.contains(QPointF(PixelAt(f.Scene(), 120, 48))));
    // Caught 3 screen pixels off its middle, and the corner follows the pointer in image pixels.
    const QPoint Grip = PixelAt(f.Scene(), 120, 48) + QPoint(zoom > 1 ? 0 : 3, zoom > 1 ? 0 : 3);
    QTest::mousePress(f.Viewport(), Qt::LeftButton, Qt::NoModifier, Grip);
    QVERIFY(f.Scene()->DragControl());
    const int Step = zoom < 1 ? 4 : 1;
    const QPoint To = Grip + (PixelAt(f.Scene(), 120 + 2 * Step, 48 + Step) - PixelAt(f.Scene(), 120, 48));
    QTest::mouseMove(f.Viewport(), To);
    QTest::mouseRelease(f.Viewport(), Qt::LeftButton, Qt::NoModifier, To);
    QCOMPARE(Polygon->Points(), (QVector<TPoint>{{40, 40}, {120 + 2 * Step, 48 + Step}, {80, 100}}));
    QTRY_VERIFY(f.Window->ActiveRegion() == Polygon);
    Shot(f.Window.get(), QStringLiteral("corner-%1").arg(int(zoom * 100)));
}

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
