#pragma once

#include <QByteArray>
#include <QString>

// Text of an HTML file's bytes, decoded as a browser would: a byte-order mark
// wins, then a <meta> charset declaration near the top, then UTF-8 when the
// bytes are valid UTF-8, else Windows-1252. ISO-8859-1 and ASCII declarations
// are read as Windows-1252, as browsers do.
QString DecodeHTMLBytes(const QByteArray& bytes);

// The text DecodeHTMLBytes gives, encoded as UTF-8 for the parser. Most pages
// are UTF-8 already: their bytes come back as they are, without a copy.
QByteArray DecodeHTMLBytesToUtf8(const QByteArray& bytes);

// The charset named by a <meta> element in the first 1024 bytes, in lower
// case; empty when there is none. As in a browser's prescan, only <meta>
// elements count: its charset attribute, or its content attribute together
// with http-equiv="Content-Type"; comments and the attributes of other tags
// are skipped, so a declaration in a text or a comment counts for nothing.
QByteArray DeclaredHTMLCharset(const QByteArray& bytes);

// Whether the UTF-8 decoder reads the bytes without an error and without a
// sequence left unfinished at the end (which it would drop).
bool DecodesAsUtf8Whole(const QByteArray& bytes);
