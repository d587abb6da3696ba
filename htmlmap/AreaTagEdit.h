#pragma once

// How Save Into Page writes an area's tag: a drawn area in the style of the
// map's areas, an edited one by changing only what the user changed in it.

#include "MapArea.h"
#include "PageScan.h"
#include "PageText.h"

#include <QByteArray>
#include <QString>

// New bytes for the page's characters [Start, End).
struct PageEdit
{
    int Start;
    int End;
    QByteArray Bytes;
};
// In the order they apply; edits never overlap.
void SortPageEdits(QVector<PageEdit>& edits);

// How a tag writes its attributes: letter case of names, quoting, closing.
struct AreaStyle
{
    QString TagName = QStringLiteral("area");
    bool UpperNames = false;
    bool UpperShapes = false;
    QChar Quote = QLatin1Char('"'); // none: values bare where they can be
    QString Close = QStringLiteral(">");

    // The style of the map's first area (of its start tag when it has none).
    static AreaStyle Of(QStringView text, const ScannedMap& map);
    // That of one tag, what it does not show taken from `fallback`.
    static AreaStyle OfTag(QStringView text, const ScannedTag& tag, const AreaStyle& fallback);

    QString Name(const char* name) const;
    // The value with its quotes (if any), the quotation mark inside written as a reference.
    QString Value(const QString& value) const;
    // " name=value", or " name" for a bare one.
    void Append(QString& out, const QString& name, const QString& value, bool bare = false) const;
};

// A value for between `quote`s: that quotation mark as a character reference.
QString EscapeForQuote(const QString& value, QChar quote);

// Whether the area is what was imported: the same texts, and the same region however its
// numbers were written (a rectangle given right to left is the same rectangle).
bool SameArea(const MapArea& imported, const MapArea& now);

// The tag of an area drawn in the editor.
QString NewAreaText(const AreaStyle& style, const MapArea& area);

// The page's tag with the changes from `before` to `after` and nothing else: an attribute whose
// value did not change keeps its text (quotes, references, order), the tag its closing; a changed
// value goes between the attribute's own quotes, a new attribute after the last one, a removed one
// goes with the blanks before it.
QByteArray EditedAreaBytes(const PageText& page, const ScannedTag& tag, const MapArea& before,
                           const MapArea& after, const AreaStyle& mapStyle);

