#pragma once

#include "Geometry.h"

#include <QVector>

class TPTCustomGroup;

/// Shape kinds of DrawInvertedShape, numbered as the classic toolkit's shape types.
enum TShapeType
{
    stRectangle = 0,
    stSquare = 1,
    stRoundRect = 2,
    stRoundSquare = 3,
    stEllipse = 4,
    stCircle = 5
};

/// One dotted outline in the scene's inverting overlay.
struct TInvertedShape
{
    enum Kind
    {
        Rectangle,
        Ellipse,
        Polygon,
        Polyline
    };
    Kind ShapeKind = Rectangle;
    TRect R;                // Rectangle and Ellipse: the outline runs along R's outermost pixels
    QVector<TPoint> Points; // Polygon (closed) and Polyline (open)
    friend bool operator==(const TInvertedShape& A, const TInvertedShape& B)
    {
        return A.ShapeKind == B.ShapeKind && A.R == B.R && A.Points == B.Points;
    }
};

/// The inverting drawing surface over a scene panel: every outline drawn on it appears in the panel's
/// overlay with a dotted inverting pen, and drawing the very same outline again erases it, as an XOR
/// pen would. Nothing under an outline is touched, so outlines never leave a trace.
class TInvertedCanvas
{
public:
    explicit TInvertedCanvas(TPTCustomGroup* Group);

    void Rectangle(const TRect& R);
    void Ellipse(const TRect& R);
    void Polygon(const QVector<TPoint>& Points);
    void Polyline(const QVector<TPoint>& Points);

    TPTCustomGroup* Group() const { return FGroup; }

private:
    void Toggle(const TInvertedShape& Shape);
    TPTCustomGroup* FGroup;
};
