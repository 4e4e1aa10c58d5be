// The add-kind dialog and the main window's button that opens it.
#include "catalogue/frmsorte.h"

#include "app/alk.h"
#include "app/fenster.h"
#include "app/frmalkohol.h"
#include "catalogue/katalogdatei.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
QPointer<frmSorte> einzigeInstanz;
}

namespace Sortendialog {

void einrichten(QDialog *dialog, const char *name, const QString &titel)
{
    dialog->setObjectName(QLatin1String(name));
    dialog->setWindowTitle(titel);
    dialog->setAccessibleName(titel);
    dialog->setModal(false);
    hellcyan(dialog);
    dialog->setFont(layoutSchrift());
    dialog->setFixedSize(twips(3285), twips(1425));
}

bool istAbbruchtaste(QKeyEvent *ereignis)
{
    return ereignis->key() == Qt::Key_Escape || ereignis->matches(QKeySequence::Cancel);
}

void zeigen(QDialog *dialog, bool &schonGezeigt)
{
    const bool erstesMal = !schonGezeigt;
    schonGezeigt = true;
    // Centred before it appears, and again once shown: only then is the
    // window frame known that the centring has to include.
    if (erstesMal)
        zentrieren(dialog);
    dialog->show();
    if (erstesMal)
        zentrieren(dialog);
    dialog->raise();
    dialog->activateWindow();
}

} // namespace Sortendialog

frmSorte *frmSorte::instanz()
{
    if (!einzigeInstanz)
        new frmSorte(frmAlkohol::instanz());
    return einzigeInstanz;
}

frmSorte::frmSorte(QWidget *eltern) : QDialog(eltern)
{
    // The percentage rule reaches this dialog through instanz(); it must find
    // this object, not start building a second one.
    einzigeInstanz = this;
    Sortendialog::einrichten(this, "frmSorte", QStringLiteral("Sorte hinzufügen"));

    // Created in tab order, so the focus chain is the order of creation.
    Sorte2 = textfeld(this, "Sorte2", QString(), twipsRect(120, 480, 1215, 285), QStringLiteral("Sorte"));
    Prozent2 = textfeld(this, "Prozent2", QStringLiteral("%"), twipsRect(1560, 480, 495, 285),
                        QStringLiteral("Prozent"));
    Menge = textfeld(this, "Menge", QString(), twipsRect(2280, 480, 855, 285), QStringLiteral("Menge"));
    Command1 = knopf(this, "Command1", QStringLiteral("&Ok"), twipsRect(120, 960, 615, 375));
    Command1->setDefault(true);
    Command2 = knopf(this, "Command2", QStringLiteral("&Abbrechen"), twipsRect(960, 960, 1095, 375));
    Label1 = beschriftung(this, "Label1", QStringLiteral("Sorte"), twipsRect(120, 120, 495, 255));
    hellcyan(Label1);
    Label2 = beschriftung(this, "Label2", QStringLiteral("Prozent"), twipsRect(1440, 120, 735, 255));
    hellcyan(Label2);
    Label3 = beschriftung(this, "Label3", QStringLiteral("Menge"), twipsRect(2280, 120, 735, 255));

    connect(Command1, &QPushButton::clicked, this, &frmSorte::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSorte::Command2_Click);
    // Every change, the program's own included, and at once inside setText:
    // the percentage rule is written against exactly that.
    connect(Prozent2, &QLineEdit::textChanged, this, &frmSorte::Prozent2_Change);
}

void frmSorte::zeigen()
{
    Sortendialog::zeigen(this, m_schonGezeigt);
}

void frmSorte::Command1_Click()
{
    frmAlkohol *haupt = frmAlkohol::instanz();

    if (Sorte2->text().isEmpty() && Prozent2->text().isEmpty()) {
        meldung(this, QStringLiteral("Bitte füllen Sie beide Boxen korrekt aus"));
        return;
    }
    if (Prozent2->text().isEmpty() || Prozent2->text() == QStringLiteral("%")) {
        meldung(this, QStringLiteral("Bitte füllen Sie die Box für die Prozente korrekt aus"));
        Alk::SortenEinlesen();
        return;
    }
    if (Sorte2->text().isEmpty()) {
        meldung(this, QStringLiteral("Bitte füllen Sie die Box für die Sorte korrekt aus"));
        Alk::SortenEinlesen();
        return;
    }

    // A table read from a file that could not be read holds nothing of it and
    // cannot be written; the file may be readable again by now, and then its
    // kinds are what the new one goes after.
    if (Alk::Sorten.dateiUnlesbar)
        Alk::SortenEinlesen();

    // Refusals keep the dialog open with everything typed, and store nothing.
    if (Alk::LetzteZeile >= SortenTabelle::Zeilen) {
        meldung(this, QStringLiteral("Der Sortenkatalog ist voll: Er fasst höchstens %1 Sorten.\n\n"
                                     "Bitte löschen Sie zuerst eine Sorte (unter „Bearbeiten“ den "
                                     "Namen leeren und speichern).")
                          .arg(SortenTabelle::Zeilen));
        return;
    }
    const Sortenzeile neu{Sorte2->text(), Prozent2->text(), Menge->text()};
    for (const QString *feld : {&neu.Name, &neu.Prozent, &neu.Menge}) {
        if (const auto zeichen = nichtSpeicherbaresZeichen(*feld)) {
            meldung(this, zeichenMeldung(*zeichen));
            return;
        }
    }

    const int r = Alk::LetzteZeile + 1;
    Alk::Sorten[r] = neu;

    // The file is written before the dialog is reset and hidden, so that a
    // failed write leaves the user's texts in place for another try; the
    // table goes back to what the file holds.
    if (!Speichern()) {
        Alk::SortenEinlesen();
        return;
    }

    {
        const QSignalBlocker still(haupt->Sorte);
        haupt->Sorte->clear();
        haupt->Sorte->setEditText(QString());
    }
    QStringList namen;
    for (int z = 1; z <= SortenTabelle::Zeilen; ++z)
        if (Alk::Sorten[z].gefuellt())
            namen.append(Alk::Sorten[z].Name);
    fuelleSortenliste(haupt->Sorte, namen);
    Alk::LetzteZeile = r;

    Prozent2->setText(QStringLiteral("%"));
    Sorte2->setText(QString());
    Menge->setText(QStringLiteral("0"));
    hide();

    haupt->Prozent->setText(QStringLiteral("%"));
    haupt->Menge->setText(QStringLiteral("0"));

    Alk::SortenEinlesen();
}

void frmSorte::Command2_Click()
{
    hide();
}

void frmSorte::Prozent2_Change()
{
    Alk::Prozent2Pruefen();
}

bool frmSorte::Speichern()
{
    return katalogSpeichern(this);
}

void frmSorte::keyPressEvent(QKeyEvent *ereignis)
{
    if (Sortendialog::istAbbruchtaste(ereignis)) {
        ereignis->ignore();
        return;
    }
    QDialog::keyPressEvent(ereignis);
}

void frmSorte::closeEvent(QCloseEvent *ereignis)
{
    // Closed from the window frame: hidden like "&Abbrechen", texts kept.
    Command2_Click();
    ereignis->accept();
}

void frmAlkohol::cmdHinzu_Click()
{
    frmSorte *dialog = frmSorte::instanz();
    dialog->zeigen();
    dialog->Prozent2->setText(QStringLiteral("%"));
    dialog->Sorte2->setFocus();
}
