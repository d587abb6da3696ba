#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QVector>
#include <functional>
#include <memory>

// How a trace decides which pixels belong together and how closely its polygon follows them.
struct TTraceOptions
{
    // How far a pixel's colour may be from the colour under the pointer and still belong, 0 to 100
    // (100 is the whole range of a colour channel). The default bridges JPEG noise and the
    // blended pixels of an anti-aliased edge without running into a neighbouring area.
    int ColourTolerance = 25;
    // How far the polygon may stray from the traced border, in picture pixels.
    double Smoothness = 1.0;
    // Areas of fewer pixels make no polygon.
    int SmallestArea = 16;
    // Whether an area keeps out the areas it encloses: each of those gets a polygon of its own, to
    // be placed in front of the area's, since a polygon has no holes and a browser gives a point
    // to the first area of the map that holds it.
    bool KeepEnclosedOut = false;

    bool operator==(const TTraceOptions& Other) const
    {
        return ColourTolerance == Other.ColourTolerance && Smoothness == Other.Smoothness &&
               SmallestArea == Other.SmallestArea && KeepEnclosedOut == Other.KeepEnclosedOut;
    }
};

enum class TTraceStatus
{
    Traced,
    OutsidePicture,
    TooSmall,      // the area has fewer pixels than the smallest area, or spans no width or height
    PictureTooLarge,
    NoPicture,
    Cancelled,
    NotOutlined // a preview's area too costly to outline (see TraceAt); the click traces it
};

// One traced area: its outer border as a polygon whose corners lie on the pixel edges, in picture
// pixels, and the number of pixels it holds.
struct TTracedArea
{
    QPolygon Polygon;
    qint64 Pixels = 0;
};

struct TTraceResult
{
    TTraceStatus Status = TTraceStatus::NoPicture;
    TTracedArea Area;
    // With KeepEnclosedOut, what Area's polygon encloses but Area does not hold, each run of such
    // pixels of at least the smallest area; these go in front of Area.
    QVector<TTracedArea> Enclosed;
};

// The pixels that make the areas of Trace All: those inside the colour range, or, for a map whose
// areas are bounded by lines of that colour, those outside it.
struct TColourRange
{
    QColor Low = Qt::black;
    QColor High = QColor(64, 64, 64);
    bool RangeIsBorder = true;
};

// Returns false to stop a long trace; Percent runs from 0 to 100.
using TTraceProgress = std::function<bool(int Percent)>;

// Traces areas of similar colour in one picture. The picture is converted once; a trace under a
// point remembers its area, so that further points inside it cost nothing.
class TPictureTracer
{
public:
    TPictureTracer();
    explicit TPictureTracer(const QImage& Picture);
    ~TPictureTracer();
    TPictureTracer(const TPictureTracer&) = delete;
    TPictureTracer& operator=(const TPictureTracer&) = delete;

    // Pictures above this many pixels are refused: their copy alone would take gigabytes.
    static constexpr qint64 MaxPixels = 100'000'000;

    // Makes Picture the one traced; nothing happens when it is the same picture as before.
    void SetPicture(const QImage& Picture);
    // Whether Picture is the one traced already, so that SetPicture would cost nothing.
    bool Holds(const QImage& Picture) const;
    QSize PictureSize() const { return FSize; }
    bool PictureTooLarge() const;

    // The connected area of similar colour under Point (4-connected, colour compared to the
    // pixel at Point), its outer border only. A Preview (the outline under a moving pointer) leaves
    // out (NotOutlined) the costly border of thin lines spread over about a million pixels' box,
    // and, in a picture of over 12 million pixels, an area reaching over 1,000 pixels from Point.
    TTraceResult TraceAt(QPoint Point, const TTraceOptions& Options, bool Preview = false);
    // Whether the last TraceAt's area holds Point under the same options, so its result stands.
    bool LastAreaHolds(QPoint Point, const TTraceOptions& Options) const;

    // Every area of Range's pixels (or of the pixels between lines of Range's colour) of at least
    // the smallest area, in reading order: by their top row, then left to right. With
    // KeepEnclosedOut, what an area encloses that no other area found holds (its other colours)
    // follows it as an area of its own, so that, stacked in this order, it lies in front.
    TTraceStatus TraceAll(const TColourRange& Range, const TTraceOptions& Options, QVector<TTracedArea>& Areas,
                          const TTraceProgress& Progress = TTraceProgress());

private:
    // Fills the area under Point into the mask, in growing windows round it (see fillWindows); a
    // Preview stops at a window that thin lines cross.
    void Fill(QPoint Point, const TTraceOptions& Options, bool Preview);

    struct TData;
    std::unique_ptr<TData> D;
    QSize FSize;
    qint64 FPictureKey = 0;
};

// The share of two filled outlines in common over what either covers, counted at Scale samples per
// picture pixel in each direction: how traced polygons are compared with the shapes they came from.
double OutlineIoU(const QPainterPath& A, const QPainterPath& B, int Scale = 4);
