// The tool buttons and the scene's handlers of the main window, which hand the scene's presses,
// moves and keys on to its editing tools (SceneTools.cpp).
#include "UnitMain.h"

#include "SceneTools.h"
#include "TGUIRegion.h"
#include "TPolyOverlay.h"
#include "UPTFrame.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QTabWidget>

namespace {

TSceneTools::TTool checkedTool(const QAction* Arrow, const QAction* Rect, const QAction* Circle,
                               const QAction* Poly)
{
    if (Arrow->isChecked())
        return TSceneTools::TTool::Select;
    if (Rect->isChecked())
        return TSceneTools::TTool::Rectangle;
    if (Circle->isChecked())
        return TSceneTools::TTool::Circle;
    return Poly->isChecked() ? TSceneTools::TTool::Polygon : TSceneTools::TTool::Other;
}

} // namespace

TGUIRegion* TFormCorvantaZonequilter::ActiveRegion() const
{
    return PanelScene ? PanelScene->FocusedRegion() : nullptr;
}

void TFormCorvantaZonequilter::ClearActiveControl()
{
    if (PanelScene)
        PanelScene->ClearRegionFocus();
}

void TFormCorvantaZonequilter::CreateSceneTools()
{
    FTools = new TSceneTools(*FDocument, *PanelScene, *PaintBoxPoly, this);
    connect(FTools, &TSceneTools::PointerMoved, this, &TFormCorvantaZonequilter::ShowPointerPosition);
    connect(FTools, &TSceneTools::HintChanged, StatusPanel0, &QLabel::setText);
    connect(FTools, &TSceneTools::SelectionToolWanted, this, &TFormCorvantaZonequilter::TBArrowClick);
    connect(FTools, &TSceneTools::PropertiesWanted, this, &TFormCorvantaZonequilter::MenuItemPropertiesClick);
    // The tools follow the tool buttons, however they come to be checked.
    for (QAction* button : {TBArrow, TBRect, TBCircle, TBPoly})
        connect(button, &QAction::toggled, FTools,
                [this] { FTools->SetTool(checkedTool(TBArrow, TBRect, TBCircle, TBPoly)); });
}

void TFormCorvantaZonequilter::ToolCommonSteps()
{
    PageControl->setCurrentWidget(TabSheetEdit);
    FTools->SetTool(checkedTool(TBArrow, TBRect, TBCircle, TBPoly));
    FTools->Reset();
    ClearActiveControl();
    PanelScene->SetSceneCursor(TBArrow->isChecked() ? Qt::ArrowCursor : Qt::CrossCursor);
}

void TFormCorvantaZonequilter::TBArrowClick()
{
    TBArrow->setChecked(true);
    ToolCommonSteps();
}

void TFormCorvantaZonequilter::TBRectClick()
{
    TBRect->setChecked(true);
    ToolCommonSteps();
}

void TFormCorvantaZonequilter::TBCircleClick()
{
    TBCircle->setChecked(true);
    ToolCommonSteps();
}

void TFormCorvantaZonequilter::TBPolyClick()
{
    TBPoly->setChecked(true);
    ToolCommonSteps();
    PaintBoxPoly->SetArea(EditableAreaRect());
    PaintBoxPoly->show();
}

void TFormCorvantaZonequilter::ShowPointerPosition(int X, int Y)
{
    StatusPanel1->setText(QStringLiteral("%1 x %2").arg(X).arg(Y));
}

void TFormCorvantaZonequilter::PanelSceneMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                                                   int Y)
{
    FTools->MouseDown(Button, Shift, X, Y);
}

void TFormCorvantaZonequilter::PanelSceneMouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    FTools->MouseMove(Shift, X, Y);
}

void TFormCorvantaZonequilter::PanelSceneMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                                                 int Y)
{
    FTools->MouseUp(Button, Shift, X, Y);
}

void TFormCorvantaZonequilter::PanelSceneDoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                                     int X, int Y)
{
    FTools->DoubleClick(Button, Shift, X, Y);
}

void TFormCorvantaZonequilter::PanelScenePaint(QPainter* Canvas)
{
    Canvas->drawImage(0, 0, FDocument->Picture());
    FTools->PaintSnapGrid(Canvas);
}

void TFormCorvantaZonequilter::ScrollBoxResize()
{
    CentreInScrollBox(PanelScene);
    PaintBoxPoly->SetArea(EditableAreaRect());
}

void TFormCorvantaZonequilter::PaintBoxPolyMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                                     int X, int Y)
{
    FTools->CornerMouseDown(Button, Shift, X, Y);
}

void TFormCorvantaZonequilter::PaintBoxPolyMouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    FTools->CornerMouseMove(Shift, X, Y);
}

void TFormCorvantaZonequilter::PaintBoxPolyDoubleClick(Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                                       int X, int Y)
{
    FTools->CornerDoubleClick(Button, Shift, X, Y);
}

void TFormCorvantaZonequilter::PaintBoxPolyPaint()
{
    FTools->ShowCorners();
}
