// Import and write-back of a large generated map: 5,000 areas, a third
// rectangles, a third circles, a third polygons of 60 vertices.
#include "HtmlDecoding.h"
#include "HtmlDocument.h"
#include "ImageMapWriter.h"
#include "MapDiscovery.h"
#include "MapImport.h"
#include "PageText.h"
#include "SaveIntoPage.h"

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

// A page as browsers forgive it: every other area without a shape, every third with decimal
// coordinates, all of them rectangles a browser reads.
QByteArray lenientPage(int count)
{
    QString html = QStringLiteral("<html><body>\n<img src=\"big.png\" usemap=\"#Lenient\">\n<map name=\"Lenient\">\n");
    for (int i = 0; i < count; ++i) {
        const int x = (i * 37) % 3000, y = (i * 53) % 2000;
        const QString coords = i % 3 == 0 ? QStringLiteral("%1.5,%2.25,%3.75,%4.5").arg(x).arg(y).arg(x + 40).arg(y + 30)
                                          : QStringLiteral("%1,%2,%3,%4").arg(x).arg(y).arg(x + 40).arg(y + 30);
        html += QStringLiteral("  <area%1 coords=\"%2\" href=\"page%3.html\" alt=\"Area %3\" title=\"T%3\">\n")
                    .arg(i % 2 == 0 ? QString() : QStringLiteral(" shape=\"rect\""), coords)
                    .arg(i);
    }
    html += QStringLiteral("</map>\n</body></html>\n");
    return html.toUtf8();
}

void BM_ImportLenient(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const QByteArray bytes = lenientPage(count);
    for (auto _ : state) {
        HtmlDocument document;
        document.Write(DecodeHTMLBytes(bytes));
        const ImportedMap imported = ImportImageMap(document, FindImageMaps(document).value(0), "/site/page.htm");
        if (!imported.Ok || imported.Areas.size() != count || imported.Notes.size() < count / 2)
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(imported);
    }
    state.SetComplexityN(count);
    state.counters["bytes"] = bytes.size();
}
BENCHMARK(BM_ImportLenient)->Arg(500)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// A page of about 1 MB at 5,000 areas: the map amid a fixed body of text.
QByteArray pageWithMap(int count)
{
    QByteArray page = "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>Big</title></head><body>\r\n";
    const QByteArray paragraph = "<p class=\"text\">Caf\xc3\xa9 text &amp; more text that fills the page around "
                                 "its image map, line after line.</p>\r\n";
    while (page.size() < 560 * 1000)
        page += paragraph;
    page += "<img src=\"big.png\" usemap=\"#BigMap\">\r\n<map name=\"BigMap\">\r\n";
    for (int i = 0; i < count; ++i) {
        const int x = (i * 37) % 3000, y = (i * 53) % 2000;
        page += QStringLiteral("  <area shape=\"rect\" coords=\"%1,%2,%3,%4\" href=\"page%5.html\" alt=\"Area %5\">\r\n")
                    .arg(x).arg(y).arg(x + 40).arg(y + 30).arg(i).toUtf8();
    }
    page += "</map>\r\n";
    for (int i = 0; i < 100; ++i)
        page += paragraph;
    return page + "</body></html>\r\n";
}

void BM_SaveIntoPage(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const QByteArray page = pageWithMap(count);
    HtmlDocument document;
    document.Write(DecodeHTMLBytes(page));
    const ImportedMap imported = ImportImageMap(document, FindImageMaps(document).value(0), "/site/page.htm");
    // The map's text as LoadFromFile records it: the save finds it again by its digest.
    PageMapOrigin origin = PageMapOrigin::Of("/site/page.htm", imported);
    const PageMapText text = ScanPageMapTexts(page).value(imported.MapPosition);
    origin.MapDigest = text.Digest;
    origin.MapOffset = text.Offset;
    origin.MapLength = text.Length;
    // One area edited, the rest kept byte for byte.
    QVector<MapArea> areas = imported.Areas;
    areas[count / 2].HRef = QStringLiteral("changed.html");
    for (auto _ : state) {
        PageRewrite rewrite;
        QString error;
        if (!RewritePageMap(page, origin, imported.MapName, areas, &rewrite, &error) || rewrite.Bytes == page)
            state.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(rewrite);
    }
    state.SetComplexityN(count);
    state.counters["bytes"] = page.size();
}
BENCHMARK(BM_SaveIntoPage)->Arg(500)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
