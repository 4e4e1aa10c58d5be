#include "catalogue/dateizugang.h"

#include "catalogue/dateizugang_plattform.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

QString programmverzeichnis(const QByteArray &)
{
    return mitTrenner(QCoreApplication::applicationDirPath());
}

QString programmverzeichnis()
{
    return programmverzeichnis(QByteArray());
}

// No folder is named through a handle here: every path reads as it stands.
QString anzeigename(const QString &pfad)
{
    return pfad;
}

Dateiziel dateiziel(const QString &pfad)
{
    Dateiziel ziel;
    QFileInfo info(pfad);
    for (int tiefe = 0; info.isSymLink() && tiefe < 8; ++tiefe)
        info.setFile(info.symLinkTarget());
    ziel.pfad = info.filePath();
    if (info.isSymLink() || (QFileInfo(pfad).isSymLink() && !info.exists())) {
        ziel.verweigert = QStringLiteral("Die Sortendatei ist eine Verknüpfung, die ins Leere zeigt.");
        return ziel;
    }
    ziel.vorhanden = info.exists();
    if (info.isDir())
        ziel.verweigert = QStringLiteral("Unter diesem Namen steht ein Verzeichnis.");
    else if (ziel.vorhanden && !info.isFile())
        ziel.verweigert = QStringLiteral("Unter diesem Namen steht keine gewöhnliche Datei.");
    ziel.schreibgeschuetzt = ziel.vorhanden && !info.isWritable();
    return ziel;
}

void zielLesen(const QString &pfad, Dateiinhalt &inhalt)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) {
        inhalt.fehler = QStringLiteral("Die Datei lässt sich nicht öffnen: %1.").arg(f.errorString());
        return;
    }
    inhalt.daten = f.read(KatalogHoechstgroesse + 1);
    if (f.error() != QFileDevice::NoError)
        inhalt.fehler = QStringLiteral("Die Datei lässt sich nicht lesen: %1.").arg(f.errorString());
}

// Windows has no SIGXFSZ: a write past a limit fails as on a full disk.
void dateigrenzeOhneSignal()
{
}
