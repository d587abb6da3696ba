#pragma once

#include <QElapsedTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QtTest>

// Runs Script in the program's own world, which runs whether the page's own scripts do or not,
// and waits up to TimeoutMs for its result (an invalid value when none came).
inline QVariant RunAppScript(QWebEnginePage* Page, const QString& Script, int TimeoutMs = 20000)
{
    QVariant result;
    bool done = false;
    Page->runJavaScript(Script, QWebEngineScript::ApplicationWorld, [&](const QVariant& Value) {
        result = Value;
        done = true;
    });
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < TimeoutMs)
        QTest::qWait(10);
    return result;
}
