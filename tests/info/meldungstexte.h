#pragma once

// The ten Info messages as the user must read them, written out here once
// more so that the tests do not take them from the code they check.

#include <QString>

namespace {

const char16_t *const Meldungen[] = {
    u"Zwischen 0 und 0,3 Promille: man beginnt, die Wirkung des Alkohols zu spüren",
    u"Zwischen 0,3 und 0,5 Promille: deutliches Wärmegefühl, Anheiterung",
    u"Zwischen 0,5 und 0,8 Promille: deutlich eingeschränkte Reaktionsfähigkeit",
    u"Zwischen 0,8 und 1,0 Promille: Konzentrations- und Koordinationsschwierigkeiten, "
    u"Beeinträchtigung der Muskelkontrolle und des Gleichgewichts, erste Sprachstörungen",
    u"Zwischen 1,0 und 1,5 Promille: starke Betrunkenheit",
    u"Zwischen 1,5 und 2,0 Promille: unkontrolliertes Torkeln, Vollrausch, Erbrechen",
    u"Zwischen 2,0 und 2,5 Promille: ab hier besteht Lebensgefahr",
    u"Zwischen 2,5 und 3,0 Promille: man kann sich nicht mehr aufrecht halten, "
    u"verliert das Bewusstsein",
    u"Zwischen 3,0 und 4,0 Promille: tödliche Dosis",
    u"Ab 4 Promille: Tod",
};

QString meldung(int zeile)
{
    return QString::fromUtf16(Meldungen[zeile - 1]);
}

} // namespace
