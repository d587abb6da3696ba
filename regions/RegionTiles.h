#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QRectF>

class TGUIShape;

/// One square of the view's pixels with the regions over it painted in z-order on a transparent
/// image. Painting may stop between two regions and go on later, which keeps each repaint short.
struct TRegionTile
{
    QImage Shown;             // the last finished painting
    bool Current = false;     // Shown shows the regions as they are now
    QImage Work;              // the painting under way
    QList<TGUIShape*> Pending; // the regions over the tile, bottom to top, while Work is under way
    qsizetype Next = -1;      // the next of Pending to paint; -1 before the painting starts
    quint64 Used = 0;         // when the tile was last shown, for dropping the ones long unseen
};

/// The regions painted once into tiles of Size x Size device pixels at the view's scale, anchored at
/// the scene's origin: a repaint draws the tiles instead of filling every region again. Tiles under a
/// change of the regions are painted again when next shown.
struct TRegionTiles
{
    static constexpr int Size = 256;
    static quint64 Key(qint64 X, qint64 Y) { return (quint64(quint32(qint32(X))) << 32) | quint32(qint32(Y)); }

    bool Enabled = true;
    double Scale = 0; // device pixels per scene pixel
    QHash<quint64, TRegionTile> Tiles;
    // Finished tiles of the previous scale, shown scaled where the new ones are not painted yet.
    double OldScale = 0;
    QHash<quint64, QImage> Old;
    quint64 Revision = 0; // the panel's ShapesRevision the tiles were last told of
    quint64 Clock = 0;
    QRectF Dirty; // scene area to repaint for changes since the last paint
    bool UpdatePosted = false;
    bool SlicePosted = false;
};
