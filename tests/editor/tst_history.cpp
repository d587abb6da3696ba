#include "EditorFixture.h"

#include "ImageMapWriter.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "PersonAnswer.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "TSizeFrame.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UnitProperties.h"
#include "WindowParts.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QUndoStack>
#include <unistd.h>

// The undo history of the main window: every edit is one step that undo takes back exactly, the
// modified state follows the steps, and unsaved work is not lost without a question.
class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void randomEditsUndoAndRedoExactly_data();
    void randomEditsUndoAndRedoExactly();
    void menuNamesTheStep_data();
    void menuNamesTheStep();
    void deleteFromTheContextMenuComesBackInItsPlace();
    void handleDragIsOneStepAtTheRelease();
    void modifiedStateFollowsTheSteps();
    void unsavedChangesPrompt_data();
    void unsavedChangesPrompt();
    void saveToAReadOnlyFolderKeepsTheDocumentModified();
    void newIsUndoable();

private:
    QString writerText(MainWindowFixture& f) const
    {
        return BuildImageMapHTML(f.Window->Document()->ImageFileName(), f.Window->Document()->MapName(),
                                 GatherMapAreas(*f.Scene()));
    }
    // Selects the region under a point the way the user does, with a click of the selection tool.
    TGUIRegion* selectAt(MainWindowFixture& f, const TPoint& p)
    {
        Find<QAction>(*f.Window, "TBArrow")->trigger();
        f.Click(p.X, p.Y);
        return f.Window->ActiveRegion();
    }
    static TPoint centreOf(const TGUIRegion& r)
    {
        if (auto* polygon = qobject_cast<const TUIPolygon*>(&r)) {
            const QVector<TPoint>& v = polygon->Points();
            return TPoint{(v[0].X + v[1].X + v[2].X) / 3, (v[0].Y + v[1].Y + v[2].Y) / 3};
        }
        return TPoint{r.Left() + r.Width() / 2, r.Top() + r.Height() / 2};
    }
    static bool inside(const TPoint& p) { return p.X > 2 && p.Y > 2 && p.X < 397 && p.Y < 297; }
    void runProperties(MainWindowFixture& f, const QString& href)
    {
        TFormProperties* dialog = f.Window->PropertiesDialog();
        QTimer::singleShot(0, dialog, [dialog, href] {
            dialog->EditHRef->selectAll();
            QTest::keyClicks(dialog->EditHRef, href);
            QTest::mouseClick(dialog->ButtonOk, Qt::LeftButton);
        });
        Find<QAction>(*f.Window, "TBProperties")->trigger();
    }
    void randomEdit(MainWindowFixture& f, QRandomGenerator& rng);
    // Message boxes show nowhere; their texts and buttons are kept, and FAnswer is the answer.
    void RecordMessageBoxes();

    QList<QMessageBox::StandardButtons> FAsked;
    QStringList FTexts;
    QMessageBox::StandardButton FAnswer = QMessageBox::Ok;
};

void TestHistory::init()
{
    FAsked.clear();
    FTexts.clear();
    FAnswer = QMessageBox::Ok;
    RecordMessageBoxes();
    SharedSaveDialog()->SetFileName(QString());
}

void TestHistory::RecordMessageBoxes()
{
    SetMessageBoxRunner([this](QMessageBox& box) {
        FAsked.append(box.standardButtons());
        FTexts.append(box.text());
        return box.standardButtons().testFlag(QMessageBox::Save) ? FAnswer : QMessageBox::Ok;
    });
}

void TestHistory::cleanup()
{
    SetMessageBoxRunner({});
    SetDialogRunner({});
}

