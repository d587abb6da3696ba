// A generated map (a third rectangles, a third circles, a third polygons of 60 vertices) of 500, 5,000
// and 50,000 areas through the real main window on the offscreen platform: the import to regions on the
// scene with the window idle, clearing the document, every interactive step (press, drag step, release,
// scroll step, opening a dialog, the tab change to Source) and Save As. Each benchmark runs at the three
// sizes and prints its fitted growth (BigO), so that a step that turns quadratic shows at once.
#include "WindowBench.h"

namespace {


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

} // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
