#pragma once

#include <QString>

// The filter of every dialog that opens or saves an HTML file: the import, Save As and the
// properties dialog's link browser.
QString HTMLFileFilter();

// The filter of every dialog that opens a picture: New Image Map, Change Picture and the picture a
// map without one asks for.
QString PictureFileFilter();

// One of the editor's own texts (menu items, prompts, undo steps) through the translation table's
// "STRING_TABLE" section; the text itself when there is no usable translation.
QString EditorText(const QString& Text);
