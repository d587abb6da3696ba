// The command line's tasks without a window, run as the real program without a display: what they
// print, write and return; and --write-page giving the bytes the window's Save As writes.
#include "MessageBoxes.h"
#include "SharedDialogs.h"
#include "UPTFrame.h"
#include "UnitMain.h"
#include "WindowParts.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestHeadless : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();
    void jsonFindings();
    void writePageIsWhatSaveAsWrites();
    void exportedPageRefersToThePicture();

private:
    struct TResult
    {
        int ExitCode = -1;
        QString Out;
        QString Err;
    };
    TResult Run(const QStringList& Arguments);
    void Write(const QString& Name, const QByteArray& Bytes);

    QTemporaryDir FDir;
};

namespace {
const QByteArray kPicturePage = "<html><body>\n"
                                "<img src=\"pic.png\" usemap=\"#Nav\">\n"
                                "<map name=\"Nav\" id=\"nav\">\n";
const QByteArray kEnd = "</map>\n</body></html>\n";
} // namespace

void TestHeadless::initTestCase()
{
    QVERIFY(FDir.isValid());
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(FDir.filePath("pic.png")));
    Write("a.html", "");
    Write("clean.html",
          kPicturePage + "<area shape=rect coords=\"0,0,50,50\" href=\"a.html\" alt=\"A\">\n" + kEnd);
    Write("warn.html",
          kPicturePage + "<area shape=rect coords=\"0,0,50,50\" href=\"a.html\">\n" +
              "<area shape=poly coords=\"60,0,120,60,120,0,60,60\" href=\"a.html#x\" alt=\"X\">\n" + kEnd);
    Write("note.html",
          kPicturePage + "<area shape=rect coords=\"180,0,230,50\" href=\"a.html\" alt=\"A\">\n" + kEnd);
    QVERIFY(QDir(FDir.path()).mkpath("site/sub"));
    Write("site/sub/deep.htm",
          kPicturePage + "<area shape=rect coords=\"0,0,5,50\" href=\"#top\" alt=\"T\">\n" + kEnd);
    Write("site/notes.txt", "<map name=x><area href=y></map>");
}

void TestHeadless::Write(const QString& Name, const QByteArray& Bytes)
{
    QFile file(FDir.filePath(Name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(Bytes), Bytes.size());
}

TestHeadless::TResult TestHeadless::Run(const QStringList& Arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No display of any kind: the program must not need one for these tasks.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(FDir.path());
    program.start(QStringLiteral(ZQ_APP_DIR "/zonequilter"), Arguments);
    TResult result;
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
        return result;
    result.ExitCode = program.exitCode();
    result.Out = QString::fromUtf8(program.readAllStandardOutput());
    result.Err = QString::fromUtf8(program.readAllStandardError());
    return result;
}

void TestHeadless::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // what the standard error starts with

    QTest::newRow("no findings") << QStringList{"--check", "clean.html"} << 0 << ""
                                 << "";
    QTest::newRow("warnings, in the compiler's format")
        << QStringList{"--check", "warn.html", "clean.html"} << 1
        << "warn.html:4:1: warning: area 1 (\"a.html\"): no alternate text\n"
           "warn.html:5:1: warning: area 2 (\"X\"): polygon whose edges cross\n"
        << "";
    QTest::newRow("notes alone pass") << QStringList{"--check", "note.html"} << 0
                                      << "note.html:4:1: note: area 1 (\"A\"): partly outside the picture\n"
                                      << "";
    QTest::newRow("a folder: its HTML files at any depth")
        << QStringList{"--check", "site"} << 1
        << "site/sub/deep.htm:4:1: warning: area 1 (\"T\"): target of 5 x 50 pixels, smaller than 24 x 24\n"
        << "";
    QTest::newRow("a missing file among good ones")
        << QStringList{"--check", "clean.html", "missing.html", "note.html"} << 2
        << "note.html:4:1: note: area 1 (\"A\"): partly outside the picture\n"
        << "missing.html: error: Cannot read ";
    QTest::newRow("--write-page of a missing page")
        << QStringList{"--write-page", "none.html", "-o", "out.htm"} << 2 << ""
        << "none.html: error: Cannot read ";
    QTest::newRow("--map that the page lacks")
        << QStringList{"--export-svg", "clean.html", "--map", "Other", "-o", "out.html"} << 2 << ""
        << "clean.html: error: The page has no map named \"Other\".";
    QTest::newRow("an output that cannot be written")
        << QStringList{"--write-page", "clean.html", "-o", "no/such/folder/out.htm"} << 2 << ""
        << "no/such/folder/out.htm: error: Cannot write ";
    const QString more = "\nTry 'zonequilter --help' for more information.\n";
    QTest::newRow("unknown option") << QStringList{"--check", "--colour", "clean.html"} << 2 << ""
                                    << "zonequilter: Unknown option 'colour'." + more;
    // Without a display the window cannot be had either: the option is named all the same.
    QTest::newRow("a mistyped task") << QStringList{"--chek", "clean.html"} << 2 << ""
                                     << "zonequilter: Unknown option 'chek'." + more;
    QTest::newRow("an unknown option beside Qt's own")
        << QStringList{"-style", "fusion", "-reverse", "--bogus"} << 2 << ""
        << "zonequilter: Unknown option 'bogus'." + more;
    QTest::newRow("--check without files")
        << QStringList{"--check"} << 2 << ""
        << "zonequilter: --check needs at least one file or folder." + more;
    QTest::newRow("unknown format") << QStringList{"--check", "--format=xml", "clean.html"} << 2 << ""
                                    << "zonequilter: Unknown format \"xml\": use text or json." + more;
    QTest::newRow("--format without --check") << QStringList{"--format=json", "clean.html"} << 2 << ""
                                              << "zonequilter: --format goes only with --check." + more;
    QTest::newRow("--export-svg without -o")
        << QStringList{"--export-svg", "clean.html"} << 2 << ""
        << "zonequilter: --export-svg needs the file to write: -o FILE." + more;
    QTest::newRow("two tasks") << QStringList{"--check", "--write-page", "clean.html", "-o", "x.htm"} << 2
                               << ""
                               << "zonequilter: Give only one of --check, --export-svg and --write-page." +
                                      more;
    QTest::newRow("--help names the tasks") << QStringList{"--help"} << 0 << "--write-page <page>"
                                            << "";
    QTest::newRow("--help-all adds Qt's options") << QStringList{"--help-all"} << 0 << "-platform <"
                                                  << "";
}

