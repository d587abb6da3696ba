// The command line: what the real program prints and returns for its options, and the file it
// names taking the demonstration map's place in the real window.
#include "AppFolder.h"
#include "CommandLine.h"
#include "MessageBoxes.h"
#include "UPTFrame.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"
#include "WindowParts.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void parse_data();
    void parse();
    void entryPoint_data();
    void entryPoint();
    void startupFile_data();
    void startupFile();

private:
    QString WriteFile(const QString& Name, const QByteArray& Bytes);

    std::unique_ptr<QTemporaryDir> FDir;
    QStringList FMessages;
    MessageBoxRunner FOldRunner;
};

namespace {
QByteArray MapPage(int Maps)
{
    QByteArray page = "<html><body>\n";
    for (int m = 0; m < Maps; ++m) {
        page += QStringLiteral("<img src=\"picture.png\" usemap=\"#Map%1\">\n<map name=\"Map%1\">\n")
                    .arg(m)
                    .toUtf8();
        for (int a = 0; a <= m; ++a)
            page += QStringLiteral("<area shape=rect coords=%1,10,%2,40 href=\"m%3a%4.htm\">\n")
                        .arg(10 + 40 * a)
                        .arg(40 + 40 * a)
                        .arg(m)
                        .arg(a)
                        .toUtf8();
        page += "</map>\n";
    }
    return page + "</body></html>\n";
}
} // namespace

void TestCommandLine::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    FMessages.clear();
    FOldRunner = SetMessageBoxRunner([this](QMessageBox& Box) {
        FMessages.append(Box.text());
        return QMessageBox::Ok;
    });
}

void TestCommandLine::cleanup()
{
    SetMessageBoxRunner(FOldRunner);
    SetAppFolderOverride(QString());
    FDir.reset();
}

QString TestCommandLine::WriteFile(const QString& Name, const QByteArray& Bytes)
{
    QFile file(FDir->filePath(Name));
    if (!file.open(QIODevice::WriteOnly) || file.write(Bytes) != Bytes.size())
        return QString();
    return file.fileName();
}

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("exitNow");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("errorText");

    QTest::newRow("nothing") << QStringList{} << false << 0 << ""
                             << "";
    QTest::newRow("a file address")
        << QStringList{QUrl::fromLocalFile(QDir::current().absoluteFilePath("m b.htm")).toString()} << false
        << 0 << "m b.htm"
        << "";
    QTest::newRow("a file") << QStringList{"map.htm"} << false << 0 << "map.htm"
                            << "";
    QTest::newRow("-nosplash and a file") << QStringList{"-nosplash", "map.htm"} << false << 0 << "map.htm"
                                          << "";
    QTest::newRow("/NOSPLASH after a file") << QStringList{"map.htm", "/NOSPLASH"} << false << 0 << "map.htm"
                                            << "";
    QTest::newRow("-NoSplash alone") << QStringList{"-NoSplash"} << false << 0 << ""
                                     << "";
    QTest::newRow("--nosplash") << QStringList{"--nosplash"} << false << 0 << ""
                                << "";
    QTest::newRow("bare NoSplash is a file") << QStringList{"NoSplash"} << false << 0 << "NoSplash"
                                             << "";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << true << 2 << ""
                                    << "Unknown option 'frobnicate'.";
    QTest::newRow("two files") << QStringList{"a.htm", "b.htm"} << true << 2 << ""
                               << "Only one file can be opened at a time.";
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, exitNow);
    QFETCH(int, exitCode);
    QFETCH(QString, file);
    QFETCH(QString, errorText);

    const TCommandLine result = ParseCommandLine(QStringList{"/usr/bin/zonequilter"} + arguments, true);
    QCOMPARE(result.ExitNow, exitNow);
    QCOMPARE(result.ExitCode, exitCode);
    QCOMPARE(result.FileName, file.isEmpty() ? QString() : QDir::current().absoluteFilePath(file));
    QVERIFY(result.Output.isEmpty());
    if (errorText.isEmpty())
        QVERIFY(result.ErrorOutput.isEmpty());
    else
        QVERIFY2(result.ErrorOutput.startsWith("zonequilter: " + errorText), qPrintable(result.ErrorOutput));
}

void TestCommandLine::entryPoint_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("standardOutput");
    QTest::addColumn<QString>("standardError");

    const QString version = QStringLiteral("Corvanta Zonequilter %1\n").arg(ZQ_TEST_PROJECT_VERSION);
    // --help and --version need no display at all: they are answered before any window.
    QTest::newRow("--help") << QStringList{"--help"} << false << 0 << "Usage: zonequilter [options] [file]\n"
                            << "";
    QTest::newRow("-h") << QStringList{"-h"} << false << 0 << "Usage: zonequilter [options] [file]\n"
                        << "";
    QTest::newRow("--version") << QStringList{"--version"} << false << 0 << version << "";
    QTest::newRow("-nosplash --version")
        << QStringList{"-nosplash", "--version"} << false << 0 << version << "";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << true << 2 << ""
                                    << "zonequilter: Unknown option 'frobnicate'.\n";
    QTest::newRow("two files") << QStringList{"a.htm", "b.htm"} << true << 2 << ""
                               << "zonequilter: Only one file can be opened at a time.\n";
}

