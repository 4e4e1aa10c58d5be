#pragma once

#include "catalogue/katalog.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The edit-kind dialog: one shared instance, created on first use, shown
// without modality and hidden (never destroyed) afterwards.
class frmBearbeiten : public QDialog
{
    Q_OBJECT

public:
    static frmBearbeiten *instanz();

    QLineEdit *Sorte3;
    QLineEdit *Prozent3;
    QLineEdit *Menge3;
    QPushButton *Command1; // "&Speichern"
    QPushButton *Command2; // "&Abbrechen"
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;

    void Command1_Click();
    void Command2_Click();

    // The row as Load found it, so that a save can tell whether the kind
    // still stands in row BearbeitenZeile.
    Sortenzeile geladen;

protected:
    void keyPressEvent(QKeyEvent *ereignis) override;

private:
    explicit frmBearbeiten(QWidget *eltern);
};
