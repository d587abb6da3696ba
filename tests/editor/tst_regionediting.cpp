// Typed coordinates in the properties dialog and a polygon's corners added and taken away, through
// the real main window.
#include "EditorFixture.h"

#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "RegionCommands.h"
#include "SettingsFile.h"
#include "TUIPolygon.h"
#include "Translation.h"
#include "UnitProperties.h"
#include "WindowParts.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

Q_DECLARE_METATYPE(MapArea)

namespace {

// Typed texts for the dialog's fields: object name, then what is typed over its text.
using Typing = QList<QPair<QString, QString>>;

const MapArea square = MapArea::polygon({{40, 40}, {140, 40}, {140, 120}, {40, 120}});

// Shows message boxes nowhere and keeps their texts.
class MessageRecorder
{
public:
    MessageRecorder()
    {
        FPrevious = SetMessageBoxRunner([this](QMessageBox& box) {
            Texts.append(box.text());
            return QMessageBox::Ok;
        });
    }
    ~MessageRecorder() { SetMessageBoxRunner(FPrevious); }
    QStringList Texts;

private:
    MessageBoxRunner FPrevious;
};

void typeInto(QWidget* field, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->setFocus();
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        QTest::keyClicks(line, text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) {
        memo->setFocus();
        memo->selectAll();
        QTest::keyClick(memo, Qt::Key_Backspace);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(memo, Qt::Key_Return);
            QTest::keyClicks(memo, lines[i]);
        }
    }
}

} // namespace

class TestRegionEditing : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FSettings = std::make_unique<QTemporaryDir>();
        SetSettingsFileName(FSettings->filePath(QStringLiteral("Settings.ini")));
    }

    void typedCoordinatesAreOneStep_data();
    void typedCoordinatesAreOneStep();
    void invalidCoordinatesNameTheField_data();
    void invalidCoordinatesNameTheField();
    void untouchedCoordinatesKeepTheGeometry();
    void insertPoint_data();
    void insertPoint();
    void doubleClickInsideStillOpensProperties();
    void deletePoint_data();
    void deletePoint();
    void germanTexts();

private:
    // A region of Area's kind and geometry, selected, with no step in the history.
    static TGUIRegion* Place(MainWindowFixture& f, const MapArea& Area)
    {
        f.Window->Document()->Push(new TCreateRegionCommand(*f.Window->Document(), Area));
        f.Window->Document()->UndoStack()->clear();
        return f.Window->ActiveRegion();
    }
    // Opens the selected region's properties and acts on the dialog while it shows.
    static void RunProperties(MainWindowFixture& f, const std::function<void(TFormProperties&)>& Act)
    {
        TFormProperties* dialog = f.Window->PropertiesDialog();
        QTimer::singleShot(0, dialog, [dialog, Act] {
            QVERIFY(dialog->isVisible());
            Act(*dialog);
        });
        Find<QAction>(*f.Window, "TBProperties")->trigger();
        QVERIFY(!dialog->isVisible());
    }
    // Shows the image point (X, Y) in the view at the scale.
    static void ZoomTo(MainWindowFixture& f, double Zoom, int X, int Y)
    {
        f.Scene()->SetZoom(Zoom);
        f.Scene()->centerOn(QPointF(X, Y));
    }
    static void DoubleClick(MainWindowFixture& f, int X, int Y)
    {
        f.Click(X, Y);
        QTest::mouseDClick(f.Viewport(), Qt::LeftButton, Qt::NoModifier, f.At(X, Y));
        f.Release(X, Y);
    }
    static void RightClickMenu(MainWindowFixture& f, int X, int Y)
    {
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, f.At(X, Y),
                                    f.Viewport()->mapToGlobal(f.At(X, Y)));
        QApplication::sendEvent(f.Viewport(), &menuEvent);
    }

    std::unique_ptr<QTemporaryDir> FSettings;
};

