#pragma once

#include <QPointer>
#include <QWebEngineView>

class TBrowserPage;
class QWindow;

// A top-level in-program browser window. The program keeps at most one window per name;
// OpenNamed returns it (creating it when none is open) and closing it frees the name.
class TBrowserWindow : public QWebEngineView
{
    Q_OBJECT

public:
    // The open window of that name, or nullptr.
    static TBrowserWindow* FindNamed(const QString& Name);
    // The open window of that name, or a new one (not yet shown) registered under it.
    static TBrowserWindow* OpenNamed(const QString& Name);
    // A window for a page that a web page asked for (createWindow). It stays hidden until the
    // page's window.name is known: a name already taken sends the page's first address to that
    // window and this one closes unseen; otherwise this window takes the name (or stays
    // unnamed) and shows.
    static TBrowserWindow* CreateForPageRequest();
    // Every browser window still open, named or not.
    static QList<TBrowserWindow*> AllWindows();
    // Deletes every browser window; the program calls it before the web engine profile goes.
    static void CloseAll();

    ~TBrowserWindow() override;

    QString WindowName() const { return FWindowName; }
    // Navigates to Url, then shows and raises the window.
    void Navigate(const QUrl& Url);
    // The same in a new page that replaces the current one (how the program opens addresses).
    void OpenInFreshPage(const QUrl& Url);

signals:
    // Emitted once the name of a window made for a page request has been settled; Target is
    // the window that shows the page (this one or the one already open under that name).
    void NameResolved(TBrowserWindow* Target);

private:
    explicit TBrowserWindow(const QString& Name, bool AwaitName);
    void ResolveName(const QUrl& Url);
    void ShowAndRaise();
    // Lets the window take input while an application-modal dialog runs, until that closes.
    void JoinModalDialog();
    void LeaveModalDialog();
    TBrowserPage* InstallNewPage();

    QPointer<TBrowserPage> FPage;
    QString FWindowName;
    QPointer<QWindow> FModalDialog;
    QMetaObject::Connection FModalDialogHidden;
    bool FAwaitingName = false;
};
