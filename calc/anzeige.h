#pragma once

#include <QString>

// The text the result label shows for a per-mille value: one leading blank,
// the value rounded to at most two decimals with "." whatever the locale,
// no trailing zeros, no digit grouping, and a leading zero below 1
// (" 0.35", " 1.39", " 2", " 0").
//
// A value exactly halfway between two hundredths, as written in its shortest
// decimal form, is rounded away from zero (0.125 → 0.13, 1.005 → 1.01), as a
// person rounding the written number would. A negative value keeps the same
// form after a minus sign (" -0.35"); a value that rounds to zero is " 0".
QString anzeigeText(double wert);
