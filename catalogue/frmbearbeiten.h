#pragma once

#include "catalogue/katalog.h"

#include <QDialog>

class QCloseEvent;
class QKeyEvent;
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

    // The row as Load found it (after a save: as it was saved), so that a
    // save can tell whether the kind still stands in row BearbeitenZeile.
    Sortenzeile geladen;

    // Shows the dialog without modality and brings it to the front; the
    // first time it is placed in the middle of the screen.
    void zeigen();

protected:
    void keyPressEvent(QKeyEvent *ereignis) override;
    void closeEvent(QCloseEvent *ereignis) override;

private:
    explicit frmBearbeiten(QWidget *eltern);

    // The row that now holds the loaded kind, 0 when none does.
    int zeileDesGeladenen() const;

    bool m_schonGezeigt = false;
};
