// A generated map of 5,000 areas (a third rectangles, a third circles, a third
// polygons of 60 vertices) through the real main window: from LoadHTMLFile to
// the regions on the scene, and the writer's run from the scene to the source
// view. Runs on the offscreen platform.
#include "AppFolder.h"
#include "ImageMapWriter.h"
#include "MapAreaGathering.h"
#include "MessageBoxes.h"
#include "UPTFrame.h"
#include "UnitHTMLImport.h"
#include "UnitMain.h"

#include "GeneratedMap.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <Qsci/qsciscintilla.h>
#include <memory>

namespace {

constexpr int kAreas = 5000;

struct Fixture
{
    Fixture()
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
                                                     GenerateMapAreas(kAreas, QPoint(60, 60))))
                           .toUtf8());
        Window = std::make_unique<TFormCorvantaZonequilter>();
        Window->SkipFirstPaint();
        Window->show();
        SetMessageBoxRunner([](QMessageBox&) { return QMessageBox::Ok; });
    }

    bool Import()
    {
        TFormHTMLImport* dialog = Window->ImportDialog();
        return dialog->LoadHTMLFile(HtmlFile) && dialog->SelectEntry(0) && dialog->ButtonOKClick() &&
               Window->PanelScene->Regions().size() == kAreas;
    }

    QTemporaryDir Folder;
    QString HtmlFile;
    std::unique_ptr<TFormCorvantaZonequilter> Window;
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_ImportToScene(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        if (!f.Import()) {
            state.SkipWithError("import failed");
            return;
        }
    }
    state.counters["regions"] = f.Window->PanelScene->Regions().size();
}
BENCHMARK(BM_ImportToScene)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_GatherAndWrite(benchmark::State& state)
{
    Fixture& f = fixture();
    if (f.Window->PanelScene->Regions().size() != kAreas && !f.Import()) {
        state.SkipWithError("import failed");
        return;
    }
    for (auto _ : state) {
        QString text = BuildImageMapHTML(f.Window->FImageFileName, f.Window->FMapName,
                                         GatherMapAreas(*f.Window->PanelScene));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_GatherAndWrite)->Unit(benchmark::kMillisecond);

// The whole regeneration of a tab change: gathering, writing and the source view.
void BM_RefreshSourceView(benchmark::State& state)
{
    Fixture& f = fixture();
    if (f.Window->PanelScene->Regions().size() != kAreas && !f.Import()) {
        state.SkipWithError("import failed");
        return;
    }
    for (auto _ : state)
        f.Window->ButtonRefreshHTML->click();
    state.counters["chars"] = f.Window->SynEdit->text().size();
}
BENCHMARK(BM_RefreshSourceView)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
