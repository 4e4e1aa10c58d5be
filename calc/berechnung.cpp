#include "calc/berechnung.h"

#include "calc/anzeige.h"
#include "calc/zahlen.h"

#include <cmath>

bool prozentAusgefuellt(const QString &prozent)
{
    return !prozent.isEmpty() && prozent != u"%";
}

bool eingabenVollstaendig(const QString &prozent, const QString &menge, const QString &masse)
{
    return prozentAusgefuellt(prozent) && !menge.isEmpty() && !masse.isEmpty();
}

QString eingabeMeldung(const QString &prozent, const QString &menge, const QString &masse)
{
    if (!prozentAusgefuellt(prozent) && menge.isEmpty() && masse.isEmpty())
        return QStringLiteral("Bitte füllen Sie die Boxen korrekt aus");
    if (!prozentAusgefuellt(prozent))
        return QStringLiteral("Bitte füllen Sie die Box für die Prozente korrekt aus");
    if (menge.isEmpty())
        return QStringLiteral("Bitte füllen Sie die Box für die Menge korrekt aus");
    if (masse.isEmpty())
        return QStringLiteral("Bitte füllen Sie die Box für das Körpergewicht korrekt aus");
    return {};
}

QString berechne(const QString &prozent, const QString &menge, const QString &masse, double faktor,
                 Rechenstand &stand, const QLocale &locale)
{
    stand.Anteil = fuehrendeZahl(prozent) / 100;

    if (const auto ml = regionaleZahl(menge, locale))
        stand.Gramm = (*ml * Widmark::GrammProMilliliter) * stand.Anteil;

    const double divisor = faktor * fuehrendeZahl(masse);
    if (divisor != 0) {
        const double promille = stand.Gramm / divisor;
        if (std::isfinite(promille))
            stand.Ergebnis = anzeigeText(promille);
    }

    return stand.Ergebnis.isEmpty() ? anzeigeText(0) : stand.Ergebnis;
}
