#include "MessageBoxes.h"
#include "SettingsFile.h"
#include "ToolbarSettings.h"

#include <QMainWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <memory>

namespace {
const QString Prefix = QStringLiteral("TFormCorvantaZonequilter");

// A main window laid out as the editor's: the menu toolbar on row 0 and the toolbar on row 1
// of the top dock, neither floating.
struct TWindow
{
    TWindow()
    {
        Window.resize(569, 500);
        TBMainMenu = new QToolBar(&Window);
        TBMainMenu->setObjectName("TBMainMenu");
        TBMainMenu->setFloatable(false);
        TBMainMenu->addAction("&File");
        TBMainMenu->addAction("&Help");
        TBToolbar = new QToolBar(&Window);
        TBToolbar->setObjectName("TBToolbar");
        TBToolbar->setFloatable(false);
        for (const char* name : {"New", "Open", "Save", "Arrow", "Rect"})
            TBToolbar->addAction(name);
        Window.addToolBar(Qt::TopToolBarArea, TBMainMenu);
        Window.addToolBarBreak(Qt::TopToolBarArea);
        Window.addToolBar(Qt::TopToolBarArea, TBToolbar);
    }
    QList<QToolBar*> Toolbars() const { return {TBMainMenu, TBToolbar}; }
    void Show()
    {
        Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Window));
    }

    QMainWindow Window;
    QToolBar* TBMainMenu;
    QToolBar* TBToolbar;
};
} // namespace

class TestToolbarSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dockNames();
    void writesTheSpecifiedKeys();
    void roundTripMovesToolbarsToTheirDocks();
    void roundTripKeepsRowsAndOrder();
    void rev1999IsIgnored();
    void missingFileLeavesLayout();
    void emptyDockedToIgnoresTheRest();
    void visibleZeroHidesAndDockNameIgnoresCase();
    void dockNotAcceptingToolbarIsNotUsed();
    void unwritableFileShowsMessage();

private:
    std::unique_ptr<QTemporaryDir> FDir;
    QString FIni;
};

void TestToolbarSettings::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    FIni = FDir->filePath("Settings.ini");
    SetSettingsFileName(FIni);
}

void TestToolbarSettings::cleanup()
{
    SetSettingsFileName(QString());
    SetMessageBoxRunner({});
}

void TestToolbarSettings::dockNames()
{
    QCOMPARE(DockName(Qt::TopToolBarArea), QString("TBDockTop"));
    QCOMPARE(DockName(Qt::LeftToolBarArea), QString("TBDockLeft"));
    QCOMPARE(DockName(Qt::RightToolBarArea), QString("TBDockRight"));
    QCOMPARE(DockName(Qt::BottomToolBarArea), QString("TBDockBottom"));
    QCOMPARE(DockArea("tbdockbottom"), Qt::BottomToolBarArea);
    QCOMPARE(DockArea("TBDockMiddle"), Qt::NoToolBarArea);
}

void TestToolbarSettings::writesTheSpecifiedKeys()
{
    TWindow w;
    w.Show();
    QVERIFY(WriteToolbarLayout(w.Window, Prefix, w.Toolbars()));
    QSettings ini(FIni, QSettings::IniFormat);
    QCOMPARE(ini.childGroups(),
             QStringList({"TFormCorvantaZonequilterTBMainMenu", "TFormCorvantaZonequilterTBToolbar"}));
    ini.beginGroup("TFormCorvantaZonequilterTBToolbar");
    QCOMPARE(ini.childKeys().size(), 9);
    QCOMPARE(ini.value("Rev").toString(), QString("2000"));
    QCOMPARE(ini.value("Visible").toString(), QString("1"));
    QCOMPARE(ini.value("DockedTo").toString(), QString("TBDockTop"));
    QCOMPARE(ini.value("LastDock").toString(), QString("TBDockTop"));
    QCOMPARE(ini.value("DockRow").toString(), QString("1"));
    QCOMPARE(ini.value("DockPos").toString(), QString("0"));
    QCOMPARE(ini.value("FloatLeft").toString(), QString("0"));
    QCOMPARE(ini.value("FloatTop").toString(), QString("0"));
    QCOMPARE(ini.value("FloatRightX").toString(), QString("0"));
    ini.endGroup();
    QCOMPARE(ini.value("TFormCorvantaZonequilterTBMainMenu/DockRow").toString(), QString("0"));
}

