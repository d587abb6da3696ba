#pragma once

#include <QString>

class QStatusBar;
class QWidget;

// Sets the caption to the application title alone for an empty file name, otherwise to
// "<title> - [<file name>]", followed by the "[*]" placeholder that shows the window's modified
// state as "*" (a "[*]" in the file name is shown as written).
void SetMainCaption(QWidget* Window, const QString& FileName);

// The status bar's panels are the widgets added to it with QStatusBar::addWidget, in the
// order they were added (each created without a parent, or with the bar as parent, in that
// order). Fixed-width QLabels are intended: the main window's are 400, 70 and 50 wide.
QList<QWidget*> StatusPanels(QStatusBar* Bar);

// Gives the panel at Index the bar's width minus the sum of the widths of all other panels as
// its fixed width, less the room the bar's own layout takes (its left margin, the spacing
// between panels and the size grip), so that the last panel is not cut off. An index out of
// range does nothing.
void FitStatusPanel(QStatusBar* Bar, int Index);

// The arithmetic of FitStatusPanel: BarWidth - OtherPanelsWidth - LayoutOverhead, never below 0.
int FittedPanelWidth(int BarWidth, int OtherPanelsWidth, int LayoutOverhead);

// The width the bar's layout needs besides its panels (0 for no bar).
int StatusBarLayoutOverhead(QStatusBar* Bar);

// The windows' design font, "MS Sans Serif" at 11 pixels (the system's stand-in where it is missing).
void SetDesignFont(QWidget* Window);
