#include "MessageBoxes.h"

#include "AppFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProgressDialog>

namespace {
QMessageBox::StandardButton RunModal(QMessageBox& box)
{
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

// The window the box belongs to: a progress dialog steps aside while its work asks something, and
// must not take the box with it.
QWidget* BoxOwner()
{
    QWidget* owner = QApplication::activeWindow();
    while (qobject_cast<QProgressDialog*>(owner))
        owner = owner->parentWidget() ? owner->parentWidget()->window() : nullptr;
    return owner;
}

MessageBoxRunner& CurrentRunner()
{
    static MessageBoxRunner runner = RunModal;
    return runner;
}
} // namespace

MessageBoxRunner SetMessageBoxRunner(MessageBoxRunner Runner)
{
    MessageBoxRunner previous = CurrentRunner();
    CurrentRunner() = Runner ? std::move(Runner) : MessageBoxRunner(RunModal);
    return previous;
}

QMessageBox::StandardButton AppMessageBox(const QString& Text, QMessageBox::StandardButtons Buttons,
                                          QMessageBox::Icon Icon)
{
    QApplication::beep();
    QMessageBox box(Icon, ApplicationTitle(), Text, Buttons, BoxOwner());
    // The first button is the default, as with the platform's own message boxes.
    if (Buttons.testFlag(QMessageBox::Yes))
        box.setDefaultButton(QMessageBox::Yes);
    else if (Buttons.testFlag(QMessageBox::Ok))
        box.setDefaultButton(QMessageBox::Ok);
    return CurrentRunner()(box);
}

QMessageBox::StandardButton AppQuestion(const QString& Text, QMessageBox::StandardButtons Buttons,
                                        QMessageBox::StandardButton Default,
                                        const QList<QPair<QMessageBox::StandardButton, QString>>& Texts)
{
    QApplication::beep();
    QMessageBox box(QMessageBox::Question, ApplicationTitle(), Text, Buttons, QApplication::activeWindow());
    for (const auto& [button, text] : Texts)
        if (QAbstractButton* shown = box.button(button))
            shown->setText(text);
    box.setDefaultButton(Default);
    return CurrentRunner()(box);
}

bool AskYesNo(const QString& Text)
{
    return AppMessageBox(Text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) == QMessageBox::Yes;
}

void ShowError(const QString& Text)
{
    AppMessageBox(Text, QMessageBox::Ok, QMessageBox::Critical);
}
