// The scene's keys and double clicks through the real main window.
#include "EditorFixture.h"

#include "MapDocument.h"
#include "SettingsFile.h"
#include "TPolyOverlay.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UnitProperties.h"
#include "WindowParts.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

Q_DECLARE_METATYPE(TRect)

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FSettings = std::make_unique<QTemporaryDir>();
        SetSettingsFileName(FSettings->filePath(QStringLiteral("Settings.ini")));
    }
    void cleanup() { SetSettingsFileName(QString()); }
    void arrowsMoveTheSelection_data();
    void arrowsMoveTheSelection();
    void aBurstOfRepeatsIsOneStep();
    void tabWalksTheStackingOrder();
    void enterAndDoubleClickOpenProperties();
    void polygonToolKeys();
    void escapeCancelsADrag_data();
    void escapeCancelsADrag();

private:
    static void Key(MainWindowFixture& f, Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
    {
        QTest::keyClick(f.Scene(), Key, Modifiers);
    }
    // A rectangle, a circle and a polygon, bottom to top.
    static QList<TGUIRegion*> Three(MainWindowFixture& f)
    {
        auto* A = new TUIRectangle(f.Scene());
        A->SetBoundsRect(TRect{10, 10, 60, 50});
        auto* B = new TUICircle(f.Scene());
        B->SetBoundsRect(TRect{100, 10, 160, 70});
        auto* C = new TUIPolygon(f.Scene());
        C->SetPoints({{200, 20}, {260, 20}, {230, 80}});
        return {A, B, C};
    }
    // Whether Trigger opens the properties dialog (which is then cancelled).
    static bool OpensProperties(const std::function<void()>& Trigger)
    {
        bool Shown = false;
        QTimer Watch;
        Watch.setInterval(5);
        QObject::connect(&Watch, &QTimer::timeout, [&Shown] {
            if (auto* Dialog = qobject_cast<TFormProperties*>(QApplication::activeModalWidget())) {
                Shown = true;
                Dialog->reject();
            }
        });
        Watch.start();
        Trigger();
        QElapsedTimer Waited;
        Waited.start();
        while (!Shown && Waited.elapsed() < 1000)
            QTest::qWait(10);
        return Shown;
    }

    std::unique_ptr<QTemporaryDir> FSettings;
};

void TestKeyboard::arrowsMoveTheSelection_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("rectangle") << 0;
    QTest::newRow("circle") << 1;
    QTest::newRow("polygon") << 2;
}

void TestKeyboard::arrowsMoveTheSelection()
{
    QFETCH(int, which);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    TGUIRegion* Region = Three(f).at(which);
    const TRect Start = Region->BoundsRect();
    const QVector<TPoint> Corners =
        which == 2 ? qobject_cast<TUIPolygon*>(Region)->Points() : QVector<TPoint>();
    Region->SetFocus();
    Key(f, Qt::Key_Right);
    Key(f, Qt::Key_Down, Qt::ShiftModifier);
    Key(f, Qt::Key_Left, Qt::ShiftModifier);
    Key(f, Qt::Key_Up);
    QCOMPARE(Region->BoundsRect(), OffsetRectBy(Start, -9, 9));
    QCOMPARE(f.Window->ActiveRegion(), Region);
    if (which == 2) {
        QVector<TPoint> Moved = Corners;
        for (TPoint& P : Moved)
            P = AddPoint(P, TPoint{-9, 9});
        QCOMPARE(qobject_cast<TUIPolygon*>(Region)->Points(), Moved);
    }
    // Without a selection the arrows move nothing.
    f.Window->ClearActiveControl();
    Key(f, Qt::Key_Right);
    QCOMPARE(Region->BoundsRect(), OffsetRectBy(Start, -9, 9));
}

void TestKeyboard::aBurstOfRepeatsIsOneStep()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    TGUIRegion* Region = Three(f).at(0);
    Region->SetFocus();
    const int Steps = f.Window->Document()->UndoStack()->count();
    for (int I = 0; I < 5; ++I) {
        QKeyEvent Press(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier, QString(), I > 0);
        QApplication::sendEvent(f.Scene(), &Press);
    }
    QKeyEvent Release(QEvent::KeyRelease, Qt::Key_Right, Qt::ShiftModifier);
    QApplication::sendEvent(f.Scene(), &Release);
    QCOMPARE(Region->BoundsRect(), (TRect{60, 10, 110, 50}));
    QCOMPARE(f.Window->Document()->UndoStack()->count(), Steps + 1);
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QCOMPARE(f.Regions().at(0)->BoundsRect(), (TRect{10, 10, 60, 50}));
}

