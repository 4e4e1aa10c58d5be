// The edit-kind dialog, and the main window's button and procedure that open
// and fill it.
#include "catalogue/frmbearbeiten.h"

#include "app/alk.h"
#include "app/fenster.h"
#include "app/frmalkohol.h"
#include "catalogue/frmsorte.h"
#include "catalogue/katalogdatei.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<frmBearbeiten> einzigeInstanz;

const QString &nichtsGeladenMeldung()
{
    static const QString text = QStringLiteral(
        "Es ist noch keine Sorte zum Bearbeiten geladen.\n\n"
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
        new frmBearbeiten(frmAlkohol::instanz());
    return einzigeInstanz;
}

frmBearbeiten::frmBearbeiten(QWidget *eltern) : QDialog(eltern)
{
    einzigeInstanz = this;
    Sortendialog::einrichten(this, "frmBearbeiten", QStringLiteral("Sorte bearbeiten"));

    // Created in tab order, so the focus chain is the order of creation.
    // Prozent3 is free text on purpose: no percentage rule runs here.
    Sorte3 = textfeld(this, "Sorte3", QString(), twipsRect(120, 480, 1215, 285), QStringLiteral("Sorte"));
    Prozent3 = textfeld(this, "Prozent3", QStringLiteral("%"), twipsRect(1560, 480, 495, 285),
                        QStringLiteral("Prozent"));
    Menge3 = textfeld(this, "Menge3", QString(), twipsRect(2280, 480, 855, 285), QStringLiteral("Menge"));
    Command1 = knopf(this, "Command1", QStringLiteral("&Speichern"), twipsRect(960, 960, 975, 375));
    Command1->setDefault(true);
    Command2 = knopf(this, "Command2", QStringLiteral("&Abbrechen"), twipsRect(2040, 960, 1095, 375));
    Label1 = beschriftung(this, "Label1", QStringLiteral("Sorte"), twipsRect(120, 120, 495, 255));
    hellcyan(Label1);
    Label2 = beschriftung(this, "Label2", QStringLiteral("Prozent"), twipsRect(1440, 120, 735, 255));
    hellcyan(Label2);
    Label3 = beschriftung(this, "Label3", QStringLiteral("Menge"), twipsRect(2280, 120, 735, 255));

    connect(Command1, &QPushButton::clicked, this, &frmBearbeiten::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmBearbeiten::Command2_Click);
}

void frmBearbeiten::zeigen()
{
    Sortendialog::zeigen(this, m_schonGezeigt);
}

int frmBearbeiten::zeileDesGeladenen() const
{
    const int b = Alk::BearbeitenZeile;
    if (Alk::Sorten[b] == geladen)
        return b;
    // The catalogue was read again since Load (rows close up behind a
    // deleted kind, or the file was changed outside): follow the kind, and
    // take the last match as Load does.
    int gefunden = 0;
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        if (Alk::Sorten[z] == geladen)
            gefunden = z;
    return gefunden;
}

void frmBearbeiten::Command1_Click()
{
    frmAlkohol *haupt = frmAlkohol::instanz();

    // Row 0 is no row: nothing has been loaded since the program started.
    if (Alk::BearbeitenZeile < 1 || Alk::BearbeitenZeile > SortenTabelle::Zeilen) {
        meldung(this, nichtsGeladenMeldung());
        return;
    }

    // A table from an unreadable file holds none of its kinds and cannot be
    // written; the file may be readable again by now.
    if (Alk::Sorten.dateiUnlesbar)
        Alk::SortenEinlesen();

    const Sortenzeile neu{Sorte3->text(), Prozent3->text(), Menge3->text()};
    // A row without a name is not written, so only a kept kind's texts must
    // fit the file.
    if (neu.gefuellt()) {
        for (const QString *feld : {&neu.Name, &neu.Prozent, &neu.Menge}) {
            if (const auto zeichen = nichtSpeicherbaresZeichen(*feld)) {
                meldung(this, zeichenMeldung(*zeichen));
                return;
            }
        }
    }

    const int b = zeileDesGeladenen();
    if (b == 0) {
        meldung(this, verschobenMeldung(geladen));
        return;
    }

    Alk::Sorten[b].Name = neu.Name;
    Alk::Sorten[b].Prozent = neu.Prozent;
    Alk::Sorten[b].Menge = neu.Menge;

    // Written before the dialog hides, so that a failed write keeps the
    // user's texts for another try; the table goes back to the file.
    if (!katalogSpeichern(this)) {
        Alk::SortenEinlesen();
        return;
    }
    Alk::BearbeitenZeile = b;
    geladen = neu;

    hide();

    haupt->Prozent->setText(QString());
    Alk::Zeile = 0;
    for (Alk::Zeile = 1; Alk::Zeile <= SortenTabelle::Zeilen; ++Alk::Zeile) {
        const Sortenzeile &zeile = Alk::Sorten[Alk::Zeile];
        if (!zeile.gefuellt())
            break;
        if (zeile.Name == haupt->Sorte->currentText()) {
            haupt->Prozent->setText(zeile.Prozent);
            haupt->Menge->setText(zeile.Menge);
        }
    }

    Alk::SortenEinlesen();
}

void frmBearbeiten::Command2_Click()
{
    hide();
}

void frmBearbeiten::keyPressEvent(QKeyEvent *ereignis)
{
    if (Sortendialog::istAbbruchtaste(ereignis)) {
        ereignis->ignore();
        return;
    }
    QDialog::keyPressEvent(ereignis);
}

void frmBearbeiten::closeEvent(QCloseEvent *ereignis)
{
    // Closed from the window frame: hidden like "&Abbrechen", texts kept.
    Command2_Click();
    ereignis->accept();
}

void frmAlkohol::Command1_Click()
{
    frmBearbeiten::instanz()->zeigen();
    Load();
}

void frmAlkohol::Load()
{
    frmBearbeiten *dialog = frmBearbeiten::instanz();
    // A counter of its own, and no stop at a match or at a row without a
    // name: the last matching row of the whole table decides.
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z) {
        const Sortenzeile &zeile = Alk::Sorten[z];
        if (zeile.Name == Sorte->currentText()) {
            dialog->Sorte3->setText(zeile.Name);
            dialog->Prozent3->setText(zeile.Prozent);
            dialog->Menge3->setText(zeile.Menge);
            Alk::BearbeitenZeile = z;
            dialog->geladen = zeile;
        }
    }
}
