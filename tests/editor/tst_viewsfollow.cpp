// Every view shows the document as it is after every step, undo and redo, whichever tab is shown:
// the handles on the scene, the Source, the status bar and the selection.
#include "EditorFixture.h"

#include "MapDocument.h"
#include "RegionCommands.h"
#include "TGrabHandle.h"
#include "TSizeFrame.h"
#include "TUIRectangle.h"
#include "UnitProperties.h"
#include "WindowParts.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>
#include <Qsci/qsciscintilla.h>

class TestViewsFollow : public QObject
{
    Q_OBJECT

private slots:
    void rectangleHandlesFollowItsBounds_data();
    void rectangleHandlesFollowItsBounds();
    void sourceFollowsUndoAndRedo_data();
    void sourceFollowsUndoAndRedo();
    void pressAroundThePictureDeselects();
    void pointerPositionLeavesWithThePointer();

private:
    // A region of Area's kind and geometry, selected, with no step in the history.
    static TGUIRegion* Place(MainWindowFixture& f, const MapArea& Area)
    {
        f.Window->Document()->Push(new TCreateRegionCommand(*f.Window->Document(), Area));
        f.Window->Document()->UndoStack()->clear();
        return f.Window->ActiveRegion();
    }
    // Types Left and Right into the selected region's properties and presses OK.
    static void TypeLeftRight(MainWindowFixture& f, int Left, int Right)
    {
        TFormProperties* dialog = f.Window->PropertiesDialog();
        QTimer::singleShot(0, dialog, [dialog, Left, Right] {
            for (const auto& [edit, value] :
                 {std::pair{dialog->EditLeft, Left}, std::pair{dialog->EditRight, Right}}) {
                edit->selectAll();
                QTest::keyClicks(edit, QString::number(value));
            }
            QTest::mouseClick(dialog->ButtonOk, Qt::LeftButton);
        });
        Find<QAction>(*f.Window, "TBProperties")->trigger();
    }
    // Where the rectangle's handles are on the screen, in their order.
    static QList<QPoint> HandlesOnScreen(MainWindowFixture& f, TUIRectangle* Rectangle)
    {
        QList<QPoint> shown;
        if (!Rectangle->HasSizeFrame())
            return shown;
        for (TGrabHandle* handle : Rectangle->SizeFrame()->Handles())
            if (handle->isVisible())
                shown.append(f.Viewport()->mapToGlobal(f.At(HandleCentreX(handle), HandleCentreY(handle))));
        return shown;
    }
    // Where the handles of a rectangle with the region's bounds belong on the screen.
    static QList<QPoint> HandlesAround(MainWindowFixture& f, const TRect& Bounds)
    {
        QList<QPoint> expected;
        for (int i = 0; i < 8; ++i) {
            const TPoint centre = TSizeFrame::HandleCentreFor(i, Bounds);
            expected.append(f.Viewport()->mapToGlobal(f.At(centre.X, centre.Y)));
        }
        return expected;
    }
};

void TestViewsFollow::rectangleHandlesFollowItsBounds_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("left");
    QTest::newRow("Properties OK") << "OK" << 100;
    QTest::newRow("Undo") << "Undo" << 40;
    QTest::newRow("Redo") << "Redo" << 100;
}

void TestViewsFollow::rectangleHandlesFollowItsBounds()
{
    QFETCH(QString, last);
    QFETCH(int, left);
    MainWindowFixture f(300, 200);
    QVERIFY(f.Ready);
    auto* rectangle = qobject_cast<TUIRectangle*>(Place(f, MapArea::rectangle(40, 40, 60, 50)));
    QVERIFY(rectangle);
    QCOMPARE(HandlesOnScreen(f, rectangle), HandlesAround(f, rectangle->BoundsRect()));
    // Selected anew before each undo and redo, the handles start from the bounds shown before it.
    const auto reselect = [&] {
        f.Click(250, 150);
        QCOMPARE(f.Window->ActiveRegion(), nullptr);
        f.Click(rectangle->BoundsRect().Left + 5, 60);
    };
    TypeLeftRight(f, 100, 180);
    if (last != QLatin1String("OK")) {
        reselect();
        Find<QAction>(*f.Window, "MIUndo")->trigger();
    }
    if (last == QLatin1String("Redo")) {
        reselect();
        Find<QAction>(*f.Window, "MIRedo")->trigger();
    }
    QCOMPARE(f.Window->ActiveRegion(), rectangle);
    QCOMPARE(rectangle->BoundsRect().Left, left);
    QCOMPARE(HandlesOnScreen(f, rectangle), HandlesAround(f, rectangle->BoundsRect()));

    // The left edge goes where the pointer drops its handle (the handle lies 4 pixels outside).
    const TGrabHandle* leftHandle = rectangle->SizeFrame()->Handles().at(7);
    const QPoint handle = f.At(HandleCentreX(leftHandle), HandleCentreY(leftHandle));
    const int right = rectangle->BoundsRect().Right;
    QTest::mousePress(f.Viewport(), Qt::LeftButton, Qt::NoModifier, handle);
    f.Move(30, 60);
    f.Move(11, 60);
    f.Release(11, 60);
    QVERIFY2(qAbs(rectangle->BoundsRect().Left - 11) <= 4,
             qPrintable(QString::number(rectangle->BoundsRect().Left)));
    QCOMPARE(rectangle->BoundsRect().Right, right);
    QCOMPARE(HandlesOnScreen(f, rectangle), HandlesAround(f, rectangle->BoundsRect()));
}

