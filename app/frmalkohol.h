#pragma once

#include "catalogue/dateizugang.h"

#include <QCoreApplication>
#include <QString>
#include <QWidget>

class QComboBox;
class QKeyEvent;
class QMouseEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The main window: every input of the calculation, the result, and the
// buttons that open the other windows. It exists from start to end; the
// dialogs and the module Alk reach its controls through instanz().
class frmAlkohol : public QWidget
{
    Q_OBJECT

public:
    // The catalogue is looked for in `programmverzeichnis`, the directory the
    // program was started from; empty when it cannot be told, and then the
    // catalogue is neither read nor written.
    explicit frmAlkohol(const QString &programmverzeichnis = ::programmverzeichnis());
    ~frmAlkohol() override;

    static frmAlkohol *instanz();

    // Controls, in tab order.
    QComboBox *Sorte;
    QPushButton *cmdHinzu;
    QLineEdit *Prozent;
    QLabel *Label1;
    QPushButton *cmdBerechnen;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLineEdit *Menge;
    QLabel *Label5;
    QRadioButton *Option2;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label8;
    QLineEdit *Masse;
    QLabel *Label9;
    QRadioButton *Option1;
    QLabel *Label10;
    QComboBox *Anz;
    QPushButton *Command1;
    QPushButton *Command2;
    QLabel *Picture1;
    QPushButton *Command3;

    // Per-serving amount in ml of the kind last chosen (or the last answer to
    // the amount prompt); any text, empty until then.
    QString Einzelmenge;

    // Computes the estimate from the fields and shows it in Label1.
    void Berechnen();
    // Copies the catalogue row that Sorte names into the edit dialog.
    void Load();

    // One handler per user event.
    void Form_Load(const QString &programmverzeichnis);
    void cmdBerechnen_Click();
    void Anz_Click();
    void Anz_Change();
    void Masse_Change();
    void Option1_Click();
    void Option2_Click();
    void Prozent_Change();
    void Sorte_Click();
    void Sorte_Change();
    void Menge_Click();
    void cmdHinzu_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override;

private:
    // The window's own key and mouse routing, one job each; true when the
    // event was handled.
    bool enterGedrueckt(QObject *objekt, QKeyEvent *taste);
    bool listeVerlassen(QObject *objekt, QEvent *ereignis);
    bool mengeGeklickt(QMouseEvent *maus);

private:
    void steuerelementeAnlegen();
    void verbinden();
    void AnzahlInMenge();
};
