// The catalogue reader on arbitrary bytes: whatever a file holds, reading it
// must not crash or hang, fills at most the table's 200 rows, and what it
// reads can be written and read back unchanged.

#include "catalogue/katalog.h"
#include "fuzz/check.h"

#include <vector>

namespace {

QString zeile(const SortenTabelle &t, int z)
{
    return QStringLiteral("Zeile %1: %2, %3, %4")
        .arg(z)
        .arg(pruefen::zeige(t[z].Name), pruefen::zeige(t[z].Prozent), pruefen::zeige(t[z].Menge));
}

std::vector<Sortenzeile> gefuellteZeilen(const SortenTabelle &t)
{
    std::vector<Sortenzeile> zeilen;
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        if (t[z].gefuellt())
            zeilen.push_back(t[z]);
    return zeilen;
}

// Kept from one input to the next, as the program keeps its one table for
// the whole run: rows that an earlier, longer file filled must be emptied.
SortenTabelle tabelle;
SortenTabelle zurueck;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    const QByteArray datei =
        QByteArray::fromRawData(reinterpret_cast<const char *>(daten), qsizetype(groesse));

    const int n = katalogLesen(datei, tabelle);
    PRUEFE(n >= 0 && n <= SortenTabelle::Zeilen, QStringLiteral("n = %1").arg(n));
    for (int z = n + 1; z <= SortenTabelle::Zeilen; ++z)
        PRUEFE(tabelle[z] == Sortenzeile{}, zeile(tabelle, z) + QStringLiteral(" nach n = %1").arg(n));
    PRUEFE(tabelle.ueberhang.isEmpty() || n == SortenTabelle::Zeilen,
           QStringLiteral("Überhang bei nur %1 Zeilen").arg(n));
    PRUEFE(tabelle.ueberhang.size() <= datei.size() + 2, pruefen::zeige(tabelle.ueberhang));

    // Whatever was read can be written: the reader never produces a field
    // that the write would refuse.
    const auto zeichen = nichtSpeicherbaresZeichen(tabelle);
    PRUEFE(!zeichen, QStringLiteral("nicht speicherbar: U+%1").arg(zeichen ? zeichen->unicode() : 0, 4, 16));

    // Written and read back: the same table. Rows without a name give no
    // line, so the kinds close up; everything else stays as it was.
    const QByteArray geschrieben = katalogDaten(tabelle);
    const int n2 = katalogLesen(geschrieben, zurueck);
    const std::vector<Sortenzeile> vorher = gefuellteZeilen(tabelle);
    const int k = int(vorher.size());
    PRUEFE(n2 >= k, QStringLiteral("%1 Zeilen gefüllt, %2 zurückgelesen").arg(k).arg(n2));
    for (int z = 1; z <= k; ++z)
        PRUEFE(zurueck[z] == vorher[size_t(z - 1)],
               QStringLiteral("vorher ") + zeile(tabelle, z) + QStringLiteral(" / zurück ")
                   + zeile(zurueck, z));

    if (tabelle.ueberhang.isEmpty()) {
        PRUEFE(n2 == k && zurueck.ueberhang.isEmpty(), QStringLiteral("n2 = %1, k = %2").arg(n2).arg(k));
    }
    if (k == n) {
        // No row without a name: the read-back table is the same table, kept-
        // over lines included, and writing it again gives the same bytes.
        PRUEFE(n2 == n, QStringLiteral("n = %1, n2 = %2").arg(n).arg(n2));
        PRUEFE(zurueck.ueberhang == tabelle.ueberhang,
               pruefen::zeige(tabelle.ueberhang) + QStringLiteral(" / ") + pruefen::zeige(zurueck.ueberhang));
        PRUEFE(katalogDaten(zurueck) == geschrieben, pruefen::zeige(geschrieben));
    }
    return 0;
}
