#include "EditorFixture.h"

#include "MapDocument.h"
#include "TUICircle.h"
#include "TUIRectangle.h"
#include "UnitImportNotes.h"
#include "WindowParts.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <Qsci/qsciscintilla.h>

// Cut, Copy, Paste, Duplicate and Select All for regions, through the real window's keys and menus.
class TestClipboard : public QObject
{
    Q_OBJECT

private slots:
    void copyGivesOwnFormatAndAreaLines();
    void pasteLandsOffsetAndSelected_data();
    void pasteLandsOffsetAndSelected();
    void pasteShowsTheImportReport_data();
    void pasteShowsTheImportReport();
    void editCommandsAreOneStep_data();
    void editCommandsAreOneStep();
    void sourceViewKeepsItsClipboardKeys();

private:
    static QAction* action(MainWindowFixture& f, const char* name)
    {
        return f.Window->findChild<QAction*>(QString::fromLatin1(name));
    }
    // The Source tab's area lines, front-most first.
    static QStringList areaLines(MainWindowFixture& f)
    {
        f.Window->RefreshHTML();
        QStringList lines;
        for (const QByteArray& line : f.Window->SourceBytes().split('\n'))
            if (line.startsWith("<AREA"))
                lines << QString::fromUtf8(line.trimmed());
        return lines;
    }
    static void key(MainWindowFixture& f, Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier)
    {
        QTest::keyClick(f.Scene(), k, m);
    }
    // Two regions: a rectangle (bottom) and a circle with texts of their own.
    static void makeTwo(MainWindowFixture& f)
    {
        auto* a = new TUIRectangle(f.Scene());
        a->SetBoundsRect(TRect{10, 10, 50, 40});
        a->HRef = QStringLiteral("a.htm");
        a->AltText = QStringLiteral("Say \"A\"");
        auto* b = new TUICircle(f.Scene());
        b->SetBoundsRect(TRect{100, 20, 140, 60});
        b->HRef = QStringLiteral("b.htm");
        f.Click(20, 20);
    }
};

void TestClipboard::copyGivesOwnFormatAndAreaLines()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    makeTwo(f);
    key(f, Qt::Key_A);
    key(f, Qt::Key_C);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(QStringLiteral("application/x-corvanta-zonequilter-regions")));
    // The text is the Source's area lines, in the Source's order.
    QCOMPARE(data->text(), areaLines(f).join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void TestClipboard::pasteLandsOffsetAndSelected_data()
{
    QTest::addColumn<QString>("text");      // put on the clipboard as text; empty: copy the rectangle
    QTest::addColumn<bool>("atPointer");    // pasted from the scene's context menu at (200, 150)
    QTest::addColumn<QStringList>("added"); // the new area lines, front-most first
    const QString copied = QStringLiteral(
        "<AREA shape=RECT href=\"a.htm\" alt=\"Say &quot;A&quot;\" target=\"\" coords=20,20,60,50>");
    QTest::newRow("own regions, Ctrl+V") << QString() << false << QStringList{copied};
    QTest::newRow("own regions, at the pointer")
        << QString() << true
        << QStringList{"<AREA shape=RECT href=\"a.htm\" alt=\"Say &quot;A&quot;\" target=\"\" "
                       "coords=200,150,240,180>"};
    QTest::newRow("area lines from a page")
        << QStringLiteral("<AREA SHAPE=\"rect\" COORDS=\"0,0,30,30\" HREF=\"x.htm\" ALT=\"X\">\n"
                          "<area shape=\"circle\" coords=\"100,100,10\" href=\"y.htm\" alt=\"Y\">")
        << false
        << QStringList{"<AREA shape=RECT href=\"x.htm\" alt=\"X\" target=\"\" coords=10,10,40,40>",
                       "<AREA shape=CIRCLE href=\"y.htm\" alt=\"Y\" target=\"\" coords=110,110,10>"};
    QTest::newRow("a whole map")
        << QStringLiteral(
               "<p>Hi</p><map name=\"m\"><area shape=poly coords=\"0,0,20,0,10,20\" href=\"p.htm\" "
               "alt=\"P\" title=\"T\"></map>")
        << false
        << QStringList{
               "<AREA shape=POLY href=\"p.htm\" alt=\"P\" target=\"\" title=\"T\" coords=10,10,30,10,20,30>"};
}

void TestClipboard::pasteLandsOffsetAndSelected()
{
    QFETCH(QString, text);
    QFETCH(bool, atPointer);
    QFETCH(QStringList, added);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    makeTwo(f);
    if (text.isEmpty())
        key(f, Qt::Key_C);
    else
        QApplication::clipboard()->setText(text);
    const QStringList before = areaLines(f);
    const int steps = f.Window->Document()->UndoStack()->count();
    if (atPointer) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, f.At(200, 150),
                               f.Viewport()->mapToGlobal(f.At(200, 150)));
        QApplication::sendEvent(f.Viewport(), &menu);
        QTRY_VERIFY(Find<QMenu>(*f.Window, "PopupMenu1")->isVisible());
        Find<QMenu>(*f.Window, "PopupMenu1")->hide();
        action(f, "MenuItemPaste")->trigger();
    } else {
        key(f, Qt::Key_V);
    }
    // On top of the others, front-most in the Source, and selected.
    QCOMPARE(areaLines(f), added + before);
    QCOMPARE(f.Window->Document()->SelectedCount(), int(added.size()));
    QCOMPARE(f.Window->Document()->SelectedPositions().first(), 2);
    QCOMPARE(f.Window->Document()->UndoStack()->count(), steps + 1);
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QCOMPARE(areaLines(f), before);
}

