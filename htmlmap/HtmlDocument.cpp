#include "HtmlDocument.h"

#include "HtmlDecoding.h"
#include "PageText.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>

#include <lexbor/html/html.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

QString fromUtf8(const lxb_char_t* text, size_t length)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(text), static_cast<qsizetype>(length));
}

// Attribute names come from the parser's table of names, one address per name: each name becomes
// one shared text, not a copy per element. A short value that repeats the one before it under the
// same name (shape="rect", target="_blank") shares its text too.
class AttributeNames
{
public:
    QString Name(const lxb_char_t* name, size_t length)
    {
        Entry& entry = FNames[name];
        if (entry.Name.isNull())
            entry.Name = fromUtf8(name, length);
        FLast = &entry;
        return entry.Name;
    }
    // The value of the attribute last named.
    QString Value(const lxb_char_t* value, size_t length)
    {
        constexpr size_t shortValue = 16;
        if (length > shortValue)
            return fromUtf8(value, length);
        const QByteArrayView bytes(value, static_cast<qsizetype>(length));
        if (!FLast->HasValue || FLast->Bytes != bytes) {
            FLast->HasValue = true;
            FLast->Bytes = bytes.toByteArray();
            FLast->Value = fromUtf8(value, length);
        }
        return FLast->Value;
    }

private:
    struct Entry
    {
        QString Name;
        bool HasValue = false;
        QByteArray Bytes; // the last short value and its text
        QString Value;
    };
    QHash<const lxb_char_t*, Entry> FNames;
    Entry* FLast = nullptr;
};

constexpr int kSharedAttributes = 64;

HtmlElement toElement(lxb_dom_element_t* element, AttributeNames& names)
{
    HtmlElement result;
    int count = 0;
    for (lxb_dom_attr_t* attribute = element->first_attr; attribute; attribute = attribute->next)
        ++count;
    result.Attributes.reserve(count);
    for (lxb_dom_attr_t* attribute = element->first_attr; attribute; attribute = attribute->next) {
        size_t nameLength = 0, valueLength = 0;
        const lxb_char_t* name = lxb_dom_attr_qualified_name(attribute, &nameLength);
        const lxb_char_t* value = lxb_dom_attr_value(attribute, &valueLength);
        // A tag with hundreds of attributes is no map's: its names would only fill the table.
        if (count > kSharedAttributes) {
            result.Attributes.append({fromUtf8(name, nameLength), fromUtf8(value, valueLength)});
            continue;
        }
        QString nameText = names.Name(name, nameLength);
        result.Attributes.append({std::move(nameText), names.Value(value, valueLength)});
    }
    return result;
}

struct LexborDocumentDeleter
{
    void operator()(lxb_html_document_t* document) const { lxb_html_document_destroy(document); }
};

QString tooComplexMessage()
{
    return QCoreApplication::translate("HtmlDocument",
                                       "The HTML file keeps too many formatting elements open at once to be read");
}

QString tooDeepMessage()
{
    return QCoreApplication::translate("HtmlDocument",
                                       "The HTML file nests too many elements inside each other to be read");
}

QString outOfMemoryMessage()
{
    return QCoreApplication::translate("HtmlDocument", "There is not enough memory to read this HTML file");
}

QString outOfMemoryMessage(const QString& fileName)
{
    return QCoreApplication::translate("HtmlDocument", "There is not enough memory to read the file \"%1\"")
        .arg(fileName);
}

} // namespace

QString HtmlDocument::FailureMessage(ParseResult result)
{
    switch (result) {
    case ParseResult::Parsed:
    case ParseResult::Cancelled:
        return QString();
    case ParseResult::TooComplex:
        return tooComplexMessage();
    case ParseResult::TooDeep:
        return tooDeepMessage();
    case ParseResult::OutOfMemory:
        break;
    }
    return outOfMemoryMessage();
}

void HtmlDocument::Clear()
{
    FImages.clear();
    FMaps.clear();
}

bool HtmlDocument::Write(const QString& html, QString* errorMessage)
{
    return WriteUtf8(html.toUtf8(), errorMessage);
}

