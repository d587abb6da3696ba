#pragma once

// Builds the real main window offscreen, with a picture of a given size on the
// scene, and drives the scene's viewport with Qt Test mouse events at scene
// (image pixel) positions.

#include "AppFolder.h"
#include "TGUIRegion.h"
#include "UPTFrame.h"
#include "UnitMain.h"
#include "WindowParts.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>

class MainWindowFixture
{
public:
    explicit MainWindowFixture(int width = 300, int height = 200)
    {
        // Settings.ini is read and written beside the program: keep it out of the build.
        SetAppFolderOverride(FDir.path());
        Window = std::make_unique<TFormCorvantaZonequilter>();
        Window->SkipFirstPaint();
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::white);
        Window->Document()->SetPicture(picture, Window->Document()->ImageFileName());
        Find<TPTGroup>(*Window, "PanelScene")->SetClientSize(width, height);
        Window->show();
        Window->activateWindow();
        Ready = QTest::qWaitForWindowActive(Window.get());
        Invoke(*Window, "ScrollBoxResize");
    }
    ~MainWindowFixture()
    {
        Window.reset();
        SetAppFolderOverride(QString());
    }

    TPTGroup* Scene() const { return Find<TPTGroup>(*Window, "PanelScene"); }
    QWidget* Viewport() const { return Find<TPTGroup>(*Window, "PanelScene")->viewport(); }
    QPoint At(int x, int y) const { return Scene()->mapFromScene(QPointF(x, y)); }

    void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(Viewport(), button, Qt::NoModifier, At(x, y));
    }
    void Move(int x, int y) { QTest::mouseMove(Viewport(), At(x, y)); }
    void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(Viewport(), button, Qt::NoModifier, At(x, y));
    }
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        Press(x, y, button);
        Release(x, y, button);
    }
    // A left drag with a few moves on the way, as a hand would make it.
    void Drag(int x0, int y0, int x1, int y1)
    {
        Press(x0, y0);
        Move((x0 + x1) / 2, (y0 + y1) / 2);
        Move(x1, y1);
        Release(x1, y1);
    }

    QList<TGUIRegion*> Regions() const { return Scene()->Regions(); }

    bool Ready = false;
    std::unique_ptr<TFormCorvantaZonequilter> Window;

private:
    QTemporaryDir FDir;
};

// The caption as the window shows it: Qt's modified placeholder replaced by "*" or removed.
inline QString ShownTitle(QWidget& window)
{
    window.winId();
    return window.windowHandle()->title();
}

// A move with no button held, as the pointer passing over the scene.
inline void HoverMove(QWidget* viewport, const QPoint& pos)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(viewport->mapToGlobal(pos)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}
