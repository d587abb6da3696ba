#include "LongTask.h"

#include "EditorDialogs.h"

#include <QApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <limits>
#include <map>
#include <vector>

namespace {
// Events run at most this often: each round costs a repaint of everything that changed.
constexpr int EventIntervalMs = 40;

std::vector<TLongTask*>& RunningTasks()
{
    static std::vector<TLongTask*> running;
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
// Watches, while any task runs, for modal dialogs (questions) the work shows: a progress dialog
// of the window left on screen would block the question it waits for, since the newest modal
// window takes the input. Each question sets aside the tasks running when it opened, until it
// closes; a task started from within a question is that question's own and goes on.
class TQuestionWatch : public QObject
{
public:
    static void Started(TLongTask* Task)
    {
        if (!Instance)
            Instance = new TQuestionWatch;
        RunningTasks().push_back(Task);
    }
    static void Ended(TLongTask* Task)
    {
        auto& running = RunningTasks();
        running.erase(std::remove(running.begin(), running.end(), Task), running.end());
        if (Instance) {
            for (auto& question : Instance->FQuestions) {
                auto& paused = question.second;
                paused.erase(std::remove(paused.begin(), paused.end(), Task), paused.end());
            }
            if (running.empty() && Instance->FQuestions.empty()) {
                delete Instance;
                Instance = nullptr;
            }
        }
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        const QEvent::Type type = Event->type();
        if ((type != QEvent::Show && type != QEvent::Hide) || Event->spontaneous() || !Watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(Watched);
        if (!widget->isWindow())
            return false;
        if (type == QEvent::Show && widget->isModal() && !IsProgressDialog(widget))
            Opened(widget);
        else if (type == QEvent::Hide)
            Closed(widget);
        return false;
    }

private:
    TQuestionWatch() { qApp->installEventFilter(this); }

    static bool IsProgressDialog(QWidget* Widget)
    {
        const auto& running = RunningTasks();
        return std::any_of(running.begin(), running.end(),
                           [Widget](TLongTask* Task) { return Task->Dialog() == Widget; });
    }
    void Opened(QWidget* Question)
    {
        if (FQuestions.count(Question) || RunningTasks().empty())
            return;
        std::vector<TLongTask*>& paused = FQuestions[Question];
        paused = RunningTasks();
        connect(Question, &QObject::destroyed, this, [this, Question] { Closed(Question); });
        for (TLongTask* task : paused)
            task->PauseForQuestion();
    }
    void Closed(QWidget* Question)
    {
        const auto found = FQuestions.find(Question);
        if (found == FQuestions.end())
            return;
        const std::vector<TLongTask*> paused = std::move(found->second);
        FQuestions.erase(found);
        disconnect(Question, &QObject::destroyed, this, nullptr);
        for (TLongTask* task : paused)
            task->ResumeAfterQuestion();
        if (RunningTasks().empty() && FQuestions.empty()) {
            Instance = nullptr;
            deleteLater();
        }
    }

    static inline TQuestionWatch* Instance = nullptr;
    std::map<QWidget*, std::vector<TLongTask*>> FQuestions;
};

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
    // The steps show the dialog, not its own timer: a timer would show it over a question the work
    // waits for, and for work that has already ended.
    FDialog->setMinimumDuration(std::numeric_limits<int>::max());
    FDialog->setAutoClose(false);
    FDialog->setAutoReset(false);
    FDialog->setValue(0);
    FSinceEvents.start();
    FStarted.start();
    TQuestionWatch::Started(this);
}

TLongTask::~TLongTask()
{
    TQuestionWatch::Ended(this);
}

bool TLongTask::AnyRunning()
{
    return !RunningTasks().empty();
}

qint64 TLongTask::WorkingMs() const
{
    return FStarted.elapsed() - FPausedMs - (FQuestionsOpen > 0 ? FPausedSince.elapsed() : 0);
}

void TLongTask::PauseForQuestion()
{
    if (FQuestionsOpen++ > 0)
        return;
    FPausedSince.start();
    FDialog->hide();
}

void TLongTask::ResumeAfterQuestion()
{
    if (FQuestionsOpen == 0 || --FQuestionsOpen > 0)
        return;
    FPausedMs += FPausedSince.elapsed();
    // The dialog comes back at the next step, if the work goes on.
}

void TLongTask::ShowWhenDue()
{
    if (FQuestionsOpen > 0 || FDialog->isVisible() || FCancelled || WorkingMs() < ShowDelayMs)
        return;
    FDialog->show();
    FDialog->raise();
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
    // The last step is the end of the work: nothing is left to show progress for.
    if (Percent < 100)
        ShowWhenDue();
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
