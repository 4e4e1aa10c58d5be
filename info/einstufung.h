#pragma once

#include <QString>

// The Info message: which of ten per-mille ranges a shown value falls into,
// and what the user is told about it.

// Row 1 to 10 of the ranges. The upper bound belongs to its range, the lower
// one does not: 0.3 is row 1, anything above 0.3 up to 0.5 is row 2, and so
// on; anything above 4 is row 10. Values at or below 0 are row 1.
int einstufungsZeile(double promille);

// The message of a row, 1 to 10.
QString einstufungsText(int zeile);

// The message for a value.
QString einstufung(double promille);

// The message for the text of the result label, read back the way the label
// was written (leading blank, "." as decimal separator); an empty label is 0.
QString infoMeldung(const QString &ergebnisText);
