// Editing aids through the real main window: snapping, Map Properties, the undo history, the Regions
// dock's editing, handles at high zoom, and what of it is remembered across a restart.
#include "EditorFixture.h"

#include "MapDocument.h"
#include "MapPropertiesDialog.h"
#include "RegionCommands.h"
#include "RegionListDock.h"
#include "SettingsFile.h"
#include "SharedDialogs.h"
#include "TGrabHandle.h"
#include "TSizeFrame.h"
#include "TUIRectangle.h"
#include "UnitProperties.h"
#include "WindowParts.h"

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QUndoView>
#include <QtTest>
#include <functional>

Q_DECLARE_METATYPE(MapArea)

namespace {

QString Source(MainWindowFixture& f)
{
    if (!f.Window->RefreshHTML())
        return QString();
    return QString::fromUtf8(f.Window->SourceBytes());
}

QAction* Action(MainWindowFixture& f, const char* Name)
{
    return f.Window->findChild<QAction*>(QString::fromLatin1(Name));
}

// A left drag with Modifiers held throughout.
void DragWith(MainWindowFixture& f, QPoint From, QPoint To, Qt::KeyboardModifiers Modifiers)
{
    QTest::mousePress(f.Viewport(), Qt::LeftButton, Modifiers, From);
    QMouseEvent move(QEvent::MouseMove, QPointF(To), QPointF(f.Viewport()->mapToGlobal(To)), Qt::NoButton,
                     Qt::LeftButton, Modifiers);
    QApplication::sendEvent(f.Viewport(), &move);
    QTest::mouseRelease(f.Viewport(), Qt::LeftButton, Modifiers, To);
}

// Acts on the modal dialog of type T as soon as it shows.
template <typename T> void WhenShown(const std::function<void(T&)>& Act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, Act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            Act(*dialog);
        }
    });
    timer->start();
}

// Where a handle shows in the viewport: it keeps its size on screen at any zoom.
QRect OnScreen(MainWindowFixture& f, const QGraphicsItem* Item)
{
    return Item->deviceTransform(f.Scene()->viewportTransform())
        .mapRect(Item->boundingRect())
        .toAlignedRect();
}

void Place(MainWindowFixture& f, const MapArea& Area)
{
    f.Window->Document()->Push(new TCreateRegionCommand(*f.Window->Document(), Area));
}

} // namespace

class TestMapEditing : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FSettings = std::make_unique<QTemporaryDir>();
        SetSettingsFileName(FSettings->filePath(QStringLiteral("Settings.ini")));
    }
    void cleanup() { SetSettingsFileName(QString()); }

    void dragsSnap_data();
    void dragsSnap();
    void keysSnap_data();
    void keysSnap();
    void snapAndDocksAreRemembered();
    void mapPropertiesAreOneStepAndWritten_data();
    void mapPropertiesAreOneStepAndWritten();
    void undoHistoryJumpsToAnyStep();
    void regionsDockEditsInPlace_data();
    void regionsDockEditsInPlace();
    void regionsDockDoubleClickOpensProperties();
    void handlesSitBesideTheCornerOnScreen_data();
    void handlesSitBesideTheCornerOnScreen();
    void handlesTakeEdgesToThePictureEdge_data();
    void handlesTakeEdgesToThePictureEdge();

private:
    std::unique_ptr<QTemporaryDir> FSettings;
};

