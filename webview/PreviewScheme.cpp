#include "PreviewScheme.h"


#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QSet>
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

// What the scheme hands out, by canonical path: the page the Preview shows now and the pictures
// that page names. Replaced with every page the Preview shows.
struct TPreviewList
{
    QSet<QString> Pages;
    QSet<QString> Pictures;
};

TPreviewList& PreviewList()
{
    static TPreviewList list;
    return list;
}

// The values of the attributes that make a page load a picture, as the page's text gives them.
QStringList PictureReferences(const QString& Html)
{
    static const QRegularExpression attribute(
        QStringLiteral("[\\s\"'](?:src|background|poster|lowsrc)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (auto it = attribute.globalMatch(Html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QString value = match.captured(1) + match.captured(2) + match.captured(3);
        // The writer escapes these; a name with other references is not looked up.
        value.replace(QLatin1String("&quot;"), QLatin1String("\""));
        value.replace(QLatin1String("&#13;"), QLatin1String("\r"));
        value.replace(QLatin1String("&amp;"), QLatin1String("&"));
        found.append(value.trimmed());
    }
    return found;
}

// A request's path as a file, or empty when it is one the scheme never answers: encoded
// separators or dots, or a "." or ".." step, however written.
QString RequestedFile(const QUrl& Url)
{
    const QString encoded = Url.path(QUrl::FullyEncoded).toLower();
    for (const char* hidden : {"%2e", "%2f", "%5c", "%00"})
        if (encoded.contains(QLatin1String(hidden)))
            return QString();
    const QString path = Url.path(QUrl::FullyDecoded);
    if (!path.startsWith(QLatin1Char('/')))
        return QString();
    for (const QString& step : path.split(QLatin1Char('/')))
        if (step == QLatin1String(".") || step == QLatin1String(".."))
            return QString();
    return path;
}

QString MediaType(const QString& File)
{
    // By content, not name: a text file named .png is still not a picture.
    const QString name = QMimeDatabase().mimeTypeForFile(File, QMimeDatabase::MatchContent).name();
    const bool media = name.startsWith(QLatin1String("image/")) || name.startsWith(QLatin1String("audio/")) ||
                       name.startsWith(QLatin1String("video/"));
    return media ? name : QString();
}

class TPreviewSchemeHandler : public QWebEngineUrlSchemeHandler
{
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* Job) override
    {
        QString file;
        QByteArray mime;
        if (Job->requestMethod() != "GET" ||
            PreviewServes(Job->requestUrl(), Job->initiator(), &file, &mime) != TPreviewServe::Serve) {
            Job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        auto* device = new QFile(file, Job);
        if (!device->open(QIODevice::ReadOnly)) {
            Job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        Job->reply(mime, device);
    }
};
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

void SetPreviewContent(const QString& PageFile, const QString& Html)
{
    TPreviewList list;
    const QString page = QFileInfo(PageFile).canonicalFilePath();
    if (!page.isEmpty())
        list.Pages.insert(page);
    const QUrl base = PreviewUrlForFile(PageFile);
    for (const QString& reference : PictureReferences(Html)) {
        const QUrl url = base.resolved(QUrl(reference));
        if (!IsPreviewUrl(url) && !url.isLocalFile())
            continue;
        const QFileInfo info(url.path(QUrl::FullyDecoded));
        if (info.isFile())
            list.Pictures.insert(info.canonicalFilePath());
    }
    PreviewList() = std::move(list);
}

void ClearPreviewContent()
{
    PreviewList() = TPreviewList();
}

TPreviewServe PreviewServes(const QUrl& Url, const QUrl& Initiator, QString* File, QByteArray* MimeType)
{
    // The Preview's own page is loaded by the program (no initiator); everything else must come
    // from a page on this scheme, which only the Preview shows. Web and local pages get nothing.
    const bool fromProgram = Initiator.isEmpty();
    if (!fromProgram && !(IsPreviewUrl(Initiator) && Initiator.path().isEmpty()))
        return TPreviewServe::Deny;
    const QString requested = RequestedFile(Url);
    if (requested.isEmpty())
        return TPreviewServe::Deny;
    // Links are followed: what counts is where the path leads, which must be on the list.
    const QFileInfo info(requested);
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() || !QFileInfo(canonical).isFile())
        return TPreviewServe::Deny;
    QByteArray mime;
    if (PreviewList().Pages.contains(canonical)) {
        mime = "text/html";
    } else if (!fromProgram && PreviewList().Pictures.contains(canonical)) {
        mime = MediaType(canonical).toLatin1();
        if (mime.isEmpty())
            return TPreviewServe::Deny;
    } else {
        return TPreviewServe::Deny;
    }
    if (File)
        *File = canonical;
    if (MimeType)
        *MimeType = mime;
    return TPreviewServe::Serve;
}

void InstallPreviewScheme(QWebEngineProfile* Profile)
{
    if (!Profile || Profile->urlSchemeHandler(PreviewScheme().toLatin1()))
        return;
    // Owned by the profile, which it must not outlive.
    Profile->installUrlSchemeHandler(PreviewScheme().toLatin1(), new TPreviewSchemeHandler(Profile));
}
