#include "WindowPlacement.h"

#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

class TFormCorvantaZonequilter : public QMainWindow
{
    Q_OBJECT
};

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void parseFourNumbers_data();
    void parseFourNumbers();
    void nothingSavedBeforeRestore();
    void savesTheSpecifiedValues();
    void roundTrip();
    void maximizedRoundTrip();
    void otherDensityKeepsPositionButTakesState();
    void negativeFormVersionIsIgnored();
    void showCmd_data();
    void showCmd();
    void missingNormPosNumbersKeepCurrentBounds();
    void windowSavedOnARemovedScreenComesBackOnScreen_data();
    void windowSavedOnARemovedScreenComesBackOnScreen();

private:
    QString Group() const { return "TFormCorvantaZonequilter/"; }
    int CurrentPpi() const
    {
        return int(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInchY()));
    }
    std::unique_ptr<QTemporaryDir> FDir;
    QString FStore;
};

void TestWindowPlacement::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    FStore = FDir->filePath("placement.ini");
    SetPlacementStoreFile(FStore);
}

void TestWindowPlacement::cleanup()
{
    SetPlacementStoreFile(QString());
}

void TestWindowPlacement::parseFourNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("any");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("four") << "1,2,3,4" << true << QList<int>{1, 2, 3, 4};
    QTest::newRow("negative") << "-1,-1,-32000,-32000" << true << QList<int>{-1, -1, -32000, -32000};
    QTest::newRow("two") << "10,20" << true << QList<int>{10, 20, 7, 7};
    QTest::newRow("none") << "" << false << QList<int>{7, 7, 7, 7};
    QTest::newRow("junk") << "a,b" << false << QList<int>{7, 7, 7, 7};
}

void TestWindowPlacement::parseFourNumbers()
{
    QFETCH(QString, text);
    QFETCH(bool, any);
    QFETCH(QList<int>, numbers);
    int values[4] = {7, 7, 7, 7};
    QCOMPARE(ParseFourNumbers(text, values), any);
    QCOMPARE((QList<int>{values[0], values[1], values[2], values[3]}), numbers);
}

void TestWindowPlacement::nothingSavedBeforeRestore()
{
    TFormCorvantaZonequilter w;
    w.resize(569, 500);
    QVERIFY(!SaveWindowPlacement(w));
    QVERIFY(!QFile::exists(FStore));
}

void TestWindowPlacement::savesTheSpecifiedValues()
{
    TFormCorvantaZonequilter w;
    w.setGeometry(30, 40, 569, 500);
    RestoreWindowPlacement(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setGeometry(30, 40, 569, 500);
    QVERIFY(SaveWindowPlacement(w));
    QSettings store(FStore, QSettings::IniFormat);
    store.beginGroup("TFormCorvantaZonequilter");
    QCOMPARE(store.value("FormVersion").toString(), QString("0"));
    QCOMPARE(store.value("Flags").toString(), QString("0"));
    QCOMPARE(store.value("ShowCmd").toString(), QString("1"));
    QCOMPARE(store.value("PixelsPerInch").toString(), QString::number(CurrentPpi()));
    QCOMPARE(store.value("MinMaxPos").toStringList().join(','), QString("-1,-1,-1,-1"));
    QCOMPARE(store.value("NormPos").toStringList().join(','), QString("30,40,599,540"));
}

void TestWindowPlacement::roundTrip()
{
    {
        TFormCorvantaZonequilter w;
        w.resize(569, 500);
        RestoreWindowPlacement(w);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setGeometry(120, 80, 640, 420);
        QVERIFY(SaveWindowPlacement(w));
    }
    TFormCorvantaZonequilter again;
    again.resize(569, 500);
    RestoreWindowPlacement(again);
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.geometry(), QRect(120, 80, 640, 420));
    QCOMPARE(again.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized), Qt::WindowNoState);
}

void TestWindowPlacement::maximizedRoundTrip()
{
    {
        TFormCorvantaZonequilter w;
        RestoreWindowPlacement(w);
        w.setGeometry(50, 60, 400, 300);
        w.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(SaveWindowPlacement(w));
    }
    QSettings store(FStore, QSettings::IniFormat);
    QCOMPARE(store.value(Group() + "ShowCmd").toString(), QString("3"));
    QCOMPARE(store.value(Group() + "NormPos").toStringList().join(','), QString("50,60,450,360"));

    TFormCorvantaZonequilter again;
    RestoreWindowPlacement(again);
    QVERIFY(again.windowState() & Qt::WindowMaximized);
    QCOMPARE(again.normalGeometry(), QRect(50, 60, 400, 300));
}

