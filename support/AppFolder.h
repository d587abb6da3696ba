#pragma once

#include <QString>

// The program's title: caption of every message box and start of the main window's caption.
QString ApplicationTitle();

// The folder of the running executable, always ending in "/". The program's own files
// ("Settings.ini", "lang.txt", "demo.htm", the preview files ...) lie there.
//
// Tests run from build/tests/ while the program's files are in build/, so the folder can be
// overridden, in this order of precedence:
//   1. SetAppFolderOverride(folder) (a non-empty folder; an empty one removes the override);
//   2. the environment variable ZQ_APP_DIR (the test harness sets it to the build root);
//   3. otherwise QCoreApplication::applicationDirPath().
QString GetAppFolder();

// The program folder followed by a bare file name.
QString GetAppFilePath(const QString& Name);

void SetAppFolderOverride(const QString& Folder);

// The folder of the program's read-only files in an installation: share/zonequilter/ of the
// prefix the program folder belongs to, ending in "/".
QString GetInstalledDataFolder();

// A read-only file of the program ("demo.htm", "Setup.bmp", "services.htm", translations): the
// one beside the program when it is there, else the installed one. When neither exists, the
// path beside the program, so that a message names the place the file is expected first.
QString FindProgramFile(const QString& Name);

// True when the program may create and replace files in its folder (a build tree, a portable
// copy); false for a system-wide installation, whose writable files then live elsewhere.
bool IsAppFolderWritable();
