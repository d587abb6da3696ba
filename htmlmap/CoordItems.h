#pragma once

#include <QString>
#include <QStringList>

// The items of an AREA's coords text. Characters 1 to 32 and the comma
// separate items; a comma at the start, two commas with only blanks between
// them and a comma as the very last character give empty items; an item that
// begins with '"' runs to the closing '"', with "" standing for one '"'.
QStringList SplitCoordItems(const QString& coords);

// A whole number: optional '+' or '-', then decimal digits, or hexadecimal
// digits after "$", "x" or "0x" (either case); within the signed 32-bit range.
bool ParseWholeNumber(const QString& item, int* value);

// Reads item `index` as a whole number; false with the error text when the
// item is missing or is not a whole number.
bool ReadCoordItem(const QStringList& items, int index, int* value, QString* errorMessage);

// A decimal fraction (optional sign, digits with one '.', e.g. "9.5", "-.25",
// "10.") rounded to the nearest whole number, halves away from zero; false
// for anything else or a result outside the signed 32-bit range.
bool ParseRoundedDecimal(const QString& item, int* value);
