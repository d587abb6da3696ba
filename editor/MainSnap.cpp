// The main window's View > Snap menu and its settings; the drags snap in the scene's tools.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "SceneSnap.h"
#include "SceneTools.h"
#include "UPTFrame.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <algorithm>

namespace {

QString Translate(const char* Text)
{
    return EditorText(QString::fromLatin1(Text));
}

QAction* makeSnapAction(QMenu* Menu, const char* Name, const char* Text, bool Checkable)
{
    QAction* action = Menu->addAction(Translate(Text));
    action->setObjectName(QString::fromLatin1(Name));
    action->setCheckable(Checkable);
    return action;
}

bool readFlag(const QSettings& Ini, const char* Key)
{
    return Ini.value(QString::fromLatin1(Key)).toString() == QLatin1String("1");
}

QString flagText(bool On)
{
    return On ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

void TFormCorvantaZonequilter::CreateSnapMenu()
{
    TSceneSnap& snap = FTools->Snap();
    QMenu* menu = MIView->addMenu(Translate("&Snap"));
    menu->setObjectName(QStringLiteral("MISnap"));
    FMISnapGrid = makeSnapAction(menu, "MISnapGrid", "Snap to &Grid", true);
    FMIGridSize = makeSnapAction(menu, "MIGridSize", "Grid &Size...", false);
    menu->addSeparator();
    FMISnapPicture = makeSnapAction(menu, "MISnapPicture", "Snap to &Picture Edges", true);
    FMISnapRegions = makeSnapAction(menu, "MISnapRegions", "Snap to &Regions", true);
    const auto follow = [this, &snap] {
        snap.Options.Grid = FMISnapGrid->isChecked();
        snap.Options.Picture = FMISnapPicture->isChecked();
        snap.Options.Regions = FMISnapRegions->isChecked();
        // The grid shows while it is snapped to.
        PanelScene->viewport()->update();
    };
    for (QAction* action : {FMISnapGrid, FMISnapPicture, FMISnapRegions})
        connect(action, &QAction::toggled, this, follow);
    connect(FMIGridSize, &QAction::triggered, this, [this, &snap] {
        bool ok = false;
        const int size = QInputDialog::getInt(this, Translate("Grid Size"), Translate("Grid size in pixels:"),
                                              snap.Options.GridSize, TSnapOptions::MinGridSize,
                                              TSnapOptions::MaxGridSize, 1, &ok);
        if (!ok)
            return;
        snap.Options.GridSize = size;
        FMISnapGrid->setChecked(true);
        PanelScene->viewport()->update();
    });
}

void TFormCorvantaZonequilter::ReadSnapSettings(QSettings& Ini)
{
    TSceneSnap& snap = FTools->Snap();
    bool ok = false;
    const int size = Ini.value(QStringLiteral("GridSize")).toString().toInt(&ok);
    if (ok)
        snap.Options.GridSize = std::clamp(size, TSnapOptions::MinGridSize, TSnapOptions::MaxGridSize);
    FMISnapGrid->setChecked(readFlag(Ini, "SnapToGrid"));
    FMISnapPicture->setChecked(readFlag(Ini, "SnapToPicture"));
    FMISnapRegions->setChecked(readFlag(Ini, "SnapToRegions"));
}

void TFormCorvantaZonequilter::WriteSnapSettings(QSettings& Ini) const
{
    const TSceneSnap& snap = FTools->Snap();
    Ini.setValue(QStringLiteral("SnapToGrid"), flagText(snap.Options.Grid));
    Ini.setValue(QStringLiteral("GridSize"), QString::number(snap.Options.GridSize));
    Ini.setValue(QStringLiteral("SnapToPicture"), flagText(snap.Options.Picture));
    Ini.setValue(QStringLiteral("SnapToRegions"), flagText(snap.Options.Regions));
}