void TestToolbarSettings::roundTripMovesToolbarsToTheirDocks()
{
    {
        TWindow w;
        w.Show();
        w.Window.addToolBar(Qt::LeftToolBarArea, w.TBToolbar);
        w.Window.addToolBar(Qt::BottomToolBarArea, w.TBMainMenu);
        QVERIFY(WriteToolbarLayout(w.Window, Prefix, w.Toolbars()));
    }
    TWindow again; // as designed: both on the top dock
    ReadToolbarLayout(again.Window, Prefix, again.Toolbars());
    again.Show();
    QCOMPARE(again.Window.toolBarArea(again.TBToolbar), Qt::LeftToolBarArea);
    QCOMPARE(again.Window.toolBarArea(again.TBMainMenu), Qt::BottomToolBarArea);
    QVERIFY(again.TBToolbar->isVisible());
    QVERIFY(again.TBMainMenu->isVisible());
    QCOMPARE(again.TBToolbar->orientation(), Qt::Vertical);
}

void TestToolbarSettings::roundTripKeepsRowsAndOrder()
{
    {
        TWindow w;
        w.Show();
        // Both on one row of the bottom dock, the toolbar first.
        w.Window.removeToolBarBreak(w.TBToolbar);
        w.Window.addToolBar(Qt::BottomToolBarArea, w.TBToolbar);
        w.Window.addToolBar(Qt::BottomToolBarArea, w.TBMainMenu);
        QTest::qWait(1);
        QCOMPARE(w.TBToolbar->y(), w.TBMainMenu->y());
        QVERIFY(w.TBToolbar->x() < w.TBMainMenu->x());
        QVERIFY(WriteToolbarLayout(w.Window, Prefix, w.Toolbars()));
    }
    QSettings ini(FIni, QSettings::IniFormat);
    QCOMPARE(ini.value("TFormCorvantaZonequilterTBToolbar/DockRow").toInt(), 0);
    QCOMPARE(ini.value("TFormCorvantaZonequilterTBMainMenu/DockRow").toInt(), 0);
    QVERIFY(ini.value("TFormCorvantaZonequilterTBMainMenu/DockPos").toInt() > 0);

    TWindow again;
    ReadToolbarLayout(again.Window, Prefix, again.Toolbars());
    again.Show();
    QCOMPARE(again.Window.toolBarArea(again.TBToolbar), Qt::BottomToolBarArea);
    QCOMPARE(again.Window.toolBarArea(again.TBMainMenu), Qt::BottomToolBarArea);
    QCOMPARE(again.TBToolbar->y(), again.TBMainMenu->y());
    QVERIFY(again.TBToolbar->x() < again.TBMainMenu->x());

    // And back to two rows of the top dock, the menu on the outer row.
    again.Window.addToolBar(Qt::TopToolBarArea, again.TBMainMenu);
    again.Window.addToolBarBreak(Qt::TopToolBarArea);
    again.Window.addToolBar(Qt::TopToolBarArea, again.TBToolbar);
    QTest::qWait(1);
    QVERIFY(WriteToolbarLayout(again.Window, Prefix, again.Toolbars()));
    TWindow third;
    third.Window.addToolBar(Qt::RightToolBarArea, third.TBMainMenu);
    ReadToolbarLayout(third.Window, Prefix, third.Toolbars());
    third.Show();
    QCOMPARE(third.Window.toolBarArea(third.TBMainMenu), Qt::TopToolBarArea);
    QCOMPARE(third.Window.toolBarArea(third.TBToolbar), Qt::TopToolBarArea);
    QVERIFY(third.TBMainMenu->y() < third.TBToolbar->y());
}

void TestToolbarSettings::rev1999IsIgnored()
{
    {
        QSettings ini(FIni, QSettings::IniFormat);
        ini.setValue("TFormCorvantaZonequilterTBToolbar/Rev", 1999);
        ini.setValue("TFormCorvantaZonequilterTBToolbar/Visible", 1);
        ini.setValue("TFormCorvantaZonequilterTBToolbar/DockedTo", "TBDockLeft");
        ini.setValue("TFormCorvantaZonequilterTBMainMenu/Rev", 2000);
        ini.setValue("TFormCorvantaZonequilterTBMainMenu/Visible", 1);
        ini.setValue("TFormCorvantaZonequilterTBMainMenu/DockedTo", "TBDockRight");
    }
    TWindow w;
    ReadToolbarLayout(w.Window, Prefix, w.Toolbars());
    QCOMPARE(w.Window.toolBarArea(w.TBToolbar), Qt::TopToolBarArea);
    QCOMPARE(w.Window.toolBarArea(w.TBMainMenu), Qt::RightToolBarArea);
}

