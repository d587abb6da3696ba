// The files read at start: a Settings.ini that cannot be parsed starts over and is written
// cleanly at exit; a lang.txt or Settings.ini that is not a regular file of sensible size is
// never opened.
#include "AppFolder.h"
#include "MessageBoxes.h"
#include "SettingsFile.h"
#include "StartupFiles.h"
#include "ToolbarSettings.h"
#include "Translation.h"
#include "TranslationTable.h"

#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <sys/stat.h>

namespace {
enum class TKind
{
    Good,
    Garbage,
    Nuls,
    Fifo,
    DevZero,
    Oversize,
    Folder,
    LinkToGood
};

// Makes Path as the kind says; false when the system refuses.
bool MakeFile(const QString& Path, TKind Kind, const QByteArray& Good)
{
    QFile file(Path);
    switch (Kind) {
    case TKind::Good:
    case TKind::Garbage:
    case TKind::Nuls:
    case TKind::Oversize:
        if (!file.open(QIODevice::WriteOnly))
            return false;
        if (Kind == TKind::Good)
            file.write(Good);
        else if (Kind == TKind::Garbage)
            file.write("\x89PNG\r\n\x1a\n\xff\xfe [[[ ]] = = \n[abc\nx=\"unterminated\n");
        else if (Kind == TKind::Nuls)
            file.write(QByteArray(4096, '\0'));
        else
            return file.resize(MaxStartupFileSize);
        return true;
    case TKind::Fifo:
        return mkfifo(QFile::encodeName(Path).constData(), 0600) == 0;
    case TKind::DevZero:
        return QFile::link(QStringLiteral("/dev/zero"), Path);
    case TKind::Folder:
        return QDir().mkdir(Path);
    case TKind::LinkToGood:
        return MakeFile(Path + ".target", TKind::Good, Good) && QFile::link(Path + ".target", Path);
    }
    return false;
}

struct TWindow
{
    TWindow()
    {
        for (QToolBar*& tb : Bars) {
            tb = new QToolBar(&Window);
            tb->addAction(QStringLiteral("Item"));
            Window.addToolBar(Qt::TopToolBarArea, tb);
        }
        Bars[0]->setObjectName("TBMainMenu");
        Bars[1]->setObjectName("TBToolbar");
    }
    QMainWindow Window;
    QToolBar* Bars[2];
    QList<QToolBar*> Toolbars() const { return {Bars[0], Bars[1]}; }
};
} // namespace

Q_DECLARE_METATYPE(TKind)

class TestStartupFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void settingsFile_data();
    void settingsFile();
    void translationFile_data();
    void translationFile();
    void unusableTranslationGivesWayToTheNext();
    void toolbarsMenuKeepsOneShown_data();
    void toolbarsMenuKeepsOneShown();

private:
    std::unique_ptr<QTemporaryDir> FDir;
    QStringList FShown;
};

void TestStartupFiles::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FDir->filePath("config")));
    FShown.clear();
    SetMessageBoxRunner([this](QMessageBox& box) {
        FShown += box.text();
        return QMessageBox::Ok;
    });
}

void TestStartupFiles::cleanup()
{
    SetMessageBoxRunner({});
    SetSettingsFileName(QString());
    FreeTranslations();
}

void TestStartupFiles::settingsFile_data()
{
    QTest::addColumn<TKind>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("written");

    const QString reset = "Settings.ini could not be read and was reset";
    const QString ignored = "%1 is not a regular file under 16 MB and was ignored";
    QTest::newRow("good") << TKind::Good << QString() << true;
    QTest::newRow("garbage") << TKind::Garbage << reset << true;
    QTest::newRow("NUL bytes") << TKind::Nuls << reset << true;
    QTest::newRow("FIFO") << TKind::Fifo << ignored << false;
    QTest::newRow("link to /dev/zero") << TKind::DevZero << ignored << false;
    QTest::newRow("16 MB") << TKind::Oversize << ignored << false;
    QTest::newRow("folder") << TKind::Folder << ignored << false;
    QTest::newRow("link to a good file") << TKind::LinkToGood << QString() << true;
}

void TestStartupFiles::settingsFile()
{
    QFETCH(TKind, kind);
    QFETCH(QString, message);
    QFETCH(bool, written);
    const QString path = FDir->filePath("Settings.ini");
    QVERIFY(MakeFile(path, kind, "[Other]\nKey=kept\n"));
    SetSettingsFileName(path);

    QCOMPARE(PrepareSettingsFile(), message.contains("%1") ? message.arg(path) : message);
    TWindow w;
    ReadToolbarLayout(w.Window, "Form", w.Toolbars());
    // The exit's write reports nothing: the file is either written cleanly or left alone.
    QVERIFY(WriteToolbarLayout(w.Window, "Form", w.Toolbars()));
    QCOMPARE(FShown, QStringList());
    QCOMPARE(QFileInfo(path).isFile() && QFileInfo(path).size() < MaxStartupFileSize, written);
    if (written) {
        const QSettings ini(path, QSettings::IniFormat);
        QCOMPARE(ini.status(), QSettings::NoError);
        QCOMPARE(ini.value("FormTBToolbar/Rev").toInt(), 2000);
        const bool kept = kind == TKind::Good || kind == TKind::LinkToGood;
        QCOMPARE(ini.value("Other/Key").toString(), kept ? QString("kept") : QString());
    }
    // A link gives way to a file of its own: what it pointed to stays as it was.
    if (kind == TKind::LinkToGood) {
        QVERIFY(!QFileInfo(path).isSymLink());
        QFile target(path + ".target");
        QVERIFY(target.open(QIODevice::ReadOnly));
        QCOMPARE(target.readAll(), QByteArray("[Other]\nKey=kept\n"));
    }
}

