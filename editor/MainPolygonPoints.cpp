// The menu of a polygon's corner handle, which takes the corner away; corners are added on the
// outline by the scene's tools.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "RegionCommands.h"
#include "TGrabHandle.h"
#include "TUIPolygon.h"
#include "UPTFrame.h"

#include <QAction>
#include <QMenu>

namespace {

// A polygon keeps at least this many corners.
constexpr int minPolygonPoints = 3;

} // namespace

void TFormCorvantaZonequilter::CreatePointMenu()
{
    PopupMenuPoint = new QMenu(this);
    PopupMenuPoint->setObjectName(QStringLiteral("PopupMenuPoint"));
    MenuItemDeletePoint = new QAction(EditorText(QStringLiteral("Delete Point")), this);
    MenuItemDeletePoint->setObjectName(QStringLiteral("MenuItemDeletePoint"));
    PopupMenuPoint->addAction(MenuItemDeletePoint);
    connect(MenuItemDeletePoint, &QAction::triggered, this,
            &TFormCorvantaZonequilter::MenuItemDeletePointClick);
}

bool TFormCorvantaZonequilter::ShowPointContextMenu(const QPoint& Pos)
{
    auto* polygon = qobject_cast<TUIPolygon*>(ActiveRegion());
    TUserInterfaceControl* control = polygon ? PanelScene->ControlAt(Pos) : nullptr;
    const int vertex = control ? polygon->HandleIndex(control) : -1;
    if (vertex < 0)
        return false;
    FMenuPolygon = polygon;
    FMenuVertex = vertex;
    MenuItemDeletePoint->setEnabled(polygon->PointCount() > minPolygonPoints);
    PopupMenuPoint->popup(PanelScene->viewport()->mapToGlobal(Pos));
    return true;
}

void TFormCorvantaZonequilter::MenuItemDeletePointClick()
{
    auto* polygon = qobject_cast<TUIPolygon*>(FMenuPolygon.data());
    const int vertex = FMenuVertex;
    FMenuPolygon = nullptr;
    FMenuVertex = -1;
    if (!polygon || vertex < 0 || vertex >= polygon->PointCount() ||
        polygon->PointCount() <= minPolygonPoints)
        return;
    const MapArea before = RegionArea(*polygon);
    MapArea after = before;
    after.Vertices.remove(vertex);
    FDocument->Push(new TChangeGeometryCommand(*FDocument, FDocument->PositionOf(polygon), before, after,
                                               EditorText(QStringLiteral("Delete Point"))));
}
