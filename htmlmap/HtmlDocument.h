#pragma once

#include "HtmlElement.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <atomic>
#include <functional>
#include <iterator>
#include <memory>

// How a long read reports where it stands and learns that it is called off:
// htmlmap takes no widgets, so the caller shows it. Report gets the bytes done
// of the total now and then, on the reading thread; once Cancel is set, the
// read stops at the next piece and the document stays empty.
struct HtmlReadProgress
{
    std::function<void(qint64 done, qint64 total)> Report;
    const std::atomic<bool>* Cancel = nullptr;
    // The bytes read or parsed between two reports.
    qsizetype PieceBytes = qsizetype(1) << 20;

    bool Cancelled() const { return Cancel && Cancel->load(std::memory_order_relaxed); }
};

// An HTML document as the importer sees it: every IMG element, every MAP
// element and each map's AREA descendants, all in document order.
class HtmlDocument
{
public:
    // The AREA descendants of one map, nested maps' areas included. The areas
    // of all maps are kept once, in document order: a map's areas are a run of
    // that list, so nested maps cost no copies. Shared, so that a copy of a
    // map stays valid after its document is gone.
    class AreaList
    {
    public:
        using const_iterator = const HtmlElement*;
        using const_reverse_iterator = std::reverse_iterator<const_iterator>;

        AreaList() = default;
        AreaList(std::shared_ptr<const QVector<HtmlElement>> all, int begin, int end)
            : FAll(std::move(all)), FBegin(begin), FEnd(end)
        {
        }

        int size() const { return FEnd - FBegin; }
        bool isEmpty() const { return FEnd == FBegin; }
        const_iterator begin() const { return FAll ? FAll->constData() + FBegin : nullptr; }
        const_iterator end() const { return FAll ? FAll->constData() + FEnd : nullptr; }
        const_reverse_iterator crbegin() const { return const_reverse_iterator(end()); }
        const_reverse_iterator crend() const { return const_reverse_iterator(begin()); }
        const HtmlElement& operator[](int i) const { return begin()[i]; }
        const HtmlElement& first() const { return *begin(); }

    private:
        std::shared_ptr<const QVector<HtmlElement>> FAll;
        int FBegin = 0;
        int FEnd = 0;
    };

    struct MapElement
    {
        HtmlElement Element;
        AreaList Areas;
        // For a document read by LoadFromFile, where the map's text stands in the file's bytes
        // (see PageMapText): what a later write into the file checks before touching it.
        QByteArray TextDigest;  // none without an end tag, or when unknown
        qint64 TextOffset = -1; // -1 when unknown
        qint64 TextLength = 0;

        QString Name() const { return Element.GetAttributeText(QStringLiteral("name")); }
    };

    // The largest file LoadFromFile reads; larger ones are refused with a message.
    static constexpr qint64 kMaxFileSize = qint64(1) << 30;

    // Discards the content.
    void Clear();
    // Parses `html` as a browser would, replacing the previous content. As in
    // a browser, elements nest at most a few hundred deep: deeper ones become
    // siblings (see third_party/lexbor/README.md). When the parser runs out of
    // memory, or the page is beyond reason (thousands of different formatting
    // elements open at once, or a thousand tables, cells or the like nested
    // inside each other), the document stays empty, the result is false and
    // `errorMessage` says why.
    bool Write(const QString& html, QString* errorMessage = nullptr);
    // The same for text already encoded as UTF-8, parsed in pieces when
    // `progress` is given; false with an empty message when it was cancelled.
    bool WriteUtf8(const QByteArray& utf8, QString* errorMessage = nullptr,
                   const HtmlReadProgress* progress = nullptr);
    // Empties the document, then reads, decodes and parses the file. On failure
    // the document stays empty and `errorMessage` names the file and the reason
    // (empty when `progress` cancelled it).
    bool LoadFromFile(const QString& fileName, QString* errorMessage,
                      const HtmlReadProgress* progress = nullptr);

    const QVector<HtmlElement>& Images() const { return FImages; }
    const QVector<MapElement>& Maps() const { return FMaps; }

private:
    enum class ParseResult
    {
        Parsed,
        OutOfMemory,
        TooComplex,
        TooDeep,
        Cancelled
    };
    static QString FailureMessage(ParseResult result);
    ParseResult Parse(const QByteArray& utf8, const HtmlReadProgress* progress, qint64 doneBefore,
                      qint64 total);

    QVector<HtmlElement> FImages;
    QVector<MapElement> FMaps;
};
