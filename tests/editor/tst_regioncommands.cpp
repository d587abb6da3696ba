// Every undoable step over a document without a window: redo, undo and redo again give the same
// areas, in the same order, with the same selection, on a plain vector and on the scene alike.
#include "MapDocument.h"
#include "RegionCommands.h"
#include "RegionStore.h"
#include "UPTFrame.h"

#include <QUndoStack>
#include <QtTest>
#include <memory>

namespace {

enum Command
{
    Create,
    CreatePlaced,
    Delete,
    Geometry,
    GeometryMadeAlready,
    KeyMoveBurst,
    Properties,
    Restack,
    ChangePicture,
    ReplaceDocument,
};

MapArea Area(MapArea Value, const QString& HRef)
{
    Value.HRef = HRef;
    return Value;
}

const MapArea A = Area(MapArea::rectangle(10, 10, 50, 50), QStringLiteral("a.htm"));
const MapArea B = Area(MapArea::circle(100, 10, 60, 60), QStringLiteral("b.htm"));
const MapArea C = Area(MapArea::polygon({{200, 20}, {260, 20}, {230, 80}}), QStringLiteral("c.htm"));
const MapArea D = Area(MapArea::rectangle(5, 90, 30, 20), QStringLiteral("d.htm"));

MapArea Moved(MapArea Value, int Dx, int Dy)
{
    if (Value.shape != MapArea::Shape::Poly) {
        Value.Left += Dx;
        Value.Top += Dy;
    }
    for (QPoint& vertex : Value.Vertices)
        vertex += QPoint(Dx, Dy);
    return Value;
}

MapArea Retexted(MapArea Value)
{
    Value.AltText = QStringLiteral("Größe");
    Value.Target = QStringLiteral("_top");
    Value.Attributes = {{QStringLiteral("title"), QStringLiteral("Chef")}};
    return Value;
}

struct State
{
    QVector<MapArea> Areas;
    int Selected = -1;
    QString ImageFileName;
    QSize PictureSize;
    AttributeList MapAttributes;
    QString PageFileName;