bool HtmlDocument::WriteUtf8(const QByteArray& utf8, QString* errorMessage, const HtmlReadProgress* progress)
{
    Clear();
    ParseResult result = ParseResult::OutOfMemory;
    try {
        result = Parse(utf8, progress, 0, utf8.size());
    } catch (const std::bad_alloc&) {
        result = ParseResult::OutOfMemory;
    }
    if (result != ParseResult::Parsed) {
        Clear();
        if (errorMessage)
            *errorMessage = FailureMessage(result);
    }
    return result == ParseResult::Parsed;
}

HtmlDocument::ParseResult HtmlDocument::Parse(const QByteArray& utf8, const HtmlReadProgress* progress,
                                              qint64 doneBefore, qint64 total)
{
    std::unique_ptr<lxb_html_document_t, LexborDocumentDeleter> document(lxb_html_document_create());
    if (!document)
        return ParseResult::OutOfMemory;
    const auto* data = reinterpret_cast<const lxb_char_t*>(utf8.constData());
    const qsizetype size = utf8.size();
    // In pieces, so that a large page reports its progress and can be called off. A piece ends
    // just before a '<': the parser reads a piece's end as it would read it whole only where no
    // look-ahead is pending (a markup declaration, a character reference, a character's bytes),
    // and in a page's text that is before a tag opens.
    const qsizetype piece = progress ? std::max<qsizetype>(progress->PieceBytes, 1) : size;
    lxb_status_t status = lxb_html_document_parse_chunk_begin(document.get());
    for (qsizetype at = 0; status == LXB_STATUS_OK && at < size;) {
        if (progress && progress->Cancelled())
            return ParseResult::Cancelled;
        qsizetype end = std::min(size, at + piece);
        if (end < size) {
            const void* open = std::memchr(data + end, '<', static_cast<size_t>(size - end));
            end = open ? static_cast<const lxb_char_t*>(open) - data : size;
        }
        status = lxb_html_document_parse_chunk(document.get(), data + at, static_cast<size_t>(end - at));
        at = end;
        // The walk over the finished tree below takes the last tenth.
        if (progress && progress->Report)
            progress->Report(doneBefore + (total - doneBefore) * 9 / 10 * at / std::max<qsizetype>(size, 1), total);
    }
    if (status == LXB_STATUS_OK)
        status = lxb_html_document_parse_chunk_end(document.get());
    // The parser refuses pages that would take it quadratic time (see third_party/lexbor/README.md).
    if (status == LXB_STATUS_ERROR_OVERFLOW)
        return ParseResult::TooComplex;
    if (status == LXB_STATUS_ERROR_NO_FREE_SLOT)
        return ParseResult::TooDeep;
    if (status != LXB_STATUS_OK)
        return ParseResult::OutOfMemory;
    if (progress && progress->Cancelled())
        return ParseResult::Cancelled;

    // One walk in document order along the tree's own links: no recursion, so
    // deeply nested files cannot exhaust the call stack. Each map records the
    // run of the area list its descendants fill.
    AttributeNames names;
    auto areas = std::make_shared<QVector<HtmlElement>>();
    QVector<int> openMaps; // indexes into FMaps of the maps enclosing the current node
    QVector<QPair<int, int>> runs;
    lxb_dom_node_t* const root = lxb_dom_interface_node(document.get());
    auto isHtml = [](const lxb_dom_node_t* node, lxb_tag_id_t tag) {
        return node->type == LXB_DOM_NODE_TYPE_ELEMENT && node->ns == LXB_NS_HTML && node->local_name == tag;
    };
    lxb_dom_node_t* node = root->first_child;
    for (size_t visited = 1; node; ++visited) {
        // A page of many millions of elements takes a while here too.
        if (visited % 65536 == 0 && progress && progress->Cancelled())
            return ParseResult::Cancelled;
        // Template contents hang off the template element, not among its
        // children: inert, as in a browser.
        if (node->type == LXB_DOM_NODE_TYPE_ELEMENT && node->ns == LXB_NS_HTML) {
            switch (node->local_name) {
            case LXB_TAG_IMG:
                FImages.append(toElement(lxb_dom_interface_element(node), names));
                break;
            case LXB_TAG_MAP:
                FMaps.append(MapElement());
                FMaps.last().Element = toElement(lxb_dom_interface_element(node), names);
                runs.append({areas->size(), areas->size()});
                openMaps.append(FMaps.size() - 1);
                break;
            case LXB_TAG_AREA:
                if (!openMaps.isEmpty())
                    areas->append(toElement(lxb_dom_interface_element(node), names));
                break;
            default:
                break;
            }
        }
        if (node->first_child) {
            node = node->first_child;
            continue;
        }
        // Leave the node and every ancestor that has no next sibling.
        while (node != root) {
            if (isHtml(node, LXB_TAG_MAP)) {
                runs[openMaps.last()].second = areas->size();
                openMaps.removeLast();
            }
            if (node->next) {
                node = node->next;
                break;
            }
            node = node->parent;
        }
        if (node == root)
            break;
    }

    const std::shared_ptr<const QVector<HtmlElement>> shared = std::move(areas);
    for (int i = 0; i < FMaps.size(); ++i)
        FMaps[i].Areas = AreaList(shared, runs[i].first, runs[i].second);
    if (progress && progress->Report)
        progress->Report(total, total);
    return ParseResult::Parsed;
}