void TestRegionEditing::typedCoordinatesAreOneStep_data()
{
    QTest::addColumn<MapArea>("area");
    QTest::addColumn<Typing>("typing");
    QTest::addColumn<MapArea>("expected");
    QTest::newRow("rectangle") << MapArea::rectangle(10, 10, 50, 40)
                               << Typing{{"EditLeft", "20"},
                                         {"EditTop", "30"},
                                         {"EditRight", "120"},
                                         {"EditBottom", "90"}}
                               << MapArea::rectangle(20, 30, 100, 60);
    QTest::newRow("rectangle, signs and blanks")
        << MapArea::rectangle(10, 10, 50, 40)
        << Typing{{"EditLeft", " +5"}, {"EditBottom", "-3 "}, {"EditTop", "-9"}}
        << MapArea::rectangle(5, -9, 55, 6);
    QTest::newRow("circle") << MapArea::circle(100, 10, 60, 60)
                            << Typing{{"EditCentreX", "150"}, {"EditCentreY", "60"}, {"EditRadius", "25"}}
                            << MapArea::circle(125, 35, 50, 50);
    QTest::newRow("polygon, commas and blanks") << MapArea::polygon({{200, 20}, {260, 20}, {230, 80}})
                                                << Typing{{"EditPoints", "10,10 50,10, 50 50 10,50"}}
                                                << MapArea::polygon({{10, 10}, {50, 10}, {50, 50}, {10, 50}});
    QTest::newRow("polygon, commas only, to the int range's ends")
        << MapArea::polygon({{200, 20}, {260, 20}, {230, 80}})
        << Typing{{"EditPoints", "-2147483648,0,2147483647,0,0,2147483647"}}
        << MapArea::polygon({{INT_MIN, 0}, {INT_MAX, 0}, {0, INT_MAX}});
    QTest::newRow("polygon, one point a line")
        << MapArea::polygon({{200, 20}, {260, 20}, {230, 80}}) << Typing{{"EditPoints", "1 2\n3 4\n5 7\n"}}
        << MapArea::polygon({{1, 2}, {3, 4}, {5, 7}});
}

void TestRegionEditing::typedCoordinatesAreOneStep()
{
    QFETCH(MapArea, area);
    QFETCH(Typing, typing);
    QFETCH(MapArea, expected);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    TGUIRegion* region = Place(f, area);
    const MapArea before = RegionArea(*region);
    RunProperties(f, [&](TFormProperties& d) {
        for (const auto& [field, text] : typing)
            typeInto(d.findChild<QWidget*>(field), text);
        typeInto(d.EditAltText, QStringLiteral("typed"));
        QTest::mouseClick(d.ButtonOk, Qt::LeftButton);
    });
    expected.AltText = QStringLiteral("typed");
    expected.HRef = before.HRef;
    expected.Target = before.Target;
    QCOMPARE(RegionArea(*f.Regions().at(0)), expected);

    QUndoStack* stack = f.Window->Document()->UndoStack();
    QCOMPARE(stack->count(), 1);
    QCOMPARE(stack->undoText(), QStringLiteral("Change Region Properties"));
    stack->undo();
    QCOMPARE(RegionArea(*f.Regions().at(0)), before);
    QCOMPARE(f.Window->ActiveRegion(), f.Regions().at(0));
    stack->redo();
    QCOMPARE(RegionArea(*f.Regions().at(0)), expected);
}