    bool operator==(const State& Other) const
    {
        return Areas == Other.Areas && Selected == Other.Selected && ImageFileName == Other.ImageFileName &&
               PictureSize == Other.PictureSize && MapAttributes == Other.MapAttributes &&
               PageFileName == Other.PageFileName;
    }
};

State StateOf(const TMapDocument& Document)
{
    return {Document.Areas(),         Document.SelectedPosition(), Document.ImageFileName(),
            Document.Picture().size(), Document.MapAttributes(),    Document.PageOrigin().FileName};
}

QImage Picture(int Width, int Height)
{
    QImage picture(Width, Height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

constexpr int Inserted = TDocumentChange::Inserted;
constexpr int Removed = TDocumentChange::Removed;
constexpr int Regions = TDocumentChange::Regions;
constexpr int Restacked = TDocumentChange::Restacked;
constexpr int Selection = TDocumentChange::Selection;
constexpr int Header = TDocumentChange::Header;

} // namespace

namespace QTest {
template <>
char* toString(const State& Value)
{
    QStringList areas;
    for (const MapArea& area : Value.Areas)
        areas << QStringLiteral("%1:%2,%3 %4").arg(int(area.shape)).arg(area.Left).arg(area.Top).arg(area.HRef);
    return qstrdup(qPrintable(QStringLiteral("[%1] selected %2, %3")
                                  .arg(areas.join(QStringLiteral("; ")))
                                  .arg(Value.Selected)
                                  .arg(Value.ImageFileName)));
}
} // namespace QTest

class TestRegionCommands : public QObject
{
    Q_OBJECT

private slots:
    void redoUndoRedo_data();
    void redoUndoRedo();
    void aKeyBurstBackToItsStartIsNoStep();
    void editsOfOneFieldJoin_data();
    void editsOfOneFieldJoin();
    void aSelectionOutsideTheHistoryIsNoStep_data();
    void aSelectionOutsideTheHistoryIsNoStep();
};

void TestRegionCommands::redoUndoRedo_data()
{
    QTest::addColumn<bool>("onScene");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QVector<MapArea>>("after");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<int>("redoParts");
    QTest::addColumn<int>("undoParts");
    QTest::addColumn<QString>("text");

    for (const bool scene : {false, true}) {
        const auto row = [scene](const char* Name) {
            return &(QTest::addRow("%s: %s", scene ? "scene" : "vector", Name) << scene);
        };
        *row("create") << int(Create) << 1 << QVector<MapArea>{A, B, C, D} << 3 << (Inserted | Selection)
                       << (Removed | Selection) << QStringLiteral("Create Rectangle Region");
        *row("create placed by a tool") << int(CreatePlaced) << -1 << QVector<MapArea>{A, B, C, D} << 3
                                        << (Inserted | Selection) << (Removed | Selection)
                                        << QStringLiteral("Create Rectangle Region");
        *row("delete the selected") << int(Delete) << 1 << QVector<MapArea>{A, C} << -1 << (Removed | Selection)
                                    << (Inserted | Selection) << QStringLiteral("Delete Region");
        *row("delete below the selected") << int(Delete) << 2 << QVector<MapArea>{A, C} << -1
                                          << (Removed | Selection) << (Inserted | Selection)
                                          << QStringLiteral("Delete Region");
        *row("move") << int(Geometry) << 1 << QVector<MapArea>{A, Moved(B, 7, -3), C} << 1 << Regions << Regions
                     << QStringLiteral("Move Region");
        *row("handle drag made already") << int(GeometryMadeAlready) << 2
                                         << QVector<MapArea>{A, B, Moved(C, 4, 4)} << 2 << Regions << Regions
                                         << QStringLiteral("Move Region");
        *row("key move burst") << int(KeyMoveBurst) << 2 << QVector<MapArea>{A, B, Moved(C, 3, 0)} << 2
                               << Regions << Regions << QStringLiteral("Move Region");
        *row("properties") << int(Properties) << -1 << QVector<MapArea>{A, Retexted(B), C} << 1
                           << (Regions | Selection) << (Regions | Selection)
                           << QStringLiteral("Change Region Properties");
        *row("properties with coordinates") << int(Properties) << 1
                                            << QVector<MapArea>{A, Moved(Retexted(B), 7, -3), C} << 1 << Regions
                                            << Regions << QStringLiteral("Change Region Properties");
        *row("bring to front") << int(Restack) << 0 << QVector<MapArea>{B, C, A} << 2 << Restacked << Restacked
                               << QStringLiteral("Bring to Front");
        *row("bring to front, another selected") << int(Restack) << 1 << QVector<MapArea>{B, C, A} << 2
                                                 << (Restacked | Selection) << (Restacked | Selection)
                                                 << QStringLiteral("Bring to Front");
        *row("change picture") << int(ChangePicture) << 1 << QVector<MapArea>{A, B, C} << 1 << Header << Header
                               << QStringLiteral("Change Picture");
        *row("replace the document") << int(ReplaceDocument) << 1 << QVector<MapArea>{D, C} << 0
                                     << (Header | Removed | Inserted | Selection)
                                     << (Header | Removed | Inserted | Selection)
                                     << QStringLiteral("Import Image Map");
    }
}

void TestRegionCommands::redoUndoRedo()
{
    QFETCH(bool, onScene);
    QFETCH(int, command);
    QFETCH(int, selected);
    QFETCH(QVector<MapArea>, after);
    QFETCH(int, selectedAfter);
    QFETCH(int, redoParts);
    QFETCH(int, undoParts);
    QFETCH(QString, text);

    TAreaVector vector({A, B, C});
    std::unique_ptr<TPTCustomGroup> scene;
    if (onScene) {
        scene = std::make_unique<TPTCustomGroup>();
        scene->AppendAreas({A, B, C});
    }
    const auto made = onScene ? std::make_unique<TMapDocument>(*scene) : std::make_unique<TMapDocument>(vector);
    TMapDocument& document = *made;
    document.SetPicture(Picture(300, 200), QStringLiteral("old.png"));
    document.SetMap(QStringLiteral("plan"), {{QStringLiteral("class"), QStringLiteral("shop")}});
    PageMapOrigin origin;
    origin.FileName = QStringLiteral("shop.html");
    document.SetPageOrigin(origin);
    document.Select(selected);
    QList<TDocumentChange> changes;
    connect(&document, &TMapDocument::Changed, this, [&](const TDocumentChange& Change) {
        if (Change.Step)
            changes.append(Change);
    });
    const State before = StateOf(document);

    // Each command as the window makes it: some change the document first and record the step after.
    switch (Command(command)) {
    case Create:
        document.Push(new TCreateRegionCommand(document, D));
        break;
    case CreatePlaced:
        document.Store().InsertArea(3, D);
        document.Push(new TCreateRegionCommand(document, 3));
        break;
    case Delete:
        document.Push(new TDeleteRegionCommand(document, 1));
        break;
    case Geometry:
        document.Push(new TChangeGeometryCommand(document, 1, B, Moved(B, 7, -3), QStringLiteral("Move Region")));
        break;
    case GeometryMadeAlready:
        document.Store().ReplaceArea(2, Moved(C, 4, 4));
        document.Push(new TChangeGeometryCommand(document, 2, C, Moved(C, 4, 4), QStringLiteral("Move Region")));
        break;
    case KeyMoveBurst:
        for (int step = 1; step <= 3; ++step) {
            document.Store().ReplaceArea(2, Moved(C, step, 0));
            document.Push(new TKeyMoveCommand(document, 2, Moved(C, step - 1, 0), Moved(C, step, 0), 7));
        }
        break;
    case Properties:
        document.Push(new TChangePropertiesCommand(document, 1, B, after.at(1)));
        break;
    case Restack:
        document.Push(new TRestackCommand(document, 0, 2, QStringLiteral("Bring to Front")));
        break;
    case ChangePicture:
        document.SetPicture(Picture(120, 90), QStringLiteral("new.png"));
        document.Push(new TChangePictureCommand(document, Picture(300, 200), before.ImageFileName));
        break;
    case ReplaceDocument: {
        const TDocumentSnapshot previous = document.Snapshot();
        TDocumentSnapshot next;
        next.Header.Picture = Picture(50, 40);
        next.Header.ImageFileName = QStringLiteral("map.png");
        next.Header.PageOrigin.FileName = QStringLiteral("other.html");
        next.Areas = {D, C};
        next.Selected = 0;
        document.Restore(next);
        document.RecordReplacement(previous, QStringLiteral("Import Image Map"));
        break;
    }
    }
    // One step, however many pushes made it.
    QCOMPARE(document.UndoStack()->count(), 1);
    QCOMPARE(document.UndoStack()->undoText(), text);
    QVERIFY(document.IsModified());
    const State done = StateOf(document);
    QCOMPARE(done.Areas, after);
    QCOMPARE(done.Selected, selectedAfter);

    changes.clear();
    document.Undo();
    QCOMPARE(StateOf(document), before);
    QVERIFY(!document.IsModified());
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().Parts, undoParts);

    changes.clear();
    document.Redo();
    QCOMPARE(StateOf(document), done);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().Parts, redoParts);
}

