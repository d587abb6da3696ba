#pragma once

#include "MapArea.h"
#include "MapImport.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// What an import knew of the page a map came from, so that the edited map
// can be put back into it. Plain values, kept in the recovery file.
struct PageMapOrigin
{
    QString FileName;         // the HTML file
    int MapPosition = -1;     // the map's index among the page's MAP elements
    QString MapName;          // its name as imported
    int SourceAreaCount = 0;  // its AREA elements, those left out included
    QVector<MapArea> Areas;   // the regions as imported, each with its SourceArea
    // The map element's text at the import, from "<map" to the end of "</map>": its BLAKE2b-256
    // (empty when unknown: then only its position and area count are checked), where it began
    // in the file and how many bytes it had.
    QByteArray MapDigest;
    qint64 MapOffset = -1;
    qint64 MapLength = 0;
    QString ImageSrc; // the src of the image that used the map, as a browser reads it; empty for none
    // The picture file the editor showed for the map when the page last had it: another one since
    // (Change Picture) is written into the page's images.
    QString PictureFile;

    bool IsValid() const { return !FileName.isEmpty() && MapPosition >= 0; }
    void Clear() { *this = PageMapOrigin(); }

    // What an import of `fileName` gives.
    static PageMapOrigin Of(const QString& fileName, const ImportedMap& map);
};

// The page's bytes with the imported map element's text replaced by the
// edited map, every other byte kept. The map is found by its text as imported
// (it may have moved when the page changed elsewhere); when that text changed
// or is gone, or the map has no end tag, nothing is written and the message
// says why. Edited texts are in the encoding the page was read in, a character
// it lacks as a numeric character reference, and in the page's line ends. An
// area that is unchanged since the import keeps its text exactly; in an edited
// one, only the attributes whose values changed get new text, the rest of the
// tag stays as written. A drawn area takes the map's own indentation and line
// end and the style of its first area; a deleted one takes its own line with
// it. When the map name changed, the map's name and the usemap of every
// element that used the map change with it. With a `pictureSrc` (a file name
// as a browser reads a src) other than the imported one, the src of every
// image that uses the map changes to it; none is a failure. Areas the import
// left out stay where they were.
struct PageRewrite
{
    QByteArray Bytes;
    QVector<int> AreaPositions; // where each given area now stands among the map's AREA tags
    int AreaCount = 0;          // the map's AREA tags now, those left out at the import included
    QByteArray MapDigest;       // the map's text now (see PageMapOrigin)
    qint64 MapOffset = -1;
    qint64 MapLength = 0;
};
bool RewritePageMap(const QByteArray& page, const PageMapOrigin& origin, const QString& mapName,
                    const QVector<MapArea>& areas, PageRewrite* result, QString* errorMessage,
                    const QString& pictureSrc = QString());

// A picture's file name as the src of an image in the page: relative to the
// page's folder when it is inside it or beside it, with '/' between folders.
QString PictureSourceFor(const QString& htmlFileName, const QString& pictureFile);
