// The "Regions" panel: every region front to back, its selection and the scene's kept the same.
#include "EditorFixture.h"

#include "RegionListDock.h"
#include "SettingsFile.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "WindowParts.h"

#include <QAction>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

class TestRegionList : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FSettings = std::make_unique<QTemporaryDir>();
        SetSettingsFileName(FSettings->filePath(QStringLiteral("Settings.ini")));
    }
    void cleanup() { SetSettingsFileName(QString()); }
    void listsFrontToBackAndFollowsRestacking();
    void selectionIsSharedBothWays();

private:
    // The texts of the list's rows: kind, link and alternate text.
    static QStringList Rows(const TRegionListDock* Dock)
    {
        QStringList Result;
        const QAbstractItemModel* Model = Dock->List()->model();
        for (int Row = 0; Row < Model->rowCount(); ++Row)
            Result << QStringLiteral("%1 %2 %3")
                          .arg(Model->index(Row, 0).data().toString(), Model->index(Row, 1).data().toString(),
                               Model->index(Row, 2).data().toString());
        return Result;
    }
    // Three regions, the polygon on top, the rectangle at the bottom.
    static void Populate(MainWindowFixture& f)
    {
        auto* Rectangle = new TUIRectangle(f.Scene());
        Rectangle->SetBoundsRect(TRect{10, 10, 100, 80});
        Rectangle->HRef = QStringLiteral("r.htm");
        Rectangle->AltText = QStringLiteral("R");
        auto* Circle = new TUICircle(f.Scene());
        Circle->SetBoundsRect(TRect{120, 20, 180, 80});
        Circle->HRef = QStringLiteral("c.htm");
        Circle->AltText = QStringLiteral("C");
        auto* Polygon = new TUIPolygon(f.Scene());
        Polygon->SetPoints({{50, 100}, {150, 110}, {90, 190}});
        Polygon->HRef = QStringLiteral("p.htm");
        Polygon->AltText = QStringLiteral("P");
    }

    std::unique_ptr<QTemporaryDir> FSettings;
};

void TestRegionList::listsFrontToBackAndFollowsRestacking()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    TRegionListDock* Dock = Find<TRegionListDock>(*f.Window, "DockRegions");
    QVERIFY(!Dock->isVisible());
    QCOMPARE(Dock->windowTitle(), QStringLiteral("Regions"));
    Find<QAction>(*f.Window, "MIRegionList")->trigger();
    QVERIFY(Dock->isVisible());
    Populate(f);
    QTRY_COMPARE(Rows(Dock), (QStringList{QStringLiteral("Polygon p.htm P"), QStringLiteral("Circle c.htm C"),
                                          QStringLiteral("Rectangle r.htm R")}));
    f.Click(20, 20);
    Find<QAction>(*f.Window, "TBBringToFront")->trigger();
    QTRY_COMPARE(Rows(Dock).first(), QStringLiteral("Rectangle r.htm R"));
    QTRY_COMPARE(Dock->List()->currentIndex().row(), 0);
    Find<QAction>(*f.Window, "TBDelete")->trigger();
    QTRY_COMPARE(Rows(Dock),
                 (QStringList{QStringLiteral("Polygon p.htm P"), QStringLiteral("Circle c.htm C")}));
}

void TestRegionList::selectionIsSharedBothWays()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    Populate(f);
    TRegionListDock* Dock = Find<TRegionListDock>(*f.Window, "DockRegions");
    Find<QAction>(*f.Window, "MIRegionList")->trigger();
    QTRY_COMPARE(Dock->List()->model()->rowCount(), 3);
    // Scene to list.
    f.Click(150, 50);
    QCOMPARE(Dock->List()->selectionModel()->selectedRows().value(0).row(), 1);
    f.Click(250, 20);
    QVERIFY(Dock->List()->selectionModel()->selectedRows().isEmpty());
    // List to scene: a click on a row selects its region, and the keys walk on in the list.
    Dock->List()->setFocus();
    QTRY_VERIFY(Dock->List()->viewport()->rect().contains(
        Dock->List()->visualRect(Dock->List()->model()->index(2, 0)).center()));
    const QRect Cell = Dock->List()->visualRect(Dock->List()->model()->index(2, 0));
    QTest::mouseClick(Dock->List()->viewport(), Qt::LeftButton, Qt::NoModifier, Cell.center());
    QCOMPARE(f.Window->ActiveRegion(), f.Regions().first());
    QTest::keyClick(Dock->List(), Qt::Key_Up);
    QCOMPARE(f.Window->ActiveRegion(), f.Regions().at(1));
    QVERIFY(Find<QAction>(*f.Window, "TBDelete")->isEnabled());
}

QTEST_MAIN(TestRegionList)
#include "tst_regionlist.moc"
