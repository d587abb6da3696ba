// The main window at 100,000 and 1,000,000 areas, once each: the import with its time and peak memory,
// New's clearing, a cancelled import, a resize, an import over a map and its redo, and the closing.
#include "WindowBench.h"

namespace {

// The large sizes, once each, after everything else: the import with its time and the process's
// peak memory, New's clearing and the window's closing as the program's exit does it.
void LargeSizes(benchmark::internal::Benchmark* b)
{
    b->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
}

// The peak from the start of the import, and the memory in use before it (the window, the previous
// map's regions, which the import frees).
void LargeImport(benchmark::State& state, bool Compact)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    const QFileInfo file(f.MapFile(areas, Compact));
    for (auto _ : state) {
        // From an empty document, with the memory freed by the previous map given back.
        state.PauseTiming();
        Find<TPTGroup>(*f.Window, "PanelScene")->DestroyRegions();
        Idle();
        malloc_trim(0);
        ResetPeakMemory();
        state.counters["before_MiB"] = PeakMiB();
        state.ResumeTiming();
        if (!f.Import(areas, Compact))
            return state.SkipWithError("import failed");
    }
    state.counters["peak_MiB"] = PeakMiB();
    state.counters["page_MB"] = file.size() / 1e6;
}

void BM_LargeImport(benchmark::State& state)
{
    LargeImport(state, false);
}
BENCHMARK(BM_LargeImport)->Apply(LargeSizes)->MeasureProcessCPUTime();

// The compact page: 1,000,000 areas in about 100 MB.
void BM_LargeImportCompact(benchmark::State& state)
{
    LargeImport(state, true);
}
BENCHMARK(BM_LargeImportCompact)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

void BM_LargeNew(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    NewTimes times;
    for (auto _ : state) {
        if (!EnsureUntimed(state, areas))
            return;
        f.Window->NewImageMapOn(f.Picture);
        state.PauseTiming();
        times = FreeAfterNew(f);
        state.ResumeTiming();
    }
    state.counters["slice_ms"] = times.LongestSliceMs;
    state.counters["freed_ms"] = times.FreedMs;
    state.counters["peak_MiB"] = PeakMiB();
}
BENCHMARK(BM_LargeNew)->Apply(LargeSizes);

// An import of the same page over the map, cancelled halfway through building the regions: the
// building's longest time between two looks at the window's events, and how long the previous map
// takes to be back once Cancel was seen.
void BM_LargeImportCancelled(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    double longestGapMs = 0, backMs = 0;
    for (auto _ : state) {
        if (!EnsureUntimed(state, areas))
            return;
        QElapsedTimer sinceStep, sinceCancel;
        TLongTask::SetObserver([&](TLongTask& task, int percent) {
            // The reading of the page has its own task: this one is the import's.
            if (!task.Dialog()->labelText().startsWith(QLatin1String("Importing")))
                return;
            if (sinceStep.isValid() && !sinceCancel.isValid())
                longestGapMs = std::max(longestGapMs, sinceStep.nsecsElapsed() / 1e6);
            sinceStep.start();
            if (percent >= 57 && !sinceCancel.isValid()) {
                task.Cancel();
                sinceCancel.start();
            }
        });
        const bool imported = f.Import(areas);
        backMs = sinceCancel.isValid() ? sinceCancel.nsecsElapsed() / 1e6 : -1;
        TLongTask::SetObserver({});
        if (imported || Find<TPTGroup>(*f.Window, "PanelScene")->Regions().size() != areas)
            return state.SkipWithError("the cancelled import did not leave the map as it was");
    }
    state.counters["step_gap_ms"] = longestGapMs;
    state.counters["back_ms"] = backMs;
}
BENCHMARK(BM_LargeImportCancelled)->Apply(LargeSizes);

// A resize at 100,000 and a million areas (rectangles and circles, some 125,000 on screen at a
// million), once each.
void BM_LargeResize(benchmark::State& state)
{
    Resize(state, true);
}
BENCHMARK(BM_LargeResize)->Arg(100000)->Arg(1000000)->Iterations(4)->Unit(benchmark::kMillisecond);

// The longest time the window's events waited while Run ran, and the longest of those waits that
// ended with no progress dialog on screen: what the user sees as the window not answering.
struct TGaps
{
    double Longest = 0;
    double WithoutDialog = 0;
};

TGaps WatchGaps(const std::function<void()>& Run)
{
    TGaps gaps;
    QElapsedTimer since;
    const auto tick = [&] {
        const double gap = since.nsecsElapsed() / 1e6;
        since.restart();
        gaps.Longest = std::max(gaps.Longest, gap);
        bool dialog = false;
        for (QWidget* widget : QApplication::topLevelWidgets())
            dialog = dialog || (qobject_cast<QProgressDialog*>(widget) && widget->isVisible());
        if (!dialog)
            gaps.WithoutDialog = std::max(gaps.WithoutDialog, gap);
    };
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, tick);
    since.start();
    timer.start();
    Run();
    tick();
    return gaps;
}

// An import of the same page over the map (the map before set aside, the new one built, the step
// recorded), then its undo, untimed, and its redo: the longest waits of the window's events in each.
void BM_LargeImportOverAndRedo(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    TGaps import, redo;
    for (auto _ : state) {
        if (!EnsureUntimed(state, areas))
            return;
        bool ok = false;
        import = WatchGaps([&] { ok = f.Import(areas); });
        if (!ok)
            return state.SkipWithError("import failed");
        state.PauseTiming();
        f.Window->Document()->Undo();
        Idle();
        state.ResumeTiming();
        redo = WatchGaps([&] {
            f.Window->Document()->Redo();
            Idle();
        });
    }
    state.counters["import_gap_ms"] = import.Longest;
    state.counters["import_gap_nodialog_ms"] = import.WithoutDialog;
    state.counters["redo_gap_ms"] = redo.Longest;
    state.counters["redo_gap_nodialog_ms"] = redo.WithoutDialog;
}
BENCHMARK(BM_LargeImportOverAndRedo)->Apply(LargeSizes);

// The window's part of the program's end, and a little more: the window here also frees the page
// its import dialog read, which the program's own dialog leaves to the system. The system then
// takes the memory back (about 0.4 s for the 5 GB of a million areas on a test machine).
void BM_LargeClose(benchmark::State& state)
{
    const int areas = int(state.range(0));
    for (auto _ : state) {
        if (!EnsureUntimed(state, areas))
            return;
        g_fixture->Window->close();
        g_fixture->Window->LeaveSceneToExit();
        g_fixture->Window.reset();
        state.PauseTiming();
        // The generated pages' folder is the benchmark's, not the program's.
        g_fixture.reset();
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = PeakMiB();
}
BENCHMARK(BM_LargeClose)->Apply(LargeSizes);

} // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
