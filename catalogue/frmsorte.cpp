// The add-kind dialog.
#include "catalogue/frmsorte.h"

#include "app/alk.h"
#include "app/frmalkohol.h"
#include "catalogue/katalogdatei.h"
#include "ui/fenster.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
QPointer<frmSorte> einzigeInstanz;
}

frmSorte *frmSorte::instanz()
{
    if (!einzigeInstanz)
        einzigeInstanz = new frmSorte(frmAlkohol::instanz());
    return einzigeInstanz;
}

frmSorte::frmSorte(QWidget *eltern)
    : Sortendialog(eltern,
                   {"frmSorte",
                    QStringLiteral("Sorte hinzufügen"),
                    {"Sorte2", "Prozent2", "Menge"},
                    QStringLiteral("&Ok"),
                    QRect(120, 960, 615, 375),
                    QRect(960, 960, 1095, 375)})
{
    Sorte2 = feld(0);
    Prozent2 = feld(1);
    Menge = feld(2);

    connect(Command1, &QPushButton::clicked, this, &frmSorte::Command1_Click);
    // Every change, the program's own included, and at once inside setText:
    // the percentage rule is written against exactly that.
    connect(Prozent2, &QLineEdit::textChanged, this, &frmSorte::Prozent2_Change);
}

void frmSorte::Command1_Click()
{
    if (eingabefehlerGemeldet() || unspeicherbar(texte()))
        return;
    // The file is written before the dialog is reset and hidden, so that a
    // refused or failed save leaves the user's texts in place for another
    // try; the table goes back to what the file holds.
    if (const std::optional<int> zeile = Speichern()) {
        Alk::LetzteZeile = *zeile;
        hinzugefuegt();
    }
    Alk::SortenEinlesen();
}

bool frmSorte::eingabefehlerGemeldet()
{
    if (Sorte2->text().isEmpty() && Prozent2->text().isEmpty()) {
        meldung(this, QStringLiteral("Bitte füllen Sie beide Boxen korrekt aus"));
        return true;
    }
    if (Prozent2->text().isEmpty() || Prozent2->text() == QStringLiteral("%")) {
        meldung(this, QStringLiteral("Bitte füllen Sie die Box für die Prozente korrekt aus"));
        Alk::SortenEinlesen();
        return true;
    }
    if (Sorte2->text().isEmpty()) {
        meldung(this, QStringLiteral("Bitte füllen Sie die Box für die Sorte korrekt aus"));
        Alk::SortenEinlesen();
        return true;
    }
    return false;
}

void frmSorte::hinzugefuegt()
{
    frmAlkohol *haupt = frmAlkohol::instanz();
    {
        // The list itself is filled once, by the catalogue read that follows.
        const QSignalBlocker still(haupt->Sorte);
        haupt->Sorte->setEditText(QString());
    }

    Prozent2->setText(QStringLiteral("%"));
    Sorte2->setText(QString());
    Menge->setText(QStringLiteral("0"));
    hide();

    haupt->Prozent->setText(QStringLiteral("%"));
    haupt->Menge->setText(QStringLiteral("0"));
}

void frmSorte::Prozent2_Change()
{
    Alk::Prozent2Pruefen();
}

std::optional<int> frmSorte::Speichern()
{
    // The row after the last kind is chosen only now, under the lock and in
    // the catalogue as it is on disk: another window may have added a kind
    // to the file since this one read it.
    return katalogSpeichern(this, [this](SortenTabelle &tabelle, bool neuGelesen) -> Katalogergebnis {
        const int letzte = neuGelesen ? letzteZeile(tabelle) : Alk::LetzteZeile;
        if (const int zeile = sorteAnfuegen(tabelle, letzte, texte()))
            return {zeile, std::nullopt};
        return {0,
                QStringLiteral("Der Sortenkatalog ist voll: Er fasst höchstens %1 Sorten.\n\n"
                               "Bitte löschen Sie zuerst eine Sorte (unter „Bearbeiten“ den "
                               "Namen leeren und speichern).")
                    .arg(SortenTabelle::Zeilen)};
    });
}
