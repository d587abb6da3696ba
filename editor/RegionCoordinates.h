#pragma once

#include "MapArea.h"

#include <QString>
#include <QStringList>

// A region's geometry as the properties dialog shows it for typing: a rectangle as left, top, right,
// bottom; a circle as centre x, centre y, radius (as the writer puts them); a polygon as one text of
// "x,y x,y ..." pairs.

// The fields of a kind, in the order of CoordinateTexts, as English names (the dialog's labels and the
// messages translate them).
QStringList CoordinateFieldNames(MapArea::Shape Shape);

// The texts of Area's geometry, one per field.
QStringList CoordinateTexts(const MapArea& Area);

// Why typed coordinates cannot be used: the field (an index into the kind's fields) and the message.
struct TCoordinateError
{
    int Field = -1;
    QString Message;
};

// Reads typed texts (one per field of Area's kind) into Area's bounds or vertices. Whole decimal numbers
// within the 32-bit range the import accepts; a rectangle's right must be greater than its left (bottom
// and top the same), a circle's radius greater than 0 (the import drops other circles), a polygon needs
// three points; commas and blanks both separate a polygon's numbers. False with Error filled otherwise,
// Area then unchanged.
// Whether all the points lie on one straight line (a polygon of no area, which no tool makes).
bool PointsOnOneLine(const QVector<QPoint>& Points);

bool ReadCoordinateTexts(const QStringList& Texts, MapArea& Area, TCoordinateError& Error);
