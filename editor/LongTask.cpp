#include "LongTask.h"

#include "EditorDialogs.h"

#include <QApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace {
// Events run at most this often: each round costs a repaint of everything that changed.
constexpr int EventIntervalMs = 40;

int& RunningTasks()
{
    static int running = 0;
    return running;
}

TLongTask::TObserver& Observer()
{
    static TLongTask::TObserver observer;
    return observer;
}
} // namespace

QFuture<void> RunInPool(std::function<void()> Work)
{
    return QtConcurrent::run(std::move(Work));
}

namespace {
// A modal dialog that is open (the import dialog) would block a progress dialog of the window
// below it: the progress dialog belongs to the dialog then.
QWidget* ProgressOwner(QWidget* Parent)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : Parent;
}
} // namespace

TLongTask::TLongTask(QWidget* Parent, const QString& Label, bool CanCancel)
    : FDialog(std::make_unique<QProgressDialog>(EditorText(Label), EditorText(QStringLiteral("Cancel")), 0,
                                                100, ProgressOwner(Parent))),
      FCanCancel(CanCancel)
{
    if (!CanCancel)
        FDialog->setCancelButton(nullptr);
    FDialog->setObjectName(QStringLiteral("ProgressDialog"));
    FDialog->setWindowModality(Qt::WindowModal);
    FDialog->setMinimumDuration(500);
    FDialog->setAutoClose(false);
    FDialog->setAutoReset(false);
    FDialog->setValue(0);
    FSinceEvents.start();
    ++RunningTasks();
}

TLongTask::~TLongTask()
{
    --RunningTasks();
}

bool TLongTask::AnyRunning()
{
    return RunningTasks() > 0;
}

void TLongTask::SetObserver(TObserver Observer_)
{
    Observer() = std::move(Observer_);
}

void TLongTask::Cancel()
{
    FDialog->cancel();
    FCancelled = true;
}

void TLongTask::LetEventsRun()
{
    if (FSinceEvents.elapsed() < EventIntervalMs)
        return;
    // Until the dialog shows, nothing blocks the window's input: clicks and keys wait for the
    // end of the work, so that no command runs in the middle of this one.
    QApplication::processEvents(FDialog->isVisible() ? QEventLoop::AllEvents
                                                     : QEventLoop::ExcludeUserInputEvents);
    FSinceEvents.restart();
}

bool TLongTask::Step(int Percent)
{
    if (FCancelled)
        return false;
    if (!FBusy && Percent != FDialog->value())
        FDialog->setValue(qBound(0, Percent, 100));
    if (Observer())
        Observer()(*this, Percent);
    LetEventsRun();
    FCancelled = FCancelled || (FCanCancel && FDialog->wasCanceled());
    return !FCancelled;
}

bool TLongTask::Step(qint64 Done, qint64 Total, int From, int To)
{
    const qint64 span = To - From;
    return Step(int(From + (Total > 0 ? span * Done / Total : span)));
}

bool TLongTask::WaitFor(const QFuture<void>& Done, int From, int To, TWorkerProgress* Progress)
{
    const auto percent = [&] {
        return Progress ? From + (To - From) * Progress->Percent.load(std::memory_order_relaxed) / 100 : From;
    };
    if (!Step(From))
        return false;
    // Short work ends before the window's events are due, and then lets none run, as work on
    // the window's own thread would.
    while (!Done.isFinished() && FSinceEvents.elapsed() < EventIntervalMs)
        QThread::usleep(200);
    if (Done.isFinished())
        return Step(To);
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(FDialog.get(), &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    watcher.setFuture(Done);
    tick.start(EventIntervalMs);
    // Work that tells nothing of how far it is shows a busy bar.
    FBusy = !Progress;
    if (FBusy)
        FDialog->setRange(0, 0);
    bool cancelled = false;
    while (!Done.isFinished() && !cancelled) {
        cancelled = !Step(percent());
        if (!cancelled)
            loop.exec(FDialog->isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }
    if (FBusy)
        FDialog->setRange(0, 100);
    FBusy = false;
    return !cancelled && Step(To);
}
