#include "AppFolder.h"
#include "UnitBitmapLoader.h"
#include "UnitMain.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// The program has one image loader, made at start-up after the main window; the main window
// loads its pictures through it.
class TestProgramLoader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstLoaderIsTheProgramsUntilDestroyed();
    void mainWindowLoadsThroughTheProgramLoader();
    void windowWithoutAProgramLoaderKeepsItsOwn();

private:
    QString WritePicture(int Width, int Height);

    std::unique_ptr<QTemporaryDir> FDir;
};

void TestProgramLoader::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    // Settings.ini is read and written beside the program: keep it out of the build.
    SetAppFolderOverride(FDir->path());
}

void TestProgramLoader::cleanup()
{
    SetAppFolderOverride(QString());
    FDir.reset();
}

QString TestProgramLoader::WritePicture(int Width, int Height)
{
    QImage picture(Width, Height, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const QString fileName = FDir->filePath(QStringLiteral("picture.png"));
    if (!picture.save(fileName))
        return QString();
    return fileName;
}

void TestProgramLoader::firstLoaderIsTheProgramsUntilDestroyed()
{
    QCOMPARE(FormBitmapLoader, nullptr);
    {
        TFormBitmapLoader program;
        QCOMPARE(FormBitmapLoader, &program);
        TFormBitmapLoader other;
        QCOMPARE(FormBitmapLoader, &program);
    }
    QCOMPARE(FormBitmapLoader, nullptr);
}

void TestProgramLoader::mainWindowLoadsThroughTheProgramLoader()
{
    // The start-up order: main window first, the loader last.
    TFormCorvantaZonequilter window;
    window.SkipFirstPaint();
    TFormBitmapLoader program;
    QCOMPARE(FormBitmapLoader, &program);

    const QString picture = WritePicture(40, 30);
    QVERIFY(!picture.isEmpty());
    QString reason;
    QVERIFY(window.LoadImage(picture, &reason));
    QCOMPARE(window.Document()->Picture().size(), QSize(40, 30));
    QVERIFY(reason.isEmpty());
    QVERIFY(window.findChildren<TFormBitmapLoader*>().isEmpty());

    const QString missing = FDir->filePath(QStringLiteral("no such picture.png"));
    QVERIFY(!window.LoadImage(missing, &reason));
    QVERIFY(reason.contains(QStringLiteral("no such picture.png")));
    QCOMPARE(program.LastError(), reason);
    QCOMPARE(window.Document()->Picture().size(), QSize(40, 30));
}

void TestProgramLoader::windowWithoutAProgramLoaderKeepsItsOwn()
{
    TFormCorvantaZonequilter window;
    window.SkipFirstPaint();
    QCOMPARE(FormBitmapLoader, nullptr);
    const QString picture = WritePicture(25, 35);
    QVERIFY(!picture.isEmpty());
    QVERIFY(window.LoadImage(picture));
    QCOMPARE(window.Document()->Picture().size(), QSize(25, 35));
    QCOMPARE(window.findChildren<TFormBitmapLoader*>().size(), 1);
}

QTEST_MAIN(TestProgramLoader)
#include "tst_programloader.moc"
