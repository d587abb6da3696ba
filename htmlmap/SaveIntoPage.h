#pragma once

#include "MapArea.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// What an import knew of the page a map came from, so that the edited map
// can be put back into it.
struct PageMapOrigin
{
    QString FileName;         // the HTML file
    int MapPosition = -1;     // the map's index among the page's MAP elements
    QString MapName;          // its name as imported
    int SourceAreaCount = 0;  // its AREA elements, those left out included
    QVector<MapArea> Areas;   // the regions as imported, each with its SourceArea

    bool IsValid() const { return !FileName.isEmpty() && MapPosition >= 0; }
    void Clear() { *this = PageMapOrigin(); }
};

// The page's bytes with the text of the imported map element replaced by the
// edited map, every other byte kept. The new text is in the page's encoding
// and line ends and follows the style of its first area (letter case of tag
// and attribute names, quoting, indentation); an area that is unchanged since
// the import keeps its text exactly. When the map name changed, the map's
// name and the usemap of the images that used the old name change with it.
// Areas the import left out stay where they were. False with a message when
// the page no longer holds the map as imported.
struct PageRewrite
{
    QByteArray Bytes;
    QVector<int> AreaPositions; // where each given area now stands among the map's AREA tags
    int AreaCount = 0;          // the map's AREA tags now, those left out at the import included
};
bool RewritePageMap(const QByteArray& page, const PageMapOrigin& origin, const QString& mapName,
                    const QVector<MapArea>& areas, PageRewrite* result, QString* errorMessage);