void TestHistory::randomEdit(MainWindowFixture& f, QRandomGenerator& rng)
{
    const QList<TGUIRegion*> regions = f.Regions();
    const int op = regions.isEmpty() ? int(rng.bounded(3)) : int(rng.bounded(10));
    const auto pick = [&](int low, int high) { return low + int(rng.bounded(high - low + 1)); };
    if (op == 0 || op == 1) {
        // A rectangle or a circle drawn with its tool.
        (op == 0 ? Find<QAction>(*f.Window, "TBRect") : Find<QAction>(*f.Window, "TBCircle"))->trigger();
        const int x = pick(60, 330), y = pick(60, 230);
        f.Drag(x, y, x + pick(-50, 50), y + pick(15, 50));
        return;
    }
    if (op == 2) {
        Find<QAction>(*f.Window, "TBPoly")->trigger();
        const TPoint a{pick(20, 300), pick(20, 200)};
        f.Click(a.X, a.Y);
        f.Click(a.X + pick(20, 80), a.Y + pick(-10, 10));
        f.Click(a.X + pick(0, 40), a.Y + pick(20, 80));
        f.Click(a.X, a.Y);
        return;
    }
    TGUIRegion* target = regions.at(int(rng.bounded(qsizetype(regions.size()))));
    const TPoint centre = centreOf(*target);
    if (!inside(centre))
        return;
    TGUIRegion* region = selectAt(f, centre);
    if (!region)
        return;
    switch (op) {
    case 3: { // a move with the selection tool
        const TPoint to{centre.X + pick(-40, 40), centre.Y + pick(-40, 40)};
        if (inside(to))
            f.Drag(centre.X, centre.Y, to.X, to.Y);
        break;
    }
    case 4: { // a resize by a frame handle, or a vertex drag
        TPoint from;
        if (auto* polygon = qobject_cast<TUIPolygon*>(region))
            from = polygon->Points().at(int(rng.bounded(qsizetype(polygon->PointCount()))));
        else
            from = TSizeFrame::HandleCentreFor(pick(0, 7), region->BoundsRect());
        const TPoint to{from.X + pick(-25, 25), from.Y + pick(-25, 25)};
        if (inside(from) && inside(to))
            f.Drag(from.X, from.Y, to.X, to.Y);
        break;
    }
    case 5:
        Find<QAction>(*f.Window, "MenuItemSendtoBack")->trigger();
        break;
    case 6:
        Find<QAction>(*f.Window, "MenuItemBringtoFront")->trigger();
        break;
    case 7:
        runProperties(f, QStringLiteral("page%1.htm").arg(pick(0, 99)));
        break;
    default:
        Find<QAction>(*f.Window, "MenuItemDelete")->trigger();
        break;
    }
}

void TestHistory::randomEditsUndoAndRedoExactly_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 7u, 42u, 1234u, 99991u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestHistory::randomEditsUndoAndRedoExactly()
{
    QFETCH(quint32, seed);
    MainWindowFixture f(400, 300);
    QVERIFY(f.Ready);
    QRandomGenerator rng(seed);
    // Some regions are there before the sequence, so that undo has more to restore than nothing.
    for (int i = 0; i < 4; ++i)
        randomEdit(f, rng);
    f.Window->Document()->ClearHistory();
    const QString before = writerText(f);

    for (int i = 0; i < 40; ++i)
        randomEdit(f, rng);
    const QString after = writerText(f);
    QVERIFY(after != before);
    QUndoStack* stack = f.Window->Document()->UndoStack();
    QVERIFY(stack->count() > 10);

    while (Find<QAction>(*f.Window, "MIUndo")->isEnabled())
        Find<QAction>(*f.Window, "MIUndo")->trigger();
    QCOMPARE(writerText(f), before);
    QVERIFY(!f.Window->isWindowModified());
    while (Find<QAction>(*f.Window, "MIRedo")->isEnabled())
        Find<QAction>(*f.Window, "MIRedo")->trigger();
    QCOMPARE(writerText(f), after);
    QVERIFY(f.Window->isWindowModified());
}

void TestHistory::menuNamesTheStep_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<QString>("step");
    QTest::newRow("rectangle") << 0 << "Create Rectangle Region";
    QTest::newRow("move") << 1 << "Move Region";
    QTest::newRow("resize") << 2 << "Resize Region";
    QTest::newRow("delete") << 3 << "Delete Region";
    QTest::newRow("to back") << 4 << "Send Region to Back";
    QTest::newRow("properties") << 5 << "Change Region Properties";
}

