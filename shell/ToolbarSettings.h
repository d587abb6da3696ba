#pragma once

#include <QList>
#include <QString>
#include <Qt>

class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

// The toolbar layout of a main window in "Settings.ini": one section per toolbar, named by
// the prefix followed by the toolbar's objectName, with the keys "Rev" (2000), "Visible",
// "DockedTo", "LastDock", "DockRow", "DockPos", "FloatLeft", "FloatTop" and "FloatRightX".
// The window's toolbar areas are the docks "TBDockTop", "TBDockLeft", "TBDockRight" and
// "TBDockBottom".

// Reads the layout from GetSettingsFileName(); a missing file or section, or a section whose
// "Rev" is not 2000, leaves a toolbar as it is.
void ReadToolbarLayout(QMainWindow& window, const QString& sectionPrefix, const QList<QToolBar*>& toolbars);
// Writes the layout to GetSettingsFileName(); shows "Unable to write to <path>" and returns
// false when the file cannot be written.
bool WriteToolbarLayout(QMainWindow& window, const QString& sectionPrefix, const QList<QToolBar*>& toolbars);

// The same with an explicit file; SaveToolbarLayout reports failure without a message box.
void LoadToolbarLayout(QMainWindow& Window, const QString& FileName, const QString& Prefix,
                       const QList<QToolBar*>& Toolbars);
bool SaveToolbarLayout(QMainWindow& Window, const QString& FileName, const QString& Prefix,
                       const QList<QToolBar*>& Toolbars);

// The dock name of a toolbar area, empty for none; and the area of a dock name, compared
// without regard to case (Qt::NoToolBarArea when unknown).
QString DockName(Qt::ToolBarArea Area);
Qt::ToolBarArea DockArea(const QString& Name);

// Shows the first toolbar when the layout hid them all: the menu bar rides on a toolbar, and a
// window with none left has no way to bring them back.
void KeepOneToolbarShown(const QList<QToolBar*>& Toolbars);
// The toolbars' context menu: one checkable entry per toolbar, titled by its window title;
// the entry of the last toolbar shown is disabled, so that one always stays.
QMenu* ToolbarsMenu(QWidget* Parent, const QList<QToolBar*>& Toolbars);
