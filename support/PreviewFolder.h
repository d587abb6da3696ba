#pragma once

#include <QString>

// The folder the preview files are written to, ending in "/": a folder made for this run,
// readable by this user only (mode 0700) and removed with everything in it when the program
// ends, so that no other user can read or replace the page the Preview shows. Made on first
// use; an empty string when it cannot be made. It holds a lock file while the run lives.
QString GetPreviewFolder();

// Removes this run's private preview folder now, if one was made (also done at exit).
void RemovePrivatePreviewFolder();

// Removes the private folders that this user's earlier runs left behind in the temporary folder
// when they did not end (each holds a lock while its run lives): never another user's, never one
// whose run is still going, never one without its lock. Returns how many went. Called at start.
int RemoveLeftOverPreviewFolders();

// For tests: the folder to use instead (empty: the private folder again).
void SetPreviewFolderOverride(const QString& Folder);
