// The tracing library's costs on generated maps: the outline under a moving pointer (what the
// Trace Region tool computes per move) at picture sizes from 500 x 500 to 8,000 x 6,000, and Trace
// All on a 3,000 x 3,000 map of 200 to 5,000 areas bounded by 2-pixel lines, with how cost grows.
#include "PictureTracer.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// This thread's processor time in milliseconds: unlike the clock, it leaves out the time that
// other programs on a busy machine take.
double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Columns x Rows cells with their inner corners moved about, each in its own pale colour, bounded
// by anti-aliased 2-pixel black lines; the true cells, row by row.
QImage mapPicture(QSize Size, int Columns, int Rows, QVector<QPolygonF>* Cells = nullptr)
{
    const double w = double(Size.width() - 1) / Columns, h = double(Size.height() - 1) / Rows;
    QVector<QPointF> corners;
    for (int r = 0; r <= Rows; ++r)
        for (int c = 0; c <= Columns; ++c) {
            double x = c * w, y = r * h;
            if (c > 0 && c < Columns)
                x += ((c * 7 + r * 13) % 11 - 5) * w / 40;
            if (r > 0 && r < Rows)
                y += ((c * 5 + r * 3) % 9 - 4) * h / 40;
            corners << QPointF(x, y);
        }
    QImage image(Size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c) {
            const int i = r * (Columns + 1) + c;
            const QPolygonF cell{corners[i], corners[i + 1], corners[i + Columns + 2], corners[i + Columns + 1]};
            painter.setBrush(QColor::fromHsv((r * Columns + c) * 37 % 360, 40, 250));
            painter.drawPolygon(cell);
            if (Cells)
                Cells->append(cell);
        }
    return image;
}

QPainterPath path(const QPolygonF& Polygon)
{
    QPainterPath p;
    p.addPolygon(Polygon);
    p.closeSubpath();
    return p;
}

// A pointer crossing the picture diagonally in steps of 3 pixels, as a hand moves it: most moves
// stay in the area of the move before, some cross into the next.
void liveOutline(QSize Size, int Columns, int Rows)
{
    const QImage picture = mapPicture(Size, Columns, Rows);
    TPictureTracer tracer;
    QElapsedTimer timer;
    timer.start();
    tracer.SetPicture(picture);
    const double setup = timer.nsecsElapsed() / 1e6;
    const TTraceOptions options;
    std::vector<double> moves, freshMoves, processor;
    int fresh = 0;
    const int steps = std::min(Size.width(), Size.height()) / 3 - 1;
    for (int i = 1; i < steps; ++i) {
        const QPoint p(i * 3 * Size.width() / std::min(Size.width(), Size.height()), i * 3);
        if (!QRect(QPoint(), Size).contains(p))
            break;
        const bool into = !tracer.LastAreaHolds(p, options);
        fresh += into;
        const double started = threadMs();
        timer.restart();
        tracer.TraceAt(p, options, true);
        moves.push_back(timer.nsecsElapsed() / 1e6);
        processor.push_back(threadMs() - started);
        if (into)
            freshMoves.push_back(moves.back());
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("%5d x %-5d %4d areas  picture in %7.1f ms  %5zu moves: median %6.2f ms, worst %6.2f ms "
                "(processor %6.2f ms); %3d into a new area: first %6.2f ms, median %6.2f ms, worst %6.2f ms\n",
                Size.width(), Size.height(), Columns * Rows, setup, moves.size(), median(moves),
                *std::max_element(moves.begin(), moves.end()), *std::max_element(processor.begin(), processor.end()),
                fresh, moves.front(), median(freshMoves), *std::max_element(freshMoves.begin(), freshMoves.end()));
}

void traceAll(int Columns, int Rows, double* Previous, bool KeepEnclosedOut = false)
{
    QVector<QPolygonF> cells;
    const QImage picture = mapPicture(QSize(3000, 3000), Columns, Rows, &cells);
    QElapsedTimer timer;
    timer.start();
    TPictureTracer tracer(picture);
    QVector<TTracedArea> areas;
    TTraceOptions options;
    options.KeepEnclosedOut = KeepEnclosedOut;
    const TTraceStatus status = tracer.TraceAll(TColourRange(), options, areas);
    const double ms = timer.nsecsElapsed() / 1e6;
    double worst = 1;
    if (status == TTraceStatus::Traced && areas.size() == cells.size())
        for (int i = 0; i < cells.size(); ++i)
            worst = std::min(worst, OutlineIoU(path(QPolygonF(areas[i].Polygon)), path(cells[i]), 2));
    else
        worst = 0;
    std::printf("Trace All 3000 x 3000, %5d areas%s: found %5lld in %7.1f ms (x%.2f for the areas before), "
                "lowest IoU %.4f\n",
                Columns * Rows, KeepEnclosedOut ? " keeping enclosed areas out" : "", qlonglong(areas.size()), ms, *Previous > 0 ? ms / *Previous : 0.0, worst);
    *Previous = ms;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    std::printf("Live outline under a moving pointer (default tolerances):\n");
    liveOutline(QSize(500, 500), 5, 5);
    liveOutline(QSize(3000, 3000), 20, 10);
    liveOutline(QSize(8000, 6000), 20, 10);
    std::printf("\nTrace All, areas bounded by 2-pixel lines:\n");
    double previous = 0;
    traceAll(20, 10, &previous);
    traceAll(25, 20, &previous);
    traceAll(100, 50, &previous);
    previous = 0;
    traceAll(20, 10, &previous, true);
    return 0;
}
