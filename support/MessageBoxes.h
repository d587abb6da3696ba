#pragma once

#include <QMessageBox>
#include <functional>

// Runs a prepared message box and returns the button pressed. The default runner calls exec();
// tests install their own to read the box's text, title and icon without a modal loop.
using MessageBoxRunner = std::function<QMessageBox::StandardButton(QMessageBox& Box)>;

// Replaces the runner; returns the previous one so a test can put it back. An empty function
// restores the default (modal) runner.
MessageBoxRunner SetMessageBoxRunner(MessageBoxRunner Runner);

// Beeps, then shows a modal message box with the application title as caption.
// The program uses two sets: an information icon with OK (the default), and a question icon
// with Yes and No (AskYesNo).
QMessageBox::StandardButton AppMessageBox(const QString& Text,
                                          QMessageBox::StandardButtons Buttons = QMessageBox::Ok,
                                          QMessageBox::Icon Icon = QMessageBox::Information);

// A question whose answers need words of their own: each button of Buttons named as Texts says
// (buttons left out keep their standard text), Default the default answer.
QMessageBox::StandardButton AppQuestion(const QString& Text, QMessageBox::StandardButtons Buttons,
                                        QMessageBox::StandardButton Default,
                                        const QList<QPair<QMessageBox::StandardButton, QString>>& Texts);

// AppMessageBox with the question icon and Yes and No; true exactly when Yes was pressed.
bool AskYesNo(const QString& Text);

// The program's standard error message box: the critical icon with OK.
void ShowError(const QString& Text);