void TestRegionEditing::invalidCoordinatesNameTheField_data()
{
    QTest::addColumn<MapArea>("area");
    QTest::addColumn<Typing>("typing");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");
    const MapArea rect = MapArea::rectangle(10, 10, 50, 40);
    const MapArea circle = MapArea::circle(100, 10, 60, 60);
    const MapArea poly = MapArea::polygon({{200, 20}, {260, 20}, {230, 80}});
    QTest::newRow("not a number") << rect << Typing{{"EditTop", "1O"}} << "EditTop"
                                  << "Top: \"1O\" is not a whole number.";
    QTest::newRow("a fraction") << rect << Typing{{"EditBottom", "12.5"}} << "EditBottom"
                                << "Bottom: \"12.5\" is not a whole number.";
    QTest::newRow("empty") << rect << Typing{{"EditLeft", ""}} << "EditLeft"
                           << "Left is empty.";
    QTest::newRow("right left of left") << rect << Typing{{"EditRight", "5"}} << "EditRight"
                                        << "Right must be greater than Left.";
    QTest::newRow("bottom on top") << rect << Typing{{"EditBottom", "10"}} << "EditBottom"
                                   << "Bottom must be greater than Top.";
    QTest::newRow("beyond 32 bits") << rect << Typing{{"EditLeft", "2147483648"}} << "EditLeft"
                                    << "Left: 2147483648 is outside the coordinate range (-2147483648 to "
                                       "2147483647).";
    QTest::newRow("wider than 32 bits")
        << rect << Typing{{"EditLeft", "-2000000000"}, {"EditRight", "2000000000"}} << "EditRight"
        << "Right: the region would reach beyond the coordinate range.";
    QTest::newRow("negative radius") << circle << Typing{{"EditRadius", "-5"}} << "EditRadius"
                                     << "Radius must be greater than 0.";
    QTest::newRow("no radius") << circle << Typing{{"EditRadius", "0"}} << "EditRadius"
                               << "Radius must be greater than 0.";
    QTest::newRow("circle beyond 32 bits")
        << circle << Typing{{"EditCentreX", "2147483600"}, {"EditRadius", "100"}} << "EditRadius"
        << "Radius: the region would reach beyond the coordinate range.";
    QTest::newRow("two points") << poly << Typing{{"EditPoints", "10,10 50,10"}} << "EditPoints"
                                << "Points: a polygon needs at least 3 points.";
    QTest::newRow("a point without y") << poly << Typing{{"EditPoints", "10,10 50,10 30"}} << "EditPoints"
                                       << "Points: the last point has no y coordinate.";
    QTest::newRow("a word among the points")
        << poly << Typing{{"EditPoints", "10,10 50,x 30,40"}} << "EditPoints"
        << "Points: \"x\" is not a whole number.";
    // As drawing refuses them: a polygon with no area, a circle beyond what the scene shows.
    QTest::newRow("points on one line") << poly << Typing{{"EditPoints", "10,10 30,20 70,40"}} << "EditPoints"
                                        << "Points: all points lie on one line, so the polygon has no area.";
    QTest::newRow("points on one upright line")
        << poly << Typing{{"EditPoints", "10,10 10,50 10,30"}} << "EditPoints"
        << "Points: all points lie on one line, so the polygon has no area.";
    QTest::newRow("circle larger than the scene")
        << circle << Typing{{"EditRadius", "20000000"}} << "EditRadius"
        << "Radius: a circle this large cannot be shown; it must stay within -16777216 to 16777216.";
    QTest::newRow("a point beyond 32 bits")
        << poly << Typing{{"EditPoints", "10,10 50,10 30,99999999999"}} << "EditPoints"
        << "Points: 99999999999 is outside the coordinate range "
           "(-2147483648 to 2147483647).";
}

void TestRegionEditing::invalidCoordinatesNameTheField()
{
    QFETCH(MapArea, area);
    QFETCH(Typing, typing);
    QFETCH(QString, field);
    QFETCH(QString, message);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    TGUIRegion* region = Place(f, area);
    const MapArea before = RegionArea(*region);
    MessageRecorder messages;
    RunProperties(f, [&](TFormProperties& d) {
        for (const auto& [name, text] : typing)
            typeInto(d.findChild<QWidget*>(name), text);
        typeInto(d.EditAltText, QStringLiteral("typed"));
        QTest::mouseClick(d.ButtonOk, Qt::LeftButton);
        // Still open, at the field to mend.
        QVERIFY(d.isVisible());
        QCOMPARE(d.focusWidget(), d.findChild<QWidget*>(field));
        d.reject();
    });
    QCOMPARE(messages.Texts, QStringList{message});
    QCOMPARE(RegionArea(*region), before);
    QCOMPARE(f.Window->Document()->UndoStack()->count(), 0);
}

