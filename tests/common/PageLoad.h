#pragma once
// Loading a page into a web view and waiting for the load to end.
#include <QSignalSpy>
#include <QWebEngineView>
#include <QtTest>

#include <functional>

// Runs Start, which begins a load in View, and waits up to Timeout ms for it to end; true when
// it ended and succeeded.
inline bool LoadAndWait(QWebEngineView& View, const std::function<void()>& Start, int Timeout = 20000)
{
    QSignalSpy finished(&View, &QWebEngineView::loadFinished);
    Start();
    return finished.wait(Timeout) && finished.last().value(0).toBool();
}
