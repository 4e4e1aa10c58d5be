// Placeholder until the add-kind dialog is built.
#include "catalogue/frmsorte.h"

#include "app/frmalkohol.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {
QPointer<frmSorte> einzigeInstanz;
}

frmSorte *frmSorte::instanz()
{
    if (!einzigeInstanz)
        einzigeInstanz = new frmSorte(frmAlkohol::instanz());
    return einzigeInstanz;
}

frmSorte::frmSorte(QWidget *eltern) : QDialog(eltern)
{
    Sorte2 = new QLineEdit(this);
    Prozent2 = new QLineEdit(QStringLiteral("%"), this);
    Menge = new QLineEdit(this);
    Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    Command2 = new QPushButton(QStringLiteral("&Abbrechen"), this);
    Label1 = new QLabel(QStringLiteral("Sorte"), this);
    Label2 = new QLabel(QStringLiteral("Prozent"), this);
    Label3 = new QLabel(QStringLiteral("Menge"), this);
}

void frmSorte::Command1_Click() {}
void frmSorte::Command2_Click() { hide(); }
void frmSorte::Prozent2_Change() {}
bool frmSorte::Speichern() { return false; }
void frmSorte::keyPressEvent(QKeyEvent *ereignis) { QDialog::keyPressEvent(ereignis); }

void frmAlkohol::cmdHinzu_Click() {}
