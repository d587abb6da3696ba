#include "AppFolder.h"
#include "UnitSplash.h"

#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

class TestSplash : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void noSplashSwitch_data();
    void noSplashSwitch();
    void designState();
    void showsCentredWithMessage();
    void stepsToFifteenThenHides();
    void clickBeforeStepSevenIsIgnored();
    void clickFromStepSevenHides();
    void losingActivationHides();
    void missingBitmapShowsNothing();
    void noSplashArgumentShowsNothing();
    void canBeShownAgain();
    void globalWindow();

private:
    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<TFormSplash> FSplash;
};

void TestSplash::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    QImage picture(300, 120, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(FDir->filePath("Setup.bmp"), "BMP"));
    SetAppFolderOverride(FDir->path());
    FSplash = std::make_unique<TFormSplash>();
    FSplash->SetArguments({"zonequilter"});
}

void TestSplash::cleanup()
{
    FSplash.reset();
    SetAppFolderOverride(QString());
}

void TestSplash::noSplashSwitch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("found");
    QTest::newRow("none") << QStringList{"zq"} << false;
    QTest::newRow("slash lower") << QStringList{"zq", "/nosplash"} << true;
    QTest::newRow("dash upper") << QStringList{"zq", "-NOSPLASH"} << true;
    QTest::newRow("mixed after other") << QStringList{"zq", "file.htm", "-NoSplash"} << true;
    QTest::newRow("bare word") << QStringList{"zq", "NoSplash"} << false;
    QTest::newRow("double dash") << QStringList{"zq", "--nosplash"} << false;
    QTest::newRow("longer") << QStringList{"zq", "-nosplashes"} << false;
    QTest::newRow("program name not an argument") << QStringList{"-nosplash"} << false;
}

void TestSplash::noSplashSwitch()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, found);
    QCOMPARE(HasNoSplashSwitch(arguments), found);
}

void TestSplash::designState()
{
    QVERIFY(!FSplash->isVisible());
    QVERIFY(FSplash->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(FSplash->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(FSplash->size(), QSize(360, 102));
    QCOMPARE(FSplash->cursor().shape(), Qt::WaitCursor);
    QCOMPARE(FSplash->ProgressBar->minimum(), 0);
    QCOMPARE(FSplash->ProgressBar->maximum(), 15);
    QCOMPARE(FSplash->ProgressBar->geometry(), QRect(12, 102 - 22, 205, 10));
    QCOMPARE(FSplash->LabelMessage->pos(), QPoint(12, 102 - 39));
    QCOMPARE(FSplash->Timer->interval(), 80);
    QVERIFY(!FSplash->Timer->isActive());
}

void TestSplash::showsCentredWithMessage()
{
    FSplash->ShowSplash("Setup.bmp");
    QVERIFY(FSplash->isVisible());
    QCOMPARE(FSplash->size(), QSize(300, 120));
    const QRect screen = FSplash->screen()->geometry();
    QCOMPARE(FSplash->pos(),
             QPoint(screen.left() + (screen.width() - 300) / 2, screen.top() + (screen.height() - 120) / 2));
    QCOMPARE(FSplash->LabelMessage->text(), QString("Loading Corvanta Zonequilter - Please wait."));
    QCOMPARE(FSplash->LabelMessage->pos(), QPoint(12, 120 - 39));
    QCOMPARE(FSplash->ProgressBar->geometry(), QRect(12, 120 - 22, 205, 10));
    QCOMPARE(FSplash->ProgressBar->value(), 0);
    QVERIFY(FSplash->Timer->isActive());
    QCOMPARE(FSplash->FBitmap.size(), QSize(300, 120));
    const QImage shown = FSplash->grab().toImage();
    QCOMPARE(shown.pixelColor(250, 5), QColor(Qt::darkCyan));
}

void TestSplash::stepsToFifteenThenHides()
{
    FSplash->ShowSplash("Setup.bmp");
    for (int step = 1; step < 15; ++step) {
        FSplash->TimerTimer();
        QCOMPARE(FSplash->ProgressBar->value(), step);
        QVERIFY(FSplash->isVisible());
    }
    FSplash->TimerTimer();
    QVERIFY(!FSplash->isVisible());
    QVERIFY(!FSplash->Timer->isActive());
    QVERIFY(FSplash->FBitmap.isNull());
    QCOMPARE(FSplash->geometry(), QRect(0, 0, 0, 0));
}

void TestSplash::clickBeforeStepSevenIsIgnored()
{
    FSplash->ShowSplash("Setup.bmp");
    for (int step = 0; step < 6; ++step)
        FSplash->TimerTimer();
    QTest::mouseClick(FSplash.get(), Qt::LeftButton, {}, QPoint(250, 10));
    QVERIFY(FSplash->isVisible());
    QCOMPARE(FSplash->ProgressBar->value(), 6);
}

void TestSplash::clickFromStepSevenHides()
{
    FSplash->ShowSplash("Setup.bmp");
    for (int step = 0; step < 7; ++step)
        FSplash->TimerTimer();
    QTest::mouseClick(FSplash.get(), Qt::LeftButton, {}, QPoint(250, 10));
    QVERIFY(!FSplash->isVisible());
    QVERIFY(!FSplash->Timer->isActive());
}

void TestSplash::losingActivationHides()
{
    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    FSplash->ShowSplash("Setup.bmp");
    QVERIFY(QTest::qWaitForWindowActive(FSplash.get()));
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_VERIFY(!FSplash->isVisible());
}

void TestSplash::missingBitmapShowsNothing()
{
    FSplash->ShowSplash("Missing.bmp");
    QVERIFY(!FSplash->isVisible());
    QVERIFY(!FSplash->Timer->isActive());
    QFile junk(FDir->filePath("Junk.bmp"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    FSplash->ShowSplash("Junk.bmp");
    QVERIFY(!FSplash->isVisible());
}

void TestSplash::noSplashArgumentShowsNothing()
{
    FSplash->SetArguments({"zonequilter", "/NOSPLASH"});
    FSplash->ShowSplash("Setup.bmp");
    QVERIFY(!FSplash->isVisible());
    FSplash->SetArguments({"zonequilter", "NoSplash"});
    FSplash->ShowSplash("Setup.bmp");
    QVERIFY(FSplash->isVisible());
}

void TestSplash::canBeShownAgain()
{
    FSplash->ShowSplash("Setup.bmp");
    for (int step = 0; step < 15; ++step)
        FSplash->TimerTimer();
    QVERIFY(!FSplash->isVisible());
    FSplash->ShowSplash("Setup.bmp");
    QVERIFY(FSplash->isVisible());
    QCOMPARE(FSplash->ProgressBar->value(), 0);
    QCOMPARE(FSplash->size(), QSize(300, 120));
}

void TestSplash::globalWindow()
{
    QCOMPARE(FormSplash, FSplash.get());
    ShowSplash("Setup.bmp");
    QVERIFY(FSplash->isVisible());
    FSplash.reset();
    QCOMPARE(FormSplash, nullptr);
    ShowSplash("Setup.bmp"); // no window: nothing happens
}

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
