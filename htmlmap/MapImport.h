#pragma once

#include "HtmlDocument.h"
#include "MapArea.h"
#include "MapDiscovery.h"

#include <QString>
#include <QVector>

// Everything an import takes over, read and checked in full before anything
// of the current document is touched.
struct ImportedMap
{
    bool Ok = false;
    QString ErrorMessage; // the first error when not Ok
    QString ImagePath;    // the image source resolved against the HTML file's folder
    QString MapName;
    // The regions in the map's document order. The first area must end up
    // front-most in the editor, so that writing the map back keeps the order
    // and a browser picks the same area at an overlapped point.
    QVector<MapArea> Areas;
};

// The regions of a map's areas in document order: "RECT" left,top,right,bottom;
// "CIRCLE" x,y,r as bounds (x-r, y-r, x+r, y+r); "POLY" (items div 2)
// vertices; shapes are compared in any case and other shapes skipped. Texts
// come from href, alt and target, with each '&' that would start a character
// reference written as "&amp;" (see EscapeImportedText), so that the writer
// gives a browser the same texts. Stops at the first error and gives its text.
bool ReadMapAreas(const HtmlDocument::MapElement& map, QVector<MapArea>* areas, QString* errorMessage);

// The image source taken as a file path: relative ones against the folder of
// the HTML file, absolute ones unchanged.
QString ResolveImageSource(const QString& htmlFileName, const QString& imageSrc);

// The whole import of one entry of FindImageMaps(document).
ImportedMap ImportImageMap(const HtmlDocument& document, const ImageMapEntry& entry,
                           const QString& htmlFileName);
