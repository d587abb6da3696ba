#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>

#include <deque>

// The items of an AREA's coords text. Characters 1 to 32 and the comma
// separate items; a comma at the start, two commas with only blanks between
// them and a comma as the very last character give empty items; an item that
// begins with '"' runs to the closing '"', with "" standing for one '"'.
QStringList SplitCoordItems(const QString& coords);

// The same items as SplitCoordItems, as views into the coords text: an import
// reads hundreds of thousands of them, and a copy of each would cost more than
// reading it. Only an item in quotation marks (rare) is copied, to drop them.
// Assign reuses the storage of the previous text.
class CoordItemViews
{
public:
    CoordItemViews() = default;
    explicit CoordItemViews(QStringView coords) { Assign(coords); }
    // The views point into `coords`, which must outlive them.
    void Assign(QStringView coords);
    int size() const { return int(FItems.size()); }
    QStringView operator[](int index) const { return FItems[index]; }

private:
    QVarLengthArray<QStringView, 8> FItems;
    std::deque<QString> FUnquoted; // stable addresses for the views into them
};

// A whole number: optional '+' or '-', then decimal digits, or hexadecimal
// digits after "$", "x" or "0x" (either case); within the signed 32-bit range.
bool ParseWholeNumber(QStringView item, int* value);

// Reads item `index` as a whole number; false with the error text when the
// item is missing or is not a whole number.
bool ReadCoordItem(const QStringList& items, int index, int* value, QString* errorMessage);
bool ReadCoordItem(const CoordItemViews& items, int index, int* value, QString* errorMessage);

// A decimal fraction (optional sign, digits with one '.', e.g. "9.5", "-.25",
// "10.") rounded to the nearest whole number, halves away from zero; false
// for anything else or a result outside the signed 32-bit range.
bool ParseRoundedDecimal(QStringView item, int* value);
