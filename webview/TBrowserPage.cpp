#include "TBrowserPage.h"

#include "TBrowserWindow.h"

TBrowserPage::TBrowserPage(QObject* Parent) : QWebEnginePage(Parent) {}

TBrowserPage::TBrowserPage(QWebEngineProfile* Profile, QObject* Parent) : QWebEnginePage(Profile, Parent) {}

QWebEnginePage* TBrowserPage::createWindow(QWebEnginePage::WebWindowType Type)
{
    Q_UNUSED(Type);
    return TBrowserWindow::CreateForPageRequest()->page();
}
