#include "catalogue/dateizugang.h"

#include "catalogue/dateizugang_plattform.h"

#include <cstring>

QString mitTrenner(QString ordner)
{
    if (!ordner.isEmpty() && !ordner.endsWith(u'/'))
        ordner += u'/';
    return ordner;
}

QString zuGross()
{
    return QStringLiteral("Die Datei ist größer als %1 MiB; so groß wird kein Sortenkatalog.")
        .arg(KatalogHoechstgroesse / (1024 * 1024));
}

Dateiinhalt dateiLesen(const QString &pfad)
{
    Dateiinhalt inhalt;
    const Dateiziel ziel = dateiziel(pfad);
    if (ziel.verweigert) {
        inhalt.vorhanden = true;
        inhalt.fehler = ziel.verweigert;
        return inhalt;
    }
    if (!ziel.vorhanden)
        return inhalt;
    inhalt.vorhanden = true;
    zielLesen(ziel.pfad, inhalt);
    if (!inhalt.fehler && inhalt.daten.size() > KatalogHoechstgroesse)
        inhalt.fehler = zuGross();
    if (inhalt.fehler)
        inhalt.daten.clear();
    return inhalt;
}

QString systemfehler(int fehler)
{
    return QString::fromLocal8Bit(strerror(fehler));
}

QString grundVerzeichnisFehlt()
{
    return QStringLiteral("Das Verzeichnis ist nicht mehr vorhanden.");
}

QString grundVerzeichnisGeschuetzt()
{
    return QStringLiteral("Das Verzeichnis ist schreibgeschützt: Es fehlt die Berechtigung, darin "
                          "eine Datei anzulegen.");
}

QString grundDateiGeschuetzt()
{
    return QStringLiteral("Die Datei ist schreibgeschützt: Es fehlt die Berechtigung, sie zu ändern.");
}

QString grundNurLesbar()
{
    return QStringLiteral("Der Datenträger, auf dem die Datei liegt, ist nur zum Lesen eingebunden; "
                          "auf ihm lässt sich nichts ändern, welche Rechte auch immer die Datei hat.");
}

QString grundDatentraegerVoll()
{
    return QStringLiteral("Die Daten konnten nicht vollständig geschrieben werden "
                          "(ist der Datenträger voll?).");
}

QString grundSperreBelegt()
{
    return QStringLiteral("Ein anderes Fenster des Programms speichert gerade. Bitte versuchen Sie es "
                          "gleich noch einmal.");
}
