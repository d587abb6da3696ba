#pragma once

#include <QString>

// What a file named outside the file dialogs (command line, drop, recent files) is to the
// editor.
enum class TDocumentFileKind
{
    Html,    // import its image map
    Picture, // start a new image map on it
    Other    // neither: refused with a message
};

// An HTML file by its name (.htm, .html, .xhtml, .xht, .shtml and the server-side pages .php,
// .phtml, .asp, .aspx, .jsp) or, without such a name, by its
// first bytes; a picture when Qt's image readers recognise it; a missing or unreadable file is
// Other.
TDocumentFileKind DocumentFileKind(const QString& FileName);
