#pragma once

#include <QString>
#include <QUrl>

class QWebEngineProfile;

// The Preview shows its page through a scheme of the program's own rather than as a local file:
// a page on it has no access to local files, so whatever its texts hold cannot read the user's
// files, while the map's picture is handed to it by the program. The scheme is registered with
// the web engine before the application object exists (by this module's static initialiser).

// The scheme's name.
QString PreviewScheme();
// The address under which the Preview shows the local file at Path, and back.
QUrl PreviewUrlForFile(const QString& Path);
bool IsPreviewUrl(const QUrl& Url);
// The local file a Preview address stands for, keeping its query and fragment; what a link the
// Preview resolved against its own address means.
QUrl FileUrlForPreviewUrl(const QUrl& Url);

// What the scheme hands out: the page the Preview shows now and the pictures, sounds and videos
// that page names, each by the file its path leads to (links followed), nothing else. The page is
// handed to the program's own load; the pictures only to a page on this scheme, never to a web
// page or a local one. Paths with encoded separators or dots, or with "." or ".." steps, get
// nothing; what is not on the list gets the same answer whether it exists or not.
enum class TPreviewServe
{
    Serve,
    Deny
};
// Makes PageFile, a preview file just written with Html, the page the scheme hands out, and the
// pictures Html names (resolved as the Preview resolves them) the only others.
void SetPreviewContent(const QString& PageFile, const QString& Html);
// Nothing is handed out any more.
void ClearPreviewContent();
// Whether the scheme answers a request for Url made by a page at Initiator (empty: the program
// itself), and with which file and type.
TPreviewServe PreviewServes(const QUrl& Url, const QUrl& Initiator, QString* File = nullptr,
                            QByteArray* MimeType = nullptr);

// Lets Profile serve the scheme (once per profile).
void InstallPreviewScheme(QWebEngineProfile* Profile);