void TestHistory::menuNamesTheStep()
{
    QFETCH(int, edit);
    QFETCH(QString, step);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    QCOMPARE(Find<QAction>(*f.Window, "MIUndo")->text(), QStringLiteral("&Undo"));
    QVERIFY(!Find<QAction>(*f.Window, "MIUndo")->isEnabled());
    auto* low = new TUIRectangle(f.Scene());
    low->SetBoundsRect(TRect{150, 100, 200, 150});
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(20, 20, 80, 80);
    if (edit == 1)
        f.Drag(50, 50, 70, 60);
    else if (edit == 2)
        f.Drag(80, 80, 100, 90);
    else if (edit == 3)
        Find<QAction>(*f.Window, "MenuItemDelete")->trigger();
    else if (edit == 4)
        Find<QAction>(*f.Window, "TBSendToBack")->trigger();
    else if (edit == 5)
        runProperties(f, QStringLiteral("there.htm"));
    QCOMPARE(Find<QAction>(*f.Window, "MIUndo")->text(), QStringLiteral("&Undo ") + step);
    QCOMPARE(Find<QAction>(*f.Window, "TBUndo")->toolTip(), QStringLiteral("Undo ") + step);
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QCOMPARE(Find<QAction>(*f.Window, "MIRedo")->text(), QStringLiteral("&Redo ") + step);
    QVERIFY(Find<QAction>(*f.Window, "TBRedo")->isEnabled());
    QCOMPARE(Find<QAction>(*f.Window, "MIUndo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(Find<QAction>(*f.Window, "MIRedo")->shortcuts(),
             (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                  QKeySequence(Qt::CTRL | Qt::Key_Y)}));
}

void TestHistory::deleteFromTheContextMenuComesBackInItsPlace()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    for (int i = 0; i < 3; ++i) {
        Find<QAction>(*f.Window, "TBRect")->trigger();
        f.Drag(20 + 60 * i, 20, 70 + 60 * i, 80);
    }
    TGUIRegion* middle = f.Regions().at(1);
    middle->HRef = QStringLiteral("middle.htm");
    const QVector<MapArea> areas = GatherMapAreas(*f.Scene());
    selectAt(f, TPoint{110, 50});
    QCOMPARE(f.Window->ActiveRegion(), middle);
    Find<QAction>(*f.Window, "MenuItemDelete")->trigger();
    QCOMPARE(f.Regions().size(), 2);
    QTest::keyClick(f.Window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(GatherMapAreas(*f.Scene()), areas);
    QCOMPARE(f.Window->ActiveRegion(), f.Regions().at(1));
    QVERIFY(Find<QAction>(*f.Window, "TBDelete")->isEnabled());
    QTest::keyClick(f.Window.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f.Regions().size(), 2);
}

void TestHistory::handleDragIsOneStepAtTheRelease()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(20, 20, 80, 80);
    QUndoStack* stack = f.Window->Document()->UndoStack();
    QCOMPARE(stack->count(), 1);
    f.Press(80, 80);
    f.Move(90, 85);
    f.Move(100, 95);
    QCOMPARE(stack->count(), 1);
    f.Release(100, 95);
    QCOMPARE(stack->count(), 2);
    QCOMPARE(f.Regions().first()->BoundsRect(), (TRect{20, 20, 100, 95}));
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QCOMPARE(f.Regions().first()->BoundsRect(), (TRect{20, 20, 80, 80}));
}

void TestHistory::modifiedStateFollowsTheSteps()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    QTemporaryDir folder;
    {
        const QString name = folder.filePath(QStringLiteral("map.htm"));
        f.Window->Document()->SetFileName(name, name);
    }
    Invoke(*f.Window, "FormActivate");
    QVERIFY(!f.Window->isWindowModified());
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(20, 20, 80, 80);
    QVERIFY(f.Window->isWindowModified());
    QCOMPARE(ShownTitle(*f.Window),
             QStringLiteral("Corvanta Zonequilter - [%1]*").arg(folder.filePath("map.htm")));
    QTest::keyClick(f.Window.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!f.Window->isWindowModified());
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("map.htm"))));
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QVERIFY(f.Window->isWindowModified());
    Find<QAction>(*f.Window, "MIRedo")->trigger();
    QVERIFY(!f.Window->isWindowModified());
    QCOMPARE(ShownTitle(*f.Window),
             QStringLiteral("Corvanta Zonequilter - [%1]").arg(folder.filePath("map.htm")));
}

void TestHistory::unsavedChangesPrompt_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("saved");
    for (const char* command : {"new", "import", "open file", "exit", "close"}) {
        QTest::addRow("%s, save", command) << command << int(QMessageBox::Save) << true << true;
        QTest::addRow("%s, discard", command) << command << int(QMessageBox::Discard) << true << false;
        QTest::addRow("%s, cancel", command) << command << int(QMessageBox::Cancel) << false << false;
    }
}

