#pragma once

#include "catalogue/katalog.h"

#include <QDialog>
#include <QRect>
#include <QString>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// What the add-kind and the edit-kind dialog share: a modeless window of one
// size and colour, shown in front and centred the first time; three fields
// for name, percentage and amount under the headings "Sorte", "Prozent" and
// "Menge"; a save button and "&Abbrechen"; Escape that means nothing; the
// frame's close button acting as "&Abbrechen"; and the check for characters
// the catalogue file cannot hold. Each dialog adds only what differs.
class Sortendialog : public QDialog
{
    Q_OBJECT

public:
    QPushButton *Command1; // saves: "&Ok" or "&Speichern"
    QPushButton *Command2; // "&Abbrechen"
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;

    // Hides the dialog; its texts stay for the next opening.
    void Command2_Click();

    // Shows the dialog without modality and brings it to the front; the
    // first time it is placed in the middle of the screen.
    void zeigen();

protected:
    // The names of the three fields, in tab order, and the save button.
    struct Aufbau
    {
        const char *fenster;
        QString titel;
        const char *felder[3];
        QString speichernText;
        QRect speichernLage; // in twips
        QRect abbrechenLage; // in twips
    };
    Sortendialog(QWidget *eltern, const Aufbau &aufbau);

    QLineEdit *feld(int spalte) const { return m_felder[spalte]; }
    // The three texts as a catalogue row.
    Sortenzeile texte() const;

    // Refuses a row the file cannot hold with a message naming the first
    // such character; true when it did.
    bool unspeicherbar(const Sortenzeile &zeile);

    void keyPressEvent(QKeyEvent *ereignis) override;
    void closeEvent(QCloseEvent *ereignis) override;

private:
    QLineEdit *m_felder[3];
    bool m_schonGezeigt = false;
};
