// The Trace Region tool through the real window: the outline under the pointer, a click that makes
// a polygon region as one step, the clicks that make nothing, and leaving the tool.
#include "EditorFixture.h"
#include "LongTask.h"
#include "MapDocument.h"
#include "RegionCommands.h"
#include "TUIPolygon.h"
#include "TraceTool.h"

#include "TraceAllDialog.h"
#include "WindowParts.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

namespace {

// A white picture with a blue 100 x 80 rectangle at (50, 40) and one black pixel at (250, 150).
QImage tracePicture()
{
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(QRect(50, 40, 100, 80), QColor(20, 60, 200));
    picture.setPixelColor(250, 150, Qt::black);
    return picture;
}

// Whether the toolbar holds the tolerances now (a narrow window shows them in its overflow menu).
bool optionsShown(TFormCorvantaZonequilter& Window)
{
    for (QAction* action : Find<QToolBar>(Window, "TBToolbar")->actions())
        if (Find<QToolBar>(Window, "TBToolbar")->widgetForAction(action) ==
            Find<TTraceOptionsBar>(Window, "TBTraceOptions"))
            return action->isVisible();
    return false;
}

struct TraceFixture : MainWindowFixture
{
    TraceFixture()
    {
        Window->Document()->SetPicture(tracePicture(), QStringLiteral("map.png"));
        // The settings file is the process's: an earlier case's tolerances would stay.
        Find<TTraceOptionsBar>(*Window, "TBTraceOptions")->SetOptions(TTraceOptions());
        Find<QAction>(*Window, "TBTrace")->trigger();
    }
};

} // namespace

class TestTraceTool : public QObject
{
    Q_OBJECT

private slots:
    void fifthToolAfterThePolygonTool();
    void clickMakesPolygonUndoRemovesIt();
    void outlineFollowsThePointer();
    void clicksThatMakeNothing_data();
    void clicksThatMakeNothing();
    void cancelledClickMakesNothing_data();
    void cancelledClickMakesNothing();
    void enclosedAreaGetsARegionInFront();
    void escapeAndOtherToolsLeaveIt();
    void tolerancesAreRemembered();
    void traceAllMakesEveryCellInOneStep();
    void traceAllKeepsEnclosedOutWhenAsked();
    void traceAllRefusesAHugePicture();
};

void TestTraceTool::fifthToolAfterThePolygonTool()
{
    MainWindowFixture f;
    const QList<QAction*> tools = Find<QActionGroup>(*f.Window, "ToolGroup")->actions();
    QCOMPARE(tools.size(), 5);
    QCOMPARE(tools.last(), Find<QAction>(*f.Window, "TBTrace"));
    const QList<QAction*> bar = Find<QToolBar>(*f.Window, "TBToolbar")->actions();
    QCOMPARE(bar.indexOf(Find<QAction>(*f.Window, "TBTrace")),
             bar.indexOf(Find<QAction>(*f.Window, "TBPoly")) + 1);
    QCOMPARE(Find<QAction>(*f.Window, "TBTrace")->toolTip(), QStringLiteral("Trace Region From Picture"));
    QVERIFY(!Find<QAction>(*f.Window, "MITraceRegion")->shortcut().isEmpty());
    // The menu item chooses the tool as the button does.
    Find<QAction>(*f.Window, "MITraceRegion")->trigger();
    QVERIFY(Find<QAction>(*f.Window, "TBTrace")->isChecked());
    QVERIFY(!Find<QAction>(*f.Window, "TBArrow")->isChecked());
    QVERIFY(Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->isVisible());
    QVERIFY(optionsShown(*f.Window));
}

