// Import and write-back of a large generated map: 5,000 areas, a third
// rectangles, a third circles, a third polygons of 60 vertices.
#include "HtmlDecoding.h"
#include "HtmlDocument.h"
#include "ImageMapWriter.h"
#include "MapDiscovery.h"
#include "MapImport.h"

#include <benchmark/benchmark.h>

#include <QtMath>

namespace {

constexpr int kAreas = 5000;

QVector<MapArea> generatedAreas()
{
    QVector<MapArea> areas;
    areas.reserve(kAreas);
    for (int i = 0; i < kAreas; ++i) {
        const int x = (i * 37) % 3000, y = (i * 53) % 2000;
        MapArea a;
        switch (i % 3) {
        case 0:
            a = MapArea::rectangle(x, y, 40 + i % 50, 30 + i % 40);
            break;
        case 1:
            a = MapArea::circle(x, y, 30 + i % 20, 30 + i % 20);
            break;
        default: {
            QVector<QPoint> vertices;
            for (int v = 0; v < 60; ++v) {
                const double angle = v * 2 * M_PI / 60;
                vertices.append(QPoint(x + qRound(50 * qCos(angle)), y + qRound(50 * qSin(angle))));
            }
            a = MapArea::polygon(vertices);
            break;
        }
        }
        a.HRef = QStringLiteral("http://www.corvanta.example/page%1.html").arg(i);
        a.AltText = QStringLiteral("Area number %1").arg(i);
        a.Target = QStringLiteral("_blank");
        areas.append(a);
    }
    return areas;
}

const QVector<MapArea>& areas()
{
    static const QVector<MapArea> generated = generatedAreas();
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
