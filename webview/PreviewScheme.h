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

// What the scheme hands out: the preview files in the preview folder, and pictures, sounds and
// videos wherever they are (the map's picture may be anywhere). Nothing else, so a page cannot
// show the user's other files either.
enum class TPreviewServe
{
    Serve,
    Deny,
    NotFound
};
TPreviewServe PreviewServes(const QString& Path, QByteArray* MimeType = nullptr);

// Lets Profile serve the scheme (once per profile).
void InstallPreviewScheme(QWebEngineProfile* Profile);
