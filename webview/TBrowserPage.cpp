#include "TBrowserPage.h"

#include "TBrowserWindow.h"

TBrowserPage::TBrowserPage(QObject* Parent) : QWebEnginePage(Parent) {}

QWebEnginePage* TBrowserPage::createWindow(QWebEnginePage::WebWindowType Type)
{
    Q_UNUSED(Type);
    return TBrowserWindow::CreateForPageRequest()->page();
}

bool TBrowserPage::acceptNavigationRequest(const QUrl& Url, QWebEnginePage::NavigationType Type,
                                           bool IsMainFrame)
{
    if (FHoldFirstNavigation && IsMainFrame && Url != QUrl(QStringLiteral("about:blank"))) {
        FHoldFirstNavigation = false;
        emit FirstNavigation(Url);
    }
    return QWebEnginePage::acceptNavigationRequest(Url, Type, IsMainFrame);
}