void TestRegionCommands::aKeyBurstBackToItsStartIsNoStep()
{
    TAreaVector vector({A, B, C});
    TMapDocument document(vector);
    document.Select(0);
    for (const int dx : {1, 2, 1, 0}) {
        const MapArea before = document.AreaAt(0);
        vector.ReplaceArea(0, Moved(A, dx, 0));
        document.Push(new TKeyMoveCommand(document, 0, before, Moved(A, dx, 0), 3));
    }
    QCOMPARE(document.Areas(), (QVector<MapArea>{A, B, C}));
    QVERIFY(!document.UndoStack()->canUndo());
    QVERIFY(!document.IsModified());
}

void TestRegionCommands::editsOfOneFieldJoin_data()
{
    // Each edit: the region, the field, the link typed; then how many steps the history holds.
    QTest::addColumn<QVector<int>>("positions");
    QTest::addColumn<QVector<int>>("fields");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<int>("steps");
    QTest::newRow("one field of one region") << QVector<int>{0, 0, 0} << QVector<int>{1, 1, 1}
                                             << QStringList{"x", "xy", "xyz"} << 1;
    QTest::newRow("typed back to the start") << QVector<int>{0, 0} << QVector<int>{1, 1}
                                             << QStringList{"x", "a.htm"} << 0;
    QTest::newRow("another region") << QVector<int>{0, 1} << QVector<int>{1, 1} << QStringList{"x", "y"} << 2;
    QTest::newRow("another field") << QVector<int>{0, 0} << QVector<int>{1, 2} << QStringList{"x", "y"} << 2;
    QTest::newRow("the dialog's edits stay apart") << QVector<int>{0, 0} << QVector<int>{-1, -1}
                                                   << QStringList{"x", "y"} << 2;
}

void TestRegionCommands::editsOfOneFieldJoin()
{
    QFETCH(QVector<int>, positions);
    QFETCH(QVector<int>, fields);
    QFETCH(QStringList, links);
    QFETCH(int, steps);
    TAreaVector vector({A, B, C});
    TMapDocument document(vector);
    for (int i = 0; i < positions.size(); ++i) {
        const MapArea before = document.AreaAt(positions[i]);
        MapArea after = before;
        after.HRef = links[i];
        document.Push(new TChangePropertiesCommand(document, positions[i], before, after, fields[i]));
    }
    QCOMPARE(document.UndoStack()->count(), steps);
    QCOMPARE(document.AreaAt(positions.last()).HRef, links.last());
    while (document.UndoStack()->canUndo())
        document.Undo();
    QCOMPARE(document.Areas(), (QVector<MapArea>{A, B, C}));
}

void TestRegionCommands::aSelectionOutsideTheHistoryIsNoStep_data()
{
    QTest::addColumn<bool>("onScene");
    QTest::newRow("vector") << false;
    QTest::newRow("scene") << true;
}

void TestRegionCommands::aSelectionOutsideTheHistoryIsNoStep()
{
    QFETCH(bool, onScene);
    TAreaVector vector({A, B, C});
    TPTCustomGroup scene;
    scene.AppendAreas({A, B, C});
    const auto made = onScene ? std::make_unique<TMapDocument>(scene) : std::make_unique<TMapDocument>(vector);
    TMapDocument& document = *made;
    QList<TDocumentChange> changes;
    connect(&document, &TMapDocument::Changed, this, [&](const TDocumentChange& Change) { changes.append(Change); });

    document.Select(2);
    document.Select(0);
    document.SetFileName(QStringLiteral("map.htm"), QStringLiteral("map.htm"));
    QCOMPARE(document.SelectedPosition(), 0);
    QVERIFY(!document.IsModified());
    QVERIFY(!document.UndoStack()->canUndo());
    QVERIFY(!changes.isEmpty());
    int parts = 0;
    for (const TDocumentChange& change : changes) {
        QVERIFY(!change.Step);
        parts |= change.Parts;
    }
    QCOMPARE(parts, Selection | Header);
}

QTEST_MAIN(TestRegionCommands)
#include "tst_regioncommands.moc"