void TestHeadless::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const TResult result = Run(arguments);
    QCOMPARE(result.ExitCode, exitCode);
    if (arguments.first().startsWith("--help"))
        QVERIFY2(result.Out.contains(out), qPrintable(result.Out));
    else
        QCOMPARE(result.Out, out);
    // Qt may warn about the environment on its way to the help (a missing runtime folder).
    if (!arguments.first().startsWith("--help"))
        QVERIFY2(err.isEmpty() ? result.Err.isEmpty() : result.Err.startsWith(err), qPrintable(result.Err));
}

void TestHeadless::jsonFindings()
{
    const TResult result = Run({"--check", "--format=json", "warn.html", "note.html", "clean.html"});
    QCOMPARE(result.ExitCode, 1);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.Out.toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(result.Out));
    QStringList seen;
    for (const QJsonValue& value : document.array()) {
        const QJsonObject o = value.toObject();
        seen << QStringLiteral("%1:%2:%3 %4 %5 %6 area %7: %8")
                    .arg(o["file"].toString())
                    .arg(o["line"].toInt())
                    .arg(o["column"].toInt())
                    .arg(o["severity"].toString(), o["rule"].toString(), o["map"].toString())
                    .arg(o["area"].toInt())
                    .arg(o["message"].toString());
    }
    QCOMPARE(seen, (QStringList{"warn.html:4:1 warning no-alt Nav area 1: no alternate text",
                                "warn.html:5:1 warning self-crossing Nav area 2: polygon whose edges cross",
                                "note.html:4:1 note partly-outside Nav area 1: partly outside the picture"}));
    QCOMPARE(Run({"--check", "--format=json", "clean.html"}).Out, QStringLiteral("[]\n"));
}

void TestHeadless::writePageIsWhatSaveAsWrites()
{
    // Texts the writer treats specially: quotes, references, non-ASCII, kept attributes, a nohref.
    const QByteArray page =
        kPicturePage +
        "<area shape=rect coords=\"0,0,50,50\" href=\"a.html?x=1&amp;y=2\" alt='Say \"hi\"' "
        "title=\"Grüße\" onclick=\"go()\">\n"
        "<area shape=circle coords=\"100,50,20\" href=\"b.html\" alt=\"Café &copy;\" target=_top>\n"
        "<area shape=poly coords=\"130,0,190,0,160,90\" nohref alt=\"\">\n" +
        kEnd;
    Write("save.html", page);
    const TResult result = Run({"--write-page", "save.html", "-o", "cli.htm"});
    QCOMPARE(result.ExitCode, 0);
    QVERIFY2(result.Err.isEmpty(), qPrintable(result.Err));

    QStringList messages;
    const MessageBoxRunner oldRunner = SetMessageBoxRunner([&](QMessageBox& Box) {
        messages << Box.text();
        return QMessageBox::Ok;
    });
    {
        TFormCorvantaZonequilter window;
        window.SetStartupFile(FDir.filePath("save.html"));
        window.show();
        QTRY_COMPARE(window.Document()->MapName(), QStringLiteral("Nav"));
        QTRY_COMPARE(Find<TPTGroup>(window, "PanelScene")->Regions().size(), 3);
        const DialogRunner oldDialogs = SetDialogRunner(ChooseFileRunner(FDir.filePath("window.htm")));
        Find<QAction>(window, "MISaveAs")->trigger();
        SetDialogRunner(oldDialogs);
    }
    SetMessageBoxRunner(oldRunner);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    QFile saved(FDir.filePath("window.htm")), written(FDir.filePath("cli.htm"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray expected = saved.readAll();
    QVERIFY(expected.contains("<AREA shape=CIRCLE"));
    QCOMPARE(written.readAll(), expected);
    // The standard output gets the same bytes.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(FDir.path());
    program.start(QStringLiteral(ZQ_APP_DIR "/zonequilter"), {"--write-page", "save.html", "-o", "-"});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.readAllStandardOutput(), expected);
}

void TestHeadless::exportedPageRefersToThePicture()
{
    QVERIFY(QDir(FDir.path()).mkpath("out"));
    const TResult result = Run({"--export-svg", "warn.html", "--map", "nav", "-o", "out/map.html"});
    QCOMPARE(result.ExitCode, 0);
    QFile file(FDir.filePath("out/map.html"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray page = file.readAll();
    // Beside the page in another folder, the picture is found relative to the written page.
    QVERIFY2(page.contains("<img src=\"../pic.png\""), page.constData());
    QVERIFY2(page.contains("viewBox=\"0 0 200 100\""), page.constData());
    QVERIFY(page.contains("<polygon points=\"60,0 120,60 120,0 60,60\"/>"));
}

QTEST_MAIN(TestHeadless)
#include "tst_headless.moc"
