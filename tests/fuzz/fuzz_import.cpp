// The whole import path on arbitrary bytes: decode, parse, find the image
// maps, import each, write it, and import the written page again. The second
// import must give the same image, map name, areas and texts: what the writer
// wrote is what a browser reads.
#include "HtmlDecoding.h"
#include "HtmlDocument.h"
#include "ImageMapWriter.h"
#include "MapDiscovery.h"
#include "MapImport.h"
#include "PageText.h"
#include "SaveIntoPage.h"

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

// Saving the map unchanged into its page gives the page back byte for byte, or refuses.
void checkUnchangedSave(const QByteArray& bytes, const HtmlDocument& document, const ImportedMap& imported)
{
    PageMapOrigin origin = PageMapOrigin::Of(kPage, imported);
    const QVector<PageMapText> texts = ScanPageMapTexts(bytes);
    if (texts.size() == document.Maps().size()) {
        origin.MapDigest = texts[imported.MapPosition].Digest;
        origin.MapOffset = texts[imported.MapPosition].Offset;
        origin.MapLength = texts[imported.MapPosition].Length;
    }
    PageRewrite rewrite;
    QString error;
    if (RewritePageMap(bytes, origin, imported.MapName, imported.Areas, &rewrite, &error) && rewrite.Bytes != bytes)
        fail("an unchanged save changed the page", QString::fromUtf8(bytes));
}

bool sameElement(const HtmlElement& a, const HtmlElement& b)
{
    return a.AttributesInOrder() == b.AttributesInOrder();
}

// The page parsed in small pieces, as a large file is, must give the same document.
void checkPieces(const QByteArray& bytes, const HtmlDocument& whole)
{
    HtmlReadProgress progress;
    progress.PieceBytes = bytes.isEmpty() ? 1 : 1 + uchar(bytes[0]) % 13;
    HtmlDocument pieces;
    if (!pieces.WriteUtf8(DecodeHTMLBytesToUtf8(bytes), nullptr, &progress))
        fail("not parsed in pieces", QString::fromUtf8(bytes));
    if (DecodeHTMLBytesToUtf8(bytes) != DecodeHTMLBytes(bytes).toUtf8())
        fail("the UTF-8 text differs from the decoded one", QString::fromUtf8(bytes));
    bool same = pieces.Images().size() == whole.Images().size() && pieces.Maps().size() == whole.Maps().size();
    for (int i = 0; same && i < whole.Images().size(); ++i)
        same = sameElement(pieces.Images()[i], whole.Images()[i]);
    for (int i = 0; same && i < whole.Maps().size(); ++i) {
        const HtmlDocument::MapElement &a = pieces.Maps()[i], &b = whole.Maps()[i];
        same = sameElement(a.Element, b.Element) && a.Areas.size() == b.Areas.size();
        for (int j = 0; same && j < b.Areas.size(); ++j)
            same = sameElement(a.Areas[j], b.Areas[j]);
    }
    if (!same)
        fail("parsed in pieces differently", QString::fromUtf8(bytes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    HtmlDocument document;
    if (!document.Write(DecodeHTMLBytes(bytes)))
        return 0;
    checkPieces(bytes, document);
    const QVector<ImageMapEntry> entries = FindImageMaps(document);
    // A few entries are enough: they all take the same path.
    for (int i = 0; i < entries.size() && i < 4; ++i) {
        const ImportedMap imported = ImportImageMap(document, entries[i], kPage);
        if (imported.Ok) {
            checkRoundTrip(imported);
            checkUnchangedSave(bytes, document, imported);
        }
    }
    return 0;
}
