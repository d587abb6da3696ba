#include "PictureTracer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <opencv2/imgproc.hpp>

struct TPictureTracer::TData
{
    // The picture as 8-bit RGB; Rgb shares Pixels' memory.
    QImage Pixels;
    cv::Mat Rgb;
    // The flood fill's mask, two pixels wider and taller than the picture; only the last area's
    // rectangle is ever non-zero inside its border, and it is cleared before the next fill.
    cv::Mat Mask;
    cv::Rect LastRect;
    bool LastValid = false;
    // Whether the last fill reached all of its area, rather than the part inside a window.
    bool LastComplete = false;
    TTraceOptions LastOptions;
    TTraceResult LastResult;
    qint64 LastPixels = 0;
};

namespace {

// A preview leaves out the outline of an area this much larger than its pixels' box, see TraceAt.
constexpr qint64 sparsePreviewBox = 1'000'000;

// A fill starts in a window of this many pixels each side of the point and grows to the next only
// when the area reaches the window's edge, then to the whole picture: most areas are small, and a
// fill's cost follows the pixels it visits.
constexpr int fillWindows[] = {256, 1024};
// A preview fills no larger picture whole; an area that reaches past the windows waits for the click.
constexpr qint64 previewWholePicture = 12'000'000;

int channelTolerance(int ColourTolerance)
{
    return std::clamp(int(std::lround(ColourTolerance * 2.55)), 0, 255);
}

// The outer border of the foreground of Binary (which has a clear margin of one pixel) as a
// polygon on the pixel edges: the contour runs through the centres of the border pixels, so each
// corner moves half a pixel outwards along its mitred normal. Offset is the picture position of
// Binary's top left pixel.
QPolygon outerPolygon(const cv::Mat& Binary, QPoint Offset, double Smoothness)
{
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(Binary, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    if (contours.empty())
        return {};
    const auto largest = std::max_element(contours.begin(), contours.end(), [](const auto& a, const auto& b) {
        return std::abs(cv::contourArea(a)) < std::abs(cv::contourArea(b));
    });
    std::vector<cv::Point> corners;
    cv::approxPolyDP(*largest, corners, std::max(0.0, Smoothness), true);
    const int n = int(corners.size());
    if (n < 2)
        return {};
    // Outward is to the left of each edge for one orientation and to the right for the other.
    const double orientation = cv::contourArea(corners, true) >= 0 ? 1.0 : -1.0;
    auto normal = [&](const cv::Point& from, const cv::Point& to) {
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double length = std::hypot(dx, dy);
        if (length == 0)
            return cv::Point2d(0, 0);
        return cv::Point2d(orientation * dy / length, -orientation * dx / length);
    };
    QPolygon polygon;
    polygon.reserve(n);
    for (int i = 0; i < n; ++i) {
        const cv::Point& previous = corners[(i + n - 1) % n];
        const cv::Point& corner = corners[i];
        const cv::Point& next = corners[(i + 1) % n];
        const cv::Point2d n1 = normal(previous, corner), n2 = normal(corner, next);
        // The mitre keeps both edges half a pixel out; sharp spikes are held to twice that.
        const double cosine = n1.dot(n2);
        const cv::Point2d mitre = (n1 + n2) * (0.5 / std::max(1.0 + cosine, 0.5));
        const double x = corner.x + 0.5 + mitre.x, y = corner.y + 0.5 + mitre.y;
        const QPoint p(Offset.x() + int(std::lround(x)), Offset.y() + int(std::lround(y)));
        if (polygon.isEmpty() || polygon.last() != p)
            polygon.append(p);
    }
    if (polygon.size() > 1 && polygon.first() == polygon.last())
        polygon.removeLast();
    return polygon;
}

bool spansBothDirections(const QPolygon& Polygon)
{
    const QRect bounds = Polygon.boundingRect();
    return Polygon.size() >= 3 && bounds.width() > 1 && bounds.height() > 1;
}

// What the foreground of Binary (with its clear margin) encloses: each run of background that the
// outside cannot reach (4-connected, as the 8-connected outer border goes round it), with at least
// the smallest area of pixels that Counts (given picture positions) lets count. Offset as for
// outerPolygon. The borders come first, so an area without holes costs no pass over its pixels.
QVector<TTracedArea> enclosedAreas(const cv::Mat& Binary, QPoint Offset, const TTraceOptions& Options,
                                   const std::function<bool(int X, int Y)>& Counts = {})
{
    QVector<TTracedArea> found;
    std::vector<std::vector<cv::Point>> contours;
    std::vector<cv::Vec4i> hierarchy;
    cv::findContours(Binary, contours, hierarchy, cv::RETR_CCOMP, cv::CHAIN_APPROX_SIMPLE);
    const int smallest = std::max(2, Options.SmallestArea);
    for (size_t i = 0; i < contours.size(); ++i) {
        // Holes are the inner borders; the border pixels round each lie in its box.
        if (hierarchy[i][3] < 0)
            continue;
        const cv::Rect box = cv::boundingRect(contours[i]);
        if (box.area() < smallest)
            continue;
        cv::Mat hole = cv::Mat::zeros(box.size(), CV_8UC1);
        cv::drawContours(hole, contours, int(i), cv::Scalar(255), cv::FILLED, cv::LINE_8, cv::noArray(), 0, -box.tl());
        hole &= Binary(box) == 0;
        const int pixels = cv::countNonZero(hole);
        const QPoint origin(Offset.x() + box.x, Offset.y() + box.y);
        int counted = Counts ? 0 : pixels;
        for (int y = 0; Counts && y < hole.rows && counted < smallest; ++y)
            for (int x = 0; x < hole.cols; ++x)
                counted += hole.at<uchar>(y, x) && Counts(origin.x() + x, origin.y() + y);
        if (counted < smallest)
            continue;
        TTracedArea area;
        area.Pixels = pixels;
        area.Polygon = outerPolygon(hole, origin, Options.Smoothness);
        if (spansBothDirections(area.Polygon))
            found.append(std::move(area));
    }
    // Top to bottom, as Trace All reads.
    std::stable_sort(found.begin(), found.end(), [](const TTracedArea& a, const TTracedArea& b) {
        const QRect ra = a.Polygon.boundingRect(), rb = b.Polygon.boundingRect();
        return std::make_pair(ra.top(), ra.left()) < std::make_pair(rb.top(), rb.left());
    });
    return found;
}

} // namespace

TPictureTracer::TPictureTracer() : D(std::make_unique<TData>()) {}

TPictureTracer::TPictureTracer(const QImage& Picture) : TPictureTracer()
{
    SetPicture(Picture);
}

TPictureTracer::~TPictureTracer() = default;

bool TPictureTracer::PictureTooLarge() const
{
    return qint64(FSize.width()) * FSize.height() > MaxPixels;
}

bool TPictureTracer::Holds(const QImage& Picture) const
{
    return !Picture.isNull() && Picture.cacheKey() == FPictureKey && Picture.size() == FSize;
}

void TPictureTracer::SetPicture(const QImage& Picture)
{
    if (Holds(Picture))
        return;
    D = std::make_unique<TData>();
    FPictureKey = Picture.cacheKey();
    FSize = Picture.size();
    if (Picture.isNull() || PictureTooLarge())
        return;
    D->Pixels = Picture.convertToFormat(QImage::Format_RGB888);
    D->Rgb = cv::Mat(FSize.height(), FSize.width(), CV_8UC3, D->Pixels.bits(), size_t(D->Pixels.bytesPerLine()));
    D->Mask = cv::Mat::zeros(FSize.height() + 2, FSize.width() + 2, CV_8UC1);
}

void TPictureTracer::Fill(QPoint Point, const TTraceOptions& Options, bool Preview)
{
    if (D->LastRect.area() > 0)
        D->Mask(D->LastRect).setTo(0);
    D->LastRect = cv::Rect();
    D->LastValid = false;
    const int diff = channelTolerance(Options.ColourTolerance);
    const int flags = 4 | cv::FLOODFILL_MASK_ONLY | cv::FLOODFILL_FIXED_RANGE | (255 << 8);
    const cv::Rect picture(0, 0, FSize.width(), FSize.height());
    for (size_t stage = 0; stage <= std::size(fillWindows); ++stage) {
        const bool whole = stage == std::size(fillWindows);
        const cv::Rect window =
            whole ? picture
                  : cv::Rect(Point.x() - fillWindows[stage], Point.y() - fillWindows[stage],
                             2 * fillWindows[stage] + 1, 2 * fillWindows[stage] + 1) &
                        picture;
        // The window's mask shares the picture's mask; the fill marks the ring round the window
        // with 1s as a fence, which goes again before any later fill.
        cv::Mat mask = D->Mask(cv::Rect(window.x, window.y, window.width + 2, window.height + 2));
        cv::Rect box;
        D->LastPixels = cv::floodFill(D->Rgb(window), mask, cv::Point(Point.x() - window.x, Point.y() - window.y),
                                      cv::Scalar(), &box, cv::Scalar::all(diff), cv::Scalar::all(diff), flags);
        // In the mask's coordinates with a margin of one pixel: the area's pixels and clear pixels round them.
        D->LastRect = cv::Rect(window.x + box.x, window.y + box.y, box.width + 2, box.height + 2);
        D->LastValid = true;
        D->LastOptions = Options;
        // An area clear of the window's inner edges has no pixel next to one outside: it is whole.
        const bool reachesOut = (box.x == 0 && window.x > 0) || (box.y == 0 && window.y > 0) ||
                                (box.br().x == window.width && window.br().x < picture.width) ||
                                (box.br().y == window.height && window.br().y < picture.height);
        mask.row(0).setTo(0);
        mask.row(mask.rows - 1).setTo(0);
        mask.col(0).setTo(0);
        mask.col(mask.cols - 1).setTo(0);
        D->LastComplete = !reachesOut;
        if (!reachesOut)
            return;
        // Thin lines spread over the window and on past it are left for the click, as for a
        // whole area whose box is mostly empty.
        const qint64 boxArea = qint64(box.width) * box.height;
        if (Preview && boxArea * 4 >= sparsePreviewBox && D->LastPixels * 8 < boxArea)
            return;
        // Nor does a preview fill all of a large picture: that would hold the pointer up.
        if (Preview && stage + 1 == std::size(fillWindows) &&
            qint64(FSize.width()) * FSize.height() > previewWholePicture)
            return;
        D->Mask(D->LastRect).setTo(0);
        D->LastRect = cv::Rect();
        D->LastValid = false;
    }
}

bool TPictureTracer::LastAreaHolds(QPoint Point, const TTraceOptions& Options) const
{
    if (!D->LastValid || !(Options == D->LastOptions) || !QRect(QPoint(), FSize).contains(Point))
        return false;
    return D->Mask.at<uchar>(Point.y() + 1, Point.x() + 1) == 255;
}

TTraceResult TPictureTracer::TraceAt(QPoint Point, const TTraceOptions& Options, bool Preview)
{
    TTraceResult result;
    if (FSize.isEmpty())
        return result;
    if (PictureTooLarge()) {
        result.Status = TTraceStatus::PictureTooLarge;
        return result;
    }
    if (!QRect(QPoint(), FSize).contains(Point)) {
        result.Status = TTraceStatus::OutsidePicture;
        return result;
    }
    const bool filled = LastAreaHolds(Point, Options);
    if (filled && (Preview || D->LastResult.Status != TTraceStatus::NotOutlined))
        return D->LastResult;
    if (!filled || !D->LastComplete)
        Fill(Point, Options, Preview);

    result.Area.Pixels = D->LastPixels;
    const qint64 boxArea = qint64(D->LastRect.width - 2) * (D->LastRect.height - 2);
    if (!D->LastComplete || (Preview && boxArea > sparsePreviewBox && D->LastPixels * 8 < boxArea)) {
        // A wide web of thin lines (a map's borders): its border takes long to follow, and it is
        // seldom what a click is meant for, so a preview waits for the click.
        result.Status = TTraceStatus::NotOutlined;
        D->LastResult = result;
        return result;
    }
    const QPoint offset(D->LastRect.x - 1, D->LastRect.y - 1);
    cv::Mat binary;
    if (D->LastPixels >= std::max(2, Options.SmallestArea)) {
        binary = D->Mask(D->LastRect) == 255;
        result.Area.Polygon = outerPolygon(binary, offset, Options.Smoothness);
    }
    result.Status = spansBothDirections(result.Area.Polygon) ? TTraceStatus::Traced : TTraceStatus::TooSmall;
    if (result.Status != TTraceStatus::Traced)
        result.Area.Polygon.clear();
    else if (Options.KeepEnclosedOut)
        result.Enclosed = enclosedAreas(binary, offset, Options);
    D->LastResult = result;
    return result;
}

TTraceStatus TPictureTracer::TraceAll(const TColourRange& Range, const TTraceOptions& Options,
                                      QVector<TTracedArea>& Areas, const TTraceProgress& Progress)
{
    Areas.clear();
    if (FSize.isEmpty())
        return TTraceStatus::NoPicture;
    if (PictureTooLarge())
        return TTraceStatus::PictureTooLarge;
    auto stopped = [&](int percent) { return Progress && !Progress(percent); };
    if (stopped(0))
        return TTraceStatus::Cancelled;

    const int diff = channelTolerance(Options.ColourTolerance);
    const QColor low = Range.Low.toRgb(), high = Range.High.toRgb();
    const cv::Scalar lower(std::min(low.red(), high.red()) - diff, std::min(low.green(), high.green()) - diff,
                           std::min(low.blue(), high.blue()) - diff);
    const cv::Scalar upper(std::max(low.red(), high.red()) + diff, std::max(low.green(), high.green()) + diff,
                           std::max(low.blue(), high.blue()) + diff);
    cv::Mat inside;
    cv::inRange(D->Rgb, lower, upper, inside);
    if (Range.RangeIsBorder)
        cv::bitwise_not(inside, inside);
    if (stopped(10))
        return TTraceStatus::Cancelled;

    cv::Mat labels, stats, centroids;
    const int count = cv::connectedComponentsWithStats(inside, labels, stats, centroids, 4, CV_32S);
    // Areas bounded by lines reach one pixel into them, to the middle of a 2-pixel border, so that
    // neighbours meet instead of leaving the line between them out of both.
    cv::Mat lines;
    if (Range.RangeIsBorder)
        cv::bitwise_not(inside, lines);
    inside.release();
    const cv::Rect picture(0, 0, FSize.width(), FSize.height());
    const cv::Mat grow = cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3));
    if (stopped(40))
        return TTraceStatus::Cancelled;

    const int smallest = std::max(2, Options.SmallestArea);
    // Each area with what it keeps out, which follows it.
    struct TFound
    {
        TTracedArea Area;
        QVector<TTracedArea> Enclosed;
    };
    QVector<TFound> found;
    // Pixels that an enclosing area keeps out for a region of their own: not those of another
    // area found, which has its own, nor the lines between areas.
    auto keptOut = [&](int X, int Y) {
        const int label = labels.at<int>(Y, X);
        if (label == 0)
            return !Range.RangeIsBorder;
        return stats.at<int>(label, cv::CC_STAT_AREA) < smallest;
    };
    for (int label = 1; label < count; ++label) {
        if (label % 16 == 0 && stopped(40 + int(qint64(label) * 60 / count)))
            return TTraceStatus::Cancelled;
        const int pixels = stats.at<int>(label, cv::CC_STAT_AREA);
        if (pixels < smallest)
            continue;
        const cv::Rect box(stats.at<int>(label, cv::CC_STAT_LEFT), stats.at<int>(label, cv::CC_STAT_TOP),
                           stats.at<int>(label, cv::CC_STAT_WIDTH), stats.at<int>(label, cv::CC_STAT_HEIGHT));
        const cv::Rect around = Range.RangeIsBorder ? (box + cv::Size(2, 2) - cv::Point(1, 1)) & picture : box;
        cv::Mat own = labels(around) == label;
        if (Range.RangeIsBorder) {
            cv::Mat grown;
            cv::dilate(own, grown, grow);
            own = grown & (own | lines(around));
        }
        cv::Mat binary;
        cv::copyMakeBorder(own, binary, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(0));
        TFound area;
        area.Area.Pixels = pixels;
        const QPoint offset(around.x - 1, around.y - 1);
        area.Area.Polygon = outerPolygon(binary, offset, Options.Smoothness);
        if (!spansBothDirections(area.Area.Polygon))
            continue;
        if (Options.KeepEnclosedOut)
            area.Enclosed = enclosedAreas(binary, offset, Options, keptOut);
        found.append(std::move(area));
    }
    // Reading order: a row is the areas whose top lies above the middle of the row's highest
    // area; rows run from the top, each from left to right. An enclosed area that was found
    // comes after the one round it, whose top is higher and whose left edge is further left.
    auto top = [](const TFound& a) { return a.Area.Polygon.boundingRect().top(); };
    auto left = [](const TFound& a) { return a.Area.Polygon.boundingRect().left(); };
    std::stable_sort(found.begin(), found.end(), [&](const auto& a, const auto& b) { return top(a) < top(b); });
    for (auto row = found.begin(); row != found.end();) {
        const int middle = row->Area.Polygon.boundingRect().center().y();
        const auto end = std::find_if(row, found.end(), [&](const auto& a) { return top(a) > middle; });
        std::stable_sort(row, end, [&](const auto& a, const auto& b) { return left(a) < left(b); });
        row = end;
    }
    for (TFound& area : found) {
        Areas.append(std::move(area.Area));
        Areas.append(area.Enclosed);
    }
    stopped(100);
    return TTraceStatus::Traced;
}

double OutlineIoU(const QPainterPath& A, const QPainterPath& B, int Scale)
{
    const QRect bounds = (A.boundingRect() | B.boundingRect()).toAlignedRect().adjusted(-1, -1, 1, 1);
    if (bounds.isEmpty())
        return 0;
    auto raster = [&](const QPainterPath& path) {
        QImage image(bounds.size() * Scale, QImage::Format_Grayscale8);
        image.fill(0);
        QPainter painter(&image);
        painter.scale(Scale, Scale);
        painter.translate(-bounds.topLeft());
        painter.fillPath(path, Qt::white);
        return image;
    };
    const QImage a = raster(A), b = raster(B);
    qint64 both = 0, either = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* ra = a.constScanLine(y);
        const uchar* rb = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x) {
            const bool ia = ra[x] >= 128, ib = rb[x] >= 128;
            both += ia && ib;
            either += ia || ib;
        }
    }
    return either ? double(both) / double(either) : 0;
}
