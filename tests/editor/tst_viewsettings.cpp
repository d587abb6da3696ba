// The main window reads and writes its view settings (zoom, region list) only in a Settings.ini
// that is this user's plain file: a pipe must not hold the start, and a file left alone at start
// must not be written through a link at exit.
#include "EditorFixture.h"
#include "SettingsFile.h"
#include "StartupFiles.h"
#include "WindowParts.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <sys/stat.h>

class TestViewSettings : public QObject
{
    Q_OBJECT

private slots:
    void unusableSettingsFileIsLeftAlone_data();
    void unusableSettingsFileIsLeftAlone();
};

void TestViewSettings::unusableSettingsFileIsLeftAlone_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::newRow("pipe") << true;
    QTest::newRow("link to a file too big to read") << false;
}

void TestViewSettings::unusableSettingsFileIsLeftAlone()
{
    QFETCH(bool, pipe);
    QTemporaryDir dir;
    const QString path = dir.filePath("Settings.ini");
    const QString big = dir.filePath("big.ini");
    if (pipe) {
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else {
        QFile file(big);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(MaxStartupFileSize));
        file.close();
        QVERIFY(QFile::link(big, path));
    }
    SetSettingsFileName(path);
    QCOMPARE(PrepareSettingsFile(), IgnoredStartupFileMessage(path));
    {
        MainWindowFixture f;
        QVERIFY(f.Ready);
        Find<TPTGroup>(*f.Window, "PanelScene")->SetZoom(2);
    }
    QCOMPARE(QFileInfo(path).isSymLink(), !pipe);
    if (!pipe) {
        // Not replaced by the exit's few lines.
        QCOMPARE(QFileInfo(big).size(), MaxStartupFileSize);
    }
    SetSettingsFileName(QString());
}

QTEST_MAIN(TestViewSettings)
#include "tst_viewsettings.moc"
