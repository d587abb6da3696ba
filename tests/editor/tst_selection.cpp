#include "EditorFixture.h"

#include "MapDocument.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UnitProperties.h"
#include "WindowParts.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QUndoStack>

Q_DECLARE_METATYPE(TRect)
Q_DECLARE_METATYPE(TPoint)

// Several regions at once, one-step stacking and the context menu on the region under the pointer,
// through the real window.
class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    void clickWithShiftOrCtrlAddsAndRemoves_data();
    void clickWithShiftOrCtrlAddsAndRemoves();
    void rubberBandSelectsWhatItTouches_data();
    void rubberBandSelectsWhatItTouches();
    void editsOfTheSelectionAreOneStep_data();
    void editsOfTheSelectionAreOneStep();
    void oneStepStacking_data();
    void oneStepStacking();
    void contextMenuActsOnTheRegionUnderThePointer_data();
    void contextMenuActsOnTheRegionUnderThePointer();

private:
    // A rectangle, a circle and a triangle, bottom to top; their insides.
    static void makeThree(MainWindowFixture& f)
    {
        auto* a = new TUIRectangle(f.Scene());
        a->SetBoundsRect(TRect{10, 10, 60, 60});
        auto* b = new TUICircle(f.Scene());
        b->SetBoundsRect(TRect{100, 10, 160, 70});
        auto* c = new TUIPolygon(f.Scene());
        c->SetPoints({{200, 20}, {260, 20}, {230, 80}});
        f.Window->Document()->Select(-1);
    }
    static constexpr TPoint Inside[] = {{20, 20}, {130, 40}, {230, 30}};
    static QVector<int> selected(MainWindowFixture& f) { return f.Window->Document()->SelectedPositions(); }
    static QStringList areaLines(MainWindowFixture& f)
    {
        f.Window->RefreshHTML();
        QStringList lines;
        for (const QByteArray& line : f.Window->SourceBytes().split('\n'))
            if (line.startsWith("<AREA"))
                lines << QString::fromUtf8(line.trimmed());
        return lines;
    }
    // Whether a selection mark (the highlight colour) shows along the top edge of R on screen.
    static bool marked(MainWindowFixture& f, const TRect& R)
    {
        const QImage shot = f.Viewport()->grab().toImage();
        const QColor mark = f.Window->palette().color(QPalette::Highlight);
        for (int x = R.Left + 2; x < R.Right - 2; ++x)
            for (int dy = -2; dy <= 1; ++dy)
                if (shot.pixelColor(f.At(x, R.Top + dy)) == mark)
                    return true;
        return false;
    }
};

void TestSelection::clickWithShiftOrCtrlAddsAndRemoves_data()
{
    QTest::addColumn<int>("modifier");
    QTest::newRow("shift") << int(Qt::ShiftModifier);
    QTest::newRow("ctrl") << int(Qt::ControlModifier);
}

void TestSelection::clickWithShiftOrCtrlAddsAndRemoves()
{
    QFETCH(int, modifier);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    makeThree(f);
    f.Click(Inside[0].X, Inside[0].Y);
    QTest::mouseClick(f.Viewport(), Qt::LeftButton, Qt::KeyboardModifiers(modifier),
                      f.At(Inside[2].X, Inside[2].Y));
    QCOMPARE(selected(f), (QVector<int>{0, 2}));
    QTRY_VERIFY(marked(f, TRect{10, 10, 60, 60}));
    QTest::mouseClick(f.Viewport(), Qt::LeftButton, Qt::KeyboardModifiers(modifier),
                      f.At(Inside[0].X, Inside[0].Y));
    QCOMPARE(selected(f), (QVector<int>{2}));
    QCOMPARE(f.Window->ActiveRegion(), f.Regions().at(2));
    QTRY_VERIFY(!marked(f, TRect{10, 10, 60, 60}));
    // A plain click leaves one region selected, as always.
    QTest::mouseClick(f.Viewport(), Qt::LeftButton, Qt::KeyboardModifiers(modifier),
                      f.At(Inside[1].X, Inside[1].Y));
    f.Click(Inside[0].X, Inside[0].Y);
    QCOMPARE(selected(f), (QVector<int>{0}));
}

