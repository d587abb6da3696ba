#pragma once

#include "MapArea.h"

#include <QString>
#include <QVector>
#include <functional>

// The generated image-map document: the page wrapper with the IMG and MAP
// lines and one AREA line per area, every line ending in LF. Areas are given
// front-most first and written in that order. Texts go in unchanged except
// that '"' is written as "&quot;" (see EscapeAttributeQuotes), in the area
// texts and in the image file and map names alike. The image file name is a
// file name rather than HTML: an '&' in it that would start a character
// reference is also written as "&amp;" (see EscapeImportedText). Kept attributes follow the
// map's name and each area's target, in their order, valueless ones bare. An area with no
// address has no href (a browser makes it no link). The page declares no encoding, so every
// character outside ASCII is written as a numeric character reference ("&#233;").
QString BuildImageMapHTML(const QString& imageFileName, const QString& mapName, const QVector<MapArea>& areas,
                          const AttributeList& mapAttributes = {});

// The same text appended to Out: a text whose memory is kept from one run to
// the next spares a big map's megabytes a fresh allocation each time. With
// AreaStarts, where each area's line starts in Out, and after them where the
// lines end.
void AppendImageMapHTML(QString& out, const QString& imageFileName, const QString& mapName,
                        const QVector<MapArea>& areas, const AttributeList& mapAttributes = {},
                        QVector<qsizetype>* areaStarts = nullptr);

// The text of BuildImageMapHTML made where nobody waits for it: given up, with an empty text, as
// soon as Stop (asked every few thousand areas) says it is no longer wanted.
QString BuildImageMapHTMLUnlessStopped(const QString& imageFileName, const QString& mapName,
                                       const QVector<MapArea>& areas, const AttributeList& mapAttributes,
                                       const std::function<bool()>& Stop);

// One AREA line without its line end.
QString BuildAreaLine(const MapArea& area);

// A text for a double-quoted attribute value: each '"' becomes "&quot;",
// every other character (entities the user typed included) stays as it is.
QString EscapeAttributeQuotes(const QString& text);

// The form written to disk and to the preview files: the text split into lines
// at CR LF, CR or LF, each line followed by CR LF, the last line too.
QString ToCrLfLines(const QString& text);
// The same for UTF-8 text.
QByteArray ToCrLfLines(const QByteArray& text);
