// The whole import path on arbitrary bytes: decode, parse, find the image
// maps, import each, write it, and import the written page again. The second
// import must give the same image, map name, areas and texts: what the writer
// wrote is what a browser reads.
#include "HtmlDecoding.h"
#include "HtmlDocument.h"
#include "ImageMapWriter.h"
#include "MapDiscovery.h"
#include "MapImport.h"

#include <cstdio>
#include <cstdlib>

namespace {

const QString kPage = QStringLiteral("/site/page.htm");

[[noreturn]] void fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "round trip broken: %s\n%s\n", what, qPrintable(detail));
    std::abort();
}

void checkRoundTrip(const ImportedMap& first)
{
    const QByteArray saved =
        ToCrLfLines(BuildImageMapHTML(first.ImagePath, first.MapName, first.Areas)).toUtf8();
    HtmlDocument document;
    if (!document.Write(DecodeHTMLBytes(saved)))
        fail("written page not parsed", QString::fromUtf8(saved));
    const QVector<ImageMapEntry> entries = FindImageMaps(document);
    if (entries.size() != 1)
        fail("written page has not exactly one image map", QString::fromUtf8(saved));
    const ImportedMap second = ImportImageMap(document, entries[0], kPage);
    if (!second.Ok)
        fail("written page does not import", second.ErrorMessage + "\n" + QString::fromUtf8(saved));
    if (second.ImagePath != first.ImagePath)
        fail("image path changed", first.ImagePath + " -> " + second.ImagePath);
    if (second.MapName != first.MapName)
        fail("map name changed", first.MapName + " -> " + second.MapName);
    if (second.Areas.size() != first.Areas.size())
        fail("area count changed", QString::fromUtf8(saved));
    for (int i = 0; i < first.Areas.size(); ++i)
        if (second.Areas[i] != first.Areas[i])
            fail("area changed", BuildAreaLine(first.Areas[i]) + "\n" + BuildAreaLine(second.Areas[i]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    HtmlDocument document;
    if (!document.Write(DecodeHTMLBytes(bytes)))
        return 0;
    const QVector<ImageMapEntry> entries = FindImageMaps(document);
    // A few entries are enough: they all take the same path.
    for (int i = 0; i < entries.size() && i < 4; ++i) {
        const ImportedMap imported = ImportImageMap(document, entries[i], kPage);
        if (imported.Ok)
            checkRoundTrip(imported);
    }
    return 0;
}
