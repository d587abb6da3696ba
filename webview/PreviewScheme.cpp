#include "PreviewScheme.h"

#include "PreviewFolder.h"
#include "WebViewHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace {
const char kScheme[] = "zonequilter-preview";

// Must happen before the web engine starts, which may be as soon as the application object
// exists: a static initialiser runs before any main().
const bool kRegistered = [] {
    QWebEngineUrlScheme scheme(kScheme);
    // Paths resolve as local paths do: the picture's name, absolute or relative to the preview
    // file, becomes an address on this scheme. No flag gives its pages local access.
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
    return true;
}();

class TPreviewSchemeHandler : public QWebEngineUrlSchemeHandler
{
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* Job) override
    {
        if (Job->requestMethod() != "GET") {
            Job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        const QString path = Job->requestUrl().path();
        QByteArray mime;
        switch (PreviewServes(path, &mime)) {
        case TPreviewServe::Deny:
            Job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        case TPreviewServe::NotFound:
            Job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        case TPreviewServe::Serve:
            break;
        }
        auto* file = new QFile(path, Job);
        if (!file->open(QIODevice::ReadOnly)) {
            Job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        Job->reply(mime, file);
    }
};

bool IsPreviewFile(const QFileInfo& Info)
{
    if (!PreviewFileNames().contains(Info.fileName()))
        return false;
    const QString folder = GetPreviewFolder();
    return !folder.isEmpty() && QFileInfo(folder).canonicalFilePath() == Info.canonicalPath();
}
} // namespace

QString PreviewScheme()
{
    Q_UNUSED(kRegistered);
    return QString::fromLatin1(kScheme);
}

QUrl PreviewUrlForFile(const QString& Path)
{
    QUrl url;
    url.setScheme(PreviewScheme());
    url.setPath(QDir::fromNativeSeparators(QFileInfo(Path).absoluteFilePath()));
    return url;
}

bool IsPreviewUrl(const QUrl& Url)
{
    return Url.scheme() == PreviewScheme();
}

QUrl FileUrlForPreviewUrl(const QUrl& Url)
{
    QUrl file = QUrl::fromLocalFile(Url.path());
    file.setQuery(Url.query(QUrl::FullyEncoded), QUrl::StrictMode);
    file.setFragment(Url.fragment(QUrl::FullyEncoded), QUrl::StrictMode);
    return file;
}

TPreviewServe PreviewServes(const QString& Path, QByteArray* MimeType)
{
    const QFileInfo info(Path);
    if (!info.isAbsolute() || !info.exists())
        return TPreviewServe::NotFound;
    if (!info.isFile())
        return TPreviewServe::Deny;
    if (IsPreviewFile(info)) {
        if (MimeType)
            *MimeType = "text/html";
        return TPreviewServe::Serve;
    }
    // By content, not name: a text file named .png is still not a picture.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchContent);
    const QString name = type.name();
    const bool media = name.startsWith(QLatin1String("image/")) || name.startsWith(QLatin1String("audio/")) ||
                       name.startsWith(QLatin1String("video/"));
    if (!media)
        return TPreviewServe::Deny;
    if (MimeType)
        *MimeType = name.toLatin1();
    return TPreviewServe::Serve;
}

void InstallPreviewScheme(QWebEngineProfile* Profile)
{
    if (!Profile || Profile->urlSchemeHandler(PreviewScheme().toLatin1()))
        return;
    // Owned by the profile, which it must not outlive.
    Profile->installUrlSchemeHandler(PreviewScheme().toLatin1(), new TPreviewSchemeHandler(Profile));
}
