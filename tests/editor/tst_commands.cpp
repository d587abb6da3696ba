#include "EditorFixture.h"
#include "SettingsFile.h"

#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UnitProperties.h"
#include "WindowParts.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolBar>
#include <functional>

// The four region commands on the toolbar and in the scene's context menu,
// and the properties dialog run from them.
class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void enablingByZPosition_data();
    void enablingByZPosition();
    void singleRegionEnablesDeleteAndPropertiesOnly();
    void bringToFrontRefocusesAndReenables();
    void sendToBackChangesTheOrder();
    void contextMenuAllOrNothing();
    void contextMenuLayout();
    void deleteByKey();
    void deleteKeyWithoutSelectionDoesNothing();
    void deleteFromToolbarAndMenu();
    void propertiesOkCopiesBack();
    void propertiesCancelChangesNothing();
    void propertiesTopOvertyped();
    void propertiesTwoLineAltText();
    void toolbarsHiddenInSettingsLeaveTheMenu();

private:
    struct Three
    {
        TUIRectangle* A;
        TUICircle* B;
        TUIPolygon* C;
    };
    static Three makeThree(MainWindowFixture& f)
    {
        auto* a = new TUIRectangle(f.Scene());
        a->SetBoundsRect(TRect{10, 10, 60, 60});
        auto* b = new TUICircle(f.Scene());
        b->SetBoundsRect(TRect{100, 10, 160, 70});
        auto* c = new TUIPolygon(f.Scene());
        c->SetPoints({{200, 20}, {260, 20}, {230, 80}});
        return {a, b, c};
    }
    static void runProperties(MainWindowFixture& f, std::function<void(TFormProperties&)> act)
    {
        TFormProperties* dialog = f.Window->PropertiesDialog();
        QTimer::singleShot(0, dialog, [dialog, act] {
            QVERIFY(dialog->isVisible());
            act(*dialog);
        });
        Find<QAction>(*f.Window, "TBProperties")->trigger();
        QVERIFY(!dialog->isVisible());
    }
};

void TestCommands::enablingByZPosition_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<bool>("sendToBack");
    QTest::addColumn<bool>("bringToFront");
    QTest::newRow("bottom") << 0 << false << true;
    QTest::newRow("middle") << 1 << true << true;
    QTest::newRow("top") << 2 << true << false;
}

void TestCommands::enablingByZPosition()
{
    QFETCH(int, which);
    QFETCH(bool, sendToBack);
    QFETCH(bool, bringToFront);
    MainWindowFixture f;
    makeThree(f);
    const TPoint inside[] = {{20, 20}, {130, 40}, {230, 40}};
    f.Click(inside[which].X, inside[which].Y);
    QCOMPARE(f.Window->ActiveRegion(), f.Regions().at(which));
    QVERIFY(Find<QAction>(*f.Window, "TBDelete")->isEnabled());
    QVERIFY(Find<QAction>(*f.Window, "TBProperties")->isEnabled());
    QCOMPARE(Find<QAction>(*f.Window, "TBSendToBack")->isEnabled(), sendToBack);
    QCOMPARE(Find<QAction>(*f.Window, "TBBringToFront")->isEnabled(), bringToFront);
}

void TestCommands::singleRegionEnablesDeleteAndPropertiesOnly()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(10, 10, 80, 80);
    QVERIFY(Find<QAction>(*f.Window, "TBDelete")->isEnabled());
    QVERIFY(Find<QAction>(*f.Window, "TBProperties")->isEnabled());
    QVERIFY(!Find<QAction>(*f.Window, "TBSendToBack")->isEnabled());
    QVERIFY(!Find<QAction>(*f.Window, "TBBringToFront")->isEnabled());
}

