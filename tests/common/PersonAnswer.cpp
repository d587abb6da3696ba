#include "PersonAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QWidget>

namespace {
qint64 Now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

bool IsOrIsInside(QWidget* Widget, QWidget* Outer)
{
    for (QWidget* w = Widget; w; w = w->parentWidget())
        if (w == Outer)
            return true;
    return false;
}
} // namespace

TPersonAnswer::TPersonAnswer(TButtonFinder Find, int ThinkMs, int GiveUpMs)
    : FFind(std::move(Find)), FThinkMs(ThinkMs), FGiveUpMs(GiveUpMs)
{
    FStartedAt = Now();
    FTimer.setInterval(20);
    connect(&FTimer, &QTimer::timeout, this, &TPersonAnswer::Poll);
    FTimer.start();
}

TPersonAnswer::~TPersonAnswer() = default;

TPersonAnswer::TButtonFinder TPersonAnswer::MessageBoxButton(int StandardButton)
{
    return [StandardButton](QWidget* Dialog) -> QAbstractButton* {
        auto* box = qobject_cast<QMessageBox*>(Dialog);
        return box ? box->button(QMessageBox::StandardButton(StandardButton)) : nullptr;
    };
}

bool TPersonAnswer::Answered() const
{
    return FAnswered || (FFailure.isEmpty() && FClickedAt >= 0 && (!FDialog || !FDialog->isVisible()));
}

bool TPersonAnswer::WaitUntilDone(int TimeoutMs)
{
    return QTest::qWaitFor([this] { return FDone; }, TimeoutMs);
}

void TPersonAnswer::GiveUp(const QString& Reason)
{
    FFailure = Reason;
    FDone = true;
    FTimer.stop();
    // Closing it as Escape would lets the program go on, so the test reports instead of hanging.
    if (auto* dialog = qobject_cast<QDialog*>(FDialog.data()))
        dialog->reject();
}

bool TPersonAnswer::CoveredByAnotherWindow(const QRect& GlobalRect) const
{
    // A modal window other than the dialog over the button either lies on top of it or takes the
    // input from it; either way a person could not press the button.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == FDialog || !window->isVisible() || !window->isModal())
            continue;
        if (window->frameGeometry().intersects(GlobalRect))
            return true;
    }
    return false;
}

void TPersonAnswer::Poll()
{
    if (FDone)
        return;
    const qint64 now = Now();
    if (FClickedAt >= 0) {
        if (!FDialog || !FDialog->isVisible()) {
            FAnswered = true;
            FDone = true;
            FTimer.stop();
        } else if (now - FClickedAt > 2000) {
            GiveUp(QStringLiteral("the click on \"%1\" did not close the dialog").arg(FButton ? FButton->text() : QString()));
        }
        return;
    }
    QWidget* onTop = QApplication::activeModalWidget();
    if (FSeenAt < 0) {
        if (onTop && onTop->isVisible() && FFind(onTop)) {
            FDialog = onTop;
            FSeenAt = now;
            if (auto* box = qobject_cast<QMessageBox*>(onTop))
                FShownText = box->text();
        } else if (now - FStartedAt > FGiveUpMs) {
            FDone = true;
            FTimer.stop();
            FFailure = QStringLiteral("no dialog to answer was shown");
        }
        return;
    }
    if (!FDialog)
        return GiveUp(QStringLiteral("the dialog went away before it was answered"));
    if (now - FSeenAt < FThinkMs)
        return;
    if (!FDialog->isVisible())
        return GiveUp(QStringLiteral("the dialog was hidden"));
    if (QApplication::activeModalWidget() != FDialog) {
        const QWidget* other = QApplication::activeModalWidget();
        return GiveUp(QStringLiteral("another window is on top of the dialog: %1")
                          .arg(other ? other->objectName() + QLatin1Char(' ') + other->windowTitle() : QString()));
    }
    FButton = FFind(FDialog);
    if (!FButton || !FButton->isVisible() || !FButton->isEnabled())
        return GiveUp(QStringLiteral("the button is not there to press"));
    const QPoint centre = FButton->rect().center();
    const QPoint global = FButton->mapToGlobal(centre);
    QCursor::setPos(global);
    QTest::mouseMove(FButton, centre);
    QWidget* underPointer = QApplication::widgetAt(global);
    if (!IsOrIsInside(underPointer, FButton))
        return GiveUp(QStringLiteral("the pointer is over %1, not over the button \"%2\"")
                          .arg(underPointer ? QString::fromLatin1(underPointer->metaObject()->className()) + QLatin1Char(' ') +
                                                  underPointer->objectName()
                                            : QStringLiteral("nothing"),
                               FButton->text()));
    if (CoveredByAnotherWindow(QRect(FButton->mapToGlobal(QPoint(0, 0)), FButton->size())))
        return GiveUp(QStringLiteral("another window covers the button \"%1\"").arg(FButton->text()));
    FClickedAt = now;
    if (FKey) {
        QWidget* focus = QApplication::focusWidget();
        if (!IsOrIsInside(focus, FDialog))
            return GiveUp(QStringLiteral("the keyboard focus is not in the dialog"));
        QTest::keyClick(focus, Qt::Key(FKey));
        return;
    }
    QTest::mouseClick(FButton, Qt::LeftButton, Qt::NoModifier, centre);
}
