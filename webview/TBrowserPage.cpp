#include "TBrowserPage.h"

#include "PreviewScheme.h"
#include "TBrowserWindow.h"

#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace {
// The Preview's page loads nothing from the web; the user's links still go there.
class TNoRemoteRequests : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& Info) override
    {
        if (Info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
            return;
        const QString scheme = Info.requestUrl().scheme();
        if (scheme != PreviewScheme() && scheme != QLatin1String("data") && scheme != QLatin1String("blob"))
            Info.block(true);
    }
};

// A javascript: link runs in the page without asking acceptNavigationRequest, so the click
// that would follow it is cancelled before the page sees it. The program's own world runs
// even where the page's scripts are turned off.
QWebEngineScript refuseScriptLinksScript()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("RefuseScriptLinks"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QStringLiteral(
        "(function () {"
        "  function refuse(event) {"
        "    for (var node = event.target; node; node = node.parentNode) {"
        "      if (node.nodeType !== 1) continue;"
        "      var name = node.localName;"
        "      if (name !== 'a' && name !== 'area') continue;"
        "      var href = node.getAttribute('href');"
        "      if (href === null) href = node.getAttribute('xlink:href');"
        "      if (href === null) return;"
        // As the URL parser reads it: leading blanks and controls dropped, tabs and line breaks ignored.
        "      href = href.replace(/[\\t\\n\\r]/g, '').replace(/^[\\u0000-\\u0020]+/, '');"
        "      if (/^javascript:/i.test(href)) {"
        "        event.preventDefault();"
        "        event.stopImmediatePropagation();"
        "        return;"
        "      }"
        // A page on the preview scheme may not open local files: a link to one goes through the
        // scheme, and the page that follows it opens the file (TBrowserPage::acceptNavigationRequest).
        "      if (location.protocol === '%1:' && typeof node.href === 'string' && /^file:/i.test(node.href)) {"
        "        var url = new URL(node.href);"
        "        node.setAttribute('href', '%1:' + url.pathname + url.search + url.hash);"
        "      }"
        "      return;"
        "    }"
        "  }"
        "  window.addEventListener('click', refuse, true);"
        "  window.addEventListener('auxclick', refuse, true);"
        "})();")
                            .arg(PreviewScheme()));
    return script;
}
} // namespace

TBrowserPage::TBrowserPage(QObject* Parent) : QWebEnginePage(Parent)
{
    // No page reads a local file through a script, nor does a local page reach the web: the
    // Preview's picture comes through its own scheme, a local page gets file access only while it
    // shows, without its scripts (SetUpFor).
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    // WebRTC may not reveal or reach the computer's private addresses.
    settings()->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    scripts().insert(refuseScriptLinksScript());
}

bool TBrowserPage::IsLocalPage(const QUrl& Url)
{
    return Url.isLocalFile() || IsPreviewUrl(Url);
}

bool TBrowserPage::SetUpFor(const QUrl& Url)
{
    // The Preview keeps its own settings (RestrictToPreview).
    if (FPreview)
        return false;
    // A local page shows its local pictures and style sheets, which the engine refuses it
    // without file access; it then runs no script, so that nothing reads the files it may reach.
    const bool local = IsLocalPage(Url);
    QWebEngineSettings* own = settings();
    if (own->testAttribute(QWebEngineSettings::JavascriptEnabled) != local &&
        own->testAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls) == local)
        return false;
    own->setAttribute(QWebEngineSettings::JavascriptEnabled, !local);
    own->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, local);
    return true;
}

void TBrowserPage::RestrictToPreview()
{
    FPreview = true;
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    setUrlRequestInterceptor(new TNoRemoteRequests(this));
    InstallPreviewScheme(profile());
}

bool TBrowserPage::IsScriptUrl(const QUrl& Url)
{
    return Url.scheme().compare(QLatin1String("javascript"), Qt::CaseInsensitive) == 0;
}

QWebEnginePage* TBrowserPage::createWindow(QWebEnginePage::WebWindowType Type)
{
    Q_UNUSED(Type);
    return TBrowserWindow::CreateForPageRequest()->page();
}

bool TBrowserPage::acceptNavigationRequest(const QUrl& Url, QWebEnginePage::NavigationType Type,
                                           bool IsMainFrame)
{
    if (IsScriptUrl(Url))
        return false;
    // A link the Preview resolved against its own address, or a local link it passed on,
    // opens the local file it names, as it would from a local page. The Preview's own loads
    // (typed or reloaded) stay on the scheme.
    if (IsMainFrame && IsPreviewUrl(Url) &&
        !(FPreview && (Type == NavigationTypeTyped || Type == NavigationTypeReload))) {
        const QUrl file = FileUrlForPreviewUrl(Url);
        SetUpFor(file);
        QTimer::singleShot(0, this, [this, file] { load(file); });
        return false;
    }
    // A page from a map may come from anywhere. Going local, the page's settings change first and
    // the load follows them: they reach the page's process before a load started after them, which
    // a navigation already under way would not wait for.
    if (IsMainFrame && SetUpFor(Url) && IsLocalPage(Url)) {
        QTimer::singleShot(0, this, [this, Url] { load(Url); });
        return false;
    }
    if (FHoldFirstNavigation && IsMainFrame && Url != QUrl(QStringLiteral("about:blank"))) {
        FHoldFirstNavigation = false;
        emit FirstNavigation(Url);
    }
    return QWebEnginePage::acceptNavigationRequest(Url, Type, IsMainFrame);
}