void TestCommands::bringToFrontRefocusesAndReenables()
{
    MainWindowFixture f;
    Three t = makeThree(f);
    f.Click(20, 20);
    QCOMPARE(f.Window->ActiveRegion(), t.A);
    Find<QAction>(*f.Window, "TBBringToFront")->trigger();
    QCOMPARE(f.Regions(), (QList<TGUIRegion*>{t.B, t.C, t.A}));
    QCOMPARE(f.Window->ActiveRegion(), t.A);
    QVERIFY(!Find<QAction>(*f.Window, "TBBringToFront")->isEnabled());
    QVERIFY(Find<QAction>(*f.Window, "TBSendToBack")->isEnabled());
    // The menu item runs the same handler.
    f.Click(130, 40);
    Find<QAction>(*f.Window, "MenuItemBringtoFront")->trigger();
    QCOMPARE(f.Regions(), (QList<TGUIRegion*>{t.C, t.A, t.B}));
}

void TestCommands::sendToBackChangesTheOrder()
{
    MainWindowFixture f;
    Three t = makeThree(f);
    f.Click(230, 40);
    Find<QAction>(*f.Window, "TBSendToBack")->trigger();
    QCOMPARE(f.Regions(), (QList<TGUIRegion*>{t.C, t.A, t.B}));
    QCOMPARE(f.Window->ActiveRegion(), t.C);
    QVERIFY(!Find<QAction>(*f.Window, "TBSendToBack")->isEnabled());
    QVERIFY(Find<QAction>(*f.Window, "TBBringToFront")->isEnabled());
    // The region below the others is found last where they overlap.
    auto* over = new TUIRectangle(f.Scene());
    over->SetBoundsRect(TRect{190, 10, 280, 90});
    f.Click(230, 40);
    QCOMPARE(f.Window->ActiveRegion(), over);
    Find<QAction>(*f.Window, "MenuItemSendtoBack")->trigger();
    f.Click(230, 40);
    QCOMPARE(f.Window->ActiveRegion(), t.C);
}

void TestCommands::contextMenuAllOrNothing()
{
    MainWindowFixture f;
    Three t = makeThree(f);
    const QList<QAction*> items{
        Find<QAction>(*f.Window, "MenuItemDelete"), Find<QAction>(*f.Window, "MenuItemSendtoBack"),
        Find<QAction>(*f.Window, "MenuItemBringtoFront"), Find<QAction>(*f.Window, "MenuItemProperties")};
    Find<QMenu>(*f.Window, "PopupMenu1")->popup(QPoint(10, 10));
    for (QAction* item : items)
        QVERIFY(!item->isEnabled());
    Find<QMenu>(*f.Window, "PopupMenu1")->hide();
    // The bottom region: all four items, whatever its position.
    f.Click(20, 20);
    Find<QMenu>(*f.Window, "PopupMenu1")->popup(QPoint(10, 10));
    for (QAction* item : items)
        QVERIFY(item->isEnabled());
    Find<QMenu>(*f.Window, "PopupMenu1")->hide();
    // Send to Back on the bottom region leaves the order as it is.
    Find<QAction>(*f.Window, "MenuItemSendtoBack")->trigger();
    QCOMPARE(f.Regions(), (QList<TGUIRegion*>{t.A, t.B, t.C}));
    QCOMPARE(f.Window->ActiveRegion(), t.A);
}

void TestCommands::contextMenuLayout()
{
    MainWindowFixture f;
    // The clipboard's items come first, the one-step stacking items sit beside Send to Back and
    // Bring to Front; an empty text is a separator.
    QStringList texts;
    for (const QAction* action : Find<QMenu>(*f.Window, "PopupMenu1")->actions())
        texts << (action->isSeparator() ? QString() : action->text());
    QCOMPARE(texts, (QStringList{"Cu&t", "&Copy", "&Paste", "D&uplicate", "", "Delete", "", "Send to Back",
                                 "Send Back&ward", "Bring &Forward", "Bring to Front", "", "Select &All", "",
                                 "Properties..."}));
    QCOMPARE(Find<QMenu>(*f.Window, "PopupMenu1")->defaultAction(),
             Find<QAction>(*f.Window, "MenuItemProperties"));
    QCOMPARE(Find<QAction>(*f.Window, "MenuItemDelete")->shortcut(), QKeySequence(Qt::Key_Delete));
    QCOMPARE(Find<QAction>(*f.Window, "TBDelete")->toolTip(), QStringLiteral("Delete Region"));
    QCOMPARE(Find<QAction>(*f.Window, "TBSendToBack")->toolTip(), QStringLiteral("Send Region to Back"));
    QCOMPARE(Find<QAction>(*f.Window, "TBBringToFront")->toolTip(), QStringLiteral("Bring Region to Front"));
    QCOMPARE(Find<QAction>(*f.Window, "TBProperties")->toolTip(), QStringLiteral("Show Region Properties"));
}

