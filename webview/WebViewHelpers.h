#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

class QWebEngineView;

// The browser window that every page opened outside the program goes to; the generated
// HTML names it as the target of its links.
QString BrowserWindowName(); // "CorvantaWebBrowser"

// The preview files, tried in this order in the preview folder (PreviewFolder.h).
QStringList PreviewFileNames(); // "Temp1.html", "Temp2.html", "Temp3.html"

// Writes the HTML text (its UTF-8 bytes exactly, nothing added) to the first preview file that
// can be created and locked for exclusive writing, and returns its full path. A preview file
// that another process holds locked (flock) is passed over. When the last one fails too,
// throws EFileCreateError naming its path and the system's reason.
QString WritePreviewFile(const QString& Html);

// Writes the text with WritePreviewFile and navigates the view to the file written, shown
// through the preview scheme (PreviewScheme.h); the page then loads asynchronously. Throws EFileCreateError (see EFileCreateError.h) when no preview
// file can be written: the view is then not navigated and keeps its page.
void LoadHTMLIntoWebView(QWebEngineView* View, const QString& Html);

// LoadHTMLIntoWebView for callers that prefer a result: false with the error's message.
bool TryLoadHTMLIntoWebView(QWebEngineView* View, const QString& Html, QString* ErrorMessage = nullptr);

// Opens the address in the browser window BrowserWindowName(). An address that needs the
// Internet while the computer seems offline first asks "You don't seem to be connected to the
// internet. Do you wish to connect now?" (AskYesNo); No leaves everything as it was.
void OpenURL(const QString& Address);

// Opens the address, cut before its first "#", in the program's one browser window of that
// name, opening the window when none of that name is open. An empty address shows a blank page.
void OpenURLInNamedWindow(const QString& Address, const QString& WindowName);

// The address with its first "#" and everything after it removed.
QString CutBeforeHash(const QString& Address);

// How an address is opened: a local file path (absolute or relative to the current folder)
// becomes a file address, anything else is read as an address.
QUrl AddressToUrl(const QString& Address);

// False only for an address with the "http" scheme (any case) whose path part is not an
// existing local file; every other scheme, and an address that cannot be parsed, is local.
bool IsLocalURL(const QString& Address);

// To be called in main() before the QApplication is made: shares OpenGL contexts as
// Qt WebEngine requires, and when running as root adds --no-sandbox to
// QTWEBENGINE_CHROMIUM_FLAGS, since Chromium refuses its sandbox to root.
void PrepareWebEngineEnvironment();

// The Chromium flags PrepareWebEngineEnvironment leaves: Flags, with --no-sandbox added once
// when running as root.
QByteArray ChromiumFlagsFor(const QByteArray& Flags, bool RunningAsRoot);
