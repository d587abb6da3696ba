#pragma once

#include "MapArea.h"
#include "RegionAreas.h"

#include <QVector>
#include <functional>
#include <optional>

class TPTCustomGroup;

// The document's areas as the writer takes them: the regions of the scene,
// front-most first (the last child first), each with its kind, geometry and
// texts. Other children of the scene are left out.
QVector<MapArea> GatherMapAreas(const TPTCustomGroup& Scene);

// The same in slices for a long document: Progress(done, total) runs between them and stops the
// gathering when it returns false (the result is then empty).
std::optional<QVector<MapArea>> GatherMapAreas(const TPTCustomGroup& Scene,
                                               const std::function<bool(qint64, qint64)>& Progress);