void TestRegionEditing::untouchedCoordinatesKeepTheGeometry()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    // An odd width shows as a radius of 30, which read back would be 60 wide.
    TGUIRegion* region = Place(f, MapArea::circle(100, 10, 61, 61));
    QUndoStack* stack = f.Window->Document()->UndoStack();
    RunProperties(f, [](TFormProperties& d) {
        QCOMPARE(d.EditRadius->text(), QStringLiteral("30"));
        QVERIFY(d.EditRadius->isVisible() && !d.EditLeft->isVisible() && !d.EditPoints->isVisible());
        QTest::mouseClick(d.ButtonOk, Qt::LeftButton);
    });
    QCOMPARE(stack->count(), 0);
    RunProperties(f, [](TFormProperties& d) {
        typeInto(d.EditRadius, QStringLiteral("30"));
        typeInto(d.EditAltText, QStringLiteral("texts only"));
        QTest::mouseClick(d.ButtonOk, Qt::LeftButton);
    });
    QCOMPARE(stack->count(), 1);
    QCOMPARE(region->BoundsRect(), (TRect{100, 10, 161, 71}));
    QCOMPARE(region->AltText, QStringLiteral("texts only"));
}

void TestRegionEditing::insertPoint_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("ctrlClick");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("inserted");
    QTest::newRow("100 %, double click on the top edge")
        << 1.0 << false << QPoint(90, 40) << 1 << QPoint(90, 40);
    QTest::newRow("100 %, double click just outside")
        << 1.0 << false << QPoint(90, 37) << 1 << QPoint(90, 40);
    QTest::newRow("100 %, Ctrl+click on the right edge")
        << 1.0 << true << QPoint(141, 80) << 2 << QPoint(140, 80);
    QTest::newRow("400 %, double click on the closing edge")
        << 4.0 << false << QPoint(40, 71) << 4 << QPoint(40, 71);
    QTest::newRow("400 %, Ctrl+click on the bottom edge")
        << 4.0 << true << QPoint(77, 120) << 3 << QPoint(77, 120);
}

void TestRegionEditing::insertPoint()
{
    QFETCH(double, zoom);
    QFETCH(bool, ctrlClick);
    QFETCH(QPoint, at);
    QFETCH(int, index);
    QFETCH(QPoint, inserted);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    auto* polygon = qobject_cast<TUIPolygon*>(Place(f, square));
    ZoomTo(f, zoom, at.x(), at.y());
    if (ctrlClick) {
        QTest::mouseClick(f.Viewport(), Qt::LeftButton, Qt::ControlModifier, f.At(at.x(), at.y()));
    } else {
        DoubleClick(f, at.x(), at.y());
        QTest::qWait(20); // a properties dialog would show now
    }
    QVector<QPoint> expected = square.Vertices;
    expected.insert(index, inserted);
    QCOMPARE(RegionArea(*polygon).Vertices, expected);
    QCOMPARE(f.Window->ActiveRegion(), polygon);
    QCOMPARE(polygon->Handles().size(), 5);
    QUndoStack* stack = f.Window->Document()->UndoStack();
    QCOMPARE(stack->count(), 1);
    QCOMPARE(stack->undoText(), QStringLiteral("Insert Point"));
    stack->undo();
    QCOMPARE(RegionArea(*polygon).Vertices, square.Vertices);
}

void TestRegionEditing::doubleClickInsideStillOpensProperties()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    auto* polygon = qobject_cast<TUIPolygon*>(Place(f, square));
    bool shown = false;
    QTimer watch;
    watch.setInterval(5);
    connect(&watch, &QTimer::timeout, [&shown] {
        if (auto* dialog = qobject_cast<TFormProperties*>(QApplication::activeModalWidget())) {
            shown = true;
            dialog->reject();
        }
    });
    watch.start();
    DoubleClick(f, 90, 50);
    QTRY_VERIFY(shown);
    QCOMPARE(polygon->PointCount(), 4);
    QCOMPARE(f.Window->Document()->UndoStack()->count(), 0);
}

