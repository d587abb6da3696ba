// The program installed into a prefix of its own, which is then made read-only, as a
// system-wide installation is to its users: its files are where a Linux desktop looks for them,
// and the installed program runs, previews and exits without a message, keeping its writable
// files in the user's folders.
#include "AppFolder.h"
#include "MessageBoxes.h"
#include "PreviewFolder.h"
#include "PreviewScheme.h"
#include "SettingsFile.h"
#include "TBrowserWindow.h"
#include "UPTFrame.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"
#include "WebViewHelpers.h"
#include "WindowParts.h"

#include <QApplication>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A root process may write anywhere; the tests run as this user instead.
constexpr uid_t Nobody = 65534;

QString& Root()
{
    static QString root;
    return root;
}

QString Prefix()
{
    return Root() + QStringLiteral("/prefix");
}

QString Home()
{
    return Root() + QStringLiteral("/home");
}

// Sets the write bits of everything under Path (or clears them) and, when Owner is not -1,
// gives it to that user.
bool SetTree(const QString& Path, bool Writable, int Owner)
{
    QStringList paths{Path};
    QDirIterator it(Path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.append(it.next());
    for (const QString& path : paths) {
        const QByteArray native = QFile::encodeName(path);
        struct stat info;
        if (::lstat(native.constData(), &info) != 0 || S_ISLNK(info.st_mode))
            continue;
        if (Owner != -1 && ::chown(native.constData(), Owner, Owner) != 0)
            return false;
        const mode_t mode =
            Writable ? (info.st_mode | S_IWUSR) : (info.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH));
        if (::chmod(native.constData(), mode) != 0)
            return false;
    }
    return true;
}

// Installs the build into the prefix, makes it read-only and leaves root's privileges.
QString PrepareInstallation()
{
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/zq-installed-XXXXXX"));
    if (!root.isValid())
        return QStringLiteral("no temporary folder");
    root.setAutoRemove(false);
    Root() = root.path();
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(ZQ_CMAKE_COMMAND), {QStringLiteral("--install"), QStringLiteral(ZQ_APP_DIR),
                                                     QStringLiteral("--prefix"), Prefix()});
    if (!install.waitForFinished(120000) || install.exitCode() != 0)
        return QStringLiteral("cmake --install failed: ") + QString::fromLocal8Bit(install.readAll());
    if (!QDir().mkpath(Home()))
        return QStringLiteral("no home folder");

    const bool asRoot = ::geteuid() == 0;
    if (!SetTree(Root(), true, asRoot ? int(Nobody) : -1) || !SetTree(Prefix(), false, -1))
        return QStringLiteral("cannot set the permissions");
    qputenv("HOME", QFile::encodeName(Home()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(Home() + "/.config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(Home() + "/.local/share"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(Home() + "/.cache"));
    qputenv("TMPDIR", QFile::encodeName(Home()));
    if (asRoot && (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
        return QStringLiteral("cannot become nobody");
    return QString();
}

QStringList FilesUnder(const QString& Path)
{
    QStringList files;
    QDirIterator it(Path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}
} // namespace

class TestInstalled : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void installedFiles_data();
    void installedFiles();
    void desktopEntryStartsTheInstalledProgram();
    void readOnlyInstallationPreviewsAndExitsWithoutMessage();

private:
    QStringList FMessages;
    MessageBoxRunner FOldRunner;
};

void TestInstalled::init()
{
    FMessages.clear();
    FOldRunner = SetMessageBoxRunner([this](QMessageBox& Box) {
        FMessages.append(Box.text());
        return QMessageBox::Ok;
    });
}

void TestInstalled::cleanup()
{
    SetMessageBoxRunner(FOldRunner);
    SetAppFolderOverride(QString());
    SetSettingsFileName(QString());
}

void TestInstalled::installedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("iconSize");

    for (const char* path :
         {"bin/zonequilter", "share/zonequilter/demo.htm", "share/zonequilter/demo.jpg",
          "share/zonequilter/Setup.bmp", "share/zonequilter/services.htm", "share/zonequilter/lang.de.txt",
          "share/applications/example.corvanta.Zonequilter.desktop",
          "share/metainfo/example.corvanta.Zonequilter.metainfo.xml",
          "share/icons/hicolor/scalable/apps/example.corvanta.Zonequilter.svg"})
        QTest::newRow(path) << QString::fromLatin1(path) << 0;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            QStringLiteral("share/icons/hicolor/%1x%1/apps/example.corvanta.Zonequilter.png").arg(size);
        QTest::newRow(qPrintable(path)) << path << size;
    }
}

void TestInstalled::installedFiles()
{
    QFETCH(QString, path);
    QFETCH(int, iconSize);
    const QString file = Prefix() + QLatin1Char('/') + path;
    QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
    if (iconSize > 0)
        QCOMPARE(QImage(file).size(), QSize(iconSize, iconSize));
    // Nothing else under share/zonequilter/ but the program's own read-only files; no lang.txt
    // that would choose a language for everyone.
    if (path.endsWith("demo.htm"))
        QVERIFY(!QFileInfo::exists(Prefix() + "/share/zonequilter/lang.txt"));
}

void TestInstalled::desktopEntryStartsTheInstalledProgram()
{
    const QSettings entry(Prefix() + "/share/applications/example.corvanta.Zonequilter.desktop",
                          QSettings::IniFormat);
    const QStringList exec =
        entry.value("Desktop Entry/Exec").toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QCOMPARE(exec, (QStringList{"zonequilter", "%f"}));
    QProcess program;
    program.start(Prefix() + "/bin/" + exec.first(), {QStringLiteral("--version")});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardOutput().startsWith("Corvanta Zonequilter "));
}

