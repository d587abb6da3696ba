// A generated map (a third rectangles, a third circles, a third polygons of 60 vertices) of 500, 5,000
// and 50,000 areas through the real main window on the offscreen platform: the import to regions on the
// scene with the window idle, clearing the document, every interactive step (press, drag step, release,
// scroll step, opening a dialog, the tab change to Source) and Save As. Each benchmark runs at the three
// sizes and prints its fitted growth (BigO), so that a step that turns quadratic shows at once.
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

namespace {

// Heap bytes in use.
double HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

// The process's peak resident memory since the last ResetPeakMemory, in MiB.
double PeakMiB()
{
    return PeakMemoryKb() / 1024.0;
}

void Idle()
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

std::unique_ptr<Fixture> g_fixture;

Fixture& fixture()
{
    if (!g_fixture)
        g_fixture = std::make_unique<Fixture>();
    return *g_fixture;
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(500)->Arg(5000)->Arg(50000)->Complexity(benchmark::oAuto)->Unit(benchmark::kMillisecond);
}

void BM_ImportToScene(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    f.MapFile(areas);
    for (auto _ : state) {
        if (!f.Import(areas)) {
            state.SkipWithError("import failed");
            return;
        }
    }
    // Memory of the regions beyond the HTML: the heap with the regions, and without them with the same
    // HTML document still loaded in the import dialog.
    const double with = HeapInUse();
    Find<TPTGroup>(*f.Window, "PanelScene")->DestroyRegions();
    // A large map's shapes are freed in slices a moment later: all of them now.
    Find<TPTGroup>(*f.Window, "PanelScene")->FreeClearedShapes();
    Idle();
    state.counters["KiB/area"] = (with - HeapInUse()) / 1024 / areas;
    state.SetComplexityN(areas);
}
// Processor time of the whole process: reading and parsing run on other threads.
BENCHMARK(BM_ImportToScene)->Apply(Sizes)->Iterations(3)->MeasureProcessCPUTime();

// The map of this size as the document, outside the timing; false, the benchmark skipped, when
// the import failed.
bool EnsureUntimed(benchmark::State& state, int areas)
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

NewTimes FreeAfterNew(Fixture& f)
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

void BM_New(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    NewTimes worst;
    for (auto _ : state) {
        if (!EnsureUntimed(state, areas))
            return;
        f.Window->NewImageMapOn(f.Picture);
        state.PauseTiming();
        const NewTimes times = FreeAfterNew(f);
        worst.LongestSliceMs = std::max(worst.LongestSliceMs, times.LongestSliceMs);
        worst.FreedMs = std::max(worst.FreedMs, times.FreedMs);
        state.ResumeTiming();
    }
    state.counters["slice_ms"] = worst.LongestSliceMs;
    state.counters["freed_ms"] = worst.FreedMs;
    state.SetComplexityN(areas);
}
BENCHMARK(BM_New)->Apply(Sizes)->Iterations(3);

// A press on a region (which selects it at the release) and the release, each with its repaint.
void BM_Press(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    if (!f.Ensure(areas))
        return state.SkipWithError("import failed");
    const QPoint at = f.RegionPoint();
    Idle();
    for (auto _ : state) {
        QTest::mousePress(f.Viewport(), Qt::LeftButton, {}, at);
        Idle();
        state.PauseTiming();
        QTest::mouseRelease(f.Viewport(), Qt::LeftButton, {}, at);
        Idle();
        state.ResumeTiming();
    }
    state.SetComplexityN(areas);
}
BENCHMARK(BM_Press)->Apply(Sizes);

void BM_Release(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    if (!f.Ensure(areas))
        return state.SkipWithError("import failed");
    const QPoint at = f.RegionPoint();
    Idle();
    for (auto _ : state) {
        state.PauseTiming();
        QTest::mousePress(f.Viewport(), Qt::LeftButton, {}, at);
        Idle();
        state.ResumeTiming();
        QTest::mouseRelease(f.Viewport(), Qt::LeftButton, {}, at);
        Idle();
    }
    state.SetComplexityN(areas);
}
BENCHMARK(BM_Release)->Apply(Sizes);

// One move of a region being dragged: the outline follows the pointer.
void BM_DragStep(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    if (!f.Ensure(areas))
        return state.SkipWithError("import failed");
    const QPoint at = f.RegionPoint();
    QTest::mousePress(f.Viewport(), Qt::LeftButton, {}, at);
    Idle();
    int step = 0;
    for (auto _ : state) {
        QTest::mouseMove(f.Viewport(), at + QPoint(1 + step % 40, 1 + step % 30));
        Idle();
        ++step;
    }
    QTest::mouseRelease(f.Viewport(), Qt::LeftButton, {}, at);
    Idle();
    state.SetComplexityN(areas);
}
BENCHMARK(BM_DragStep)->Apply(Sizes);

// One step of the scroll bar, with the repaint of the scrolled scene.
void BM_ScrollStep(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    if (!f.Ensure(areas))
        return state.SkipWithError("import failed");
    QScrollBar* bar = Find<TPTGroup>(*f.Window, "PanelScene")->verticalScrollBar();
    bar->setValue(0);
    Idle();
    int value = 0;
    for (auto _ : state) {
        value = value + bar->singleStep() > bar->maximum() ? 0 : value + bar->singleStep() * 3;
        bar->setValue(value);
        Idle();
    }
    state.SetComplexityN(areas);
}
BENCHMARK(BM_ScrollStep)->Apply(Sizes);

// The Save As dialog shown, then cancelled.
void BM_OpenDialog(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    if (!f.Ensure(areas))
        return state.SkipWithError("import failed");
    const DialogRunner previous = SetDialogRunner([](QFileDialog& dialog) {
        dialog.show();
        Idle();
        dialog.hide();
        return false;
    });
    for (auto _ : state) {
        InvokeBool(*f.Window, "MISaveAsClick");
        Idle();
    }
    SetDialogRunner(previous);
    state.SetComplexityN(areas);
}
BENCHMARK(BM_OpenDialog)->Apply(Sizes);

// The change from the Edit tab to Source; with Change, a region moves first, so the text is
// written anew, and without, the document is unchanged since the last change.
void TabToSource(benchmark::State& state, bool Change)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    if (!f.Ensure(areas))
        return state.SkipWithError("import failed");
    TFormCorvantaZonequilter& w = *f.Window;
    const int edit = Find<QTabWidget>(w, "PageControl")->indexOf(Find<QWidget>(w, "TabSheetEdit"));
    const int source = Find<QTabWidget>(w, "PageControl")->indexOf(Find<QWidget>(w, "TabSheetSource"));
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.SelectPageByUser(edit);
        if (Change) {
            TGUIRegion* region = Find<TPTGroup>(w, "PanelScene")->Regions().first();
            region->SetBounds(region->Left(), region->Top() + (step++ % 2 ? 1 : -1), region->Width(),
                              region->Height());
        }
        Idle();
        state.ResumeTiming();
        w.SelectPageByUser(source);
        Idle();
    }
    w.SelectPageByUser(edit);
    Idle();
    state.SetComplexityN(areas);
}

