#include "HtmlDocument.h"

#include "HtmlDecoding.h"

#include <QFile>

#include <gumbo.h>

#include <memory>

namespace {

HtmlElement toElement(const GumboElement& element)
{
    HtmlElement result;
    result.Attributes.reserve(static_cast<int>(element.attributes.length));
    for (unsigned i = 0; i < element.attributes.length; ++i) {
        const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[i]);
        result.Attributes.append({QString::fromUtf8(attribute->name), QString::fromUtf8(attribute->value)});
    }
    return result;
}

struct GumboOutputDeleter
{
    void operator()(GumboOutput* output) const { gumbo_destroy_output(&kGumboDefaultOptions, output); }
};

} // namespace

void HtmlDocument::Clear()
{
    FImages.clear();
    FMaps.clear();
}

void HtmlDocument::Write(const QString& html)
{
    Clear();
    const QByteArray utf8 = html.toUtf8();
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0; // parse errors are of no use here; not recording them saves time
    std::unique_ptr<GumboOutput, GumboOutputDeleter> output(
        gumbo_parse_with_options(&options, utf8.constData(), static_cast<size_t>(utf8.size())));
    if (!output)
        return;

    // An explicit stack instead of recursion: deeply nested files must not exhaust the call stack.
    struct Frame
    {
        const GumboNode* node;
        unsigned next;
        bool isMap;
    };
    QVector<Frame> stack;
    QVector<int> openMaps; // indexes into FMaps of the maps enclosing the current node
    stack.append({output->document, 0, false});
    while (!stack.isEmpty()) {
        Frame& frame = stack.last();
        const GumboVector& children = frame.node->type == GUMBO_NODE_DOCUMENT
                                          ? frame.node->v.document.children
                                          : frame.node->v.element.children;
        if (frame.next >= children.length) {
            if (frame.isMap)
                openMaps.removeLast();
            stack.removeLast();
            continue;
        }
        const auto* child = static_cast<const GumboNode*>(children.data[frame.next++]);
        // Template contents are inert in a browser: no images or maps of the document.
        if (child->type != GUMBO_NODE_ELEMENT)
            continue;
        const GumboElement& element = child->v.element;
        bool isMap = false;
        if (element.tag_namespace == GUMBO_NAMESPACE_HTML) {
            switch (element.tag) {
            case GUMBO_TAG_IMG:
                FImages.append(toElement(element));
                break;
            case GUMBO_TAG_MAP:
                FMaps.append({toElement(element), {}});
                openMaps.append(FMaps.size() - 1);
                isMap = true;
                break;
            case GUMBO_TAG_AREA:
                if (!openMaps.isEmpty()) {
                    const HtmlElement area = toElement(element);
                    for (int map : openMaps)
                        FMaps[map].Areas.append(area);
                }
                break;
            default:
                break;
            }
        }
        stack.append({child, 0, isMap});
    }
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
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (errorMessage)
            *errorMessage = QStringLiteral("Stream read error");
        return false;
    }
    Write(DecodeHTMLBytes(bytes));
    return true;
}
