#pragma once

#include "MapCheck.h"
#include "MapImport.h"

#include <QSize>
#include <QString>
#include <QVector>

// One map of a page as the editor would import it.
struct PageMap
{
    ImportedMap Map;
    // The picture's name as an import into the editor gives it, so that a page written from the
    // map is the one Save As writes; empty for a map no image uses.
    QString ImageFileName;
    // The picture's own size, or its width and height attributes when the file cannot be read.
    QSize PictureSize;
    // Where each of the map's AREA tags starts in the page's text, in the map's order.
    QVector<int> AreaOffsets;
    int MapOffset = 0;
};

// A page file read in full: every map, whether an image uses it or not, in document order.
struct LoadedPage
{
    QString FileName;
    QString Text; // the decoded text, which finding positions refer to
    HtmlDocument Document;
    QVector<PageMap> Maps;
    QVector<int> ImageOffsets; // where each IMG tag starts, in document order
};

// Reads and parses the file; false with a message naming the file when it cannot be read.
bool LoadPage(const QString& FileName, LoadedPage* Page, QString* ErrorMessage);

// The map named Name (any letter case) in the page, or the first map when Name is empty; -1 when
// there is none.
int FindPageMap(const LoadedPage& Page, const QString& Name);

// A finding placed in its page.
struct PageFinding
{
    MapFinding Finding;
    QString MapName;
    QString Subject; // "area 3 ("Home")", "map "Nav"", "image "a.png"", or empty
    int Line = 1;    // from 1
    int Column = 1;  // from 1, in characters
};

// Every finding of every map of the page and of the page itself, in the order of the text.
QVector<PageFinding> CheckPage(const LoadedPage& Page);
// Only the findings of the page itself, none of its areas: a duplicate map name, a usemap that
// names no map, a map no image uses.
QVector<PageFinding> CheckPageItself(const LoadedPage& Page);

// One finding as compilers write them: file:line:column: warning: subject: message
QString FindingLine(const QString& FileName, const PageFinding& Finding);
// One finding as a JSON object (file, line, column, severity, rule, map, area, message).
QByteArray FindingJson(const QString& FileName, const PageFinding& Finding);
