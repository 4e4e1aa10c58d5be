#pragma once

#include <QDialog>
#include <QString>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRect;

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
    // Puts the dialog's kind after the last kind of the catalogue as the
    // file holds it now and writes the whole table to the file; false
    // (after telling the user why) when the kind could not be saved.
    bool Speichern();

    // Shows the dialog without modality and brings it to the front; the
    // first time it is placed in the middle of the screen.
    void zeigen();

protected:
    void keyPressEvent(QKeyEvent *ereignis) override;
    void closeEvent(QCloseEvent *ereignis) override;

private:
    explicit frmSorte(QWidget *eltern);

    bool m_schonGezeigt = false;
};

// The two kind dialogs look alike: same size, same colours, same fields
// under the same headings, only other names and buttons.
namespace Sortendialog {

void einrichten(QDialog *dialog, const char *name, const QString &titel);
QLineEdit *textfeld(QDialog *dialog, const char *name, const QString &text, const QRect &lage,
                    const QString &zugaenglich);
QPushButton *knopf(QDialog *dialog, const char *name, const QString &text, const QRect &lage);
QLabel *ueberschrift(QDialog *dialog, const char *name, const QString &text, const QRect &lage,
                     bool hellcyanHinterlegt);

// Escape has no meaning in these dialogs: it neither cancels nor hides.
bool istAbbruchtaste(QKeyEvent *ereignis);

// Shows a dialog modeless in front, centred the first time.
void zeigen(QDialog *dialog, bool &schonGezeigt);

} // namespace Sortendialog