void TestMapEditing::dragsSnap_data()
{
    QTest::addColumn<QStringList>("snaps");
    QTest::addColumn<bool>("move"); // move the region at (200, 100, 240, 140) rather than draw
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("alt");
    QTest::addColumn<QString>("coords");
    // A region at (100, 100, 150, 150) to snap to.
    QTest::newRow("off by default") << QStringList{} << false << QPoint(13, 17) << QPoint(58, 62) << false
                                    << "13,17,58,62";
    QTest::newRow("grid") << QStringList{"MISnapGrid"} << false << QPoint(13, 17) << QPoint(58, 62) << false
                          << "10,20,60,60";
    QTest::newRow("grid, Alt held") << QStringList{"MISnapGrid"} << false << QPoint(13, 17) << QPoint(58, 62)
                                    << true << "13,17,58,62";
    QTest::newRow("picture edges") << QStringList{"MISnapPicture"} << false << QPoint(3, 4) << QPoint(50, 196)
                                   << false << "0,0,50,200";
    QTest::newRow("region corner") << QStringList{"MISnapRegions"} << false << QPoint(154, 97)
                                   << QPoint(190, 130) << false << "150,100,190,130";
    QTest::newRow("polygon corners on the grid")
        << QStringList{"MISnapGrid", "poly"} << false << QPoint(13, 17) << QPoint(58, 62) << false
        << "10,20,60,20,60,60";
    QTest::newRow("moved beside a region") << QStringList{"MISnapRegions"} << true << QPoint(210, 110)
                                           << QPoint(163, 113) << false << "150,100,190,140";
    QTest::newRow("moved, Alt held") << QStringList{"MISnapRegions"} << true << QPoint(210, 110)
                                     << QPoint(163, 113) << true << "153,103,193,143";
}

void TestMapEditing::dragsSnap()
{
    QFETCH(QStringList, snaps);
    QFETCH(bool, move);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, alt);
    QFETCH(QString, coords);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Place(f, MapArea::rectangle(100, 100, 50, 50));
    if (move)
        Place(f, MapArea::rectangle(200, 100, 40, 40));
    const bool polygon = snaps.removeAll("poly") > 0;
    for (const QString& name : snaps)
        Action(f, name.toLatin1().constData())->setChecked(true);
    if (polygon) {
        // Three corners: from, (to.x, from.y), to; a click on the first closes it.
        Find<QAction>(*f.Window, "TBPoly")->trigger();
        for (const QPoint& p : {from, QPoint(to.x(), from.y()), to, from})
            f.Click(p.x(), p.y());
    } else {
        if (!move)
            Find<QAction>(*f.Window, "TBRect")->trigger();
        DragWith(f, f.At(from.x(), from.y()), f.At(to.x(), to.y()), alt ? Qt::AltModifier : Qt::NoModifier);
    }
    const QString source = Source(f);
    QVERIFY2(source.contains(QStringLiteral("coords=") + coords), qPrintable(source));
    // A snap to an edge shows where it went.
    if (!alt && (snaps.contains("MISnapPicture") || snaps.contains("MISnapRegions")))
        QVERIFY(!f.Scene()->Guides().isEmpty());
    QTRY_VERIFY(f.Scene()->Guides().isEmpty());
}

void TestMapEditing::keysSnap_data()
{
    QTest::addColumn<QStringList>("snaps");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("coords");
    // The region moved is at (13, 15, 63, 55); a region at (100, 100, 150, 150) beside it.
    QTest::newRow("off") << QStringList{} << int(Qt::Key_Right) << Qt::KeyboardModifiers() << "14,15,64,55";
    QTest::newRow("grid, to the next line") << QStringList{"MISnapGrid"} << int(Qt::Key_Right)
                                            << Qt::KeyboardModifiers() << "20,15,70,55";
    QTest::newRow("grid, Shift's step then the line") << QStringList{"MISnapGrid"} << int(Qt::Key_Down)
                                                      << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                                      << "13,30,63,70";
    QTest::newRow("grid, backwards") << QStringList{"MISnapGrid"} << int(Qt::Key_Left)
                                     << Qt::KeyboardModifiers() << "10,15,60,55";
    QTest::newRow("picture edge") << QStringList{"MISnapPicture"} << int(Qt::Key_Up)
                                  << Qt::KeyboardModifiers(Qt::ShiftModifier) << "13,0,63,40";
}