void TestCommands::deleteByKey()
{
    MainWindowFixture f;
    Three t = makeThree(f);
    f.Click(130, 40);
    QCOMPARE(f.Window->ActiveRegion(), t.B);
    QTest::keyClick(f.Viewport(), Qt::Key_Delete);
    QCOMPARE(f.Regions(), (QList<TGUIRegion*>{t.A, t.C}));
    QVERIFY(!f.Window->ActiveRegion());
    for (QAction* command :
         {Find<QAction>(*f.Window, "TBDelete"), Find<QAction>(*f.Window, "TBSendToBack"),
          Find<QAction>(*f.Window, "TBBringToFront"), Find<QAction>(*f.Window, "TBProperties")})
        QVERIFY(!command->isEnabled());
    // A polygon with its handles goes just the same.
    f.Click(230, 40);
    QTest::keyClick(f.Viewport(), Qt::Key_Delete);
    QCOMPARE(f.Regions(), (QList<TGUIRegion*>{t.A}));
}

void TestCommands::deleteKeyWithoutSelectionDoesNothing()
{
    MainWindowFixture f;
    makeThree(f);
    f.Click(290, 190);
    QVERIFY(!f.Window->ActiveRegion());
    QTest::keyClick(f.Viewport(), Qt::Key_Delete);
    QCOMPARE(f.Regions().size(), 3);
    Invoke(*f.Window, "MenuItemDeleteClick");
    QCOMPARE(f.Regions().size(), 3);
}

void TestCommands::deleteFromToolbarAndMenu()
{
    MainWindowFixture f;
    Three t = makeThree(f);
    f.Click(20, 20);
    Find<QAction>(*f.Window, "TBDelete")->trigger();
    QCOMPARE(f.Regions(), (QList<TGUIRegion*>{t.B, t.C}));
    f.Click(230, 40);
    Find<QAction>(*f.Window, "MenuItemDelete")->trigger();
    QCOMPARE(f.Regions(), (QList<TGUIRegion*>{t.B}));
    QVERIFY(!Find<QAction>(*f.Window, "TBDelete")->isEnabled());
}

void TestCommands::propertiesOkCopiesBack()
{
    MainWindowFixture f;
    Three t = makeThree(f);
    t.B->HRef = "http://old.example/";
    t.B->Target = "";
    t.B->AltText = "Old";
    f.Click(130, 40);
    runProperties(f, [](TFormProperties& d) {
        QCOMPARE(d.EditHRef->text(), QStringLiteral("http://old.example/"));
        QCOMPARE(d.EditAltText->toPlainText(), QStringLiteral("Old"));
        d.EditHRef->selectAll();
        QTest::keyClicks(d.EditHRef, "page.htm");
        d.EditTarget->setCurrentIndex(0);
        d.EditAltText->selectAll();
        QTest::keyClicks(d.EditAltText, "  spaced  ");
        QTest::mouseClick(d.ButtonOk, Qt::LeftButton);
    });
    QCOMPARE(t.B->HRef, QStringLiteral("page.htm"));
    QCOMPARE(t.B->Target, QStringLiteral("_blank"));
    QCOMPARE(t.B->AltText, QStringLiteral("  spaced  "));
    QCOMPARE(t.A->AltText, QStringLiteral("Click Here!"));
    // The selection is still there afterwards.
    QCOMPARE(f.Window->ActiveRegion(), t.B);
}

