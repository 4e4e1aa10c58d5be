#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The add-kind dialog: one shared instance, created on first use, shown
// without modality and hidden (never destroyed) afterwards, so it keeps its
// texts between uses.
class frmSorte : public QDialog
{
    Q_OBJECT

public:
    // The single instance, created on first call as a child of the main window.
    static frmSorte *instanz();

    QLineEdit *Sorte2;
    QLineEdit *Prozent2;
    QLineEdit *Menge;
    QPushButton *Command1; // "&Ok"
    QPushButton *Command2; // "&Abbrechen"
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;

    void Command1_Click();
    void Command2_Click();
    void Prozent2_Change();
    // Writes the whole table to the catalogue file; false (after telling the
    // user why) when the file could not be written.
    bool Speichern();

protected:
    void keyPressEvent(QKeyEvent *ereignis) override;

private:
    explicit frmSorte(QWidget *eltern);
};
