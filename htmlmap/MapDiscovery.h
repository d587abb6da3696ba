#pragma once

#include "HtmlDocument.h"

#include <QString>
#include <QVector>

// One image of a document that uses a map of the same document.
struct ImageMapEntry
{
    QString ImageSrc;    // the image's src attribute as written
    QString UseMap;      // the image's usemap attribute as written
    int MapPosition = 0; // index of the map among all MAP elements of the document

    friend bool operator==(const ImageMapEntry& a, const ImageMapEntry& b)
    {
        return a.ImageSrc == b.ImageSrc && a.UseMap == b.UseMap && a.MapPosition == b.MapPosition;
    }
};

// One entry per image, in document order, whose usemap equals "#" followed by
// the name of a map (letters in any case); the first map of that name counts.
QVector<ImageMapEntry> FindImageMaps(const HtmlDocument& document);
