#pragma once

#include <QRect>
#include <QVector>

// Integer points and rectangles in scene (image pixel) coordinates, plus the small geometry helpers that
// the regions, handles and the editor share. Unlike QRect, TRect keeps an exclusive right/bottom edge:
// a rectangle (10, 20, 60, 70) covers the pixels 10..59 by 20..69 and is 50 wide.

struct TPoint
{
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint& A, const TPoint& B) { return A.X == B.X && A.Y == B.Y; }
    friend bool operator!=(const TPoint& A, const TPoint& B) { return !(A == B); }
};

struct TFloatPoint
{
    float X = 0;
    float Y = 0;
};

struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;  // exclusive
    int Bottom = 0; // exclusive
    friend bool operator==(const TRect& A, const TRect& B)
    {
        return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
    }
    friend bool operator!=(const TRect& A, const TRect& B) { return !(A == B); }
};

// Coordinates may take the whole int range (an imported map can put a vertex at 2147483647). Every helper
// below that adds or subtracts works in 64 bits and clamps its result to the int range: a rectangle that
// would reach beyond it ends at its limit, and a width too large for an int is the largest int.

/// V clamped to the int range.
int ClampToInt(qint64 V);
/// (Left, Top, Left + Width, Top + Height).
TRect BoundsToRect(int Left, int Top, int Width, int Height);
/// The same pixels as a QRect (whose right()/bottom() are inclusive).
QRect ToQRect(const TRect& R);
TRect FromQRect(const QRect& R);

TPoint AddPoint(const TPoint& P, const TPoint& D);
int RectWidth(const TRect& R);
int RectHeight(const TRect& R);
TRect NormalizeRect(const TRect& R);
TRect OffsetRectBy(const TRect& R, int DX, int DY);
TRect InflateRectBy(const TRect& R, int DX, int DY);
/// Smallest rectangle whose left/top are the minimum and right/bottom the maximum coordinates of the
/// points (so a single point gives an empty rectangle). An empty list gives (0, 0, 0, 0).
TRect PointsBounds(const QVector<TPoint>& Points);
/// True if P lies in R, left and top edges included, right and bottom excluded.
bool PointInRect(const TRect& R, const TPoint& P);

/// Quadrant of V relative to P: 0 right-below, 1 left-below, 2 left-above, 3 right-above (y grows down;
/// "x <= X" counts as left, "y <= Y" as above).
int Quadrant(const TFloatPoint& V, const TFloatPoint& P);
/// Where the edge Prev-V crosses the horizontal line through Y, as a 32-bit float.
float CrossingX(const TFloatPoint& Prev, const TFloatPoint& V, float Y);
/// Quadrant winding test: inside when the outline winds exactly once around P (sum of +/-4), so the
/// centre of a self-crossing star (wound twice) is outside. Fewer than three vertices contain nothing.
bool PointInPolygon(const QVector<TFloatPoint>& Vertices, const TFloatPoint& P);
bool PointInPolygon(const TFloatPoint* Vertices, int Count, const TFloatPoint& P);

/// Where a scene of GroupSize sits in a scroll box's client area: centred when smaller, at the origin
/// when larger, shifted back by the scroll position (integer division truncating toward zero).
TPoint CentreInScrollBoxPos(int ClientWidth, int ClientHeight, int GroupWidth, int GroupHeight, int ScrollX,
                            int ScrollY);