void TestWindowPlacement::otherDensityKeepsPositionButTakesState()
{
    {
        QSettings store(FStore, QSettings::IniFormat);
        store.setValue(Group() + "FormVersion", "0");
        store.setValue(Group() + "ShowCmd", "3");
        store.setValue(Group() + "PixelsPerInch", QString::number(CurrentPpi() + 24));
        store.setValue(Group() + "MinMaxPos", "-1,-1,-1,-1");
        store.setValue(Group() + "NormPos", "10,10,300,300");
    }
    TFormCorvantaZonequilter w;
    w.setGeometry(100, 100, 569, 500);
    RestoreWindowPlacement(w);
    QCOMPARE(w.geometry(), QRect(100, 100, 569, 500));
    QVERIFY(w.windowState() & Qt::WindowMaximized);
}

void TestWindowPlacement::negativeFormVersionIsIgnored()
{
    {
        QSettings store(FStore, QSettings::IniFormat);
        store.setValue(Group() + "FormVersion", "-1");
        store.setValue(Group() + "ShowCmd", "3");
        store.setValue(Group() + "PixelsPerInch", QString::number(CurrentPpi()));
        store.setValue(Group() + "NormPos", "10,10,300,300");
    }
    TFormCorvantaZonequilter w;
    w.setGeometry(100, 100, 569, 500);
    RestoreWindowPlacement(w);
    QCOMPARE(w.geometry(), QRect(100, 100, 569, 500));
    QVERIFY(!(w.windowState() & Qt::WindowMaximized));
}

void TestWindowPlacement::showCmd_data()
{
    QTest::addColumn<QString>("showCmd");
    QTest::addColumn<int>("state");
    for (const char* normal : {"1", "5", "9", "0", "4", "8", "x", ""})
        QTest::addRow("normal %s", normal) << normal << int(Qt::WindowNoState);
    for (const char* minimized : {"2", "6", "7"})
        QTest::addRow("minimized %s", minimized) << minimized << int(Qt::WindowMinimized);
    QTest::newRow("maximized 3") << "3" << int(Qt::WindowMaximized);
}

void TestWindowPlacement::showCmd()
{
    QFETCH(QString, showCmd);
    QFETCH(int, state);
    {
        QSettings store(FStore, QSettings::IniFormat);
        store.setValue(Group() + "ShowCmd", showCmd);
    }
    TFormCorvantaZonequilter w;
    RestoreWindowPlacement(w);
    QCOMPARE(int(w.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)), state);
}

void TestWindowPlacement::missingNormPosNumbersKeepCurrentBounds()
{
    {
        QSettings store(FStore, QSettings::IniFormat);
        store.setValue(Group() + "PixelsPerInch", QString::number(CurrentPpi()));
        store.setValue(Group() + "NormPos", "20,30");
    }
    TFormCorvantaZonequilter w;
    w.setGeometry(100, 100, 569, 500);
    RestoreWindowPlacement(w);
    // Right and bottom keep the current 669 and 600.
    QCOMPARE(w.geometry(), QRect(20, 30, 649, 570));
}

void TestWindowPlacement::windowSavedOnARemovedScreenComesBackOnScreen_data()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::addColumn<QString>("normPos");
    QTest::addColumn<QRect>("expected");
    const auto pos = [](const QRect& r) {
        return QStringLiteral("%1,%2,%3,%4")
            .arg(r.left())
            .arg(r.top())
            .arg(r.left() + r.width())
            .arg(r.top() + r.height());
    };
    // Partly on the screen: left as it is, as the user may have put it there.
    const QRect partly(area.right() - 100, area.top() + 10, 400, 300);
    QTest::newRow("partly on screen") << pos(partly) << partly;
    const QRect beyondRight(area.right() + 2000, area.top() + 20, 400, 300);
    QTest::newRow("beyond the right edge")
        << pos(beyondRight) << QRect(area.left() + area.width() - 400, area.top() + 20, 400, 300);
    const QRect aboveLeft(area.left() - 3000, area.top() - 3000, 300, 200);
    QTest::newRow("above and left") << pos(aboveLeft) << QRect(area.topLeft(), QSize(300, 200));
    const QRect huge(area.left() + area.width() + 10, area.top(), area.width() * 2, area.height() * 2);
    QTest::newRow("larger than the screen") << pos(huge) << area;
}

void TestWindowPlacement::windowSavedOnARemovedScreenComesBackOnScreen()
{
    QFETCH(QString, normPos);
    QFETCH(QRect, expected);
    {
        QSettings store(FStore, QSettings::IniFormat);
        store.setValue(Group() + "PixelsPerInch", QString::number(CurrentPpi()));
        store.setValue(Group() + "NormPos", normPos);
    }
    TFormCorvantaZonequilter w;
    w.setGeometry(100, 100, 569, 500);
    RestoreWindowPlacement(w);
    QCOMPARE(w.geometry(), expected);
}

QTEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