void TestKeyboard::tabWalksTheStackingOrder()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    const QList<TGUIRegion*> Regions = Three(f);
    f.Scene()->setFocus();
    Key(f, Qt::Key_Tab);
    QCOMPARE(f.Window->ActiveRegion(), Regions[0]);
    Key(f, Qt::Key_Tab);
    Key(f, Qt::Key_Tab);
    QCOMPARE(f.Window->ActiveRegion(), Regions[2]);
    Key(f, Qt::Key_Tab);
    QCOMPARE(f.Window->ActiveRegion(), Regions[0]);
    Key(f, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(f.Window->ActiveRegion(), Regions[2]);
    QVERIFY(f.Scene()->hasFocus());
}

void TestKeyboard::enterAndDoubleClickOpenProperties()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    const QList<TGUIRegion*> Regions = Three(f);
    Regions[0]->SetFocus();
    QVERIFY(OpensProperties([&] { Key(f, Qt::Key_Return); }));
    QVERIFY(OpensProperties([&] {
        f.Click(120, 40);
        QTest::mouseDClick(f.Viewport(), Qt::LeftButton, Qt::NoModifier, f.At(120, 40));
        f.Release(120, 40);
    }));
    QCOMPARE(f.Window->ActiveRegion(), Regions[1]);
    QCOMPARE(Regions[1]->BoundsRect(), (TRect{100, 10, 160, 70}));
}

void TestKeyboard::polygonToolKeys()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    for (const TPoint& P : {TPoint{10, 10}, TPoint{80, 10}, TPoint{60, 60}})
        f.Click(P.X, P.Y);
    Key(f, Qt::Key_Escape);
    QVERIFY(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points().isEmpty());
    QVERIFY(Find<QAction>(*f.Window, "TBPoly")->isChecked());
    for (const TPoint& P : {TPoint{10, 10}, TPoint{80, 10}, TPoint{60, 60}, TPoint{5, 70}})
        f.Click(P.X, P.Y);
    Key(f, Qt::Key_Backspace);
    QCOMPARE(Find<TPolyOverlay>(*f.Window, "PaintBoxPoly")->Points(),
             (QVector<TPoint>{{10, 10}, {80, 10}, {60, 60}}));
    Key(f, Qt::Key_Return);
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(qobject_cast<TUIPolygon*>(f.Regions().first())->Points(),
             (QVector<TPoint>{{10, 10}, {80, 10}, {60, 60}}));
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
    // Enter with two corners finishes nothing.
    Find<QAction>(*f.Window, "TBPoly")->trigger();
    f.Click(100, 100);
    f.Click(150, 100);
    Key(f, Qt::Key_Enter);
    QCOMPARE(f.Regions().size(), 1);
    QVERIFY(Find<QAction>(*f.Window, "TBPoly")->isChecked());
}

void TestKeyboard::escapeCancelsADrag_data()
{
    QTest::addColumn<QString>("drag");
    QTest::newRow("move") << "move";
    QTest::newRow("corner handle") << "handle";
    QTest::newRow("polygon vertex") << "vertex";
    QTest::newRow("new rectangle") << "rectangle";
}

void TestKeyboard::escapeCancelsADrag()
{
    QFETCH(QString, drag);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    const QList<TGUIRegion*> Regions = Three(f);
    auto* Polygon = qobject_cast<TUIPolygon*>(Regions[2]);
    TPoint From{30, 30};
    if (drag == "handle") {
        Regions[0]->SetFocus();
        From = TPoint{6, 6}; // the top-left handle of (10, 10, 60, 50)
    } else if (drag == "vertex") {
        Polygon->SetFocus();
        From = TPoint{260, 20};
    } else if (drag == "rectangle") {
        Find<QAction>(*f.Window, "TBRect")->trigger();
        From = TPoint{100, 120};
    }
    f.Press(From.X, From.Y);
    f.Move(From.X + 20, From.Y + 15);
    Key(f, Qt::Key_Escape);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    f.Move(From.X + 30, From.Y + 25);
    f.Release(From.X + 30, From.Y + 25);
    QCOMPARE(Regions[0]->BoundsRect(), (TRect{10, 10, 60, 50}));
    QCOMPARE(Polygon->Points(), (QVector<TPoint>{{200, 20}, {260, 20}, {230, 80}}));
    QCOMPARE(f.Regions().size(), 3);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
