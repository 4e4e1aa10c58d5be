// The edit-kind dialog.
#include "catalogue/frmbearbeiten.h"

#include "app/alk.h"
#include "app/frmalkohol.h"
#include "catalogue/katalogdatei.h"
#include "ui/fenster.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<frmBearbeiten> einzigeInstanz;

const QString &nichtsGeladenMeldung()
{
    static const QString text =
        QStringLiteral("Es ist noch keine Sorte zum Bearbeiten geladen.\n\n"
                       "Bitte wählen Sie im Hauptfenster eine Sorte aus dem Katalog und drücken Sie dann "
                       "„Bearbeiten“.");
    return text;
}

QString verschobenMeldung(const Sortenzeile &geladen)
{
    const QString was = geladen.gefuellt()
        ? QStringLiteral("Die Sorte „%1“ steht nicht mehr so im Katalog, wie sie zum Bearbeiten "
                         "geladen wurde; sie wurde inzwischen geändert oder entfernt.")
              .arg(geladen.Name)
        : QStringLiteral("Die Katalogzeile, die zum Bearbeiten geladen wurde, steht nicht mehr so "
                         "im Katalog; an ihrer Stelle steht inzwischen eine andere Sorte.");
    return was
        + QStringLiteral("\n\nDamit keine andere Sorte überschrieben wird, wurde nichts "
                         "gespeichert. Bitte wählen Sie die Sorte im Hauptfenster erneut aus und "
                         "drücken Sie „Bearbeiten“.");
}

} // namespace

frmBearbeiten *frmBearbeiten::instanz()
{
    if (!einzigeInstanz)
        einzigeInstanz = new frmBearbeiten(frmAlkohol::instanz());
    return einzigeInstanz;
}

frmBearbeiten::frmBearbeiten(QWidget *eltern)
    : Sortendialog(eltern,
                   {"frmBearbeiten",
                    QStringLiteral("Sorte bearbeiten"),
                    {"Sorte3", "Prozent3", "Menge3"},
                    QStringLiteral("&Speichern"),
                    QRect(960, 960, 975, 375),
                    QRect(2040, 960, 1095, 375)})
{
    // Prozent3 is free text on purpose: no percentage rule runs here.
    Sorte3 = feld(0);
    Prozent3 = feld(1);
    Menge3 = feld(2);
    connect(Command1, &QPushButton::clicked, this, &frmBearbeiten::Command1_Click);
}

void frmBearbeiten::Command1_Click()
{
    // Row 0 is no row: nothing has been loaded since the program started.
    if (Alk::BearbeitenZeile < 1 || Alk::BearbeitenZeile > SortenTabelle::Zeilen) {
        meldung(this, nichtsGeladenMeldung());
        return;
    }
    const Sortenzeile neu = texte();
    // A row without a name is not written, so only a kept kind's texts must
    // fit the file.
    if (neu.gefuellt() && unspeicherbar(neu))
        return;
    // Written before the dialog hides, so that a refused or failed save
    // keeps the user's texts for another try; the table goes back to the file.
    const int b = inDenKatalog(neu);
    if (b == 0) {
        Alk::SortenEinlesen();
        return;
    }
    Alk::BearbeitenZeile = b;
    geladen = neu;
    hide();
    hauptfensterNachziehen();
    Alk::SortenEinlesen();
}

int frmBearbeiten::inDenKatalog(const Sortenzeile &neu)
{
    // The kind is looked for in the catalogue as the file holds it at the
    // moment of the save: another window may have moved, changed or deleted
    // it since it was loaded.
    const auto zeile = katalogSpeichern(this, [&](SortenTabelle &tabelle, bool) -> Katalogergebnis {
        const int b = geladeneZeile(tabelle, Alk::BearbeitenZeile, geladen);
        if (b == 0)
            return {0, verschobenMeldung(geladen)};
        tabelle[b] = neu;
        return {b, std::nullopt};
    });
    return zeile.value_or(0);
}

void frmBearbeiten::hauptfensterNachziehen()
{
    frmAlkohol *haupt = frmAlkohol::instanz();
    haupt->Prozent->setText(QString());
    Alk::Zeile = sorteFinden(Alk::Sorten, haupt->Sorte->currentText(), Suchregel::BisZurLuecke);
    if (Alk::Zeile == 0)
        return;
    haupt->Prozent->setText(Alk::Sorten[Alk::Zeile].Prozent);
    haupt->Menge->setText(Alk::Sorten[Alk::Zeile].Menge);
}