bool HtmlDocument::LoadFromFile(const QString& fileName, QString* errorMessage, const HtmlReadProgress* progress)
{
    Clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorMessage)
            *errorMessage = QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString());
        return false;
    }
    if (file.size() > kMaxFileSize) {
        if (errorMessage)
            *errorMessage = QCoreApplication::translate("HtmlDocument",
                                                        "The file \"%1\" is too large to import: more than %2 MB")
                                .arg(fileName)
                                .arg(kMaxFileSize >> 20);
        return false;
    }
    // Reading and parsing count alike in the progress: each byte once for each.
    const qint64 total = 2 * file.size();
    QByteArray bytes;
    try {
        const qsizetype piece = progress ? std::max<qsizetype>(progress->PieceBytes, 1) : qsizetype(1) << 24;
        bytes.reserve(file.size());
        for (;;) {
            if (progress && progress->Cancelled()) {
                if (errorMessage)
                    errorMessage->clear();
                return false;
            }
            const qsizetype at = bytes.size();
            if (at + piece > kMaxFileSize + piece)
                break; // a file that grows while it is read: what was there is enough
            bytes.resize(at + piece);
            const qint64 read = file.read(bytes.data() + at, piece);
            bytes.resize(at + std::max<qint64>(read, 0));
            if (read <= 0)
                break;
            if (progress && progress->Report)
                progress->Report(std::min<qint64>(bytes.size(), total / 2), total);
        }
    } catch (const std::bad_alloc&) {
        if (errorMessage)
            *errorMessage = outOfMemoryMessage(fileName);
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        if (errorMessage)
            *errorMessage = QStringLiteral("Stream read error");
        return false;
    }
    file.close();
    // Parsed from one UTF-8 text: for a page in UTF-8, the file's own bytes.
    QByteArray utf8;
    try {
        utf8 = DecodeHTMLBytesToUtf8(bytes);
    } catch (const std::bad_alloc&) {
        if (errorMessage)
            *errorMessage = outOfMemoryMessage(fileName);
        return false;
    }
    // Where each map's text stands, taken before the parse: its peak of memory stays below the parse's.
    QVector<PageMapText> mapTexts;
    try {
        mapTexts = ScanPageMapTexts(bytes);
    } catch (const std::bad_alloc&) {
        mapTexts.clear(); // unknown: a later write checks the map's position and areas only
    }
    bytes.clear();
    ParseResult result = ParseResult::OutOfMemory;
    try {
        result = Parse(utf8, progress, total / 2, std::max<qint64>(total, 2 * utf8.size()));
    } catch (const std::bad_alloc&) {
        result = ParseResult::OutOfMemory;
    }
    if (result == ParseResult::Parsed) {
        // The scanner and the parser count the same maps on all but broken pages; on those the
        // texts stay unknown rather than pointing at the wrong map.
        if (mapTexts.size() == FMaps.size()) {
            for (int i = 0; i < FMaps.size(); ++i) {
                FMaps[i].TextDigest = mapTexts[i].Digest;
                FMaps[i].TextOffset = mapTexts[i].Offset;
                FMaps[i].TextLength = mapTexts[i].Length;
            }
        }
        return true;
    }
    Clear();
    if (errorMessage)
        *errorMessage = result == ParseResult::Cancelled
                            ? QString()
                            : QStringLiteral("%1: \"%2\"").arg(FailureMessage(result), fileName);
    return false;
}