void TestClipboard::pasteShowsTheImportReport_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("pasted") << true;
    QTest::newRow("cancelled") << false;
}

void TestClipboard::pasteShowsTheImportReport()
{
    QFETCH(bool, accept);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    makeTwo(f);
    const QStringList before = areaLines(f);
    QApplication::clipboard()->setText(
        QStringLiteral("<area shape=rectangle coords=\"1.6,2,30,40\" href=\"r.htm\">"));
    bool shown = false;
    QTimer::singleShot(0, this, [&] {
        auto* report = qobject_cast<TFormImportNotes*>(QApplication::activeModalWidget());
        QVERIFY(report);
        shown = true;
        QCOMPARE(report->ListNotes->topLevelItemCount(), 2);
        (accept ? report->ButtonImport : report->ButtonCancel)->click();
    });
    key(f, Qt::Key_V);
    QVERIFY(shown);
    const QStringList expected =
        accept
            ? QStringList{"<AREA shape=RECT href=\"r.htm\" alt=\"\" target=\"\" coords=12,12,40,50>"} + before
            : before;
    QCOMPARE(areaLines(f), expected);
}

void TestClipboard::editCommandsAreOneStep_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("regions");
    QTest::newRow("cut") << "MICut"
                         << "Cut" << 0;
    QTest::newRow("duplicate") << "MIDuplicate"
                               << "Duplicate" << 4;
}

void TestClipboard::editCommandsAreOneStep()
{
    QFETCH(QString, command);
    QFETCH(QString, step);
    QFETCH(int, regions);
    MainWindowFixture f;
    QVERIFY(f.Ready);
    makeTwo(f);
    QApplication::clipboard()->setText(QStringLiteral("untouched"));
    const QStringList before = areaLines(f);
    action(f, "MISelectAll")->trigger();
    action(f, command.toLatin1().constData())->trigger();
    QCOMPARE(f.Regions().size(), regions);
    QCOMPARE(f.Window->Document()->UndoStack()->undoText(), step);
    // Cut puts the regions on the clipboard; Duplicate leaves it alone.
    QCOMPARE(QApplication::clipboard()->text() == QStringLiteral("untouched"), command == "MIDuplicate");
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QCOMPARE(areaLines(f), before);
    QCOMPARE(f.Window->Document()->SelectedCount(), 2);
}

void TestClipboard::sourceViewKeepsItsClipboardKeys()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    makeTwo(f);
    f.Window->SelectPageByUser(
        Find<QTabWidget>(*f.Window, "PageControl")->indexOf(Find<QWidget>(*f.Window, "TabSheetSource")));
    Find<QsciScintilla>(*f.Window, "SynEdit")->setFocus();
    QTest::keyClick(Find<QsciScintilla>(*f.Window, "SynEdit"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Find<QsciScintilla>(*f.Window, "SynEdit"), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(!data->hasFormat(QStringLiteral("application/x-corvanta-zonequilter-regions")));
    QCOMPARE(data->text().toUtf8(), f.Window->SourceBytes());
    QCOMPARE(f.Regions().size(), 2);
    QCOMPARE(f.Window->Document()->SelectedCount(), 1);
}

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
