#include "TInvertedCanvas.h"

#include "UPTFrame.h"

TInvertedCanvas::TInvertedCanvas(TPTCustomGroup* Group) : FGroup(Group) {}

void TInvertedCanvas::Rectangle(const TRect& R)
{
    TInvertedShape S;
    S.ShapeKind = TInvertedShape::Rectangle;
    S.R = R;
    if (FGroup)
        FGroup->ToggleInvertedShape(S);
}

void TInvertedCanvas::Ellipse(const TRect& R)
{
    TInvertedShape S;
    S.ShapeKind = TInvertedShape::Ellipse;
    S.R = R;
    if (FGroup)
        FGroup->ToggleInvertedShape(S);
}

void TInvertedCanvas::Polygon(const QVector<TPoint>& Points)
{
    TInvertedShape S;
    S.ShapeKind = TInvertedShape::Polygon;
    S.Points = Points;
    if (FGroup)
        FGroup->ToggleInvertedShape(S);
}

void TInvertedCanvas::Polyline(const QVector<TPoint>& Points)
{
    TInvertedShape S;
    S.ShapeKind = TInvertedShape::Polyline;
    S.Points = Points;
    if (FGroup)
        FGroup->ToggleInvertedShape(S);
}
