#pragma once

#include <QMargins>
#include <QString>

class QPainter;
class QPalette;
class QFont;
class QColor;
class QRect;

/// Frame styles of the scene panel, in the order of their values 0 to 10.
enum TPTFrameStyle
{
    ptfsNone,
    ptfsGroup,
    ptfsLowered,
    ptfsRaised,
    ptfsDint,
    ptfsBump,
    ptfsSingle,
    ptfsHorzLine,
    ptfsHorzEdge,
    ptfsVertLine,
    ptfsVertEdge
};

enum TPTAlignment
{
    taLeftJustify,
    taRightJustify,
    taCenter
};

/// How far the client area is inset from the panel's outer edges for a style. CaptionHeight is the
/// height of "0" in the panel's font and only matters for ptfsGroup with a non-empty caption.
QMargins FrameClientInsets(TPTFrameStyle Style, bool HasCaption, int CaptionHeight);

/// Draws the frame of Style in R (outer window rectangle, QRect semantics) with the palette's roles.
void PaintFrame(QPainter& Canvas, const QRect& R, TPTFrameStyle Style, const QPalette& Palette,
                const QColor& Color, const QString& Caption, const QFont& Font, bool Enabled);
