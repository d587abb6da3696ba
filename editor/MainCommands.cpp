// The region commands of the main window.
#include "UnitMain.h"

#include "TGUIRegion.h"
#include "UPTFrame.h"
#include "UnitProperties.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

void TFormCorvantaZonequilter::SetRegionCommands(bool Delete, bool SendToBack, bool BringToFront,
                                                 bool Properties)
{
    TBDelete->setEnabled(Delete);
    TBSendToBack->setEnabled(SendToBack);
    TBBringToFront->setEnabled(BringToFront);
    TBProperties->setEnabled(Properties);
}

void TFormCorvantaZonequilter::RegionFocused(TGUIRegion*, int Index, int Count)
{
    SetRegionCommands(true, Index > 0, Index < Count - 1, true);
    // Del follows the selection, as the context menu would find it.
    PopupMenu1Popup();
}

void TFormCorvantaZonequilter::RegionFocusLost(TGUIRegion*)
{
    SetRegionCommands(false, false, false, false);
    PopupMenu1Popup();
}

void TFormCorvantaZonequilter::PopupMenu1Popup()
{
    const bool enabled = ActiveRegion() != nullptr;
    for (QAction* item : {MenuItemDelete, MenuItemSendtoBack, MenuItemBringtoFront, MenuItemProperties})
        item->setEnabled(enabled);
}

void TFormCorvantaZonequilter::ShowSceneContextMenu(const QPoint& Pos)
{
    // No menu while the left button is down on the scene.
    if (FContextMenuSuppressed)
        return;
    PopupMenu1->popup(PanelScene->viewport()->mapToGlobal(Pos));
}

void TFormCorvantaZonequilter::MenuItemDeleteClick()
{
    TGUIRegion* region = ActiveRegion();
    if (!region)
        return;
    delete region;
    ClearActiveControl();
    SetRegionCommands(false, false, false, false);
    PopupMenu1Popup();
}

void TFormCorvantaZonequilter::MenuItemSendtoBackClick()
{
    TGUIRegion* region = ActiveRegion();
    if (!region)
        return;
    region->SendToBack();
    // Focusing it again reports the new position to the toolbar.
    ClearActiveControl();
    region->SetFocus();
}

void TFormCorvantaZonequilter::MenuItemBringtoFrontClick()
{
    TGUIRegion* region = ActiveRegion();
    if (!region)
        return;
    region->BringToFront();
    ClearActiveControl();
    region->SetFocus();
}

void TFormCorvantaZonequilter::MenuItemPropertiesClick()
{
    QPointer<TGUIRegion> region = ActiveRegion();
    if (!region)
        return;
    TFormProperties* dialog = PropertiesDialog();
    dialog->Target = region->Target;
    dialog->HRef = region->HRef;
    dialog->AltText = region->AltText;
    dialog->Attributes = region->Attributes;
    if (dialog->RunDialog() && region) {
        region->Target = dialog->Target;
        region->HRef = dialog->HRef;
        region->AltText = dialog->AltText;
        region->Attributes = dialog->Attributes;
    }
}