void TestSelection::rubberBandSelectsWhatItTouches_data()
{
    QTest::addColumn<TRect>("band");
    QTest::addColumn<bool>("shift"); // adding to the triangle, selected before
    QTest::addColumn<QVector<int>>("expected");
    QTest::newRow("over two") << TRect{5, 75, 105, 45} << false << QVector<int>{0, 1};
    QTest::newRow("empty picture") << TRect{70, 100, 290, 190} << false << QVector<int>{};
    // The circle's bounds reach into the band, the circle itself does not.
    QTest::newRow("beside a circle") << TRect{155, 62, 180, 90} << false << QVector<int>{};
    QTest::newRow("added with shift") << TRect{5, 75, 105, 45} << true << QVector<int>{0, 1, 2};
    QTest::newRow("backwards") << TRect{290, 75, 55, 15} << false << QVector<int>{0, 1, 2};
}

void TestSelection::rubberBandSelectsWhatItTouches()
{
    QFETCH(TRect, band);
    QFETCH(bool, shift);
    QFETCH(QVector<int>, expected);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    makeThree(f);
    f.Click(Inside[2].X, Inside[2].Y);
    const Qt::KeyboardModifiers m = shift ? Qt::ShiftModifier : Qt::NoModifier;
    QTest::mousePress(f.Viewport(), Qt::LeftButton, m, f.At(band.Left, band.Top));
    QTest::mouseMove(f.Viewport(), f.At((band.Left + band.Right) / 2, (band.Top + band.Bottom) / 2));
    QTest::mouseMove(f.Viewport(), f.At(band.Right, band.Bottom));
    QTest::mouseRelease(f.Viewport(), Qt::LeftButton, m, f.At(band.Right, band.Bottom));
    QCOMPARE(selected(f), expected);
    QVERIFY(f.Scene()->InvertedShapes().isEmpty());
}

void TestSelection::editsOfTheSelectionAreOneStep_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QStringList>("after"); // the Source's area lines, front-most first
    const QString c = QStringLiteral(
        "<AREA shape=POLY href=\"%1\" alt=\"Click Here!\" target=\"\" coords=200,20,260,20,230,80>");
    const QString b =
        QStringLiteral("<AREA shape=CIRCLE href=\"%1\" alt=\"Click Here!\" target=\"\" coords=130,40,30>");
    const QString a =
        QStringLiteral("<AREA shape=RECT href=\"%1\" alt=\"Click Here!\" target=\"\" coords=10,10,60,60>");
    QTest::newRow("mouse move") << "drag"
                                << QStringList{
                                       QString(c).replace("200,20,260,20,230,80", "205,23,265,23,235,83"), b,
                                       QString(a).replace("10,10,60,60", "15,13,65,63")};
    QTest::newRow("arrow key") << "key"
                               << QStringList{
                                      QString(c).replace("200,20,260,20,230,80", "210,20,270,20,240,80"), b,
                                      QString(a).replace("10,10,60,60", "20,10,70,60")};
    QTest::newRow("delete") << "delete" << QStringList{b};
    QTest::newRow("bring to front") << "front" << QStringList{c, a, b};
    QTest::newRow("send to back") << "back" << QStringList{b, c, a};
    QTest::newRow("properties") << "properties" << QStringList{c.arg("x.htm"), b, a.arg("x.htm")};
}

void TestSelection::editsOfTheSelectionAreOneStep()
{
    QFETCH(QString, edit);
    QFETCH(QStringList, after);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    makeThree(f);
    const QString href = f.Regions().at(0)->HRef;
    for (QString& line : after)
        line = line.arg(href);
    f.Click(Inside[0].X, Inside[0].Y);
    QTest::mouseClick(f.Viewport(), Qt::LeftButton, Qt::ShiftModifier, f.At(Inside[2].X, Inside[2].Y));
    const QStringList before = areaLines(f);
    const int steps = f.Window->Document()->UndoStack()->count();
    if (edit == "drag") {
        f.Drag(Inside[2].X, Inside[2].Y, Inside[2].X + 5, Inside[2].Y + 3);
    } else if (edit == "key") {
        QTest::keyClick(f.Scene(), Qt::Key_Right, Qt::ShiftModifier);
    } else if (edit == "delete") {
        QTest::keyClick(f.Scene(), Qt::Key_Delete);
    } else if (edit == "front") {
        Find<QAction>(*f.Window, "TBBringToFront")->trigger();
    } else if (edit == "back") {
        Find<QAction>(*f.Window, "TBSendToBack")->trigger();
    } else if (edit == "properties") {
        TFormProperties* dialog = f.Window->PropertiesDialog();
        QTimer::singleShot(0, dialog, [dialog] {
            dialog->EditHRef->setText(QStringLiteral("x.htm"));
            dialog->accept();
        });
        Find<QAction>(*f.Window, "TBProperties")->trigger();
    }
    QCOMPARE(areaLines(f), after);
    QCOMPARE(f.Window->Document()->UndoStack()->count(), steps + 1);
    // The edit keeps the regions selected; its undo gives back the map and the selection.
    QCOMPARE(f.Window->Document()->SelectedCount(), edit == "delete" ? 0 : 2);
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QCOMPARE(areaLines(f), before);
    QCOMPARE(selected(f), (QVector<int>{0, 2}));
}

