#pragma once

#include <QElapsedTimer>
#include <QFuture>
#include <QList>
#include <QPointer>
#include <QString>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

class QProgressDialog;
class QWidget;

// Starts Work on the global thread pool.
QFuture<void> RunInPool(std::function<void()> Work);

// Lets a thread of the pool free Value (moved in): a page or a map of a million parts takes seconds
// to free, which the window would otherwise wait for.
template <typename T> void FreeInPool(T&& Value)
{
    auto doomed = std::make_shared<std::decay_t<T>>(std::forward<T>(Value));
    RunInPool([doomed = std::move(doomed)]() mutable { doomed.reset(); });
}

// Frees the items of List a slice at a time, calling Step between the slices. A list of a million
// areas freed on the pool instead holds the allocator's lock the window's thread allocates under, in
// a tight loop that starves the window for seconds.
template <typename T, typename TStep> void FreeInSlices(QList<T>& List, TStep&& Step)
{
    constexpr qsizetype slice = 16384;
    while (!List.isEmpty()) {
        List.resize(std::max<qsizetype>(0, List.size() - slice));
        Step();
    }
    List = QList<T>();
}

// What work on another thread shares with the task that waits for it: how far it is, and whether
// the user has cancelled (the work then stops at its next piece).
struct TWorkerProgress
{
    std::atomic<int> Percent{0};
    std::atomic<bool> Cancelled{false};

    void Report(qint64 Done, qint64 Total)
    {
        Percent.store(Total > 0 ? int(qBound(qint64(0), 100 * Done / Total, qint64(100))) : 0, std::memory_order_relaxed);
    }
};

// Work of the window's that may take a while (an import, a save, the Source tab's refresh). A
// progress dialog with a percentage and Cancel shows once the work has taken about half a
// second; meanwhile the window keeps repainting. The work calls Step between slices and stops,
// undoing what it did, as soon as Step returns false.
// While the work waits for an answer (any modal dialog shown during the task: a message box, the
// import's notes) the progress dialog is hidden and its clock stands still; it comes back at the
// next step only if the work goes on long enough.
class TLongTask
{
public:
    // Without CanCancel the dialog has no Cancel: for work that cannot be given up halfway, such
    // as an undo step, whose history has already moved.
    TLongTask(QWidget* Parent, const QString& Label, bool CanCancel = true);
    ~TLongTask();
    TLongTask(const TLongTask&) = delete;
    TLongTask& operator=(const TLongTask&) = delete;

    // Reports how far the whole work is (0 to 100) and lets the window's events run now and
    // then; false once the user has cancelled.
    bool Step(int Percent);
    // The same for Done of Total parts of a phase that spans From to To percent.
    bool Step(qint64 Done, qint64 Total, int From, int To);
    bool Cancelled() const { return FCancelled; }
    // True while some long task of the program is running.
    static bool AnyRunning();
    void Cancel();

    // Runs Work on a thread of the pool and waits for it with the window live, at Percent.
    // Empty when the user cancelled meanwhile: the work's result is then dropped whenever it
    // ends, so Work must own everything it touches.
    template <typename T> std::optional<T> Run(std::function<T()> Work, int Percent);
    // The same for work that tells how far it is: its percentage spans From to To of the task's,
    // and it sees the user's Cancel.
    template <typename T>
    std::optional<T> RunMeasured(std::function<T(TWorkerProgress&)> Work, int From, int To);

    // How long the progress dialog waits before it shows, counting only time spent working.
    static constexpr int ShowDelayMs = 500;

    // The dialog, made at the start and shown by the steps of long work (tests look at it).
    QProgressDialog* Dialog() const { return FDialog.get(); }

    // Called at every step with the task and the percentage (tests cancel at chosen points).
    using TObserver = std::function<void(TLongTask&, int)>;
    static void SetObserver(TObserver Observer);

    // A question opened or closed during the task (see TQuestionWatch in LongTask.cpp).
    void PauseForQuestion();
    void ResumeAfterQuestion();

private:
    // Shows the dialog once the work has run long enough and no question is open.
    void ShowWhenDue();
    qint64 WorkingMs() const;
    // Waits with the window live; Progress, when given, moves the bar from From to To.
    bool WaitFor(const QFuture<void>& Done, int From, int To, TWorkerProgress* Progress);
    void LetEventsRun();

    std::unique_ptr<QProgressDialog> FDialog;
    QElapsedTimer FSinceEvents;
    // Time spent working: from the start, less the time questions were open.
    QElapsedTimer FStarted;
    QElapsedTimer FPausedSince;
    qint64 FPausedMs = 0;
    int FQuestionsOpen = 0;
    bool FCancelled = false;
    bool FBusy = false;
    bool FCanCancel = true;
};

template <typename T> std::optional<T> TLongTask::Run(std::function<T()> Work, int Percent)
{
    // The result lives in a block shared with the worker, which may outlive this call.
    auto result = std::make_shared<std::optional<T>>();
    if (!WaitFor(RunInPool([Work = std::move(Work), result] { *result = Work(); }), Percent, Percent, nullptr))
        return std::nullopt;
    return std::move(*result);
}

template <typename T>
std::optional<T> TLongTask::RunMeasured(std::function<T(TWorkerProgress&)> Work, int From, int To)
{
    auto result = std::make_shared<std::optional<T>>();
    auto progress = std::make_shared<TWorkerProgress>();
    const QFuture<void> done = RunInPool([Work = std::move(Work), result, progress] { *result = Work(*progress); });
    if (!WaitFor(done, From, To, progress.get())) {
        // The work stops at its next piece; its result is dropped then.
        progress->Cancelled.store(true);
        return std::nullopt;
    }
    return std::move(*result);
}
