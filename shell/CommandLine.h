#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. zonequilter [options] [FILE]: FILE is opened instead of the
// demonstration map; --help and --version print and end the program; -nosplash and /NOSPLASH
// (any letter case) leave out the splash screen.
struct TCommandLine
{
    // True when the program ends at once, with ExitCode, after printing Output to the standard
    // output and ErrorOutput to the standard error.
    bool ExitNow = false;
    int ExitCode = 0;
    QString Output;
    QString ErrorOutput;
    // The file named on the command line, as an absolute path, or empty.
    QString FileName;
};

// Reads the arguments (the program's name first). Options the arguments don't know are an
// error only when UnknownIsError: before the application object has taken its own options
// (such as -platform) out of the list, only --help and --version are answered.
TCommandLine ParseCommandLine(const QStringList& Arguments, bool UnknownIsError);

// The same for the raw argc/argv of main(), before any application object exists.
QStringList ArgumentsOf(int Argc, char* Argv[]);
