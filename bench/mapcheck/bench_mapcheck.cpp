// The map checker at 500, 5,000, 50,000 and 1,000,000 areas: reading and checking a page as
// --check does, the checks alone, and the real program's --check on the 50,000-area page and on
// a folder of 1,000 small pages. Run the 1,000,000 case once:
//   bench_mapcheck --benchmark_filter=/1000000/
#include "ImageMapWriter.h"
#include "PageCheck.h"
#include "ResponsivePage.h"

#include "GeneratedMap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtMath>

#include <benchmark/benchmark.h>

namespace {
// A map as large maps are drawn: areas side by side in rows on a picture that grows with them
// (each a cell of 50 x 40), rectangles and circles in turn, every tenth hidden behind the one
// before it (so the unreachable check has work), with links to other pages of the site.
QVector<MapArea> SpreadAreas(int Count, QSize* Picture)
{
    const int columns = qCeil(qSqrt(Count * 1.5));
    *Picture = QSize(columns * 50, (Count / columns + 1) * 40);
    QVector<MapArea> areas;
    areas.reserve(Count);
    for (int i = 0; i < Count; ++i) {
        const int cell = i % 10 == 9 ? i - 1 : i;
        const int x = cell % columns * 50, y = cell / columns * 40;
        MapArea a = cell % 2 == 0 ? MapArea::rectangle(x + 2, y + 2, 44, 34) : MapArea::circle(x + 5, y + 2, 34, 34);
        a.HRef = QStringLiteral("https://www.corvanta.example/p%1.htm").arg(i);
        a.AltText = QStringLiteral("Area %1").arg(i);
        areas.append(a);
    }
    return areas;
}

QTemporaryDir& Folder()
{
    static QTemporaryDir folder;
    return folder;
}

// The page of Count areas as Save As writes it, its picture named by its width and height,
// written once per size.
QString PageOf(int Count)
{
    const QString name = Folder().filePath(QStringLiteral("map%1.htm").arg(Count));
    if (!QFile::exists(name)) {
        QSize picture;
        const QVector<MapArea> areas = SpreadAreas(Count, &picture);
        QString text = BuildImageMapHTML(QStringLiteral("big.png"), QStringLiteral("BigMap"), areas);
        text.replace(QLatin1String("border=0>"),
                     QStringLiteral("border=0 width=%1 height=%2>").arg(picture.width()).arg(picture.height()));
        QFile file(name);
        if (file.open(QIODevice::WriteOnly))
            file.write(ToCrLfLines(text.toUtf8()));
    }
    return name;
}

void BM_CheckPage(benchmark::State& State)
{
    const QString page = PageOf(int(State.range(0)));
    qsizetype findings = 0;
    for (auto _ : State) {
        LoadedPage loaded;
        QString error;
        if (!LoadPage(page, &loaded, &error))
            State.SkipWithError(qPrintable(error));
        findings = CheckPage(loaded).size();
        benchmark::DoNotOptimize(findings);
    }
    State.counters["findings"] = double(findings);
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_CheckPage)->Arg(500)->Arg(5000)->Arg(50000)->Complexity()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckPage)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

// What the Problems dock pays once per import or Save Into Page: the page read again and only
// its own findings (map names, usemaps) looked for.
void BM_PageItselfOnly(benchmark::State& State)
{
    const QString page = PageOf(int(State.range(0)));
    for (auto _ : State) {
        LoadedPage loaded;
        QString error;
        if (!LoadPage(page, &loaded, &error))
            State.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(CheckPageItself(loaded));
    }
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_PageItselfOnly)->Arg(500)->Arg(5000)->Arg(50000)->Complexity()->Unit(benchmark::kMillisecond);

void BM_CheckAreasOnly(benchmark::State& State)
{
    MapCheckContext context;
    const QVector<MapArea> areas = SpreadAreas(int(State.range(0)), &context.Picture);
    for (auto _ : State)
        benchmark::DoNotOptimize(CheckMapAreas(areas, context));
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_CheckAreasOnly)->Arg(500)->Arg(5000)->Arg(50000)->Complexity()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckAreasOnly)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same checks over GenerateCompactMapAreas, the other benchmarks' map, whose areas all lie
// on 3000 x 2000 pixels: the more areas, the more of them overlap at each point, so each costs
// more to check and the whole grows faster than the count.
void BM_CheckCrowdedAreas(benchmark::State& State)
{
    const QVector<MapArea> areas = GenerateCompactMapAreas(int(State.range(0)));
    MapCheckContext context;
    context.Picture = QSize(3100, 2100);
    for (auto _ : State)
        benchmark::DoNotOptimize(CheckMapAreas(areas, context));
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_CheckCrowdedAreas)->Arg(500)->Arg(5000)->Arg(50000)->Complexity()->Unit(benchmark::kMillisecond);

void BM_ResponsivePage(benchmark::State& State)
{
    QSize picture;
    const QVector<MapArea> areas = SpreadAreas(int(State.range(0)), &picture);
    for (auto _ : State)
        benchmark::DoNotOptimize(
            BuildResponsivePage(QStringLiteral("big.png"), QStringLiteral("BigMap"), areas, picture));
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_ResponsivePage)->Arg(500)->Arg(5000)->Arg(50000)->Complexity()->Unit(benchmark::kMillisecond);

// The installed way: the program itself, start and end included.
int RunCheck(const QStringList& Files)
{
    QProcess program;
    program.setStandardOutputFile(QProcess::nullDevice());
    program.start(QStringLiteral(ZQ_APP_DIR "/zonequilter"), QStringList{QStringLiteral("--check")} + Files);
    program.waitForFinished(-1);
    return program.exitCode();
}

void BM_CommandLinePage50000(benchmark::State& State)
{
    const QString page = PageOf(50000);
    for (auto _ : State)
        if (RunCheck({page}) > 1)
            State.SkipWithError("--check failed");
}
BENCHMARK(BM_CommandLinePage50000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CommandLineFolderOf1000Pages(benchmark::State& State)
{
    const QString folder = Folder().filePath(QStringLiteral("site"));
    if (!QDir(folder).exists()) {
        QDir().mkpath(folder);
        for (int i = 0; i < 1000; ++i) {
            QSize picture;
            const QVector<MapArea> areas = SpreadAreas(10, &picture);
            QFile file(QStringLiteral("%1/page%2.html").arg(folder).arg(i));
            if (file.open(QIODevice::WriteOnly))
                file.write(ToCrLfLines(BuildImageMapHTML(QStringLiteral("p.png"), QStringLiteral("Map"), areas).toUtf8()));
        }
    }
    for (auto _ : State)
        if (RunCheck({folder}) > 1)
            State.SkipWithError("--check failed");
}
BENCHMARK(BM_CommandLineFolderOf1000Pages)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
