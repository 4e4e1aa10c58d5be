// Placeholder until the edit-kind dialog is built.
#include "catalogue/frmbearbeiten.h"

#include "app/frmalkohol.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {
QPointer<frmBearbeiten> einzigeInstanz;
}

frmBearbeiten *frmBearbeiten::instanz()
{
    if (!einzigeInstanz)
        einzigeInstanz = new frmBearbeiten(frmAlkohol::instanz());
    return einzigeInstanz;
}

frmBearbeiten::frmBearbeiten(QWidget *eltern) : QDialog(eltern)
{
    Sorte3 = new QLineEdit(this);
    Prozent3 = new QLineEdit(QStringLiteral("%"), this);
    Menge3 = new QLineEdit(this);
    Command1 = new QPushButton(QStringLiteral("&Speichern"), this);
    Command2 = new QPushButton(QStringLiteral("&Abbrechen"), this);
    Label1 = new QLabel(QStringLiteral("Sorte"), this);
    Label2 = new QLabel(QStringLiteral("Prozent"), this);
    Label3 = new QLabel(QStringLiteral("Menge"), this);
}

void frmBearbeiten::Command1_Click() {}
void frmBearbeiten::Command2_Click() { hide(); }
void frmBearbeiten::keyPressEvent(QKeyEvent *ereignis) { QDialog::keyPressEvent(ereignis); }

void frmAlkohol::Command1_Click() {}
void frmAlkohol::Load() {}
