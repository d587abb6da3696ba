#pragma once

#include <QString>

// The folder the preview files are written to, ending in "/": a folder made for this run,
// readable by this user only (mode 0700) and removed with everything in it when the program
// ends, so that no other user can read or replace the page the Preview shows. Made on first
// use; an empty string when it cannot be made.
QString GetPreviewFolder();

// Removes this run's private preview folder now, if one was made (also done at exit).
void RemovePrivatePreviewFolder();

// For tests: the folder to use instead (empty: the private folder again).
void SetPreviewFolderOverride(const QString& Folder);
