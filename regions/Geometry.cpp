#include "Geometry.h"

#include <algorithm>
#include <limits>

int ClampToInt(qint64 V)
{
    return int(std::clamp<qint64>(V, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

TRect BoundsToRect(int Left, int Top, int Width, int Height)
{
    return TRect{Left, Top, ClampToInt(qint64(Left) + Width), ClampToInt(qint64(Top) + Height)};
}

QRect ToQRect(const TRect& R)
{
    return QRect(R.Left, R.Top, RectWidth(R), RectHeight(R));
}

TRect FromQRect(const QRect& R)
{
    return BoundsToRect(R.x(), R.y(), R.width(), R.height());
}

TPoint AddPoint(const TPoint& P, const TPoint& D)
{
    return TPoint{ClampToInt(qint64(P.X) + D.X), ClampToInt(qint64(P.Y) + D.Y)};
}

int RectWidth(const TRect& R)
{
    return ClampToInt(qint64(R.Right) - R.Left);
}

int RectHeight(const TRect& R)
{
    return ClampToInt(qint64(R.Bottom) - R.Top);
}

TRect NormalizeRect(const TRect& R)
{
    return TRect{std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
                 std::max(R.Top, R.Bottom)};
}

TRect OffsetRectBy(const TRect& R, int DX, int DY)
{
    return TRect{ClampToInt(qint64(R.Left) + DX), ClampToInt(qint64(R.Top) + DY), ClampToInt(qint64(R.Right) + DX),
                 ClampToInt(qint64(R.Bottom) + DY)};
}

TRect InflateRectBy(const TRect& R, int DX, int DY)
{
    return TRect{ClampToInt(qint64(R.Left) - DX), ClampToInt(qint64(R.Top) - DY), ClampToInt(qint64(R.Right) + DX),
                 ClampToInt(qint64(R.Bottom) + DY)};
}

TRect PointsBounds(const QVector<TPoint>& Points)
{
    if (Points.isEmpty())
        return TRect{};
    TRect R{Points[0].X, Points[0].Y, Points[0].X, Points[0].Y};
    for (const TPoint& P : Points) {
        R.Left = std::min(R.Left, P.X);
        R.Top = std::min(R.Top, P.Y);
        R.Right = std::max(R.Right, P.X);
        R.Bottom = std::max(R.Bottom, P.Y);
    }
    return R;
}

bool PointInRect(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

int Quadrant(const TFloatPoint& V, const TFloatPoint& P)
{
    if (V.X > P.X)
        return V.Y > P.Y ? 0 : 3;
    return V.Y > P.Y ? 1 : 2;
}

float CrossingX(const TFloatPoint& Prev, const TFloatPoint& V, float Y)
{
    const double X = double(V.X) - (double(V.Y) - Y) * (double(Prev.X) - V.X) / (double(Prev.Y) - V.Y);
    return float(X);
}

bool PointInPolygon(const QVector<TFloatPoint>& Vertices, const TFloatPoint& P)
{
    return PointInPolygon(Vertices.constData(), Vertices.size(), P);
}

bool PointInPolygon(const TFloatPoint* Vertices, int N, const TFloatPoint& P)
{
    if (N < 3)
        return false;
    TFloatPoint Prev = Vertices[N - 1];
    int Q = Quadrant(Prev, P);
    int Sum = 0;
    for (int I = 0; I < N; ++I) {
        const TFloatPoint& V = Vertices[I];
        const int QNew = Quadrant(V, P);
        const int D = QNew - Q;
        int Count;
        if (D == 3)
            Count = -1;
        else if (D == -3)
            Count = 1;
        else if (D == 2 || D == -2)
            Count = CrossingX(Prev, V, P.Y) > P.X ? -D : D;
        else
            Count = D;
        Sum += Count;
        Prev = V;
        Q = QNew;
    }
    return Sum == 4 || Sum == -4;
}

TPoint CentreInScrollBoxPos(int ClientWidth, int ClientHeight, int GroupWidth, int GroupHeight, int ScrollX,
                            int ScrollY)
{
    return TPoint{std::max((ClientWidth - GroupWidth) / 2, 0) - ScrollX,
                  std::max((ClientHeight - GroupHeight) / 2, 0) - ScrollY};
}