void TestToolbarSettings::missingFileLeavesLayout()
{
    TWindow w;
    ReadToolbarLayout(w.Window, Prefix, w.Toolbars());
    w.Show();
    QCOMPARE(w.Window.toolBarArea(w.TBToolbar), Qt::TopToolBarArea);
    QCOMPARE(w.Window.toolBarArea(w.TBMainMenu), Qt::TopToolBarArea);
    QVERIFY(w.TBMainMenu->y() < w.TBToolbar->y());
    QVERIFY(w.TBToolbar->isVisible());
    QVERIFY(!QFile::exists(FIni));
}

void TestToolbarSettings::emptyDockedToIgnoresTheRest()
{
    {
        QSettings ini(FIni, QSettings::IniFormat);
        ini.setValue("TFormCorvantaZonequilterTBToolbar/Rev", 2000);
        ini.setValue("TFormCorvantaZonequilterTBToolbar/Visible", 0);
        ini.setValue("TFormCorvantaZonequilterTBToolbar/DockedTo", "");
        ini.setValue("TFormCorvantaZonequilterTBToolbar/DockRow", 0);
    }
    TWindow w;
    ReadToolbarLayout(w.Window, Prefix, w.Toolbars());
    w.Show();
    QCOMPARE(w.Window.toolBarArea(w.TBToolbar), Qt::TopToolBarArea);
    // "Visible" is read before "DockedTo".
    QVERIFY(w.TBToolbar->isHidden());
}

void TestToolbarSettings::visibleZeroHidesAndDockNameIgnoresCase()
{
    {
        QSettings ini(FIni, QSettings::IniFormat);
        ini.setValue("TFormCorvantaZonequilterTBMainMenu/Rev", 2000);
        ini.setValue("TFormCorvantaZonequilterTBMainMenu/Visible", 0);
        ini.setValue("TFormCorvantaZonequilterTBMainMenu/DockedTo", "tbdockleft");
    }
    TWindow w;
    ReadToolbarLayout(w.Window, Prefix, w.Toolbars());
    w.Show();
    QCOMPARE(w.Window.toolBarArea(w.TBMainMenu), Qt::LeftToolBarArea);
    QVERIFY(w.TBMainMenu->isHidden());
    QVERIFY(w.TBToolbar->isVisible());

    QVERIFY(WriteToolbarLayout(w.Window, Prefix, w.Toolbars()));
    QSettings ini(FIni, QSettings::IniFormat);
    QCOMPARE(ini.value("TFormCorvantaZonequilterTBMainMenu/Visible").toString(), QString("0"));
}

void TestToolbarSettings::dockNotAcceptingToolbarIsNotUsed()
{
    {
        QSettings ini(FIni, QSettings::IniFormat);
        ini.setValue("TFormCorvantaZonequilterTBToolbar/Rev", 2000);
        ini.setValue("TFormCorvantaZonequilterTBToolbar/DockedTo", "TBDockBottom");
    }
    TWindow w;
    w.TBToolbar->setAllowedAreas(Qt::TopToolBarArea | Qt::LeftToolBarArea);
    ReadToolbarLayout(w.Window, Prefix, w.Toolbars());
    QCOMPARE(w.Window.toolBarArea(w.TBToolbar), Qt::TopToolBarArea);
}

void TestToolbarSettings::unwritableFileShowsMessage()
{
    // A settings file whose folder is a plain file cannot be written.
    QFile blocker(FDir->filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = FDir->filePath("blocker/Settings.ini");
    SetSettingsFileName(path);
    QString shown;
    SetMessageBoxRunner([&](QMessageBox& box) {
        shown = box.text();
        return QMessageBox::Ok;
    });
    TWindow w;
    w.Show();
    QVERIFY(!WriteToolbarLayout(w.Window, Prefix, w.Toolbars()));
    QCOMPARE(shown, QString("Unable to write to %1").arg(path));
}

QTEST_MAIN(TestToolbarSettings)
#include "tst_toolbarsettings.moc"
