#include "HtmlDocument.h"

#include "HtmlDecoding.h"

#include <QCoreApplication>
#include <QFile>

#include <lexbor/html/html.h>

#include <new>

namespace {

HtmlElement toElement(lxb_dom_element_t* element)
{
    HtmlElement result;
    for (lxb_dom_attr_t* attribute = element->first_attr; attribute; attribute = attribute->next) {
        size_t nameLength = 0, valueLength = 0;
        const lxb_char_t* name = lxb_dom_attr_qualified_name(attribute, &nameLength);
        const lxb_char_t* value = lxb_dom_attr_value(attribute, &valueLength);
        result.Attributes.append(
            {QString::fromUtf8(reinterpret_cast<const char*>(name), static_cast<qsizetype>(nameLength)),
             QString::fromUtf8(reinterpret_cast<const char*>(value), static_cast<qsizetype>(valueLength))});
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

void HtmlDocument::Clear()
{
    FImages.clear();
    FMaps.clear();
}

bool HtmlDocument::Write(const QString& html, QString* errorMessage)
{
    Clear();
    ParseResult result = ParseResult::OutOfMemory;
    try {
        result = Parse(html.toUtf8());
    } catch (const std::bad_alloc&) {
        result = ParseResult::OutOfMemory;
    }
    if (result != ParseResult::Parsed) {
        Clear();
        if (errorMessage)
            *errorMessage = result == ParseResult::TooComplex ? tooComplexMessage() : outOfMemoryMessage();
    }
    return result == ParseResult::Parsed;
}

HtmlDocument::ParseResult HtmlDocument::Parse(const QByteArray& utf8)
{
    std::unique_ptr<lxb_html_document_t, LexborDocumentDeleter> document(lxb_html_document_create());
    if (!document)
        return ParseResult::OutOfMemory;
    const lxb_status_t status = lxb_html_document_parse(
        document.get(), reinterpret_cast<const lxb_char_t*>(utf8.constData()), static_cast<size_t>(utf8.size()));
    // The parser refuses pages that would take it quadratic time (see third_party/lexbor/README.md).
    if (status == LXB_STATUS_ERROR_OVERFLOW)
        return ParseResult::TooComplex;
    if (status != LXB_STATUS_OK)
        return ParseResult::OutOfMemory;

    // One walk in document order along the tree's own links: no recursion, so
    // deeply nested files cannot exhaust the call stack. Each map records the
    // run of the area list its descendants fill.
    auto areas = std::make_shared<QVector<HtmlElement>>();
    QVector<int> openMaps; // indexes into FMaps of the maps enclosing the current node
    QVector<QPair<int, int>> runs;
    lxb_dom_node_t* const root = lxb_dom_interface_node(document.get());
    auto isHtml = [](const lxb_dom_node_t* node, lxb_tag_id_t tag) {
        return node->type == LXB_DOM_NODE_TYPE_ELEMENT && node->ns == LXB_NS_HTML && node->local_name == tag;
    };
    lxb_dom_node_t* node = root->first_child;
    while (node) {
        // Template contents hang off the template element, not among its
        // children: inert, as in a browser.
        if (node->type == LXB_DOM_NODE_TYPE_ELEMENT && node->ns == LXB_NS_HTML) {
            switch (node->local_name) {
            case LXB_TAG_IMG:
                FImages.append(toElement(lxb_dom_interface_element(node)));
                break;
            case LXB_TAG_MAP:
                FMaps.append({toElement(lxb_dom_interface_element(node)), {}});
                runs.append({areas->size(), areas->size()});
                openMaps.append(FMaps.size() - 1);
                break;
            case LXB_TAG_AREA:
                if (!openMaps.isEmpty())
                    areas->append(toElement(lxb_dom_interface_element(node)));
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
    return ParseResult::Parsed;
}

bool HtmlDocument::LoadFromFile(const QString& fileName, QString* errorMessage)
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
    QByteArray bytes;
    try {
        bytes = file.readAll();
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
    QString text;
    try {
        text = DecodeHTMLBytes(bytes);
    } catch (const std::bad_alloc&) {
        if (errorMessage)
            *errorMessage = outOfMemoryMessage(fileName);
        return false;
    }
    bytes.clear();
    QString parseError;
    if (!Write(text, &parseError)) {
        if (errorMessage)
            *errorMessage = QStringLiteral("%1: \"%2\"").arg(parseError, fileName);
        return false;
    }
    return true;
}
