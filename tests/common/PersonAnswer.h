#pragma once

// Answers the next dialog the way a person does, for tests that run the real modal loop: waits
// until the dialog is shown and on top, takes longer than a progress dialog waits before it shows,
// puts the pointer on the button, checks that this button is what lies under the pointer and that
// no other window covers it, then clicks it. A dialog that cannot be answered so is closed (so the
// test does not hang) and the reason kept in Failure().
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

class QAbstractButton;
class QWidget;

class TPersonAnswer : public QObject
{
public:
    // Picks the button to press in the dialog on top; nullptr while that dialog is not the one
    // expected. Read, when given, sees the dialog as it is shown.
    using TButtonFinder = std::function<QAbstractButton*(QWidget* Dialog)>;
    explicit TPersonAnswer(TButtonFinder Find, int ThinkMs = 1100, int GiveUpMs = 15000);
    ~TPersonAnswer() override;

    // Answers the next message box by one of its standard buttons.
    static TButtonFinder MessageBoxButton(int StandardButton);
    // Answers by a key (Return, Escape) to the widget that has the keyboard focus in the dialog,
    // instead of a click; the button found is the one the key is expected to press.
    void AnswerByKey(int Key) { FKey = Key; }

    // True once the press closed the dialog.
    bool Answered() const;
    QString Failure() const { return FFailure; }
    // The text the dialog showed (a message box's text), for the test to compare.
    QString ShownText() const { return FShownText; }
    // Waits until the dialog has been answered or given up on.
    bool WaitUntilDone(int TimeoutMs = 20000);

private:
    void Poll();
    void GiveUp(const QString& Reason);
    bool CoveredByAnotherWindow(const QRect& GlobalRect) const;

    TButtonFinder FFind;
    int FThinkMs;
    int FGiveUpMs;
    QTimer FTimer;
    qint64 FStartedAt = 0;
    qint64 FSeenAt = -1;
    qint64 FClickedAt = -1;
    QPointer<QWidget> FDialog;
    QPointer<QAbstractButton> FButton;
    int FKey = 0;
    bool FAnswered = false;
    bool FDone = false;
    QString FFailure;
    QString FShownText;
};
