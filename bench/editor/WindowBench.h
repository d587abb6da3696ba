// What the benchmarks of the main window share: a window with a generated map of each size, waits
// for the window to settle, and the program's own main.
#pragma once

#include "AppFolder.h"
#include "ImageMapWriter.h"
#include "MapAreaGathering.h"
#include "MessageBoxes.h"
#include "PeakMemory.h"
#include "SharedDialogs.h"
#include "UPTFrame.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"

#include "GeneratedMap.h"
#include "LongTask.h"
#include "MapDocument.h"
#include "WindowParts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <Qsci/qsciscintilla.h>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <map>
#include <memory>
#include <sys/resource.h>



// Heap bytes in use.
inline double HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

// The process's peak resident memory since the last ResetPeakMemory, in MiB.
inline double PeakMiB()
{
    return PeakMemoryKb() / 1024.0;
}

inline void Idle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// One window and one map file per size; owned by main, so that they go before the application does.
class Fixture
{
public:
    Fixture()
    {
        SetAppFolderOverride(Folder.path());
        Picture = Folder.filePath(QStringLiteral("big.png"));
        QImage image(3100, 2100, QImage::Format_RGB32);
        image.fill(QColor(200, 220, 240));
        image.save(Picture, "PNG");
        Window = std::make_unique<TFormCorvantaZonequilter>();
        Window->SkipFirstPaint();
        Window->resize(1000, 750);
        // ZQ_BENCH_LIVE: every region painted anew at each repaint, as before the tiles, to compare.
        Find<TPTGroup>(*Window, "PanelScene")->SetRegionCache(!qEnvironmentVariableIsSet("ZQ_BENCH_LIVE"));
        Window->show();
        Window->activateWindow();
        (void)QTest::qWaitForWindowActive(Window.get());
        SetMessageBoxRunner([](QMessageBox&) { return QMessageBox::Ok; });
    }
    ~Fixture()
    {
        Window.reset();
        SetAppFolderOverride(QString());
    }

    // The generated map of this size; Compact: rectangles and circles with short links, about
    // 100 bytes an area.
    QString MapFile(int areas, bool Compact = false)
    {
        QString& name = Files[Compact ? -areas : areas];
        if (name.isEmpty()) {
            name = Folder.filePath(QStringLiteral("big%1%2.htm").arg(areas).arg(Compact ? "c" : ""));
            QFile file(name);
            const QVector<MapArea> generated =
                Compact ? GenerateCompactMapAreas(areas) : GenerateMapAreas(areas, QPoint(60, 60));
            if (file.open(QIODevice::WriteOnly))
                file.write(
                    ToCrLfLines(BuildImageMapHTML(Picture, QStringLiteral("BigMap"), generated)).toUtf8());
        }
        return name;
    }

    // The map of this size as the document, the window idle.
    bool Import(int areas, bool Compact = false)
    {
        TFormHTMLImport* dialog = Window->ImportDialog();
        const bool ok = dialog->LoadHTMLFile(MapFile(areas, Compact)) && dialog->SelectEntry(0) &&
                        dialog->ButtonOKClick() &&
                        Find<TPTGroup>(*Window, "PanelScene")->Regions().size() == areas;
        Idle();
        return ok;
    }
    bool Ensure(int areas)
    {
        return Find<TPTGroup>(*Window, "PanelScene")->Regions().size() == areas || Import(areas);
    }

    // The centre of a region near the visible top-left, in viewport coordinates.
    QPoint RegionPoint() const
    {
        TPTGroup* scene = Find<TPTGroup>(*Window, "PanelScene");
        scene->horizontalScrollBar()->setValue(0);
        scene->verticalScrollBar()->setValue(0);
        // The generator puts its first rectangle at (60, 60), 40 x 30.
        return scene->mapFromScene(QPointF(75, 70));
    }
    QWidget* Viewport() const { return Find<TPTGroup>(*Window, "PanelScene")->viewport(); }

    QTemporaryDir Folder;
    QString Picture;
    std::map<int, QString> Files;
    std::unique_ptr<TFormCorvantaZonequilter> Window;
};

inline std::unique_ptr<Fixture> g_fixture;

inline Fixture& fixture()
{
    if (!g_fixture)
        g_fixture = std::make_unique<Fixture>();
    return *g_fixture;
}

inline void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(500)->Arg(5000)->Arg(50000)->Complexity(benchmark::oAuto)->Unit(benchmark::kMillisecond);
}

// The map of this size as the document, outside the timing; false, the benchmark skipped, when
// the import failed.
inline bool EnsureUntimed(benchmark::State& state, int areas)
{
    state.PauseTiming();
    const bool ok = fixture().Ensure(areas);
    state.ResumeTiming();
    if (!ok)
        state.SkipWithError("import failed");
    return ok;
}

// New on the picture: the old regions leave the scene at once; a large map's are freed in slices
// afterwards, the longest of which is printed (slice_ms), with the time until all are freed.
struct NewTimes
{
    double LongestSliceMs = 0;
    double FreedMs = 0;
};

inline NewTimes FreeAfterNew(Fixture& f)
{
    NewTimes times;
    QElapsedTimer all;
    all.start();
    do {
        QElapsedTimer slice;
        slice.start();
        QCoreApplication::processEvents();
        times.LongestSliceMs = std::max(times.LongestSliceMs, slice.nsecsElapsed() / 1e6);
    } while (Find<TPTGroup>(*f.Window, "PanelScene")->ShapesToFree() > 0);
    times.FreedMs = all.nsecsElapsed() / 1e6;
    return times;
}

// Until the scene is painted again, the tiles the view had painted around itself included.
inline void Settle(Fixture& f)
{
    Idle();
    while (Find<TPTGroup>(*f.Window, "PanelScene")->RegionTilesPending())
        QCoreApplication::processEvents();
}

// A resize of the window until the scene is painted again; Compact: the compact page of the size.
inline void Resize(benchmark::State& state, bool Compact)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    if (Find<TPTGroup>(*f.Window, "PanelScene")->Regions().size() != areas && !f.Import(areas, Compact))
        return state.SkipWithError("import failed");
    int step = 0;
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Settle(f);
        QElapsedTimer timer;
        timer.start();
        state.ResumeTiming();
        f.Window->resize(step++ % 2 ? QSize(1000, 750) : QSize(1060, 790));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        Find<TPTGroup>(*f.Window, "PanelScene")->viewport()->repaint();
        worst = std::max(worst, timer.nsecsElapsed() / 1e6);
    }
    f.Window->resize(1000, 750);
    Settle(f);
    state.counters["worst_ms"] = worst;
    state.SetComplexityN(areas);
}

// The benchmarks' main: a QApplication on the offscreen platform unless told otherwise.
inline int RunWindowBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window and its dialogs go while the application still exists.
    g_fixture.reset();
    return 0;
}
