#pragma once

#include "MapArea.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <optional>

// The Source tab's text as the areas it was written from and where each area's line lies in its
// UTF-8 bytes, so that a change of a few regions rewrites only their lines: a big map's megabytes
// are neither written again nor handed to the view again, and the reader keeps their place.
class TSourceLines
{
public:
    // What the text says besides the areas.
    struct THeader
    {
        QString ImageFileName;
        QString MapName;
        AttributeList MapAttributes;
        bool operator==(const THeader& Other) const;
    };

    // A whole text and where its area lines start, the end of the last one after them.
    struct TText
    {
        QByteArray Utf8;
        QVector<qsizetype> AreaStarts;
    };

    // Bytes From to To of the held text are to become Utf8.
    struct TEdit
    {
        qsizetype From = 0;
        qsizetype To = 0;
        QByteArray Utf8;
    };

    // The writer's whole text; takes no state, so it can run on another thread.
    static TText Write(const THeader& Header, const QVector<MapArea>& Areas);

    // From now on the held text is Text, written from Header and Areas.
    void Reset(THeader Header, QVector<MapArea> Areas, QVector<qsizetype> AreaStarts);
    void Clear();

    // The edits that turn the held text into the one for Header and Areas, to be applied in their
    // order, and from then on holds that. None when there is no held text, the header changed or
    // so many lines changed that writing the whole text is quicker; the held text is then unchanged.
    std::optional<QVector<TEdit>> Edit(const THeader& Header, const QVector<MapArea>& Areas);

private:
    bool FValid = false;
    THeader FHeader;
    QVector<MapArea> FAreas;
    QVector<qsizetype> FStarts;
};
