// The program entry: the start-up and shut-down order of the whole program.
#include "AppFolder.h"
#include "CommandLine.h"
#include "HeadlessCommands.h"
#include "MessageBoxes.h"
#include "PreviewFolder.h"
#include "SettingsFile.h"
#include "Translation.h"
#include "UnitAboutBox.h"
#include "UnitBitmapLoader.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"
#include "UnitProperties.h"
#include "UnitSplash.h"
#include "WebViewHelpers.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <memory>

namespace {
// Ends the program when the main window closes (other top-level windows, such as the browser
// window, do not keep it running), saving the window placement at that moment.
class TMainWindowWatcher : public QObject
{
public:
    explicit TMainWindowWatcher(QWidget* Window) : FWindow(Window) { Window->installEventFilter(this); }

    void SaveOnce()
    {
        if (!FSaved)
            FSaved = SaveWindowPlacement(*FWindow);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A hide that the program asks for is the close; the window manager's hides are
        // minimizing.
        if (watched == FWindow && event->type() == QEvent::Hide && !event->spontaneous()) {
            SaveOnce();
            QCoreApplication::quit();
        }
        return false;
    }

private:
    QWidget* FWindow;
    bool FSaved = false;
};
} // namespace

namespace {
// Prints what the command line asked for and gives the exit code.
int FinishCommandLine(const TCommandLine& CommandLine)
{
    std::fputs(CommandLine.Output.toLocal8Bit().constData(), stdout);
    std::fputs(CommandLine.ErrorOutput.toLocal8Bit().constData(), stderr);
    return CommandLine.ExitCode;
}

// The tasks without a window: no display is needed, so only a core application is made.
int RunWithoutWindow(int argc, char* argv[], const TCommandLine& CommandLine)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QCoreApplication::setApplicationName(ApplicationTitle());
    QFile out, err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return 2;
    // A translation that cannot be read leaves the messages in English; the work is still done.
    QString error;
    QStringList notices;
    if (!LoadTranslationFile(&error, &notices))
        notices.append(error);
    for (const QString& notice : notices)
        if (!notice.isEmpty())
            err.write(QStringLiteral("%1: %2\n").arg(ApplicationTitle(), notice).toUtf8());
    InstallTableTranslator();
    const int status = RunHeadlessTask(CommandLine, out, err);
    FreeTranslations();
    return status;
}
} // namespace

int main(int argc, char* argv[])
{
    // --help and --version are answered before the application object exists, so they need no
    // display.
    const TCommandLine early = ParseCommandLine(ArgumentsOf(argc, argv), false);
    if (early.ExitNow)
        return FinishCommandLine(early);
    if (early.Task != TCommandLine::TTask::OpenWindow)
        return RunWithoutWindow(argc, argv, early);
    if (!early.HelpAll && !DisplayAtHand(ArgumentsOf(argc, argv))) {
        // No window can be shown; a mistyped option (--chek) is still named, with status 2.
        const TCommandLine strict = ParseWithoutQtOptions(ArgumentsOf(argc, argv));
        if (strict.ExitNow)
            return FinishCommandLine(strict);
    }
    if (early.HelpAll) {
        // Qt lists the options of the application object it has; no window is shown.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        ParseCommandLine(QCoreApplication::arguments(), true);
        return 0;
    }

    PrepareWebEngineEnvironment();
    QApplication app(argc, argv);
    // The rest once Qt has taken its own options (-platform, -style ...) out of the arguments.
    const TCommandLine commandLine = ParseCommandLine(QCoreApplication::arguments(), true);
    if (commandLine.ExitNow)
        return FinishCommandLine(commandLine);

    // The units initialise before any window exists: the placement store's key and the
    // translation table.
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QCoreApplication::setApplicationName(ApplicationTitle());
    QString error;
    QStringList notices;
    if (!LoadTranslationFile(&error, &notices)) {
        QMessageBox::critical(nullptr, ApplicationTitle(), error);
        return 1;
    }
    InstallTableTranslator();
    // Settings.ini is checked once, before the main window reads its toolbar layout.
    notices += PrepareSettingsFile();
    // The private folders of earlier runs that did not end.
    RemoveLeftOverPreviewFolders();
    notices.removeAll(QString());
    for (const QString& notice : notices)
        AppMessageBox(notice);

    // Desktops find the program's entry, and so its name and icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.corvanta.Zonequilter"));
    // The application icon: every window's title bar and the about box show it.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/zonequilter.svg")));
    QApplication::setQuitOnLastWindowClosed(false);

    // The windows, main window first; they are destroyed in the reverse order, the main window
    // last.
    auto mainWindow = std::make_unique<TFormCorvantaZonequilter>();
    QObject::connect(mainWindow.get(), &TFormCorvantaZonequilter::AboutRequested, [] { ShowAboutBox(); });
    auto properties = std::make_unique<TFormProperties>();
    auto htmlImport = std::make_unique<TFormHTMLImport>(*mainWindow);
    auto splash = std::make_unique<TFormSplash>();
    // The program's image loader (FormBitmapLoader): the main window loads its pictures through it.
    auto bitmapLoader = std::make_unique<TFormBitmapLoader>();

    // A file named on the command line is opened instead of the demonstration map.
    mainWindow->SetStartupFile(commandLine.FileName);
    TMainWindowWatcher watcher(mainWindow.get());
    RestoreWindowPlacement(*mainWindow);
    mainWindow->show();
    const int result = app.exec();

    watcher.SaveOnce();
    // A large map's regions and the page it came from are a million objects or more: freeing
    // them one by one takes seconds, and the system takes the whole memory back at once.
    mainWindow->LeaveSceneToExit();
    (void)htmlImport.release();
    bitmapLoader.reset();
    splash.reset();
    properties.reset();
    mainWindow.reset();
    FreeTranslations();
    return result;
}
