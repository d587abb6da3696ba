#pragma once

#include <QString>

class QWidget;

// The filter of every dialog that opens or saves an HTML file: the import, Save As and the
// properties dialog's link browser.
QString HTMLFileFilter();

// The program's error message box: the critical icon with OK.
void ShowError(const QString& Text);

// The windows' design font, "MS Sans Serif" at 11 pixels.
void SetDesignFont(QWidget* Window);
