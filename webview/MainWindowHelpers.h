#pragma once

#include <QString>

class QStatusBar;
class QWidget;

// Sets the caption to the application title alone for an empty file name, otherwise to
// "<title> - [<file name>]".
void SetMainCaption(QWidget* Window, const QString& FileName);

// The status bar's panels are the widgets added to it with QStatusBar::addWidget, in the
// order they were added (each created without a parent, or with the bar as parent, in that
// order). Fixed-width QLabels are intended: the main window's are 400, 70 and 50 wide.
QList<QWidget*> StatusPanels(QStatusBar* Bar);

// Gives the panel at Index the bar's width minus the sum of the widths of all other panels
// (never less than 0) as its fixed width. An index out of range does nothing.
void FitStatusPanel(QStatusBar* Bar, int Index);