void TestInstalled::readOnlyInstallationPreviewsAndExitsWithoutMessage()
{
    const QString programFolder = Prefix() + "/bin";
    QVERIFY(::access(QFile::encodeName(programFolder).constData(), W_OK) != 0);
    SetAppFolderOverride(programFolder);
    SetSettingsFileName(QString());
    QVERIFY(!IsAppFolderWritable());
    const QStringList installedBefore = FilesUnder(Prefix());

    QString previewFolder;
    {
        TFormCorvantaZonequilter window;
        TFormHTMLImport import(window);
        window.show();
        // The demonstration map comes from share/zonequilter/.
        QTRY_COMPARE(window.Document()->MapName(), QStringLiteral("DemoMap"));
        QCOMPARE(window.Document()->ImageFileName(), Prefix() + "/share/zonequilter/demo.jpg");
        QCOMPARE(Find<TPTGroup>(window, "PanelScene")->Regions().size(), 6);

        window.SelectPageByUser(
            Find<QTabWidget>(window, "PageControl")->indexOf(Find<QWidget>(window, "TabSheetPreview")));
        QVERIFY(Find<QWebEngineView>(window, "EmbeddedWB"));
        QSignalSpy loaded(Find<QWebEngineView>(window, "EmbeddedWB"), &QWebEngineView::loadFinished);
        QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), 60000);
        QCOMPARE(loaded.first().first().toBool(), true);
        const QString previewFile =
            FileUrlForPreviewUrl(Find<QWebEngineView>(window, "EmbeddedWB")->url()).toLocalFile();
        previewFolder = QFileInfo(previewFile).absolutePath();
        QCOMPARE(QFileInfo(previewFile).fileName(), QStringLiteral("Temp1.html"));
        QVERIFY(!previewFolder.startsWith(Prefix()));
        QCOMPARE(QFileInfo(previewFolder).permissions() &
                     ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QFileInfo(previewFolder).ownerId(), ::geteuid());

        // An HTML file dropped on the preview's page is imported, not shown as a page.
        const QString page = Home() + "/dropped.htm";
        {
            QFile file(page);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("<img src=\"x.png\" usemap=\"#Dropped\"><map name=\"Dropped\">"
                       "<area shape=circle coords=5,5,4 href=\"a.htm\"></map>");
        }
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(Qt::yellow);
        QVERIFY(picture.save(Home() + "/x.png"));
        QWidget* surface = Find<QWebEngineView>(window, "EmbeddedWB")->focusProxy()
                               ? Find<QWebEngineView>(window, "EmbeddedWB")->focusProxy()
                               : Find<QWebEngineView>(window, "EmbeddedWB");
        const QPoint pos = surface->rect().center();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(page)});
        QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &enter);
        QDragMoveEvent move(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &move);
        QDropEvent drop(QPointF(pos), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &drop);
        QVERIFY(drop.isAccepted());
        QTRY_COMPARE(window.Document()->MapName(), QStringLiteral("Dropped"));
        QCOMPARE(FileUrlForPreviewUrl(Find<QWebEngineView>(window, "EmbeddedWB")->url()).toLocalFile(),
                 previewFile);
        QCOMPARE(window.Document()->Picture().size(), QSize(30, 20));
        QVERIFY(TBrowserWindow::AllWindows().isEmpty());

        Invoke(window, "MIExitClick");
    }
    // The window is gone: its toolbar layout went to the user's configuration folder.
    const QString settings = Home() + "/.config/Corvanta/Corvanta Zonequilter/Settings.ini";
    QVERIFY2(QFileInfo::exists(settings), qPrintable(GetSettingsFileName()));
    QVERIFY2(FMessages.isEmpty(), qPrintable(FMessages.join('\n')));
    QCOMPARE(FilesUnder(Prefix()), installedBefore);

    RemovePrivatePreviewFolder();
    QVERIFY(!QFileInfo::exists(previewFolder));
}

int main(int argc, char* argv[])
{
    PrepareWebEngineEnvironment();
    // Made before leaving root's privileges: the display connection is root's.
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QCoreApplication::setApplicationName(ApplicationTitle());
    const QString failure = PrepareInstallation();
    if (!failure.isEmpty()) {
        qCritical("%s", qPrintable(failure));
        return 1;
    }
    TestInstalled test;
    const int result = QTest::qExec(&test, argc, argv);
    SetTree(Root(), true, -1);
    QDir(Root()).removeRecursively();
    return result;
}

#include "tst_installed.moc"