void TestTraceTool::clickMakesPolygonUndoRemovesIt()
{
    TraceFixture f;
    QVERIFY(f.Ready);
    f.Click(100, 80);
    QCOMPARE(f.Regions().size(), 1);
    auto* polygon = qobject_cast<TUIPolygon*>(f.Regions().first());
    QVERIFY(polygon);
    QCOMPARE(f.Window->ActiveRegion(), polygon);
    QCOMPARE(Find<QAction>(*f.Window, "MIUndo")->text(), QStringLiteral("&Undo Trace Region"));
    QVERIFY(f.Window->RefreshHTML());
    QVERIFY2(f.Window->SourceBytes().contains("shape=POLY") &&
                 f.Window->SourceBytes().contains("coords=50,40,50,120,150,120,150,40>"),
             f.Window->SourceBytes().constData());

    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QVERIFY(f.Regions().isEmpty());
    QVERIFY(f.Window->RefreshHTML());
    QVERIFY(!f.Window->SourceBytes().contains("POLY"));
    // Still the tool: the next click traces again.
    QVERIFY(Find<QAction>(*f.Window, "TBTrace")->isChecked());
    f.Click(100, 80);
    QCOMPARE(f.Regions().size(), 1);
}

void TestTraceTool::outlineFollowsThePointer()
{
    TraceFixture f;
    HoverMove(f.Viewport(), f.At(60, 50));
    QCOMPARE(Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->Outline().boundingRect(),
             QRect(50, 40, 101, 81));
    HoverMove(f.Viewport(), f.At(10, 10));
    QCOMPARE(Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->Outline().boundingRect(),
             QRect(0, 0, 301, 201));
    // A change of tolerance shows its outline at once: at 100 the blue joins the white.
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->ColourTolerance->setValue(100);
    QCOMPARE(Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->Outline().boundingRect(),
             QRect(0, 0, 301, 201));
    HoverMove(f.Viewport(), f.At(60, 50));
    QCOMPARE(Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->Outline().boundingRect(),
             QRect(0, 0, 301, 201));
}

void TestTraceTool::clicksThatMakeNothing_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("message");
    // A region reaching beyond the picture widens the scene there.
    QTest::newRow("beyond the picture's edge")
        << QPoint(330, 100) << QStringLiteral("Nothing traced: the point is outside the picture");
    QTest::newRow("one pixel")
        << QPoint(250, 150)
        << QStringLiteral("Nothing traced: the area under the pointer is smaller than the smallest area");
}

void TestTraceTool::clicksThatMakeNothing()
{
    QFETCH(QPoint, point);
    QFETCH(QString, message);
    TraceFixture f;
    f.Window->Document()->Push(
        new TCreateRegionCommand(*f.Window->Document(), MapArea::rectangle(280, 10, 60, 20)));
    Find<QAction>(*f.Window, "TBTrace")->trigger();
    f.Click(point.x(), point.y());
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(f.Window->Document()->UndoStack()->count(), 1);
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel0")->text(), message);
}

void TestTraceTool::cancelledClickMakesNothing_data()
{
    // A click in a vast area runs with a progress dialog; Cancel in either of its tasks.
    QTest::addColumn<QString>("task");
    QTest::newRow("copying the picture") << QStringLiteral("Preparing the picture for tracing...");
    QTest::newRow("tracing") << QStringLiteral("Tracing areas...");
}

void TestTraceTool::cancelledClickMakesNothing()
{
    QFETCH(QString, task);
    TraceFixture f;
    // A picture the tool has not seen yet.
    f.Window->Document()->SetPicture(tracePicture(), QStringLiteral("other.png"));
    bool cancelled = false;
    TLongTask::SetObserver([&](TLongTask& Task, int) {
        if (Task.Dialog()->labelText() == task) {
            cancelled = true;
            Task.Cancel();
        }
    });
    f.Click(100, 80);
    TLongTask::SetObserver({});
    QVERIFY(cancelled);
    QVERIFY(f.Regions().isEmpty());
    QCOMPARE(f.Window->Document()->UndoStack()->count(), 0);
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel0")->text(), QStringLiteral("Tracing cancelled"));
    // The next click traces as before.
    f.Click(100, 80);
    QCOMPARE(f.Regions().size(), 1);
}

