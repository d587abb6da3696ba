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
