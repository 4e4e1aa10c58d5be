#pragma once

#include "catalogue/sortendialog.h"

// The edit-kind dialog: one shared instance, created on first use, shown
// without modality and hidden (never destroyed) afterwards.
class frmBearbeiten : public Sortendialog
{
    Q_OBJECT

public:
    static frmBearbeiten *instanz();

    QLineEdit *Sorte3;
    QLineEdit *Prozent3;
    QLineEdit *Menge3;

    void Command1_Click();

    // The row as Load found it (after a save: as it was saved), so that a
    // save can tell whether the kind still stands in row BearbeitenZeile.
    Sortenzeile geladen;

private:
    explicit frmBearbeiten(QWidget *eltern);

    // Writes `neu` over the loaded kind in the catalogue as the file holds
    // it now; the row it went to, or 0 (after telling the user why).
    int inDenKatalog(const Sortenzeile &neu);
    // The main window's percentage and amount from the kind its text names.
    void hauptfensterNachziehen();
};