void TestTraceTool::enclosedAreaGetsARegionInFront()
{
    TraceFixture f;
    // A blue square round a red one.
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(QRect(40, 30, 120, 120), QColor(20, 60, 200));
    QPainter(&picture).fillRect(QRect(80, 70, 40, 40), Qt::red);
    f.Window->Document()->SetPicture(picture, QStringLiteral("map.png"));
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->KeepEnclosedOut->setChecked(true);
    Find<QAction>(*f.Window, "TBTrace")->trigger();
    HoverMove(f.Viewport(), f.At(50, 40));
    QCOMPARE(Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->Enclosed().size(), 1);
    f.Click(50, 40);
    QCOMPARE(f.Regions().size(), 2);
    QCOMPARE(Find<QAction>(*f.Window, "MIUndo")->text(), QStringLiteral("&Undo Trace Region"));
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel0")->text(),
             QStringLiteral("Region traced; 1 enclosed areas became regions in front of it"));
    // The traced square is selected; the Source, which a browser reads from the top, gives the
    // red square first, so it takes its own points.
    QCOMPARE(f.Window->ActiveRegion(), f.Regions().first());
    QVERIFY(f.Window->RefreshHTML());
    const QByteArray source = f.Window->SourceBytes();
    const qsizetype inner = source.indexOf("coords=80,70,80,110,120,110,120,70>");
    const qsizetype outer = source.indexOf("coords=40,30,40,150,160,150,160,30>");
    QVERIFY2(inner >= 0 && outer > inner, source.constData());
    // One step undoes both.
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QVERIFY(f.Regions().isEmpty());

    // Not asked, the square is one region over both.
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->KeepEnclosedOut->setChecked(false);
    f.Click(50, 40);
    QCOMPARE(f.Regions().size(), 1);
    QVERIFY(Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->Enclosed().isEmpty());
}

void TestTraceTool::escapeAndOtherToolsLeaveIt()
{
    TraceFixture f;
    HoverMove(f.Viewport(), f.At(60, 50));
    QVERIFY(!Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->Outline().isEmpty());
    f.Scene()->setFocus();
    QTest::keyClick(f.Scene(), Qt::Key_Escape);
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());
    QVERIFY(!Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->isVisible());
    QVERIFY(Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->Outline().isEmpty());
    QVERIFY(!optionsShown(*f.Window));
    // Escape without the tool still leaves the selection tool as it is.
    QTest::keyClick(f.Scene(), Qt::Key_Escape);
    QVERIFY(Find<QAction>(*f.Window, "TBArrow")->isChecked());

    // The rectangle tool, chosen after it, draws rectangles as before.
    Find<QAction>(*f.Window, "TBTrace")->trigger();
    Find<QAction>(*f.Window, "TBRect")->trigger();
    QVERIFY(!Find<QAction>(*f.Window, "TBTrace")->isChecked());
    QVERIFY(!Find<TTraceOverlay>(*f.Window, "PaintBoxTrace")->isVisible());
    f.Drag(200, 20, 260, 80);
    QCOMPARE(f.Regions().size(), 1);
    QVERIFY(!qobject_cast<TUIPolygon*>(f.Regions().first()));
}

void TestTraceTool::tolerancesAreRemembered()
{
    TraceFixture f;
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->ColourTolerance->setValue(40);
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->Smoothness->setValue(2.5);
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->SmallestArea->setValue(123);
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->KeepEnclosedOut->setChecked(true);
    // The next window's bar reads them from the settings file.
    TTraceOptionsBar next;
    QCOMPARE(next.ColourTolerance->value(), 40);
    QCOMPARE(next.Smoothness->value(), 2.5);
    QCOMPARE(next.SmallestArea->value(), 123);
    QVERIFY(next.KeepEnclosedOut->isChecked());
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->KeepEnclosedOut->setChecked(false);
    QVERIFY(!TTraceOptionsBar().KeepEnclosedOut->isChecked());
}