void TestSelection::oneStepStacking_data()
{
    QTest::addColumn<QVector<int>>("select");
    QTest::addColumn<int>("key");
    QTest::addColumn<QVector<int>>("order"); // the regions made first, second, third, bottom to top
    QTest::newRow("forward") << QVector<int>{1} << int(Qt::Key_BracketRight) << QVector<int>{0, 2, 1};
    QTest::newRow("backward") << QVector<int>{1} << int(Qt::Key_BracketLeft) << QVector<int>{1, 0, 2};
    QTest::newRow("forward at the top")
        << QVector<int>{2} << int(Qt::Key_BracketRight) << QVector<int>{0, 1, 2};
    QTest::newRow("two forward") << QVector<int>{0, 1} << int(Qt::Key_BracketRight) << QVector<int>{2, 0, 1};
    QTest::newRow("two backward, one at the bottom")
        << QVector<int>{0, 2} << int(Qt::Key_BracketLeft) << QVector<int>{0, 2, 1};
}

void TestSelection::oneStepStacking()
{
    QFETCH(QVector<int>, select);
    QFETCH(int, key);
    QFETCH(QVector<int>, order);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    makeThree(f);
    const QList<TGUIRegion*> made = f.Regions();
    for (int i = 0; i < select.size(); ++i)
        QTest::mouseClick(f.Viewport(), Qt::LeftButton, i ? Qt::ControlModifier : Qt::NoModifier,
                          f.At(Inside[select[i]].X, Inside[select[i]].Y));
    const int steps = f.Window->Document()->UndoStack()->count();
    QTest::keyClick(f.Scene(), Qt::Key(key), Qt::ControlModifier);
    QList<TGUIRegion*> expected;
    for (int i : order)
        expected << made[i];
    QCOMPARE(f.Regions(), expected);
    const bool changed = order != QVector<int>{0, 1, 2};
    QCOMPARE(f.Window->Document()->UndoStack()->count(), steps + (changed ? 1 : 0));
    QCOMPARE(f.Window->Document()->SelectedCount(), int(select.size()));
    if (changed) {
        Find<QAction>(*f.Window, "MIUndo")->trigger();
        QCOMPARE(f.Regions(), made);
    }
}

void TestSelection::contextMenuActsOnTheRegionUnderThePointer_data()
{
    QTest::addColumn<TPoint>("at");
    QTest::addColumn<int>("deleted"); // which of the three Delete takes
    QTest::newRow("on another region") << Inside[2] << 2;
    QTest::newRow("on empty picture") << TPoint{150, 150} << 0;
    QTest::newRow("on the selected one") << Inside[0] << 0;
}

void TestSelection::contextMenuActsOnTheRegionUnderThePointer()
{
    QFETCH(TPoint, at);
    QFETCH(int, deleted);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    makeThree(f);
    QList<TGUIRegion*> left = f.Regions();
    f.Click(Inside[0].X, Inside[0].Y);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, f.At(at.X, at.Y),
                           f.Viewport()->mapToGlobal(f.At(at.X, at.Y)));
    QApplication::sendEvent(f.Viewport(), &menu);
    QTRY_VERIFY(Find<QMenu>(*f.Window, "PopupMenu1")->isVisible());
    QVERIFY(Find<QAction>(*f.Window, "MenuItemDelete")->isEnabled());
    Find<QMenu>(*f.Window, "PopupMenu1")->hide();
    Find<QAction>(*f.Window, "MenuItemDelete")->trigger();
    left.removeAt(deleted);
    QCOMPARE(f.Regions(), left);
}

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
