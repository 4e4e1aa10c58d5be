// The main window's handlers that bring a catalogue kind into the inputs.

#include "app/alk.h"
#include "app/frmalkohol.h"
#include "ui/fenster.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>

void frmAlkohol::Sorte_Click()
{
    Prozent->setText(QString());
    // Kinds behind a row without a name are not found until the catalogue
    // is read again and the rows close up.
    Alk::Zeile = sorteFinden(Alk::Sorten, Sorte->currentText(), Suchregel::BisZurLuecke);
    if (Alk::Zeile == 0)
        return;
    const Sortenzeile &zeile = Alk::Sorten[Alk::Zeile];
    Prozent->setText(zeile.Prozent);
    Menge->setText(zeile.Menge);
    Einzelmenge = zeile.Menge;
    if (Menge->text().isEmpty())
        Menge->setText(QStringLiteral("0"));
}

void frmAlkohol::Sorte_Change()
{
    Prozent->setText(QString());
}

void frmAlkohol::Menge_Click()
{
    const QString alt = Menge->text();

    QInputDialog frage(this);
    frage.setObjectName(QStringLiteral("MengeFrage"));
    frage.setWindowTitle(QStringLiteral("Menge?"));
    frage.setLabelText(QStringLiteral("Menge?"));
    frage.setTextValue(alt);
    frage.setOkButtonText(QStringLiteral("OK"));
    frage.setCancelButtonText(QStringLiteral("Abbrechen"));
    frage.setAccessibleName(QStringLiteral("Menge?"));
    const QString antwort = frage.exec() == QDialog::Accepted ? frage.textValue() : QString();

    Einzelmenge = antwort;
    Menge->setText(antwort);
    if (Menge->text().isEmpty())
        Menge->setText(alt);
}
