#pragma once

#include "MapArea.h"

#include <QSize>
#include <QString>
#include <QVector>

// What is wrong with a map, or may be: each finding names its rule, how serious it is, the area it
// concerns and a one-line message in the user's language.
struct MapFinding
{
    enum class Severity
    {
        Warning,
        Note
    };
    enum class Rule
    {
        NoAltText,           // a linked area without alternate text
        SameAltOtherLink,    // the same alternate text as an earlier area, another link
        SameLinkOtherAlt,    // the same link as an earlier area, another text (a note)
        SmallTarget,         // smaller than 24 x 24 pixels at the picture's size
        OutsidePicture,      // wholly outside the picture
        PartlyOutside,       // partly outside the picture (a note)
        Unreachable,         // areas in front of it cover it wholly
        SelfCrossing,        // a polygon whose edges cross
        TooFewPoints,        // a polygon of fewer than three different points
        ZeroArea,            // a polygon whose points lie on one line
        ZeroSize,            // a rectangle or circle of no width or height
        ScriptLink,          // a javascript: link
        EmptyLink,           // a link of no text
        MissingFile,         // a local link to a file that is not there
        DuplicateMapName,    // a second map of a name already used in the page
        UseMapWithoutMap,    // an image's usemap names no map of the page
        MapWithoutImage      // no image of the page uses the map (a note)
    };

    Severity Level = Severity::Warning;
    Rule What = Rule::NoAltText;
    int Area = -1;    // the area's position in the checked list, from 0; -1 for the page
    int Other = -1;   // the earlier area of a pair (same text, hidden behind), or -1
    QString Message;  // without the area's name
};

// What a map is checked against besides its areas.
struct MapCheckContext
{
    // The picture's own size; an empty size leaves out the checks that need it.
    QSize Picture;
    // The folder local links are resolved in; empty leaves out the check of local files.
    QString PageFolder;
};

// The findings for the areas of one map, given front-most first as the writer takes them (a
// browser gives each point to the first area that holds it). Ordered by area, then by rule.
QVector<MapFinding> CheckMapAreas(const QVector<MapArea>& Areas, const MapCheckContext& Context);

// A stable name of the rule for tools ("no-alt", "unreachable" ...).
QString RuleName(MapFinding::Rule Rule);
// "warning" or "note", untranslated, as compilers write them.
QString SeverityName(MapFinding::Severity Level);
// How an area is named in a finding: its number from 1 and its alternate text, or its link when it
// has no text: area 3 ("Home").
QString AreaLabel(int Number, const MapArea& Area);
