#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// The two ways the program reads a number out of a field's text.

// Reads the number at the start of a text the way a fixed-format field is
// read: blanks, tabs and line breaks are ignored wherever they stand, "." is
// the only decimal separator, a sign, an exponent ("e"/"E" and digits) and the
// prefixes "&H" (hexadecimal) and "&O" (octal) are understood, and reading
// stops at the first character that cannot continue the number. Never fails:
// a text without a leading number reads as 0; a number too large for a double
// reads as plus or minus infinity.
double fuehrendeZahl(const QString &text);

// Reads the whole text as a number in the given regional format (decimal
// separator and digit grouping of that locale); blanks around it and a sign
// are allowed. Anything else, and any text that does not stand for a finite
// number, gives no value.
std::optional<double> regionaleZahl(const QString &text, const QLocale &locale = QLocale());

// Writes a number for a field the user reads and may type into again: at most
// 15 significant digits, the locale's decimal separator, no digit grouping,
// no trailing zeros.
QString regionalerText(double wert, const QLocale &locale = QLocale());
