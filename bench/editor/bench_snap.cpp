// Snapping on a crowded map: at 500, 5,000 and 50,000 regions (rectangles on a 4,000 x 3,000
// picture), the time of one snapped pointer position and of one snapped move of a region, with every
// kind of target on, and how each grows from one size to the next (10x more regions: about 1 means
// the cost does not depend on the count). Usage: bench_snap [sizes...]
#include "SceneSnap.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>
#include <vector>

namespace {

constexpr int Width = 4000, Height = 3000, Calls = 2000;

struct TResult
{
    double PointUs;
    double RectUs;
};

TResult Run(int Count)
{
    TPTGroup Group;
    Group.SetClientSize(Width, Height);
    QRandomGenerator Rng(7);
    Group.BeginBulkAdd();
    for (int I = 0; I < Count; ++I) {
        auto* R = new TUIRectangle(&Group);
        const int X = Rng.bounded(Width - 40), Y = Rng.bounded(Height - 40);
        R->SetBoundsRect(TRect{X, Y, X + 10 + Rng.bounded(30), Y + 10 + Rng.bounded(30)});
    }
    Group.EndBulkAdd();
    TSceneSnap Snap(Group);
    Snap.Options = TSnapOptions{true, 10, true, true};
    Snap.SnapPoint(TPoint{1, 1}); // builds the hit grid
    std::vector<TPoint> Points;
    for (int I = 0; I < Calls; ++I)
        Points.push_back(TPoint{int(Rng.bounded(Width)), int(Rng.bounded(Height))});
    QElapsedTimer Timer;
    Timer.start();
    qint64 Sum = 0;
    for (const TPoint& P : Points)
        Sum += Snap.SnapPoint(P).X;
    const double PointUs = Timer.nsecsElapsed() / 1e3 / Calls;
    Timer.restart();
    for (const TPoint& P : Points)
        Sum += Snap.SnapRect(TRect{P.X, P.Y, P.X + 60, P.Y + 40}).Left;
    const double RectUs = Timer.nsecsElapsed() / 1e3 / Calls;
    std::fprintf(stderr, "%lld\r", (long long)(Sum & 1));
    return TResult{PointUs, RectUs};
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    std::vector<int> Sizes;
    for (int I = 1; I < argc; ++I)
        Sizes.push_back(std::atoi(argv[I]));
    if (Sizes.empty())
        Sizes = {500, 5000, 50000};
    std::printf("%10s %16s %16s %10s %10s\n", "regions", "point (us)", "move (us)", "growth", "growth");
    TResult Last{0, 0};
    for (int Count : Sizes) {
        const TResult R = Run(Count);
        std::printf("%10d %16.2f %16.2f %10.2f %10.2f\n", Count, R.PointUs, R.RectUs,
                    Last.PointUs > 0 ? R.PointUs / Last.PointUs : 0.0,
                    Last.RectUs > 0 ? R.RectUs / Last.RectUs : 0.0);
        Last = R;
    }
    return 0;
}
