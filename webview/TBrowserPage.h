#pragma once

#include <QWebEnginePage>

// The page of the program's web views (the Preview view and the browser windows). A link or
// window.open with a target window name opens in the program's one browser window of that name:
// createWindow hands the new page to a TBrowserWindow that, once the page reports its
// window.name, either keeps it as the window of that name or passes the address on to the
// window already open under that name.
//
// Pages come from anywhere (imported maps, the web): no page reads a local file but those it
// shows (its pictures, style sheets), no local page reaches the web or runs its scripts, WebRTC
// uses public interfaces only, and no javascript: link or address is followed.
class TBrowserPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit TBrowserPage(QObject* Parent = nullptr);

    // For the Preview, which shows the user's own map and needs no script: the page's scripts
    // (and those in its texts) do not run, the program's own scripts still do. It reaches no
    // local file and no web address of its own accord: its page and picture come through the
    // preview scheme, and only links the user follows leave it.
    void RestrictToPreview();
    // Whether Url is a javascript: address, which no page of the program follows.
    static bool IsScriptUrl(const QUrl& Url);
    // A local file, shown as such or through the preview scheme.
    static bool IsLocalPage(const QUrl& Url);

    // While set, the page's first main-frame navigation to an address is reported with
    // FirstNavigation, so that its window can decide where the page belongs.
    void SetHoldFirstNavigation(bool Hold) { FHoldFirstNavigation = Hold; }

signals:
    void FirstNavigation(const QUrl& Url);

protected:
    QWebEnginePage* createWindow(QWebEnginePage::WebWindowType Type) override;
    bool acceptNavigationRequest(const QUrl& Url, QWebEnginePage::NavigationType Type,
                                 bool IsMainFrame) override;

private:
    // Gives the page the settings for showing Url (a local page: file access, no scripts; any
    // other: scripts, no file access); true when they changed.
    bool SetUpFor(const QUrl& Url);

    bool FHoldFirstNavigation = false;
    bool FPreview = false;
};
