#pragma once

#include <QString>
#include <QStringView>
#include <QVector>

// Where the tags of a page's raw text stand, for edits that must keep every
// other character. Not a parser: it finds tags as the tokenizer would,
// skipping comments, declarations, the text of raw-text elements (script,
// style, title, textarea...) and template contents, which hold no element of
// the document.

struct ScannedAttribute
{
    int NameStart = 0;
    int NameEnd = 0;
    int ValueStart = -1; // the value without its quotes; -1 when written bare
    int ValueEnd = -1;
    QChar Quote;         // '"', '\'' or none
};

struct ScannedTag
{
    int Start = 0;     // the '<'
    int End = 0;       // one past the '>' (or the end of the text)
    int NameStart = 0; // the name as written
    int NameEnd = 0;
    bool EndTag = false;
    bool SelfClosing = false; // written with "/>"
    QVector<ScannedAttribute> Attributes;

    QStringView Name(QStringView text) const { return text.mid(NameStart, NameEnd - NameStart); }
    bool Is(QStringView text, const char* name) const
    {
        return Name(text).compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    }
    // The attribute of that name (any case), or null.
    const ScannedAttribute* Find(QStringView text, const char* name) const;
};

class PageScanner
{
public:
    explicit PageScanner(QStringView text, bool keepAttributes = true)
        : FText(text), FKeepAttributes(keepAttributes)
    {
    }
    // The next start or end tag; false at the end of the text. Without keepAttributes, the tags
    // come without their Attributes (ReadTagAt gives them): a big map's areas cost no lists.
    bool Next(ScannedTag* tag);
    // The tag that starts at `start` (a '<'), attributes included.
    static ScannedTag ReadTagAt(QStringView text, int start);

private:
    void SkipRawText(QStringView name);
    void SkipTemplate();
    bool ReadTag(ScannedTag* tag);

    QStringView FText;
    int FPos = 0;
    bool FKeepAttributes = true;
};

// A map element in the raw text: its start tag, its AREA start tags (nested
// ones too) and its end tag.
struct ScannedMap
{
    ScannedTag StartTag;
    QVector<ScannedTag> Areas;
    int EndTagStart = -1; // the "</map" that closes it
    int End = -1;         // one past that end tag's '>'
    int AreaBegin = 0;    // its AREA tags among those ScanMapElements lists
    int AreaEnd = 0;
};

// The map at `mapPosition` among the MAP elements of the text, in document
// order; false when there are fewer maps or it has no end tag.
bool FindMapElement(QStringView text, int mapPosition, ScannedMap* map);

// Every map element of the text in document order, as FindMapElement finds each, without its
// Areas: its AREA tags are the run [AreaBegin, AreaEnd) of `areas`, which lists each tag once
// (maps inside maps share theirs), without their Attributes (see PageScanner::ReadTagAt). A map
// with no end tag has EndTagStart -1 and ends with the text.
QVector<ScannedMap> ScanMapElements(QStringView text, QVector<ScannedTag>* areas = nullptr);

// Whether another map starts inside map `i` of ScanMapElements: it has no end tag of its own.
bool HoldsAnotherMap(const QVector<ScannedMap>& maps, int i);
