#pragma once

#include <QString>

class QObject;

/// The user-visible text of a control: QLineEdit, QTextEdit, QPlainTextEdit, QLabel, QAbstractButton,
/// QGroupBox (title), QComboBox (current/edit text), QAction, QMenu (title), a top-level window (title),
/// otherwise a "text" property if the object has one. Empty for anything else or a null object.
QString GetControlText(const QObject* Control);
/// Sets the text that GetControlText reads; does nothing for a null or text-less object.
void SetControlText(QObject* Control, const QString& Text);
