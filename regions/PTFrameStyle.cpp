#include "PTFrameStyle.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

QMargins FrameClientInsets(TPTFrameStyle Style, bool HasCaption, int CaptionHeight)
{
    switch (Style) {
    case ptfsNone:
        return QMargins(0, 0, 0, 0);
    case ptfsGroup:
        return QMargins(2, HasCaption ? CaptionHeight : 2, 2, 2);
    case ptfsLowered:
    case ptfsRaised:
        return QMargins(2, 2, 2, 2);
    case ptfsDint:
    case ptfsBump:
    case ptfsSingle:
        return QMargins(1, 1, 1, 1);
    case ptfsHorzLine:
        return QMargins(0, 2, 0, 0);
    case ptfsHorzEdge:
        return QMargins(0, 2, 0, 2);
    case ptfsVertLine:
        return QMargins(2, 0, 0, 0);
    case ptfsVertEdge:
        return QMargins(2, 0, 2, 0);
    }
    return QMargins();
}

namespace {

// Lines between inclusive end points, as the frame styles are described pixel by pixel.
void HLine(QPainter& P, const QColor& C, int X1, int X2, int Y)
{
    P.setPen(C);
    P.drawLine(X1, Y, X2, Y);
}

void VLine(QPainter& P, const QColor& C, int X, int Y1, int Y2)
{
    P.setPen(C);
    P.drawLine(X, Y1, X, Y2);
}

// One-pixel edge: TopLeft colour along the top and left, BottomRight along the bottom and right.
void Edge(QPainter& P, int L, int T, int R, int B, const QColor& TopLeft, const QColor& BottomRight)
{
    HLine(P, TopLeft, L, R, T);
    VLine(P, TopLeft, L, T, B);
    HLine(P, BottomRight, L, R, B);
    VLine(P, BottomRight, R, T, B);
}

} // namespace

void PaintFrame(QPainter& Canvas, const QRect& Rect, TPTFrameStyle Style, const QPalette& Palette,
                const QColor& Color, const QString& Caption, const QFont& Font, bool Enabled)
{
    Canvas.save();
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    Canvas.setFont(Font);
    Canvas.setBrush(Qt::NoBrush);
    // The frame lines lie on the outermost pixels.
    const int L = Rect.left(), T = Rect.top(), R = Rect.right(), B = Rect.bottom();
    const QColor Light = Palette.color(QPalette::Light);
    const QColor Shadow = Palette.color(QPalette::Dark);
    const QColor DarkShadow = Palette.color(QPalette::Shadow);
    const QColor Face = Palette.color(QPalette::Button);
    switch (Style) {
    case ptfsNone:
        break;
    case ptfsGroup: {
        const int H = Caption.isEmpty() ? 2 : QFontMetrics(Font).boundingRect(QStringLiteral("0")).height();
        Canvas.fillRect(Rect, Color);
        Canvas.setPen(Light);
        Canvas.drawRect(QRect(QPoint(L + 1, T + H / 2), QPoint(R, B)).adjusted(0, 0, -1, -1));
        Canvas.setPen(Shadow);
        Canvas.drawRect(QRect(QPoint(L, T + H / 2 - 1), QPoint(R - 1, B - 1)).adjusted(0, 0, -1, -1));
        if (!Caption.isEmpty()) {
            const QFontMetrics FM(Font);
            const QRect TextArea(L + 8, T, std::max(0, R - L + 1 - 16), H);
            const QString Text = FM.elidedText(Caption, Qt::ElideRight, TextArea.width());
            const QRect Used = FM.boundingRect(TextArea, Qt::AlignLeft | Qt::AlignVCenter, Text);
            Canvas.fillRect(Used, Color);
            if (Enabled) {
                Canvas.setPen(Palette.color(QPalette::WindowText));
                Canvas.drawText(TextArea, Qt::AlignLeft | Qt::AlignVCenter, Text);
            } else {
                Canvas.setPen(Light);
                Canvas.drawText(TextArea.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, Text);
                Canvas.setPen(Shadow);
                Canvas.drawText(TextArea, Qt::AlignLeft | Qt::AlignVCenter, Text);
            }
        }
        break;
    }
    case ptfsLowered:
        Edge(Canvas, L, T, R, B, Shadow, Light);
        Edge(Canvas, L + 1, T + 1, R - 1, B - 1, DarkShadow, Face);
        break;
    case ptfsRaised:
        Edge(Canvas, L, T, R, B, Light, DarkShadow);
        Edge(Canvas, L + 1, T + 1, R - 1, B - 1, Face, Shadow);
        break;
    case ptfsDint:
        Edge(Canvas, L, T, R, B, Shadow, Light);
        break;
    case ptfsBump:
        Edge(Canvas, L, T, R, B, Light, Shadow);
        break;
    case ptfsSingle:
        Edge(Canvas, L, T, R, B, Palette.color(QPalette::WindowText), Palette.color(QPalette::WindowText));
        break;
    case ptfsHorzLine:
        HLine(Canvas, Shadow, L, R, T);
        HLine(Canvas, Light, L, R, T + 1);
        break;
    case ptfsHorzEdge:
        HLine(Canvas, Shadow, L, R, T);
        HLine(Canvas, Light, L, R, T + 1);
        HLine(Canvas, Shadow, L, R, B - 1);
        HLine(Canvas, Light, L, R, B);
        break;
    case ptfsVertLine:
        VLine(Canvas, Shadow, L, T, B);
        VLine(Canvas, Light, L + 1, T, B);
        break;
    case ptfsVertEdge:
        VLine(Canvas, Shadow, L, T, B);
        VLine(Canvas, Light, L + 1, T, B);
        VLine(Canvas, Shadow, R - 1, T, B);
        VLine(Canvas, Light, R, T, B);
        break;
    }
    Canvas.restore();
}
