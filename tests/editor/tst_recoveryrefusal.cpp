// Left-over recovery files that cannot be recovered: a link to a device, a pipe, a file far too
// big, one that holds no map. Each gives one message naming it, never hangs, and is not offered
// again.
#include "EditorFixture.h"

#include "MessageBoxes.h"
#include "RecoveryFile.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <sys/stat.h>

class TestRecoveryRefusal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void brokenLeftOverIsRefusedOnce_data();
    void brokenLeftOverIsRefusedOnce();

private:
    QStringList FTexts;
};

void TestRecoveryRefusal::init()
{
    QDir(TRecoveryFile::DefaultFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(TRecoveryFile::DefaultFolder()));
    FTexts.clear();
    SetMessageBoxRunner([this](QMessageBox& box) {
        FTexts.append(box.text());
        return QMessageBox::Yes;
    });
}

void TestRecoveryRefusal::cleanup()
{
    SetMessageBoxRunner({});
    QDir(TRecoveryFile::DefaultFolder()).removeRecursively();
}

void TestRecoveryRefusal::brokenLeftOverIsRefusedOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to /dev/zero") << "zero";
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("over the size limit") << "big";
    QTest::newRow("no map in the text") << "no map";
    QTest::newRow("no text") << "no text";
    QTest::newRow("not a recovery file") << "garbage";
}

void TestRecoveryRefusal::brokenLeftOverIsRefusedOnce()
{
    QFETCH(QString, kind);
    // Named as a run that ended long ago would have left it, with no lock held.
    const QString path = QDir(TRecoveryFile::DefaultFolder()).filePath("1-1000.recovery");
    QFile file(path);
    if (kind == "zero") {
        QVERIFY(QFile::link("/dev/zero", path));
    } else if (kind == "pipe") {
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else {
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (kind == "big")
            QVERIFY(file.resize(TRecoveryFile::MaxFileSize + 1));
        else if (kind == "no map")
            file.write(R"({"saved":"2020-01-01T00:00:00.000","html":"<html><body><p>no map</p></body></html>"})");
        else if (kind == "no text")
            file.write(R"({"saved":"2020-01-01T00:00:00.000","html":""})");
        else
            file.write("\x89PNG\r\n");
        file.close();
    }

    MainWindowFixture f;
    QVERIFY(f.Ready);
    QVERIFY(!f.Window->OfferRecovery());
    QCOMPARE(FTexts, QStringList{QStringLiteral("%1 cannot be recovered and will not be offered again").arg(path)});
    QVERIFY(f.Window->RecoveryFile()->LeftOverFiles().isEmpty());
    QVERIFY(!f.Window->OfferRecovery());
    QCOMPARE(FTexts.size(), 1);
    // Kept aside, in case it still holds something.
    QVERIFY(QFileInfo(path + ".refused").exists() || QFileInfo(path + ".refused").isSymLink());
}

QTEST_MAIN(TestRecoveryRefusal)
#include "tst_recoveryrefusal.moc"