void TestCommandLine::entryPoint()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, exitCode);
    QFETCH(QString, standardOutput);
    QFETCH(QString, standardError);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Qt warns on a missing runtime folder; the test looks at the program's own output.
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), FDir->path());
    if (display)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    else
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZQ_APP_DIR "/zonequilter"), arguments);
    QVERIFY(program.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    if (standardOutput.startsWith("Usage:")) {
        QVERIFY2(out.startsWith(standardOutput), qPrintable(out));
        QVERIFY(out.contains("--version"));
        QVERIFY(out.contains("  -nosplash "));
        QVERIFY(!out.contains("--nosplash"));
    } else {
        QCOMPARE(out, standardOutput);
    }
    if (standardError.isEmpty())
        QVERIFY2(err.isEmpty(), qPrintable(err));
    else
        QVERIFY2(err.startsWith(standardError), qPrintable(err));
}

void TestCommandLine::startupFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("regions");
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<QSize>("bitmapSize");
    QTest::addColumn<bool>("listShown");
    QTest::addColumn<QString>("message");

    QTest::newRow("one map imports at once")
        << "one.htm" << MapPage(1) << 1 << "Map0" << QSize(200, 60) << false << "";
    // The list shows; the second entry is picked there.
    QTest::newRow("several maps show the list")
        << "three.htm" << MapPage(3) << 2 << "Map1" << QSize(200, 60) << true << "";
    QTest::newRow("HTML without a suffix")
        << "page" << MapPage(1) << 1 << "Map0" << QSize(200, 60) << false << "";
    for (const char* suffix : {"php", "asp", "aspx", "jsp", "shtml"})
        QTest::addRow("server-side page .%s imports", suffix)
            << QStringLiteral("page.%1").arg(suffix) << QByteArray("<?php $t = \"a\"; ?>\n" + MapPage(1)) << 1
            << "Map0" << QSize(200, 60) << false << "";
    QTest::newRow("a folder: message, empty editor")
        << "folder.htm/" << QByteArray() << 0 << "ImageMap" << QSize(105, 105) << false << "it is a folder.";
    QTest::newRow("a picture starts a new map")
        << "picture.png" << QByteArray() << 0 << "ImageMap" << QSize(200, 60) << false << "";
    QTest::newRow("anything else: message, empty editor")
        << "notes.txt" << QByteArray("just some words\n") << 0 << "ImageMap" << QSize(105, 105) << false
        << "It is neither an HTML file nor a picture.";
    QTest::newRow("missing file: message, empty editor")
        << "" << QByteArray() << 0 << "ImageMap" << QSize(105, 105) << false << "The file does not exist.";
}

void TestCommandLine::startupFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, regions);
    QFETCH(QString, mapName);
    QFETCH(QSize, bitmapSize);
    QFETCH(bool, listShown);
    QFETCH(QString, message);

    QImage picture(200, 60, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(FDir->filePath("picture.png")));
    if (name.endsWith('/'))
        QVERIFY(QDir(FDir->path()).mkdir(name.chopped(1)));
    const QString file = name.isEmpty()    ? FDir->filePath("no such file.htm")
                         : bytes.isEmpty() ? FDir->filePath(name)
                                           : WriteFile(name, bytes);
    QVERIFY(!file.isEmpty());
    // The demonstration map lies beside the program: were it imported, its map would show.
    QVERIFY(QFile::copy(ZQ_APP_DIR "/demo.htm", FDir->filePath("demo.htm")));
    QVERIFY(QFile::copy(ZQ_APP_DIR "/demo.jpg", FDir->filePath("demo.jpg")));
    SetAppFolderOverride(FDir->path());

    TFormCorvantaZonequilter window;
    TFormHTMLImport import(window);
    bool listSeen = false;
    QTimer picker;
    connect(&picker, &QTimer::timeout, [&] {
        if (!import.isVisible())
            return;
        listSeen = true;
        import.SelectEntry(1);
        import.ButtonOK->click();
    });
    picker.start(20);
    window.SetStartupFile(file);
    window.show();
    QTRY_VERIFY(window.Document()->MapName() != "ImageMap" ||
                window.Document()->Picture().size() != QSize(105, 105) || !FMessages.isEmpty());
    QTest::qWait(50);

    QCOMPARE(Find<TPTGroup>(window, "PanelScene")->Regions().size(), regions);
    QCOMPARE(window.Document()->MapName(), mapName);
    QCOMPARE(window.Document()->Picture().size(), bitmapSize);
    QCOMPARE(listSeen, listShown);
    if (message.isEmpty()) {
        QVERIFY2(FMessages.isEmpty(), qPrintable(FMessages.join('\n')));
    } else {
        QCOMPARE(FMessages.size(), 1);
        QVERIFY2(FMessages.first().contains(message), qPrintable(FMessages.first()));
    }
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
