#include "EditorFixture.h"

#include "ImageMapWriter.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "PersonAnswer.h"
#include "RecoveryFile.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UnitSplash.h"
#include "WindowParts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <atomic>
#include <csignal>

// The recovery file: written while the document is modified, gone after a clean end, offered
// after a run that was killed, and never taken from an instance that is still running.
class TestRecovery : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void writtenWhileModifiedAndRemovedWhenClean();
    void removedOnACleanEnd();
    void largeTextsReadBackWhole();
    void offeredAfterAKill_data();
    void offeredAfterAKill();
    void plainStartShowsTheSplash();

private:
    // Starts the window as the program does, on a picture named on the command line, with the
    // splash ready to show.
    static void StartOnAPicture(MainWindowFixture& f, TFormSplash& splash)
    {
        splash.SetArguments({});
        QFile::copy(QStringLiteral(ZQ_APP_DIR "/Setup.bmp"), GetAppFilePath(QStringLiteral("Setup.bmp")));
        QImage picture(60, 40, QImage::Format_RGB32);
        picture.fill(Qt::yellow);
        const QString path = GetAppFilePath(QStringLiteral("start.png"));
        QVERIFY(picture.save(path));
        f.Window->SetStartupFile(path);
        Invoke(*f.Window, "FormPaint");
    }
    static QStringList recoveryFiles()
    {
        return QDir(TRecoveryFile::DefaultFolder()).entryList({QStringLiteral("*.recovery")}, QDir::Files);
    }
    QStringList FTexts;
    bool FYes = true;
};

// The instance that gets killed: draws two regions, lets its recovery file be written and waits.
static int RunEditingInstance()
{
    MainWindowFixture f;
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(20, 20, 80, 70);
    Find<QAction>(*f.Window, "TBCircle")->trigger();
    f.Drag(150, 100, 180, 100);
    f.Window->UpdateRecoveryFile();
    // The file is written on another thread.
    if (!QTest::qWaitFor([&] { return !f.Window->RecoveryFile()->Writing(); }))
        return 1;
    QTextStream(stdout) << BuildImageMapHTML(f.Window->Document()->ImageFileName(),
                                             f.Window->Document()->MapName(), GatherMapAreas(*f.Scene()))
                               .toUtf8()
                               .toBase64()
                        << Qt::endl;
    return QCoreApplication::exec();
}

void TestRecovery::init()
{
    QDir(TRecoveryFile::DefaultFolder()).removeRecursively();
    FTexts.clear();
    SetMessageBoxRunner([this](QMessageBox& box) {
        FTexts.append(box.text());
        return FYes ? QMessageBox::Yes : QMessageBox::No;
    });
    SharedSaveDialog()->SetFileName(QString());
}

void TestRecovery::cleanup()
{
    SetMessageBoxRunner({});
}

void TestRecovery::writtenWhileModifiedAndRemovedWhenClean()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    const QString path = f.Window->RecoveryFile()->FilePath();
    QVERIFY(!QFile::exists(path));
    Find<QAction>(*f.Window, "TBRect")->trigger();
    f.Drag(20, 20, 80, 80);
    // Written once the edits pause.
    QTRY_VERIFY(QFile::exists(path));
    TRecoveryState state;
    QVERIFY(TRecoveryFile::Read(path, state));
    QCOMPARE(state.HTML, BuildImageMapHTML(f.Window->Document()->ImageFileName(),
                                           f.Window->Document()->MapName(), GatherMapAreas(*f.Scene())));
    Find<QAction>(*f.Window, "MIUndo")->trigger();
    QTRY_VERIFY(!QFile::exists(path));
}

void TestRecovery::removedOnACleanEnd()
{
    QString path;
    {
        MainWindowFixture f;
        path = f.Window->RecoveryFile()->FilePath();
        Find<QAction>(*f.Window, "TBRect")->trigger();
        f.Drag(20, 20, 80, 80);
        f.Window->UpdateRecoveryFile();
        QTRY_VERIFY(QFile::exists(path));
    }
    QVERIFY(!QFile::exists(path));
    QVERIFY(recoveryFiles().isEmpty());
}

