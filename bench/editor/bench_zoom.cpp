// The view of a crowded map through the real main window: polygons of 60 vertices over an
// 8000 x 6000 picture at 500, 5,000 and 50,000 regions. Prints, per size, the repaint after a
// change of zoom, the focus and unfocus of a region (mean and worst), and the filling of the
// region list. Runs on the offscreen platform.
#include "AppFolder.h"
#include "RegionListDock.h"
#include "SettingsFile.h"
#include "TUIPolygon.h"
#include "UPTFrame.h"
#include "UnitMain.h"
#include "WindowParts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <QtMath>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

// Mean, 99th percentile and worst of a series. On a shared machine the worst case also holds
// the times the process was not running at all (whole scheduler ticks of about 4 ms): the
// percentile shows what the code itself takes.
struct TTimes
{
    std::vector<double> Samples;
    void Add(double Ms, int) { Samples.push_back(Ms); }
    double Mean() const
    {
        double Sum = 0;
        for (double S : Samples)
            Sum += S;
        return Samples.empty() ? 0 : Sum / Samples.size();
    }
    double Percentile(double P) const
    {
        if (Samples.empty())
            return 0;
        std::vector<double> Sorted = Samples;
        std::sort(Sorted.begin(), Sorted.end());
        return Sorted[std::min(Sorted.size() - 1, size_t(P * Sorted.size()))];
    }
    double Worst() const { return Percentile(1); }
};

double Elapsed(const QElapsedTimer& Timer)
{
    return Timer.nsecsElapsed() / 1e6;
}

// The processor time this thread has used, in ms: unlike the wall clock it leaves out the time the
// process waited for a core, so its worst case is the code's own.
double ThreadCpuMs()
{
    timespec Now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
    return Now.tv_sec * 1e3 + Now.tv_nsec / 1e6;
}

void Populate(TFormCorvantaZonequilter& Window, int Count)
{
    Find<TPTGroup>(Window, "PanelScene")->DestroyRegions();
    for (int I = 0; I < Count; ++I) {
        const int X = 60 + (I * 37) % 7880, Y = 60 + (I * 53) % 5880;
        QVector<TPoint> Points;
        Points.reserve(60);
        for (int V = 0; V < 60; ++V) {
            const double Angle = V * 2 * M_PI / 60;
            Points.append(TPoint{X + qRound(50 * qCos(Angle)), Y + qRound(50 * qSin(Angle))});
        }
        auto* Polygon = new TUIPolygon(Find<TPTGroup>(Window, "PanelScene"));
        Polygon->SetPoints(Points);
        Polygon->HRef = QStringLiteral("http://www.corvanta.example/page%1.html").arg(I);
        Polygon->AltText = QStringLiteral("Area number %1").arg(I);
    }
    QCoreApplication::processEvents();
}

void Measure(TFormCorvantaZonequilter& Window, int Count)
{
    QElapsedTimer Timer;
    Timer.start();
    Populate(Window, Count);
    const double Build = Elapsed(Timer);
    TPTGroup* Scene = Find<TPTGroup>(Window, "PanelScene");

    // Zoom changes, each followed by a full repaint of the viewport.
    // Zoom changes, each followed by a full repaint of the viewport; then the time until every tile
    // of the new scale is painted from the event loop (the old ones, scaled, stand in meanwhile).
    TTimes Zoom, Settled;
    const double Levels[] = {Scene->FitZoom(), 0.25, 1, 4, 16, 1, 0.25};
    for (double Level : Levels) {
        Timer.restart();
        Scene->SetZoom(Level);
        Scene->viewport()->repaint();
        Zoom.Add(Elapsed(Timer), int(std::size(Levels)));
        if (qEnvironmentVariableIsSet("ZQ_BENCH_DETAIL"))
            std::printf("  zoom %.3f: %.2f ms\n", Level, Elapsed(Timer));
        while (Scene->RegionTilesPending())
            QCoreApplication::processEvents();
        Settled.Add(Elapsed(Timer), int(std::size(Levels)));
    }

    // Focus and unfocus, with the region list showing and following.
    Scene->SetZoom(1);
    TTimes Focus, Unfocus, FocusCpu, UnfocusCpu;
    const QList<TGUIRegion*> Regions = Scene->Regions();
    const int Samples = 500;
    for (int S = 0; S < Samples; ++S) {
        TGUIRegion* Region = Regions[(S * 7919) % Regions.size()];
        Timer.restart();
        double Cpu = ThreadCpuMs();
        Region->SetFocus();
        Focus.Add(Elapsed(Timer), Samples);
        FocusCpu.Add(ThreadCpuMs() - Cpu, Samples);
        Timer.restart();
        Cpu = ThreadCpuMs();
        Scene->ClearRegionFocus();
        Unfocus.Add(Elapsed(Timer), Samples);
        UnfocusCpu.Add(ThreadCpuMs() - Cpu, Samples);
    }

    // The region list read again and painted, as after an import or a restacking.
    TTimes List;
    for (int S = 0; S < 5; ++S) {
        Timer.restart();
        Find<TRegionListDock>(Window, "DockRegions")->Model()->Reload();
        Find<TRegionListDock>(Window, "DockRegions")->List()->viewport()->repaint();
        List.Add(Elapsed(Timer), 5);
    }

    std::printf(
        "%6d polygons: build %7.1f ms | zoom+repaint mean %6.2f worst %6.2f ms | focus mean %5.3f p99 "
        "%5.3f worst %6.3f ms | unfocus mean %5.3f p99 %5.3f worst %6.3f ms | list fill mean %6.2f "
        "worst %6.2f ms\n"
        "%6s          focus and unfocus in the thread's own processor time: worst %6.3f and %6.3f ms\n",
        Count, Build, Zoom.Mean(), Zoom.Worst(), Focus.Mean(), Focus.Percentile(0.99), Focus.Worst(),
        Unfocus.Mean(), Unfocus.Percentile(0.99), Unfocus.Worst(), List.Mean(), List.Worst(), "",
        FocusCpu.Worst(), UnfocusCpu.Worst());
    std::printf("%6s          zoom until every visible tile is painted: mean %7.1f worst %7.1f ms\n", "",
                Settled.Mean(), Settled.Worst());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    QTemporaryDir Folder;
    SetAppFolderOverride(Folder.path());
    SetSettingsFileName(Folder.filePath(QStringLiteral("Settings.ini")));
    auto Window = std::make_unique<TFormCorvantaZonequilter>();
    Window->SkipFirstPaint();
    Window->resize(1024, 768);
    // ZQ_BENCH_LIVE: every region painted anew at each repaint, as before the tiles, to compare.
    Find<TPTGroup>(*Window, "PanelScene")->SetRegionCache(!qEnvironmentVariableIsSet("ZQ_BENCH_LIVE"));
    QImage picture(8000, 6000, QImage::Format_RGB32);
    picture.fill(QColor(200, 220, 240));
    Window->Document()->SetPicture(picture, Window->Document()->ImageFileName());
    Find<TPTGroup>(*Window, "PanelScene")->SetClientSize(8000, 6000);
    Find<TRegionListDock>(*Window, "DockRegions")->show();
    Window->show();
    QCoreApplication::processEvents();
    const int Sizes[] = {500, 5000, 50000};
    const int Limit = argc > 1 ? QByteArray(argv[1]).toInt() : 50000;
    for (int Count : Sizes)
        if (Count <= Limit)
            Measure(*Window, Count);
    Find<TPTGroup>(*Window, "PanelScene")->DestroyRegions();
    return 0;
}
