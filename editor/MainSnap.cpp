// The main window's snapping: View > Snap, its settings, and the snapped points the drags take.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "SceneSnap.h"
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
    FSnap = std::make_unique<TSceneSnap>(*PanelScene);
    QMenu* menu = MIView->addMenu(Translate("&Snap"));
    menu->setObjectName(QStringLiteral("MISnap"));
    FMISnapGrid = makeSnapAction(menu, "MISnapGrid", "Snap to &Grid", true);
    FMIGridSize = makeSnapAction(menu, "MIGridSize", "Grid &Size...", false);
    menu->addSeparator();
    FMISnapPicture = makeSnapAction(menu, "MISnapPicture", "Snap to &Picture Edges", true);
    FMISnapRegions = makeSnapAction(menu, "MISnapRegions", "Snap to &Regions", true);
    const auto follow = [this] {
        FSnap->Options.Grid = FMISnapGrid->isChecked();
        FSnap->Options.Picture = FMISnapPicture->isChecked();
        FSnap->Options.Regions = FMISnapRegions->isChecked();
        // The grid shows while it is snapped to.
        PanelScene->viewport()->update();
    };
    for (QAction* action : {FMISnapGrid, FMISnapPicture, FMISnapRegions})
        connect(action, &QAction::toggled, this, follow);
    connect(FMIGridSize, &QAction::triggered, this, [this] {
        bool ok = false;
        const int size = QInputDialog::getInt(this, Translate("Grid Size"), Translate("Grid size in pixels:"),
                                              FSnap->Options.GridSize, TSnapOptions::MinGridSize,
                                              TSnapOptions::MaxGridSize, 1, &ok);
        if (!ok)
            return;
        FSnap->Options.GridSize = size;
        FMISnapGrid->setChecked(true);
        PanelScene->viewport()->update();
    });
    PanelScene->OnDragPoint = [this](TUserInterfaceControl* Control, const TPoint& P,
                                     Qt::KeyboardModifiers Shift) {
        return SnapHandlePoint(Control, P, Shift);
    };
}

void TFormCorvantaZonequilter::ReadSnapSettings(QSettings& Ini)
{
    bool ok = false;
    const int size = Ini.value(QStringLiteral("GridSize")).toString().toInt(&ok);
    if (ok)
        FSnap->Options.GridSize = std::clamp(size, TSnapOptions::MinGridSize, TSnapOptions::MaxGridSize);
    FMISnapGrid->setChecked(readFlag(Ini, "SnapToGrid"));
    FMISnapPicture->setChecked(readFlag(Ini, "SnapToPicture"));
    FMISnapRegions->setChecked(readFlag(Ini, "SnapToRegions"));
}

void TFormCorvantaZonequilter::WriteSnapSettings(QSettings& Ini) const
{
    Ini.setValue(QStringLiteral("SnapToGrid"), flagText(FSnap->Options.Grid));
    Ini.setValue(QStringLiteral("GridSize"), QString::number(FSnap->Options.GridSize));
    Ini.setValue(QStringLiteral("SnapToPicture"), flagText(FSnap->Options.Picture));
    Ini.setValue(QStringLiteral("SnapToRegions"), flagText(FSnap->Options.Regions));
}

TPoint TFormCorvantaZonequilter::SnapDragPoint(const TPoint& P, Qt::KeyboardModifiers Shift,
                                               const QObject* Exclude) const
{
    if (Shift & Qt::AltModifier)
        return P;
    return FSnap->SnapPoint(P, Exclude);
}

TPoint TFormCorvantaZonequilter::SnapHandlePoint(TUserInterfaceControl* Control, const TPoint& P,
                                                 Qt::KeyboardModifiers Shift) const
{
    if ((Shift & Qt::AltModifier) || !FSnap->Options.Any() || !Control || !Control->TargetControl)
        return P;
    // The handle was taken a little beside the edge it moves: the edge, not the pointer, snaps.
    const TRect B = Control->TargetControl->BoundsRect();
    const TPoint S = Control->StartPos;
    const qint64 reach = FSnap->Tolerance() + 8;
    const auto grab = [reach](qint64 Start, qint64 Low, qint64 High) -> qint64 {
        const qint64 toLow = Start - Low, toHigh = Start - High;
        const qint64 nearest = std::abs(toLow) <= std::abs(toHigh) ? toLow : toHigh;
        return std::abs(nearest) <= reach ? nearest : 0;
    };
    const qint64 gx = grab(S.X, B.Left, B.Right), gy = grab(S.Y, B.Top, B.Bottom);
    const TPoint edge{ClampToInt(P.X - gx), ClampToInt(P.Y - gy)};
    const TPoint snapped = FSnap->SnapPoint(edge, Control->TargetControl);
    return TPoint{ClampToInt(snapped.X + gx), ClampToInt(snapped.Y + gy)};
}

void TFormCorvantaZonequilter::PaintSnapGrid(QPainter* Canvas) const
{
    FSnap->PaintGrid(Canvas, PanelScene->mapToScene(PanelScene->viewport()->rect()).boundingRect());
}
