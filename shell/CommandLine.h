#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. zonequilter [options] [FILE]: FILE is opened instead of the
// demonstration map; --help and --version print and end the program; -nosplash and /NOSPLASH
// (any letter case) leave out the splash screen. --check, --export-svg and --write-page do their
// work without a window (see HeadlessCommands.h) and end the program.
struct TCommandLine
{
    enum class TTask
    {
        OpenWindow,
        Check,     // --check FILE...: the map checker's findings
        ExportSvg, // --export-svg PAGE -o OUT: the responsive page of a map
        WritePage  // --write-page PAGE -o OUT: the page Save As writes for a map
    };
    TTask Task = TTask::OpenWindow;
    // For the tasks without a window: the pages and folders to check, or the one page to read.
    QStringList Files;
    bool Json = false;  // --format=json
    QString MapName;    // --map NAME; empty: the page's first map
    QString OutputFile; // -o OUT; "-" is the standard output

    // True when the program ends at once, with ExitCode, after printing Output to the standard
    // output and ErrorOutput to the standard error.
    bool ExitNow = false;
    int ExitCode = 0;
    QString Output;
    QString ErrorOutput;
    // --help-all: the help with Qt's own options, which only an application object can print.
    bool HelpAll = false;
    // The file named on the command line, as an absolute path, or empty.
    QString FileName;
};

// Reads the arguments (the program's name first). Options the arguments don't know are an
// error only when UnknownIsError: before the application object has taken its own options
// (such as -platform) out of the list, only --help, --version and the tasks without a window
// are answered (the latter with every error, as no application object will take options out).
// A usage error ends with status 2.
TCommandLine ParseCommandLine(const QStringList& Arguments, bool UnknownIsError);

// The same for the raw argc/argv of main(), before any application object exists.
QStringList ArgumentsOf(int Argc, char* Argv[]);

// Whether a display can be had: a platform is named (-platform, QT_QPA_PLATFORM) or DISPLAY or
// WAYLAND_DISPLAY is set. Without one, the window cannot be shown at all.
bool DisplayAtHand(const QStringList& Arguments);
// The arguments parsed as ParseCommandLine does once Qt took its own options out, with those options
// taken out by their names instead: for a command line that no application object will see,
// because without a display Qt would end the program over its missing display first and an
// option mistyped would go unnamed.
TCommandLine ParseWithoutQtOptions(const QStringList& Arguments);
