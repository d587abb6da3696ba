#include "TBrowserWindow.h"

#include "AppFolder.h"
#include "TBrowserPage.h"

#include <QApplication>
#include <QHash>
#include <QSet>
#include <QWebEngineScript>
#include <QWindow>

namespace {
QHash<QString, QPointer<TBrowserWindow>>& NamedWindows()
{
    static QHash<QString, QPointer<TBrowserWindow>> windows;
    return windows;
}

QSet<TBrowserWindow*>& OpenWindows()
{
    static QSet<TBrowserWindow*> windows;
    return windows;
}

void CloseAllAtQuit()
{
    static bool connected = false;
    if (!connected && QCoreApplication::instance()) {
        // Pages must go before the web engine profile does.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, &TBrowserWindow::CloseAll);
        connected = true;
    }
}
} // namespace

TBrowserWindow::TBrowserWindow(const QString& Name, bool AwaitName)
    : QWebEngineView(static_cast<QWidget*>(nullptr)), FWindowName(Name), FAwaitingName(AwaitName)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("BrowserWindow"));
    resize(1024, 768);
    setWindowTitle(ApplicationTitle());
    auto* browserPage = InstallNewPage();
    if (AwaitName) {
        browserPage->SetHoldFirstNavigation(true);
        connect(browserPage, &TBrowserPage::FirstNavigation, this, &TBrowserWindow::ResolveName);
    }
    OpenWindows().insert(this);
    CloseAllAtQuit();
}

TBrowserPage* TBrowserWindow::InstallNewPage()
{
    QWebEnginePage* old = FPage;
    FPage = new TBrowserPage(this);
    setPage(FPage);
    connect(FPage, &QWebEnginePage::titleChanged, this, [this](const QString& title) {
        setWindowTitle(title.isEmpty() ? url().toDisplayString() : title);
    });
    connect(FPage, &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    connect(FPage, &QWebEnginePage::urlChanged, this, [this]() {
        if (!FAwaitingName && !isVisible())
            ShowAndRaise();
    });
    delete old;
    return FPage;
}

TBrowserWindow::~TBrowserWindow()
{
    OpenWindows().remove(this);
    // The page is a child of this window, but it must not outlive the view it draws into.
    delete FPage.data();
}

TBrowserWindow* TBrowserWindow::FindNamed(const QString& Name)
{
    if (Name.isEmpty())
        return nullptr;
    return NamedWindows().value(Name).data();
}

TBrowserWindow* TBrowserWindow::OpenNamed(const QString& Name)
{
    if (TBrowserWindow* window = FindNamed(Name))
        return window;
    auto* window = new TBrowserWindow(Name, false);
    if (!Name.isEmpty())
        NamedWindows().insert(Name, window);
    return window;
}

TBrowserWindow* TBrowserWindow::CreateForPageRequest()
{
    return new TBrowserWindow(QString(), true);
}

QList<TBrowserWindow*> TBrowserWindow::AllWindows()
{
    return OpenWindows().values();
}

void TBrowserWindow::CloseAll()
{
    const QList<TBrowserWindow*> windows = OpenWindows().values();
    for (TBrowserWindow* window : windows)
        delete window;
    NamedWindows().clear();
}

void TBrowserWindow::Navigate(const QUrl& Url)
{
    setUrl(Url);
    ShowAndRaise();
}

void TBrowserWindow::OpenInFreshPage(const QUrl& Url)
{
    // A page that web pages have named keeps being found by that name in the engine, but a
    // navigation started from here can leave such links going nowhere. A fresh page has no
    // name: links aimed at this window then reach TBrowserPage::createWindow, which sends
    // them here again.
    if (!url().isEmpty())
        InstallNewPage();
    Navigate(Url);
}

void TBrowserWindow::ShowAndRaise()
{
    JoinModalDialog();
    show();
    raise();
    activateWindow();
}

void TBrowserWindow::JoinModalDialog()
{
    // An application-modal dialog (the about box) blocks every window but its own, and its own
    // include its transient children: as one, this window takes input while the dialog runs.
    // Making this window modal instead does not last: the web view re-creates the native window
    // when it first draws, and that drops the window from the application's modal stack (and a
    // window already showing would have to be hidden first).
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->window() == this || modal->windowModality() != Qt::ApplicationModal)
        return;
    QWindow* dialog = modal->window()->windowHandle();
    winId(); // the transient parent is a property of the window handle
    QWindow* own = windowHandle();
    if (!dialog || !own || own->transientParent() == dialog)
        return;
    LeaveModalDialog();
    own->setTransientParent(dialog);
    FModalDialog = dialog;
    // Once the dialog is gone, the window stands on its own again.
    FModalDialogHidden = connect(dialog, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible)
            LeaveModalDialog();
    });
}

void TBrowserWindow::LeaveModalDialog()
{
    disconnect(FModalDialogHidden);
    QWindow* own = windowHandle();
    if (own && own->transientParent() && own->transientParent() == FModalDialog)
        own->setTransientParent(nullptr);
    FModalDialog = nullptr;
}

void TBrowserWindow::ResolveName(const QUrl& Url)
{
    // Chromium gives the new page the target's name as window.name when it creates it.
    QPointer<TBrowserWindow> self(this);
    // Asked in the program's own world: the page that opened this one may run no scripts (the
    // Preview), and the page it opens may start out the same.
    page()->runJavaScript(QStringLiteral("window.name"), QWebEngineScript::ApplicationWorld,
                          [self, Url](const QVariant& result) {
        if (!self)
            return;
        self->FAwaitingName = false;
        const QString name = result.toString();
        TBrowserWindow* existing = FindNamed(name);
        if (existing && existing != self) {
            // The name belongs to a window that is already open: the page goes there.
            existing->Navigate(Url);
            emit self->NameResolved(existing);
            self->close();
            return;
        }
        self->FWindowName = name;
        if (!name.isEmpty())
            NamedWindows().insert(name, self.data());
        self->ShowAndRaise();
        emit self->NameResolved(self.data());
    });
}
