// The private preview folders that runs leave behind when they are killed: a start removes this
// user's folders of runs that are gone, and nothing else.
#include "PreviewFolder.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestPreviewLeftovers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void onlyFoldersOfEndedRunsGo_data();
    void onlyFoldersOfEndedRunsGo();

private:
    std::unique_ptr<QTemporaryDir> FTemp;
};

void TestPreviewLeftovers::init()
{
    FTemp = std::make_unique<QTemporaryDir>();
    QVERIFY(FTemp->isValid());
    qputenv("TMPDIR", QFile::encodeName(FTemp->path()));
}

void TestPreviewLeftovers::cleanup()
{
    RemovePrivatePreviewFolder();
    qunsetenv("TMPDIR");
    FTemp.reset();
}

void TestPreviewLeftovers::onlyFoldersOfEndedRunsGo_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("removed");
    QTest::newRow("run that ended") << "ended" << true;
    QTest::newRow("run still going") << "running" << false;
    QTest::newRow("no lock") << "no lock" << false;
    QTest::newRow("another user's") << "other user" << false;
    QTest::newRow("link to an ended run's folder") << "link" << false;
    QTest::newRow("this run's own") << "own" << false;
}

void TestPreviewLeftovers::onlyFoldersOfEndedRunsGo()
{
    QFETCH(QString, kind);
    QFETCH(bool, removed);
    if (kind == "other user" && ::geteuid() != 0)
        QSKIP("Only root can give a folder to another user");
    // A process that has ended: its number is free.
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    QVERIFY(ended.waitForFinished());
    const qint64 gone = ended.processId() > 0 ? ended.processId() : 999999;

    const QString folder = FTemp->filePath("zonequilter-AbCdEf");
    const QString elsewhere = FTemp->filePath("elsewhere");
    const QString made = kind == "link" ? elsewhere : folder;
    std::unique_ptr<QLockFile> held;
    if (kind == "own") {
        QVERIFY(!GetPreviewFolder().isEmpty());
    } else {
        QVERIFY(QDir().mkpath(made));
        QFile page(made + "/Temp1.html");
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
    }
    if (kind == "running") {
        held = std::make_unique<QLockFile>(made + "/run.lock");
        QVERIFY(held->tryLock(0));
    } else if (kind != "no lock" && kind != "own") {
        // As a killed run leaves it: its process number, name and host.
        QFile lock(made + "/run.lock");
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(gone) + "\nzonequilter\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    if (kind == "other user")
        QVERIFY(::chown(QFile::encodeName(made).constData(), 65534, 65534) == 0);
    if (kind == "link")
        QVERIFY(QFile::link(elsewhere, folder));
    const QString checked = kind == "own" ? GetPreviewFolder() : made;

    QCOMPARE(RemoveLeftOverPreviewFolders(), removed ? 1 : 0);
    QCOMPARE(QFileInfo::exists(checked), !removed);
    if (held)
        QVERIFY(QFileInfo::exists(made + "/run.lock"));
}

QTEST_MAIN(TestPreviewLeftovers)
#include "tst_previewleftovers.moc"
