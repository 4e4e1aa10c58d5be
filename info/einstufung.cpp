#include "info/einstufung.h"

#include "calc/zahlen.h"

#include <array>

namespace {

struct Bereich
{
    double obereGrenze;
    const char16_t *text;
};

// Upper bounds, each belonging to its range, compared as doubles: 0.3, 0.5,
// 0.8, 1.5 and 2.5 as decimal fractions, the others whole. The last range has no upper
// bound; it is taken when no other one holds.
constexpr std::array<Bereich, 9> Bereiche{{
    {0.3, u"Zwischen 0 und 0,3 Promille: man beginnt, die Wirkung des Alkohols zu spüren"},
    {0.5, u"Zwischen 0,3 und 0,5 Promille: deutliches Wärmegefühl, Anheiterung"},
    {0.8, u"Zwischen 0,5 und 0,8 Promille: deutlich eingeschränkte Reaktionsfähigkeit"},
    {1,
     u"Zwischen 0,8 und 1,0 Promille: Konzentrations- und Koordinationsschwierigkeiten, "
     u"Beeinträchtigung der Muskelkontrolle und des Gleichgewichts, erste Sprachstörungen"},
    {1.5, u"Zwischen 1,0 und 1,5 Promille: starke Betrunkenheit"},
    {2, u"Zwischen 1,5 und 2,0 Promille: unkontrolliertes Torkeln, Vollrausch, Erbrechen"},
    {2.5, u"Zwischen 2,0 und 2,5 Promille: ab hier besteht Lebensgefahr"},
    {3,
     u"Zwischen 2,5 und 3,0 Promille: man kann sich nicht mehr aufrecht halten, "
     u"verliert das Bewusstsein"},
    {4, u"Zwischen 3,0 und 4,0 Promille: tödliche Dosis"},
}};

constexpr char16_t AbVier[] = u"Ab 4 Promille: Tod";

} // namespace

int einstufungsZeile(double promille)
{
    // The ranges are tried in order, so each test only needs its upper bound:
    // every lower bound has already failed as the previous upper one.
    for (std::size_t i = 0; i < Bereiche.size(); ++i) {
        if (promille <= Bereiche[i].obereGrenze)
            return int(i) + 1;
    }
    return int(Bereiche.size()) + 1;
}

QString einstufungsText(int zeile)
{
    if (zeile >= 1 && zeile <= int(Bereiche.size()))
        return QString::fromUtf16(Bereiche[std::size_t(zeile) - 1].text);
    if (zeile == int(Bereiche.size()) + 1)
        return QString::fromUtf16(AbVier);
    return QString();
}

QString einstufung(double promille)
{
    return einstufungsText(einstufungsZeile(promille));
}

QString infoMeldung(const QString &ergebnisText)
{
    return einstufung(fuehrendeZahl(ergebnisText));
}
