#pragma once

#include <QString>

// The filter of every dialog that opens or saves an HTML file: the import, Save As and the
// properties dialog's link browser.
QString HTMLFileFilter();

// One of the editor's own texts (menu items, prompts, undo steps) through the translation table's
// "STRING_TABLE" section; the text itself when there is no usable translation.
QString EditorText(const QString& Text);