// An arrow key snaps as a drag does: the region goes on to the next place the snapping takes it.
void TestMapEditing::keysSnap()
{
    QFETCH(QStringList, snaps);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, coords);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Place(f, MapArea::rectangle(100, 100, 50, 50));
    Place(f, MapArea::rectangle(13, 15, 50, 40));
    for (const QString& name : snaps)
        Action(f, name.toLatin1().constData())->setChecked(true);
    f.Scene()->setFocus();
    QTest::keyClick(f.Scene(), Qt::Key(key), modifiers);
    const QString source = Source(f);
    QVERIFY2(source.contains(QStringLiteral("coords=") + coords), qPrintable(source));
    // One step, undone as one.
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QVERIFY(Source(f).contains(QStringLiteral("coords=13,15,63,55")));
}

void TestMapEditing::snapAndDocksAreRemembered()
{
    {
        MainWindowFixture f;
        QVERIFY(f.Ready);
        QVERIFY(!Action(f, "MISnapGrid")->isChecked());
        WhenShown<QInputDialog>([](QInputDialog& d) {
            d.setIntValue(25);
            d.accept();
        });
        Action(f, "MIGridSize")->trigger();
        Action(f, "MISnapRegions")->setChecked(true);
        Action(f, "MIRegionList")->trigger();
        Action(f, "MIUndoHistory")->trigger();
        // The window closes before it is destroyed, as at exit.
        f.Window->hide();
    }
    QFile ini(FSettings->filePath(QStringLiteral("Settings.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    for (const char* line : {"SnapToGrid=1", "GridSize=25", "SnapToPicture=0", "SnapToRegions=1",
                             "RegionList=1", "UndoHistory=1"})
        QVERIFY2(text.contains(line), line);
    MainWindowFixture again;
    QVERIFY(again.Ready);
    QVERIFY(Action(again, "MISnapGrid")->isChecked());
    QVERIFY(!Action(again, "MISnapPicture")->isChecked());
    QVERIFY(Action(again, "MISnapRegions")->isChecked());
    QVERIFY(again.Window->findChild<QDockWidget*>("DockRegions")->isVisible());
    QVERIFY(again.Window->findChild<QDockWidget*>("DockUndoHistory")->isVisible());
    // The grid of 25 is the one snapped to.
    Find<QAction>(*again.Window, "TBRect")->trigger();
    again.Drag(27, 23, 73, 52);
    QVERIFY(Source(again).contains("coords=25,25,75,50"));
}

void TestMapEditing::mapPropertiesAreOneStepAndWritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("relative");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("step");
    QTest::newRow("renamed") << "shop" << false
                             << QStringList{"name=\"shop\"", "usemap=\"#shop\"", "src=\"%1/pics/p.png\"",
                                            "href=\"%1/links/a.htm\""}
                             << "Rename Map";
    QTest::newRow("relative paths") << "" << true
                                    << QStringList{"src=\"../pics/p.png\"", "href=\"../links/a.htm\""}
                                    << "Change Map Properties";
}

void TestMapEditing::mapPropertiesAreOneStepAndWritten()
{
    QFETCH(QString, name);
    QFETCH(bool, relative);
    QFETCH(QStringList, written);
    QFETCH(QString, step);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("site"));
    const QString page = dir.filePath("site/page.htm");
    MainWindowFixture f;
    QVERIFY(f.Ready);
    TMapDocument* document = f.Window->Document();
    document->SetPicture(document->Picture(), dir.filePath("pics/p.png"));
    document->SetFileName(page, page);
    Place(f, MapArea::rectangle(10, 10, 40, 40));
    const QString oldName = document->MapName();
    const int steps = document->UndoStack()->count();
    WhenShown<TFormMapProperties>([&](TFormMapProperties& d) {
        if (!name.isEmpty())
            d.EditMapName->setText(name);
        if (relative)
            d.RadioRelative->setChecked(true);
        d.accept();
    });
    Action(f, "MIMapProperties")->trigger();
    QCOMPARE(document->UndoStack()->count(), steps + 1);
    QCOMPARE(document->UndoStack()->undoText(), step);
    // A link chosen with "..." in the region's properties.
    QVERIFY(QDir(dir.path()).mkpath("links"));
    QFile link(dir.filePath("links/a.htm"));
    QVERIFY(link.open(QIODevice::WriteOnly));
    link.close();
    const DialogRunner previous = SetDialogRunner([&](QFileDialog& d) {
        d.selectFile(link.fileName());
        return true;
    });
    WhenShown<TFormProperties>([](TFormProperties& d) {
        QTest::mouseClick(d.ButtonHRef, Qt::LeftButton);
        QTest::mouseClick(d.ButtonOk, Qt::LeftButton);
    });
    Find<QAction>(*f.Window, "TBProperties")->trigger();
    SetDialogRunner(previous);
    QVERIFY(InvokeBool(*f.Window, "MISaveClick"));
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString& expected : written)
        QVERIFY2(text.contains(QString(expected).replace("%1", dir.path()), Qt::CaseInsensitive),
                 qPrintable(text));
    // One undo takes the map's properties back.
    document->UndoStack()->undo();
    document->UndoStack()->undo();
    QCOMPARE(document->MapName(), oldName);
    QVERIFY(!document->RelativePaths());
}

