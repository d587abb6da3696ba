#include "TInvertedCanvas.h"

#include "UPTFrame.h"

TInvertedCanvas::TInvertedCanvas(TPTCustomGroup* Group) : FGroup(Group) {}

void TInvertedCanvas::Rectangle(const TRect& R)
{
    Toggle(TInvertedShape{TInvertedShape::Rectangle, R, {}});
}

void TInvertedCanvas::Ellipse(const TRect& R)
{
    Toggle(TInvertedShape{TInvertedShape::Ellipse, R, {}});
}

void TInvertedCanvas::Polygon(const QVector<TPoint>& Points)
{
    Toggle(TInvertedShape{TInvertedShape::Polygon, TRect{}, Points});
}

void TInvertedCanvas::Polyline(const QVector<TPoint>& Points)
{
    Toggle(TInvertedShape{TInvertedShape::Polyline, TRect{}, Points});
}

void TInvertedCanvas::Toggle(const TInvertedShape& Shape)
{
    if (FGroup)
        FGroup->ToggleInvertedShape(Shape);
}
