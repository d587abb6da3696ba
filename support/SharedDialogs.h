#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QFileDialog;
class TSharedFileDialog;

// The program's one open dialog and one save dialog, created on first use and kept until the
// application ends. Both are Qt's own (non-native) dialogs so that their options hold
// everywhere. The chosen file is read back with FileName() after a successful Execute...Dialog.
TSharedFileDialog* SharedOpenDialog();
TSharedFileDialog* SharedSaveDialog();

// Runs a prepared dialog and returns true when the user accepted a file. The default runner
// shows it modally (exec()). Tests install a runner that selects a file and returns true, or
// returns false for a cancelled dialog, e.g.
//     SetDialogRunner([&](QFileDialog& d) { d.selectFile(path); return true; });
// or simply SetDialogRunner(ChooseFileRunner(path)).
using DialogRunner = std::function<bool(QFileDialog& Dialog)>;

// Replaces the runner and returns the previous one; an empty function restores the default.
DialogRunner SetDialogRunner(DialogRunner Runner);

// A runner that chooses Path (absolute) as if the user had picked it, and one that cancels.
DialogRunner ChooseFileRunner(const QString& Path);
DialogRunner CancelDialogRunner();

// Prepares the shared open dialog (initial folder and name from FileName, the filter, or
// "All Files (*.*)|*.*|" when it is empty, and the default extension) and runs it.
// True when a file was chosen; it is then SharedOpenDialog()->FileName().
bool ExecuteOpenDialog(const QString& FileName, const QString& Filter, const QString& DefaultExt);

// The same on the shared save dialog, the filter used as given (no default). The save dialog
// asks before overwriting and refuses a read-only file or a missing folder.
bool ExecuteSaveDialog(const QString& FileName, const QString& Filter, const QString& DefaultExt);

// Removes every "/", "|", "<" and ">".
QString StripPathChars(const QString& Text);

// StripPathChars, and a result of exactly "." or ".." becomes empty.
QString SafeFileName(const QString& Name);

// The folder given to a dialog: the folder part of a path with "|", "<" and ">" removed. The
// separator "/" is kept, since on this platform it is the folder separator itself.
QString SafeFolderName(const QString& Folder);

// Converts "Desc|*.a;*.b|Desc2|*.c|" into Qt's name filters {"Desc (*.a *.b)", "Desc2 (*.c)"}.
// The mask "*.*" becomes "*", which matches every file here as it does on the platform the
// filter strings were written for. A trailing description without patterns is dropped.
QStringList ConvertFilter(const QString& Filter);

// "All Files (*.*)|*.*|"
QString DefaultFileFilter();