void TestMapEditing::undoHistoryJumpsToAnyStep()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    for (int i = 0; i < 3; ++i)
        Place(f, MapArea::rectangle(10 + 60 * i, 10, 40, 40));
    Action(f, "MIUndoHistory")->trigger();
    auto* view = f.Window->findChild<QUndoView*>("ListUndoHistory");
    QVERIFY(view && view->isVisible());
    QCOMPARE(view->model()->rowCount(), 4); // the empty document and three steps
    const auto clickRow = [view](int Row) {
        const QRect rect = view->visualRect(view->model()->index(Row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    };
    clickRow(1);
    QCOMPARE(f.Regions().size(), 1);
    QCOMPARE(Source(f).count("<area", Qt::CaseInsensitive), 1);
    clickRow(3);
    QCOMPARE(f.Regions().size(), 3);
    clickRow(0);
    QCOMPARE(f.Regions().size(), 0);
}

void TestMapEditing::regionsDockEditsInPlace_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("step");
    QTest::newRow("link") << 1 << "href=\"typed.htm\""
                          << "Edit Link";
    QTest::newRow("alternate text") << 2 << "alt=\"typed.htm\""
                                    << "Edit Alternate Text";
}

void TestMapEditing::regionsDockEditsInPlace()
{
    QFETCH(int, column);
    QFETCH(QString, written);
    QFETCH(QString, step);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Place(f, MapArea::rectangle(10, 10, 40, 40));
    Place(f, MapArea::rectangle(100, 10, 40, 40));
    Action(f, "MIRegionList")->trigger();
    QTableView* list = Find<TRegionListDock>(*f.Window, "DockRegions")->List();
    // The list follows the scene's changes once they are posted.
    QTRY_VERIFY(list->visualRect(list->model()->index(1, 0)).isValid());
    const QString before = Source(f);
    const int steps = f.Window->Document()->UndoStack()->count();
    // The second row is the bottom region.
    list->setFocus();
    list->setCurrentIndex(list->model()->index(1, column));
    QTest::keyClick(list, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "typed.htm");
    QTest::keyClick(editor, Qt::Key_Return);
    // The view hands the text over once the key is done with.
    QTRY_COMPARE(f.Window->Document()->UndoStack()->count(), steps + 1);
    QCOMPARE(f.Window->Document()->UndoStack()->undoText(), step);
    const QString after = Source(f);
    QCOMPARE(after.count(written), 1);
    QVERIFY(after.indexOf(written) > after.indexOf("coords=100,10,140,50"));
    f.Window->Document()->UndoStack()->undo();
    QCOMPARE(Source(f), before);
}

void TestMapEditing::regionsDockDoubleClickOpensProperties()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Place(f, MapArea::rectangle(10, 10, 40, 40));
    Place(f, MapArea::rectangle(100, 10, 40, 40));
    Action(f, "MIRegionList")->trigger();
    QTableView* list = Find<TRegionListDock>(*f.Window, "DockRegions")->List();
    // The list follows the scene's changes once they are posted.
    QTRY_VERIFY(list->visualRect(list->model()->index(1, 0)).isValid());
    QString shownLink;
    WhenShown<TFormProperties>([&](TFormProperties& d) {
        shownLink = d.EditHRef->text();
        d.reject();
    });
    f.Window->ActiveRegion()->HRef = QStringLiteral("top.htm");
    const QRect cell = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTRY_COMPARE(shownLink, QStringLiteral("top.htm"));
}

