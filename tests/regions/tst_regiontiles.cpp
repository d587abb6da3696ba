// The view paints the regions from tiles painted once at its scale: what it shows must be exactly
// what painting every region anew shows, at any scale, after a change and after taking it back, and
// a changed region's old place must not keep its old picture.
#include "DefaultHRef.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

#include <QScreen>
#include <QScrollBar>
#include <QtTest>

namespace {
enum
{
    KindRectangle,
    KindCircle,
    KindPolygon
};
} // namespace

class TstRegionTiles : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TPTGroup> FGroup;

    // The viewport painted anew, from the tiles or region by region.
    QImage Painted(bool Cached)
    {
        FGroup->SetRegionCache(Cached);
        return FGroup->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // What the window shows now, with nothing painted anew.
    QImage Shown()
    {
        QTest::qWait(30);
        const QImage Screen = QGuiApplication::primaryScreen()->grabWindow(FGroup->winId()).toImage();
        const QPoint Origin = FGroup->viewport()->mapTo(FGroup.get(), QPoint(0, 0));
        return Screen.copy(QRect(Origin, FGroup->viewport()->size())).convertToFormat(QImage::Format_RGB32);
    }
    // Equal but for outline pixels next to an outline in both: a tile's border cuts an outline into
    // pieces, and Qt's line drawing may then choose a pixel nearby, as it does when a repaint of
    // part of the view cuts it.
    static bool Same(const QImage& A, const QImage& B)
    {
        if (A.size() != B.size())
            return false;
        const QRgb Blue = qRgb(0, 0, 255);
        const auto NearOutline = [](const QImage& I, int X, int Y, QRgb C) {
            for (int DY = -2; DY <= 2; ++DY)
                for (int DX = -2; DX <= 2; ++DX)
                    if (I.valid(X + DX, Y + DY) && I.pixel(X + DX, Y + DY) == C)
                        return true;
            return false;
        };
        for (int Y = 0; Y < A.height(); ++Y)
            for (int X = 0; X < A.width(); ++X)
                if (A.pixel(X, Y) != B.pixel(X, Y) &&
                    !((A.pixel(X, Y) == Blue || B.pixel(X, Y) == Blue) && NearOutline(A, X, Y, Blue) &&
                      NearOutline(B, X, Y, Blue))) {
                    qWarning("differs at %d, %d: %08x, %08x", X, Y, A.pixel(X, Y), B.pixel(X, Y));
                    return false;
                }
        return true;
    }
    TGUIRegion* Make(int Kind, const TRect& R)
    {
        if (Kind == KindRectangle) {
            auto* Region = new TUIRectangle(FGroup.get());
            Region->SetBoundsRect(R);
            return Region;
        }
        if (Kind == KindCircle) {
            auto* Region = new TUICircle(FGroup.get());
            Region->SetBoundsRect(TRect{R.Left, R.Top, R.Left + RectWidth(R), R.Top + RectWidth(R)});
            return Region;
        }
        auto* Region = new TUIPolygon(FGroup.get());
        Region->SetPoints({{R.Left, R.Top}, {R.Right, R.Top + 7}, {R.Left + 9, R.Bottom}, {R.Left + 3, R.Top + 20}});
        return Region;
    }

private slots:
    void init()
    {
        SetInstallRecordFile(QStringLiteral("/nonexistent/record.ini"));
        FGroup = std::make_unique<TPTGroup>();
        FGroup->SetFrameStyle(ptfsNone);
        FGroup->SetClientSize(1200, 900);
        FGroup->SetColor(QColor(255, 0, 255));
        FGroup->OnPaint = [](TPTCustomGroup*, QPainter* Canvas) {
            Canvas->fillRect(0, 0, 1200, 900, Qt::white);
            Canvas->fillRect(300, 0, 40, 900, QColor(20, 140, 60));
        };
        FGroup->resize(700, 520);
        FGroup->show();
        QVERIFY(QTest::qWaitForWindowExposed(FGroup.get()));
    }
    void cleanup() { FGroup.reset(); }

    void cachedPaintingIsLivePainting_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("scroll"); // view pixels, not a multiple of the hatch's period
        const struct
        {
            const char* Name;
            int Kind;
        } Kinds[] = {{"rectangle", KindRectangle}, {"circle", KindCircle}, {"polygon", KindPolygon}};
        for (const auto& K : Kinds)
            for (double Zoom : {1.0, 1.5, 2.0, 4.0, 16.0})
                QTest::addRow("%s at %g", K.Name, Zoom) << K.Kind << Zoom << 13;
    }
    void cachedPaintingIsLivePainting()
    {
        QFETCH(int, kind);
        QFETCH(double, zoom);
        QFETCH(int, scroll);
        // Overlapping regions across tile borders, the one under test in the middle of the z-order.
        Make(KindRectangle, TRect{240, 180, 420, 300});
        TGUIRegion* Region = Make(kind, TRect{250, 200, 330, 280});
        Make(KindCircle, TRect{300, 250, 360, 310});
        Make(KindPolygon, TRect{200, 150, 290, 240});
        FGroup->SetZoom(zoom);
        // The region in view, the view scrolled by an odd amount.
        FGroup->centerOn(QPointF(252, 202));
        FGroup->horizontalScrollBar()->setValue(FGroup->horizontalScrollBar()->value() + scroll);
        FGroup->verticalScrollBar()->setValue(FGroup->verticalScrollBar()->value() + scroll);
        QCoreApplication::processEvents();

        const QImage Live = Painted(false);
        QVERIFY(Same(Painted(true), Live));
        QVERIFY(Same(Shown(), Live));
        // Moved: the tiles under the old and the new place are painted again, and the screen follows.
        const TRect Before = Region->BoundsRect();
        Region->SetBoundsRect(TRect{Before.Left + 23, Before.Top + 17, Before.Right + 23, Before.Bottom + 17});
        QCoreApplication::processEvents();
        const QImage Moved = Shown();
        QVERIFY(Moved != Live);
        QVERIFY(Same(Moved, Painted(false)));
        QVERIFY(Same(Painted(true), Moved));
        // Moved back, as an undo does: the first painting again.
        Region->SetBoundsRect(Before);
        QVERIFY(Same(Shown(), Live));
        QVERIFY(Same(Painted(true), Live));
        // Restacked and deleted.
        Region->BringToFront();
        QVERIFY(Same(Shown(), Painted(false)));
        QVERIFY(Same(Painted(true), Painted(false)));
        delete Region;
        QVERIFY(Same(Shown(), Painted(false)));
        QVERIFY(Same(Painted(true), Painted(false)));
    }

    // A new colour of the panel, and a cleared document, leave no tile of the old look.
    void panelChangesRepaintTheRegions()
    {
        Make(KindRectangle, TRect{20, 20, 200, 150});
        Make(KindCircle, TRect{100, 60, 250, 210});
        QCoreApplication::processEvents();
        const QImage Before = Shown();
        FGroup->SetColor(QColor(0, 200, 200));
        QVERIFY(Shown() != Before);
        QVERIFY(Same(Shown(), Painted(false)));
        QVERIFY(Same(Painted(true), Painted(false)));
        FGroup->DestroyRegions();
        const QImage Empty = Shown();
        QVERIFY(Same(Empty, Painted(false)));
        QVERIFY(Same(Painted(true), Empty));
    }
};

QTEST_MAIN(TstRegionTiles)
#include "tst_regiontiles.moc"