void TestHistory::unsavedChangesPrompt()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    QFETCH(bool, saved);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("map.htm"));
    f.Window->Document()->SetFileName(file, file);
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(20, 20, 80, 80);
    // The question is shown and answered as a person does.
    SetMessageBoxRunner({});
    TPersonAnswer person([&](QWidget* dialog) -> QAbstractButton* {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (!box)
            return nullptr;
        if (FTexts.isEmpty()) {
            FTexts.append(box->text());
            FAsked.append(box->standardButtons());
        }
        return box->button(QMessageBox::StandardButton(answer));
    });
    // The file dialogs New and Import open next show whether the command went on.
    bool dialogRan = false;
    SetDialogRunner([&dialogRan](QFileDialog&) {
        dialogRan = true;
        return false;
    });

    bool wentOn = false;
    if (command == QLatin1String("new")) {
        Find<QAction>(*f.Window, "MINew")->trigger();
        wentOn = dialogRan;
    } else if (command == QLatin1String("import")) {
        Find<QAction>(*f.Window, "MIOpen")->trigger();
        wentOn = dialogRan;
    } else if (command == QLatin1String("open file")) {
        // A drop or a recent file: the picture becomes a new image map.
        const QString picture = folder.filePath(QStringLiteral("dropped.png"));
        QImage image(50, 40, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture));
        f.Window->OpenDocumentFile(picture);
        wentOn = f.Window->Document()->ImageFileName() == picture;
    } else if (command == QLatin1String("exit")) {
        Find<QAction>(*f.Window, "MIExit")->trigger();
        wentOn = !f.Window->isVisible();
    } else {
        wentOn = f.Window->close();
    }
    RecordMessageBoxes();
    QVERIFY2(person.Answered(), qPrintable(person.Failure()));
    QCOMPARE(FTexts, QStringList{QStringLiteral("Save changes to the image map?")});
    QCOMPARE(FAsked.first(), QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(wentOn, goesOn);
    QCOMPARE(QFile::exists(file), saved);
    if (command != QLatin1String("open file")) {
        QCOMPARE(f.Window->isWindowModified(), !saved);
        QCOMPARE(f.Regions().size(), 1);
    }

    // Unmodified, nothing is asked.
    f.Window->Document()->MarkSaved();
    FTexts.clear();
    f.Window->show();
    QVERIFY(f.Window->close());
    QVERIFY(FTexts.isEmpty());
}

void TestHistory::saveToAReadOnlyFolderKeepsTheDocumentModified()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("map.htm"));
    f.Window->Document()->SetFileName(file, file);
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(20, 20, 80, 80);
    QVERIFY(QFile::setPermissions(folder.path(),
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    // Folder permissions bind the superuser only once it acts as somebody else.
    const bool root = geteuid() == 0;
    if (root)
        QCOMPARE(seteuid(65534), 0);
    // The error is shown and answered as a person does, while the save's task still runs.
    SetMessageBoxRunner({});
    TPersonAnswer person(TPersonAnswer::MessageBoxButton(QMessageBox::Ok));
    const bool result = InvokeBool(*f.Window, "MISaveClick");
    RecordMessageBoxes();
    if (root)
        QCOMPARE(seteuid(0), 0);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!result);
    QVERIFY2(person.Answered(), qPrintable(person.Failure()));
    QVERIFY2(person.ShownText().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(file)),
             qPrintable(person.ShownText()));
    QVERIFY(f.Window->isWindowModified());
    QVERIFY(!QFile::exists(file));
}

void TestHistory::newIsUndoable()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("new.png"));
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(Qt::green);
    QVERIFY(image.save(picture));
    f.Window->Document()->SetMap(QStringLiteral("Kept"), f.Window->Document()->MapAttributes());
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(20, 20, 80, 80);
    f.Window->Document()->MarkSaved();
    const QString before = writerText(f);
    const QImage picturBefore = f.Window->Document()->Picture();

    SetDialogRunner(ChooseFileRunner(picture));
    Find<QAction>(*f.Window, "MINew")->trigger();
    QVERIFY(f.Regions().isEmpty());
    QCOMPARE(f.Window->Document()->ImageFileName(), picture);
    QCOMPARE(Find<QAction>(*f.Window, "MIUndo")->text(), QStringLiteral("&Undo New Image Map"));
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QCOMPARE(writerText(f), before);
    QCOMPARE(f.Window->Document()->Picture(), picturBefore);
    QCOMPARE(f.Scene()->ClientWidth(), picturBefore.width());
    QCOMPARE(f.Window->Document()->MapName(), QStringLiteral("Kept"));
    QVERIFY(!f.Window->isWindowModified());
    Find<QAction>(*f.Window, "MIRedo")->trigger();
    QCOMPARE(f.Scene()->ClientWidth(), 120);
    QVERIFY(f.Regions().isEmpty());
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
