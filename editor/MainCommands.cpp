// The region commands of the main window; each change is one step of the document's history.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "RegionCommands.h"
#include "SceneTools.h"
#include "TGUIRegion.h"
#include "TUIPolygon.h"
#include "UPTFrame.h"
#include "UnitProperties.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QTabWidget>
#include <algorithm>

void TFormCorvantaZonequilter::UpdateRegionCommands()
{
    // A region on a hidden tab is out of the user's sight: its commands wait for the Edit tab.
    TGUIRegion* region = PageControl->currentWidget() == TabSheetEdit ? ActiveRegion() : nullptr;
    int index = -1;
    int count = 0;
    if (region)
        region->GetZPosition(index, count);
    // Several regions can always be gathered at the bottom or the top.
    const bool many = region && FDocument->SelectedCount() > 1;
    TBDelete->setEnabled(region);
    TBSendToBack->setEnabled(region && (many || index > 0));
    TBBringToFront->setEnabled(region && (many || index < count - 1));
    TBProperties->setEnabled(region);
    // Del follows the selection, as the context menu would find it.
    for (QAction* item : {MenuItemDelete, MenuItemSendtoBack, MenuItemBringtoFront, MenuItemProperties})
        item->setEnabled(region);
    if (MICut)
        UpdateClipboardCommands();
}

void TFormCorvantaZonequilter::RegionFocused(TGUIRegion*, int, int)
{
    UpdateRegionCommands();
}

void TFormCorvantaZonequilter::RegionFocusLost(TGUIRegion*)
{
    UpdateRegionCommands();
}

void TFormCorvantaZonequilter::PopupMenu1Popup()
{
    UpdateRegionCommands();
}

void TFormCorvantaZonequilter::ShowSceneContextMenu(const QPoint& Pos)
{
    // No menu while the left button is down on the scene.
    if (FTools->ContextMenuSuppressed())
        return;
    if (ShowPointContextMenu(Pos))
        return;
    FMenuPoint = PanelScene->ViewportToClient(Pos);
    // The menu acts on the region under the pointer: one not yet selected becomes the selection.
    if (TBArrow->isChecked()) {
        TGUIRegion* region = FTools->SelectedPolygonEdgeAt(FMenuPoint.X, FMenuPoint.Y);
        if (!region)
            region = qobject_cast<TGUIRegion*>(PanelScene->ShapeAt(FMenuPoint.X, FMenuPoint.Y));
        int position = -1;
        int count = 0;
        if (region)
            region->GetZPosition(position, count);
        const QVector<int> selected = FDocument->SelectedPositions();
        if (position >= 0 && !std::binary_search(selected.begin(), selected.end(), position))
            FDocument->Select(position);
    }
    PopupMenu1->popup(PanelScene->viewport()->mapToGlobal(Pos));
}

void TFormCorvantaZonequilter::MenuItemDeleteClick()
{
    TGUIRegion* region = ActiveRegion();
    if (!region)
        return;
    if (FDocument->SelectedCount() > 1)
        return DeleteSelection(EditorText(QStringLiteral("Delete Regions")));
    FDocument->Push(new TDeleteRegionCommand(*FDocument, FDocument->PositionOf(region)));
    UpdateRegionCommands();
}

void TFormCorvantaZonequilter::MenuItemSendtoBackClick()
{
    TGUIRegion* region = ActiveRegion();
    if (!region)
        return;
    if (FDocument->SelectedCount() > 1)
        return RestackSelection(Restack::Back);
    const int position = FDocument->PositionOf(region);
    if (position == 0)
        return;
    FDocument->Push(
        new TRestackCommand(*FDocument, position, 0, EditorText(QStringLiteral("Send Region to Back"))));
}

void TFormCorvantaZonequilter::MenuItemBringtoFrontClick()
{
    TGUIRegion* region = ActiveRegion();
    if (!region)
        return;
    if (FDocument->SelectedCount() > 1)
        return RestackSelection(Restack::Front);
    const int position = FDocument->PositionOf(region);
    const int top = FDocument->RegionCount() - 1;
    if (position == top)
        return;
    FDocument->Push(
        new TRestackCommand(*FDocument, position, top, EditorText(QStringLiteral("Bring Region to Front"))));
}

void TFormCorvantaZonequilter::MenuItemPropertiesClick()
{
    QPointer<TGUIRegion> region = ActiveRegion();
    if (!region)
        return;
    if (FDocument->SelectedCount() > 1)
        return SelectionPropertiesClick();
    TFormProperties* dialog = PropertiesDialog();
    const MapArea before = RegionArea(*region);
    dialog->Target = region->Target;
    dialog->HRef = region->HRef;
    dialog->AltText = region->AltText;
    dialog->Attributes = region->Attributes;
    dialog->Geometry = before;
    dialog->LinkBase = FDocument->RelativePaths() && !FDocument->FileName().isEmpty()
                           ? QFileInfo(FDocument->FileName()).absolutePath()
                           : QString();
    if (dialog->RunDialog() && region) {
        MapArea after = *dialog->Geometry;
        after.Target = dialog->Target;
        after.HRef = dialog->HRef;
        after.AltText = dialog->AltText;
        after.Attributes = dialog->Attributes;
        after.SourceArea = before.SourceArea;
        // The region as the dialog found it: nothing else changes it while the dialog is modal.
        if (after != before)
            FDocument->Push(
                new TChangePropertiesCommand(*FDocument, FDocument->PositionOf(region), before, after));
    }
}

void TFormCorvantaZonequilter::ShapeDragStarted(TGUIShape* Shape)
{
    auto* region = qobject_cast<TGUIRegion*>(Shape);
    FReshapePosition = FDocument->PositionOf(region);
    if (region)
        FReshapeBefore = RegionArea(*region);
}

void TFormCorvantaZonequilter::ShapeDragFinished(TGUIShape* Shape)
{
    auto* region = qobject_cast<TGUIRegion*>(Shape);
    const int position = FDocument->PositionOf(region);
    const int started = FReshapePosition;
    FReshapePosition = -1;
    if (!region || position < 0 || position != started)
        return;
    const MapArea after = RegionArea(*region);
    if (after == FReshapeBefore)
        return;
    // A polygon's vertex handle moves one vertex; every other handle resizes.
    int movedVertices = 0;
    if (after.shape == MapArea::Shape::Poly && after.Vertices.size() == FReshapeBefore.Vertices.size())
        for (int i = 0; i < after.Vertices.size(); ++i)
            movedVertices += after.Vertices[i] != FReshapeBefore.Vertices[i];
    const QString text = movedVertices == 1 ? EditorText(QStringLiteral("Move Vertex"))
                                            : EditorText(QStringLiteral("Resize Region"));
    FDocument->Push(new TChangeGeometryCommand(*FDocument, position, FReshapeBefore, after, text));
}
