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
#include "WindowParts.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

// The processor time this thread has used, in ms: unlike the wall clock it leaves out the time the
// process waited for one of the machine's shared cores.
double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// A command's own time and the time of the events it left (the repaint among them).
struct TCost
{
    double Command = 0;
    double Events = 0;
};

struct TFigures
{
    TCost SelectAll;
    TCost Copy;
    TCost Paste;
    TCost KeyMove;
    TCost BandMean;
    TCost BandWorst;
};

template <typename F> TCost Timed(F&& Run)
{
    const double start = ThreadCpuMs();
    Run();
    const double command = ThreadCpuMs();
    QCoreApplication::processEvents();
    return {command - start, ThreadCpuMs() - command};
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
    CreateRegions(Find<TPTGroup>(*window, "PanelScene"), GenerateMapAreas(Count, QPoint(100, 100)));
    Find<TPTGroup>(*window, "PanelScene")->SetZoom(Find<TPTGroup>(*window, "PanelScene")->FitZoom());
    QCoreApplication::processEvents();
    TPTGroup* scene = Find<TPTGroup>(*window, "PanelScene");
    auto action = [&](const char* Name) { return window->findChild<QAction*>(QString::fromLatin1(Name)); };

    TFigures figures;
    scene->setFocus();
    {
        const double start = ThreadCpuMs();
        scene->viewport()->repaint();
        std::printf("%6d regions: a whole repaint of the map takes %.1f ms\n", Count, ThreadCpuMs() - start);
    }
    figures.SelectAll = Timed([&] { action("MISelectAll")->trigger(); });
    figures.Copy = Timed([&] { action("MICopy")->trigger(); });
    figures.Paste = Timed([&] { action("MIPaste")->trigger(); });
    Find<QAction>(*window, "MIUndo")->trigger();
    QCoreApplication::processEvents();
    action("MISelectAll")->trigger();
    figures.KeyMove = Timed([&] { QTest::keyClick(scene, Qt::Key_Right); });

    // A band from the picture's empty corner across the map, one step at a time.
    QTest::mousePress(scene->viewport(), Qt::LeftButton, Qt::NoModifier, scene->mapFromScene(QPointF(5, 5)));
    std::vector<TCost> steps;
    for (int s = 1; s <= 40; ++s) {
        const QPointF to(5 + s * 80, 5 + s * 55);
        steps.push_back(Timed([&] { QTest::mouseMove(scene->viewport(), scene->mapFromScene(to)); }));
    }
    QTest::mouseRelease(scene->viewport(), Qt::LeftButton, Qt::NoModifier,
                        scene->mapFromScene(QPointF(5 + 40 * 80, 5 + 40 * 55)));
    for (const TCost& s : steps) {
        figures.BandMean.Command += s.Command / steps.size();
        figures.BandMean.Events += s.Events / steps.size();
        figures.BandWorst.Command = std::max(figures.BandWorst.Command, s.Command);
        figures.BandWorst.Events = std::max(figures.BandWorst.Events, s.Events);
    }
    const int selected = window->Document()->SelectedCount();
    window->LeaveSceneToExit();
    window.release()->hide();
    std::printf("%6d regions, processor ms, command + the events after it (repaint):\n"
                "        select all %6.1f + %6.1f | copy %6.1f + %6.1f | paste all %6.1f + %6.1f | "
                "key move of all %6.1f + %6.1f\n"
                "        band step mean %5.2f + %6.2f, worst %5.2f + %6.2f (%d selected at the end)\n",
                Count, figures.SelectAll.Command, figures.SelectAll.Events, figures.Copy.Command,
                figures.Copy.Events, figures.Paste.Command, figures.Paste.Events, figures.KeyMove.Command,
                figures.KeyMove.Events, figures.BandMean.Command, figures.BandMean.Events,
                figures.BandWorst.Command, figures.BandWorst.Events, selected);
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
        if (count <= qEnvironmentVariableIntValue("ZQ_BENCH_MAX") ||
            !qEnvironmentVariableIsSet("ZQ_BENCH_MAX"))
            all.push_back({count, Measure(count)});
    std::printf("growth per tenfold (5,000 / 500 and 50,000 / 5,000):\n");
    for (size_t i = 1; i < all.size(); ++i) {
        const TFigures& a = all[i - 1].second;
        const TFigures& b = all[i].second;
        auto ratio = [](double x, double y) { return y > 0.01 ? x / y : 0.0; };
        std::printf("  %6d, commands: select all x%.1f | copy x%.1f | paste x%.1f | key move x%.1f | band "
                    "step x%.1f\n",
                    all[i].first, ratio(b.SelectAll.Command, a.SelectAll.Command),
                    ratio(b.Copy.Command, a.Copy.Command), ratio(b.Paste.Command, a.Paste.Command),
                    ratio(b.KeyMove.Command, a.KeyMove.Command),
                    ratio(b.BandMean.Command, a.BandMean.Command));
    }
    std::printf(
        "goals: each command under 50 ms at 5,000 and 500 ms at 50,000; band step under 16 ms at 50,000\n");
    return 0;
}
