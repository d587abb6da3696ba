#include "EditorFixture.h"

#include "ImageMapWriter.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "RecoveryFile.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
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
    void offeredAfterAKill_data();
    void offeredAfterAKill();

private:
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
    f.Window->TBRect->trigger();
    f.Drag(20, 20, 80, 70);
    f.Window->TBCircle->trigger();
    f.Drag(150, 100, 180, 100);
    f.Window->UpdateRecoveryFile();
    // The file is written on another thread.
    if (!QTest::qWaitFor([&] { return !f.Window->RecoveryFile()->Writing(); }))
        return 1;
    QTextStream(stdout) << BuildImageMapHTML(f.Window->FImageFileName, f.Window->FMapName,
                                             GatherMapAreas(*f.Scene()))
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
    f.Window->TBRect->trigger();
    f.Drag(20, 20, 80, 80);
    // Written once the edits pause.
    QTRY_VERIFY(QFile::exists(path));
    TRecoveryState state;
    QVERIFY(TRecoveryFile::Read(path, state));
    QCOMPARE(state.HTML,
             BuildImageMapHTML(f.Window->FImageFileName, f.Window->FMapName, GatherMapAreas(*f.Scene())));
    f.Window->MIUndo->trigger();
    QTRY_VERIFY(!QFile::exists(path));
}

void TestRecovery::removedOnACleanEnd()
{
    QString path;
    {
        MainWindowFixture f;
        path = f.Window->RecoveryFile()->FilePath();
        f.Window->TBRect->trigger();
        f.Drag(20, 20, 80, 80);
        f.Window->UpdateRecoveryFile();
        QTRY_VERIFY(QFile::exists(path));
    }
    QVERIFY(!QFile::exists(path));
    QVERIFY(recoveryFiles().isEmpty());
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
    QCOMPARE(f.Window->OfferRecovery(), yes);
    QCOMPARE(FTexts.size(), 1);
    QVERIFY2(FTexts.first().startsWith(QStringLiteral("Recover the unsaved image map from ")),
             qPrintable(FTexts.first()));
    const QString text =
        BuildImageMapHTML(f.Window->FImageFileName, f.Window->FMapName, GatherMapAreas(*f.Scene()));
    QCOMPARE(text == drawn, yes);
    QCOMPARE(f.Window->isWindowModified(), yes);
    // Either way the left-over file is dealt with: it is not offered again.
    QVERIFY(f.Window->RecoveryFile()->LeftOverFiles().isEmpty());
    if (yes) {
        QCOMPARE(f.Window->MIUndo->text(), QStringLiteral("&Undo Recover Image Map"));
        QTRY_COMPARE(recoveryFiles(),
                     QStringList{QFileInfo(f.Window->RecoveryFile()->FilePath()).fileName()});
    }
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