void TestRegionEditing::deletePoint_data()
{
    QTest::addColumn<MapArea>("area");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("four corners") << square << true;
    QTest::newRow("three corners stay") << MapArea::polygon({{40, 40}, {140, 40}, {90, 120}}) << false;
}

void TestRegionEditing::deletePoint()
{
    QFETCH(MapArea, area);
    QFETCH(bool, enabled);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    auto* polygon = qobject_cast<TUIPolygon*>(Place(f, area));
    // On the second corner's handle.
    RightClickMenu(f, 140, 40);
    QTRY_VERIFY(Find<QMenu>(*f.Window, "PopupMenuPoint")->isVisible());
    QVERIFY(!Find<QMenu>(*f.Window, "PopupMenu1")->isVisible());
    QCOMPARE(Find<QAction>(*f.Window, "MenuItemDeletePoint")->text(), QStringLiteral("Delete Point"));
    QCOMPARE(Find<QAction>(*f.Window, "MenuItemDeletePoint")->isEnabled(), enabled);
    Find<QAction>(*f.Window, "MenuItemDeletePoint")->trigger();
    Find<QMenu>(*f.Window, "PopupMenuPoint")->hide();
    QUndoStack* stack = f.Window->Document()->UndoStack();
    if (!enabled) {
        QCOMPARE(RegionArea(*polygon).Vertices, area.Vertices);
        QCOMPARE(stack->count(), 0);
        return;
    }
    QVector<QPoint> expected = area.Vertices;
    expected.remove(1);
    QCOMPARE(RegionArea(*polygon).Vertices, expected);
    QCOMPARE(stack->undoText(), QStringLiteral("Delete Point"));
    stack->undo();
    QCOMPARE(RegionArea(*polygon).Vertices, area.Vertices);
    QCOMPARE(f.Window->ActiveRegion(), polygon);
    // Away from the handles the scene's own menu opens.
    RightClickMenu(f, 90, 80);
    QTRY_VERIFY(Find<QMenu>(*f.Window, "PopupMenu1")->isVisible());
    Find<QMenu>(*f.Window, "PopupMenu1")->hide();
}

void TestRegionEditing::germanTexts()
{
    QVERIFY(LoadTranslationFile(ZQ_TEST_SOURCE_DIR "/../../data/lang.de.txt"));
    {
        MainWindowFixture f;
        QVERIFY(f.Ready);
        QCOMPARE(Find<QAction>(*f.Window, "MISaveIntoPage")->text(),
                 QString::fromUtf8("In Seite spei&chern"));
        QCOMPARE(Find<QAction>(*f.Window, "MIChangePicture")->text(), QString::fromUtf8("&Bild ändern..."));
        QCOMPARE(Find<QAction>(*f.Window, "MenuItemDeletePoint")->text(), QString::fromUtf8("Punkt löschen"));
        Place(f, MapArea::rectangle(10, 10, 50, 40));
        MessageRecorder messages;
        RunProperties(f, [](TFormProperties& d) {
            QCOMPARE(d.PanelLeft->text(), QString::fromUtf8("Links:"));
            QCOMPARE(d.PanelBottom->text(), QString::fromUtf8("Unten:"));
            typeInto(d.EditRight, QStringLiteral("1"));
            QTest::mouseClick(d.ButtonOk, Qt::LeftButton);
            d.reject();
        });
        QCOMPARE(messages.Texts, QStringList{QString::fromUtf8("Rechts muss größer als Links sein.")});
    }
    FreeTranslations();
}

QTEST_MAIN(TestRegionEditing)
#include "tst_regionediting.moc"
