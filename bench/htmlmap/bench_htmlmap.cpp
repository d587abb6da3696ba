// Import and write-back of a large generated map: 5,000 areas, a third
// rectangles, a third circles, a third polygons of 60 vertices.
#include "HtmlDecoding.h"
#include "HtmlDocument.h"
#include "ImageMapWriter.h"
#include "MapDiscovery.h"
#include "MapImport.h"

#include "GeneratedMap.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kAreas = 5000;

const QVector<MapArea>& areas()
{
    static const QVector<MapArea> generated = GenerateMapAreas(kAreas);
    return generated;
}

const QByteArray& fileBytes()
{
    static const QByteArray bytes =
        ToCrLfLines(BuildImageMapHTML("/pictures/big.png", "BigMap", areas())).toUtf8();
    return bytes;
}

void BM_Write5000Areas(benchmark::State& state)
{
    for (auto _ : state) {
        QString text = BuildImageMapHTML("/pictures/big.png", "BigMap", areas());
        benchmark::DoNotOptimize(text);
    }
    state.counters["bytes"] = fileBytes().size();
}
BENCHMARK(BM_Write5000Areas)->Unit(benchmark::kMillisecond);

void BM_Import5000Areas(benchmark::State& state)
{
    for (auto _ : state) {
        HtmlDocument document;
        document.Write(DecodeHTMLBytes(fileBytes()));
        const QVector<ImageMapEntry> entries = FindImageMaps(document);
        const ImportedMap imported = ImportImageMap(document, entries.value(0), "/site/page.htm");
        if (!imported.Ok || imported.Areas.size() != kAreas)
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(imported);
    }
}
BENCHMARK(BM_Import5000Areas)->Unit(benchmark::kMillisecond);

void BM_DecodeOnly(benchmark::State& state)
{
    for (auto _ : state) {
        QString text = DecodeHTMLBytes(fileBytes());
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond);

void BM_ParseOnly(benchmark::State& state)
{
    const QString text = DecodeHTMLBytes(fileBytes());
    for (auto _ : state) {
        HtmlDocument document;
        document.Write(text);
        benchmark::DoNotOptimize(document);
    }
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