void BM_TabToSource(benchmark::State& state)
{
    TabToSource(state, false);
}
BENCHMARK(BM_TabToSource)->Apply(Sizes);

void BM_TabToSourceAfterChange(benchmark::State& state)
{
    TabToSource(state, true);
}
BENCHMARK(BM_TabToSourceAfterChange)->Apply(Sizes);

// Back from Source to Edit after a change, and a resize of the window: each until the scene is
// painted again. The tiles the view had painted around itself are ready first, as after a pause.
void Settle(Fixture& f)
{
    Idle();
    while (Find<TPTGroup>(*f.Window, "PanelScene")->RegionTilesPending())
        QCoreApplication::processEvents();
}

void BM_BackToEditAfterChange(benchmark::State& state)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    if (!f.Ensure(areas))
        return state.SkipWithError("import failed");
    TFormCorvantaZonequilter& w = *f.Window;
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TGUIRegion* region = Find<TPTGroup>(w, "PanelScene")->Regions().first();
        region->SetBounds(region->Left(), region->Top() + (step++ % 2 ? 1 : -1), region->Width(), region->Height());
        w.SelectPageByUser(Find<QTabWidget>(w, "PageControl")->indexOf(Find<QWidget>(w, "TabSheetSource")));
        Settle(f);
        state.ResumeTiming();
        w.SelectPageByUser(Find<QTabWidget>(w, "PageControl")->indexOf(Find<QWidget>(w, "TabSheetEdit")));
        Find<TPTGroup>(w, "PanelScene")->viewport()->repaint();
    }
    Settle(f);
    state.SetComplexityN(areas);
}
BENCHMARK(BM_BackToEditAfterChange)->Apply(Sizes);

void Resize(benchmark::State& state, bool Compact)
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

void BM_Resize(benchmark::State& state)
{
    Resize(state, false);
}
BENCHMARK(BM_Resize)->Apply(Sizes);

// Save As to a file: generating the text, gathering the areas, the source view and the writing.
// With Change, a region moves first, so the text is written anew.
void SaveAs(benchmark::State& state, bool Change)
{
    Fixture& f = fixture();
    const int areas = int(state.range(0));
    if (!f.Ensure(areas))
        return state.SkipWithError("import failed");
    const DialogRunner previous = SetDialogRunner(ChooseFileRunner(f.Folder.filePath("saved.htm")));
    int step = 0;
    for (auto _ : state) {
        if (Change) {
            state.PauseTiming();
            TGUIRegion* region = Find<TPTGroup>(*f.Window, "PanelScene")->Regions().first();
            region->SetBounds(region->Left(), region->Top() + (step++ % 2 ? 1 : -1), region->Width(),
                              region->Height());
            Idle();
            state.ResumeTiming();
        }
        InvokeBool(*f.Window, "MISaveAsClick");
        Idle();
    }
    SetDialogRunner(previous);
    state.counters["bytes"] = double(QFile(f.Folder.filePath("saved.htm")).size());
    state.SetComplexityN(areas);
}

void BM_SaveAs(benchmark::State& state)
{
    SaveAs(state, false);
}
BENCHMARK(BM_SaveAs)->Apply(Sizes);

void BM_SaveAsAfterChange(benchmark::State& state)
{
    SaveAs(state, true);
}
BENCHMARK(BM_SaveAsAfterChange)->Apply(Sizes);

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
