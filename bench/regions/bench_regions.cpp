// Scale of the scene: at 500, 5,000 and 50,000 regions (a third each rectangles, circles and polygons of
// 60 vertices) it times creating them, the first paint, hit tests, focus changes, moves and destroying
// them all, with the memory they take, and prints each step's growth from one size to the next (10x
// more regions: about 10 is linear, about 100 quadratic). Usage: bench_regions [sizes...]
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UPTFrame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Width = 4000, Height = 3000;

// Resident memory now, in KiB.
long ResidentKiB()
{
    QFile Statm(QStringLiteral("/proc/self/statm"));
    if (!Statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> Fields = Statm.readAll().split(' ');
    return Fields.size() > 1 ? Fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

double ThreadCpuMs()
{
    timespec T{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
    return T.tv_sec * 1e3 + T.tv_nsec / 1e6;
}

// Wall and processor time of one step; the machine may be shared, so both are printed.
struct TStep
{
    double WallMs = 0;
    double CpuMs = 0;
};

class TStopwatch
{
public:
    TStopwatch() : FCpu(ThreadCpuMs()) { FWall.start(); }
    TStep Stop() const { return TStep{FWall.nsecsElapsed() / 1e6, ThreadCpuMs() - FCpu}; }

private:
    QElapsedTimer FWall;
    double FCpu;
};

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

using TResults = std::vector<std::pair<std::string, TStep>>;

TResults Run(int Count)
{
    TResults Results;
    TPTGroup Group;
    Group.SetFrameStyle(ptfsNone);
    Group.SetClientSize(Width, Height);
    Group.resize(1000, 800);
    Group.show();
    Group.activateWindow();
    QApplication::processEvents();

    QRandomGenerator Rng(12345);
    QVector<QVector<TPoint>> Outlines;
    QVector<TRect> Boxes;
    for (int I = 0; I < Count; ++I) {
        const int X = 60 + int(Rng.bounded(Width - 120)), Y = 60 + int(Rng.bounded(Height - 120));
        Boxes.append(TRect{X - 30, Y - 30, X + 30, Y + 30});
        Outlines.append(I % 3 == 2 ? RandomOutline(Rng, X, Y, 60) : QVector<TPoint>());
    }
    const long MemBefore = ResidentKiB();

    TStopwatch Create;
    for (int I = 0; I < Count; ++I) {
        switch (I % 3) {
        case 0:
            (new TUIRectangle(&Group))->SetBoundsRect(Boxes[I]);
            break;
        case 1:
            (new TUICircle(&Group))->SetBoundsRect(Boxes[I]);
            break;
        default:
            (new TUIPolygon(&Group))->SetPoints(Outlines[I]);
            break;
        }
    }
    Results.emplace_back("create", Create.Stop());

    TStopwatch Paint;
    QApplication::processEvents(); // the first paint of the visible part, with everything in the index
    Results.emplace_back("first paint", Paint.Stop());
    const long MemAfter = ResidentKiB();
    Results.emplace_back("memory KiB/region", TStep{double(MemAfter - MemBefore) / Count, 0});

    QVector<TPoint> Probes;
    for (int I = 0; I < 100000; ++I)
        Probes.append(TPoint{int(Rng.bounded(Width)), int(Rng.bounded(Height))});
    int Found = 0;
    TStopwatch Hits;
    for (const TPoint& P : Probes)
        Found += Group.ShapeAt(P.X, P.Y) != nullptr;
    Results.emplace_back("100,000 ShapeAt", Hits.Stop());

    const QList<TGUIRegion*> Regions = Group.Regions();
    TStopwatch Focus;
    for (int I = 0; I < 300; ++I) {
        Regions[(I * 7919) % Regions.size()]->SetFocus();
        QApplication::processEvents();
        Group.ClearRegionFocus();
        QApplication::processEvents();
    }
    Results.emplace_back("300 focus+unfocus", Focus.Stop());

    TStopwatch Move;
    for (int I = 0; I < 100; ++I)
        Regions[I]->SetBoundsRect(OffsetRectBy(Regions[I]->BoundsRect(), 3, 2));
    Results.emplace_back("move 100", Move.Stop());

    TStopwatch Destroy;
    Group.DestroyRegions();
    Results.emplace_back("destroy all", Destroy.Stop());
    TStopwatch Repaint;
    QApplication::processEvents();
    Results.emplace_back("paint after destroy", Repaint.Stop());
    if (Found < 0)
        std::printf("unreachable\n");
    return Results;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    std::vector<int> Sizes;
    for (int I = 1; I < argc; ++I)
        Sizes.push_back(std::atoi(argv[I]));
    if (Sizes.empty())
        Sizes = {500, 5000, 50000};

    std::vector<TResults> All;
    for (int Size : Sizes)
        All.push_back(Run(Size));

    std::printf("%-22s", "regions");
    for (int Size : Sizes)
        std::printf(" %20d", Size);
    std::printf("   growth per step\n");
    for (size_t Row = 0; Row < All[0].size(); ++Row) {
        std::printf("%-22s", All[0][Row].first.c_str());
        for (const TResults& R : All) {
            if (R[Row].first.find("memory") != std::string::npos)
                std::printf(" %20.2f", R[Row].second.WallMs);
            else
                std::printf(" %9.2f (cpu %6.1f)", R[Row].second.WallMs, R[Row].second.CpuMs);
        }
        std::printf("  ");
        for (size_t I = 1; I < All.size(); ++I) {
            const TStep& A = All[I - 1][Row].second;
            const TStep& B = All[I][Row].second;
            const bool Memory = All[0][Row].first.find("memory") != std::string::npos;
            const double From = Memory ? A.WallMs : A.CpuMs, To = Memory ? B.WallMs : B.CpuMs;
            std::printf(" x%.1f", From > 0.05 ? To / From : 0.0);
        }
        std::printf("\n");
    }
    return 0;
}
