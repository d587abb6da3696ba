#include "WebViewHelpers.h"

#include "EFileCreateError.h"
#include "InternetConnection.h"
#include "MessageBoxes.h"
#include "PreviewFolder.h"
#include "PreviewScheme.h"
#include "TBrowserWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cerrno>
#include <cstring>
#include <sys/file.h>
#include <unistd.h>

namespace {
// Writes the bytes to the file at path; on failure returns false with the system's reason.
bool WriteExclusively(const QString& path, const QByteArray& bytes, QString& reason)
{
    QFile file(path);
    // Not truncated on opening: a file that another process holds locked must stay as it is.
    if (!file.open(QIODevice::ReadWrite)) {
        reason = file.errorString();
        return false;
    }
    if (::flock(file.handle(), LOCK_EX | LOCK_NB) != 0) {
        reason = errno == EWOULDBLOCK ? QCoreApplication::translate("WebViewHelpers", "The file is in use.")
                                      : QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (!file.resize(0) || file.write(bytes) != bytes.size() || !file.flush()) {
        reason = file.errorString();
        return false;
    }
    file.close(); // also releases the lock
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    return true;
}
} // namespace

QString BrowserWindowName()
{
    return QStringLiteral("CorvantaWebBrowser");
}

QStringList PreviewFileNames()
{
    return {QStringLiteral("Temp1.html"), QStringLiteral("Temp2.html"), QStringLiteral("Temp3.html")};
}

QString WritePreviewFile(const QString& Html)
{
    const QByteArray bytes = Html.toUtf8();
    const QString folder = GetPreviewFolder();
    QString path;
    QString reason;
    if (folder.isEmpty())
        throw EFileCreateError(
            QDir::toNativeSeparators(QDir::tempPath() + QLatin1Char('/') + PreviewFileNames().constLast()),
            QCoreApplication::translate("WebViewHelpers", "No private folder could be made."));
    for (const QString& name : PreviewFileNames()) {
        path = folder + name;
        if (WriteExclusively(path, bytes, reason))
            return path;
    }
    throw EFileCreateError(QDir::toNativeSeparators(path), reason);
}

void LoadHTMLIntoWebView(QWebEngineView* View, const QString& Html)
{
    const QString path = WritePreviewFile(Html);
    if (!View)
        return;
    // The preview files are written as UTF-8; pages without a charset declaration read so too.
    View->settings()->setDefaultTextEncoding(QStringLiteral("utf-8"));
    InstallPreviewScheme(View->page()->profile());
    SetPreviewContent(path, Html);
    View->setUrl(PreviewUrlForFile(path));
}

bool TryLoadHTMLIntoWebView(QWebEngineView* View, const QString& Html, QString* ErrorMessage)
{
    try {
        LoadHTMLIntoWebView(View, Html);
        return true;
    } catch (const EFileCreateError& error) {
        if (ErrorMessage)
            *ErrorMessage = error.Message();
        return false;
    }
}

void OpenURL(const QString& Address)
{
    if (IsLocalURL(Address) || IsInternetConnected() ||
        AskYesNo(QCoreApplication::translate(
            "WebViewHelpers", "You don't seem to be connected to the internet. Do you wish to connect now?")))
        OpenURLInNamedWindow(Address, BrowserWindowName());
}

QString CutBeforeHash(const QString& Address)
{
    const int hash = Address.indexOf(QLatin1Char('#'));
    return hash < 0 ? Address : Address.left(hash);
}

QUrl AddressToUrl(const QString& Address)
{
    if (Address.isEmpty())
        return QUrl(QStringLiteral("about:blank"));
    return QUrl::fromUserInput(Address, QDir::currentPath(), QUrl::AssumeLocalFile);
}

void OpenURLInNamedWindow(const QString& Address, const QString& WindowName)
{
    TBrowserWindow::OpenNamed(WindowName)->OpenInFreshPage(AddressToUrl(CutBeforeHash(Address)));
}

bool IsLocalURL(const QString& Address)
{
    const QUrl url(Address, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) != 0)
        return true;
    // Only an existing file counts, not a folder: "http://host/" has the path "/".
    const QString path = url.path();
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QByteArray ChromiumFlagsFor(const QByteArray& Flags, bool RunningAsRoot)
{
    if (!RunningAsRoot || Flags.split(' ').contains("--no-sandbox"))
        return Flags;
    return Flags.isEmpty() ? QByteArray("--no-sandbox") : Flags + " --no-sandbox";
}

void PrepareWebEngineEnvironment()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const QByteArray wanted = ChromiumFlagsFor(flags, ::geteuid() == 0);
    if (wanted != flags)
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", wanted);
}
