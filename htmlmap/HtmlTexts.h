#pragma once

#include <QString>

// An attribute text as the parser decoded it, made ready for the writer,
// which writes texts unchanged (see EscapeAttributeQuotes): each '&' that a
// browser would read as the start of a character reference ("&copy", "&lt;",
// "&#65") becomes "&amp;", so that the written page gives a browser the text
// it read. A carriage return, which the written file could only give back as
// a line feed, becomes "&#13;". Every other character, and an '&' that a
// browser keeps as it is ("a & b", "?a=1&b=2"), stays unchanged.
QString EscapeImportedText(const QString& text);

// Whether the '&' at `pos` in a double-quoted attribute value starts a
// character reference, by the rules of the HTML tokenizer.
bool StartsCharacterReference(const QString& text, int pos);
