// The display rule of the result: one leading blank, "." as the only
// separator, at most two decimals without trailing zeros, a leading zero
// below 1, and the value rounded to the nearest hundredth. Larger values
// never show smaller. The calculation's result always has that form.
//
// Input: the first byte picks the use of the rest (counted from '0'):
// '0' raw bytes as one or two doubles; '1' text read as a number, or two
// such texts separated by "|"; '2' "percent|amount|weight" for a whole
// calculation, with the sex factor and regional format from the first byte.

#include "calc/anzeige.h"
#include "calc/berechnung.h"
#include "calc/zahlen.h"
#include "fuzz/check.h"

#include <QLocale>
#include <cmath>
#include <cstring>

using pruefen::zeige;

namespace {

QString wert(double v)
{
    return QString::number(v, 'g', 17);
}

// The shape every display text has, for any value.
void pruefeForm(const QString &s, double v)
{
    PRUEFE(s.size() >= 2 && s[0] == u' ' && s[1] != u' ', zeige(s) + u' ' + wert(v));
    PRUEFE(!s.contains(u','), zeige(s) + u' ' + wert(v));
    PRUEFE(s.count(u'.') <= 1, zeige(s) + u' ' + wert(v));
}

// The whole rule for a finite value: " " ["-"] ("0" | [1-9][0-9]*) ["." d? [1-9]],
// and the number it shows is the value rounded to hundredths.
void pruefeAnzeige(const QString &s, double v)
{
    pruefeForm(s, v);
    if (!std::isfinite(v))
        return;
    const QString umstaende = zeige(s) + QStringLiteral(" für ") + wert(v);
    int i = 1;
    const int n = s.size();
    if (i < n && s[i] == u'-')
        ++i;
    const int ganzAb = i;
    while (i < n && s[i].isDigit() && s[i].unicode() < 0x80)
        ++i;
    PRUEFE(i > ganzAb, umstaende);
    PRUEFE(s[ganzAb] != u'0' || i == ganzAb + 1, umstaende); // no leading zero but "0" itself
    if (i < n) {
        PRUEFE(s[i] == u'.', umstaende);
        const int bruchAb = ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 0x80)
            ++i;
        PRUEFE(i == n, umstaende);
        PRUEFE(i - bruchAb >= 1 && i - bruchAb <= 2, umstaende);
        PRUEFE(s[n - 1] != u'0', umstaende); // no trailing zero
    }
    const double gezeigt = fuehrendeZahl(s);
    PRUEFE(std::fabs(gezeigt - v) <= 0.005 + 1e-15 + std::fabs(v) * 1e-15, umstaende);
    PRUEFE(gezeigt != 0 || s == QStringLiteral(" 0"), umstaende); // no " -0"
}

void pruefeWert(double v)
{
    pruefeAnzeige(anzeigeText(v), v);
}

void pruefeReihenfolge(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return;
    if (a > b)
        std::swap(a, b);
    const QString sa = anzeigeText(a);
    const QString sb = anzeigeText(b);
    PRUEFE(fuehrendeZahl(sa) <= fuehrendeZahl(sb),
           QStringLiteral("%1 zeigt %2, %3 zeigt %4").arg(wert(a), zeige(sa), wert(b), zeige(sb)));
}

void rechnung(uint8_t wahl, const QString &eingabe)
{
    const QStringList teile = eingabe.split(u'|');
    const QString prozent = teile.value(0);
    const QString menge = teile.value(1);
    const QString masse = teile.value(2);
    const double faktor = wahl & 0x10 ? Widmark::FaktorFrau : Widmark::FaktorMann;
    const QLocale gebiet = wahl & 0x20 ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c();

    // A calculation before this one left grams and a result behind.
    Rechenstand stand;
    if (wahl & 0x40) {
        stand.Gramm = 19.5;
        stand.Ergebnis = QStringLiteral(" 0.35");
    }
    const Rechenstand vorher = stand;
    const QString text = berechne(prozent, menge, masse, faktor, stand, gebiet);

    // The same four steps, written out once more.
    const double anteil = fuehrendeZahl(prozent) / 100;
    const auto ml = regionaleZahl(menge, gebiet);
    const double gramm = ml ? (*ml * 0.78) * anteil : vorher.Gramm;
    const double divisor = faktor * fuehrendeZahl(masse);
    const double v = divisor != 0 ? gramm / divisor : NAN;
    const QString umstaende =
        QStringLiteral("%1 | %2 | %3 → %4").arg(zeige(prozent), zeige(menge), zeige(masse), zeige(text));
    PRUEFE(stand.Anteil == anteil || (std::isnan(stand.Anteil) && std::isnan(anteil)), umstaende);
    PRUEFE(stand.Gramm == gramm || (std::isnan(stand.Gramm) && std::isnan(gramm)), umstaende);
    if (std::isfinite(v)) {
        pruefeAnzeige(text, v);
        PRUEFE(stand.Ergebnis == text, umstaende);
    } else {
        // The step is skipped: the last result stays, " 0" before any.
        PRUEFE(stand.Ergebnis == vorher.Ergebnis, umstaende);
        PRUEFE(text == (vorher.Ergebnis.isEmpty() ? QStringLiteral(" 0") : vorher.Ergebnis), umstaende);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    if (groesse < 1)
        return 0;
    const uint8_t wahl = daten[0];
    const char *rest = reinterpret_cast<const char *>(daten + 1);
    const size_t laenge = groesse - 1;

    switch (pruefen::waehle(wahl, 3)) {
    case 0: {
        double a = 0, b = 0;
        if (laenge < sizeof a)
            return 0;
        std::memcpy(&a, rest, sizeof a);
        pruefeWert(a);
        if (laenge >= 2 * sizeof b) {
            std::memcpy(&b, rest + sizeof a, sizeof b);
            pruefeWert(b);
            pruefeReihenfolge(a, b);
        }
        break;
    }
    case 1: {
        const QStringList texte = QString::fromUtf8(rest, qsizetype(laenge)).split(u'|');
        const double a = fuehrendeZahl(texte.value(0));
        pruefeWert(a);
        if (texte.size() > 1) {
            const double b = fuehrendeZahl(texte.value(1));
            pruefeWert(b);
            pruefeReihenfolge(a, b);
        }
        break;
    }
    default:
        rechnung(wahl, QString::fromUtf8(rest, qsizetype(laenge)));
        break;
    }
    return 0;
}
