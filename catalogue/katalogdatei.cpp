#include "catalogue/katalogdatei.h"

#include "app/alk.h"
#include "catalogue/dateizugang.h"
#include "catalogue/katalogort.h"
#include "catalogue/ordnerrechte.h"
#include "ui/fenster.h"

#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <algorithm>

namespace {

struct Katalogdateien
{
    QString lesen;
    QString speichern;
};

// Looked at anew for every read and save: another copy of the program may
// have made the user's file meanwhile.
Katalogdateien katalogdateien()
{
    if (Alk::Pfad.isEmpty())
        return {};
    const QString beiDemProgramm = Alk::Pfad + QStringLiteral("AlkoholSorten.txt");
    // AppLocalDataLocation: ~/.local/share/promille on Linux, not roaming on Windows.
    const QString eigene =
        eigenerKatalog(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    Katalogumstaende umstaende;
    umstaende.ordnerBeschreibbar = ordnerBeschreibbar(Alk::Pfad);
    // Without a data folder there is no other place: the program's folder
    // stays the catalogue's, as for a folder of the user's own.
    umstaende.ordnerGehoertMir = eigene.isEmpty() || ordnerGehoertMir(Alk::Pfad);
    umstaende.eigeneDateiVorhanden = QFileInfo::exists(eigene) || QFileInfo(eigene).isSymLink();
    umstaende.systemordner = !eigene.isEmpty() && systemordner(Alk::Pfad);
    const Katalogwahl wahl = katalogWahl(umstaende);
    const auto datei = [&](Katalogort ort) {
        return ort == Katalogort::Benutzerordner ? eigene : beiDemProgramm;
    };
    return {datei(wahl.lesen), datei(wahl.speichern)};
}

} // namespace

QString katalogDatei()
{
    return katalogdateien().lesen;
}

void fuelleSortenliste(QComboBox *liste, const QStringList &namen)
{
    QStringList sortiert = namen;
    QCollator vergleich;
    vergleich.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(sortiert.begin(), sortiert.end(),
                     [&](const QString &a, const QString &b) { return vergleich.compare(a, b) < 0; });

    // A combo box puts its first entry into the edit field when it is filled;
    // the kind text the user sees must not change behind their back.
    const QSignalBlocker still(liste);
    const QString text = liste->currentText();
    liste->clear();
    liste->addItems(sortiert);
    liste->setCurrentIndex(-1);
    liste->setEditText(text);
}

std::optional<int> katalogSpeichern(QWidget *eltern, const Katalogaenderung &aenderung)
{
    const Katalogdateien dateien = katalogdateien();
    // An installed copy's first save makes the user's own file: its folder
    // may not be there yet, and what it starts from is the installed catalogue.
    const bool ersteEigene = dateien.speichern != dateien.lesen;
    if (ersteEigene && !QDir().mkpath(QFileInfo(dateien.speichern).absolutePath())) {
        meldung(eltern,
                nichtGespeichert(dateien.speichern,
                                 QStringLiteral("Das Verzeichnis für Ihre eigene Sortendatei "
                                                "lässt sich nicht anlegen.")));
        return std::nullopt;
    }
    const QByteArray zuletztGelesen = Alk::Sorten.gelesen;
    const auto aendern = [&](SortenTabelle &tabelle, bool neuGelesen) -> Katalogergebnis {
        // Asked under the lock: when another copy has made the file since,
        // it has just been read, and it is what the change goes into.
        if (ersteEigene && !QFileInfo::exists(dateien.speichern)) {
            if (katalogDateiLesen(dateien.lesen, tabelle) == Lesestand::Unlesbar)
                return {0,
                        QStringLiteral("Die Sortendatei konnte nicht gelesen werden:\n%1\n\n%2\n\n"
                                       "Damit keine Sorten verloren gehen, wurde nichts gespeichert.")
                            .arg(anzeigename(dateien.lesen), tabelle.unlesbarGrund)};
            neuGelesen = tabelle.gelesen != zuletztGelesen;
        }
        return aenderung ? aenderung(tabelle, neuGelesen) : Katalogergebnis{};
    };
    const Katalogergebnis ergebnis = katalogAendern(dateien.speichern, Alk::Sorten, aendern);
    if (ergebnis.fehler) {
        meldung(eltern, *ergebnis.fehler);
        return std::nullopt;
    }
    return ergebnis.zeile;
}