void TestMapEditing::handlesSitBesideTheCornerOnScreen_data()
{
    QTest::addColumn<double>("zoom");
    for (double zoom : {0.5, 1.0, 2.0, 4.0, 16.0, 32.0})
        QTest::newRow(qPrintable(QStringLiteral("%1 %").arg(zoom * 100))) << zoom;
}

void TestMapEditing::handlesSitBesideTheCornerOnScreen()
{
    QFETCH(double, zoom);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Place(f, MapArea::rectangle(100, 60, 20, 10));
    f.Scene()->SetZoom(zoom);
    f.Scene()->centerOn(QPointF(110, 65));
    auto* rectangle = qobject_cast<TUIRectangle*>(f.Window->ActiveRegion());
    QVERIFY(rectangle);
    const QList<TGrabHandle*>& handles = rectangle->SizeFrame()->Handles();
    // Where the outline's corners are on screen: the top-left of pixel (100, 60) and the far side of
    // pixel (119, 69).
    const QPoint topLeft = f.Scene()->mapFromScene(QPointF(100, 60));
    const QPoint bottomRight = f.Scene()->mapFromScene(QPointF(120, 70));
    // 7 x 7, touching the corner from outside, at every zoom.
    const QPoint expected[] = {topLeft + QPoint(-4, -4), QPoint(bottomRight.x() + 3, topLeft.y() - 4),
                               bottomRight + QPoint(3, 3), QPoint(topLeft.x() - 4, bottomRight.y() + 3)};
    for (int i = 0; i < 4; ++i) {
        const QRect shown = OnScreen(f, handles[i]);
        QVERIFY2((shown.center() - expected[i]).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("handle %1 at %2,%3, expected %4,%5")
                                .arg(i)
                                .arg(shown.center().x())
                                .arg(shown.center().y())
                                .arg(expected[i].x())
                                .arg(expected[i].y())));
        QVERIFY(shown.width() <= 9 && shown.height() <= 9);
        QCOMPARE(f.Scene()->ControlAt(expected[i]), handles[i]);
    }
}

void TestMapEditing::handlesTakeEdgesToThePictureEdge_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("handle");
    QTest::addColumn<QString>("coords");
    for (double zoom : {1.0, 4.0}) {
        const QString at = QStringLiteral("%1 %, ").arg(zoom * 100);
        QTest::newRow(qPrintable(at + "top-left")) << zoom << 0 << "0,0,60,70";
        QTest::newRow(qPrintable(at + "bottom-right")) << zoom << 2 << "10,20,300,200";
    }
}

void TestMapEditing::handlesTakeEdgesToThePictureEdge()
{
    QFETCH(double, zoom);
    QFETCH(int, handle);
    QFETCH(QString, coords);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Place(f, MapArea::rectangle(10, 20, 50, 50));
    f.Scene()->SetZoom(zoom);
    f.Scene()->centerOn(QPointF(handle == 0 ? 10 : 60, handle == 0 ? 20 : 70));
    TGrabHandle* grab = qobject_cast<TUIRectangle*>(f.Window->ActiveRegion())->SizeFrame()->Handles()[handle];
    const QPoint from = OnScreen(f, grab).center();
    // Far beyond the picture's corner: the pointer is held at the picture.
    const QPoint beyond = handle == 0 ? from - QPoint(400, 400) : from + QPoint(1400, 1400);
    DragWith(f, from, beyond, Qt::NoModifier);
    const QString source = Source(f);
    QVERIFY2(source.contains("coords=" + coords), qPrintable(source));
}

QTEST_MAIN(TestMapEditing)
#include "tst_mapediting.moc"
