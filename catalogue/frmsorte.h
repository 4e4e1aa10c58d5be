#pragma once

#include "catalogue/sortendialog.h"

#include <optional>

// The add-kind dialog: one shared instance, created on first use, shown
// without modality and hidden (never destroyed) afterwards, so it keeps its
// texts between uses.
class frmSorte : public Sortendialog
{
    Q_OBJECT

public:
    // The single instance, created on first call as a child of the main window.
    static frmSorte *instanz();

    QLineEdit *Sorte2;
    QLineEdit *Prozent2;
    QLineEdit *Menge;

    void Command1_Click();
    void Prozent2_Change();
    // Puts the dialog's kind after the last kind of the catalogue as the
    // file holds it now and writes the whole table to the file; the row it
    // went to, or nothing (after telling the user why).
    std::optional<int> Speichern();

private:
    explicit frmSorte(QWidget *eltern);

    // Shows the first of the three input messages that applies and, after
    // the percentage and the name message, reads the catalogue again; true
    // when it showed one.
    bool eingabefehlerGemeldet();
    // After the save: the main window's kind text emptied, the dialog
    // ready for the next one and hidden, the main window's percentage and
    // amount reset.
    void hinzugefuegt();
};