// The page's text is written in pieces of a mebi-character: pieces must join into the very text,
// a surrogate pair, an escaped quote or a control character at the seam included.
void TestRecovery::largeTextsReadBackWhole()
{
    constexpr qsizetype Piece = 1 << 20;
    const QString emoji = QString::fromUtf8("\xF0\x9F\x97\xBA"); // one character, two UTF-16 units
    TRecoveryFile file(QDir::temp().filePath(QStringLiteral("zq-recovery-pieces")));
    for (const QString& seam :
         {emoji, QStringLiteral("\"\\"), QStringLiteral("\n\t\x01"), QStringLiteral("Größe €")}) {
        TRecoveryState state;
        state.MapName = seam;
        state.HTML = QString(Piece - 1, QLatin1Char('a')) + seam + QString(Piece, QLatin1Char('b')) + seam;
        QVERIFY(file.Write(state));
        TRecoveryState read;
        QVERIFY(TRecoveryFile::Read(file.FilePath(), read));
        QCOMPARE(read.MapName, seam);
        QVERIFY(read.HTML == state.HTML);
    }
    // A write superseded while its text is made is given up: a removal meanwhile leaves no file.
    TRecoveryState later;
    later.HTML = QStringLiteral("later");
    std::atomic<bool> building{false};
    file.WriteLater(later, [&](const std::function<bool()>& superseded) {
        building = true;
        while (!superseded())
            QThread::msleep(1);
        return QString(3 * Piece, QLatin1Char('c'));
    });
    QTRY_VERIFY(building);
    file.Remove();
    QTRY_VERIFY(!file.Writing());
    QVERIFY(!QFile::exists(file.FilePath()));
    QDir(file.Folder()).removeRecursively();
}

void TestRecovery::offeredAfterAKill_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("recovered") << true;
    QTest::newRow("declined") << false;
}

void TestRecovery::offeredAfterAKill()
{
    QFETCH(bool, yes);
    FYes = yes;
    QProcess instance;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZQ_RECOVERY_INSTANCE"), QStringLiteral("1"));
    instance.setProcessEnvironment(environment);
    instance.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(instance.waitForStarted());
    QVERIFY(instance.waitForReadyRead(20000));
    const QString drawn = QString::fromUtf8(QByteArray::fromBase64(instance.readLine().trimmed()));
    QVERIFY(drawn.contains(QStringLiteral("CIRCLE")));
    QCOMPARE(recoveryFiles().size(), 1);

    MainWindowFixture f;
    QVERIFY(f.Ready);
    // A running instance's file is not taken.
    QVERIFY(f.Window->RecoveryFile()->LeftOverFiles().isEmpty());
    QVERIFY(!f.Window->OfferRecovery());
    QVERIFY(FTexts.isEmpty());

    ::kill(pid_t(instance.processId()), SIGKILL);
    QVERIFY(instance.waitForFinished());
    QCOMPARE(f.Window->RecoveryFile()->LeftOverFiles().size(), 1);
    // Asked at the start, and answered as a person does, a while after the question shows.
    SetMessageBoxRunner({});
    TPersonAnswer answer(TPersonAnswer::MessageBoxButton(yes ? QMessageBox::Yes : QMessageBox::No));
    TFormSplash splash;
    StartOnAPicture(f, splash);
    QVERIFY2(answer.Answered(), qPrintable(answer.Failure()));
    QVERIFY2(answer.ShownText().startsWith(QStringLiteral("Recover the unsaved image map from ")),
             qPrintable(answer.ShownText()));
    // The splash belongs to a plain start: after the question it would cover the map.
    QVERIFY(!splash.isVisible());
    const QString text = BuildImageMapHTML(f.Window->Document()->ImageFileName(),
                                           f.Window->Document()->MapName(), GatherMapAreas(*f.Scene()));
    QCOMPARE(text == drawn, yes);
    QCOMPARE(f.Window->isWindowModified(), yes);
    // Either way the left-over file is dealt with: it is not offered again.
    QVERIFY(f.Window->RecoveryFile()->LeftOverFiles().isEmpty());
    if (yes) {
        QCOMPARE(Find<QAction>(*f.Window, "MIUndo")->text(), QStringLiteral("&Undo Recover Image Map"));
        QTRY_COMPARE(recoveryFiles(),
                     QStringList{QFileInfo(f.Window->RecoveryFile()->FilePath()).fileName()});
    }
}

void TestRecovery::plainStartShowsTheSplash()
{
    MainWindowFixture f;
    QVERIFY(f.Ready);
    TFormSplash splash;
    StartOnAPicture(f, splash);
    QVERIFY(FTexts.isEmpty());
    QVERIFY(splash.isVisible());
    QCOMPARE(f.Window->Document()->Picture().size(), QSize(60, 40));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("ZQ_RECOVERY_INSTANCE"))
        return RunEditingInstance();
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