void TestTraceTool::traceAllMakesEveryCellInOneStep()
{
    MainWindowFixture f(300, 200);
    // Three by two cells bounded by 2-pixel black lines.
    QImage map(300, 200, QImage::Format_RGB32);
    map.fill(QColor(240, 230, 180));
    {
        QPainter painter(&map);
        painter.setPen(QPen(Qt::black, 2));
        for (int x : {1, 100, 200, 298})
            painter.drawLine(x, 0, x, 199);
        for (int y : {1, 100, 198})
            painter.drawLine(0, y, 299, y);
    }
    f.Window->Document()->SetPicture(map, QStringLiteral("map.png"));
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->SetOptions(TTraceOptions());
    QString found;
    QTimer::singleShot(0, f.Window.get(), [&found] {
        auto* dialog = qobject_cast<TTraceAllDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        found = dialog->Found->text();
        dialog->Buttons->button(QDialogButtonBox::Ok)->click();
    });
    Find<QAction>(*f.Window, "MITraceAll")->trigger();
    QCOMPARE(found, QStringLiteral("6 areas found"));
    QCOMPARE(f.Regions().size(), 6);
    QCOMPARE(Find<QAction>(*f.Window, "MIUndo")->text(), QStringLiteral("&Undo Trace All Regions"));
    QVERIFY(f.Window->RefreshHTML());
    // Reading order: the top left cell at the bottom of the stack, so the Source, which starts at
    // the top, ends with it; each cell reaches to the middle of the lines round it.
    const QByteArray source = f.Window->SourceBytes();
    const qsizetype topLeft = source.lastIndexOf("coords=1,1,1,100,100,100,100,1>");
    QVERIFY2(topLeft > source.lastIndexOf("coords=200,1,200,100,298,100,298,1>"), source.constData());
    QVERIFY(source.lastIndexOf("coords=200,1,") > source.lastIndexOf("coords=1,100,"));
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QVERIFY(f.Regions().isEmpty());
}

void TestTraceTool::traceAllKeepsEnclosedOutWhenAsked()
{
    MainWindowFixture f(300, 200);
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(QRect(40, 30, 120, 120), QColor(20, 60, 200));
    QPainter(&picture).fillRect(QRect(80, 70, 40, 40), Qt::red);
    f.Window->Document()->SetPicture(picture, QStringLiteral("map.png"));
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->SetOptions(TTraceOptions());
    QStringList found;
    QTimer::singleShot(0, f.Window.get(), [&found] {
        auto* dialog = qobject_cast<TTraceAllDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        TColourRange blue;
        blue.Low = blue.High = QColor(20, 60, 200);
        blue.RangeIsBorder = false;
        dialog->SetRange(blue);
        dialog->FindAreas->click();
        found << dialog->Found->text();
        dialog->KeepEnclosedOut->click();
        found << dialog->Found->text();
        dialog->Buttons->button(QDialogButtonBox::Ok)->click();
    });
    Find<QAction>(*f.Window, "MITraceAll")->trigger();
    QCOMPARE(found, QStringList({QStringLiteral("1 areas found"), QStringLiteral("2 areas found")}));
    QCOMPARE(f.Regions().size(), 2);
    QVERIFY(f.Window->RefreshHTML());
    const QByteArray source = f.Window->SourceBytes();
    const qsizetype inner = source.indexOf("coords=80,70,80,110,120,110,120,70>");
    QVERIFY2(inner >= 0 && source.indexOf("coords=40,30,40,150,160,150,160,30>") > inner, source.constData());
    // The tool keeps the choice.
    QVERIFY(Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->KeepEnclosedOut->isChecked());
    Find<TTraceOptionsBar>(*f.Window, "TBTraceOptions")->KeepEnclosedOut->setChecked(false);
}

void TestTraceTool::traceAllRefusesAHugePicture()
{
    MainWindowFixture f;
    QImage huge(20000, 20000, QImage::Format_Mono);
    huge.fill(0);
    f.Window->Document()->SetPicture(huge, QStringLiteral("huge.png"));
    QString shown;
    QTimer::singleShot(0, f.Window.get(), [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->text();
        box->accept();
    });
    Find<QAction>(*f.Window, "MITraceAll")->trigger();
    QCOMPARE(shown, QStringLiteral("The picture is too large to trace (20000 x 20000 pixels)"));
    QVERIFY(f.Regions().isEmpty());
    // Choosing the tool, and a click with it, say the same in the status bar.
    Find<QAction>(*f.Window, "TBTrace")->trigger();
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel0")->text(), shown);
    Find<QLabel>(*f.Window, "StatusPanel0")->clear();
    f.Click(10, 10);
    QCOMPARE(Find<QLabel>(*f.Window, "StatusPanel0")->text(), shown);
}

QTEST_MAIN(TestTraceTool)
#include "tst_tracetool.moc"