void TestStartupFiles::translationFile_data()
{
    QTest::addColumn<TKind>("kind");
    QTest::addColumn<bool>("loaded");

    QTest::newRow("good") << TKind::Good << true;
    QTest::newRow("FIFO") << TKind::Fifo << false;
    QTest::newRow("link to /dev/zero") << TKind::DevZero << false;
    QTest::newRow("16 MB") << TKind::Oversize << false;
    QTest::newRow("folder") << TKind::Folder << false;
}

void TestStartupFiles::translationFile()
{
    QFETCH(TKind, kind);
    QFETCH(bool, loaded);
    const QString path = FDir->filePath("lang.txt");
    QVERIFY(MakeFile(path, kind, "<//Form-\nE=Item\nT=Eintrag\n"));

    QString error;
    QStringList notices;
    QVERIFY(LoadTranslationFile(path, &error, &notices));
    QCOMPARE(TranslateText("Item", "Form"), loaded ? QString("Eintrag") : QString("Item"));
    QCOMPARE(notices, loaded ? QStringList() : QStringList{IgnoredStartupFileMessage(path)});
}

void TestStartupFiles::unusableTranslationGivesWayToTheNext()
{
    // The configuration folder is tried first; the file beside the program is next.
    const QString config = GetConfigFolder();
    QVERIFY(config.startsWith(FDir->path()));
    QVERIFY(QDir().mkpath(config));
    QVERIFY(MakeFile(config + "lang.txt", TKind::Fifo, {}));
    SetAppFolderOverride(FDir->path());
    QVERIFY(MakeFile(FDir->filePath("lang.txt"), TKind::Good, "<//Form-\nE=Item\nT=Eintrag\n"));

    QStringList notices;
    QVERIFY(LoadTranslationFile(QLocale::c(), nullptr, &notices));
    SetAppFolderOverride(QString());
    QCOMPARE(TranslateText("Item", "Form"), QString("Eintrag"));
    QCOMPARE(notices, QStringList{IgnoredStartupFileMessage(config + "lang.txt")});
}

void TestStartupFiles::toolbarsMenuKeepsOneShown_data()
{
    QTest::addColumn<bool>("menuShown");
    QTest::addColumn<bool>("toolbarShown");
    QTest::addColumn<QString>("entries");

    // Entries: shown as checked or not, enabled or not ("+" checked, "-" unchecked, "x" not
    // to be unchecked).
    QTest::newRow("both shown") << true << true << "++";
    QTest::newRow("menu only") << true << false << "x-";
    QTest::newRow("toolbar only") << false << true << "-x";
    QTest::newRow("both hidden") << false << false << "x-";
}

void TestStartupFiles::toolbarsMenuKeepsOneShown()
{
    QFETCH(bool, menuShown);
    QFETCH(bool, toolbarShown);
    QFETCH(QString, entries);
    const QString path = FDir->filePath("Settings.ini");
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue("FormTBMainMenu/Rev", 2000);
        ini.setValue("FormTBMainMenu/Visible", menuShown ? 1 : 0);
        ini.setValue("FormTBToolbar/Rev", 2000);
        ini.setValue("FormTBToolbar/Visible", toolbarShown ? 1 : 0);
    }
    SetSettingsFileName(path);
    TWindow w;
    ReadToolbarLayout(w.Window, "Form", w.Toolbars());
    KeepOneToolbarShown(w.Toolbars());

    std::unique_ptr<QMenu> menu(ToolbarsMenu(&w.Window, w.Toolbars()));
    QString got;
    for (QAction* entry : menu->actions())
        got += !entry->isEnabled() ? "x" : entry->isChecked() ? "+" : "-";
    QCOMPARE(got, entries);
    // Unchecking whatever the menu offers, one entry at a time as a user would, keeps one.
    for (int i = 0; i < 2; ++i) {
        menu.reset(ToolbarsMenu(&w.Window, w.Toolbars()));
        if (QAction* entry = menu->actions().at(i); entry->isEnabled() && entry->isChecked())
            entry->trigger();
        QVERIFY(!w.Bars[0]->isHidden() || !w.Bars[1]->isHidden());
    }
}

QTEST_MAIN(TestStartupFiles)
#include "tst_startupfiles.moc"
