#pragma once

#include <QString>

// The folder the preview files are written to, ending in "/": the program folder when the
// program may write there; otherwise a folder made for this run, readable by this user only
// (mode 0700) and removed with everything in it when the program ends. Made on first use; an
// empty string when it cannot be made.
QString GetPreviewFolder();

// Removes this run's private preview folder now, if one was made (also done at exit).
void RemovePrivatePreviewFolder();
