#pragma once

#include "MapArea.h"

#include <QSize>
#include <QString>
#include <QVector>

// The picture with an inline SVG over it whose viewBox is the picture's size: both follow the
// width of the element that holds them, with CSS alone. Each area is a link around a rect, circle
// or polygon of the image map's coordinates. Areas are given front-most first, as the writer
// takes them.
//
// SVG gives a point to the shape painted last, and Tab follows the order of the text; an image
// map wants the first area for both. So the shapes are written twice: once last-area-first for
// the pointer (hidden from assistive technology and from Tab), and once in the map's order,
// transparent to the pointer, for Tab, screen readers and the visible focus outline.
QString BuildSvgOverlay(const QString& ImageFileName, const QString& MapName, const QVector<MapArea>& Areas,
                        QSize Picture);

// A whole page around BuildSvgOverlay, as UTF-8 text with LF line ends.
QString BuildResponsivePage(const QString& ImageFileName, const QString& MapName, const QVector<MapArea>& Areas,
                            QSize Picture);

// The picture's name as a page written to OutputFile refers to it: a local file relative to that
// page's folder, anything else (a web address) as it is. Without OutputFile, as it is.
QString ResponsivePictureSource(const QString& ImageFileName, const QString& OutputFile);
