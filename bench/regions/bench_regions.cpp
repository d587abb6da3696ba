// Scale of imported maps: 5,000 polygons of 60 vertices on one scene, 100,000 hit tests, 1,000 focus
// changes. Prints each time and the peak memory. Usage: bench_regions [polygons] [vertices]
#include "DefaultHRef.h"
#include "TUIPolygon.h"
#include "UPTFrame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <sys/resource.h>

namespace {

long PeakMemoryKiB()
{
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss;
}

// A wobbly ring of Vertices points around (CX, CY): concave, like traced outlines.
QVector<TPoint> RandomOutline(QRandomGenerator& Rng, int CX, int CY, int Vertices)
{
    QVector<TPoint> Points;
    Points.reserve(Vertices);
    const double Radius = 15 + Rng.bounded(40);
    for (int I = 0; I < Vertices; ++I) {
        const double A = 2 * M_PI * I / Vertices;
        const double R = Radius * (0.6 + 0.4 * Rng.generateDouble());
        Points.append(TPoint{CX + int(std::lround(R * std::cos(A))), CY + int(std::lround(R * std::sin(A)))});
    }
    return Points;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    const int Polygons = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int Vertices = argc > 2 ? std::atoi(argv[2]) : 60;
    const int Width = 4000, Height = 3000;

    TPTGroup Group;
    Group.SetFrameStyle(ptfsNone);
    Group.SetClientSize(Width, Height);
    Group.resize(1000, 800);
    Group.show();
    Group.activateWindow();
    QApplication::processEvents();

    QRandomGenerator Rng(12345);
    QVector<QVector<TPoint>> Outlines;
    Outlines.reserve(Polygons);
    for (int I = 0; I < Polygons; ++I)
        Outlines.append(RandomOutline(Rng, 60 + int(Rng.bounded(Width - 120)),
                                      60 + int(Rng.bounded(Height - 120)), Vertices));
    const long MemBefore = PeakMemoryKiB();

    QElapsedTimer T;
    T.start();
    for (const QVector<TPoint>& Outline : Outlines) {
        auto* P = new TUIPolygon(&Group);
        P->SetPoints(Outline);
    }
    const double CreateMs = T.nsecsElapsed() / 1e6;
    std::printf("create %d polygons x %d vertices: %.1f ms (%.2f us each)\n", Polygons, Vertices, CreateMs,
                CreateMs * 1000 / Polygons);

    T.restart();
    QApplication::processEvents(); // first paint of the visible part with everything in the index
    std::printf("first paint after creation: %.1f ms\n", T.nsecsElapsed() / 1e6);

    const int Hits = 100000;
    QVector<TPoint> Probes;
    Probes.reserve(Hits);
    for (int I = 0; I < Hits; ++I)
        Probes.append(TPoint{int(Rng.bounded(Width)), int(Rng.bounded(Height))});
    int Found = 0;
    T.restart();
    for (const TPoint& P : Probes)
        Found += Group.ShapeAt(P.X, P.Y) != nullptr;
    const double HitMs = T.nsecsElapsed() / 1e6;
    std::printf("ShapeAt at %d random points: %.1f ms (%.2f us each, %d hits)\n", Hits, HitMs,
                HitMs * 1000 / Hits, Found);

    const QList<TGUIRegion*> Regions = Group.Regions();
    const int Focuses = std::min(1000, int(Regions.size()));
    T.restart();
    double Worst = 0;
    for (int I = 0; I < Focuses; ++I) {
        QElapsedTimer One;
        One.start();
        Regions[(I * 7919) % Regions.size()]->SetFocus();
        Group.ClearRegionFocus();
        Worst = std::max(Worst, One.nsecsElapsed() / 1e6);
    }
    const double FocusMs = T.nsecsElapsed() / 1e6;
    std::printf("focus and unfocus %d regions: %.1f ms (%.3f ms each, worst %.3f ms)\n", Focuses, FocusMs,
                FocusMs / std::max(Focuses, 1), Worst);

    T.restart();
    for (int I = 0; I < 100; ++I)
        Regions[I]->SetBoundsRect(OffsetRectBy(Regions[I]->BoundsRect(), 3, 2));
    std::printf("move 100 regions: %.2f ms\n", T.nsecsElapsed() / 1e6);

    std::printf("peak memory: %.1f MiB (%.1f MiB before creating the regions)\n", PeakMemoryKiB() / 1024.0,
                MemBefore / 1024.0);

    T.restart();
    Group.DestroyRegions();
    std::printf("destroy all regions: %.1f ms\n", T.nsecsElapsed() / 1e6);
    return 0;
}
