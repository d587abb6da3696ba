#include "TBrowserPage.h"

#include "TBrowserWindow.h"

#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

namespace {
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
        "      }"
        "      return;"
        "    }"
        "  }"
        "  window.addEventListener('click', refuse, true);"
        "  window.addEventListener('auxclick', refuse, true);"
        "})();"));
    return script;
}
} // namespace

TBrowserPage::TBrowserPage(QObject* Parent) : QWebEnginePage(Parent)
{
    // A local page reaches no web address. It must still show local files: the engine refuses
    // the map's picture and local pages the map links to when this is off.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    scripts().insert(refuseScriptLinksScript());
}

void TBrowserPage::DisableScripts()
{
    // Without script, the local files the page may show cannot be read by anything in it.
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
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
    if (FHoldFirstNavigation && IsMainFrame && Url != QUrl(QStringLiteral("about:blank"))) {
        FHoldFirstNavigation = false;
        emit FirstNavigation(Url);
    }
    return QWebEnginePage::acceptNavigationRequest(Url, Type, IsMainFrame);
}
