#pragma once

#include <QLocale>
#include <QString>

// Widmark estimate: per mille = grams of alcohol / (sex factor × body weight).

namespace Widmark {
constexpr double GrammProMilliliter = 0.78; // grams in a millilitre of pure alcohol
constexpr double FaktorMann = 0.7;
constexpr double FaktorFrau = 0.6;
} // namespace Widmark

// True when a percentage field counts as filled in: neither empty nor "%" alone.
bool prozentAusgefuellt(const QString &prozent);

// True when the three inputs pass the calculate button's tests.
bool eingabenVollstaendig(const QString &prozent, const QString &menge, const QString &masse);

// The message the calculate button shows for the first gap in the inputs, or
// an empty text when all three are filled in. Texts are compared whole, with
// no trimming: a single blank counts as filled in.
QString eingabeMeldung(const QString &prozent, const QString &menge, const QString &masse);

// The values one calculation works on and leaves behind. A step that cannot be
// completed leaves its value as it was.
struct Rechenstand
{
    double Anteil = 0;
    double Gramm = 0;
    QString Ergebnis; // display text of the last completed result; empty before the first
};

// Runs the four steps of a calculation on the field texts and returns the text
// for the result label. The amount is read in the given regional format.
QString berechne(const QString &prozent, const QString &menge, const QString &masse, double faktor,
                 Rechenstand &stand, const QLocale &locale = QLocale());
