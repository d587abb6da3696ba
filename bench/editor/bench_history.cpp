// Undo and redo through the real main window with 500, 5,000 and 50,000 regions on the scene: one
// move, one delete and one restack, and the import of the whole map. Each figure is one undo or
// one redo; the growth between the sizes shows what depends on the number of regions.
#include "AppFolder.h"
#include "ImageMapWriter.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "RegionCommands.h"
#include "UPTFrame.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"

#include "GeneratedMap.h"
#include "WindowParts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QUndoStack>
#include <ctime>
#include <memory>

namespace {

struct Fixture
{
    explicit Fixture(int Areas)
    {
        SetAppFolderOverride(Folder.path());
        const QString picture = Folder.filePath(QStringLiteral("big.png"));
        QImage image(3100, 2100, QImage::Format_RGB32);
        image.fill(QColor(200, 220, 240));
        image.save(picture, "PNG");
        HtmlFile = Folder.filePath(QStringLiteral("big.htm"));
        QFile file(HtmlFile);
        if (file.open(QIODevice::WriteOnly))
            file.write(ToCrLfLines(BuildImageMapHTML(picture, QStringLiteral("BigMap"),
                                                     GenerateMapAreas(Areas, QPoint(60, 60))))
                           .toUtf8());
        file.close();
        Window = std::make_unique<TFormCorvantaZonequilter>();
        Window->SkipFirstPaint();
        Window->show();
        SetMessageBoxRunner([](QMessageBox&) { return QMessageBox::Ok; });
        TFormHTMLImport* dialog = Window->ImportDialog();
        Ok = dialog->LoadHTMLFile(HtmlFile) && dialog->SelectEntry(0) && dialog->ButtonOKClick() &&
             Find<TPTGroup>(*Window, "PanelScene")->Regions().size() == Areas;
    }

    TMapDocument& Document() const { return *Window->Document(); }

    QTemporaryDir Folder;
    QString HtmlFile;
    std::unique_ptr<TFormCorvantaZonequilter> Window;
    bool Ok = false;
};

// One large scene at a time, built again when the size changes.
std::unique_ptr<Fixture>& current()
{
    static std::unique_ptr<Fixture> f;
    return f;
}

Fixture& fixture(int Areas)
{
    std::unique_ptr<Fixture>& f = current();
    if (!f || Find<TPTGroup>(*f->Window, "PanelScene")->Regions().size() != Areas) {
        f.reset();
        f = std::make_unique<Fixture>(Areas);
    }
    return *f;
}

qint64 ThreadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Times the undo and the redo of the step on top of the stack, each on its own, in wall time and
// in this thread's processor time (the machine may be busy with other work).
void UndoRedo(benchmark::State& state, QUndoStack* stack)
{
    qint64 undoNs = 0, redoNs = 0, undoCpuNs = 0, redoCpuNs = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        qint64 cpu = ThreadCpuNs();
        timer.start();
        stack->undo();
        const qint64 undo = timer.nsecsElapsed();
        undoCpuNs += ThreadCpuNs() - cpu;
        cpu = ThreadCpuNs();
        timer.restart();
        stack->redo();
        const qint64 redo = timer.nsecsElapsed();
        redoCpuNs += ThreadCpuNs() - cpu;
        undoNs += undo;
        redoNs += redo;
        state.SetIterationTime(double(undo + redo) / 1e9);
    }
    const double n = double(state.iterations());
    state.counters["undo_ms"] = double(undoNs) / 1e6 / n;
    state.counters["redo_ms"] = double(redoNs) / 1e6 / n;
    state.counters["undo_cpu_ms"] = double(undoCpuNs) / 1e6 / n;
    state.counters["redo_cpu_ms"] = double(redoCpuNs) / 1e6 / n;
}

void BM_UndoRedoMove(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    if (!f.Ok)
        return state.SkipWithError("import failed");
    TMapDocument& document = f.Document();
    const int position = document.RegionCount() / 2;
    // As the user does it: the region is selected first.
    document.Select(position);
    const MapArea before = RegionArea(*document.RegionAt(position));
    MapArea after = before;
    after.Left += 5;
    for (QPoint& p : after.Vertices)
        p += QPoint(5, 0);
    document.Push(
        new TChangeGeometryCommand(document, position, before, after, QStringLiteral("Move Region")));
    UndoRedo(state, document.UndoStack());
}

void BM_UndoRedoDelete(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    if (!f.Ok)
        return state.SkipWithError("import failed");
    TMapDocument& document = f.Document();
    document.Select(document.RegionCount() / 2);
    document.Push(new TDeleteRegionCommand(document, document.RegionCount() / 2));
    UndoRedo(state, document.UndoStack());
}

void BM_UndoRedoRestack(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    if (!f.Ok)
        return state.SkipWithError("import failed");
    TMapDocument& document = f.Document();
    document.Select(document.RegionCount() / 2);
    document.Push(
        new TRestackCommand(document, document.RegionCount() / 2, 0, QStringLiteral("Send Region to Back")));
    UndoRedo(state, document.UndoStack());
}

// The import of the whole map over a document of three regions: undo puts the three back, redo
// the whole map.
void BM_UndoRedoImport(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    if (!f.Ok)
        return state.SkipWithError("import failed");
    TMapDocument& document = f.Document();
    TDocumentSnapshot small = document.Snapshot();
    small.Areas.resize(3);
    small.Selected = -1;
    document.Restore(small);
    document.ClearHistory();
    TFormHTMLImport* dialog = f.Window->ImportDialog();
    if (!dialog->LoadHTMLFile(f.HtmlFile) || !dialog->SelectEntry(0) || !dialog->ButtonOKClick())
        return state.SkipWithError("import failed");
    UndoRedo(state, document.UndoStack());
    state.counters["regions"] = document.RegionCount();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Size by size, so that each scene is built once.
    for (int areas : {500, 5000, 50000}) {
        benchmark::RegisterBenchmark("UndoRedoMove", BM_UndoRedoMove)
            ->Arg(areas)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("UndoRedoDelete", BM_UndoRedoDelete)
            ->Arg(areas)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("UndoRedoRestack", BM_UndoRedoRestack)
            ->Arg(areas)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("UndoRedoImport", BM_UndoRedoImport)
            ->Arg(areas)
            ->Iterations(5)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    current().reset();
    return 0;
}
