#pragma once

#include "MapArea.h"

#include <QVector>

class TPTCustomGroup;

// The document's areas as the writer takes them: the regions of the scene,
// front-most first (the last child first), each with its kind, geometry and
// texts. Other children of the scene are left out.
QVector<MapArea> GatherMapAreas(const TPTCustomGroup& Scene);
