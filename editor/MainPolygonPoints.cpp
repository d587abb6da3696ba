// Corners added to and taken from the selected polygon: a double click or Ctrl+click on its outline,
// and the menu of a corner's handle.
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

TUIPolygon* TFormCorvantaZonequilter::SelectedPolygonEdgeAt(int X, int Y, int* Edge, TPoint* OnEdge) const
{
    auto* polygon = qobject_cast<TUIPolygon*>(ActiveRegion());
    if (!polygon)
        return nullptr;
    const int edge = polygon->EdgeAt(TPoint{X, Y}, TUIPolygon::EdgeTolerance(PanelScene->Zoom()), OnEdge);
    if (Edge)
        *Edge = edge;
    return edge >= 0 ? polygon : nullptr;
}

bool TFormCorvantaZonequilter::InsertPolygonPoint(int X, int Y)
{
    int edge = -1;
    TPoint at;
    TUIPolygon* polygon = SelectedPolygonEdgeAt(X, Y, &edge, &at);
    if (!polygon)
        return false;
    const MapArea before = RegionArea(*polygon);
    const QPoint corner(at.X, at.Y);
    const int next = (edge + 1) % before.Vertices.size();
    // Next to a corner the outline already turns there.
    if (corner == before.Vertices[edge] || corner == before.Vertices[next])
        return false;
    MapArea after = before;
    after.Vertices.insert(edge + 1, corner);
    FDocument->Push(new TChangeGeometryCommand(*FDocument, FDocument->PositionOf(polygon), before, after,
                                               EditorText(QStringLiteral("Insert Point"))));
    return true;
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