void TestCommands::propertiesCancelChangesNothing()
{
    MainWindowFixture f;
    Three t = makeThree(f);
    t.A->HRef = "h";
    t.A->Target = "t";
    t.A->AltText = "a";
    f.Click(20, 20);
    runProperties(f, [](TFormProperties& d) {
        QTest::keyClicks(d.EditHRef, "x");
        d.EditTarget->lineEdit()->selectAll();
        QTest::keyClicks(d.EditTarget->lineEdit(), "y");
        QTest::keyClicks(d.EditAltText, "z");
        QTest::mouseClick(d.ButtonCancel, Qt::LeftButton);
    });
    QCOMPARE(t.A->HRef, QStringLiteral("h"));
    QCOMPARE(t.A->Target, QStringLiteral("t"));
    QCOMPARE(t.A->AltText, QStringLiteral("a"));
    // The close box is Cancel too.
    f.Click(20, 20);
    runProperties(f, [](TFormProperties& d) {
        QTest::keyClicks(d.EditHRef, "x");
        d.close();
    });
    QCOMPARE(t.A->HRef, QStringLiteral("h"));
}

void TestCommands::propertiesTopOvertyped()
{
    MainWindowFixture f;
    Three t = makeThree(f);
    f.Click(230, 40);
    runProperties(f, [](TFormProperties& d) {
        d.EditTarget->setCurrentIndex(d.EditTarget->findText("_top"));
        QLineEdit* edit = d.EditTarget->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "contentFrame");
        QTest::mouseClick(d.ButtonOk, Qt::LeftButton);
    });
    QCOMPARE(t.C->Target, QStringLiteral("contentFrame"));
}

void TestCommands::propertiesTwoLineAltText()
{
    MainWindowFixture f;
    Three t = makeThree(f);
    f.Click(20, 20);
    TFormProperties* dialog = f.Window->PropertiesDialog();
    QTimer::singleShot(0, dialog, [dialog] {
        dialog->EditAltText->setFocus();
        dialog->EditAltText->selectAll();
        QTest::keyClicks(dialog->EditAltText, "Line one");
        QTest::keyClick(dialog->EditAltText, Qt::Key_Return);
        QTest::keyClicks(dialog->EditAltText, "Line two");
        QVERIFY(dialog->isVisible());
        QTest::mouseClick(dialog->ButtonOk, Qt::LeftButton);
    });
    // Through the context menu's item this time.
    Find<QAction>(*f.Window, "MenuItemProperties")->trigger();
    QCOMPARE(t.A->AltText, QStringLiteral("Line one\nLine two"));
}

void TestCommands::toolbarsHiddenInSettingsLeaveTheMenu()
{
    // A Settings.ini that hides both toolbars (the menu bar rides on one of them).
    QTemporaryDir dir;
    const QString path = dir.filePath("Settings.ini");
    {
        QSettings ini(path, QSettings::IniFormat);
        for (const char* bar : {"TBMainMenu", "TBToolbar"}) {
            ini.setValue(QString("TFormCorvantaZonequilter%1/Rev").arg(bar), 2000);
            ini.setValue(QString("TFormCorvantaZonequilter%1/Visible").arg(bar), 0);
        }
    }
    SetSettingsFileName(path);
    {
        MainWindowFixture f;
        QVERIFY(f.Ready);
        QVERIFY(Find<QMenuBar>(*f.Window, "MainMenu")->isVisible());
        QVERIFY(!Find<QToolBar>(*f.Window, "TBToolbar")->isVisible());
        // Its context menu brings the toolbar back but cannot hide the menu.
        std::unique_ptr<QMenu> menu(static_cast<QMainWindow&>(*f.Window).createPopupMenu());
        QCOMPARE(menu->actions().size(), 2);
        QVERIFY(!menu->actions().at(0)->isEnabled());
        menu->actions().at(1)->trigger();
        QVERIFY(Find<QToolBar>(*f.Window, "TBToolbar")->isVisible());
    }
    SetSettingsFileName(QString());
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
