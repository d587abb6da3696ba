#pragma once

#include "MapArea.h"

#include <QVector>
#include <functional>

class TGUIRegion;
class TPTCustomGroup;

// One region as a value: its kind, bounds or vertices, its three texts, its other attributes and
// where it came from in an imported map.
MapArea RegionArea(const TGUIRegion& Region);

// A new region of the area's kind, geometry and texts, on top of the scene's others.
TGUIRegion* CreateRegion(TPTCustomGroup* Scene, const MapArea& Area);
// Regions for Areas, the first at the bottom (FrontFirst: at the top), in one bulk addition: the
// scene is redrawn and reports its change once, not once a region. Step, when given, is told every
// few thousand regions how many are made.
void CreateRegions(TPTCustomGroup* Scene, const QVector<MapArea>& Areas, bool FrontFirst = false,
                   const std::function<void(qsizetype Done)>& Step = {});

// Gives Region the area's bounds or vertices; the kinds must match.
void ApplyAreaGeometry(TGUIRegion& Region, const MapArea& Area);
// Gives Region the area's three texts and its other attributes.
void ApplyAreaTexts(TGUIRegion& Region, const MapArea& Area);