void TestViewsFollow::sourceFollowsUndoAndRedo_data()
{
    QTest::addColumn<bool>("replaceLine");
    QTest::newRow("new region: lines come and go") << false;
    QTest::newRow("changed region: its line is rewritten") << true;
}

void TestViewsFollow::sourceFollowsUndoAndRedo()
{
    QFETCH(bool, replaceLine);
    MainWindowFixture f(300, 200);
    QVERIFY(f.Ready);
    TFormCorvantaZonequilter& w = *f.Window;
    Place(f, MapArea::rectangle(10, 10, 30, 30));
    const int source = Find<QTabWidget>(w, "PageControl")->indexOf(Find<QWidget>(w, "TabSheetSource"));
    const int edit = Find<QTabWidget>(w, "PageControl")->indexOf(Find<QWidget>(w, "TabSheetEdit"));
    w.SelectPageByUser(source);
    const QString before = Find<QsciScintilla>(w, "SynEdit")->text();
    QVERIFY(before.contains(QStringLiteral("10,10,40,40")));
    w.SelectPageByUser(edit);
    if (replaceLine)
        TypeLeftRight(f, 20, 90);
    else
        w.Document()->Push(new TCreateRegionCommand(*w.Document(), MapArea::circle(100, 100, 40, 40)));
    w.SelectPageByUser(source);
    const QString after = Find<QsciScintilla>(w, "SynEdit")->text();
    QVERIFY(after != before);

    // Undo and Redo pressed on the Source tab: what the user copies is the document's text.
    Find<QAction>(w, "MIUndo")->trigger();
    QTRY_COMPARE(Find<QsciScintilla>(w, "SynEdit")->text(), before);
    Find<QAction>(w, "MIRedo")->trigger();
    QTRY_COMPARE(Find<QsciScintilla>(w, "SynEdit")->text(), after);
    QCOMPARE(Find<QTabWidget>(w, "PageControl")->currentWidget(), Find<QWidget>(w, "TabSheetSource"));
}

void TestViewsFollow::pressAroundThePictureDeselects()
{
    MainWindowFixture f(100, 80);
    QVERIFY(f.Ready);
    Place(f, MapArea::circle(20, 20, 40, 40));
    QVERIFY(f.Window->ActiveRegion());
    const QPoint around = f.At(100, 80) + QPoint(20, 20);
    QVERIFY(f.Viewport()->rect().contains(around));
    QTest::mouseClick(f.Viewport(), Qt::LeftButton, Qt::NoModifier, around);
    QCOMPARE(f.Window->ActiveRegion(), nullptr);
    QVERIFY(!Find<QAction>(*f.Window, "TBDelete")->isEnabled());
    // Delete then has nothing to remove.
    QTest::keyClick(f.Scene(), Qt::Key_Delete);
    QCOMPARE(f.Regions().size(), 1);
}

void TestViewsFollow::pointerPositionLeavesWithThePointer()
{
    MainWindowFixture f(100, 80);
    QVERIFY(f.Ready);
    TFormCorvantaZonequilter& w = *f.Window;
    const auto hover = [&] {
        HoverMove(f.Viewport(), f.At(30, 25));
        QCOMPARE(Find<QLabel>(w, "StatusPanel1")->text(), QStringLiteral("30 x 25"));
    };
    hover();
    // Over the area around the picture.
    HoverMove(f.Viewport(), f.At(100, 80) + QPoint(20, 20));
    QCOMPARE(Find<QLabel>(w, "StatusPanel1")->text(), QString());
    hover();
    // Out of the view.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.Viewport(), &leave);
    QCOMPARE(Find<QLabel>(w, "StatusPanel1")->text(), QString());
    hover();
    // To another tab.
    w.SelectPageByUser(Find<QTabWidget>(w, "PageControl")->indexOf(Find<QWidget>(w, "TabSheetSource")));
    QCOMPARE(Find<QLabel>(w, "StatusPanel1")->text(), QString());
}

QTEST_MAIN(TestViewsFollow)
#include "tst_viewsfollow.moc"
