// Several regions at once through the real main window at 500, 5,000 and 50,000 regions (a third
// each rectangles, circles and polygons of 60 vertices): Select All, Copy, Paste of all, a move of
// all by one arrow key, and each step of a rubber band drawn across the whole map. Each figure is
// the command with the events it leaves (the repaint among them); the growth between the sizes
// shows what depends on the number of regions. Runs on the offscreen platform.
#include "AppFolder.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "UPTFrame.h"
#include "UnitMain.h"

#include "GeneratedMap.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

double Elapsed(const QElapsedTimer& Timer)
{
    return Timer.nsecsElapsed() / 1e6;
}

struct TFigures
{
    double SelectAll = 0;
    double Copy = 0;
    double Paste = 0;
    double KeyMove = 0;
    double BandMean = 0;
    double BandWorst = 0;
};

// The command, then the events it left, timed together; with ZQ_BENCH_DETAIL the two are printed.
template <typename F> double Timed(F&& Run)
{
    QElapsedTimer timer;
    timer.start();
    Run();
    const double command = Elapsed(timer);
    QCoreApplication::processEvents();
    if (qEnvironmentVariableIsSet("ZQ_BENCH_DETAIL"))
        std::printf("    command %.1f ms, events after it %.1f ms\n", command, Elapsed(timer) - command);
    return Elapsed(timer);
}

TFigures Measure(int Count)
{
    auto window = std::make_unique<TFormCorvantaZonequilter>();
    window->SkipFirstPaint();
    QImage picture(3200, 2200, QImage::Format_RGB32);
    picture.fill(Qt::white);
    window->ShowPicture(picture, QString());
    window->resize(1200, 900);
    window->show();
    CreateRegions(window->PanelScene, GenerateMapAreas(Count, QPoint(100, 100)));
    window->PanelScene->SetZoom(window->PanelScene->FitZoom());
    QCoreApplication::processEvents();
    TPTGroup* scene = window->PanelScene;
    auto action = [&](const char* Name) { return window->findChild<QAction*>(QString::fromLatin1(Name)); };

    TFigures figures;
    scene->setFocus();
    {
        QElapsedTimer timer;
        timer.start();
        scene->viewport()->repaint();
        std::printf("%6d regions: a whole repaint of the map takes %.1f ms\n", Count, Elapsed(timer));
    }
    figures.SelectAll = Timed([&] { action("MISelectAll")->trigger(); });
    figures.Copy = Timed([&] { action("MICopy")->trigger(); });
    figures.Paste = Timed([&] { action("MIPaste")->trigger(); });
    window->MIUndo->trigger();
    QCoreApplication::processEvents();
    action("MISelectAll")->trigger();
    figures.KeyMove = Timed([&] { QTest::keyClick(scene, Qt::Key_Right); });

    // A band from the picture's empty corner across the map, one step at a time.
    QTest::mousePress(scene->viewport(), Qt::LeftButton, Qt::NoModifier, scene->mapFromScene(QPointF(5, 5)));
    std::vector<double> steps;
    for (int s = 1; s <= 40; ++s) {
        const QPointF to(5 + s * 80, 5 + s * 55);
        steps.push_back(
            Timed([&] { QTest::mouseMove(scene->viewport(), scene->mapFromScene(to)); }));
    }
    QTest::mouseRelease(scene->viewport(), Qt::LeftButton, Qt::NoModifier,
                        scene->mapFromScene(QPointF(5 + 40 * 80, 5 + 40 * 55)));
    double sum = 0;
    for (double s : steps)
        sum += s;
    figures.BandMean = sum / steps.size();
    figures.BandWorst = *std::max_element(steps.begin(), steps.end());
    const int selected = window->Document()->SelectedCount();
    window->LeaveSceneToExit();
    window.release()->hide();
    std::printf("%6d regions: select all %7.1f | copy %7.1f | paste all %7.1f | key move of all %7.1f | "
                "band step mean %6.2f worst %6.2f ms (%d selected at the end)\n",
                Count, figures.SelectAll, figures.Copy, figures.Paste, figures.KeyMove, figures.BandMean,
                figures.BandWorst, selected);
    std::fflush(stdout);
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    SetAppFolderOverride(folder.path());
    std::vector<std::pair<int, TFigures>> all;
    for (int count : {500, 5000, 50000})
        if (count <= qEnvironmentVariableIntValue("ZQ_BENCH_MAX") || !qEnvironmentVariableIsSet("ZQ_BENCH_MAX"))
        all.push_back({count, Measure(count)});
    std::printf("growth per tenfold (5,000 / 500 and 50,000 / 5,000):\n");
    for (size_t i = 1; i < all.size(); ++i) {
        const TFigures& a = all[i - 1].second;
        const TFigures& b = all[i].second;
        auto ratio = [](double x, double y) { return y > 0.01 ? x / y : 0.0; };
        std::printf("  %6d: select all x%.1f | copy x%.1f | paste x%.1f | key move x%.1f | band step x%.1f\n",
                    all[i].first, ratio(b.SelectAll, a.SelectAll), ratio(b.Copy, a.Copy),
                    ratio(b.Paste, a.Paste), ratio(b.KeyMove, a.KeyMove), ratio(b.BandMean, a.BandMean));
    }
    std::printf("goals: each command under 50 ms at 5,000 and 500 ms at 50,000; band step under 16 ms at 50,000\n");
    return 0;
}
