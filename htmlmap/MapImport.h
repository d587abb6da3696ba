#pragma once

#include "HtmlDocument.h"
#include "MapArea.h"
#include "MapDiscovery.h"

#include <QString>
#include <QVector>

// Something the reader did to an area so that a browser's reading of it
// becomes a region, or the reason it made none. The texts are built by the
// dialog that shows the notes.
struct AreaNote
{
    enum class Kind
    {
        NoShape,      // no shape attribute: read as a rectangle
        ShapeSynonym, // "rectangle", "circ", "polygon"...: read as that shape
        Rounded,      // a decimal coordinate rounded to the nearest pixel
        ServerCode,   // code for the server (<?...?>, <%...%>) in its attributes: kept as written unless edited
        BadCoords,    // left out: Reason is the coordinate reader's message
        NoRadius,     // left out: a zero or negative radius
        DefaultShape, // left out: shape "default", the whole picture
        UnknownShape  // left out: a shape no browser knows
    };

    int AreaIndex = 0; // the area's position in its map, from 0
    Kind What = Kind::NoShape;
    QString Link;   // the area's href, or its alt when it has no href
    QString Shape;  // the shape as written (synonyms, unknown shapes)
    QString Reason; // the reader's message (Rounded, BadCoords)

    bool LeftOut() const { return What >= Kind::BadCoords; }

    friend bool operator==(const AreaNote& a, const AreaNote& b)
    {
        return a.AreaIndex == b.AreaIndex && a.What == b.What && a.Link == b.Link && a.Shape == b.Shape &&
               a.Reason == b.Reason;
    }
};

// Everything an import takes over, read and checked in full before anything
// of the current document is touched.
struct ImportedMap
{
    bool Ok = false;
    QString ErrorMessage; // why there is nothing to import when not Ok
    bool HasImage = true; // false for a map that no image of the page uses
    QString ImageSrc;     // the image's src as written
    QString ImagePath;    // the image source resolved against the HTML file's folder
    int ImageWidth = 0;   // the image's width and height attributes; 0 when absent or unusable
    int ImageHeight = 0;
    QString MapName;
    AttributeList MapAttributes; // the map's attributes other than name, in their order
    int MapPosition = 0;         // the map's index among the page's MAP elements
    int SourceAreaCount = 0;     // every AREA of the map, those left out included
    // The map's text in the file (see HtmlDocument::MapElement): its digest, byte offset and length.
    QByteArray MapDigest;
    qint64 MapOffset = -1;
    qint64 MapLength = 0;
    // The regions in the map's document order. The first area must end up
    // front-most in the editor, so that writing the map back keeps the order
    // and a browser picks the same area at an overlapped point.
    QVector<MapArea> Areas;
    QVector<AreaNote> Notes;
};

// The attributes that areas keep besides their fields: all but shape, coords,
// href, alt and target, in their order.
AttributeList KeptAreaAttributes(const HtmlElement& area);

// The regions of a map's areas in document order, read as a browser reads
// them: "RECT" left,top,right,bottom; "CIRCLE" x,y,r as bounds (x-r, y-r,
// x+r, y+r); "POLY" (items div 2) vertices. A missing shape is a rectangle,
// the synonyms "rectangle", "circ" and "polygon" their shapes (any case), a
// decimal coordinate is rounded. An area that cannot become a region is left
// out. Every area read otherwise than written, or left out, gets a note.
// Texts come from href, alt and target, with each '&' that would start a
// character reference written as "&amp;" (see EscapeImportedText), so that the
// writer gives a browser the same texts.
// With `progress`, reports the areas read of the map's areas now and then, and
// stops when it is cancelled (the result then holds only part of them).
QVector<MapArea> ReadMapAreas(const HtmlDocument::MapElement& map, QVector<AreaNote>* notes = nullptr,
                              const HtmlReadProgress* progress = nullptr);

// The image source taken as a file path: relative ones against the folder of
// the HTML file, absolute ones unchanged.
QString ResolveImageSource(const QString& htmlFileName, const QString& imageSrc);

// Where else a picture that is not at its resolved path may be: for a web
// address or a site-root path, the same file name in the HTML file's folder,
// then in its "images" folder. Empty for other sources.
QStringList FallbackImagePaths(const QString& htmlFileName, const QString& imageSrc);

// The whole import of one entry of FindImageMaps(document).
// With `progress` (see ReadMapAreas), a cancelled import is not Ok and has no
// error message.
ImportedMap ImportImageMap(const HtmlDocument& document, const ImageMapEntry& entry,
                           const QString& htmlFileName, const HtmlReadProgress* progress = nullptr);

// The positions of the maps that no image of the document uses, in document
// order.
QVector<int> MapsWithoutImage(const HtmlDocument& document);

// The import of a map on its own, for a map no image uses.
ImportedMap ImportMapWithoutImage(const HtmlDocument& document, int mapPosition,
                                  const HtmlReadProgress* progress = nullptr);
