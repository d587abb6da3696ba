#pragma once

#include "CommandLine.h"

class QIODevice;

// Does a task of the command line that needs no window (--check, --export-svg, --write-page),
// writing what it prints to Out and its errors to Err, and gives the exit status: for --check 0
// without warnings (notes alone included), 1 with warnings, 2 when a file cannot be read; for the
// others 0 when the file is written, 2 when not. Needs an application object, a QCoreApplication
// being enough.
int RunHeadlessTask(const TCommandLine& CommandLine, QIODevice& Out, QIODevice& Err);
